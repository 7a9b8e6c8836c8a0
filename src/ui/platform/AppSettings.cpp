#include "platform/AppSettings.h"

#include <QStringList>

namespace sorami {

namespace {

const QString kSettings = QStringLiteral("Settings/");
const QString kWindowPos = QStringLiteral("/WindowPos");

}  // namespace

std::unique_ptr<QSettings> AppSettings::openUserStore() {
  return std::make_unique<QSettings>(QStringLiteral("Tsumiki"), QStringLiteral("そらみ"));
}

AppSettings::AppSettings(QSettings& store) : store_(store) {
  recent_.load(store_);
}

std::optional<int> AppSettings::readInt(const QString& key) const {
  const QVariant v = store_.value(key);
  if (!v.isValid()) return std::nullopt;
  bool ok = false;
  const int n = v.toInt(&ok);
  if (!ok) return std::nullopt;  // a damaged value counts as missing
  return n;
}

int AppSettings::displayColor() const {
  return readInt(kSettings + QStringLiteral("DisplayColor")).value_or(0);
}
void AppSettings::setDisplayColor(int value) {
  store_.setValue(kSettings + QStringLiteral("DisplayColor"), value);
}

bool AppSettings::debug() const {
  return readInt(kSettings + QStringLiteral("Debug")).value_or(0) != 0;
}
void AppSettings::setDebug(bool on) {
  store_.setValue(kSettings + QStringLiteral("Debug"), on ? 1 : 0);
}

int AppSettings::configTabNo() const {
  return readInt(kSettings + QStringLiteral("ConfigTabNo")).value_or(0);
}
void AppSettings::setConfigTabNo(int page) {
  store_.setValue(kSettings + QStringLiteral("ConfigTabNo"), page);
}

void AppSettings::writeVersion() {
  store_.setValue(kSettings + QStringLiteral("Version"), StoreVersion);
}

std::optional<QPoint> AppSettings::readPoint(const QString& xKey, const QString& yKey) const {
  const std::optional<int> x = readInt(kSettings + xKey);
  const std::optional<int> y = readInt(kSettings + yKey);
  if (!x || !y) return std::nullopt;
  return QPoint(*x, *y);
}
void AppSettings::writePoint(const QString& xKey, const QString& yKey, QPoint pos) {
  store_.setValue(kSettings + xKey, pos.x());
  store_.setValue(kSettings + yKey, pos.y());
}

std::optional<QPoint> AppSettings::calculatorPos() const {
  return readPoint(QStringLiteral("CalculatorXPos"), QStringLiteral("CalculatorYPos"));
}
void AppSettings::setCalculatorPos(QPoint pos) {
  writePoint(QStringLiteral("CalculatorXPos"), QStringLiteral("CalculatorYPos"), pos);
}

QString AppSettings::calculatorMemory() const {
  return store_.value(kSettings + QStringLiteral("CalculatorMemory"), QStringLiteral("0"))
      .toString();
}
void AppSettings::setCalculatorMemory(const QString& value) {
  store_.setValue(kSettings + QStringLiteral("CalculatorMemory"), value);
}

std::optional<QPoint> AppSettings::specialListPos() const {
  return readPoint(QStringLiteral("SpecialListXPos"), QStringLiteral("SpecialListYPos"));
}
void AppSettings::setSpecialListPos(QPoint pos) {
  writePoint(QStringLiteral("SpecialListXPos"), QStringLiteral("SpecialListYPos"), pos);
}

QString AppSettings::diaryTitle() const {
  // The value name is spelt "Dialy" in every store that exists; keep it so they are found.
  return store_.value(QStringLiteral("Diary/DialyTitle"), QStringLiteral("日記 / スケジュール"))
      .toString();
}

void AppSettings::addRecentFile(const QString& path) {
  if (recent_.add(path)) recent_.save(store_);
}
void AppSettings::removeRecentFile(const QString& path) {
  if (recent_.remove(path)) recent_.save(store_);
}

std::optional<QRect> AppSettings::windowPos(const QString& section) const {
  if (section.isEmpty()) return std::nullopt;
  const QStringList parts = store_.value(section + kWindowPos).toString().split(u',');
  if (parts.size() != 4) return std::nullopt;
  int v[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    v[i] = parts[i].trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
  }
  // Right and bottom lie just outside the window, so an empty or inverted rectangle is damage.
  if (v[2] <= v[0] || v[3] <= v[1]) return std::nullopt;
  return QRect(v[0], v[1], v[2] - v[0], v[3] - v[1]);
}

void AppSettings::setWindowPos(const QString& section, const QRect& rect) {
  if (section.isEmpty()) return;
  store_.setValue(section + kWindowPos, QStringLiteral("%1,%2,%3,%4")
                                            .arg(rect.left())
                                            .arg(rect.top())
                                            .arg(rect.left() + rect.width())
                                            .arg(rect.top() + rect.height()));
}

namespace {

QString columnKey(const QString& section, int column) {
  return section + QStringLiteral("/Col%1").arg(column + 1);
}

}  // namespace

std::optional<int> AppSettings::columnWidth(const QString& section, int column) const {
  if (section.isEmpty()) return std::nullopt;
  return readInt(columnKey(section, column));
}

void AppSettings::setColumnWidth(const QString& section, int column, int pixels) {
  if (section.isEmpty()) return;
  store_.setValue(columnKey(section, column), pixels);
}

}  // namespace sorami
