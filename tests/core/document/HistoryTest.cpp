// Taking commands back and making them again: every kind of change restores the file exactly,
// a long mixed sequence goes back to the file as opened, and the modified state follows.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document/CashChange.h"
#include "document/DataFile.h"
#include "document/ItemChanges.h"
#include "rules/Calendar.h"
#include "support/DocumentFixture.h"

namespace sorami::test {
namespace {

struct Command {
  const char* name;
  std::function<void(CSoramiDoc&)> run;
};

Day day(int d) {
  return dayFromYmd(2024, 4, d);
}

CHinmei line(int d, uint16_t item, std::u16string name, int32_t amount) {
  return CHinmei(day(d), item, EF_EXPENSE, std::move(name), u"", amount);
}

uint16_t transferItem(CHinmeiList& s, uint16_t kind, uint16_t direction) {
  return s.itemByDirection(kind | direction)->item;
}

// The end when there is none (a later command of a sequence may find it gone).
CHinmeiList::Position firstLineOf(CHinmeiList& s, std::u16string_view name) {
  for (auto p = s.firstDated(); p != s.end(); ++p) {
    if (p->name == name) return p;
  }
  return s.end();
}

int slotOf(CHinmeiList& s, uint16_t item) {
  for (int i = 0; i < s.itemCount(); ++i) {
    if (s.itemAt(i)->item == item) return i;
  }
  return -1;
}

void answerYes(CSoramiDoc& d) {
  static_cast<ScriptedPrompts&>(d.prompts()).answers = {Answer::Yes, Answer::Yes};
}

CashChangeRequest cashTo(int64_t balance, int mode) {
  CashChangeRequest r;
  r.newBalance = balance;
  r.mode = mode;
  r.decreaseItem = 6;
  r.increaseItem = 16;
  r.decreaseName = u"不明";
  r.increaseName = u"不明";
  return r;
}

CAutoRule monthlyRule(std::u16string name) {
  CAutoRule r;
  r.sourceName = std::move(name);
  return r;
}

// One of each change a user command can make to the ledger, the budgets and the settings.
const std::vector<Command>& commands() {
  static const std::vector<Command> table = {
      {"input a line", [](CSoramiDoc& d) { d.entries()->insert(line(10, 1, u"パン", 1200)); }},
      {"input a transfer",
       [](CSoramiDoc& d) {
         CHinmeiList& s = *d.entries();
         CHinmei to(day(10), transferItem(s, EF_ACCOUNT, EF_EXPENSE), EF_EXPENSE | EF_ACCOUNT,
                    u"銀行", u"", 3000);
         CHinmei from(day(10), transferItem(s, EF_ACCOUNT, EF_INCOME), EF_INCOME | EF_ACCOUNT,
                      u"郵便局", u"", 3000);
         s.insertPair(std::move(to), std::move(from));
       }},
      {"change a line",
       [](CSoramiDoc& d) {
         d.entries()->editEntry(firstLineOf(*d.entries(), u"牛乳"),
                                EntryEdit{EntryEdit::Action::Ok, u"豆乳", 250, u"特売"});
       }},
      {"delete a line",
       [](CSoramiDoc& d) {
         d.entries()->editEntry(firstLineOf(*d.entries(), u"牛乳"),
                                EntryEdit{EntryEdit::Action::Delete, u"", 0, {}});
       }},
      {"delete a week", [](CSoramiDoc& d) { d.entries()->removeUpTo(day(9)); }},
      {"write, change and clear the diary",
       [](CSoramiDoc& d) {
         d.entries()->setDiary(day(3), u"晴れ");
         d.entries()->setDiary(day(8), u"雨\n風");
         d.entries()->setDiary(day(5), u"");
       }},
      {"move lines between items",
       [](CSoramiDoc& d) { d.entries()->reassignItem(day(1), day(30), 1, 2); }},
      {"rename a product",
       [](CSoramiDoc& d) { d.entries()->renameProduct(1, u"牛乳", u"ミルク"); }},
      {"item option", [](CSoramiDoc& d) { d.entries()->setItemOption(1, 0, false); }},
      {"special names",
       [](CSoramiDoc& d) {
         CHinmeiList& s = *d.entries();
         s.addSpecialName(1, u"おにぎり", 0, false);
         s.changeSpecialName(1, 0, u"おむすび", true);
         s.moveSpecialName(1, 0, 1);
         s.deleteSpecialNameAt(1, 2);
       }},
      {"accounts and loans",
       [](CSoramiDoc& d) {
         CHinmeiList& s = *d.entries();
         s.registerAccount(u"信金", kKindAccount, -1, 10000);
         s.renameAccount(u"信用金庫", u"信金", kKindAccount);
         s.setInitialBalance(u"信用金庫", kKindAccount, 20000);
         s.setAccountWatch(u"信用金庫", kKindAccount, AccountWatch{14, 500, true});
         s.cancelAccount(u"銀行", kKindAccount, false);
       }},
      {"rules",
       [](CSoramiDoc& d) {
         CHinmeiList& s = *d.entries();
         s.addRule(monthlyRule(u"家賃"));
         s.addRule(monthlyRule(u"電気"));
         s.setRule(0, monthlyRule(u"水道"));
         s.exchangeRules(0, 1);
         s.removeRule(1);
       }},
      {"budgets",
       [](CSoramiDoc& d) {
         d.budgets()->setAmount({2024, 4}, 1, 30000);
       }},
      {"settings",
       [](CSoramiDoc& d) {
         d.config().confirmDeletion = 1;
         d.config().decreaseName = u"減少";
       }},
      {"password", [](CSoramiDoc& d) { d.entries()->setPassword(u"secret"); }},
      {"add items",
       [](CSoramiDoc& d) {
         ASSERT_TRUE(addItem(d, u"子供", false, 1));
         ASSERT_TRUE(addItem(d, u"副業", true, -1));
       }},
      {"delete an item with its lines",
       [](CSoramiDoc& d) {
         answerYes(d);
         deleteItem(d, slotOf(*d.entries(), 2));
       }},
      {"rename and exchange items",
       [](CSoramiDoc& d) {
         CHinmeiList& s = *d.entries();
         s.renameItem(0, u"旅");
         s.exchangeItems(0, 3);
       }},
      {"move lines and a diary to another day",
       [](CSoramiDoc& d) {
         CHinmeiList& s = *d.entries();
         s.setDiary(day(8), u"雨");
         std::vector<CHinmeiList::Position> selection{firstLineOf(s, u"牛乳"),
                                                      firstLineOf(s, u"バス")};
         // Onto the diary already there.
         if (const auto diary = s.diaryOf(day(5))) selection.push_back(*diary);
         s.moveEntriesToDay(day(8), selection);
       }},
      {"move a period onto days with lines and a diary",
       [](CSoramiDoc& d) {
         d.entries()->setDiary(day(10), u"曇り");
         d.entries()->movePeriod(day(3), day(6), day(8), true);
       }},
      {"move a period back, its diary staying",
       [](CSoramiDoc& d) { d.entries()->movePeriod(day(9), day(12), day(2), false); }},
      {"change the cash with a line",
       [](CSoramiDoc& d) { changeCashBalance(d, day(10), cashTo(123456, kCashModeEntry)); }},
      {"change the cash from the start",
       [](CSoramiDoc& d) {
         answerYes(d);
         changeCashBalance(d, day(10), cashTo(-5000, kCashModeInitial));
       }},
  };
  return table;
}

class HistoryTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    created();
    CHinmeiList& s = *doc.entries();
    for (int d = 1; d <= 12; ++d) {
      s.insert(line(d, 1, d % 2 == 0 ? u"牛乳" : u"パン", 100 * d));
      s.insert(line(d, 2, u"バス", 220));
    }
    s.setDiary(day(5), u"日記");
    s.registerAccount(u"銀行", kKindAccount, -1, 50000);
    s.registerAccount(u"郵便局", kKindAccount, -1, 8000);
    ASSERT_TRUE(doc.save());
    // As the file would be opened.
    s.clearHistory();
  }

