// Reading a statement's lines by its profile: each line gets its date, amount, side, name and
// memo, or the reason it cannot be read. The text is read record by record with the csv
// reader; a broken record is refused alone and the reading goes on with the next line.

#include <fstream>
#include <istream>
#include <streambuf>

#include "platform/TextCodec.h"
#include "reports/CsvText.h"
#include "reports/StatementImport.h"
#include "reports/StatementRead.h"

namespace sorami {

namespace {

std::u16string number(size_t n) {
  return u16(std::to_string(n));
}

// The statement's bytes as a stream, without a copy.
class ViewBuffer : public std::streambuf {
 public:
  explicit ViewBuffer(std::string_view bytes) {
    char* p = const_cast<char*>(bytes.data());
    setg(p, p, p + bytes.size());
  }
};

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

bool isBlank(const std::vector<std::string>& fields) {
  for (const std::string& f : fields) {
    if (f.find_first_not_of(" \t") != std::string::npos) return false;
  }
  return true;
}

class LineReader {
 public:
  LineReader(const StatementProfile& profile, StatementEncoding encoding, int decimalPlaces)
      : profile_(profile), encoding_(encoding), decimalPlaces_(decimalPlaces) {}

  StatementLine read(const std::vector<std::string>& fields, size_t line) {
    StatementLine out;
    out.line = line;
    fields_ = &fields;
    line_ = &out;
    readLine();
    return out;
  }

 private:
  bool refuse(MessageId id, std::vector<std::u16string> args = {}) {
    line_->unreadable = true;
    line_->status = LineStatus::Refused;
    line_->reason = {id, std::move(args)};
    return false;
  }

  // The text of a column, or nothing after the line was refused.
  std::optional<std::u16string> field(size_t column) {
    const std::string& bytes = (*fields_)[column - 1];
    if (bytes.find('\0') != std::string::npos) {
      refuse(MessageId::StatementNul, {number(column)});
      return std::nullopt;
    }
    if (encoding_ == StatementEncoding::ShiftJis) {
      // The text was turned into UTF-8 before reading; what was not Shift-JIS is marked.
      if (bytes.find(kReplacement) != std::string::npos) {
        refuse(MessageId::StatementUndecodable, {number(column), u"Shift-JIS"});
        return std::nullopt;
      }
      return fromUtf8(bytes);
    }
    std::optional<std::u16string> text = fromStrictUtf8(bytes);
    if (!text) refuse(MessageId::StatementUndecodable, {number(column), u"UTF-8"});
    return text;
  }

  bool readDate(size_t column) {
    const std::optional<std::u16string> text = field(column);
    if (!text) return false;
    const StatementDate date = parseStatementDate(*text, profile_.dateForm);
    if (date.status == StatementDate::Status::BeforeEra) {
      return refuse(MessageId::StatementDateBeforeEra, {*text});
    }
    if (date.status != StatementDate::Status::Ok) {
      return refuse(MessageId::StatementDateUnreadable, {*text});
    }
    line_->date = date.day;
    return true;
  }

  // The amount of a column, with its text; nothing after the line was refused.
  std::optional<StatementAmount> amountOf(size_t column, std::u16string& text) {
    const std::optional<std::u16string> t = field(column);
    if (!t) return std::nullopt;
    text = *t;
    const StatementAmount a = parseStatementAmount(text, decimalPlaces_);
    switch (a.status) {
      case StatementAmount::Status::Ok:
      case StatementAmount::Status::Empty:
        return a;
      case StatementAmount::Status::Unreadable:
        refuse(MessageId::StatementAmountUnreadable, {text});
        break;
      case StatementAmount::Status::TooManyDecimals:
        refuse(MessageId::StatementAmountDecimals, {text});
        break;
      case StatementAmount::Status::OutOfRange:
        refuse(MessageId::StatementAmountRange, {text});
        break;
    }
    return std::nullopt;
  }

  // A signed amount, negative for money spent.
  bool setAmount(int64_t signedSpent) {
    if (signedSpent == 0) return refuse(MessageId::StatementAmountZero);
    line_->income = signedSpent > 0;
    line_->amount = static_cast<int32_t>(signedSpent > 0 ? signedSpent : -signedSpent);
    return true;
  }

  bool readAmount() {
    std::u16string text;
    if (profile_.amountColumn != 0) {
      const std::optional<StatementAmount> a = amountOf(profile_.amountColumn, text);
      if (!a) return false;
      if (a->status == StatementAmount::Status::Empty) {
        return refuse(MessageId::StatementAmountMissing);
      }
      const bool negativeSpends = profile_.sign == SignConvention::ExpenseNegative;
      return setAmount(negativeSpends ? a->value : -a->value);
    }
    std::u16string incomeText;
    const std::optional<StatementAmount> in = amountOf(profile_.incomeColumn, incomeText);
    if (!in) return false;
    const std::optional<StatementAmount> out = amountOf(profile_.expenseColumn, text);
    if (!out) return false;
    // A negative figure in either column stands for the other side (a correction).
    if (in->value != 0 && out->value != 0) {
      return refuse(MessageId::StatementAmountBoth, {incomeText, text});
    }
    if (in->value == 0 && out->value == 0) {
      const bool zero =
          in->status == StatementAmount::Status::Ok || out->status == StatementAmount::Status::Ok;
      return refuse(zero ? MessageId::StatementAmountZero : MessageId::StatementAmountMissing);
    }
    return setAmount(in->value != 0 ? in->value : -out->value);
  }

