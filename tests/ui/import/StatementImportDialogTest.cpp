// The dialog 明細の取り込み: a card statement previewed, two items changed by hand, the lines
// written as card purchases in one go; refused lines hold the import back until skipped; the
// File menu opens it on the open file.

#include "import/StatementImportDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "core/ledger/LedgerFixture.h"
#include "import/StatementModel.h"
#include "main/Commands.h"
#include "platform/TextCodec.h"
#include "ui/SoramiViewFixture.h"

namespace sorami {
namespace {

using test::kFood;
using test::kGoods;

void writeFile(const QString& path, const std::string& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

const std::string kCardProfile =
    "name = テストカード\n"
    "skip-lines = 1\n"
    "date-column = 1\nname-column = 2\namount-column = 3\nmemo-column = 4\n"
    "sign = expense-positive\n"
    "money = loan\n"
    "default-expense-item = 日用品\n"
    "default-income-item = 給料\n";

class StatementDialogTest : public ::testing::Test {
 protected:
  StatementDialogTest() {
    f.loan(u"カード", 0);
    writeFile(dir.filePath("card.profile"), kCardProfile);
  }

  std::vector<std::filesystem::path> folders() const { return {dir.path().toStdString()}; }
  QString statement(const std::u16string& text) {
    const QString path = dir.filePath("statement.csv");
    writeFile(path, toShiftJis(text));
    return path;
  }
  // Makes the item cell of a row current, which opens its choice, and moves the choice by a key.
  static void chooseByKey(StatementImportDialog& d, int row, Qt::Key key) {
    QTableView* t = d.table();
    const QModelIndex cell = t->model()->index(row, StatementModel::ColItem);
    const QRect r = t->visualRect(cell);
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, r.center());
    auto* box = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(box, nullptr) << "no choice opened on row " << row;
    QTest::keyClick(box, key);
  }

  QTemporaryDir dir;
  test::LedgerFixture f;
};

TEST_F(StatementDialogTest, CardStatementWithTwoItemsChanged) {
  StatementImportDialog d(f.store, 0, f.prompts, folders());
  d.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
  EXPECT_EQ(d.windowTitle(), QStringLiteral("明細の取り込み"));
  EXPECT_EQ(d.profileBox()->currentText(), QStringLiteral("テストカード"));
  // The profile leaves the card open; the file has one.
  EXPECT_EQ(d.moneyBox()->currentText(), QStringLiteral("借入: カード"));
  EXPECT_FALSE(d.importButton()->isEnabled());

  d.setStatementFile(
      statement(u"ご利用日,ご利用店名,ご利用金額,備考\r\n"
                u"R6.4.1,ｾﾌﾞﾝｲﾚﾌﾞﾝ,\"1,280\",\r\n"
                u"R6.4.2,ﾊﾟﾝ屋,450,\r\n"
                u"R6.4.3,文具店,\"3,300\",\r\n"));
  StatementModel& m = *d.model();
  ASSERT_EQ(m.rowCount(), 3);
  EXPECT_EQ(m.index(0, StatementModel::ColDate).data().toString(), QStringLiteral("2024-04-01"));
  EXPECT_EQ(m.index(0, StatementModel::ColExpense).data().toString(), QStringLiteral("1,280"));
  EXPECT_EQ(m.index(0, StatementModel::ColItem).data().toString(), QStringLiteral("日用品"));
  EXPECT_EQ(m.index(0, StatementModel::ColStatus).data().toString(), QStringLiteral("新規"));
  EXPECT_EQ(d.summaryLabel()->text(),
            QStringLiteral("新規 3 行、取り込み済み 0 行、取り込めない行 0 行"));

  // The choice lists 食費 before 日用品.
  chooseByKey(d, 0, Qt::Key_Up);
  chooseByKey(d, 1, Qt::Key_Up);
  EXPECT_EQ(m.index(0, StatementModel::ColItem).data().toString(), QStringLiteral("食費"));
  EXPECT_EQ(m.index(1, StatementModel::ColItem).data().toString(), QStringLiteral("食費"));
  EXPECT_EQ(m.preview().lines[1].source, ItemSource::Chosen);
  d.table()->setFocus();
  QCoreApplication::processEvents();
  const QString shots = QCoreApplication::applicationDirPath();
  EXPECT_TRUE(d.grab().save(QDir(shots).filePath(QStringLiteral("statement-import.png"))));

  ASSERT_TRUE(d.importButton()->isEnabled());
  QTest::mouseClick(d.importButton(), Qt::LeftButton);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  ASSERT_FALSE(f.prompts.shown.empty());
  EXPECT_EQ(f.prompts.shown.back().id, MessageId::StatementImported);
  EXPECT_EQ(f.prompts.shown.back().text.rfind(u"3 行を取り込みました", 0), 0u);
  // Card purchases under the chosen items, each with its half on the card.
  int food = 0;
  int goods = 0;
  int card = 0;
  for (const CHinmei& e : f.store.entries()) {
    if (!e.isDated() || e.isEndMarker()) continue;
    food += e.item == kFood;
    goods += e.item == kGoods;
    card += e.item == test::kBorrow && e.name == u"カード";
  }
  EXPECT_EQ(food, 2);
  EXPECT_EQ(goods, 1);
  EXPECT_EQ(card, 3);
}

TEST_F(StatementDialogTest, RefusedLinesHoldTheImportUntilSkipped) {
  writeFile(dir.filePath("card.profile"), kCardProfile.substr(0, kCardProfile.find("default-")));
  StatementImportDialog d(f.store, 0, f.prompts, folders());
  d.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
  d.setStatementFile(
      statement(u"ご利用日,ご利用店名,ご利用金額,備考\r\n"
                u"R6.4.1,八百屋,100,\r\n"
                u"合計,,100,\r\n"));
  StatementModel& m = *d.model();
  ASSERT_EQ(m.rowCount(), 2);
  // Without a default item the first line waits for one; the second cannot be read at all.
  EXPECT_EQ(m.index(0, StatementModel::ColStatus).data().toString(),
            QStringLiteral("取り込めない: 項目が決まりません。項目を選んでください。"));
  EXPECT_FALSE(m.flags(m.index(1, StatementModel::ColItem)) & Qt::ItemIsEditable);
  EXPECT_FALSE(d.importButton()->isEnabled());
  chooseByKey(d, 0, Qt::Key_Down);
  EXPECT_EQ(m.index(0, StatementModel::ColStatus).data().toString(), QStringLiteral("新規"));
  EXPECT_FALSE(d.importButton()->isEnabled()) << "one line is still refused";
  ASSERT_TRUE(d.skipRefusedBox()->isEnabled());
  // On the box itself: the row is wider than the box and its words.
  QCheckBox* skip = d.skipRefusedBox();
  QTest::mouseClick(skip, Qt::LeftButton, {}, QPoint(8, skip->height() / 2));
  ASSERT_TRUE(d.importButton()->isEnabled());
  QTest::mouseClick(d.importButton(), Qt::LeftButton);
  EXPECT_EQ(d.outcome()->added, 1u);
  EXPECT_EQ(d.outcome()->refused, 1u);
}

// Walking down the item column with the arrow keys leaves every item as it was; F2 opens the
// choice of the line the keys arrived at.
TEST_F(StatementDialogTest, ArrowKeysPassItemsWithoutChangingThem) {
  StatementImportDialog d(f.store, 0, f.prompts, folders());
  d.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
  d.setStatementFile(
      statement(u"ご利用日,ご利用店名,ご利用金額,備考\r\n"
                u"R6.4.1,店一,100,\r\nR6.4.2,店二,200,\r\nR6.4.3,店三,300,\r\n"));
  StatementModel& m = *d.model();
  ASSERT_EQ(m.rowCount(), 3);
  QTableView* t = d.table();
  t->setFocus();
  t->setCurrentIndex(m.index(0, StatementModel::ColItem));
  for (int i = 0; i < 2; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  EXPECT_EQ(t->currentIndex().row(), 2);
  EXPECT_EQ(QApplication::focusWidget(), t) << "no choice opens on the way";
  for (const StatementLine& line : m.preview().lines) EXPECT_EQ(line.source, ItemSource::Default);

  QTest::keyClick(t, Qt::Key_F2);
  auto* box = qobject_cast<QComboBox*>(QApplication::focusWidget());
  ASSERT_NE(box, nullptr);
  QTest::keyClick(box, Qt::Key_Up);
  EXPECT_EQ(m.index(2, StatementModel::ColItem).data().toString(), QStringLiteral("食費"));
  EXPECT_EQ(m.preview().lines[1].source, ItemSource::Default);
  EXPECT_EQ(QApplication::focusWidget(), t) << "the choice closes once taken";
}

TEST_F(StatementDialogTest, UnregisteredTargetIsNamed) {
  std::string named = kCardProfile;
  named.replace(named.find("money = loan"), 12, "money = loan:他社カード");
  writeFile(dir.filePath("card.profile"), named);
  StatementImportDialog d(f.store, 0, f.prompts, folders());
  d.setStatementFile(statement(u"ご利用日,ご利用店名,ご利用金額,備考\r\nR6.4.1,店,100,\r\n"));
  EXPECT_EQ(d.moneyBox()->currentIndex(), -1);
  EXPECT_TRUE(d.summaryLabel()->text().contains(QStringLiteral("借入「他社カード」")))
      << d.summaryLabel()->text().toStdString();
  EXPECT_FALSE(d.importButton()->isEnabled());
  // Choosing the card the file has shows the preview.
  d.moneyBox()->setCurrentIndex(d.moneyBox()->findText(QStringLiteral("借入: カード")));
  EXPECT_EQ(d.model()->rowCount(), 1);
  EXPECT_TRUE(d.importButton()->isEnabled());
}

class StatementMenuTest : public test::SoramiViewTest {};

TEST_F(StatementMenuTest, FileMenuImportsIntoTheOpenFile) {
  QTemporaryDir config;
  const QByteArray before = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  const QDir profiles(config.path() + QStringLiteral("/Tsumiki/そらみ/import-profiles"));
  ASSERT_TRUE(profiles.mkpath(QStringLiteral(".")));
  writeFile(profiles.filePath("0-cash.profile"),
            "name = 現金の明細\ndate-column = 1\nname-column = 2\namount-column = 3\n"
            "default-expense-item = 通信\n");
  const QString csv = config.filePath(QStringLiteral("cash.csv"));
  writeFile(csv, "2024/04/10,切手,-84\n");

  QAction* a = frame.action(ID_IMPORT_STATEMENT);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->text(), QStringLiteral("明細の取り込み(&I)..."));
  ASSERT_TRUE(a->isEnabled());
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* d = qobject_cast<StatementImportDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    seen = true;
    EXPECT_EQ(d->profileBox()->currentText(), QStringLiteral("現金の明細"));
    d->setStatementFile(csv);
    QTest::mouseClick(d->importButton(), Qt::LeftButton);
  });
  a->trigger();
  qputenv("XDG_CONFIG_HOME", before);
  ASSERT_TRUE(seen);
  const std::vector<CHinmei> lines = linesOn(test::kToday);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines.back().name, u"切手");
  EXPECT_EQ(lines.back().amount, 84);
  EXPECT_TRUE(gateway.document().isModified());
}

}  // namespace
}  // namespace sorami
