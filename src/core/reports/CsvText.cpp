#include "reports/CsvText.h"

namespace sorami {

namespace {

constexpr int kEof = std::char_traits<char>::eof();

}  // namespace

std::string csvField(std::string_view text, std::string_view delimiter) {
  const bool quoted = text.find_first_of("\"\r\n") != std::string_view::npos ||
                      (!delimiter.empty() && text.find(delimiter) != std::string_view::npos);
  if (!quoted) return std::string(text);
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

CsvReader::CsvReader(std::istream& in, std::string_view delimiter)
    : in_(in.rdbuf()), delimiter_(delimiter.empty() ? std::string(",") : std::string(delimiter)) {}

int CsvReader::get() {
  const int c = in_ != nullptr ? in_->sbumpc() : kEof;
  if (c != kEof) ++recordBytes_;
  return c;
}

int CsvReader::peek() {
  return in_ != nullptr ? in_->sgetc() : kEof;
}

// The delimiter may be several bytes of UTF-8; `c` is its first byte when it matches.
bool CsvReader::atDelimiter(int c) {
  if (c != static_cast<unsigned char>(delimiter_[0])) return false;
  for (size_t i = 1; i < delimiter_.size(); ++i) {
    if (peek() != static_cast<unsigned char>(delimiter_[i])) return false;
    get();
  }
  return true;
}

CsvReader::Status CsvReader::fail(const char* what) {
  error_ = what;
  return Status::Error;
}

void CsvReader::endOfLine(int c) {
  if (c == '\r' && peek() == '\n') get();
  ++line_;
}

CsvReader::Status CsvReader::readQuoted(std::string& field) {
  for (;;) {
    const int c = get();
    if (c == kEof) return fail("引用符が閉じられていません");
    if (recordBytes_ > kMaxRecordBytes) return fail("行が長すぎます");
    if (c == '"') {
      if (peek() != '"') return Status::Record;
      get();
    } else if (c == '\n' || (c == '\r' && peek() != '\n')) {
      ++line_;
    }
    field += static_cast<char>(c);
  }
}

void CsvReader::skipLine() {
  error_.clear();
  for (int c = get(); c != kEof; c = get()) {
    if (c == '\n' || c == '\r') {
      endOfLine(c);
      return;
    }
  }
}

CsvReader::Status CsvReader::next(std::vector<std::string>& fields) {
  fields.clear();
  if (!error_.empty()) return Status::Error;
  recordBytes_ = 0;
  recordLine_ = line_;
  // A byte order mark, as some spreadsheets write, is not part of the first field; the same
  // first byte also begins characters such as the full-width letters, which are.
  std::string carried;
  if (!started_) {
    started_ = true;
    static constexpr unsigned char kMark[] = {0xEF, 0xBB, 0xBF};
    for (const unsigned char m : kMark) {
      if (peek() != m) break;
      carried += static_cast<char>(get());
    }
    if (carried.size() == sizeof kMark) carried.clear();
  }
  if (carried.empty() && peek() == kEof) return Status::End;
  fields.emplace_back(std::move(carried));
  for (;;) {
    int c = get();
    if (recordBytes_ > kMaxRecordBytes) return fail("行が長すぎます");
    if (c == '"' && fields.back().empty()) {
      if (readQuoted(fields.back()) == Status::Error) return Status::Error;
      c = get();
      if (c != kEof && c != '\r' && c != '\n' && !atDelimiter(c)) {
        return fail("引用符の後に区切り文字がありません");
      }
      if (c == kEof || c == '\r' || c == '\n') {
        if (c != kEof) endOfLine(c);
        return Status::Record;
      }
      fields.emplace_back();
    } else if (c == kEof) {
      return Status::Record;
    } else if (c == '\r' || c == '\n') {
      endOfLine(c);
      return Status::Record;
    } else if (atDelimiter(c)) {
      fields.emplace_back();
    } else {
      fields.back() += static_cast<char>(c);
    }
  }
}

}  // namespace sorami
