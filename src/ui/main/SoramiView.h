#pragma once
// The main view: the item side on the left, the detail side on the right and the input row at
// the bottom, showing the open ledger in day input, summary or cash book mode. The view keeps
// the current day and the shown period and decides what is recomputed after each command.

#include <QHash>
#include <QWidget>
#include <functional>
#include <optional>

#include "input/EntryEditDialog.h"
#include "input/ParsedEdit.h"
#include "input/WriteTaxDialog.h"
#include "ledger/EntryInput.h"
#include "main/DataMoveDialogs.h"
#include "main/DisplayColors.h"
#include "main/SummaryPeriodDialog.h"
#include "rules/Day.h"
#include "rules/Period.h"

class QLineEdit;
class QScrollBar;

namespace sorami {

class AppSettings;
class CConfig;
class CMemoWindow;
class CSpecialNameWnd;
class CCalculatorPanel;
struct CalculatorWrite;
class Prompts;
class CDetailBox;
class CStaticWnd;
class CGeneralList;
class CHinmei;
class CHinmeiList;
class CSoramiDoc;
class Prompts;
class HolidayCalendar;

// Control ids, as commands and notifications carry them.
enum ViewControlId : int {
  IDC_ITEM_HEADER = 115,
  IDC_ITEM_LIST = 117,
  IDC_COLUMN_SELECTOR = 127,
  IDC_SUMMARY_LIST = 112,
  IDC_PERIOD_LINE = 151,
  IDC_DETAIL_HEADER = 125,
  IDC_DETAIL_LIST = 111,
  IDC_DETAIL_TOTAL = 131,
  IDC_NAME_LABEL = 143,
  IDC_NAME_FIELD = 113,
  IDC_LIST_BUTTON = 116,
  IDC_AMOUNT_LABEL = 150,
  IDC_AMOUNT_FIELD = 114,
  IDC_CALCULATOR_BUTTON = 118,
  IDC_ADD_ENTRY = 119,         // 入力窓の品名をﾃﾞｰﾀに加える
  IDC_ADD_FROM_ACCOUNT = 120,  // ..., 口座から振替をする
  IDC_ADD_FROM_LOAN = 122,     // ..., 借入から振替をする
};

// The ledger names the modes DisplayMode; these are their numbers as the view stores them.
enum ViewDisplayMode : int { DM_DAY_INPUT = 0, DM_SUMMARY = 1, DM_CASH_BOOK = 2 };

// The entries of the lines selected in the detail list, in list order.
std::vector<CHinmeiList::Position> selectedPositions(const CDetailBox& details);

class CSoramiView : public QWidget {
  Q_OBJECT

 public:
  explicit CSoramiView(QWidget* parent = nullptr);
  // Leaves the application's focus signals before the controls go: the panels it owns are
  // hidden while it is destroyed, which moves the focus.
  ~CSoramiView() override;

  QWidget* control(int id) const { return controls_.value(id); }
  QLineEdit* nameField() const;
  CParsedEdit* amountField() const;
  QScrollBar* columnSelector() const;
  CGeneralList* itemList() const;
  CGeneralList* summaryList() const;
  CDetailBox* detailList() const;
  // The coded text of a header or total line, line code included.
  QString codedText(int id) const;

  // The ledger the view shows; nothing while no file is open. The view reads the store, the
  // configuration and today through the document.
  void setDocument(CSoramiDoc* document, const HolidayCalendar* holidays);
  bool hasData() const;
  // After a file was opened or created: the current processing day, the lists and the layout.
  void documentLoaded();

  int displayMode() const { return displayMode_; }
  Day currentDay() const { return currentDay_; }
  Day periodStart() const { return periodStart_; }
  Day periodEnd() const { return periodEnd_; }

  // ---- Commands.
  void dayInputMode();
  // Asks for the period first; false when the dialog was cancelled.
  bool summaryMode();
  void cashBookMode();
  void stepDays(int days);
  // -1 previous month, +1 next month.
  void stepMonth(int direction);
  void goToday();
  // Recomputes and redraws everything for the current day.
  void currentProcessingDay();
  // A new position of the column selector.
  void setColumn(int column);
  // After the settings sheet: the totals may count differently, amounts print differently.
  void refreshAll();
  // The amount field and the calculator panel take the file's decimal places, operator
  // precedence, "." key and tax as they are now.
  void setUpCalculator();
  // Windows beside the view move it: the calendar to a day (then the current processing day),
  // a found line to its day and item in day input mode.
  void jumpToDay(Day day);
  void showLine(Day day, uint16_t item);
  // The detail list's one selected ledger line, if there is one.
  const CHinmei* selectedLine() const;
  CSoramiDoc* document() const { return document_; }
  const HolidayCalendar* holidays() const { return holidays_; }

