// Figures of the search and the diary list on the sample household of `sorami-cli generate`
// with 1,000,000 dated entries: a keyword search over every item and every day up to a filled
// result model, the same with the memo, the default month of the dialog, and the rows of a
// diary month with their previews.
#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "config/Config.h"
#include "config/DefaultData.h"
#include "ledger/SampleHousehold.h"
#include "platform/Prompts.h"
#include "reports/Diary.h"
#include "reports/Search.h"
#include "reports/SearchResults.h"
#include "rules/Holidays.h"

using namespace sorami;

namespace {

constexpr uint64_t kEntries = 1'000'000;
constexpr int kRepeat = 21;

// The fastest and the median run, in milliseconds.
template <typename F>
std::pair<double, double> milliseconds(F&& f) {
  std::vector<double> runs;
  for (int i = 0; i < kRepeat; ++i) {
    const auto start = std::chrono::steady_clock::now();
    f();
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - start;
    runs.push_back(spent.count());
  }
  std::sort(runs.begin(), runs.end());
  return {runs.front(), runs[runs.size() / 2]};
}

void print(const char* what, std::pair<double, double> ms, const size_t& found) {
  std::printf("%-44s %9.3f ms fastest %9.3f ms median  (%zu lines)\n", what, ms.first, ms.second,
              found);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  CConfig config;
  NewLedger ledger = buildNewLedger(config, {});
  CHinmeiList& store = *ledger.entries;
  DefaultPrompts prompts;
  store.context().prompts = &prompts;
  fillSampleHousehold(store, SampleRequest{kEntries, 1, 0});
  // As the main view leaves it: computed up to the last day of the sample.
  store.context().window.currentDay = kSampleLastDay;
  store.computeToDay(kSampleLastDay, true);
  std::printf("store: %zu entries\n", store.size());

  CSearchResults model;
  size_t found = 0;
  auto searchToModel = [&](SearchRequest request) {
    return milliseconds([&] {
      SearchResult r = searchLedger(store, request);
      found = r.count();
      model.setLines(&store, std::move(r.lines), 0);
    });
  };
  auto ms = searchToModel({std::nullopt, u"電気", false});
  print("keyword 電気, every item, every day", ms, found);
  ms = searchToModel({std::nullopt, u"電気", true});
  print("keyword 電気 with the memo, every day", ms, found);
  ms = searchToModel({std::nullopt, u"ない語", true});
  print("keyword ない語 with the memo, every day", ms, found);
  const Day monthStart = dayFromYmd(2025, 12, 1);
  ms = searchToModel({std::nullopt, u"", false, monthStart, kSampleLastDay});
  print("no keyword, the month of the last day", ms, found);

  const CHoliday holidays;
  auto diaryRows = [&](YearMonth month) {
    return milliseconds([&] {
      std::vector<std::u16string> texts;
      for (const DiaryDay& d : diaryMonth(store, month, 0x41, holidays)) {
        texts.push_back(diaryDayLabel(d.date) +
                        (d.entry ? diaryPreview((*d.entry)->visibleMemo()) : u""));
      }
      found = texts.size();
    });
  };
  ms = diaryRows({2025, 12});
  print("diary month 2025-12 (the current day's)", ms, found);
  ms = diaryRows({2005, 6});
  print("diary month 2005-06 (the middle)", ms, found);
  const int firstYear = 2025 - sampleYears(SampleRequest{kEntries, 1, 0}) + 1;
  ms = diaryRows({firstYear, 6});
  print("diary month in the first sample year", ms, found);
  return 0;
}
