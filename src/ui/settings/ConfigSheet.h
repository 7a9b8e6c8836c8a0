#pragma once
// The settings sheet "動作環境": seven pages over the configuration record of the open file and
// two settings of the device. Each page is filled when the sheet is built; OK writes back the
// fields of every page that was shown, in page order, unless a page refuses its values.

#include <QDialog>
#include <array>

#include "config/Config.h"
#include "settings/ConfigSheetTypes.h"

class QTabWidget;

namespace sorami {

class ConfigPage;
class Prompts;

class ConfigSheet : public QDialog {
 public:
  static constexpr int PageCount = 7;
  enum Page { Input1, Input2, Display, Closing, Calculation, RestDays, Other };

  // `config` and `device` are written on OK; the sheet opens on page device.configTabNo, and
  // the page in front when it closes goes back there also after Cancel.
  ConfigSheet(CConfig& config, ConfigSheetDevice& device, const ConfigSheetItems& items,
              Prompts& prompts, QWidget* parent = nullptr);

  // What OK changed; all false before OK and after Cancel.
  const ConfigChanges& changes() const { return changes_; }

  bool wasShown(int page) const { return shown_.at(static_cast<size_t>(page)); }
  QTabWidget* tabs() const { return tabs_; }
  ConfigPage* page(int index) const { return pages_.at(static_cast<size_t>(index)); }

  void accept() override;
  void done(int result) override;

 private:
  void addPage(ConfigPage* page, const QString& title);
  void writeBack();

  CConfig& config_;
  ConfigSheetDevice& device_;
  Prompts& prompts_;
  QTabWidget* tabs_;
  std::array<ConfigPage*, PageCount> pages_{};
  std::array<bool, PageCount> shown_{};
  int pageCount_ = 0;
  ConfigChanges changes_;
};

// What changed between two states of the record and the device settings.
ConfigChanges configChanges(const CConfig& before, const CConfig& after,
                            const ConfigSheetDevice& deviceBefore,
                            const ConfigSheetDevice& deviceAfter);

}  // namespace sorami
