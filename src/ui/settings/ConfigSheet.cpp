#include "settings/ConfigSheet.h"

#include <QDialogButtonBox>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "settings/CalculationPage.h"
#include "settings/ClosingPage.h"
#include "settings/DisplayPage.h"
#include "settings/InputPage1.h"
#include "settings/InputPage2.h"
#include "settings/OtherPage.h"
#include "settings/RestDayPage.h"

namespace sorami {

ConfigSheet::ConfigSheet(CConfig& config, ConfigSheetDevice& device, const ConfigSheetItems& items,
                         Prompts& prompts, QWidget* parent)
    : QDialog(parent),
      config_(config),
      device_(device),
      prompts_(prompts),
      tabs_(new QTabWidget(this)) {
  setWindowTitle(QStringLiteral(u"動作環境"));
  // The default font of a bare system may lack Japanese glyphs.
  QFont japanese = font();
  japanese.setFamilies({QStringLiteral("IPAGothic")});
  setFont(japanese);
  // Every page title stays in view, as on a property sheet.
  tabs_->setUsesScrollButtons(false);

  addPage(new InputPage1(config), QStringLiteral(u"入力1"));
  addPage(new InputPage2(config), QStringLiteral(u"入力２"));
  addPage(new DisplayPage(config, device), QStringLiteral(u"表示"));
  addPage(new ClosingPage(config), QStringLiteral(u"締日"));
  addPage(new CalculationPage(config, items), QStringLiteral(u"計算"));
  addPage(new RestDayPage(config), QStringLiteral(u"休日"));
  addPage(new OtherPage(config, device), QStringLiteral(u"その他"));
  // Numbers read the Japanese way ("8.5", not "8,5") whatever the system's locale.
  setLocale(QLocale(QLocale::Japanese, QLocale::Japan));

  const int first =
      device.configTabNo >= 0 && device.configTabNo < PageCount ? device.configTabNo : 0;
  tabs_->setCurrentIndex(first);
  shown_[static_cast<size_t>(first)] = true;
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (index >= 0) shown_[static_cast<size_t>(index)] = true;
  });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral(u"ｷｬﾝｾﾙ"));
  connect(buttons, &QDialogButtonBox::accepted, this, &ConfigSheet::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &ConfigSheet::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);
}

void ConfigSheet::addPage(ConfigPage* page, const QString& title) {
  pages_[static_cast<size_t>(pageCount_++)] = page;
  tabs_->addTab(page, title);
}

void ConfigSheet::accept() {
  for (int i = 0; i < PageCount; ++i) {
    if (wasShown(i) && pages_[static_cast<size_t>(i)]->refuses(prompts_)) {
      tabs_->setCurrentIndex(i);
      return;
    }
  }
  writeBack();
  QDialog::accept();
}

void ConfigSheet::done(int result) {
  device_.configTabNo = tabs_->currentIndex();
  QDialog::done(result);
}

void ConfigSheet::writeBack() {
  const CConfig before = config_;
  const ConfigSheetDevice deviceBefore = device_;
  for (int i = 0; i < PageCount; ++i) {
    if (wasShown(i)) pages_[static_cast<size_t>(i)]->store(config_, device_);
  }
  changes_ = configChanges(before, config_, deviceBefore, device_);
}

ConfigChanges configChanges(const CConfig& before, const CConfig& after,
                            const ConfigSheetDevice& deviceBefore,
                            const ConfigSheetDevice& deviceAfter) {
  auto differs = [&](auto CConfig::*field) { return before.*field != after.*field; };
  ConfigChanges c;
  c.settings = before != after;
  c.decimalPlaces = differs(&CConfig::decimalPlaces);
  c.listLayout = differs(&CConfig::nameWidth) || differs(&CConfig::amountDigits) ||
                 differs(&CConfig::specialNameRows);
  c.totals = differs(&CConfig::savingsInTotals) || differs(&CConfig::loansInTotals);
  c.processingDay = differs(&CConfig::closingDay) || differs(&CConfig::closedMonthNaming) ||
                    differs(&CConfig::closeOneDayBefore) || differs(&CConfig::closingHolidayRule) ||
                    differs(&CConfig::sameWeekClosing) || differs(&CConfig::weeklyRestDays);
  c.displayColor = deviceBefore.displayColor != deviceAfter.displayColor;
  return c;
}

}  // namespace sorami