  // The file as a save would write it, with every figure computed afresh.
  std::vector<uint8_t> dump() {
    CHinmeiList& s = *doc.entries();
    s.computeToDay(doc.currentDay(), true);
    s.recomputeWindow();
    EXPECT_EQ(s.consistencyProblem(), "");
    CConfig copy = live;
    if (!s.empty() && s.begin()->isHeader()) s.begin()->setVisibleMemo(copy.toText());
    return dataFileBytes(copy, s, doc.budgets());
  }

  void command(const Command& c) {
    doc.beginStep();
    c.run(doc);
    doc.endStep();
  }
};

TEST_F(HistoryTest, EveryKindOfChangeIsTakenBackAndMadeAgainExactly) {
  for (const Command& c : commands()) {
    SCOPED_TRACE(c.name);
    const std::vector<uint8_t> before = dump();
    command(c);
    const std::vector<uint8_t> after = dump();
    ASSERT_NE(before, after) << "the command changed nothing";
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(dump(), before);
    EXPECT_FALSE(doc.isModified());
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(dump(), after);
    EXPECT_TRUE(doc.isModified());
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(dump(), before);
  }
}

TEST_F(HistoryTest, TwentyCommandsTakenBackGiveTheOpenedFileAgain) {
  const std::vector<uint8_t> opened = dump();
  std::vector<std::vector<uint8_t>> states{opened};
  for (size_t i = 0; i < 20; ++i) {
    const size_t steps = doc.entries()->historySteps();
    command(commands()[(i * 7) % commands().size()]);
    // A command the ledger refused (its line is gone by then) is no step.
    if (doc.entries()->historySteps() > steps) {
      states.push_back(dump());
    } else {
      EXPECT_EQ(dump(), states.back());
    }
  }
  ASSERT_GT(states.size(), 12u);
  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(dump(), states[i - 1]) << "after taking back command " << i;
  }
  EXPECT_FALSE(doc.undo());
  EXPECT_FALSE(doc.isModified());
  for (size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(dump(), states[i]) << "after making command " << i << " again";
  }
  EXPECT_FALSE(doc.redo());
}