  bool readTexts() {
    const std::optional<std::u16string> name = field(profile_.nameColumn);
    if (!name) return false;
    line_->statementName = trimInputSpaces(*name);
    if (line_->statementName.size() > kNameTextLimit) {
      return refuse(MessageId::StatementNameTooLong, {number(kNameTextLimit)});
    }
    line_->name = line_->statementName;
    if (profile_.memoColumn == 0) return true;
    const std::optional<std::u16string> memo = field(profile_.memoColumn);
    if (!memo) return false;
    line_->memo = trimInputSpaces(*memo);
    if (line_->memo.size() > kMaxStatementMemo) {
      return refuse(MessageId::StatementMemoTooLong, {number(kMaxStatementMemo)});
    }
    return true;
  }

  void readLine() {
    const size_t needed = profile_.lastColumn();
    if (fields_->size() < needed) {
      refuse(MessageId::StatementTooFewColumns, {number(needed), number(fields_->size())});
      return;
    }
    if (readDate(profile_.dateColumn) && readAmount()) readTexts();
  }

  const StatementProfile& profile_;
  StatementEncoding encoding_;
  int decimalPlaces_;
  const std::vector<std::string>* fields_ = nullptr;
  StatementLine* line_ = nullptr;
};

StatementLine syntaxRefusal(size_t line, const std::string& error) {
  StatementLine out;
  out.line = line;
  out.unreadable = true;
  out.status = LineStatus::Refused;
  out.reason = {MessageId::StatementSyntax, {fromUtf8(error)}};
  return out;
}

}  // namespace

StatementFile loadStatementFile(const std::filesystem::path& path) {
  StatementFile file;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    file.failure = Refusal{MessageId::StatementUnreadable, {path.u16string()}};
    return file;
  }
  // Read in pieces up to one byte past the limit: the size of a pipe is not known beforehand.
  char buffer[1 << 16];
  while (in && file.bytes.size() <= kMaxStatementBytes) {
    in.read(buffer, sizeof buffer);
    file.bytes.append(buffer, static_cast<size_t>(in.gcount()));
  }
  if (file.bytes.size() > kMaxStatementBytes) {
    file.bytes.clear();
    file.failure = Refusal{MessageId::StatementTooLarge, {number(kMaxStatementBytes >> 20)}};
  } else if (in.bad()) {
    file.bytes.clear();
    file.failure = Refusal{MessageId::StatementUnreadable, {path.u16string()}};
  }
  return file;
}

StatementEncoding detectEncoding(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return StatementEncoding::Utf8;
  return fromStrictUtf8(bytes) ? StatementEncoding::Utf8 : StatementEncoding::ShiftJis;
}

StatementPreview readStatementLines(std::string_view bytes, const StatementProfile& profile,
                                    int decimalPlaces) {
  StatementPreview preview;
  if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
    preview.failure = Refusal{MessageId::StatementUtf16, {}};
    return preview;
  }
  preview.encoding =
      profile.encoding == StatementEncoding::Auto ? detectEncoding(bytes) : profile.encoding;
  std::string converted;
  if (preview.encoding == StatementEncoding::ShiftJis) {
    converted = toUtf8(fromShiftJis(bytes));
    bytes = converted;
  }
  ViewBuffer buffer(bytes);
  std::istream in(&buffer);
  CsvReader reader(in, std::string_view(&profile.delimiter, 1));
  LineReader lines(profile, preview.encoding, decimalPlaces);
  std::vector<std::string> fields;
  size_t records = 0;
  for (;;) {
    const CsvReader::Status status = reader.next(fields);
    if (status == CsvReader::Status::End) break;
    if (++records <= profile.skipLines) {
      if (status == CsvReader::Status::Error) reader.skipLine();
      continue;
    }
    if (status == CsvReader::Status::Record && isBlank(fields)) continue;
    // Every line counts, read or refused, so that no text can fill the memory.
    if (preview.lines.size() >= kMaxStatementLines) {
      preview.failure = Refusal{MessageId::StatementTooManyLines,
                                {number(kMaxStatementLines), number(reader.recordLine())}};
      preview.lines.clear();
      break;
    }
    if (status == CsvReader::Status::Error) {
      preview.lines.push_back(syntaxRefusal(reader.recordLine(), reader.error()));
      reader.skipLine();
      continue;
    }
    preview.lines.push_back(lines.read(fields, reader.recordLine()));
  }
  return preview;
}

}  // namespace sorami
