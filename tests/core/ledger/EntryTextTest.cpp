// Entries as text lines for the clipboard, and pasting such text back on the current day.

#include "ledger/EntryText.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "LedgerFixture.h"

namespace sorami {
namespace {

using test::day;
using test::kFood;
using test::kOutOfAccount;
using test::kSalary;
using test::LedgerFixture;
using namespace std::literals;

// A ledger showing day 10 with a bank account, a transfer pair on day 5 (withdrawn into 食費)
// and two ordinary lines.
class EntryTextTest : public ::testing::Test {
 protected:
  EntryTextTest() {
    f.account(u"銀行", 50000);
    food = f.add(day(5), kFood, 1200, u"パン");
    food->setVisibleMemo(u"朝");
    salary = f.add(day(5), kSalary, 200000, u"給与");
    pair = f.addPair(LedgerFixture::line(day(5), kOutOfAccount, 3000, u"銀行"),
                     LedgerFixture::line(day(5), kFood, 3000, u"引出"));
    f.showDay(day(10));
  }
  std::u16string text(const std::vector<CHinmeiList::Position>& lines) {
    return entriesText(f.store, leadingEntries(f.store, lines), 0);
  }
  std::vector<const CHinmei*> linesOn(Day d) {
    std::vector<const CHinmei*> out;
    for (const CHinmei& e : f.store.entries()) {
      if (e.date == d) out.push_back(&e);
    }
    return out;
  }
  size_t paste(std::u16string_view t, uint16_t selected = kFood) {
    return pasteEntries(f.store, t, f.store.itemByNumber(selected), 0);
  }

  LedgerFixture f;
  CHinmeiList::Position food, salary, pair;
};

TEST_F(EntryTextTest, TextLinesOfExpenseIncomeInvalidDateAndTransfer) {
  EXPECT_EQ(entryTextLine(f.store, *food, 0), u"2024/01/05\t食費\tパン\t0\t1,200\t朝\t100");
  EXPECT_EQ(entryTextLine(f.store, *salary, 0), u"2024/01/05\t給料\t給与\t200,000\t0\t\t200");
  CHinmei undated = *food;
  undated.date = InvalidDay;
  undated.amount = 0;
  EXPECT_EQ(entryTextLine(f.store, undated, 2), u"-1/-01/-01\t食費\tパン\t0\t0\t朝\t100");
  EXPECT_EQ(entryTextLine(f.store, *food, 2), u"2024/01/05\t食費\tパン\t0\t12.00\t朝\t100");
  // Either half of a transfer copies the pair, first half first, once.
  const auto second = std::next(pair);
  EXPECT_EQ(text({second, pair, food}),
            u"2024/01/05\t口座から\t銀行\t3,000\t0\t\t4A00\n"
            u"2024/01/05\t食費\t引出\t0\t3,000\t\t901\n"
            u"2024/01/05\t食費\tパン\t0\t1,200\t朝\t100");
}

TEST_F(EntryTextTest, SelectedLinesMapToDistinctLeadingEntries) {
  const auto second = std::next(pair);
  const auto definition = f.store.definitionByName(u"銀行", EF_ACCOUNT).value();
  const std::vector<CHinmeiList::Position> lines{second, food, pair, food, definition};
  EXPECT_EQ(leadingEntries(f.store, lines), (std::vector<CHinmeiList::Position>{pair, food}));
}

TEST_F(EntryTextTest, RemovingEntriesTakesPartnersAndFiguresAlong) {
  f.showDay(day(5));
  const int64_t cash = f.row(ITEM_CASH_BALANCE);
  removeEntries(f.store, leadingEntries(f.store, {std::next(pair), food}));
  EXPECT_EQ(linesOn(day(5)), std::vector<const CHinmei*>{&*salary});
  EXPECT_EQ(f.store.itemTotal(kFood), 0);
  EXPECT_EQ(f.row(ITEM_CASH_BALANCE), cash + 1200);  // the withdrawal spent in cash is undone
  EXPECT_TRUE(f.store.isModified());
}

TEST(EntryTextRecords, SplitAtBareLineFeedsSkippingEmptyOnes) {
  const struct {
    std::u16string_view text;
    std::vector<std::u16string_view> records;
  } cases[] = {
      {u"a\nb", {u"a", u"b"}}, {u"a\r\nb\n", {u"a\r\nb"}}, {u"\n\nx\n\n", {u"x"}}, {u"", {}},
      {u"\r\n", {u"\r\n"}},
  };
  for (const auto& c : cases) EXPECT_EQ(pasteRecords(c.text), c.records);
}

TEST(EntryTextRecords, FlagsAreHexWithOddCharactersAsZeroKeptToSixteenBits) {
  const struct {
    std::u16string_view field;
    uint16_t flags;
  } cases[] = {
      {u"100", 0x100}, {u"C201", 0xC201}, {u"12345", 0x2345},  {u"8x1", 0x801},
      {u"ff", 0},      {u"", 0},          {u"4A00\r", 0xA000},
  };
  for (const auto& c : cases) EXPECT_EQ(pastedFlags(c.field), c.flags) << c.field.size();
}

TEST_F(EntryTextTest, PastedRecordsMakeEntriesOnTheCurrentDayOrAreSkipped) {
  const struct {
    std::u16string_view record;
    std::optional<std::u16string_view> name;  // nothing: the record is skipped
    int32_t amount = 0;
    std::u16string_view memo = u"";
    uint16_t item = kFood;
  } cases[] = {
      {u"2020/02/02\t食費\t米\t0\t2,000\t一\r\n二\n\t100", u"米", 2000, u"一\r\n二"},
      {u"x\t何でも\t米\t0\t500\t\t100", u"米", 500},
      {u"x\t\t米\t700\t0\t\t200", u"米", 700},  // the other field when the own is 0
      {u"x\t口座から\t銀行\t3,000\t0\t\t4A00", u"銀行", 3000, u"", kOutOfAccount},
      {u"\t食費\t米\t0\t500\t\t100", std::nullopt},  // no date
      {u"x\t食費\t米\t\t500\t\t100", std::nullopt},  // no income field
      {u"x\t食費\t米\t0\t500\t100", std::nullopt},   // six fields
      {u"x\t食費\t米\t0\t500\t\t100\tmore", std::nullopt},
      {u"x\t無い\t米\t0\t500\t\t4000", std::nullopt},  // a transfer to no item of that name
      {u"x\t食費\t米\t0\t99999999999\t\t100", std::nullopt},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(n++);
    const auto e = pastedEntry(f.store, c.record, f.store.itemByNumber(kFood), 0);
    ASSERT_EQ(e.has_value(), c.name.has_value());
    if (!e) continue;
    EXPECT_EQ(e->name, *c.name);
    EXPECT_EQ(e->amount, c.amount);
    EXPECT_EQ(e->visibleMemo(), c.memo);
    EXPECT_EQ(e->item, c.item);
    EXPECT_EQ(e->date, day(10));
    EXPECT_EQ(e->flags & EF_ITEM, 0);
  }
}

TEST_F(EntryTextTest, TheCashBookPicksTheItemByName) {
  f.store.context().window.mode = DisplayMode::CashBook;
  const CHinmei* food = f.store.itemByNumber(kFood);
  EXPECT_EQ(pastedEntry(f.store, u"x\t給料\t給与\t9\t0\t\t200", food, 0)->item, kSalary);
  EXPECT_FALSE(pastedEntry(f.store, u"x\t無い\t給与\t9\t0\t\t200", food, 0));
}

TEST_F(EntryTextTest, CopiedLinesPasteOnAnotherDayWithTheirPair) {
  f.showDay(day(5));
  const int64_t foodTotal = f.store.itemTotal(kFood);
  const int64_t expenses = f.row(ITEM_EXPENSE_TOTAL);
  f.showDay(day(10));
  const std::u16string copied = text({food, std::next(pair)});
  EXPECT_EQ(paste(copied), 3u);
  const auto lines = linesOn(day(10));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0]->name, u"パン");
  EXPECT_EQ(lines[0]->flags, 0x0100);
  EXPECT_EQ(lines[1]->flags, EF_ACCOUNT | EF_INCOME | EF_PAIR);
  EXPECT_EQ(lines[2]->flags, EF_EXPENSE | EF_PAIR_MASK);
  // The pasted lines count as the copied ones did, also when computed afresh.
  EXPECT_EQ(f.store.itemTotal(kFood), foodTotal);
  EXPECT_EQ(f.row(ITEM_EXPENSE_TOTAL), expenses);
  f.showDay(day(10), true);
  EXPECT_EQ(f.row(ITEM_EXPENSE_TOTAL), expenses);
  EXPECT_TRUE(f.store.isModified());
}

