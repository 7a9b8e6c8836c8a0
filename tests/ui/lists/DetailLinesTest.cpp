#include "lists/DetailLines.h"

#include <gtest/gtest.h>

#include "core/ledger/LedgerFixture.h"
#include "lists/CodedLine.h"
#include "platform/QtText.h"
#include "rules/HolidayCalendar.h"

namespace sorami {
namespace {

using test::day;
using test::kBorrow;
using test::kFood;
using test::kGoods;
using test::kIntoAccount;
using test::kOutOfAccount;
using test::kRepayLoan;
using test::kSalary;
using test::LedgerFixture;

// Widest columns: amounts end at the name start + 32 cells, each further one 12 cells on.
constexpr DetailGeometry kWide{9, 20};
const TextMeasure kCells = TextMeasure::cells();

class Holidays : public HolidayCalendar {
 public:
  int kindOfDay(Day d) const override { return d == day(8) ? 1 : 0; }
};

struct DetailFixture : LedgerFixture {
  DetailFixture() { store.noAutoDefinition = true; }

  DetailSource source(uint16_t item, DisplayMode mode, Day first, Day last) {
    DetailSource s;
    s.store = &store;
    s.item = item == 0xFFFF ? nullptr : store.itemByNumber(item);
    s.mode = mode;
    s.first = first;
    s.last = last;
    s.geometry = kWide;
    s.weeklyRestDays = 0x41;
    s.holidays = &holidays;
    return s;
  }
  DetailLines showDayOf(uint16_t item, Day d) {
    showDay(d);
    DetailLines lines;
    lines.fill(source(item, DisplayMode::DayInput, d, d));
    return lines;
  }
  DetailLines showPeriodOf(uint16_t item, Day first, Day last, DisplayMode mode) {
    showPeriod(first, last);
    store.context().window.mode = mode;
    store.computeToDay(first);
    store.recomputeWindow();
    DetailLines lines;
    lines.fill(source(item, mode, first, last));
    return lines;
  }

  Holidays holidays;
};

QString textAt(const std::vector<LineCell>& cells, int x) {
  for (const LineCell& c : cells) {
    if (c.x == x) return c.text;
  }
  return QStringLiteral("<none>");
}

const LineCell* cellAt(const std::vector<LineCell>& cells, int x) {
  for (const LineCell& c : cells) {
    if (c.x == x) return &c;
  }
  return nullptr;
}

TEST(DetailLines, OrdinaryItemOfADay) {
  DetailFixture f;
  f.add(day(3), kFood, 1200, u"パン");
  f.add(day(3), kGoods, 300, u"石鹸");
  f.add(day(3), kFood, 1234567, u"とても長い品名の食料品をまとめて");
  f.add(day(4), kFood, 999, u"翌日");
  const DetailLines lines = f.showDayOf(kFood, day(3));

  EXPECT_EQ(lines.headerText(), QStringLiteral("C  M\t \t品　名\t金　額\t備　考"));
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines.totalText(), QStringLiteral("C   \t \t　　　　　合 計\t1,235,767\t \t "));

