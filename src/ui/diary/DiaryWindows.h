#pragma once
// The diary list, its editor and search, and the calendar: created on first use, kept while the
// main window lives, showing the ledger of the open document. The main view's commands 日記編集,
// 日記一覧 and カレンダー open them, and the list follows the view's current day.

#include <QObject>
#include <functional>

#include "reports/Diary.h"

namespace sorami {

class AppSettings;
class CCalendarWnd;
class CDiaryEditor;
class CDiaryList;
class CDiarySearch;
class CHoliday;
class CMainFrame;
class CSoramiDoc;
class CSoramiView;

class CDiaryWindows : public QObject {
  Q_OBJECT

 public:
  CDiaryWindows(CMainFrame& frame, CSoramiDoc& document, const CHoliday& holidays,
                AppSettings* settings);
  ~CDiaryWindows() override;

  // The commands.
  void openList();
  void editCurrentDay();
  void openCalendar();
  // Before the document saves or lets its ledger go: what the open editor holds is stored for
  // its day, so a save, an exit or the open of another file never drops typed text.
  void storePendingText();
  // After an undo or redo: the open editor and list show the diary as the ledger now holds it,
  // so that typing on never stores the text the undo took back.
  void historyMoved();

  CDiaryList* list() const { return list_; }
  CDiaryEditor* editor() const { return editor_; }
  CDiarySearch* search() const { return search_; }
  CCalendarWnd* calendar() const { return calendar_; }

  // The box that says the diary search found nothing; replaceable so that tests see it.
  std::function<void(const QString& text, const QString& caption)> notFound;

 private:
  CDiaryList& ensureList();
  CDiaryEditor& ensureEditor();
  void edit(Day day);
  // Keeps the editor's text for its own day (a changed text only), as OK does.
  void storeEditor();
  void loadEditor(Day day);
  void searchDiary(const QString& keyword, DiaryDirection direction);
  void listClosing();
  void viewMoved(Day day);
  void documentShown();
  bool hasLedger() const;
  bool monochrome() const;

  CMainFrame& frame_;
  CSoramiView* view_;
  CSoramiDoc& document_;
  const CHoliday& holidays_;
  AppSettings* settings_;
  CDiaryList* list_ = nullptr;
  CDiaryEditor* editor_ = nullptr;
  CDiarySearch* search_ = nullptr;
  CCalendarWnd* calendar_ = nullptr;
};

// Creates the diary windows of the main window and gives their commands their work.
CDiaryWindows* attachDiaryWindows(CMainFrame& frame, CSoramiDoc& document, const CHoliday& holidays,
                                  AppSettings* settings);

}  // namespace sorami