  const DisplayColors& colors() const { return colors_; }
  void setDisplayColor(int displayColor);
  void setViewFont(const QFont& font);
  // Fits the font to the window: the configured item rows and the detail columns fit.
  void fitFont();

  // The summary period dialog; replaceable so that tests answer it.
  std::function<std::optional<SummaryPeriod>(const SummaryPeriod&)> askSummaryPeriod;

  // ---- Commands on the lines selected in the detail list.
  void deleteSelectedLines();
  // Opens the change dialog of the one selected line on the column last double-clicked.
  void changeSelectedLine();
  void copySelectedLines();
  void pasteLines();
  // The change dialog of a detail line; replaceable so that tests answer it.
  std::function<std::optional<EntryEditAnswer>(const EntryEditRequest&)> askEntryEdit;
  // 消費税記入: the outside tax of the selected lines, from cash, an account or a loan.
  void writeTaxForSelection();
  // The dialog "消費税の選択"; replaceable so that tests answer it.
  std::function<std::optional<WriteTaxChoice>(const QStringList& accounts,
                                              const QStringList& loans)>
      askWriteTax;
  // ---- Entry input (SoramiViewInput.cpp).
  // Where windows of the view keep their positions.
  void setAppSettings(AppSettings* settings) { appSettings_ = settings; }
  // Another item chosen (list selection, or Down and Up in the product-name field).
  void itemStep(int row);
  // The next (+1) or previous (-1) item, wrapping round.
  void stepItem(int direction);
  // To the product-name field (113), to the amount (114), back to a refused amount (154).
  void nameStep();
  void amountStep();
  void backToAmount();
  // Enter: in the amount field it adds the line, elsewhere it ends the product name.
  void inputEnter();
  void nameEnter();
  // Down (+1) and Up (-1): the amount field counts, the product-name field changes the item.
  void arrowKey(int direction);
  // Tab (+1) and Shift+Tab (-1) between the product name and the amount.
  void tabKey(int direction);
  // The add commands 119, 120 and 122; true when the line was written or waits for its memo.
  bool addEntry(TransferKind transfer);
  // Writes the line that waited for the memo window (157).
  void writePending();
  CMemoWindow* memoWindow() const { return memoWindow_; }
  bool hasPendingEntry() const { return pending_.has_value(); }
  // The account and loan a transfer goes to unless asked: set by the amount memory.
  QString transferName(TransferKind kind) const;
  void setTransferName(TransferKind kind, const QString& name);
  // ---- Special names and accounts (SoramiViewNames.cpp).
  // The special-name window, made on first use.
  CSpecialNameWnd* specialNameWindow();
  bool specialNamesShown() const;
  bool specialNamesHaveFocus() const;
  // Button ﾘｽﾄ: shows or hides the window.
  void toggleSpecialNames();
  // Shift+Enter.
  void togglePanel();
  // Shift+Down (+1) and Shift+Up (-1).
  void stepSpecialName(int direction);
  // 特別品名の登録: the product name typed becomes a special name of the selected item.
  void registerSpecialName();
  // 特別品名の変更: the name selected in the special-name window.
  void changeSpecialName();
  // 口座/借入の初期残高変更: the account or loan of the one selected detail line.
  void changeInitialBalance();
  // 項目,特別品名: the settings of items and their special names.
  void itemSettings();
  // 日付間ﾃﾞｰﾀ移動: the selected lines, or else every line of the current day, to another day.
  void moveBetweenDays();
  // 項目間ﾃﾞｰﾀ移動: the selected lines, or else the lines of an item in a span, to another item.
  void moveBetweenItems();
  // 期間を指定してﾃﾞｰﾀ移動: a span of days to another first day.
  void movePeriod();
  // 現金残高の変更: the cash at the end of the current day, by a line or the initial balance.
  void changeCashBalance();
  // The dialogs of those commands; replaceable so that tests answer them.
  std::function<std::optional<Day>(Day proposed)> askMoveToDay;
  std::function<std::optional<PeriodMove>(Day proposed)> askPeriodMove;
  std::function<std::optional<ItemMove>(Day from, Day to, bool selection)> askItemMove;
  std::function<std::optional<CashChangeRequest>(const CashChangeChoice& choice)> askCashChange;
  // Asks for the account or loan of a transfer among the names offered (editable); nothing
  // when cancelled. Replaceable so that tests answer it.
  std::function<std::optional<QString>(TransferKind kind, const QStringList& names,
                                       const QString& proposed)>
      askTransferName;
  // The calculator panel (created on first use, kept until the view goes); 電卓 and Shift+Enter
  // outside the product name show or hide it.
  CCalculatorPanel* calculatorPanel() const { return calculator_; }
  void toggleCalculator();
  void showCalculator(bool fresh);

