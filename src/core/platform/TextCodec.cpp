#include "platform/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <vector>

namespace sorami {

namespace {

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

void appendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

// One iconv conversion; undecodable input is replaced character by character.
std::string convert(const char* to, const char* from, std::string_view in, std::string_view bad,
                    size_t badInputWidth) {
  iconv_t cd = iconv_open(to, from);
  // The C library's (iconv_t)-1, compared as the number it is.
  if (reinterpret_cast<intptr_t>(cd) == -1) return std::string(bad);
  std::string out;
  std::vector<char> buf(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buf.data();
    size_t dstLeft = buf.size();
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf.data(), static_cast<size_t>(dst - buf.data()));
    if (rc == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (a truncated sequence at the end): replace and skip.
      out.append(bad);
      const size_t skip = std::min(badInputWidth, srcLeft);
      src += skip;
      srcLeft -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string toUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    appendUtf8(out, c);
  }
  return out;
}

namespace {

// Decodes UTF-8; each invalid sequence becomes U+FFFD and clears `valid`.
std::u16string decodeUtf8(std::string_view text, bool& valid) {
  valid = true;
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
  while (i < text.size()) {
    const uint8_t b = byte(i);
    int extra = 0;
    char32_t cp = 0;
    if (b < 0x80) {
      cp = b;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1;
      cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2;
      cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3;
      cp = b & 0x07;
    } else {
      appendUtf16(out, 0xFFFD);
      valid = false;
      ++i;
      continue;
    }
    bool ok = i + static_cast<size_t>(extra) < text.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const uint8_t c = byte(i + static_cast<size_t>(k));
      if ((c & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (!ok || cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      appendUtf16(out, 0xFFFD);
      valid = false;
      ++i;
      continue;
    }
    appendUtf16(out, cp);
    i += static_cast<size_t>(extra) + 1;
  }
  return out;
}

}  // namespace

std::u16string fromUtf8(std::string_view text) {
  bool valid = true;
  return decodeUtf8(text, valid);
}

std::optional<std::u16string> fromStrictUtf8(std::string_view text) {
  bool valid = true;
  std::u16string out = decodeUtf8(text, valid);
  if (!valid) return std::nullopt;
  return out;
}

std::u16string fromShiftJis(std::string_view bytes) {
  bool ascii = true;
  for (char c : bytes) ascii = ascii && static_cast<uint8_t>(c) < 0x80;
  if (ascii) return std::u16string(bytes.begin(), bytes.end());
  const std::string utf16 = convert("UTF-16LE", "CP932", bytes, "\xFD\xFF", 1);
  std::u16string out(utf16.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(static_cast<uint8_t>(utf16[2 * i]) |
                                   (static_cast<uint8_t>(utf16[2 * i + 1]) << 8));
  }
  return out;
}

std::string toShiftJis(std::u16string_view text) {
  std::string in;
  in.reserve(text.size() * 2);
  for (char16_t c : text) {
    in.push_back(static_cast<char>(c & 0xFF));
    in.push_back(static_cast<char>(c >> 8));
  }
  return convert("CP932", "UTF-16LE", in, "?", 2);
}

}  // namespace sorami
