#include "settings/ClosingPage.h"

namespace sorami {

ClosingPage::ClosingPage(const CConfig& c, QWidget* parent) : ConfigPage(parent) {
  addNumber(QStringLiteral(u"締日 (31は月末)"), c, &CConfig::closingDay, 1, 31);
  addChoice(QStringLiteral(u"締日が休日の時"), c, &CConfig::closingHolidayRule,
            {QStringLiteral(u"当日"), QStringLiteral(u"休祝日前"), QStringLiteral(u"休祝日後")});
  addFlag(QStringLiteral(u"土>金,日>月"), c, &CConfig::sameWeekClosing);
  addFlag(QStringLiteral(u"締日の前日で締める"), c, &CConfig::closeOneDayBefore);
  addChoice(QStringLiteral(u"締日までのﾃﾞｰﾀ"), c, &CConfig::closedMonthNaming,
            {QStringLiteral(u"締日の月に含める"), QStringLiteral(u"締日の前月に含める")});
}

}  // namespace sorami
