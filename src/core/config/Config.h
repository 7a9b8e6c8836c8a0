#pragma once
// The settings of one data file. The first group travels as the configuration text in the memo of
// the header entry, the second as the configuration block at the start of the file; a few values
// only describe the open file.

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "ledger/EntryInput.h"
#include "ledger/HinmeiList.h"
#include "rules/ConsumptionTax.h"
#include "rules/Day.h"
#include "rules/Period.h"

namespace sorami {

class Archive;
class Prompts;

// Versions at which the stored form or the meaning of a setting changed.
// kDataVersionCurrent and kBlockVersionCurrent come with the entry store.
inline constexpr int kBlockSubVersionCurrent = 4;
inline constexpr int kDataVersionTaxItems = 703;        // B18 to B21 exist
inline constexpr int kDataVersionReserved7 = 706;       // B22 exists
inline constexpr int kDataVersionSameWeekClose = 725;   // B23 exists
inline constexpr int kDataVersionAdjustment = 740;      // B24 to B31 and the adjustment names exist
inline constexpr int kDataVersionCalculatorTax = 752;   // C5 keeps its meaning
inline constexpr int kDataVersionTaxName = 820;         // C44 stored; tax expense item chosen
inline constexpr int kDataVersionReservedByte6 = 833;   // C10 kept
inline constexpr int kDataVersionDecimals = 840;        // C16 and C45 stored
inline constexpr int kDataVersionWholeDays = 870;       // day values as day numbers, not seconds
inline constexpr int kDataVersionReservedGroup1 = 900;  // C27, C30, C31, C46, C47 kept
inline constexpr int kDataVersionReservedGroup2 = 910;  // C32, C33, C48, C49 kept
inline constexpr int kDataVersionLaterTexts = 950;      // C50 to C54 stored; tax rate 3 % asked
inline constexpr int kBlockVersionReservedWords = 828;  // C12 to C15 kept
inline constexpr int kBlockVersionReservedWord1 = 843;  // C3 stored
inline constexpr int kBlockVersionStoreOption = 885;    // C22 kept
inline constexpr int kBlockVersionReservedByte10 = 888;  // C23 kept

inline constexpr uint16_t kScrambleMarker = 0xE9A1;
inline constexpr size_t kMaxDelimiters = 100;

// One of the reserved records of the block (C42).
struct ConfigRecord {
  std::array<int32_t, 5> values{};
  std::array<uint8_t, 8> bytes{};
  std::u16string text;
  friend bool operator==(const ConfigRecord&, const ConfigRecord&) = default;
};

// A day value of the configuration, told apart from plain integers in listings.
struct ConfigDay {
  Day day = 0;
  friend bool operator==(const ConfigDay&, const ConfigDay&) = default;
};

using ConfigValue = std::variant<int64_t, double, std::u16string, ConfigDay, std::array<int64_t, 4>,
                                 std::array<ConfigRecord, 5>>;

// A stored setting under its position name: "p1" to "p58", "B1" to "B31", "H", "C1" to "C54".
struct ConfigField {
  std::string name;
  ConfigValue value;
  friend bool operator==(const ConfigField&, const ConfigField&) = default;
};

struct UpgradeResult {
  bool markForSaving = false;
};

class CConfig {
 public:
  CConfig() = default;

