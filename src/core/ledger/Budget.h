#pragma once
// A budget: the planned amount of every item for one month, or the standard budget from which
// a month's budget starts.

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>

namespace sorami {

class Archive;

inline constexpr uint16_t kBudgetMonth = 0;
inline constexpr uint16_t kBudgetStandard = 0x1000;
// The standard budget is filed under year 1, month 1, before every real month.
inline constexpr uint16_t kStandardBudgetYear = 1;
inline constexpr uint16_t kStandardBudgetMonth = 1;
// One amount per item number; as many as there can be items.
inline constexpr size_t kBudgetAmounts = 48;

// A month as budgets are ordered: by year, then month.
struct BudgetMonth {
  uint16_t year = kStandardBudgetYear;
  uint16_t month = kStandardBudgetMonth;
  friend auto operator<=>(const BudgetMonth&, const BudgetMonth&) = default;
};

class CBudget {
 public:
  CBudget() = default;
  CBudget(uint16_t kind, uint16_t year, uint16_t month) : kind(kind), year(year), month(month) {}

  BudgetMonth when() const { return {year, month}; }
  // Files may hold the standard budget with kind 0; its place (1, 1) tells it apart as well.
  bool isStandard() const {
    return kind == kBudgetStandard ||
           when() == BudgetMonth{kStandardBudgetYear, kStandardBudgetMonth};
  }

  // Writes the budget, or reads it from untrusted bytes: a month budget must name a month of
  // the year; amounts missing from the file are 0, amounts beyond the table are dropped.
  void serialize(Archive& ar);
  void write(Archive& ar) const;
  void read(Archive& ar);

  uint16_t kind = kBudgetMonth;
  uint16_t year = kStandardBudgetYear;
  uint16_t month = kStandardBudgetMonth;
  uint16_t reserved = 0;  // kept and written back as it was read
  std::array<int32_t, kBudgetAmounts> amounts{};
  friend bool operator==(const CBudget&, const CBudget&) = default;
};

}  // namespace sorami