  // Name at one cell, amount ending at 1 + 32, the memo one cell after it.
  const auto cells = lines.cells(0, kCells);
  EXPECT_EQ(textAt(cells, 1), QStringLiteral("パン"));
  EXPECT_EQ(textAt(cells, 33), QStringLiteral("1,200"));
  EXPECT_TRUE(cellAt(cells, 33)->alignRight);
  EXPECT_EQ(cellAt(cells, 1)->clipRight, 21) << "never more than 20 cells";
  // A long amount pushes the clip to its own left edge.
  const auto wide = lines.cells(1, kCells);
  EXPECT_EQ(cellAt(wide, 1)->clipRight, 21);
  DetailSource narrow = lines.source();
  narrow.geometry = {7, 14};
  DetailLines small;
  small.fill(narrow);
  EXPECT_EQ(cellAt(small.cells(1, kCells), 1)->clipRight, 1 + 24 - 9) << "cut at 1,234,567";
}

TEST(DetailLines, DayWithoutLinesOfTheItem) {
  DetailFixture f;
  f.add(day(3), kGoods, 300);
  const DetailLines lines = f.showDayOf(kFood, day(3));
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(lines.totalText(), QStringLiteral("C   \t \t　　　　　合 計\t0\t \t "));
}

TEST(DetailLines, SummaryModeShowsDatesAndPlacesLateLinesOnTheirDay) {
  DetailFixture f;
  f.add(day(2), kFood, 100, u"a");
  f.add(day(5), kFood, 200, u"b");
  DetailLines lines = f.showPeriodOf(kFood, day(1), day(31), DisplayMode::Summary);
  EXPECT_EQ(lines.headerText(), QStringLiteral("C  M\t年/月/日 \t品　名\t金　額\t備　考"));
  EXPECT_EQ(lines.totalText(), QStringLiteral("C   \t         \t　　　　　合 計\t300\t \t "));
  const auto cells = lines.cells(1, kCells);
  EXPECT_EQ(textAt(cells, 0), QStringLiteral("24/01/05"));
  EXPECT_EQ(textAt(cells, 9), QStringLiteral("b"));
  EXPECT_EQ(textAt(cells, 9 + 32), QStringLiteral("200"));

  const auto late = f.add(day(3), kFood, 50, u"c");
  EXPECT_EQ(lines.append(late), 1);
  EXPECT_EQ(&lines.entry(1), &*late);
  EXPECT_EQ(lines.firstLineFrom(day(3)), 1);
  EXPECT_EQ(lines.lastLineOf(day(4)), 1);
  EXPECT_EQ(lines.firstLineFrom(day(30)), 2) << "none later: the last line";
}

TEST(DetailLines, SavingsGroupedByAccount) {
  DetailFixture f;
  f.account(u"銀行", 50000);
  f.account(u"郵便", 7000);
  f.account(u"証券", 1000);
  f.add(day(1), kIntoAccount, 5000, u"銀行");  // before the span
  f.add(day(3), kIntoAccount, 3000, u"銀行");
  f.add(day(4), kOutOfAccount, 1000, u"証券");
  f.add(day(5), kOutOfAccount, 2000, u"銀行");
  f.add(day(5), kIntoAccount, 400, u"旧口座");  // names no account
  DetailLines lines = f.showPeriodOf(kIntoAccount, day(2), day(31), DisplayMode::Summary);

  EXPECT_EQ(lines.kind(), DetailKind::Savings);
  EXPECT_EQ(lines.headerText(),
            QStringLiteral("D  M\t年/月/日 \t口 座 名\t入　金\t出　金\t残　高\t備　考 "));
  ASSERT_EQ(lines.size(), 5);
  const QString names[] = {QStringLiteral("銀行"), QStringLiteral("銀行"), QStringLiteral("郵便"),
                           QStringLiteral("証券"), QStringLiteral("旧口座")};
  const int64_t balances[] = {58000, 56000, 7000, 0, 0};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(toQString(lines.entry(i).name), names[i]) << i;
    if (i < 4) {
      EXPECT_EQ(lines.row(i).balance, balances[i]) << i;
    }
  }
  EXPECT_TRUE(lines.isDefinitionLine(2));
  EXPECT_FALSE(lines.row(4).hasBalance);
  EXPECT_EQ(lines.totalText(),
            QStringLiteral("D   \t         \t　　　　　合 計\t3,400\t3,000\t63,000\t "));