TEST_F(HistoryTest, TheModifiedStateFollowsTheSavedStep) {
  CHinmeiList& s = *doc.entries();
  command(commands()[0]);
  command(commands()[3]);
  ASSERT_TRUE(doc.save());
  EXPECT_FALSE(doc.isModified());
  ASSERT_TRUE(doc.undo());
  EXPECT_TRUE(doc.isModified());
  ASSERT_TRUE(doc.redo());
  EXPECT_FALSE(doc.isModified()) << "back at the saved state";
  ASSERT_TRUE(doc.undo());
  // A new change after taking back loses the way to the saved state.
  s.insert(line(11, 1, u"卵", 300));
  doc.closeStep();
  EXPECT_FALSE(s.canRedo());
  ASSERT_TRUE(doc.undo());
  EXPECT_TRUE(doc.isModified());
}

TEST_F(HistoryTest, ChangesOutsideACommandBecomeOneStepNamedAfterThem) {
  CHinmeiList& s = *doc.entries();
  s.insert(line(10, 1, u"パン", 1200));
  EXPECT_TRUE(s.canUndo());
  const std::u16string typed = s.itemByNumber(1)->name + u" パン 1,200 の入力";
  EXPECT_EQ(s.undoLabel(), typed);
  doc.closeStep();
  doc.beginStep(u"品名ﾃﾞｰﾀ削除");
  s.removeWithTotals(firstLineOf(s, u"牛乳"));
  doc.endStep();
  EXPECT_EQ(s.undoLabel(), u"品名ﾃﾞｰﾀ削除");
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(s.redoLabel(), u"品名ﾃﾞｰﾀ削除");
  EXPECT_EQ(s.undoLabel(), typed);
}

TEST_F(HistoryTest, TheOldestStepsGoWhenTheRecordsPassTheirBound) {
  CHinmeiList& s = *doc.entries();
  s.setHistoryLimit(4096);
  for (int i = 0; i < 200; ++i) {
    s.insert(line(10, 1, u"パン", 100 + i));
    doc.closeStep();
  }
  EXPECT_LE(s.historyBytes(), 4096u);
  EXPECT_LT(s.historySteps(), 200u);
  while (doc.undo()) {
  }
  EXPECT_TRUE(doc.isModified()) << "the saved state went with the oldest steps";
  // A step larger than the bound alone cannot be kept; the history starts afresh after it.
  doc.beginStep();
  s.reassignItem(MinDay + 1, MaxDay - 1, 1, 2);
  for (int i = 0; i < 200; ++i) s.insert(line(11, 1, u"卵", 100 + i));
  doc.endStep();
  EXPECT_FALSE(s.canUndo());
  EXPECT_EQ(s.consistencyProblem(), "");
  // Nor a step whose one record is over the bound: a period moved in bulk.
  for (int i = 0; i < 300; ++i) s.insert(line(12, 1, u"牛乳", 100 + i));
  doc.closeStep();
  doc.beginStep();
  ASSERT_TRUE(s.movePeriod(MinDay + 1, MaxDay - 1, MinDay + 2, false));
  doc.endStep();
  EXPECT_FALSE(s.canUndo());
  EXPECT_LE(s.historyBytes(), 4096u);
  EXPECT_EQ(s.consistencyProblem(), "");
}

TEST_F(HistoryTest, OpeningAFileStartsANewHistory) {
  command(commands()[0]);
  const std::filesystem::path p = doc.path();
  ASSERT_TRUE(doc.save());
  ASSERT_TRUE(doc.open(p));
  EXPECT_FALSE(doc.entries()->canUndo()) << "the processing at the open wrote nothing";
}

}  // namespace
}  // namespace sorami::test
