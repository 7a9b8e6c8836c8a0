#pragma once
// The main window opened on a small ledger written through the core, for the tests that drive
// the main view.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <functional>
#include <optional>

#include "document/SoramiDocGateway.h"
#include "lists/GeneralList.h"
#include "main/MainFrame.h"
#include "main/SoramiView.h"
#include "platform/AppSettings.h"
#include "support/DocumentFixture.h"
#include "ui/TempSettings.h"

namespace sorami::test {

inline constexpr uint16_t kFirst = 0;  // the first expense item
inline constexpr uint16_t kFifth = 4;  // another expense item
inline const Day kToday = dayFromYmd(2024, 4, 10);

// A small ledger written through the core: lines around April 2024 and a budget for April.
inline void writeFixture(const std::filesystem::path& path,
                         const std::function<void(CConfig&)>& adjust = nullptr) {
  FixedClock clock{2024, 4, 10};
  CConfig live;
  ScriptedPrompts prompts;
  CSoramiDoc doc{live, prompts, clock};
  ASSERT_TRUE(doc.createFile(path, NewFileValues{5000, false, 10}));
  CHinmeiList& s = *doc.entries();
  const uint16_t salary = s.itemAt(s.expenseItemCount())->item;
  auto line = [&](int m, int d, uint16_t item, uint16_t flags, const char16_t* name, int amount) {
    ASSERT_TRUE(s.insert(CHinmei(dayFromYmd(2024, m, d), item, flags, name, u"", amount)));
  };
  line(3, 31, kFirst, EF_EXPENSE, u"米", 2000);
  line(4, 1, kFirst, EF_EXPENSE, u"パン", 300);
  line(4, 1, kFifth, EF_EXPENSE, u"電車", 500);
  line(4, 10, kFirst, EF_EXPENSE, u"昼食", 800);
  line(4, 10, salary, EF_INCOME, u"給与", 200000);
  line(5, 1, kFirst, EF_EXPENSE, u"夕食", 1000);
  doc.budgets()->budgetFor(2024, 4).amounts[kFirst] = 30000;
  doc.budgets()->setModified(true);
  if (adjust) adjust(live);
  ASSERT_TRUE(doc.save());
}

class SoramiViewTest : public ::testing::Test {
 protected:
  SoramiViewTest()
      : settings(temp.store()),
        gateway(settings, prompts, clock, std::filesystem::path(temp.dir().toStdString()) / "none"),
        frame(settings) {
    const QString path = QDir(temp.dir()).filePath(QStringLiteral("fixture.mtb"));
    writeFixture(path.toStdString());
    gateway.attachFrame(frame);
    frame.resize(1000, 700);
    frame.show();
    frame.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
    EXPECT_TRUE(gateway.openFile(path));
    // Amounts are typed into the main window's own field unless a test opens the calculator.
    config().calculatorOnAmount = 0;
    view = frame.view();
    view->askSummaryPeriod = [this](const SummaryPeriod& p) -> std::optional<SummaryPeriod> {
      proposed = p;
      return answer;
    };
  }

  void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(view->nameField(), static_cast<Qt::Key>(k), mods);
  }
  QString itemLine(int row) const { return view->itemList()->lineText(row); }
  // Types character by character; what the test library cannot spell (kana, kanji) goes as a
  // key event that carries only its text, as an input method delivers it.
  static void typeText(QWidget* field, const QString& text) {
    for (const QChar c : text) {
      if (c.unicode() < 0x80) {
        QTest::keyClick(field, static_cast<char>(c.unicode()));
        continue;
      }
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(field, &press);
      QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(field, &release);
    }
  }
  // Replaces the product name's text by typing, as the user does.
  void typeName(const QString& text) {
    view->nameField()->setFocus();
    view->nameField()->selectAll();
    typeText(view->nameField(), text);
  }
  // Types into the amount field over what is selected there.
  void typeAmount(const QString& text) { typeText(view->amountField(), text); }
  void enter(QWidget* field) { QTest::keyClick(field, Qt::Key_Return); }
  CHinmeiList& store() { return *gateway.document().entries(); }
  CConfig& config() { return gateway.document().config(); }
  // The ledger lines of a day, in stored order.
  std::vector<CHinmei> linesOn(Day day) {
    std::vector<CHinmei> lines;
    // Read through the const list: the writable one is for loading and forgets the history.
    const CHinmeiList& s = store();
    for (const CHinmei& e : s.entries()) {
      if (e.isDated() && e.date == day && !e.isDiary()) lines.push_back(e);
    }
    return lines;
  }
  QStringList summaryLines() const { return view->summaryList()->lines(); }
  QString periodLine() const { return view->codedText(IDC_PERIOD_LINE); }
  void shoot(const char* name) {
    QCoreApplication::processEvents();
    const QString dir = QCoreApplication::applicationDirPath();
    EXPECT_TRUE(frame.grab().save(QDir(dir).filePath(QString::fromLatin1(name))));
  }

  TempSettings temp;
  AppSettings settings;
  ScriptedPrompts prompts;
  FixedClock clock{2024, 4, 10};
  SoramiDocGateway gateway;
  CMainFrame frame;
  CSoramiView* view = nullptr;
  std::optional<SummaryPeriod> answer;
  SummaryPeriod proposed;
};

}  // namespace sorami::test
