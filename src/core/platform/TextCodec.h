#pragma once
// Conversions at the edges: UTF-16 inside, UTF-8 for terminals and JSON, Shift-JIS (code page
// 932) for the holiday file and the texts of very old data files.

#include <optional>
#include <string>
#include <string_view>

namespace sorami {

// Unpaired surrogates become U+FFFD so the output is always valid UTF-8.
std::string toUtf8(std::u16string_view text);
// Invalid UTF-8 sequences become U+FFFD.
std::u16string fromUtf8(std::string_view text);
// Nothing when the text holds an invalid UTF-8 sequence.
std::optional<std::u16string> fromStrictUtf8(std::string_view text);
// Bytes that are not Shift-JIS become U+FFFD; the result never fails.
std::u16string fromShiftJis(std::string_view bytes);
// Characters without a Shift-JIS form become "?".
std::string toShiftJis(std::u16string_view text);

// Convenience for literals written in UTF-8 source.
inline std::u16string u16(std::string_view utf8) {
  return fromUtf8(utf8);
}

}  // namespace sorami
