#include "settings/RestDayPage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>

#include "platform/Prompts.h"

namespace sorami {

namespace {
constexpr int kWeekMask = 0x7F;
}

RestDayPage::RestDayPage(const CConfig& c, QWidget* parent) : ConfigPage(parent) {
  static const char16_t* const names[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
  auto* group = new QGroupBox(QStringLiteral(u"毎週の休日"), this);
  auto* row = new QHBoxLayout(group);
  for (size_t day = 0; day < days_.size(); ++day) {
    days_[day] = new QCheckBox(QString::fromUtf16(names[day]), group);
    days_[day]->setChecked((c.weeklyRestDays >> day) & 1);
    row->addWidget(days_[day]);
  }
  form()->addRow(group);
  const int shown = checkedDays();
  bind([this, shown] { return checkedDays() != shown; },
       [this](CConfig& to, ConfigSheetDevice&) {
         to.weeklyRestDays = (to.weeklyRestDays & ~kWeekMask) | checkedDays();
       });
}

bool RestDayPage::refuses(Prompts& prompts) const {
  if (checkedDays() != kWeekMask) return false;
  prompts.inform(MessageId::AllRestDaysRefused, {}, Icon::Warning);
  return true;
}

int RestDayPage::checkedDays() const {
  int mask = 0;
  for (size_t day = 0; day < days_.size(); ++day) {
    if (days_[day]->isChecked()) mask |= 1 << day;
  }
  return mask;
}

}  // namespace sorami
