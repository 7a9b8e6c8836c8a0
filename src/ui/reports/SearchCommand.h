#pragma once
// The main window's command ﾃﾞｰﾀ検索: the search dialog over the open ledger, and the move of
// the main view to the line the user picks there.

#include <QObject>
#include <functional>

namespace sorami {

class CMainFrame;
class CSearchDialog;
class CSoramiDoc;
class HolidayCalendar;

class CSearchCommand : public QObject {
  Q_OBJECT

 public:
  CSearchCommand(CMainFrame& frame, CSoramiDoc& document, const HolidayCalendar& holidays);

  void run();
  // Runs the modal dialog; replaceable so that tests drive it. Returns the dialog's result.
  std::function<int(CSearchDialog&)> runDialog;

 private:
  CMainFrame& frame_;
  CSoramiDoc& document_;
  const HolidayCalendar& holidays_;
};

CSearchCommand* attachSearchCommand(CMainFrame& frame, CSoramiDoc& document,
                                    const HolidayCalendar& holidays);

}  // namespace sorami
