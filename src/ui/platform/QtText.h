#pragma once
// The core's UTF-16 texts as Qt's, without a copy in between.

#include <QString>
#include <string_view>

namespace sorami {

inline QString toQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace sorami