  // Columns: in, out and balance 12 cells apart; the unused account says so in the date column.
  const auto deposit = lines.cells(0, kCells);
  EXPECT_EQ(textAt(deposit, 9 + 32), QStringLiteral("3,000"));
  EXPECT_EQ(textAt(deposit, 9 + 44), QStringLiteral("0"));
  EXPECT_EQ(textAt(deposit, 9 + 56), QStringLiteral("58,000"));
  const auto unused = lines.cells(2, kCells);
  EXPECT_EQ(textAt(unused, 0), QStringLiteral("<未使用>"));
  EXPECT_EQ(cellAt(unused, 0)->color, CellColor::Highlight);
  const auto emptied = lines.cells(3, kCells);
  EXPECT_EQ(textAt(emptied, 9 + 44), QStringLiteral("1,000"));
  EXPECT_EQ(cellAt(emptied, 9 + 56)->color, CellColor::Normal);
  EXPECT_EQ(cellAt(lines.cells(4, kCells), 9 + 56), nullptr) << "no balance";
}

TEST(DetailLines, AccountWithoutTransfersInTheDay) {
  DetailFixture f;
  f.account(u"銀行", 50000);
  f.account(u"郵便", -300);
  const DetailLines lines = f.showDayOf(kOutOfAccount, day(3));
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines.headerText(),
            QStringLiteral("D  M\t \t口 座 名\t入　金\t出　金\t残　高\t備　考 "));
  EXPECT_EQ(lines.totalText(), QStringLiteral("D   \t \t　　　　　合 計\t0\t0\t49,700\t "));
  const auto cells = lines.cells(1, kCells);
  EXPECT_EQ(textAt(cells, 1), QStringLiteral("郵便"));
  EXPECT_EQ(textAt(cells, 1 + 56), QStringLiteral("-300"));
  EXPECT_EQ(cellAt(cells, 1 + 56)->color, CellColor::Red);
}

TEST(DetailLines, LoansBorrowInTheFirstColumn) {
  DetailFixture f;
  f.loan(u"カード", 10000);
  f.add(day(3), kBorrow, 2000, u"カード");
  f.add(day(3), kRepayLoan, 500, u"カード");
  const DetailLines lines = f.showDayOf(kRepayLoan, day(3));
  EXPECT_EQ(lines.headerText(),
            QStringLiteral("D  M\t \t借 入 名\t借　入\t返　済\t残　高\t備　考 "));
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines.row(0).balance, 12000);
  EXPECT_EQ(lines.row(1).balance, 11500);
  EXPECT_EQ(lines.totalText(), QStringLiteral("D   \t \t　　　　　合 計\t2,000\t500\t11,500\t "));
}

TEST(DetailLines, CashBookRunsTheCashBalance) {
  DetailFixture f;  // initial cash 10,000
  f.account(u"銀行", 0);
  f.add(day(2), kFood, 1000, u"前月分");
  f.add(day(5), kSalary, 200000, u"給与");
  f.add(day(6), kFood, 1500, u"夕食");
  f.add(day(8), kIntoAccount, 50000, u"銀行");
  f.store.setDiary(day(6), u"日記");
  DetailLines lines = f.showPeriodOf(0xFFFF, day(3), day(31), DisplayMode::CashBook);

  EXPECT_EQ(lines.headerText(), QStringLiteral("F  M\t月/日\t項 目 名\t品　名\t入　金\t出　金\t"
                                               "現金残高\t備　考 "));
  ASSERT_EQ(lines.size(), 3) << "the diary is no line";
  EXPECT_EQ(lines.row(0).balance, 209000);
  EXPECT_EQ(lines.row(1).balance, 207500);
  EXPECT_EQ(lines.row(2).balance, 157500);
  // The transfer moves the cash but is no expense while savings stay out of the totals.
  EXPECT_EQ(lines.totalText(), QStringLiteral("FB  \t2024年\t01/03-01/31\t　　　　　合 計\t"
                                              "200,000\t1,500\t157,500\t "));

  const auto salary = lines.cells(0, kCells);
  EXPECT_EQ(textAt(salary, 0), QStringLiteral("01/05"));
  EXPECT_EQ(textAt(salary, 5), QStringLiteral("(金)"));
  EXPECT_EQ(textAt(salary, 10), QStringLiteral("給料"));
  EXPECT_EQ(textAt(salary, 21), QStringLiteral("給与"));
  EXPECT_EQ(textAt(salary, 21 + 32), QStringLiteral("200,000"));
  EXPECT_EQ(textAt(salary, 21 + 44), QStringLiteral("0"));
  EXPECT_EQ(textAt(salary, 21 + 56), QStringLiteral("209,000"));
  // 7 January is a Sunday, 8 January a holiday (Monday).
  const auto holiday = lines.cells(2, kCells);
  EXPECT_EQ(cellAt(holiday, 0)->color, CellColor::Red);
  EXPECT_EQ(cellAt(holiday, 5)->color, CellColor::Red);
  EXPECT_EQ(cellAt(salary, 5)->color, CellColor::Normal);

  // A line added for an earlier day goes after its day's lines; later balances follow.
  const auto late = f.add(day(5), kFood, 300, u"おやつ");
  EXPECT_EQ(lines.append(late), 1);
  EXPECT_EQ(lines.row(1).balance, 208700);
  EXPECT_EQ(lines.row(2).balance, 207200);
  EXPECT_EQ(lines.closingBalance(), 157200);
  EXPECT_EQ(lines.secondTotal(), 1800);
}

