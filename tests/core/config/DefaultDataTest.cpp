#include "config/DefaultData.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "config/Config.h"

namespace sorami {
namespace {

const CHinmei& at(const CHinmeiList& list, size_t i) {
  return *std::next(list.begin(), i);
}

const CHinmei* itemNamed(const CHinmeiList& list, std::u16string_view name) {
  for (const CHinmei& e : list) {
    if (e.isItemDefinition() && e.name == name) return &e;
  }
  return nullptr;
}

TEST(DefaultData, DefaultCountsGiveHeaderItemsSamplesAndMarker) {
  for (const bool samples : {true, false}) {
    CConfig config;
    const NewLedger ledger = buildNewLedger(config, {14, 5, 5000, samples});
    const CHinmeiList& list = *ledger.entries;
    ASSERT_EQ(list.size(), samples ? 85u : 21u);
    const CHinmei& header = at(list, 0);
    EXPECT_EQ(header.item, ITEM_HEADER);
    EXPECT_EQ(header.flags, 0x8000);
    EXPECT_EQ(header.amount, 5000);
    EXPECT_EQ(header.memo, config.toText());
    EXPECT_EQ(at(list, 1).name, u"旅費、交通");
    EXPECT_EQ(at(list, 1).memo, u"3");
    EXPECT_EQ(at(list, 13).flags, 0xC100);
    EXPECT_EQ(at(list, 13).memo, u"2");
    EXPECT_EQ(at(list, 19).name, u"借入");
    EXPECT_EQ(at(list, 19).flags, 0xA200);
    EXPECT_EQ(at(list, 19).item, 18);
    const CHinmei& marker = list.entries().back();
    EXPECT_EQ(marker.date, MaxDay);
    EXPECT_EQ(marker.name, u"Last Mark");
    EXPECT_EQ(ledger.budgets->size(), 1u);
    EXPECT_TRUE(list.isModified());
    if (samples) {
      EXPECT_EQ(at(list, 20).name, u"電車賃");
      EXPECT_EQ(at(list, 20).flags, 0x1000);
      EXPECT_EQ(at(list, 20).date, MinDay);
      EXPECT_EQ(at(list, 83).name, u"その他");
      EXPECT_EQ(at(list, 83).item, 15);
    }
  }
}

// A new file's tax lines go to its 税金 item, unless the settings keep them with their data.
TEST(DefaultData, TaxLinesGoToTheTaxItem) {
  CConfig config;
  const NewLedger ledger = buildNewLedger(config, {20, 5, 0, false});
  EXPECT_EQ(ledger.entries->itemByNumber(config.taxExpenseItem)->name, u"税金");
  CConfig sameItem;
  sameItem.taxItemAsData = 1;
  buildNewLedger(sameItem, {});
  EXPECT_EQ(sameItem.taxExpenseItem, 0);
}

TEST(DefaultData, MoreExpenseItemsMoveTheLaterNumbers) {
  CConfig config;
  const NewLedger ledger = buildNewLedger(config, {20, 5, 0, true});
  const CHinmeiList& list = *ledger.entries;
  EXPECT_EQ(itemNamed(list, u"貯蓄入")->item, 18);
  EXPECT_EQ(itemNamed(list, u"借入返済")->item, 19);
  EXPECT_EQ(itemNamed(list, u"所得")->item, 20);
  EXPECT_EQ(at(list, 13).name, u"* 未使用 *");
  EXPECT_EQ(at(list, 13).memo, u"0");
  const CHinmei& salary = at(list, 26 + 59);  // the first sample of item 14 of the table
  EXPECT_EQ(salary.name, u"給与");
  EXPECT_EQ(salary.item, 20);
  EXPECT_EQ(config.expenseItemCount, 20);
}

TEST(DefaultData, TooFewItemsAreRaisedToTheMinimum) {
  CConfig config;
  const NewLedger ledger = buildNewLedger(config, {10, 2, 0, false});
  EXPECT_EQ(ledger.entries->size(), 21u);
  EXPECT_EQ(config.expenseItemCount, 14);
  EXPECT_EQ(config.incomeItemCount, 5);
}

}  // namespace
}  // namespace sorami
