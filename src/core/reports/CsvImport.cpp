#include "reports/CsvImport.h"

#include <limits>

#include "platform/TextCodec.h"
#include "reports/CsvExport.h"
#include "reports/CsvText.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

enum Column { kDate, kItem, kName, kIncome, kExpense, kMemo, kAccount };

// Strictly a number as the export writes it (commas between digits allowed, as spreadsheets
// add them): no unit, no second point, no more decimals than the file keeps.
bool isAmountText(std::string_view t, int decimalPlaces) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  if (!t.empty() && (t.front() == '-' || t.front() == '+')) t.remove_prefix(1);
  if (t.empty() || t.size() > 40) return false;
  bool digits = false;
  int decimals = -1;
  for (const char c : t) {
    if (c >= '0' && c <= '9') {
      digits = true;
      if (decimals >= 0) ++decimals;
    } else if (c == '.' && decimals < 0) {
      decimals = 0;
    } else if (c != ',' || decimals >= 0) {
      return false;
    }
  }
  return digits && decimals <= decimalPlaces;
}

bool isBlank(const std::vector<std::string>& fields) {
  return fields.size() == 1 && fields[0].empty();
}

class LineReader {
 public:
  LineReader(const CHinmeiList& list, const ImportOptions& options, ImportResult& result)
      : list_(list), options_(options), result_(result) {}

  // False when the record stops the import.
  bool read(const std::vector<std::string>& f, size_t line) {
    line_ = line;
    if (f.size() != kCsvColumns && f.size() != kCsvColumns - 1) {
      return fail(ImportFailure::Columns, std::to_string(f.size()));
    }
    // A NUL in a memo would start a hidden tail, and a byte that is no UTF-8 would be stored
    // as a replacement character: neither is text an export writes.
    for (size_t column = 0; column < f.size(); ++column) {
      const std::string where = std::to_string(column + 1) + "列目";
      if (f[column].find('\0') != std::string::npos) {
        return fail(ImportFailure::Syntax, where + "に NUL 文字があります");
      }
      if (!fromStrictUtf8(f[column])) {
        return fail(ImportFailure::Syntax, where + "に UTF-8 として読めないバイトがあります");
      }
    }
    Day day = parseIsoDate(f[kDate]);
    if (f[kDate].empty() && options_.day) day = *options_.day;
    if (day == InvalidDay || day <= MinDay || day >= MaxDay) {
      return fail(ImportFailure::Date, f[kDate]);
    }
    const bool income = !f[kIncome].empty();
    if (income == !f[kExpense].empty()) {
      return fail(ImportFailure::Amount, f[kIncome] + "/" + f[kExpense]);
    }
    const std::string& amountText = income ? f[kIncome] : f[kExpense];
    if (!isAmountText(amountText, options_.decimalPlaces)) {
      return fail(ImportFailure::Amount, amountText);
    }
    const int64_t amount = parseAmount(fromUtf8(amountText), options_.decimalPlaces);
    if (amount < std::numeric_limits<int32_t>::min() ||
        amount > std::numeric_limits<int32_t>::max()) {
      return fail(ImportFailure::AmountRange, amountText);
    }
    const int number = list_.itemNumberByName(fromUtf8(f[kItem]), income ? 2 : 1);
    const CHinmei* item = number < 0 ? nullptr : list_.itemByNumber(number);
    if (item == nullptr) return skip(SkipReason::UnknownItem, f[kItem]);
    const bool transfer = item->isTransfer() || (f.size() > kAccount && !f[kAccount].empty());
    if (transfer) return skip(SkipReason::Transfer, f[kItem]);
    if (amount == 0 && options_.skipZeroAmounts) return skip(SkipReason::ZeroAmount, f[kItem]);
    result_.lines.emplace_back(
        day, item->item, static_cast<uint16_t>(item->flags & EF_DIRECTION_MASK), fromUtf8(f[kName]),
        fromUtf8(f[kMemo]), static_cast<int32_t>(amount));
    return true;
  }

 private:
  bool fail(ImportFailure failure, std::string detail) {
    result_.failure = failure;
    result_.failureLine = line_;
    result_.detail = std::move(detail);
    return false;
  }
  bool skip(SkipReason reason, const std::string& item) {
    result_.skipped.push_back({line_, reason, item});
    return true;
  }

  const CHinmeiList& list_;
  const ImportOptions& options_;
  ImportResult& result_;
  size_t line_ = 0;
};

}  // namespace

ImportResult readImportCsv(std::istream& in, const CHinmeiList& list,
                           const ImportOptions& options) {
  ImportResult result;
  CsvReader reader(in, toUtf8(std::u16string_view(&options.delimiter, 1)));
  LineReader lines(list, options, result);
  std::vector<std::string> fields;
  bool first = true;
  uint64_t records = 0;
  for (;;) {
    const CsvReader::Status status = reader.next(fields);
    if (status == CsvReader::Status::End) break;
    if (status == CsvReader::Status::Error) {
      result.failure = ImportFailure::Syntax;
      result.failureLine = reader.recordLine();
      result.detail = reader.error();
      break;
    }
    const bool title = first && !fields.empty() && fields[0] == toUtf8(kCsvDateTitle);
    first = false;
    if (title || isBlank(fields)) continue;
    // Every line counts, kept or set aside, so that no text can fill the memory.
    if (++records > options.maxLines) {
      result.failure = ImportFailure::TooManyLines;
      result.failureLine = reader.recordLine();
      result.detail = std::to_string(options.maxLines);
      break;
    }
    if (!lines.read(fields, reader.recordLine())) break;
  }
  if (result.failure != ImportFailure::None) result.lines.clear();
  return result;
}

std::optional<Day> storeImportedLines(CHinmeiList& list, std::vector<CHinmei>& lines) {
  for (CHinmei& e : lines) {
    const Day day = e.date;
    // The running state follows the lines, which usually come in day order, so each step is
    // short; the place at the end of the day comes from the store's day index.
    list.computeToDay(day);
    if (!list.insert(std::move(e), -1, false)) return day;
  }
  return std::nullopt;
}

}  // namespace sorami
