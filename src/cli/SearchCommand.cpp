// sorami-cli search FILE [--item NAME|all] [--keyword K] [--memo] [--from D] [--to D]: the
// ledger lines of the item (or of every item) whose product name (with --memo also its memo)
// holds the keyword, newest first, with their count and sum. Without --from and --to every day
// is searched; a day past its month's end is taken as the month's last day.

#include <cstdio>
#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"
#include "platform/TextCodec.h"
#include "reports/Search.h"

namespace sorami::cli {

namespace {

constexpr const char* kSearchUsage =
    "使い方: sorami-cli search FILE [--item 項目|all] [--keyword K] [--memo] "
    "[--from YYYY-MM-DD] [--to YYYY-MM-DD]\n";

// "YYYY-MM-DD" whose day may lie past the month's end, as the search dialog takes it.
std::optional<Day> searchDayOption(const Options& o, const std::string& name, Day absent,
                                   std::ostream& err) {
  const std::string* text = o.value(name);
  if (text == nullptr) return absent;
  int year = 0;
  int month = 0;
  int day = 0;
  char rest = 0;
  const bool shaped = text->size() == 10 && (*text)[4] == '-' && (*text)[7] == '-' &&
                      std::sscanf(text->c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &rest) == 3;
  const Day d = shaped ? searchFieldDay(year, month, day) : InvalidDay;
  if (d == InvalidDay) {
    err << "sorami-cli: " << name << " は 0100-01-01 から 9999-12-31 までの日付を YYYY-MM-DD で"
        << "指定してください: " << *text << "\n";
    return std::nullopt;
  }
  return d;
}

std::optional<SearchRequest> requestOptions(const Options& o, std::ostream& err) {
  SearchRequest r;
  const std::optional<Day> from = searchDayOption(o, "--from", FirstUserDay, err);
  const std::optional<Day> to = searchDayOption(o, "--to", MaxDay, err);
  if (!from || !to) return std::nullopt;
  r.from = *from;
  r.to = *to;
  r.memo = o.has("--memo");
  if (const std::string* keyword = o.value("--keyword")) r.keyword = fromUtf8(*keyword);
  if (r.keyword.size() > kSearchKeywordLimit) {
    err << "sorami-cli: キーワードは " << kSearchKeywordLimit << " 文字までです。\n";
    return std::nullopt;
  }
  return r;
}

Json resultsJson(const CHinmeiList& store, const SearchResult& result) {
  Json lines = Json::array();
  for (const CHinmeiList::Position& p : result.lines) {
    const CHinmei* item = store.itemByNumber(p->item);
    lines.push_back(Json{{"date", isoDate(p->date)},
                         {"item", toUtf8(item ? item->name.view() : std::u16string_view())},
                         {"name", toUtf8(p->name)},
                         {"memo", toUtf8(p->visibleMemo())},
                         {"amount", p->amount}});
  }
  return lines;
}

}  // namespace

int runSearch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o =
      parseFileCommand(args, {"--item", "--keyword", "--from", "--to"}, err, {"--memo"});
  std::optional<SearchRequest> request = o ? requestOptions(*o, err) : std::nullopt;
  if (!request) {
    err << kSearchUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  ledger.readOnly();
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  CHinmeiList& store = ledger.store();
  if (const std::string* name = o->value("--item"); name && *name != "all") {
    const int item = store.itemNumberByName(fromUtf8(*name), EF_DIRECTION_MASK >> 8);
    if (item < 0) {
      err << "sorami-cli: その名前の項目はありません: " << *name << "\n";
      return kExitUsage;
    }
    request->item = static_cast<uint16_t>(item);
  }
  const SearchResult result = searchLedger(store, *request);
  if (result.status == SearchResult::Status::NoData) {
    ledger.prompts().inform(MessageId::SearchNoData, {}, Icon::Information);
  } else if (result.status == SearchResult::Status::NothingFound) {
    ledger.prompts().inform(MessageId::SearchNothingFound, {}, Icon::Information);
  }
  if (result.stoppedAtLimit) {
    ledger.prompts().inform(MessageId::SearchTooManyLines, {}, Icon::Warning);
  }
  const Json j{{"from", isoDate(result.from)},
               {"to", isoDate(result.to)},
               {"count", result.count()},
               {"sum", result.sum},
               {"results", resultsJson(store, result)}};
  out << j.dump(2) << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
