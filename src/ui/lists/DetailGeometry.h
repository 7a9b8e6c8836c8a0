#pragma once
// The column arithmetic of the detail list and its coded lines, in half-width character
// cells, with the other settings of the file that the list follows.

namespace sorami {

class CConfig;

// Amount digits A (7 to 9) and name width N (14 to 20).
struct DetailGeometry {
  int amountDigits = 8;
  int nameWidth = 16;

  // From the start of the product name to the right edge of the first amount.
  int nameSpan() const { return amountDigits + nameWidth + 3; }
  // From the right edge of one amount column to the right edge of the next.
  int amountStep() const { return amountDigits + 3; }
};

struct DetailSettings {
  DetailGeometry geometry;
  int decimalPlaces = 0;
  int weeklyRestDays = 0;  // bit n: weekday n (0 Sunday) is a rest day
};

DetailSettings detailSettingsOf(const CConfig& config);

}  // namespace sorami
