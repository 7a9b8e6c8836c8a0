#include "cli/ReportOptions.h"

#include <cstdio>
#include <ostream>

namespace sorami::cli {

std::optional<YearMonth> monthOption(const Options& options, const std::string& name,
                                     std::ostream& err) {
  const std::string* text = options.value(name);
  if (text == nullptr) return std::nullopt;
  int year = 0;
  int month = 0;
  char rest = 0;
  if (text->size() != 7 || std::sscanf(text->c_str(), "%4d-%2d%c", &year, &month, &rest) != 2 ||
      year < 101 || year > 9999 || month < 1 || month > 12) {
    err << "sorami-cli: " << name << " は YYYY-MM で指定してください: " << *text << "\n";
    return std::nullopt;
  }
  return YearMonth{year, month};
}

bool monthsFit(YearMonth last, int months, std::ostream& err) {
  if (addMonths(last, 1 - months).year >= 101) return true;
  err << "sorami-cli: 101年より前の月は集計できません。\n";
  return false;
}

std::string colourText(uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", rgb & 0xffffffu);
  return text;
}

}  // namespace sorami::cli
