#pragma once
// The cash balance change: the user states the cash in hand at the end of a day, and the book
// either records an adjustment line on that day or changes the initial cash balance (which
// moves every past balance). The choices are settings of the file, remembered between uses.

#include <cstdint>
#include <optional>
#include <string>

#include "rules/Day.h"

namespace sorami {

class CConfig;
class CHinmeiList;
class CSoramiDoc;

inline constexpr int kCashModeInitial = 0;  // 初期残高を調整（過去の残高を変更）
inline constexpr int kCashModeEntry = 1;  // 以下の調整データとして記載する（推奨）
inline constexpr int64_t kLowestCash = -999999999;
inline constexpr int64_t kHighestCash = 999999999;

// What the dialog "現金残高の変更" offers first.
struct CashChangeChoice {
  int64_t balance = 0;  // the cash at the end of the day
  int mode = kCashModeEntry;
  int decreaseItem = -1;  // an expense item number, or -1
  int increaseItem = -1;  // an income item number, or -1
  std::u16string decreaseName;
  std::u16string increaseName;
  bool negativeIncrease = false;
};

// What the user chose.
struct CashChangeRequest {
  int64_t newBalance = 0;
  int mode = kCashModeEntry;
  int decreaseItem = -1;
  int increaseItem = -1;
  std::u16string decreaseName;
  std::u16string increaseName;
  bool negativeIncrease = false;
};

struct CashChangeResult {
  int64_t before = 0;  // the cash at the end of the day before the change
  int64_t difference = 0;
  std::optional<int> entryItem;  // the item of the adjustment line written
  int32_t entryAmount = 0;
  std::u16string entryName;
  std::optional<int64_t> initialFrom;  // the initial cash balance before and after, mode 0
  int64_t initialTo = 0;
};

// The cash at the end of `day`, with every line of that day counted.
int64_t cashAtEndOfDay(CHinmeiList& store, Day day);
// The settings of the file and the cash of the day, with the items preselected: the saved
// item when it is one of its side's ordinary items, else その他支出 / 雑収入.
CashChangeChoice cashChangeChoice(CHinmeiList& store, const CConfig& config, Day day);
// Applies the choice on `day`: the settings are written back, then the line or the initial
// balance. Nothing when refused (no item in entry mode, an amount out of range, the question
// of the initial mode answered No); the settings stay as they were then.
std::optional<CashChangeResult> changeCashBalance(CSoramiDoc& doc, Day day,
                                                  const CashChangeRequest& request);

}  // namespace sorami
