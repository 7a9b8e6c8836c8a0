// sorami-cli diary FILE --month YYYY-MM: every day of a month with its diary text.
// sorami-cli diary FILE --date D [--set TEXT | --set-file PATH]: one day's text, or sets it (an
// empty text removes the day's diary) and saves through the document.
// sorami-cli diary-search FILE --date D --keyword K --direction earlier|later: the nearest other
// day whose diary holds the word.

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/LedgerCommand.h"
#include "platform/TextCodec.h"
#include "reports/Diary.h"

namespace sorami::cli {

namespace {

constexpr const char* kDiaryUsage =
    "使い方: sorami-cli diary FILE --month YYYY-MM\n"
    "        sorami-cli diary FILE --date YYYY-MM-DD [--set TEXT | --set-file PATH]\n";
constexpr const char* kDiarySearchUsage =
    "使い方: sorami-cli diary-search FILE --date YYYY-MM-DD --keyword K "
    "--direction earlier|later\n";

Json textJson(const std::optional<CHinmeiList::Position>& entry) {
  if (!entry) return nullptr;
  return toUtf8(withEditorLineBreaks((*entry)->visibleMemo()));
}

Json monthJson(LedgerCommand& ledger, YearMonth month) {
  Json days = Json::array();
  for (const DiaryDay& d :
       diaryMonth(ledger.store(), month, ledger.config().weeklyRestDays, ledger.holidays())) {
    days.push_back(Json{{"date", isoDate(d.date)},
                        {"weekday", d.weekday},
                        {"red", d.red},
                        {"holiday", d.holiday.empty() ? Json(nullptr) : Json(toUtf8(d.holiday))},
                        {"text", textJson(d.entry)}});
  }
  return Json{{"month", monthText(month)}, {"days", std::move(days)}};
}

// A day a diary can be kept for: not the first or last day of the calendar, which date the
// definitions and the end marker.
std::optional<Day> diaryDate(const Options& o, std::ostream& err) {
  const std::optional<Day> day = dateOption(o, err);
  if (day && (*day < FirstUserDay || *day > LastUserDay)) {
    err << "sorami-cli: 0100-01-02 から 9999-12-30 までの日付を指定してください。\n";
    return std::nullopt;
  }
  return day;
}

// The text to set from --set or --set-file (UTF-8, a leading byte order mark left out).
std::optional<std::u16string> textToSet(const Options& o, std::ostream& err) {
  std::string bytes;
  if (const std::string* path = o.value("--set-file")) {
    std::ifstream in(*path, std::ios::binary);
    if (!in) {
      err << "sorami-cli: " << *path << ": " << std::strerror(errno) << "\n";
      return std::nullopt;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  } else {
    bytes = *o.value("--set");
  }
  std::u16string text = withEditorLineBreaks(fromUtf8(bytes));
  if (text.size() > kDiaryTextLimit) {
    err << "sorami-cli: 日記は " << kDiaryTextLimit << " 文字までです（" << text.size()
        << " 文字）。\n";
    return std::nullopt;
  }
  return text;
}

int setDiaryText(LedgerCommand& ledger, Day day, const std::u16string& text, std::ostream& out) {
  CHinmeiList& store = ledger.store();
  const auto before = store.diaryOf(day);
  const std::u16string old = before ? withEditorLineBreaks((*before)->visibleMemo()) : u"";
  const auto entry = store.setDiary(day, text);
  // An unchanged text leaves the file as it is.
  if (old != text && !ledger.doc().save()) return kExitWriteFailed;
  out << Json{{"date", isoDate(day)}, {"text", textJson(entry)}}.dump(2) << "\n";
  return kExitOk;
}

}  // namespace

int runDiary(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o =
      parseFileCommand(args, {"--month", "--date", "--set", "--set-file"}, err);
  const bool byMonth = o && o->value("--month") != nullptr;
  const bool byDate = o && o->value("--date") != nullptr;
  const bool setting = o && (o->value("--set") || o->value("--set-file"));
  std::optional<YearMonth> month;
  std::optional<Day> day;
  std::optional<std::u16string> text;
  bool ok = o && byMonth != byDate && !(byMonth && setting) &&
            !(o->value("--set") && o->value("--set-file"));
  if (ok && byMonth) ok = (month = parseMonthOption(*o->value("--month"), err)).has_value();
  if (ok && byDate) ok = (day = diaryDate(*o, err)).has_value();
  if (ok && setting) ok = (text = textToSet(*o, err)).has_value();
  if (!ok) {
    err << kDiaryUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  if (month) {
    out << monthJson(ledger, *month).dump(2) << "\n";
    return kExitOk;
  }
  if (text) return setDiaryText(ledger, *day, *text, out);
  out << Json{{"date", isoDate(*day)}, {"text", textJson(ledger.store().diaryOf(*day))}}.dump(2)
      << "\n";
  return kExitOk;
}

int runDiarySearch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o =
      parseFileCommand(args, {"--date", "--keyword", "--direction"}, err);
  const std::optional<Day> day = o ? diaryDate(*o, err) : std::nullopt;
  const std::string* keyword = o ? o->value("--keyword") : nullptr;
  const std::string* direction = o ? o->value("--direction") : nullptr;
  const bool known = direction && (*direction == "earlier" || *direction == "later");
  const std::u16string word = keyword ? fromUtf8(*keyword) : u"";
  if (keyword && word.size() > kDiaryKeywordLimit) {
    err << "sorami-cli: キーワードは " << kDiaryKeywordLimit << " 文字までです。\n";
  }
  if (!day || !keyword || !known || word.size() > kDiaryKeywordLimit) {
    err << kDiarySearchUsage;
    return kExitUsage;
  }
  LedgerCommand ledger(err, *o);
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  const DiaryDirection towards =
      *direction == "earlier" ? DiaryDirection::Earlier : DiaryDirection::Later;
  const std::optional<Day> found = findDiary(ledger.store(), *day, word, towards);
  out << Json{{"date", found ? Json(isoDate(*found)) : Json(nullptr)}}.dump(2) << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
