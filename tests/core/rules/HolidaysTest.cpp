#include "rules/Holidays.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <string>

#include "platform/TextCodec.h"
#include "support/ScriptedPrompts.h"

namespace sorami {
namespace {

namespace fs = std::filesystem;

Day ymd(int y, int m, int d) {
  return dayFromYmd(y, m, d);
}

// --- The official calendar ---------------------------------------------------------------------

struct Official {
  int kind;
  std::u16string name;
};

// The published list names some days differently from the calendar; this maps its names to ours:
// - "<holiday> 振替休日" (the holiday a substitute day stands for) is "振替休日", kind 2;
// - "休日", a day between two holidays, is "国民の休日";
// - "休日（祝日扱い）" are the two ceremonies of 2019: 5/1 "即位の日", 10/22 "即位礼正殿の儀";
// - "体育の日（スポーツの日）" (2019-10-14) is "体育の日": the new name holds from 2020;
// - "元日" is "元旦", the name the default table has always given January 1.
Official mapOfficial(Day day, const std::u16string& name) {
  if (name.ends_with(u" 振替休日")) return {HK_SUBSTITUTE, u"振替休日"};
  if (name == u"休日") return {HK_HOLIDAY, u"国民の休日"};
  if (name == u"休日（祝日扱い）") {
    return {HK_HOLIDAY, day == ymd(2019, 5, 1) ? u"即位の日" : u"即位礼正殿の儀"};
  }
  if (name == u"体育の日（スポーツの日）") return {HK_HOLIDAY, u"体育の日"};
  if (name == u"元日") return {HK_HOLIDAY, u"元旦"};
  return {HK_HOLIDAY, name};
}

std::map<Day, Official> readOfficialList() {
  std::ifstream in(fs::path(SORAMI_FIXTURES) / "holidays_jp_1970_2050.txt");
  std::map<Day, Official> list;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const Day day = parseIsoDate(line.substr(0, 10));
    list[day] = mapOfficial(day, fromUtf8(line.substr(11)));
  }
  return list;
}

TEST(Holidays, EveryDayFrom1970To2050MatchesTheOfficialList) {
  const std::map<Day, Official> official = readOfficialList();
  ASSERT_GT(official.size(), 1300u);
  const CHoliday calendar;
  for (Day day = ymd(1970, 1, 1); day <= ymd(2050, 12, 31); ++day) {
    const std::string date = isoDate(day);
    const auto it = official.find(day);
    if (it != official.end()) {
      EXPECT_EQ(calendar.kindOfDay(day), it->second.kind) << date;
      EXPECT_EQ(toUtf8(calendar.nameOfDay(day)), toUtf8(it->second.name)) << date;
      continue;
    }
    // Apart from the official holidays only the banks' closing days of the default table.
    const Ymd d = ymdFromDay(day);
    const bool bankDay =
        (d.month == 1 && (d.day == 2 || d.day == 3)) || (d.month == 12 && d.day == 31);
    EXPECT_EQ(calendar.kindOfDay(day), bankDay ? HK_BANK : HK_NONE) << date;
    EXPECT_EQ(toUtf8(calendar.nameOfDay(day)), bankDay ? "銀行休日" : "") << date;
  }
}

TEST(Holidays, DaysTheLawChanged) {
  struct Case {
    Day day;
    int kind;
    const char* name;
  };
  const CHoliday calendar;
  const Case cases[] = {
      {ymd(2008, 5, 6), HK_SUBSTITUTE, "振替休日"},  // 5/4 Sunday, the next free day after 5/5
      {ymd(2026, 9, 22), HK_HOLIDAY, "国民の休日"},  // between 敬老の日 and 秋分の日
      {ymd(2001, 9, 24), HK_SUBSTITUTE, "振替休日"},
      {ymd(2003, 7, 21), HK_HOLIDAY, "海の日"},
      {ymd(2003, 7, 20), HK_NONE, ""},
      {ymd(1999, 1, 15), HK_HOLIDAY, "成人の日"},
      {ymd(2000, 1, 15), HK_NONE, ""},
      {ymd(2000, 1, 10), HK_HOLIDAY, "成人の日"},
      {ymd(1959, 4, 10), HK_HOLIDAY, "結婚の儀"},
      {ymd(1965, 9, 15), HK_NONE, ""},  // 敬老の日 from 1966
      {ymd(1966, 9, 15), HK_HOLIDAY, "敬老の日"},
      {ymd(1972, 1, 17), HK_NONE, ""},  // no substitute holidays before 1973-04-12
      {ymd(1986, 5, 4), HK_NONE, ""},   // a Sunday between holidays, before 2007
      {ymd(2019, 12, 23), HK_NONE, ""},
      {ymd(2020, 10, 12), HK_NONE, ""},  // スポーツの日 moved to July 24 that year
      {ymd(2051, 7, 17), HK_HOLIDAY, "海の日"},
      {ymd(2100, 3, 20), HK_NONE, ""},  // no equinox known beyond 2099
      {0, HK_NONE, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(calendar.kindOfDay(c.day), c.kind) << isoDate(c.day);
    EXPECT_EQ(toUtf8(calendar.nameOfDay(c.day)), c.name) << isoDate(c.day);
  }
}

TEST(Holidays, Equinoxes) {
  struct Case {
    int year, spring, autumn;
  };
  const Case cases[] = {{1900, 21, 23}, {1999, 21, 23}, {2000, 20, 23}, {2012, 20, 22},
                        {2092, 19, 22}, {1899, 0, 0},   {2100, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(vernalEquinoxDay(c.year), c.spring) << c.year;
    EXPECT_EQ(autumnalEquinoxDay(c.year), c.autumn) << c.year;
  }
}

TEST(Holidays, RestDaysAreNamedOnlyWhenNoHoliday) {
  const CHoliday calendar;
  const int saturdayAndSunday = (1 << 6) | (1 << 0);
  EXPECT_EQ(toUtf8(calendar.nameOfDay(ymd(2026, 12, 12), saturdayAndSunday)), "休日");
  EXPECT_EQ(toUtf8(calendar.nameOfDay(ymd(2026, 12, 12))), "");
  EXPECT_EQ(toUtf8(calendar.nameOfDay(ymd(2026, 11, 3), 1 << 2)), "文化の日");  // a Tuesday
  EXPECT_EQ(calendar.kindOfDay(ymd(2026, 12, 12)), HK_NONE);
}

TEST(Holidays, UserTableDays) {
  CHoliday calendar;
  calendar.add({HK_HOLIDAY, 6, 7, u"創立記念日"});  // Sunday in 2026
  calendar.add({HK_BANK, 8, 16, u"盆休み"});        // Sunday in 2026
  calendar.add({HK_NONE, 3, 3, u"ひな祭り"});
  EXPECT_EQ(calendar.kindOfDay(ymd(2026, 6, 7)), HK_HOLIDAY);
  EXPECT_EQ(calendar.kindOfDay(ymd(2026, 6, 8)), HK_SUBSTITUTE);
  EXPECT_EQ(calendar.kindOfDay(ymd(2026, 8, 16)), HK_BANK);
  EXPECT_EQ(calendar.kindOfDay(ymd(2026, 8, 17)), HK_NONE);  // bank days give no substitute
  EXPECT_EQ(calendar.kindOfDay(ymd(2026, 3, 3)), HK_NONE);
  EXPECT_EQ(toUtf8(calendar.nameOfDay(ymd(2026, 3, 3))), "");
  EXPECT_EQ(toUtf8(calendar.namedDay(ymd(2026, 3, 3))), "ひな祭り");
  EXPECT_EQ(toUtf8(calendar.namedDay(ymd(2026, 6, 7))), "");
  // A substitute for New Year's Day on a Sunday outranks the bank holiday of January 2.
  EXPECT_EQ(toUtf8(calendar.nameOfDay(ymd(2023, 1, 2))), "振替休日");
}

// --- HOLIDAY.TXT ---------------------------------------------------------------------------

std::string sjis(const char* utf8) {
  return toShiftJis(fromUtf8(utf8));
}

TEST(HolidayFile, RoundTripInShiftJisWithCrLf) {
  CHoliday calendar;
  calendar.add({HK_NONE, 3, 3, u"ひな祭り, 桃の節句"});
  const std::string text = calendar.saveText();
  EXPECT_TRUE(text.starts_with(sjis("1,1,1,元旦\r\n4,1,2,銀行休日\r\n")));
  EXPECT_TRUE(text.ends_with(sjis("4,12,31,銀行休日\r\n0,3,3,ひな祭り, 桃の節句\r\n")));

  CHoliday read;
  read.clear();
  const CHoliday::LoadResult result = read.loadText(text);
  EXPECT_EQ(read.entries(), calendar.entries());
  EXPECT_EQ(result.passedOver + result.ignored + result.dropped, 0);
  EXPECT_FALSE(read.dirty());
}

TEST(HolidayFile, ReadingPassesOverRuleDaysAndIgnoresShortLines) {
  CHoliday calendar;
  const CHoliday::LoadResult result = calendar.loadText(
      sjis("1,1,1,元旦\r\n"
           "1,1,15,成人の日\r\n"
           "1,4,29,みどりの日\r\n"
           "1,5,4,国民の休日\r\n"
           "1,7,20,海の日\r\n"
           "1,9,15,敬老の日\r\n"
           "1,10,10,体育の日\r\n"
           "1,12,23,天皇誕生日\r\n"
           "1,2\r\n"
           "\r\n"
           "0,3,3,ひな祭り\n"  // a line ended by LF alone, as a text editor may leave it
           "4,12,31,銀行休日"));
  EXPECT_EQ(result.passedOver, 7);
  EXPECT_EQ(result.ignored, 2);
  ASSERT_EQ(calendar.entries().size(), 3u);
  EXPECT_EQ(calendar.entries()[1], (CHoliday::Entry{HK_NONE, 3, 3, u"ひな祭り"}));
  EXPECT_EQ(calendar.kindOfDay(ymd(1999, 1, 15)), HK_HOLIDAY);  // by rule, not by the line
  EXPECT_EQ(calendar.kindOfDay(ymd(2024, 1, 15)), HK_NONE);
  EXPECT_EQ(calendar.kindOfDay(ymd(2024, 7, 20)), HK_NONE);
  EXPECT_EQ(toUtf8(calendar.namedDay(ymd(2024, 3, 3))), "ひな祭り");
  EXPECT_EQ(calendar.loadText("").fileRead, true);
  EXPECT_TRUE(calendar.entries().empty());
}

TEST(HolidayFile, MoreLinesThanTheTableHoldsAreDroppedAndReported) {
  std::string text;
  for (int i = 1; i <= 60; ++i) text += "0,1," + std::to_string(i % 28 + 1) + ",day\r\n";
  CHoliday calendar;
  const CHoliday::LoadResult result = calendar.loadText(text);
  EXPECT_EQ(calendar.entries().size(), static_cast<size_t>(CHoliday::MaxEntries));
  EXPECT_EQ(result.dropped, 10);
  EXPECT_FALSE(calendar.add({HK_NONE, 2, 2, u"x"}));
}

// A scratch data folder for one test, with XDG_DATA_HOME pointing into it.
class HolidayFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("sorami_holidays_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "install");
    if (const char* old = std::getenv("XDG_DATA_HOME")) saved_ = old;
    ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  }
  void TearDown() override {
    if (saved_) {
      ::setenv("XDG_DATA_HOME", saved_->c_str(), 1);
    } else {
      ::unsetenv("XDG_DATA_HOME");
    }
    fs::remove_all(root_);
  }
  static void write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  fs::path userFile() const { return root_ / "data" / u8"Tsumiki" / u8"そらみ" / "HOLIDAY.TXT"; }
  fs::path installed() const { return root_ / "install" / "HOLIDAY.TXT"; }

  fs::path root_;
  std::optional<std::string> saved_;
  test::ScriptedPrompts prompts_;
};

TEST_F(HolidayFolders, ReadsTheUsersFileBeforeTheInstalledDefault) {
  EXPECT_EQ(userHolidayFilePath(), userFile());
  write(installed(), sjis("0,3,3,設置\r\n"));
  CHoliday calendar;
  calendar.loadAtStart(installed(), prompts_);
  EXPECT_EQ(toUtf8(calendar.namedDay(ymd(2024, 3, 3))), "設置");

  write(userFile(), sjis("0,3,3,利用者\r\n"));
  calendar.loadAtStart(installed(), prompts_);
  EXPECT_EQ(toUtf8(calendar.namedDay(ymd(2024, 3, 3))), "利用者");
  EXPECT_FALSE(calendar.dirty());
  EXPECT_TRUE(prompts_.shown.empty());
}

TEST_F(HolidayFolders, WithoutAnyFileTheDefaultIsWrittenToTheUsersFolderOnly) {
  CHoliday calendar;
  calendar.clear();
  const CHoliday::LoadResult result = calendar.loadAtStart(installed(), prompts_);
  EXPECT_FALSE(result.fileRead);
  EXPECT_EQ(calendar.entries(), CHoliday::defaultEntries());
  ASSERT_TRUE(calendar.dirty());

  EXPECT_TRUE(calendar.saveAtExit(prompts_));
  EXPECT_FALSE(calendar.dirty());
  EXPECT_FALSE(fs::exists(installed()));
  std::ifstream in(userFile(), std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(bytes, calendar.saveText());
}

TEST_F(HolidayFolders, AFileThatCannotBeReadIsNeverOverwritten) {
  fs::create_directories(userFile());  // there, but no file that can be read
  CHoliday calendar;
  calendar.clear();
  EXPECT_FALSE(calendar.load(userFile()).fileRead);
  EXPECT_EQ(calendar.entries(), CHoliday::defaultEntries());
  EXPECT_FALSE(calendar.dirty());
}

TEST_F(HolidayFolders, AnOverfullFileIsReported) {
  std::string text;
  for (int i = 0; i < 55; ++i) text += "0,5,1,x\r\n";
  write(userFile(), text);
  CHoliday calendar;
  EXPECT_EQ(calendar.loadAtStart(installed(), prompts_).dropped, 5);
  ASSERT_EQ(prompts_.shown.size(), 1u);
  EXPECT_EQ(prompts_.shown[0].id, MessageId::HolidayTableFull);
  EXPECT_EQ(toUtf8(prompts_.shown[0].text),
            "祝日ファイル（HOLIDAY.TXT）に登録できる祝日は50個までです。\n"
            "残りの5行は読み込みませんでした。");
  EXPECT_FALSE(calendar.dirty());  // the file keeps its lines until the user mends it
}

TEST_F(HolidayFolders, AFailedSaveIsReportedAndStaysDirty) {
  write(root_ / "data", "a file where the folder should be");
  CHoliday calendar;
  calendar.setDefault();
  EXPECT_FALSE(calendar.saveAtExit(prompts_));
  EXPECT_TRUE(calendar.dirty());
  EXPECT_TRUE(prompts_.wasShown(MessageId::HolidayFileNotSaved));
}

}  // namespace
}  // namespace sorami
