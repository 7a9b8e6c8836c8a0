#include "ledger/BudgetList.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <vector>

#include "support/ScriptedPrompts.h"
#include "support/StoredBytes.h"

namespace sorami {
namespace {

using test::Bytes;
using test::storedBytes;

std::vector<BudgetMonth> monthsOf(const CBudgetList& list) {
  std::vector<BudgetMonth> months;
  for (const CBudget& b : list) months.push_back(b.when());
  return months;
}

CBudgetList listOf(std::initializer_list<BudgetMonth> months) {
  CBudgetList list = CBudgetList::withStandardBudget();
  for (const BudgetMonth m : months) list.insert(CBudget(kBudgetMonth, m.year, m.month));
  return list;
}

TEST(BudgetList, NewListHoldsTheStandardBudget) {
  const CBudgetList list = CBudgetList::withStandardBudget();
  ASSERT_EQ(list.size(), 1u);
  const CBudget& standard = *list.begin();
  EXPECT_EQ(standard.kind, 4096);
  EXPECT_EQ(standard.when(), (BudgetMonth{1, 1}));
  EXPECT_EQ(standard.reserved, 0);
  for (const int32_t a : standard.amounts) EXPECT_EQ(a, 0);
}

TEST(BudgetList, AMonthStartsAsACopyOfTheStandard) {
  CBudgetList list = CBudgetList::withStandardBudget();
  CBudget& standard = list.budgetFor(1, 1);
  standard.amounts[0] = 30000;
  standard.amounts[47] = 5;
  standard.reserved = 7;

  const CBudget& march = list.budgetFor(2024, 3);
  EXPECT_EQ(march.kind, kBudgetMonth);
  EXPECT_EQ(march.when(), (BudgetMonth{2024, 3}));
  EXPECT_EQ(march.amounts, standard.amounts);
  EXPECT_EQ(march.reserved, 7);
  EXPECT_EQ(monthsOf(list), (std::vector<BudgetMonth>{{1, 1}, {2024, 3}}));
  EXPECT_TRUE(list.isModified());
  EXPECT_EQ(&list.budgetFor(2024, 3), &march);  // asked again: the same budget
}

TEST(BudgetList, WithoutStandardBudgetsStartEmpty) {
  CBudgetList list;
  const CBudget& may = list.budgetFor(2024, 5);
  for (const int32_t a : may.amounts) EXPECT_EQ(a, 0);
  CBudget& standard = list.budgetFor(1, 1);
  EXPECT_TRUE(standard.isStandard());
  for (const int32_t a : standard.amounts) EXPECT_EQ(a, 0);
  EXPECT_EQ(monthsOf(list), (std::vector<BudgetMonth>{{1, 1}, {2024, 5}}));
}

TEST(BudgetList, InsertKeepsMonthOrderAndOneBudgetPerMonth) {
  CBudgetList list = listOf({{2024, 3}, {2023, 12}, {2024, 1}});
  EXPECT_EQ(monthsOf(list), (std::vector<BudgetMonth>{{1, 1}, {2023, 12}, {2024, 1}, {2024, 3}}));
  list.setModified(false);
  CBudget again(kBudgetMonth, 2024, 1);
  again.amounts[0] = 1;
  EXPECT_FALSE(list.insert(again));
  EXPECT_FALSE(list.isModified());
  EXPECT_EQ(list.find({2024, 1})->amounts[0], 0);
}

TEST(BudgetList, RemoveBeforeKeepsTheStandardAndLaterMonths) {
  CBudgetList list = listOf({{2023, 12}, {2024, 3}, {2024, 4}, {2025, 1}});
  list.removeBefore(dayFromYmd(2024, 4, 15));
  EXPECT_EQ(monthsOf(list), (std::vector<BudgetMonth>{{1, 1}, {2024, 4}, {2025, 1}}));

  // A standard budget that a file stored with kind 0 stays as well.
  CBudgetList old;
  old.insert(CBudget(kBudgetMonth, 1, 1));
  old.insert(CBudget(kBudgetMonth, 2020, 1));
  old.removeBefore(dayFromYmd(2024, 4, 15));
  EXPECT_EQ(monthsOf(old), (std::vector<BudgetMonth>{{1, 1}}));
}

TEST(BudgetList, AmountsFollowInsertedAndRemovedItems) {
  CBudgetList list = listOf({{2024, 3}});
  for (CBudget* b : {list.find({1, 1}), list.find({2024, 3})}) {
    std::iota(b->amounts.begin(), b->amounts.end(), 100);  // 100 .. 147
  }
  list.itemInsertedAt(2);
  for (const CBudget& b : list) {
    EXPECT_EQ(b.amounts[1], 101);
    EXPECT_EQ(b.amounts[2], 0);
    EXPECT_EQ(b.amounts[3], 102);
    EXPECT_EQ(b.amounts[47], 146);  // the last one dropped
  }
  list.itemRemovedAt(2);
  for (const CBudget& b : list) {
    EXPECT_EQ(b.amounts[2], 102);
    EXPECT_EQ(b.amounts[46], 146);
    EXPECT_EQ(b.amounts[47], 146);  // the last position keeps its value
  }
  list.itemInsertedAt(48);  // beyond the table: nothing moves
  EXPECT_EQ(list.find({1, 1})->amounts[47], 146);
}

TEST(BudgetList, DeleteAll) {
  CBudgetList list = listOf({{2024, 3}});
  list.deleteAll();
  EXPECT_TRUE(list.empty());
}

TEST(BudgetList, StoredForm) {
  CBudget b(kBudgetMonth, 2024, 3);
  b.reserved = 0x1234;
  b.amounts[0] = -1;
  const Bytes bytes = storedBytes([&](Archive& ar) { b.write(ar); });
  ASSERT_EQ(bytes.size(), 8u + 2u + 48u * 4u);
  EXPECT_EQ(
      Bytes(bytes.begin(), bytes.begin() + 14),
      (Bytes{0x00, 0x00, 0xE8, 0x07, 0x03, 0x00, 0x34, 0x12, 0x30, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));

  EXPECT_EQ(storedBytes([](Archive& ar) { CBudgetList().write(ar); }), (Bytes{0x00, 0x00}));

  // A list: the count, then each budget as an object of class CBudget.
  const CBudgetList list = listOf({{2024, 3}});
  const Bytes listBytes = storedBytes([&](Archive& ar) { list.write(ar); });
  const size_t body = 8 + 2 + 48 * 4;
  ASSERT_EQ(listBytes.size(), 2 + (2 + 4 + 7) + body + 2 + body);
  EXPECT_EQ(
      Bytes(listBytes.begin(), listBytes.begin() + 15),
      (Bytes{0x02, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x07, 0x00, 'C', 'B', 'u', 'd', 'g', 'e', 't'}));
  EXPECT_EQ(listBytes[15 + body], 0x01);
  EXPECT_EQ(listBytes[16 + body], 0x80);

  CBudgetList back;
  test::ScriptedPrompts prompts;
  Archive in(listBytes);
  back.serialize(in, prompts);
  EXPECT_EQ(in.remaining(), 0u);
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_FALSE(back.isModified());
  EXPECT_EQ(monthsOf(back), monthsOf(list));
  EXPECT_EQ(back.begin()->kind, 4096);
}

// Writes a budget list by hand: `budgets` writes the budgets after the count.
Bytes listBytes(uint32_t count, const std::function<void(Archive&)>& budgets) {
  return storedBytes([&](Archive& ar) {
    ar.writeCount(count);
    budgets(ar);
  });
}

void writeBudget(Archive& ar, uint16_t kind, uint16_t year, uint16_t month,
                 std::vector<int32_t> amounts) {
  ar.writeObjectTag(ClassId::Budget);
  ar.writeU16(kind);
  ar.writeU16(year);
  ar.writeU16(month);
  ar.writeU16(0);
  ar.writeCount(static_cast<uint32_t>(amounts.size()));
  for (const int32_t a : amounts) ar.writeI32(a);
}

TEST(BudgetList, ShortAndLongAmountTablesFitTheItems) {
  std::vector<int32_t> many(60, 9);
  many[47] = 47;
  const Bytes bytes = listBytes(2, [&](Archive& ar) {
    writeBudget(ar, kBudgetStandard, 1, 1, {5, 6});
    writeBudget(ar, kBudgetMonth, 2024, 3, many);
  });
  CBudgetList list;
  test::ScriptedPrompts prompts;
  Archive in(bytes);
  list.read(in, prompts);
  EXPECT_EQ(in.remaining(), 0u);
  EXPECT_TRUE(prompts.shown.empty());
  const CBudget& standard = *list.find({1, 1});
  EXPECT_EQ(standard.amounts[1], 6);
  EXPECT_EQ(standard.amounts[2], 0);
  EXPECT_EQ(list.find({2024, 3})->amounts[47], 47);
}

TEST(BudgetList, DamagedBudgetsKeepWhatWasReadAndSaySo) {
  struct Case {
    const char* what;
    std::function<void(Archive&)> second;
  };
  const Case cases[] = {
      {"month 13", [](Archive& ar) { writeBudget(ar, kBudgetMonth, 2024, 13, {}); }},
      {"month 0", [](Archive& ar) { writeBudget(ar, kBudgetMonth, 2024, 0, {}); }},
      {"null object", [](Archive& ar) { ar.writeNullObject(); }},
      {"entry object", [](Archive& ar) { ar.writeObjectTag(ClassId::Hinmei); }},
      {"amount count past the end",
       [](Archive& ar) {
         ar.writeObjectTag(ClassId::Budget);
         for (int i = 0; i < 4; ++i) ar.writeU16(1);
         ar.writeCount(1000000);
         ar.writeU32(0);
       }},
      {"cut short", [](Archive& ar) { ar.writeObjectTag(ClassId::Budget); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes bytes = listBytes(3, [&](Archive& ar) {
      writeBudget(ar, kBudgetStandard, 1, 1, std::vector<int32_t>(48, 1));
      c.second(ar);
      writeBudget(ar, kBudgetMonth, 2024, 4, std::vector<int32_t>(48, 1));
    });
    CBudgetList list;
    test::ScriptedPrompts prompts;
    Archive in(bytes);
    list.read(in, prompts);
    EXPECT_EQ(monthsOf(list), (std::vector<BudgetMonth>{{1, 1}}));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              u"予算部分データが壊れていますので、予算が必要なら再度設定してください。");
  }
}

TEST(BudgetList, MonthsBeforeTheFirstKeptEntryAreDropped) {
  const Bytes bytes = listBytes(4, [](Archive& ar) {
    writeBudget(ar, kBudgetStandard, 1, 1, {});
    writeBudget(ar, kBudgetMonth, 2023, 12, {});
    writeBudget(ar, kBudgetMonth, 2024, 2, {});
    writeBudget(ar, kBudgetMonth, 2024, 3, {});
  });
  CBudgetList list;
  test::ScriptedPrompts prompts;
  Archive in(bytes);
  list.read(in, prompts, BudgetMonth{2024, 3});
  EXPECT_EQ(monthsOf(list), (std::vector<BudgetMonth>{{1, 1}, {2024, 3}}));
}

}  // namespace
}  // namespace sorami
