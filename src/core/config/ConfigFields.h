#pragma once
// The numeric settings of the configuration as tables of places, shared by the text form, the
// block, the listing by position and the comparison.

#include <array>
#include <cstdint>
#include <type_traits>
#include <variant>

#include "config/Config.h"

namespace sorami::config_fields {

// How a value of the configuration text is written: printf "%d"/"%ld", "%u"/"%lu", the tax rate
// as decimal text, a day number (written as "%ld").
enum class TextFormat : uint8_t { Signed, Unsigned, Rate, Day };

using Slot = std::variant<int*, uint8_t*, uint16_t*, double*>;

struct TextSlot {
  TextFormat format;
  Slot slot;
};

struct BlockSlot {
  uint8_t width;  // bits in the file
  Slot slot;
};

inline constexpr size_t kFirstListSize = 58;
inline constexpr size_t kSecondListSize = 31;
inline constexpr size_t kBlockScalarCount = 39;  // C1 to C39

std::array<TextSlot, kFirstListSize> firstList(CConfig& c);
std::array<TextSlot, kSecondListSize> secondList(CConfig& c);
std::array<BlockSlot, kBlockScalarCount> blockScalars(CConfig& c);

// The value of an integer slot, without sign extension of 8- and 16-bit fields.
int64_t intValue(const Slot& slot);
// Stores the low bits of raw into an integer slot as the field's width keeps them.
void setRaw(const Slot& slot, uint32_t raw);

}  // namespace sorami::config_fields
