#include "reports/Search.h"

#include <algorithm>
#include <string>

#include "rules/AmountText.h"
#include "rules/Calendar.h"

namespace sorami {

namespace {

bool matches(const CHinmei& e, const SearchRequest& r) {
  if (r.item && e.item != *r.item) return false;
  if (r.keyword.empty()) return true;
  if (e.name.view().find(r.keyword) != std::u16string_view::npos) return true;
  // Only what the user sees of the memo; its hidden tail is the program's own.
  return r.memo && e.visibleMemo().find(r.keyword) != std::u16string_view::npos;
}

bool hasLedgerData(CHinmeiList& store) {
  const auto first = store.firstDated();
  return first != store.end() && !first->isEndMarker();
}

}  // namespace

Day searchFieldDay(int year, int month, int day) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) {
    return InvalidDay;
  }
  return dayFromYmd(year, month, std::min(day, daysInMonth(year, month)));
}

SearchResult searchLedger(CHinmeiList& store, const SearchRequest& request) {
  SearchResult result;
  // The definitions are dated on the first day of the calendar, so the search starts after it.
  result.from = std::max(request.from, FirstUserDay);
  result.to = request.to;
  if (!hasLedgerData(store)) {
    result.status = SearchResult::Status::NoData;
    return result;
  }
  const auto itemCount = static_cast<uint16_t>(store.itemCount());
  for (auto p = store.end(); p != store.begin();) {
    --p;
    const CHinmei& e = *p;
    if (e.isDefinition() || e.date < result.from) break;
    if (e.date > result.to || e.isEndMarker() || e.item >= itemCount) continue;
    if (!matches(e, request)) continue;
    if (result.lines.size() == kSearchResultLimit) {
      result.stoppedAtLimit = true;
      break;
    }
    result.lines.push_back(p);
    result.sum += e.amount;
  }
  result.status =
      result.lines.empty() ? SearchResult::Status::NothingFound : SearchResult::Status::Found;
  return result;
}

std::u16string searchSummary(const SearchResult& result, int decimalPlaces) {
  const std::string count = std::to_string(result.count());
  return u"( " + std::u16string(count.begin(), count.end()) + u"件, 合計 " +
         formatAmount(result.sum, true, decimalPlaces) + u"　 )";
}

}  // namespace sorami
