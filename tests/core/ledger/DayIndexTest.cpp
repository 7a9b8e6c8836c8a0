// The store finds the end of a day through its day index; whatever changed the list, a line
// placed at the end of its day lands there and the store stays in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LedgerFixture.h"
#include "ledger/HinmeiList.h"

namespace sorami::test {
namespace {

std::vector<std::u16string> namesOn(const CHinmeiList& store, Day d) {
  std::vector<std::u16string> names;
  for (const CHinmei& e : store) {
    if (e.isDated() && e.date == d) names.push_back(e.name.str());
  }
  return names;
}

using Names = std::vector<std::u16string>;

TEST(DayIndex, EveryChangeOfTheStoreKeepsTheIndexAndTheOrderRight) {
  LedgerFixture f;
  const auto check = [&f](const char* step) {
    EXPECT_EQ(f.store.consistencyProblem(), "") << step;
  };
  f.add(day(5), kFood, 1, u"a");
  f.add(day(3), kFood, 1, u"b");
  f.add(day(5), kFood, 1, u"c");
  f.add(day(5), kFood, 1, u"first", 0);
  check("insert");
  f.store.insertPair(LedgerFixture::line(day(4), kFood, 1, u"p1"),
                     LedgerFixture::line(day(4), kSalary, 1, u"p2"));
  f.add(day(4), kFood, 1, u"after pair");
  check("insertPair");
  EXPECT_EQ(namesOn(f.store, day(4)), (Names{u"p1", u"p2", u"after pair"}));

  // Removing the last line of a day hands the day to the line before it.
  f.store.remove(std::prev(f.store.firstAfterDay(day(5))));
  check("remove last of day");
  f.add(day(5), kFood, 1, u"d");
  EXPECT_EQ(namesOn(f.store, day(5)), (Names{u"first", u"a", u"d"}));
  // Removing a whole day, and a pair with its totals.
  f.store.remove(f.store.firstOnOrAfter(day(3)));
  check("remove only line of day");
  f.store.removeWithTotals(f.store.firstOnOrAfter(day(4)));
  check("removeWithTotals");
  EXPECT_EQ(namesOn(f.store, day(4)), (Names{u"after pair"}));
  f.store.setDiary(day(9), u"日記");
  f.add(day(9), kFood, 1, u"after diary");
  check("diary");

  f.store.removeUpTo(day(4));
  check("removeUpTo");
  f.add(day(4), kFood, 1, u"again");
  EXPECT_EQ(f.store.firstAfterDay(day(4)), f.store.firstOnOrAfter(day(5)));
  check("insert after removeUpTo");
}

TEST(DayIndex, ChangesMadeBesideTheStoreAreNoticed) {
  LedgerFixture f;
  for (int d = 1; d <= 6; ++d) f.add(day(d), kFood, 1, u"x");
  // A line appended to the list directly, and one whose date was changed in place.
  auto& list = f.store.entries();
  list.insert(f.store.firstOnOrAfter(day(4)), LedgerFixture::line(day(3), kFood, 1, u"direct"));
  f.add(day(3), kFood, 1, u"through the store");
  EXPECT_EQ(namesOn(f.store, day(3)), (Names{u"x", u"direct", u"through the store"}));
  EXPECT_EQ(f.store.consistencyProblem(), "");

  f.store.firstOnOrAfter(day(6))->date = day(5);
  f.add(day(5), kFood, 1, u"last of 5");
  EXPECT_EQ(namesOn(f.store, day(5)), (Names{u"x", u"x", u"last of 5"}));
  EXPECT_EQ(f.store.consistencyProblem(), "");

  f.store.deleteAll();
  EXPECT_EQ(f.store.firstAfterDay(day(1)), f.store.end());
}

TEST(DayIndex, TheCheckNamesWhatIsWrong) {
  LedgerFixture f;
  f.add(day(2), kFood, 1, u"a");
  const CHinmeiList::Position b = f.add(day(3), kFood, 1, u"b");
  b->date = day(1);
  EXPECT_NE(f.store.consistencyProblem().find("days go back"), std::string::npos);
  b->date = day(3);
  EXPECT_EQ(f.store.consistencyProblem(), "");
  f.store.entries().pop_back();
  EXPECT_EQ(f.store.consistencyProblem(), "no end marker last");
}

}  // namespace
}  // namespace sorami::test