  // --- Text group: first numeric list (positions 2 to 58; position 1 is dataVersion) ---
  int reserved1 = 1;               // p2
  int reserved2 = 1;               // p3
  int inputMethodSwitching = 1;    // p4
  int skipBlankNames = 1;          // p5
  int listFontSize = 12;           // p6
  int closingDay = 31;             // p7
  int specialNameRows = 7;         // p8
  int showSpecialNameList = 1;     // p9
  int taxRounding = 0;             // p10: 0 down, 1 up, 2 half up
  int taxBelowTenToZero = 0;       // p11
  double taxRate = 5;              // p12, percent
  int confirmDeletion = 0;         // p13
  int keepPreviousInput = 1;       // p14
  int fixedTotalsPeriod = 0;       // p15
  int calculatorOnAmount = 1;      // p16
  int jumpToNameAfterItem = 1;     // p17
  int stopAutoEntries = 0;         // p18
  int memoOnAutoEntries = 0;       // p19
  int confirmAutoEntries = 0;      // p20
  int confirmSaveAfterChange = 0;  // p21
  int weeklyRestDays = 0x41;       // p22: bit n = weekday n (0 Sunday)
  int calculatorCashDefault = 1;   // p23
  uint8_t reservedChar = 48;       // p24
  uint8_t negativeIncrease = 0;    // p25
  int reserved3 = 0;               // p26
  int closingHolidayRule = 0;      // p27: 0 stays, 1 before, 2 after rest days
  int closeOneDayBefore = 0;       // p28
  int listFontChoice = 1;          // p29
  int settingsYear = 0;            // p30
  int displaySubMode = 0;          // p31: column selector 0 to 5
  int reserved32 = 0;              // p32, written as 0
  int reserved33 = 0;              // p33, written as 0
  int textOutputDelimiter = 0;     // p34
  int otherDelimiter = 59;         // p35
  int diaryAtStartup = 0;          // p36
  int reserved4 = 18;              // p37
  int itemRows = 0;                // p38
  int calculatorToggle = 0;        // p39
  int savingsInTotals = 0;         // p40
  int listLineValue = 6;           // p41
  int searchDepth = 400;           // p42
  int keypadPointKey = 0;          // p43
  Day lastOpenDay = MinDay;        // p44
  int swapPageKeys = 0;            // p45
  int operatorPrecedence = 0;      // p46
  int specialNamesByNumber = 1;    // p47
  int accountOption = 0;           // p48
  int loansInTotals = 0;           // p49
  int kanaKeyControl = 0;          // p50
  int openDayMode = 0;             // p51
  int hourOffset = 0;              // p52
  int dayOffset = 0;               // p53
  int lastEntryYear = 1998;        // p54
  int lastEntryMonth = 1;          // p55
  int lastEntryDayOfMonth = 1;     // p56
  uint16_t reserved5 = 57;         // p57
  int oldFormatMarker = 0;         // p58

  // --- Text group: second numeric list ---
  int skipZeroAmounts = 1;        // B1
  int reserved6 = 0;              // B2
  Day fixedPeriodStart = MinDay;  // B3
  Day fixedPeriodEnd = MaxDay;    // B4
  uint16_t currentItem = 0;       // B5
  uint16_t displayMode = 0;       // B6: 0 day input, 1 summary, 2 cash book
  int amountDigits = 1;           // B7: columns minus 7, 0 to 2
  int memoAfterAmount = 0;        // B8
  int graphEndMonth = 12;         // B9
  int graphGuideLines = 0;        // B10
  int graphFixedMaximum = 0;      // B11
  int graphMaximum = 100;         // B12, in units of 10,000
  int nameWidth = 2;              // B13: columns minus 14, 0 to 6
  int closedMonthNaming = 0;      // B14
  int hideListInSummary = 0;      // B15
  int swapNegativeTransfers = 0;  // B16
  int saveDisplayMode = 0;        // B17
  int taxItemAsData = 0;          // B18
  int graphFuzzyNames = 0;        // B19
  int graphLine = 0;              // B20
  int graphMonthCount = 12;       // B21
  int reserved7 = 20;             // B22
  int sameWeekClosing = 0;        // B23
  int reserved8 = 0;              // B24
  int adjustmentMode = 1;         // B25: 0 change the initial balance, 1 adjustment entries
  int decreaseItem = -1;          // B26
  int increaseItem = -1;          // B27
  int reserved9 = 0;              // B28
  int reserved10 = 10;            // B29
  int reserved11 = 5;             // B30
  int reserved12 = 5;             // B31

  std::u16string decreaseName = u"残高調整";
  std::u16string increaseName = u"残高調整";
  std::u16string delimiters = u"、。，．：；｜,.:;|";

