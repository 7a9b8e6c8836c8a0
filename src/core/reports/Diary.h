#pragma once
// The diary: one text a day, kept as the day's diary entry of the store. What the diary list,
// its editor, its search and the command line share: the rows of a month, the preview of a
// text, the labels and the search for a word.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/HinmeiList.h"
#include "rules/Calendar.h"

namespace sorami {

class CHoliday;

// The longest text the editor lets the user type; a longer stored text is kept whole.
inline constexpr size_t kDiaryTextLimit = 30'000;
// The longest word the diary search takes.
inline constexpr size_t kDiaryKeywordLimit = 255;
// The diary list shows this much of a day's text.
inline constexpr size_t kDiaryPreviewLength = 1'000;

// The months a diary can show.
inline constexpr YearMonth kFirstDiaryMonth{100, 1};
inline constexpr YearMonth kLastDiaryMonth{9999, 12};

// One day of a month as the diary list shows it.
struct DiaryDay {
  Day date = MinDay;
  int weekday = 0;                             // 0 Sunday to 6 Saturday
  bool red = false;                            // a weekly rest day or a public holiday
  std::u16string holiday;                      // the public holiday's name; empty on other days
  std::optional<CHinmeiList::Position> entry;  // the day's diary entry
};

// Every day of the month, walking the store once from the month's first day.
std::vector<DiaryDay> diaryMonth(CHinmeiList& store, YearMonth month, unsigned restDays,
                                 const CHoliday& holidays);

// The month before (-1) or after (+1), staying inside the months a diary can show.
YearMonth stepDiaryMonth(YearMonth month, int direction);

// The beginning of a text for one row of the list: every line break a space, cut at the preview
// length but never between the two halves of a surrogate pair.
std::u16string diaryPreview(std::u16string_view text);

// "%2d<%s>": the day of the month and its weekday character.
std::u16string diaryDayLabel(Day day);
// "%4d年%2d月".
std::u16string diaryMonthLabel(YearMonth month);
// The editor's title: the date, the weekday and, on a public holiday, its name.
std::u16string diaryEditorTitle(Day day, const CHoliday& holidays);

enum class DiaryDirection { Earlier, Later };

// The nearest day before (or after) `from` whose diary text contains the keyword, the day
// itself never included; nothing when no such day exists.
std::optional<Day> findDiary(CHinmeiList& store, Day from, std::u16string_view keyword,
                             DiaryDirection direction);

}  // namespace sorami
