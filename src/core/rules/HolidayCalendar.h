#pragma once
// What the period and schedule computations need to know of a day: whether it is a holiday.

#include "rules/Day.h"

namespace sorami {

class HolidayCalendar {
 public:
  virtual ~HolidayCalendar() = default;
  // 0 no holiday; 1 a holiday (by rule or from the table); 2 a substitute holiday; 4 a bank
  // holiday. Weekly rest days are not considered here.
  virtual int kindOfDay(Day day) const = 0;
};

// A calendar without holidays, for computations that ignore them.
class NoHolidays : public HolidayCalendar {
 public:
  int kindOfDay(Day) const override { return 0; }
};

}  // namespace sorami
