#pragma once
// The text forms of an amount: an integer in the smallest unit of the file (the currency amount
// times 10 to the power of the decimal places) shown as "1,234" or "12.34", and read back from
// what the user typed or a file holds.

#include <cstdint>
#include <string>
#include <string_view>

namespace sorami {

// Decimal places serve as an exponent: anything outside 0 to 3 is brought into that range.
int clampDecimalPlaces(int decimalPlaces);

// "-1,234", "0.05", "12,345.67". With separators the integer digits are grouped by three.
// Works for every 64-bit value, so wide sums print as well as single amounts.
std::u16string formatAmount(int64_t value, bool separators, int decimalPlaces);

// Reads leading white space, one optional sign, then digits with "," skipped anywhere and one
// "."; the first other character ends the number. Fractional digits beyond the decimal places
// are ignored (truncation, never rounding); missing ones count as 0. Text without digits gives 0.
// A digit string too long for 64 bits saturates at the largest magnitude instead of wrapping
// round to a wrong amount; whether the value fits an amount is the caller's decision.
int64_t parseAmount(std::u16string_view text, int decimalPlaces);

}  // namespace sorami
