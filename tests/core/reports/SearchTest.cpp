// The ledger search: which lines it finds, their order, count and sum, and its period.

#include "reports/Search.h"

#include <gtest/gtest.h>

#include "core/ledger/LedgerFixture.h"

namespace sorami {
namespace {

using test::day;
using test::kFood;
using test::kGoods;
using test::kSalary;
using test::LedgerFixture;

std::vector<std::u16string> names(const SearchResult& r) {
  std::vector<std::u16string> out;
  for (const auto& p : r.lines) out.push_back(p->name.str());
  return out;
}

class SearchTest : public ::testing::Test {
 protected:
  SearchTest() {
    f.account(u"電気積立", 0);
    f.add(day(1), kFood, 300, u"電気パン");
    f.add(day(1), kGoods, 1200, u"電球");
    f.add(day(1), kFood, 200, u"牛乳");
    auto memo = f.add(day(2), kGoods, 500, u"電池");
    memo->setVisibleMemo(u"単三");
    auto hidden = f.add(day(3), kGoods, 700, u"洗剤");
    hidden->setVisibleMemo(u"詰め替え");
    hidden->setTail(u"電気");
    f.add(day(4), kSalary, 200000, u"給与");
    f.store.setDiary(day(2), u"電気代を払った");
  }
  SearchResult search(std::optional<uint16_t> item, std::u16string keyword, bool memo = false,
                      Day from = FirstUserDay, Day to = MaxDay) {
    return searchLedger(f.store, SearchRequest{item, std::move(keyword), memo, from, to});
  }
  LedgerFixture f;
};

TEST_F(SearchTest, NewestFirstAndSameDayInReverseOrder) {
  const SearchResult all = search(std::nullopt, u"");
  EXPECT_EQ(names(all), (std::vector<std::u16string>{u"給与", u"洗剤", u"電池", u"牛乳", u"電球",
                                                     u"電気パン"}));
  EXPECT_EQ(all.sum, 200000 + 700 + 500 + 200 + 1200 + 300);
  EXPECT_EQ(all.status, SearchResult::Status::Found);
}

TEST_F(SearchTest, KeywordItemAndMemo) {
  // Product names only: the diary, the account definition and the hidden memo tail never hit.
  EXPECT_EQ(names(search(std::nullopt, u"電")),
            (std::vector<std::u16string>{u"電池", u"電球", u"電気パン"}));
  EXPECT_EQ(names(search(kGoods, u"電")), (std::vector<std::u16string>{u"電池", u"電球"}));
  EXPECT_EQ(names(search(std::nullopt, u"単三")), std::vector<std::u16string>{});
  EXPECT_EQ(names(search(std::nullopt, u"単三", true)), std::vector<std::u16string>{u"電池"});
  EXPECT_EQ(names(search(std::nullopt, u"電気", true)), std::vector<std::u16string>{u"電気パン"});
  const SearchResult none = search(kFood, u"電池", true);
  EXPECT_EQ(none.status, SearchResult::Status::NothingFound);
  EXPECT_EQ(none.count(), 0u);
  EXPECT_EQ(searchSummary(none, 0), u"( 0件, 合計 0　 )");
}

TEST_F(SearchTest, PeriodEndsAreWholeDaysAndTheDefinitionsAreNeverFound) {
  EXPECT_EQ(names(search(std::nullopt, u"", false, day(2), day(3))),
            (std::vector<std::u16string>{u"洗剤", u"電池"}));
  const SearchResult fromStart = search(std::nullopt, u"", false, MinDay, day(1));
  EXPECT_EQ(fromStart.from, FirstUserDay);
  EXPECT_EQ(fromStart.count(), 3u);
  EXPECT_EQ(searchFieldDay(2024, 4, 31), dayFromYmd(2024, 4, 30));
  EXPECT_EQ(searchFieldDay(2023, 2, 30), dayFromYmd(2023, 2, 28));
  EXPECT_EQ(searchFieldDay(2024, 13, 1), InvalidDay);
  EXPECT_EQ(searchFieldDay(99, 12, 31), InvalidDay);
}

TEST(SearchSumTest, CountAndSumPastThirtyTwoBits) {
  LedgerFixture f;
  for (int i = 0; i < 3; ++i) f.add(day(1 + i), kSalary, 2'000'000'000, u"賞与");
  const SearchResult r =
      searchLedger(f.store, SearchRequest{std::nullopt, u"賞与", false, FirstUserDay, MaxDay});
  EXPECT_EQ(r.sum, 6'000'000'000);
  EXPECT_EQ(searchSummary(r, 2), u"( 3件, 合計 60,000,000.00　 )");
}

TEST(SearchSumTest, AnEmptyLedgerHasNoData) {
  LedgerFixture f;
  EXPECT_EQ(searchLedger(f.store, {}).status, SearchResult::Status::NoData);
}

}  // namespace
}  // namespace sorami