  // --- Block group ---
  uint32_t headerValue = 6;                            // H
  uint8_t reservedByte1 = 0;                           // C1
  uint8_t reservedByte2 = 0;                           // C2
  uint16_t reservedWord1 = 1;                          // C3
  int32_t calculatorTaxState = 0;                      // C4: 0 excluded, 1 added, 2 included
  uint8_t calculatorTaxMode = 3;                       // C5: as C4, 3 keep the previous state
  uint8_t reservedByte3 = 0;                           // C6
  uint8_t reservedByte4 = 0;                           // C7
  uint8_t reservedByte5 = 0;                           // C8
  int taxExpenseItem = 0;                              // C9
  uint8_t reservedByte6 = 1;                           // C10
  uint8_t reservedByte7 = 1;                           // C11
  std::array<uint16_t, 4> reservedWords2to5{};         // C12 to C15
  int decimalPlaces = 0;                               // C16: 0 to 3
  uint16_t reservedWord6 = 0;                          // C17
  uint16_t reservedWord7 = 0;                          // C18
  uint8_t reservedByte8 = 0;                           // C19
  uint8_t mainViewOption = 0;                          // C20
  uint8_t reservedByte9 = 0;                           // C21
  uint8_t entryStoreOption = 1;                        // C22
  uint8_t reservedByte10 = 1;                          // C23
  std::array<uint8_t, 3> reservedBytes11to13{};        // C24 to C26
  uint8_t reservedGroupFlag = 0;                       // C27
  int firstYear = 2000;                                // C28
  int lastYear = 2040;                                 // C29
  std::array<int, 4> reservedItems{-1, -1, -1, -1};    // C30 to C33
  uint16_t reservedWord8 = 0;                          // C34
  int taxIncomeItem = -1;                              // C35
  uint8_t reservedByte14 = 0;                          // C36
  uint8_t reservedByte15 = 0;                          // C37
  uint16_t reservedWord9 = 0;                          // C38
  uint16_t reservedWord10 = 0;                         // C39
  std::array<uint8_t, 4> reservedBytes17to20{};        // C40
  std::u16string diaryTitle = u"日記 / スケジュール";  // C41
  std::array<ConfigRecord, 5> reservedRecords{};       // C42
  uint32_t reservedValue13 = 0;                        // C43
  std::u16string taxName = u"消費税";                  // C44
  std::u16string currencySymbol = u"\\";               // C45
  std::array<std::u16string, 9> reservedTexts{};       // C46 to C54

  // --- Kept with the record while a file is open ---
  uint16_t dataVersion = kDataVersionCurrent;  // p1
  uint16_t blockVersion = kBlockVersionCurrent;
  uint16_t blockSubVersion = kBlockSubVersionCurrent;
  uint16_t scrambleMarker = 0;     // 0 or kScrambleMarker
  bool hasBlock = false;           // the file began with the configuration block
  int reservedGroup2Flag = 0;      // flag of C32, C33, C48, C49; never stored
  Day totalsPeriodStart = MinDay;  // the fixed period in use by the totals
  Day totalsPeriodEnd = MaxDay;
  uint16_t expenseItemCount = 14;
  uint16_t incomeItemCount = 5;

  // Takes the settings of `other` except C34, C36 to C40 and C50 to C54, which keep their values,
  // and the graph setting B19, which becomes 0. The open-state values stay.
  void copyFrom(const CConfig& other);
  // An item was inserted at, or removed from, item number k: the settings that hold item
  // numbers (B26, B27, C9, C35) follow their items, and one that held the removed item holds
  // none. The remembered list row (B5) stays within the `itemCount` items left.
  void itemInsertedAt(int k);
  void itemRemovedAt(int k, int itemCount);

  // Whether a setting that counts as a change of the user's settings differs.
  bool differs(const CConfig& other) const;

  // Every stored value under its position name, in the order p1..p58, B1..B31, H, C1..C54.
  std::vector<ConfigField> positions() const;

  std::u16string toText() const;
  // Reads a configuration text; the record is unchanged when the text is rejected (empty, or
  // fewer than 7 values in the first list).
  bool fromText(std::u16string_view text, std::u16string_view fallbackDelimiters);

  // Writes or reads the configuration block from the first byte of the file.
  void serialize(Archive& ar);

  // The closing settings that every period computation of this file uses; the fixed period is
  // the totals period in use.
  PeriodSettings periodSettings() const;
  // The rate, rounding and ten-yen flag of the file's consumption tax.
  TaxSettings taxSettings() const;
  // Where tax lines go: the tax expense item unless they stay with the item of their data.
  TaxLineSettings taxLineSettings() const;

  // Resets what older versions did not store, after a file was read. itemNames are the names
  // of the item definitions in item-number order.
  UpgradeResult upgrade(Prompts& prompts, const std::vector<std::u16string>& itemNames);

  // The texts C44 to C54 in block order.
  std::u16string& blockText(size_t index);
  const std::u16string& blockText(size_t index) const;

  friend bool operator==(const CConfig&, const CConfig&) = default;

 private:
  void clampUntrustedValues();
};

inline constexpr char16_t kDefaultAdjustmentName[] = u"残高調整";

}  // namespace sorami