TEST(DetailLines, CashBookOpeningWithoutTheRunningState) {
  DetailFixture f;
  f.add(day(2), kFood, 1000);
  f.add(day(5), kFood, 500);
  f.showDay(day(20));  // the running state is elsewhere
  DetailLines lines;
  lines.fill(f.source(0xFFFF, DisplayMode::CashBook, day(3), day(31)));
  ASSERT_EQ(lines.size(), 1);
  EXPECT_EQ(lines.row(0).balance, 8500);
  DetailLines empty;
  empty.fill(f.source(0xFFFF, DisplayMode::CashBook, day(6), day(31)));
  EXPECT_EQ(empty.closingBalance(), 8500) << "an empty list closes on its opening balance";
}

TEST(DetailLines, SelectionTotals) {
  DetailFixture f;
  f.account(u"銀行", 50000);
  f.account(u"郵便", 7000);
  f.add(day(3), kIntoAccount, 3000, u"銀行");
  f.add(day(3), kOutOfAccount, 1000, u"銀行");
  f.add(day(3), kFood, 700, u"昼");
  f.add(day(3), kFood, 800, u"夜");
  int64_t amount = -1;

  const DetailLines food = f.showDayOf(kFood, day(3));
  EXPECT_EQ(food.selectionText({0, 1}, &amount),
            QStringLiteral("C   \t \t　　　 選択合計\t1,500\t \t "));
  EXPECT_EQ(amount, 1500);
  EXPECT_EQ(food.selectionText({1}, &amount), food.totalText());
  EXPECT_EQ(amount, 800);

  const DetailLines savings = f.showDayOf(kIntoAccount, day(3));
  ASSERT_EQ(savings.size(), 3);
  // Two lines of one account count its closing balance once.
  EXPECT_EQ(savings.selectionText({0, 1}, &amount),
            QStringLiteral("D   \t \t　　　 選択合計\t3,000\t1,000\t52,000\t "));
  EXPECT_EQ(amount, 1000);
  EXPECT_EQ(savings.selectionText({1, 2}, &amount),
            QStringLiteral("D   \t \t　　　 選択合計\t0\t1,000\t59,000\t "));

  DetailLines cash = f.showPeriodOf(0xFFFF, day(1), day(31), DisplayMode::CashBook);
  ASSERT_EQ(cash.size(), 4);
  f.store.context().options.savingsInTotals = true;
  EXPECT_EQ(cash.selectionText({0, 1, 2}, &amount),
            QStringLiteral("FB  \t \t \t　　　 選択合計\t1,000\t3,700\t \t "));
  EXPECT_EQ(amount, 3700);
}

