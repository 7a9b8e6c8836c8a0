// The diary's month rows, previews, labels, the diary search and the stored line breaks.

#include "reports/Diary.h"

#include <gtest/gtest.h>

#include "core/ledger/LedgerFixture.h"
#include "rules/Holidays.h"

namespace sorami {
namespace {

using test::day;
using test::kFood;
using test::LedgerFixture;

TEST(DiaryMonthTest, OneRowPerDayWithRedRestDaysAndHolidays) {
  LedgerFixture f;
  const CHoliday holidays;
  const struct {
    YearMonth month;
    size_t rows;
  } cases[] = {{{2024, 2}, 29}, {{2023, 2}, 28}, {{2024, 1}, 31}, {{2024, 4}, 30}};
  for (const auto& c : cases) {
    EXPECT_EQ(diaryMonth(f.store, c.month, 0x41, holidays).size(), c.rows)
        << c.month.year << "-" << c.month.month;
  }
  // January 2024: Monday the 1st is 元旦, Sunday the 7th a rest day, Friday the 5th neither;
  // with Wednesday as the only rest day the 10th is red and the 7th is not.
  const std::vector<DiaryDay> rows = diaryMonth(f.store, {2024, 1}, 0x41, holidays);
  EXPECT_TRUE(rows[0].red);
  EXPECT_EQ(rows[0].holiday, u"元旦");
  EXPECT_TRUE(rows[6].red);
  EXPECT_TRUE(rows[6].holiday.empty());
  EXPECT_FALSE(rows[4].red);
  const std::vector<DiaryDay> wednesdays = diaryMonth(f.store, {2024, 1}, 0x08, holidays);
  EXPECT_TRUE(wednesdays[9].red);
  EXPECT_FALSE(wednesdays[6].red);
  EXPECT_EQ(rows[4].weekday, 5);
}

TEST(DiaryMonthTest, RowsReferToTheDiaryEntryOfTheirDayOnly) {
  LedgerFixture f;
  f.add(day(3), kFood, 500, u"昼食");
  f.store.setDiary(day(3), u"三日");
  f.store.setDiary(day(31), u"大晦日ではない");
  f.store.setDiary(day(32), u"二月");
  const std::vector<DiaryDay> rows = diaryMonth(f.store, {2024, 1}, 0, CHoliday());
  ASSERT_TRUE(rows[2].entry);
  EXPECT_EQ((*rows[2].entry)->visibleMemo(), u"三日");
  ASSERT_TRUE(rows[30].entry);
  EXPECT_FALSE(rows[0].entry);
  EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const DiaryDay& d) { return d.entry; }), 2);
}

TEST(DiaryTextTest, LineBreaksAreStoredAsCrLfAndEditedAsLf) {
  LedgerFixture f;
  const auto p = f.store.setDiary(day(2), u"一行目\n二行目\r三行目\r\n四行目");
  ASSERT_TRUE(p);
  EXPECT_EQ((*p)->visibleMemo(), u"一行目\r\n二行目\r\n三行目\r\n四行目");
  EXPECT_EQ(withEditorLineBreaks((*p)->visibleMemo()), u"一行目\n二行目\n三行目\n四行目");
  // The same text in the other form changes nothing.
  f.store.setModified(false);
  f.store.setDiary(day(2), u"一行目\r\n二行目\n三行目\n四行目");
  EXPECT_FALSE(f.store.isModified());
  // An empty text removes the day's entry.
  EXPECT_FALSE(f.store.setDiary(day(2), u""));
  EXPECT_FALSE(f.store.diaryOf(day(2)));
  EXPECT_TRUE(f.store.isModified());
}

TEST(DiaryTextTest, PreviewShowsLineBreaksAsSpacesAndCutsOnACharacter) {
  EXPECT_EQ(diaryPreview(u"朝\r\n昼\n夜"), u"朝 昼 夜");
  const std::u16string longText(1500, u'あ');
  EXPECT_EQ(diaryPreview(longText), std::u16string(kDiaryPreviewLength, u'あ'));
  // A character outside the basic plane that would be cut in half at the end is left out.
  std::u16string pairs(kDiaryPreviewLength - 1, u'x');
  pairs += u"\U0001F600\U0001F600";
  const std::u16string shown = diaryPreview(pairs);
  EXPECT_EQ(shown.size(), kDiaryPreviewLength - 1);
  // A "\r\n" counts as one character of the preview.
  std::u16string breaks;
  for (int i = 0; i < 600; ++i) breaks += u"a\r\n";
  EXPECT_EQ(diaryPreview(breaks).size(), kDiaryPreviewLength);
}

TEST(DiaryTextTest, Labels) {
  const CHoliday holidays;
  EXPECT_EQ(diaryDayLabel(dayFromYmd(2024, 4, 5)), u" 5<金>");
  EXPECT_EQ(diaryMonthLabel({2024, 4}), u"2024年 4月");
  EXPECT_EQ(diaryEditorTitle(dayFromYmd(2024, 4, 10), holidays),
            u"2024年 4月10日<水曜日>の日記編集");
  EXPECT_EQ(diaryEditorTitle(dayFromYmd(2024, 5, 3), holidays),
            u"2024年 5月 3日<金曜日>（憲法記念日）の日記編集");
}

TEST(DiaryTextTest, MonthStepsStopAtTheCalendarsEnds) {
  EXPECT_EQ(stepDiaryMonth({2024, 1}, -1), (YearMonth{2023, 12}));
  EXPECT_EQ(stepDiaryMonth({2024, 12}, 1), (YearMonth{2025, 1}));
  EXPECT_EQ(stepDiaryMonth({9999, 12}, 1), (YearMonth{9999, 12}));
  EXPECT_EQ(stepDiaryMonth({100, 1}, -1), (YearMonth{100, 1}));
}

TEST(DiarySearchTest, FindsTheNearestOtherDayInEitherDirection) {
  LedgerFixture f;
  f.add(day(5), kFood, 100, u"雨傘");  // a ledger line is never a diary hit
  f.store.setDiary(day(3), u"朝から雨");
  f.store.setDiary(day(5), u"雨のち晴れ");
  f.store.setDiary(day(8), u"晴れ\r\n夜に雨");
  f.store.setDiary(day(9), u"曇り");
  const struct {
    Day from;
    DiaryDirection direction;
    std::optional<Day> found;
  } cases[] = {
      {day(5), DiaryDirection::Earlier, day(3)},  // the day itself is never a hit
      {day(5), DiaryDirection::Later, day(8)},
      {day(3), DiaryDirection::Earlier, std::nullopt},
      {day(8), DiaryDirection::Later, std::nullopt},
      {day(20), DiaryDirection::Earlier, day(8)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(findDiary(f.store, c.from, u"雨", c.direction), c.found) << c.from;
  }
  EXPECT_EQ(findDiary(f.store, day(1), u"雪", DiaryDirection::Later), std::nullopt);
  // A keyword across a line break is found as the text box shows it.
  EXPECT_EQ(findDiary(f.store, day(1), u"晴れ\n夜", DiaryDirection::Later), day(8));
}

}  // namespace
}  // namespace sorami
