#include "reports/Diary.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "rules/Holidays.h"

namespace sorami {

namespace {

std::u16string ascii(const char* text) {
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

bool isHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

bool weeklyRest(unsigned restDays, int weekday) {
  return weekday >= 0 && ((restDays >> weekday) & 1U) != 0;
}

bool contains(const CHinmei& e, std::u16string_view keyword) {
  return e.isDiary() && e.visibleMemo().find(keyword) != std::u16string_view::npos;
}

// The first entry on or after `first`, reached from the nearest of the store's first dated
// entry, its cursor and its end, so that a month far from the current day is found quickly too.
CHinmeiList::Position firstOfMonth(CHinmeiList& store, Day first) {
  const auto dated = store.firstDated();
  if (dated == store.end() || dated->isEndMarker()) return dated;
  const auto marker = std::prev(store.end());
  const Day oldest = dated->date;
  const Day newest = marker == dated ? oldest : std::prev(marker)->date;
  const int64_t fromStart = int64_t{first} - oldest;
  const int64_t fromEnd = int64_t{newest} - first;
  const int64_t fromCursor =
      store.dayCursor() ? std::abs(int64_t{store.computedDay()} - first) : INT64_MAX;
  if (fromCursor <= fromStart && fromCursor <= fromEnd) return store.firstOnOrAfter(first);
  if (fromStart <= fromEnd) {
    auto p = dated;
    while (p != store.end() && p->date < first) ++p;
    return p;
  }
  auto p = store.end();
  while (p != dated && std::prev(p)->date >= first) --p;
  return p;
}

}  // namespace

std::vector<DiaryDay> diaryMonth(CHinmeiList& store, YearMonth month, unsigned restDays,
                                 const CHoliday& holidays) {
  const int length = daysInMonth(month.year, month.month);
  std::vector<DiaryDay> days;
  if (length == 0) return days;
  days.reserve(static_cast<size_t>(length));
  const Day first = dayFromYmd(month.year, month.month, 1);
  for (int i = 0; i < length; ++i) {
    DiaryDay row;
    row.date = first + i;
    row.weekday = weekdayOf(row.date);
    const bool holiday = holidays.kindOfDay(row.date) != HK_NONE;
    row.red = holiday || weeklyRest(restDays, row.weekday);
    if (holiday) row.holiday = holidays.nameOfDay(row.date);
    days.push_back(std::move(row));
  }
  const Day last = first + length - 1;
  for (auto p = firstOfMonth(store, first); p != store.end() && p->date <= last; ++p) {
    DiaryDay& row = days[static_cast<size_t>(p->date - first)];
    if (p->isDiary() && !row.entry) row.entry = p;
  }
  return days;
}

YearMonth stepDiaryMonth(YearMonth month, int direction) {
  const auto key = [](YearMonth ym) { return ym.year * 12 + ym.month - 1; };
  const int step = std::clamp(key(month) + (direction < 0 ? -1 : 1), key(kFirstDiaryMonth),
                              key(kLastDiaryMonth));
  return YearMonth{step / 12, step % 12 + 1};
}

std::u16string diaryPreview(std::u16string_view text) {
  std::u16string shown = withEditorLineBreaks(text);
  if (shown.size() > kDiaryPreviewLength) {
    size_t cut = kDiaryPreviewLength;
    if (isHighSurrogate(shown[cut - 1])) --cut;
    shown.resize(cut);
  }
  std::replace(shown.begin(), shown.end(), u'\n', u' ');
  return shown;
}

std::u16string diaryDayLabel(Day day) {
  char text[8];
  std::snprintf(text, sizeof text, "%2d", ymdFromDay(day).day);
  return ascii(text) + u'<' + weekdayChar(day) + u'>';
}

std::u16string diaryMonthLabel(YearMonth month) {
  char year[8];
  char mon[8];
  std::snprintf(year, sizeof year, "%4d", month.year);
  std::snprintf(mon, sizeof mon, "%2d", month.month);
  return ascii(year) + u"年" + ascii(mon) + u"月";
}

std::u16string diaryEditorTitle(Day day, const CHoliday& holidays) {
  const Ymd d = ymdFromDay(day);
  char year[8];
  char month[8];
  char dom[8];
  std::snprintf(year, sizeof year, "%d", d.year);
  std::snprintf(month, sizeof month, "%2.1d", d.month);
  std::snprintf(dom, sizeof dom, "%2.1d", d.day);
  // Appended piece by piece: GCC 12 at -O3 misreads a chain of + on strings as an overlapping
  // copy (-Wrestrict).
  std::u16string title = ascii(year);
  title += u"年";
  title += ascii(month);
  title += u"月";
  title += ascii(dom);
  title += u"日<";
  title += weekdayChar(day);
  title += u"曜日>";
  if (holidays.kindOfDay(day) != HK_NONE) {
    title += u"（";
    title += holidays.nameOfDay(day);
    title += u"）";
  }
  title += u"の日記編集";
  return title;
}

std::optional<Day> findDiary(CHinmeiList& store, Day from, std::u16string_view keyword,
                             DiaryDirection direction) {
  // The texts are kept with "\r\n"; a keyword with line breaks is looked for in that form.
  const std::u16string word = withStoredLineBreaks(keyword);
  if (direction == DiaryDirection::Earlier) {
    for (auto p = store.firstOnOrAfter(from); p != store.begin();) {
      --p;
      if (p->isDefinition()) break;
      if (contains(*p, word)) return p->date;
    }
    return std::nullopt;
  }
  if (from >= MaxDay) return std::nullopt;
  for (auto p = store.firstOnOrAfter(from + 1); p != store.end() && !p->isEndMarker(); ++p) {
    if (contains(*p, word)) return p->date;
  }
  return std::nullopt;
}

}  // namespace sorami
