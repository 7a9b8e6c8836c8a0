#pragma once
// The four data files opened last, most recent first.

#include <QSettings>
#include <QString>
#include <QStringList>

namespace sorami {

class RecentFileList {
 public:
  static constexpr int Size = 4;

  void load(QSettings& store);
  void save(QSettings& store) const;

  // Both return whether the list changed.
  bool add(const QString& path);
  bool remove(const QString& path);

  const QStringList& files() const { return files_; }
  QString first() const { return files_.isEmpty() ? QString() : files_.first(); }

 private:
  int indexOf(const QString& path) const;

  QStringList files_;
};

}  // namespace sorami
