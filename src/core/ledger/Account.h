#pragma once
// A registered savings account (貯蓄) or loan (借入) as the entry store follows it: its running
// balance, its balance watch, and the settings that live as text in the tail of its definition.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "rules/CardSettings.h"
#include "rules/Day.h"

namespace sorami {

class CHinmei;

// Kinds of account objects: the flag bit their definitions and transfer lines carry.
inline constexpr uint16_t kKindAccount = 0x4000;  // EF_ACCOUNT
inline constexpr uint16_t kKindLoan = 0x2000;     // EF_LOAN
// How many accounts, and how many loans, a data file can register.
inline constexpr size_t kMaxAccounts = 100;
// An initial balance that means "none given yet: ask the user".
inline constexpr int32_t kAskInitialBalance = -999999999;

// The first watched transfer that takes an account below its threshold.
struct Shortfall {
  Day date = MinDay;
  std::u16string itemName;
  std::u16string productName;
  int32_t amount = 0;
  int64_t balance = 0;  // after the entry; may well be 0
  bool present = false;
  bool recorded() const { return present; }
};

class CAccount {
 public:
  CAccount() = default;
  CAccount(const CAccount& other);
  CAccount& operator=(const CAccount& other);
  CAccount(CAccount&&) noexcept = default;
  CAccount& operator=(CAccount&&) noexcept = default;

  bool isLoan() const { return (kind & kKindLoan) != 0; }

  // The settings text kept in the definition's tail.
  std::u16string settingsText() const;
  // Reads a settings text; `today` completes the card's closing month where it is out of range.
  // A text that cannot be read gives the defaults (a loan a fresh card record) and false.
  bool readSettingsText(std::u16string_view text, Day today);

  std::unique_ptr<CardSettings> card;  // loans only
  int64_t balance = 0;
  std::u16string name;
  uint16_t kind = 0x4100;
  CHinmei* definition = nullptr;
  Shortfall shortfall;
  int32_t watchDays = 7;
  int32_t watchThreshold = 0;
  int32_t cardFlag = 0;
  std::array<int32_t, 6> values{0, 0, 0, 0, -1, -1};
  std::u16string line1;
  std::u16string line2;

 private:
  bool readAccountText(std::u16string_view text);
  bool readLoanText(std::u16string_view text, Day today);
  void readLoanNumbers(std::u16string_view numbers, bool oldForm);
};

}  // namespace sorami
