#include "document/RecentFileList.h"

#include <QFileInfo>

namespace sorami {

namespace {

const QString kSection = QStringLiteral("Recent File List");

QString keyOf(int i) {
  return QStringLiteral("File%1").arg(i + 1);
}

// The same file reached by two spellings is one entry.
QString normalised(const QString& path) {
  return QFileInfo(path).absoluteFilePath();
}

}  // namespace

void RecentFileList::load(QSettings& store) {
  files_.clear();
  store.beginGroup(kSection);
  for (int i = 0; i < Size; ++i) {
    const QString path = store.value(keyOf(i)).toString().trimmed();
    if (!path.isEmpty() && indexOf(path) < 0) files_.append(path);
  }
  store.endGroup();
}

void RecentFileList::save(QSettings& store) const {
  store.beginGroup(kSection);
  for (int i = 0; i < Size; ++i) {
    if (i < files_.size()) {
      store.setValue(keyOf(i), files_[i]);
    } else {
      store.remove(keyOf(i));
    }
  }
  store.endGroup();
}

int RecentFileList::indexOf(const QString& path) const {
  const QString key = normalised(path);
  for (int i = 0; i < files_.size(); ++i) {
    if (normalised(files_[i]) == key) return i;
  }
  return -1;
}

bool RecentFileList::add(const QString& path) {
  if (path.isEmpty()) return false;
  const QString full = normalised(path);
  if (!files_.isEmpty() && files_.first() == full) return false;
  const int at = indexOf(full);
  if (at >= 0) files_.removeAt(at);
  files_.prepend(full);
  while (files_.size() > Size) files_.removeLast();
  return true;
}

bool RecentFileList::remove(const QString& path) {
  const int at = indexOf(path);
  if (at < 0) return false;
  files_.removeAt(at);
  return true;
}

}  // namespace sorami
