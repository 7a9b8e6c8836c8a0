#pragma once
// The settings that belong to this computer rather than to a data file: colours, flags, window
// positions and the recent files. Every value, its section and its default is named here and
// nowhere else.

#include <QPoint>
#include <QRect>
#include <QSettings>
#include <QString>
#include <memory>
#include <optional>

#include "document/RecentFileList.h"

namespace sorami {

class AppSettings {
 public:
  // Written on every exit so a later program can tell which layout wrote the store.
  static constexpr int StoreVersion = 952;

  // The user's own store: organisation "Tsumiki", application "そらみ".
  static std::unique_ptr<QSettings> openUserStore();

  // Reads the recent-file list at once; every other value is read when asked for.
  explicit AppSettings(QSettings& store);

  // Settings section.
  int displayColor() const;  // 1: monochrome colour table
  void setDisplayColor(int value);
  bool debug() const;
  void setDebug(bool on);
  int configTabNo() const;
  void setConfigTabNo(int page);
  void writeVersion();
  std::optional<QPoint> calculatorPos() const;  // none: keep the window where it is
  void setCalculatorPos(QPoint pos);
  QString calculatorMemory() const;
  void setCalculatorMemory(const QString& value);
  std::optional<QPoint> specialListPos() const;
  void setSpecialListPos(QPoint pos);

  // Diary section: the title given to files that carry no configuration block.
  QString diaryTitle() const;

  // Recent File List section; the store is written whenever the list changes.
  const RecentFileList& recentFiles() const { return recent_; }
  void addRecentFile(const QString& path);
  void removeRecentFile(const QString& path);

  // A dialog's own section, "WindowPos" = "left,top,right,bottom". An empty section keeps nothing.
  std::optional<QRect> windowPos(const QString& section) const;
  void setWindowPos(const QString& section, const QRect& rect);

  // A grid's column widths in pixels, in the grid's own section: "Col%d" with the column counted
  // from 1. Missing or damaged: none, and the grid takes its default.
  std::optional<int> columnWidth(const QString& section, int column) const;
  void setColumnWidth(const QString& section, int column, int pixels);

  void sync() { store_.sync(); }

 private:
  std::optional<int> readInt(const QString& key) const;
  std::optional<QPoint> readPoint(const QString& xKey, const QString& yKey) const;
  void writePoint(const QString& xKey, const QString& yKey, QPoint pos);

  QSettings& store_;
  RecentFileList recent_;
};

}  // namespace sorami
