#pragma once
// The public holiday calendar: which days are Japanese public holidays, substitute holidays,
// citizens' holidays or bank holidays, and their names for the calendar and the day headings.
//
// Two sources make it up. The holiday law is built in as rules: every holiday whose date or name
// depends on the year (equinoxes, Monday holidays, the days renamed or moved over the years,
// the one-off state ceremonies, substitute and citizens' holidays). The user's table, kept in
// HOLIDAY.TXT, holds the fixed days that never moved, the bank holidays and the user's own
// named days; lines in it for a day the rules compute are passed over when it is read.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "rules/Day.h"
#include "rules/HolidayCalendar.h"

namespace sorami {

class Prompts;

// Kinds of a table entry and results of kindOfDay.
constexpr int HK_NONE = 0;        // a named day that is not a holiday (table) / no holiday
constexpr int HK_HOLIDAY = 1;     // a public holiday; bit 0 makes a table day eligible for a
                                  // substitute holiday
constexpr int HK_SUBSTITUTE = 2;  // 振替休日
constexpr int HK_BANK = 4;        // a bank holiday, never followed by a substitute holiday

// The day of the vernal equinox in March and of the autumnal equinox in September for 1900 to
// 2099; 0 outside those years.
int vernalEquinoxDay(int year);
int autumnalEquinoxDay(int year);

// Where HOLIDAY.TXT lives for this user: $XDG_DATA_HOME (or ~/.local/share) +
// /Tsumiki/そらみ/HOLIDAY.TXT. Empty when neither variable gives an absolute folder.
std::filesystem::path userHolidayFilePath();
// The file to read: the user's file when it exists, otherwise the installed default.
std::filesystem::path holidayFileToRead(const std::filesystem::path& installedDefault);

class CHoliday : public HolidayCalendar {
 public:
  static constexpr int MaxEntries = 50;

  struct Entry {
    int kind = HK_HOLIDAY;
    int month = 0;
    int day = 0;
    std::u16string name;
    friend bool operator==(const Entry&, const Entry&) = default;
  };

  struct LoadResult {
    bool fileRead = false;  // false: the file could not be opened, the default table is used
    int passedOver = 0;     // lines for days the rules compute
    int ignored = 0;        // lines with fewer than four fields
    int dropped = 0;        // lines beyond the table's room, not read
  };

  // Starts with the default table, not dirty.
  CHoliday();

  // --- The table ---------------------------------------------------------------------------
  const std::vector<Entry>& entries() const { return entries_; }
  // Appends an entry; false when the table is full.
  bool add(Entry entry);
  void clear();
  // The fixed days that never moved and the bank holidays; sets the dirty flag.
  void setDefault();
  static std::vector<Entry> defaultEntries();
  bool dirty() const { return dirty_; }
  void setDirty(bool dirty) { dirty_ = dirty; }
  // True for the names of days the rules compute; table lines with them are passed over.
  static bool isRuleName(std::u16string_view name);

  // --- HOLIDAY.TXT ---------------------------------------------------------------------------
  // Replaces the table with the lines of a Shift-JIS text (CR LF lines of "kind,month,day,name").
  // Does not touch the dirty flag.
  LoadResult loadText(std::string_view shiftJis);
  // Reads a file whole. When there is no file, the default table is used and marked dirty (to be
  // written at exit); when a file is there but cannot be read, the default table is used for
  // this run and the file is left alone.
  LoadResult load(const std::filesystem::path& path);
  // The table as the file holds it.
  std::string saveText() const;
  // Writes the file whole (through a temporary file, creating the folder); clears the dirty flag
  // on success. False when it could not be written.
  bool save(const std::filesystem::path& path);

  // At start: reads the user's file, else the installed default, else uses the default table;
  // tells the user when the file holds more lines than the table has room for.
  LoadResult loadAtStart(const std::filesystem::path& installedDefault, Prompts& prompts);
  // At exit: writes the table to the user's folder when it changed; tells the user when that
  // fails. Never writes beside the installed program.
  bool saveAtExit(Prompts& prompts);

  // --- Days ----------------------------------------------------------------------------------
  // 0 no holiday; 1 a public or citizens' holiday; 2 a substitute holiday; otherwise the kind of
  // the table entry (4 bank holiday). Weekly rest days are not considered.
  int kindOfDay(Day day) const override;
  // The holiday's name; "休日" for a weekly rest day (bit n of restDays = weekday n, 0 Sunday)
  // that is no holiday; empty otherwise.
  std::u16string nameOfDay(Day day, int restDays = 0) const;
  // The name of a kind-0 table entry for the day's month and day, else empty.
  std::u16string namedDay(Day day) const;

 private:
  struct Found {
    int kind = HK_NONE;
    std::u16string_view name;
  };
  Found find(Day day) const;
  // The last table entry of a holiday kind for a month and day, or null.
  const Entry* tableHoliday(int month, int day) const;
  // A public holiday in the law's sense (rules and table days with bit 0 of their kind).
  bool isPublicHoliday(Day day) const;
  Found publicHoliday(Day day) const;
  bool isSubstitute(Day day) const;
  bool isCitizensHoliday(Day day) const;

  std::vector<Entry> entries_;
  bool dirty_ = false;
};

}  // namespace sorami
