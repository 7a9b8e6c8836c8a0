#pragma once
// Comma-separated text as spreadsheets write it (RFC 4180): a field that holds the delimiter, a
// quote or a line break is quoted and its quotes doubled, so any text survives a round trip.
// The delimiter may be another character; the text is UTF-8.

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace sorami {

// One field, quoted when it needs to be.
std::string csvField(std::string_view text, std::string_view delimiter);

// Reads one record after another from a stream without holding more than one record in memory.
class CsvReader {
 public:
  enum class Status { Record, End, Error };
  // A record longer than this is refused rather than read into memory whole.
  static constexpr size_t kMaxRecordBytes = 1 << 20;

  CsvReader(std::istream& in, std::string_view delimiter);
  // The next record's fields; End after the last record; Error with error() set.
  Status next(std::vector<std::string>& fields);
  // After an Error: forgets it and passes over the rest of the physical line the reading
  // stopped in, so that the following lines can still be read (a statement refuses the one
  // broken line, not the whole text).
  void skipLine();
  // The line of the text on which the last record began, from 1.
  size_t recordLine() const { return recordLine_; }
  const std::string& error() const { return error_; }

 private:
  int get();
  int peek();
  bool atDelimiter(int c);
  Status fail(const char* what);
  Status readQuoted(std::string& field);
  void endOfLine(int c);

  std::streambuf* in_;
  std::string delimiter_;
  size_t line_ = 1;
  size_t recordLine_ = 0;
  size_t recordBytes_ = 0;
  bool started_ = false;
  std::string error_;
};

}  // namespace sorami