 signals:
  void displayModeChanged(int mode);
  // The current day moved (the windows that follow it show the new day).
  void currentDayChanged(Day day);
  // A new ledger is shown, or none.
  void documentShown();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Layout.
  QWidget* buildItemSide();
  QWidget* buildDetailSide();
  QWidget* buildInputRow();
  QWidget* codedLine(int id, const QString& text);
  CStaticWnd* staticLine(int id, const QString& text, int style);
  CGeneralList* generalList(int id);
  template <typename W>
  W* add(int id, W* widget);
  void setCodedText(int id, const QString& text);
  void showItemSide(bool show);

  // Modes and navigation.
  CConfig& config() const;
  CHinmeiList& store() const;
  Period periodOf(Day day, bool honourFixed = true) const;
  void setMode(int mode);
  void goToDay(Day day);
  void fullRefresh();
  void rebuildPeriod();
  void rebuildShownPeriod();
  void moveWithinPeriods(Day day);
  void refigure();
  void writePeriodLine();
  void setSelectorPosition(int column);
  void fillItemList();
  void fillSummaryList();
  void fillDetailList();
  void showCurrentDayInDetails();
  const CHinmei* selectedItem() const;
  void itemClicked(int row);
  void summaryClicked();
  void focusInput();
  bool isRestDay(Day day) const;

  Prompts& prompts() const;
  // After the ledger changed: the lists are rebuilt, the detail list's top line kept.
  void ledgerChanged();
  void afterMove(size_t moved);
  // Detail line commands.
  EntryEditRequest editRequest(const CHinmei& e) const;
  bool applyEdit(int line, const EntryEditAnswer& answer, const EntryEditFields& proposed);
  // Entry input.
  void followInputFocus();
  void labelAddButtons();
  // The calculator panel's hand-over: a line to write with its tax, or a tax line at once.
  void writeFromCalculator(const CalculatorWrite& write);
  void writeTaxFromCalculator(int32_t tax);
  bool addLine(TransferKind transfer, const std::optional<QString>& agreedAccount);
  void showSelectedInCalculator();
  std::optional<RememberedAmount> rememberAmount();
  std::optional<QString> chooseTransferName(TransferKind kind);
  // The accounts (or loans) a transfer may name: those counted in the total assets.
  QStringList transferNames(TransferKind kind) const;
  std::optional<EntryRequest> checkedRequest(TransferKind transfer, const QString& account);
  void writeRequest(const EntryRequest& request);
  void cancelPending();
  void placeMemoWindow();
  void enterField(QLineEdit* field, bool fresh);
  // Special names.
  void fillSpecialNames();
  void showSpecialNames();
  void hideSpecialNames();
  void showSpecialNamesIfWanted();
  void putNameInField(const QString& name);
  void specialNameChosen(int row);
  void enterFromSpecialNames();
  void focusSpecialNames();
  void rememberedNameToField();

  QHash<int, QWidget*> controls_;
  QWidget* itemSide_ = nullptr;
  QWidget* lastInput_ = nullptr;
  DisplayColors colors_;
  CSoramiDoc* document_ = nullptr;
  const HolidayCalendar* holidays_ = nullptr;
  bool ready_ = false;
  int displayMode_ = DM_DAY_INPUT;
  Day currentDay_ = MinDay;
  Day periodStart_ = MinDay;
  Day periodEnd_ = MinDay;
  Day announcedDay_ = MinDay;
  void announceCurrentDay();
  AppSettings* appSettings_ = nullptr;
  CMemoWindow* memoWindow_ = nullptr;
  CSpecialNameWnd* specialNames_ = nullptr;
  bool keyFromSpecialNames_ = false;  // a command runs for a key typed in that window
  // The line that waits for the memo window; its item by number, as tables may be rebuilt.
  std::optional<EntryRequest> pending_;
  uint16_t pendingItem_ = 0;
  QString accountName_;
  QString loanName_;
  CCalculatorPanel* calculator_ = nullptr;
  // What the calculator panel hands over with the line it writes; cleared after each write.
  uint16_t handedTaxFlags_ = 0;
  int32_t handedTax_ = 0;
};

}  // namespace sorami