TEST_F(EntryTextTest, AHalfWithoutItsPartnerIsPastedAsAnOrdinaryLine) {
  // A first half followed by an ordinary line, and a second half on its own.
  EXPECT_EQ(paste(u"x\t食費\ta\t0\t100\t\t900\n"
                  u"x\t食費\tb\t0\t200\t\t100\n"
                  u"x\t食費\tc\t0\t300\t\t901"),
            3u);
  for (const CHinmei* e : linesOn(day(10))) EXPECT_EQ(e->flags & EF_PAIR_MASK, 0) << e->amount;
  EXPECT_EQ(f.store.itemTotal(kFood), 600);
  EXPECT_EQ(f.row(ITEM_EXPENSE_TOTAL), 600);
}

TEST_F(EntryTextTest, APairIsStoredWholeOrNotAtAll) {
  const int64_t cash = f.row(ITEM_CASH_BALANCE);
  const size_t before = f.store.size();
  // The second half has no amount, which the store refuses: the first goes again.
  EXPECT_EQ(paste(u"x\t口座から\t銀行\t3,000\t0\t\t4A00\nx\t食費\t引出\t0\t0\t\t901"), 0u);
  EXPECT_EQ(f.store.size(), before);
  EXPECT_EQ(f.row(ITEM_CASH_BALANCE), cash);
  EXPECT_EQ(f.store.itemTotal(kOutOfAccount), 0);
}

TEST_F(EntryTextTest, TextFromAnywhereNeverStoresHalfEntriesNorFloodsMessages) {
  const size_t before = f.store.size();
  std::u16string garbage;
  for (int i = 0; i < 1'000'000; ++i) garbage += u"a\tb\tc\td\te\tf\tg\n";
  garbage += u"\t\t\t\t\t\t\t\n\r\r\n\0\t\xFFFF"sv;
  // Lines of a spreadsheet end in "\r\n", which keeps them in one record that fits nothing.
  garbage += u"\n1\t食費\tx\t0\t5\t\t100\r\n1\t食費\ty\t0\t6\t\t100\r\n";
  EXPECT_EQ(paste(garbage), 0u);
  EXPECT_EQ(f.store.size(), before);
  // Every garbage line had a zero amount: the store said so once.
  EXPECT_EQ(std::count_if(f.prompts.shown.begin(), f.prompts.shown.end(),
                          [](const auto& s) { return s.id == MessageId::ZeroAmountRefused; }),
            1);
  EXPECT_EQ(f.store.context().prompts, &f.prompts);
}

}  // namespace
}  // namespace sorami
