#include "config/Config.h"

#include <algorithm>
#include <string_view>

#include "config/ConfigFields.h"
#include "platform/Prompts.h"

namespace sorami {

using namespace config_fields;

namespace {

constexpr size_t kBlockTextCount = 11;    // C44 to C54
constexpr size_t kFirstUncopiedText = 6;  // C50 is the seventh block text

std::string positionName(char prefix, size_t index) {
  return prefix + std::to_string(index + 1);
}

ConfigValue textSlotValue(const TextSlot& t) {
  switch (t.format) {
    case TextFormat::Rate:
      return *std::get<double*>(t.slot);
    case TextFormat::Day:
      return ConfigDay{static_cast<Day>(intValue(t.slot))};
    default:
      return intValue(t.slot);
  }
}

// Fields that do not count as a change of the user's settings: open-state values, reserved
// values the program changes by itself, and the current item.
bool neverCompared(std::string_view name) {
  static constexpr std::string_view kNames[] = {"p1",  "p26", "p32", "p33", "p47", "B5",
                                                "C34", "C36", "C37", "C38", "C39", "C40",
                                                "C50", "C51", "C52", "C53", "C54"};
  return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

std::u16string withoutAsciiSpaces(std::u16string_view text) {
  std::u16string out;
  for (char16_t ch : text) {
    if (ch != u' ') out += ch;
  }
  return out;
}

}  // namespace

std::u16string& CConfig::blockText(size_t index) {
  if (index == 0) return taxName;
  if (index == 1) return currencySymbol;
  return reservedTexts.at(index - 2);
}

const std::u16string& CConfig::blockText(size_t index) const {
  return const_cast<CConfig*>(this)->blockText(index);
}

std::vector<ConfigField> CConfig::positions() const {
  CConfig& self = const_cast<CConfig&>(*this);  // the slots are only read here
  std::vector<ConfigField> out;
  const auto first = firstList(self);
  const auto second = secondList(self);
  const auto scalars = blockScalars(self);
  // The lists, "H", the scalars, C40 to C43 and the block's texts.
  out.reserve(first.size() + second.size() + 1 + scalars.size() + 4 + kBlockTextCount);
  for (size_t i = 0; i < first.size(); ++i)
    out.push_back({positionName('p', i), textSlotValue(first[i])});
  for (size_t i = 0; i < second.size(); ++i)
    out.push_back({positionName('B', i), textSlotValue(second[i])});
  out.push_back({"H", static_cast<int64_t>(headerValue)});
  for (size_t i = 0; i < scalars.size(); ++i)
    out.push_back({positionName('C', i), intValue(scalars[i].slot)});
  std::array<int64_t, 4> c40{};
  std::copy(reservedBytes17to20.begin(), reservedBytes17to20.end(), c40.begin());
  out.push_back({"C40", c40});
  out.push_back({"C41", diaryTitle});
  out.push_back({"C42", reservedRecords});
  out.push_back({"C43", static_cast<int64_t>(reservedValue13)});
  for (size_t i = 0; i < kBlockTextCount; ++i)
    out.push_back({positionName('C', 43 + i), blockText(i)});
  return out;
}

namespace {

// A setting names an item with a number below this; -1, or 0xFFFF as a 16-bit field keeps it,
// names none and stays as it is.
constexpr int kItemNumbers = 48;

bool namesItem(int item) {
  return item >= 0 && item < kItemNumbers;
}

}  // namespace

void CConfig::itemInsertedAt(int k) {
  for (int* item : {&decreaseItem, &increaseItem, &taxExpenseItem, &taxIncomeItem}) {
    if (namesItem(*item) && *item >= k) ++*item;
  }
}

void CConfig::itemRemovedAt(int k, int itemCount) {
  for (int* item : {&decreaseItem, &increaseItem, &taxExpenseItem, &taxIncomeItem}) {
    if (!namesItem(*item)) continue;
    if (*item == k) {
      *item = -1;
    } else if (*item > k) {
      --*item;
    }
  }
  if (itemCount > 0 && currentItem >= itemCount) currentItem = static_cast<uint16_t>(itemCount - 1);
}

void CConfig::copyFrom(const CConfig& other) {
  const CConfig kept = *this;
  *this = other;
  reservedWord8 = kept.reservedWord8;
  reservedByte14 = kept.reservedByte14;
  reservedByte15 = kept.reservedByte15;
  reservedWord9 = kept.reservedWord9;
  reservedWord10 = kept.reservedWord10;
  reservedBytes17to20 = kept.reservedBytes17to20;
  for (size_t i = kFirstUncopiedText; i < kBlockTextCount; ++i) blockText(i) = kept.blockText(i);
  graphFuzzyNames = 0;
  dataVersion = kept.dataVersion;
  blockVersion = kept.blockVersion;
  blockSubVersion = kept.blockSubVersion;
  scrambleMarker = kept.scrambleMarker;
  hasBlock = kept.hasBlock;
}

bool CConfig::differs(const CConfig& other) const {
  const auto mine = positions();
  const auto theirs = other.positions();
  for (size_t i = 0; i < mine.size(); ++i) {
    const std::string& name = mine[i].name;
    if (neverCompared(name)) continue;
    if ((name == "p6" || name == "p41") && listFontChoice != 0) continue;
    if ((name == "B3" || name == "B4") && fixedTotalsPeriod == 0) continue;
    if ((name == "B6" || name == "p31") && saveDisplayMode == 0) continue;
    if (mine[i].value != theirs[i].value) return true;
  }
  return delimiters != other.delimiters || decreaseName != other.decreaseName ||
         increaseName != other.increaseName;
}

UpgradeResult CConfig::upgrade(Prompts& prompts, const std::vector<std::u16string>& itemNames) {
  UpgradeResult result;
  const int version = dataVersion;
  if (version < kDataVersionTaxItems) {
    taxItemAsData = 0;
    graphFuzzyNames = 0;
    graphLine = 0;
    graphMonthCount = 12;
  }
  if (version < kDataVersionReserved7) reserved7 = 0;
  if (version < kDataVersionSameWeekClose) sameWeekClosing = 0;
  if (version < kDataVersionAdjustment) {
    reserved8 = 0;
    adjustmentMode = 1;
    decreaseItem = -1;
    increaseItem = -1;
    decreaseName = kDefaultAdjustmentName;
    increaseName = kDefaultAdjustmentName;
    reserved9 = 0;
    reserved10 = 10;
    reserved11 = 5;
    reserved12 = 5;
  }
  if (version < kDataVersionCalculatorTax) calculatorTaxMode = 3;
  if (version < kDataVersionTaxName) {
    for (size_t i = 0; i < itemNames.size(); ++i) {
      if (withoutAsciiSpaces(itemNames[i]) == u"税金") {
        taxExpenseItem = static_cast<int>(i);
        break;
      }
    }
  }
  if (version < kDataVersionReservedByte6) reservedByte6 = 1;
  if (version < kDataVersionReservedGroup1) {
    reservedGroupFlag = 0;
    reservedItems[0] = reservedItems[1] = -1;
    reservedTexts[0].clear();
    reservedTexts[1].clear();
  }
  if (version < kDataVersionReservedGroup2) {
    reservedGroup2Flag = 0;
    reservedItems[2] = reservedItems[3] = -1;
    reservedTexts[2].clear();
    reservedTexts[3].clear();
  }
  if (version < kDataVersionLaterTexts && taxRate == 3.0 &&
      prompts.ask(MessageId::TaxRateThreePercent, {}, Buttons::YesNo, Answer::No) == Answer::Yes) {
    taxRate = 5;
  }

  // Files without the block count their block version as the data version.
  const int block = hasBlock ? blockVersion : version;
  if (block < kBlockVersionReservedWords) reservedWords2to5.fill(0);
  if (block < kBlockVersionStoreOption) {
    entryStoreOption = 1;
    result.markForSaving = true;
  }
  if (block < kBlockVersionReservedByte10) reservedByte10 = 1;

  if (version < kDataVersionCurrent) {
    dataVersion = kDataVersionCurrent;
    result.markForSaving = true;
  }
  return result;
}

void CConfig::clampUntrustedValues() {
  decimalPlaces = std::clamp(decimalPlaces, 0, 3);
  amountDigits = std::clamp(amountDigits, 0, 2);
  nameWidth = std::clamp(nameWidth, 0, 6);
  weeklyRestDays &= 0x7F;
  if (displayMode > 2) displayMode = 0;
  displaySubMode = std::clamp(displaySubMode, 0, 5);
  specialNameRows = std::clamp(specialNameRows, 3, 25);
}

TaxSettings CConfig::taxSettings() const {
  TaxSettings t;
  t.rate = TaxRate::fromPercent(taxRate);
  t.rounding = taxRounding;
  t.tenYen = taxBelowTenToZero != 0;
  t.decimalPlaces = decimalPlaces;
  return t;
}

TaxLineSettings CConfig::taxLineSettings() const {
  TaxLineSettings t;
  t.taxName = taxName.empty() ? std::u16string(kDefaultTaxName) : taxName;
  t.expenseItem = taxItemAsData != 0 ? -1 : taxExpenseItem;
  t.incomeItem = taxIncomeItem;
  return t;
}

PeriodSettings CConfig::periodSettings() const {
  PeriodSettings p;
  p.closingDay = closingDay;
  p.restDays = static_cast<unsigned>(weeklyRestDays) & 0x7Fu;
  p.holidayRule = closingHolidayRule;
  p.sameWeek = sameWeekClosing != 0;
  p.dayBefore = closeOneDayBefore != 0;
  p.namedByStart = closedMonthNaming != 0;
  p.fixedStart = totalsPeriodStart;
  p.fixedEnd = totalsPeriodEnd;
  return p;
}

}  // namespace sorami
