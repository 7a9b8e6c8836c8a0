#include "diary/DiaryWindows.h"

#include <QAction>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "diary/CalendarWnd.h"
#include "diary/DiaryEditor.h"
#include "diary/DiaryList.h"
#include "diary/DiarySearch.h"
#include "document/SoramiDoc.h"
#include "main/Commands.h"
#include "main/MainFrame.h"
#include "main/SoramiView.h"
#include "platform/AppSettings.h"
#include "platform/Messages.h"
#include "platform/WindowPos.h"
#include "rules/Holidays.h"

namespace sorami {

namespace {

const QString kListSection = QStringLiteral("Diary");
const QString kSearchSection = QStringLiteral("SearchDialy");

QString qs(std::u16string_view s) {
  return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

void showWindow(QWidget& w) {
  w.show();
  w.raise();
  w.activateWindow();
}

}  // namespace

CDiaryWindows::CDiaryWindows(CMainFrame& frame, CSoramiDoc& document, const CHoliday& holidays,
                             AppSettings* settings)
    : QObject(&frame),
      frame_(frame),
      view_(frame.view()),
      document_(document),
      holidays_(holidays),
      settings_(settings) {
  notFound = [this](const QString& text, const QString& caption) {
    QMessageBox::information(search_ ? static_cast<QWidget*>(search_) : &frame_, caption, text);
  };
  connect(view_, &CSoramiView::currentDayChanged, this, &CDiaryWindows::viewMoved);
  connect(view_, &CSoramiView::documentShown, this, &CDiaryWindows::documentShown);
}

CDiaryWindows::~CDiaryWindows() = default;

bool CDiaryWindows::hasLedger() const {
  return document_.entries() != nullptr;
}

bool CDiaryWindows::monochrome() const {
  return frame_.colors().displayColor() == DisplayColors::Monochrome;
}

CDiaryList& CDiaryWindows::ensureList() {
  if (list_ == nullptr) {
    list_ = new CDiaryList(document_, holidays_, &frame_);
    if (settings_) restoreWindowPos(*list_, kListSection, *settings_);
    connect(list_, &CDiaryList::daySelected, this, &CDiaryWindows::loadEditor);
    connect(list_, &CDiaryList::editRequested, this, &CDiaryWindows::edit);
    connect(list_, &CDiaryList::closing, this, &CDiaryWindows::listClosing);
    connect(list_, &CDiaryList::searchRequested, this, [this] {
      if (search_ == nullptr) {
        search_ = new CDiarySearch(list_);
        if (settings_) restoreWindowPos(*search_, kSearchSection, *settings_);
        connect(search_, &CDiarySearch::searchRequested, this, &CDiaryWindows::searchDiary);
      }
      showWindow(*search_);
      search_->keyword()->setFocus();
    });
  }
  return *list_;
}

CDiaryEditor& CDiaryWindows::ensureEditor() {
  if (editor_ == nullptr) {
    editor_ = new CDiaryEditor(&frame_);
    connect(editor_, &QDialog::accepted, this, &CDiaryWindows::storeEditor);
  }
  return *editor_;
}

void CDiaryWindows::openList() {
  if (!hasLedger()) return;
  CDiaryList& list = ensureList();
  list.setMonochrome(monochrome());
  list.refill();
  list.showDay(view_->currentDay(), true);
  showWindow(list);
  list.days()->setFocus();
  frame_.action(ID_DIARY_LIST)->setChecked(true);
}

void CDiaryWindows::editCurrentDay() {
  if (hasLedger()) edit(view_->currentDay());
}

void CDiaryWindows::edit(Day day) {
  CDiaryEditor& editor = ensureEditor();
  if (editor.isVisible() && editor.day() != day) storeEditor();
  if (!editor.isVisible() || editor.day() != day) loadEditor(day);
  showWindow(editor);
  editor.textBox()->setFocus();
}

// The editor follows the list's day; what the user typed for the day before is kept first, so
// moving in the list never loses a word nor files it under another day.
void CDiaryWindows::loadEditor(Day day) {
  if (editor_ == nullptr || !hasLedger()) return;
  if (editor_->isVisible()) {
    if (editor_->day() == day) return;
    storeEditor();
  }
  const auto entry = document_.entries()->diaryOf(day);
  const std::u16string text = entry ? withEditorLineBreaks((*entry)->visibleMemo()) : u"";
  editor_->load(day, QString::fromStdU16String(text),
                QString::fromStdU16String(diaryEditorTitle(day, holidays_)));
}

void CDiaryWindows::storePendingText() {
  if (editor_ != nullptr && editor_->isVisible()) storeEditor();
}

void CDiaryWindows::historyMoved() {
  if (!hasLedger()) return;
  if (editor_ != nullptr && editor_->isVisible()) {
    const Day day = editor_->day();
    const auto entry = document_.entries()->diaryOf(day);
    const std::u16string text = entry ? withEditorLineBreaks((*entry)->visibleMemo()) : u"";
    editor_->load(day, QString::fromStdU16String(text),
                  QString::fromStdU16String(diaryEditorTitle(day, holidays_)));
  }
  if (list_ != nullptr && list_->isVisible()) list_->refill();
}

void CDiaryWindows::storeEditor() {
  if (editor_ == nullptr || !hasLedger()) return;
  const Day day = editor_->day();
  if (day <= MinDay || day >= MaxDay || !editor_->changed()) return;
  document_.entries()->setDiary(day, editor_->text().toStdU16String());
  editor_->markStored();
  if (list_) list_->refreshDay(day);
}

void CDiaryWindows::searchDiary(const QString& keyword, DiaryDirection direction) {
  if (list_ == nullptr || !hasLedger()) return;
  const std::optional<Day> found =
      findDiary(*document_.entries(), list_->currentDay(), keyword.toStdU16String(), direction);
  if (found) {
    list_->showDay(*found);
    return;
  }
  const QString caption = direction == DiaryDirection::Earlier ? QStringLiteral("前方検索")
                                                               : QStringLiteral("後方検索");
  notFound(qs(messageText(MessageId::DiaryNotFound)), caption);
}

void CDiaryWindows::listClosing() {
  if (editor_ && editor_->isVisible()) {
    storeEditor();
    editor_->hide();
  }
  if (search_) {
    if (settings_ && search_->isVisible()) saveWindowPos(*search_, kSearchSection, *settings_);
    search_->hide();
  }
  if (settings_ && list_->isVisible()) saveWindowPos(*list_, kListSection, *settings_);
  frame_.action(ID_DIARY_LIST)->setChecked(false);
  frame_.activateWindow();
  view_->setFocus();
}

void CDiaryWindows::viewMoved(Day day) {
  if (list_ && list_->isVisible()) list_->showDay(day);
}

// A new ledger: the windows show it, or close when there is none; the diary list opens by
// itself when the file asks for it.
void CDiaryWindows::documentShown() {
  if (!hasLedger()) {
    for (QWidget* w : {static_cast<QWidget*>(list_), static_cast<QWidget*>(editor_),
                       static_cast<QWidget*>(calendar_)}) {
      if (w) w->hide();
    }
    return;
  }
  if (editor_) editor_->hide();
  if (calendar_ && calendar_->isVisible()) calendar_->update();
  if (document_.config().diaryAtStartup != 0 || (list_ && list_->isVisible())) openList();
}

void CDiaryWindows::openCalendar() {
  if (!hasLedger()) return;
  if (calendar_ == nullptr) {
    CalendarMarks marks;
    marks.today = [this] { return document_.today(); };
    marks.currentDay = [this] { return view_->currentDay(); };
    marks.restDays = [this] {
      return hasLedger() ? static_cast<unsigned>(document_.config().weeklyRestDays) : 0U;
    };
    calendar_ = new CCalendarWnd(holidays_, std::move(marks), &frame_);
    connect(calendar_, &CCalendarWnd::dayClicked, this, [this](Day day, bool closeAfter) {
      view_->jumpToDay(day);
      calendar_->grid()->update();
      if (closeAfter) calendar_->reject();
    });
    connect(view_, &CSoramiView::currentDayChanged, calendar_,
            [this] { calendar_->grid()->update(); });
  }
  calendar_->grid()->setMonochrome(monochrome());
  calendar_->showMonthOf(view_->currentDay());
  showWindow(*calendar_);
}

CDiaryWindows* attachDiaryWindows(CMainFrame& frame, CSoramiDoc& document, const CHoliday& holidays,
                                  AppSettings* settings) {
  auto* windows = new CDiaryWindows(frame, document, holidays, settings);
  frame.attachCommand(ID_DIARY_EDIT, [windows] { windows->editCurrentDay(); });
  // The menu entry is checked while the list is open; choosing it again closes the list.
  frame.attachCommand(ID_DIARY_LIST, [windows] {
    if (windows->list() && windows->list()->isVisible()) {
      windows->list()->accept();
    } else {
      windows->openList();
    }
  });
  frame.attachCommand(ID_CALENDAR, [windows] { windows->openCalendar(); });
  return windows;
}

}  // namespace sorami
