#include "config/ConfigFields.h"

namespace sorami::config_fields {

namespace {
constexpr TextFormat S = TextFormat::Signed;
constexpr TextFormat U = TextFormat::Unsigned;
constexpr TextFormat D = TextFormat::Day;
}  // namespace

std::array<TextSlot, kFirstListSize> firstList(CConfig& c) {
  return {{
      {S, &c.dataVersion},
      {S, &c.reserved1},
      {S, &c.reserved2},
      {U, &c.inputMethodSwitching},
      {U, &c.skipBlankNames},
      {S, &c.listFontSize},
      {S, &c.closingDay},
      {S, &c.specialNameRows},
      {U, &c.showSpecialNameList},
      {S, &c.taxRounding},
      {U, &c.taxBelowTenToZero},
      {TextFormat::Rate, &c.taxRate},
      {U, &c.confirmDeletion},
      {U, &c.keepPreviousInput},
      {U, &c.fixedTotalsPeriod},
      {U, &c.calculatorOnAmount},
      {U, &c.jumpToNameAfterItem},
      {U, &c.stopAutoEntries},
      {U, &c.memoOnAutoEntries},
      {U, &c.confirmAutoEntries},
      {U, &c.confirmSaveAfterChange},
      {S, &c.weeklyRestDays},
      {U, &c.calculatorCashDefault},
      {U, &c.reservedChar},
      {U, &c.negativeIncrease},
      {U, &c.reserved3},
      {S, &c.closingHolidayRule},
      {U, &c.closeOneDayBefore},
      {U, &c.listFontChoice},
      {U, &c.settingsYear},
      {U, &c.displaySubMode},
      {U, &c.reserved32},
      {U, &c.reserved33},
      {S, &c.textOutputDelimiter},
      {S, &c.otherDelimiter},
      {U, &c.diaryAtStartup},
      {S, &c.reserved4},
      {S, &c.itemRows},
      {U, &c.calculatorToggle},
      {U, &c.savingsInTotals},
      {S, &c.listLineValue},
      {S, &c.searchDepth},
      {S, &c.keypadPointKey},
      {D, &c.lastOpenDay},
      {U, &c.swapPageKeys},
      {U, &c.operatorPrecedence},
      {U, &c.specialNamesByNumber},
      {U, &c.accountOption},
      {U, &c.loansInTotals},
      {S, &c.kanaKeyControl},
      {S, &c.openDayMode},
      {S, &c.hourOffset},
      {S, &c.dayOffset},
      {S, &c.lastEntryYear},
      {S, &c.lastEntryMonth},
      {S, &c.lastEntryDayOfMonth},
      {U, &c.reserved5},
      {S, &c.oldFormatMarker},
  }};
}

std::array<TextSlot, kSecondListSize> secondList(CConfig& c) {
  return {{
      {U, &c.skipZeroAmounts},   {S, &c.reserved6},
      {D, &c.fixedPeriodStart},  {D, &c.fixedPeriodEnd},
      {S, &c.currentItem},       {S, &c.displayMode},
      {S, &c.amountDigits},      {U, &c.memoAfterAmount},
      {S, &c.graphEndMonth},     {U, &c.graphGuideLines},
      {U, &c.graphFixedMaximum}, {S, &c.graphMaximum},
      {S, &c.nameWidth},         {S, &c.closedMonthNaming},
      {U, &c.hideListInSummary}, {U, &c.swapNegativeTransfers},
      {U, &c.saveDisplayMode},   {S, &c.taxItemAsData},
      {S, &c.graphFuzzyNames},   {S, &c.graphLine},
      {S, &c.graphMonthCount},   {S, &c.reserved7},
      {U, &c.sameWeekClosing},   {S, &c.reserved8},
      {S, &c.adjustmentMode},    {S, &c.decreaseItem},
      {S, &c.increaseItem},      {U, &c.reserved9},
      {S, &c.reserved10},        {S, &c.reserved11},
      {S, &c.reserved12},
  }};
}

std::array<BlockSlot, kBlockScalarCount> blockScalars(CConfig& c) {
  return {{
      {8, &c.reservedByte1},
      {8, &c.reservedByte2},
      {16, &c.reservedWord1},
      {32, &c.calculatorTaxState},
      {8, &c.calculatorTaxMode},
      {8, &c.reservedByte3},
      {8, &c.reservedByte4},
      {8, &c.reservedByte5},
      {16, &c.taxExpenseItem},
      {8, &c.reservedByte6},
      {8, &c.reservedByte7},
      {16, &c.reservedWords2to5[0]},
      {16, &c.reservedWords2to5[1]},
      {16, &c.reservedWords2to5[2]},
      {16, &c.reservedWords2to5[3]},
      {16, &c.decimalPlaces},
      {16, &c.reservedWord6},
      {16, &c.reservedWord7},
      {8, &c.reservedByte8},
      {8, &c.mainViewOption},
      {8, &c.reservedByte9},
      {8, &c.entryStoreOption},
      {8, &c.reservedByte10},
      {8, &c.reservedBytes11to13[0]},
      {8, &c.reservedBytes11to13[1]},
      {8, &c.reservedBytes11to13[2]},
      {8, &c.reservedGroupFlag},
      {16, &c.firstYear},
      {16, &c.lastYear},
      {16, &c.reservedItems[0]},
      {16, &c.reservedItems[1]},
      {16, &c.reservedItems[2]},
      {16, &c.reservedItems[3]},
      {16, &c.reservedWord8},
      {16, &c.taxIncomeItem},
      {8, &c.reservedByte14},
      {8, &c.reservedByte15},
      {16, &c.reservedWord9},
      {16, &c.reservedWord10},
  }};
}

int64_t intValue(const Slot& slot) {
  return std::visit([](auto* p) -> int64_t { return static_cast<int64_t>(*p); }, slot);
}

void setRaw(const Slot& slot, uint32_t raw) {
  std::visit(
      [raw](auto* p) {
        using T = std::remove_pointer_t<decltype(p)>;
        // A number stored as a double holds a signed 32-bit value in the file.
        if constexpr (std::is_same_v<T, int> || std::is_same_v<T, double>) {
          *p = static_cast<int32_t>(raw);
        } else {
          *p = static_cast<T>(raw);
        }
      },
      slot);
}

}  // namespace sorami::config_fields
