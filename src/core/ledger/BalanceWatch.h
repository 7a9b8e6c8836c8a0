#pragma once
// The balance watch that warns before an account runs short: the automatic entries of the
// coming days are written into a look-ahead store of copies, whose balances then show the first
// withdrawal of each watched account that takes it below its threshold.

#include <memory>
#include <string>
#include <vector>

#include "ledger/HinmeiList.h"

namespace sorami {

// A store that holds copies of the definitions and of every entry from `today` on, with the
// balances at the start of today as its initial balances. Nothing done to it reaches `store`;
// it shows no message and asks no question.
std::unique_ptr<CHinmeiList> makeLookAheadStore(CHinmeiList& store, Day today);

// Records in the look-ahead store the first shortfall of every watched account within its
// watch days from today.
void balanceWatch(CHinmeiList& lookAhead, Day today);

struct ShortfallWarning {
  std::u16string account;
  Day date = MinDay;                        // of the withdrawal
  int64_t balance = 0;                      // after it
  std::vector<std::u16string> messageArgs;  // of MessageId::ShortfallWarning
  std::u16string message;                   // as shown
};

// The warnings of the watched accounts that fall short, in table order, as the user is told.
std::vector<ShortfallWarning> shortfallWarnings(CHinmeiList& lookAhead, Day today,
                                                int decimalPlaces);

}  // namespace sorami
