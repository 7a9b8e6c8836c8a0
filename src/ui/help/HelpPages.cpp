#include "help/HelpPages.h"

#include <QWidget>

namespace sorami {

namespace {

// Windows that are still being built have their page already, so that their work only fills it.
constexpr HelpPageEntry kPages[] = {
    // The main window and what opens straight from it.
    {u"CMainFrame", "main-window"},
    {u"206", "main-window"},  // the summary period
    {u"SummaryPeriodDialog", "main-window"},
    {u"CHelpWindow", "index"},
    {u"動作環境", "settings"},
    {u"ConfigSheet", "settings"},
    // Entering lines.
    {u"200", "entering"},  // change or delete a line
    {u"EntryEditDialog", "entering"},
    {u"258", "entering"},  // the memo window
    {u"CMemoWindow", "entering"},
    {u"新規の貯蓄の登録", "entering"},
    {u"新規の借入の登録", "entering"},
    {u"209", "calculator"},
    {u"CCalculatorPanel", "calculator"},
    {u"消費税の選択", "tax"},
    {u"WriteTaxDialog", "tax"},
    // Special names, accounts, loans and cards.
    {u"250", "name-lists"},
    {u"CSpecialNameWnd", "name-lists"},
    {u"特別品名の追加", "name-lists"},
    {u"特別品名の変更", "name-lists"},
    {u"口座の設定", "accounts"},
    {u"借入の設定", "accounts"},
    {u"口座の初期残高変更", "accounts"},
    {u"カードの設定", "cards"},
    {u"リボルビングの設定", "cards"},
    // Items and data moves.
    {u"項目,特別品名の設定", "items"},
    {u"ItemNamesDialog", "items"},
    {u"項目の追加", "items"},
    {u"項目名の変更", "items"},
    {u"日付間のデータ移動", "data-moves"},
    {u"項目間のデータ移動", "data-moves"},
    {u"指定期間のデータ移動", "data-moves"},
    {u"234", "cash-change"},
    {u"現金残高の変更", "cash-change"},
    // Automatic entries.
    {u"CAutoEntryPage", "auto-entries"},
    {u"自動記入の設定", "auto-entries"},
    {u"CAutoRuleDialog", "auto-entries"},
    {u"記入日の指定", "auto-entries"},
    {u"CScheduleDialog", "auto-entries"},
    {u"自動記入の確認", "auto-entries"},
    {u"CAutoEntryConfirmDialog", "auto-entries"},
    // Reports.
    {u"Budget", "budget"},
    {u"CBudgetDialog", "budget"},
    {u"265", "annual-summary"},
    {u"CSumYearWnd", "annual-summary"},
    {u"222", "graphs"},  // the table and graph dialog
    {u"CGraphDialog", "graphs"},
    {u"261", "graphs"},
    {u"GraphCircle", "graphs"},
    {u"CGraphWnd", "graphs"},
    {u"CSearchDialog", "search"},
    // The diary and the calendar.
    {u"205", "diary"},  // the editor
    {u"214", "diary"},  // the list
    {u"270", "diary"},  // the diary search
    {u"CDiaryEditor", "diary"},
    {u"CDiaryList", "diary"},
    {u"CDiarySearch", "diary"},
    {u"224", "calendar"},
    {u"CCalendarWnd", "calendar"},
    // The file.
    {u"新規ﾃﾞｰﾀの作成", "getting-started"},
    {u"ﾊﾟｽﾜｰﾄﾞの設定", "password"},
    {u"ﾊﾟｽﾜｰﾄﾞの確認", "password"},
    {u"期首処理の設定", "start-of-period"},
    {u"明細の取り込み", "statement-import"},
};

QString className(const QWidget& w) {
  const QString name = QString::fromLatin1(w.metaObject()->className());
  return name.mid(name.lastIndexOf(u':') + 1);
}

const char* pageOfWindow(const QWidget& w) {
  const QString names[] = {w.objectName(), className(w), w.windowTitle()};
  for (const QString& name : names) {
    if (name.isEmpty()) continue;
    for (const HelpPageEntry& entry : kPages) {
      if (name == QString::fromUtf16(entry.window)) return entry.page;
    }
  }
  return nullptr;
}

}  // namespace

std::span<const HelpPageEntry> helpPageTable() {
  return kPages;
}

QString helpPageFor(const QWidget* widget) {
  // Windows only: the controls inside a window carry numbers of their own.
  for (const QWidget* w = widget ? widget->window() : nullptr; w;
       w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
    if (const char* page = pageOfWindow(*w)) return QString::fromLatin1(page);
  }
  return HelpMainWindowPage;
}

}  // namespace sorami