TEST(DetailLines, HitColumns) {
  DetailFixture f;
  f.add(day(3), kFood, 700);
  const struct {
    uint16_t item;
    DisplayMode mode;
    int cell;
    int hit;
  } cases[] = {
      {kFood, DisplayMode::DayInput, 20, HitName},
      {kFood, DisplayMode::DayInput, 21, HitAmount},
      {kFood, DisplayMode::DayInput, 32, HitAmount},
      {kFood, DisplayMode::DayInput, 33, HitMemo},
      {kFood, DisplayMode::Summary, 28, HitName},
      {kFood, DisplayMode::Summary, 40, HitAmount},
      {kFood, DisplayMode::Summary, 41, HitMemo},
      {kIntoAccount, DisplayMode::DayInput, 56, HitAmount},
      {kIntoAccount, DisplayMode::DayInput, 57, HitMemo},
      {0xFFFF, DisplayMode::CashBook, 40, HitName},
      {0xFFFF, DisplayMode::CashBook, 41, HitAmount},
      {0xFFFF, DisplayMode::CashBook, 76, HitAmount},
      {0xFFFF, DisplayMode::CashBook, 77, HitMemo},
  };
  for (const auto& c : cases) {
    DetailLines lines;
    lines.fill(f.source(c.item, c.mode, day(3), day(3)));
    const TextMeasure m = TextMeasure::cells(8);
    EXPECT_EQ(lines.hitColumn(c.cell * 8 + 7, m), c.hit) << c.item << " " << c.cell;
  }
}

TEST(CodedLine, Layouts) {
  const TextMeasure m = TextMeasure::cells();
  const auto layout = [&](const QString& line) {
    return layoutCodedLine(line, kWide, m, 2, 100).cells;
  };
  // C: the amount under the list's amount column, whatever the first field's width.
  auto c = layout(QStringLiteral("C   \t         \t　　　　　合 計\t1,500\t \t "));
  EXPECT_EQ(textAt(c, 2 + 9 + 32), QStringLiteral("1,500"));
  EXPECT_EQ(textAt(c, 2 + 9), QStringLiteral("　　　　　合 計"));
  // D: three amounts 12 cells apart, a negative balance in red.
  auto d = layout(QStringLiteral("D   \t \t　合 計\t1\t2\t-3\t "));
  EXPECT_EQ(textAt(d, 2 + 1 + 32), QStringLiteral("1"));
  EXPECT_EQ(textAt(d, 2 + 1 + 44), QStringLiteral("2"));
  EXPECT_EQ(cellAt(d, 2 + 1 + 56)->color, CellColor::Red);
  // F with B: year and days in the inverted colour; fixed columns.
  auto fb = layout(QStringLiteral("FB  \t2024年\t01/03-01/31\t合 計\t1\t2\t3\t "));
  EXPECT_EQ(cellAt(fb, 2)->color, CellColor::Style2BlueInverted);
  EXPECT_EQ(textAt(fb, 12), QStringLiteral("01/03-01/31"));
  EXPECT_EQ(textAt(fb, 2 + 21 + 56), QStringLiteral("3"));
  // M: navy; B in third place: bold; H: at the window's edge, red with R.
  auto header =
      layoutCodedLine(QStringLiteral("C  M\t \t品　名\t金　額\t備　考"), kWide, m, 2, 100);
  EXPECT_EQ(header.cells.front().color, CellColor::Navy);
  EXPECT_FALSE(header.bold);
  auto period = layoutCodedLine(QStringLiteral("HBBR\t 01/07(日)'2024"), kWide, m, -50, 100);
  EXPECT_TRUE(period.bold);
  EXPECT_EQ(period.cells.front().x, 0);
  EXPECT_EQ(period.cells.front().color, CellColor::Red);
  // A: the figure ends one cell before the right edge.
  auto a = layout(QStringLiteral("A  M\t  項目名\t金　額"));
  EXPECT_EQ(textAt(a, 99), QStringLiteral("金　額"));
  // K: the amount at 26 + A + 24.
  auto k = layout(QStringLiteral("K   \ta\tb\tc\t9\td"));
  EXPECT_EQ(textAt(k, 2 + 26 + 33), QStringLiteral("9"));
  EXPECT_TRUE(layout(QStringLiteral("Z   \tnothing")).empty());
}

}  // namespace
}  // namespace sorami
