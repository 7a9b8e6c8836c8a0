#pragma once
// A settings store in a temporary file, so tests never touch the user's own settings.

#include <QSettings>
#include <QTemporaryDir>
#include <memory>

namespace sorami::test {

class TempSettings {
 public:
  TempSettings()
      : store_(std::make_unique<QSettings>(dir_.filePath(QStringLiteral("settings.ini")),
                                           QSettings::IniFormat)) {}
  QSettings& store() { return *store_; }
  // A second look at the same file, as the next start of the program would see it.
  std::unique_ptr<QSettings> reopen() {
    store_->sync();
    return std::make_unique<QSettings>(store_->fileName(), QSettings::IniFormat);
  }
  QString dir() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
  std::unique_ptr<QSettings> store_;
};

}  // namespace sorami::test
