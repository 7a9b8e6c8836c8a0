// The main view's display modes, its navigation between days and periods, and what it
// recomputes and redraws after each step.

#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

#include "document/ShownWindow.h"
#include "document/SoramiDoc.h"
#include "lists/DetailBox.h"
#include "lists/GeneralList.h"
#include "main/SoramiView.h"
#include "main/ViewFont.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"
#include "rules/Calendar.h"

namespace sorami {

namespace {

constexpr std::array<uint16_t, 4> kSummaryRows{ITEM_PREVIOUS_BALANCE, ITEM_INCOME_TOTAL,
                                               ITEM_EXPENSE_TOTAL, ITEM_CASH_BALANCE};

QString twoDigits(int value) {
  return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString dateParts(Day day) {
  const Ymd d = ymdFromDay(day);
  return QStringLiteral("%1/%2/%3").arg(twoDigits(d.year), twoDigits(d.month), twoDigits(d.day));
}

}  // namespace

void CSoramiView::setDocument(CSoramiDoc* document, const HolidayCalendar* holidays) {
  cancelPending();
  hideSpecialNames();
  document_ = document;
  holidays_ = holidays;
  ready_ = false;
  if (!hasData()) {
    itemList()->setRows({});
    summaryList()->setRows({});
  }
}

bool CSoramiView::hasData() const {
  return document_ != nullptr && document_->entries() != nullptr && holidays_ != nullptr;
}

CConfig& CSoramiView::config() const {
  return document_->config();
}

CHinmeiList& CSoramiView::store() const {
  return *document_->entries();
}

Period CSoramiView::periodOf(Day day, bool honourFixed) const {
  return shownPeriodOf(day, config(), *holidays_, honourFixed);
}

void CSoramiView::documentLoaded() {
  announcedDay_ = MinDay;
  if (!hasData()) {
    emit documentShown();
    return;
  }
  ready_ = true;
  currentDay_ = document_->currentDay();
  const int mode = config().displayMode;
  displayMode_ = mode >= DM_DAY_INPUT && mode <= DM_CASH_BOOK ? mode : DM_DAY_INPUT;
  const Period p = periodOf(currentDay_);
  periodStart_ = p.first;
  periodEnd_ = p.last;
  if (displayMode_ == DM_SUMMARY) setSelectorPosition(qBound(1, config().displaySubMode, 5));
  currentProcessingDay();
  setUpCalculator();
  labelAddButtons();
  fitFont();
  if (config().listFontChoice == 0) {
    setViewFont(makeViewFont(viewFontPixels(config().listFontSize)));
  }
  showSpecialNamesIfWanted();
  emit documentShown();
}

void CSoramiView::announceCurrentDay() {
  if (currentDay_ == announcedDay_) return;
  announcedDay_ = currentDay_;
  emit currentDayChanged(currentDay_);
}

void CSoramiView::jumpToDay(Day day) {
  if (!hasData()) return;
  currentDay_ = clampToUserDays(day);
  currentProcessingDay();
}

void CSoramiView::showLine(Day day, uint16_t item) {
  if (!hasData()) return;
  for (int slot = 0; slot < store().itemCount(); ++slot) {
    if (store().itemAt(slot)->item == item) config().currentItem = static_cast<uint16_t>(slot);
  }
  currentDay_ = clampToUserDays(day);
  goToDay(currentDay_);
}

const CHinmei* CSoramiView::selectedLine() const {
  if (!hasData()) return nullptr;
  const std::vector<int> lines = detailList()->selectedLines();
  if (lines.size() != 1) return nullptr;
  const CHinmei& e = detailList()->lines().entry(lines.front());
  return e.isDefinition() || e.isEndMarker() ? nullptr : &e;
}

void CSoramiView::setMode(int mode) {
  displayMode_ = mode;
  config().displayMode = static_cast<uint16_t>(mode);
  if (mode == DM_SUMMARY && config().hideListInSummary != 0) hideSpecialNames();
  showItemSide(mode != DM_CASH_BOOK);
  emit displayModeChanged(mode);
}

// The store's figures for the current day and the shown period.
void CSoramiView::refigure() {
  document_->setCurrentDay(currentDay_);
  currentDay_ = document_->currentDay();
  LedgerWindow w;
  w.currentDay = currentDay_;
  w.mode = static_cast<DisplayMode>(displayMode_);
  w.periodStart = periodStart_;
  w.periodEnd = periodEnd_;
  showWindow(store(), config(), *holidays_, w);
  fillDetailList();
  announceCurrentDay();
}

Prompts& CSoramiView::prompts() const {
  static DefaultPrompts none;
  Prompts* p = hasData() ? store().context().prompts : nullptr;
  return p ? *p : none;
}

// The store keeps its figures current as lines come and go; the lists show them again, the
// detail list from the same top line.
void CSoramiView::ledgerChanged() {
  fillItemList();
  fillSummaryList();
  detailList()->refresh();
  // A line may have registered, renamed or left an account.
  fillSpecialNames();
}

const CHinmei* CSoramiView::selectedItem() const {
  const int slot = config().currentItem;
  return slot < store().itemCount() ? store().itemAt(slot) : nullptr;
}

// The detail list shows the shown span: the selected item's lines, or the cash book.
void CSoramiView::fillDetailList() {
  detailList()->setSource(&store(), config(), static_cast<DisplayMode>(displayMode_),
                          selectedItem(), periodStart_, periodEnd_, holidays_);
  showCurrentDayInDetails();
}

// Over a period the detail list opens at the current day, its last line there marked.
void CSoramiView::showCurrentDayInDetails() {
  if (displayMode_ != DM_DAY_INPUT) detailList()->moveToDay(currentDay_, true);
}

void CSoramiView::dayInputMode() {
  if (!hasData()) return;
  goToDay(currentDay_);
}

void CSoramiView::goToDay(Day day) {
  setMode(DM_DAY_INPUT);
  currentDay_ = clampToUserDays(day);
  periodStart_ = currentDay_;
  periodEnd_ = currentDay_;
  refigure();
  writePeriodLine();
  fullRefresh();
}

void CSoramiView::fullRefresh() {
  showItemSide(true);
  setSelectorPosition(0);
  fillItemList();
  fillSummaryList();
  fillSpecialNames();
  focusInput();
}

bool CSoramiView::summaryMode() {
  if (!hasData()) return false;
  const Period p = periodOf(currentDay_);
  const SummaryPeriod proposed{p.first, p.last, config().fixedTotalsPeriod != 0};
  std::optional<SummaryPeriod> chosen;
  if (askSummaryPeriod) {
    chosen = askSummaryPeriod(proposed);
  } else {
    SummaryPeriodDialog dialog(proposed, prompts(), this);
    if (dialog.exec() == QDialog::Accepted) chosen = dialog.result();
  }
  if (!chosen) return false;
  setSelectorPosition(1);
  periodStart_ = chosen->start;
  periodEnd_ = chosen->end;
  CConfig& c = config();
  c.fixedTotalsPeriod = chosen->fixed ? 1 : 0;
  c.fixedPeriodStart = chosen->start;
  c.fixedPeriodEnd = chosen->end;
  c.totalsPeriodStart = chosen->start;
  c.totalsPeriodEnd = chosen->end;
  setMode(DM_SUMMARY);
  rebuildPeriod();
  return true;
}

void CSoramiView::rebuildPeriod() {
  showItemSide(true);
  refigure();
  writePeriodLine();
  fillItemList();
  fillSummaryList();
}

void CSoramiView::cashBookMode() {
  if (!hasData()) return;
  setMode(DM_CASH_BOOK);
  const Period p = periodOf(currentDay_);
  periodStart_ = p.first;
  periodEnd_ = p.last;
  refigure();
}

void CSoramiView::rebuildShownPeriod() {
  if (displayMode_ == DM_CASH_BOOK) {
    cashBookMode();
  } else {
    rebuildPeriod();
  }
}

// A new current day in summary or cash book mode: the lists are rebuilt only when the day
// leaves the shown period.
void CSoramiView::moveWithinPeriods(Day day) {
  currentDay_ = clampToUserDays(day);
  document_->setCurrentDay(currentDay_);
  announceCurrentDay();
  writePeriodLine();
  const Period p = periodOf(currentDay_);
  if (p.first == periodStart_ && p.last == periodEnd_) {
    // The daily guide depends on the days left after the current day.
    itemList()->setRemainingDays(p.last - currentDay_);
    showCurrentDayInDetails();
    return;
  }
  periodStart_ = p.first;
  periodEnd_ = p.last;
  rebuildShownPeriod();
}

void CSoramiView::stepDays(int days) {
  if (!hasData()) return;
  const Day day = addDays(currentDay_, days);
  if (displayMode_ == DM_DAY_INPUT) {
    goToDay(day);
  } else {
    moveWithinPeriods(day);
  }
}

void CSoramiView::stepMonth(int direction) {
  if (!hasData()) return;
  if (displayMode_ == DM_DAY_INPUT) {
    goToDay(direction < 0 ? sameDayPreviousMonth(currentDay_) : sameDayNextMonth(currentDay_));
    return;
  }
  // Months step by accounting months even while the totals keep a fixed period.
  const Period month = periodOf(currentDay_, false);
  currentDay_ = addDays(direction < 0 ? month.first : month.last, direction < 0 ? -1 : 1);
  const Period shown = periodOf(currentDay_);
  periodStart_ = shown.first;
  periodEnd_ = shown.last;
  rebuildShownPeriod();
}

void CSoramiView::goToday() {
  if (!hasData()) return;
  const Day today = document_->today();
  if (displayMode_ == DM_DAY_INPUT) {
    goToDay(today);
  } else if (displayMode_ == DM_SUMMARY) {
    currentDay_ = today;
    const Period p = periodOf(today);
    periodStart_ = p.first;
    periodEnd_ = p.last;
    rebuildPeriod();
  } else {
    moveWithinPeriods(today);
  }
}

void CSoramiView::currentProcessingDay() {
  if (!hasData()) return;
  if (displayMode_ == DM_DAY_INPUT) {
    goToDay(currentDay_);
    return;
  }
  setMode(displayMode_);
  const Period p = periodOf(currentDay_);
  periodStart_ = p.first;
  periodEnd_ = p.last;
  rebuildShownPeriod();
  focusInput();
}

void CSoramiView::setColumn(int column) {
  column = qBound(0, column, 5);
  setSelectorPosition(column);
  if (!hasData()) return;
  if (column >= 1) {
    config().displaySubMode = column;
    itemList()->setColumn(column);
    const bool wasSummary = displayMode_ == DM_SUMMARY;
    if (!wasSummary) setMode(DM_SUMMARY);
    const Period p = periodOf(currentDay_);
    if (!wasSummary || p.first != periodStart_ || p.last != periodEnd_) {
      periodStart_ = p.first;
      periodEnd_ = p.last;
      rebuildPeriod();
    } else {
      fillItemList();
    }
  } else if (displayMode_ == DM_SUMMARY) {
    goToDay(currentDay_);
    showSpecialNamesIfWanted();
  }
}

void CSoramiView::refreshAll() {
  if (!hasData()) return;
  // Decimal places, precedence and the tax may have changed with the settings.
  setUpCalculator();
  itemList()->setDecimalPlaces(config().decimalPlaces);
  summaryList()->setDecimalPlaces(config().decimalPlaces);
  if (displayMode_ == DM_DAY_INPUT) {
    goToDay(currentDay_);
  } else {
    rebuildShownPeriod();
  }
  fitFont();
}

void CSoramiView::setSelectorPosition(int column) {
  const QSignalBlocker block(columnSelector());
  columnSelector()->setValue(column);
  if (hasData()) config().displaySubMode = column;
  itemList()->setColumn(column);
}

bool CSoramiView::isRestDay(Day day) const {
  const int weekday = weekdayOf(day);
  const bool weekly = weekday >= 0 && ((config().weeklyRestDays >> weekday) & 1) != 0;
  return weekly || holidays_->kindOfDay(day) != 0;
}

void CSoramiView::writePeriodLine() {
  if (displayMode_ == DM_DAY_INPUT) {
    const Ymd d = ymdFromDay(currentDay_);
    const QString code = isRestDay(currentDay_) ? QStringLiteral("HBBR") : QStringLiteral("HBB ");
    setCodedText(IDC_PERIOD_LINE, QStringLiteral("%1\t %2/%3(%4)'%5")
                                      .arg(code, twoDigits(d.month), twoDigits(d.day),
                                           QString(QChar(weekdayChar(currentDay_))))
                                      .arg(d.year, 4, 10, QLatin1Char('0')));
  } else if (displayMode_ == DM_SUMMARY) {
    setCodedText(
        IDC_PERIOD_LINE,
        QStringLiteral("HBB \t%1～%2").arg(dateParts(periodStart_), dateParts(periodEnd_)));
  }
}

void CSoramiView::fillItemList() {
  CHinmeiList& s = store();
  const int column = displayMode_ == DM_SUMMARY ? columnSelector()->value() : 0;
  setCodedText(IDC_ITEM_HEADER, QString::fromStdU16String(itemHeaderText(displayMode_, column)));
  std::vector<GeneralRow> rows;
  rows.reserve(static_cast<size_t>(s.itemCount()));
  for (int slot = 0; slot < s.itemCount(); ++slot) {
    const CHinmei* def = s.itemAt(slot);
    rows.push_back(
        {{def->flags, def->item, s.itemTotal(def->item), def->work}, toQString(def->name)});
  }
  CGeneralList* list = itemList();
  list->setDecimalPlaces(config().decimalPlaces);
  list->setColumn(column);
  list->setRemainingDays(periodOf(currentDay_).last - currentDay_);
  list->setRows(std::move(rows));
  list->setSelected(config().currentItem < s.itemCount() ? config().currentItem : -1);
}

void CSoramiView::fillSummaryList() {
  CHinmeiList& s = store();
  std::vector<GeneralRow> rows;
  for (uint16_t item : kSummaryRows) {
    const CHinmei& row = s.summaryRow(item);
    QString name = toQString(row.name);
    if (item == ITEM_PREVIOUS_BALANCE) {
      name = displayMode_ == DM_DAY_INPUT ? QStringLiteral("前日残高") : QStringLiteral("前月残高");
    }
    rows.push_back({{row.flags, item, s.rowValue(item), 0}, name});
  }
  summaryList()->setDecimalPlaces(config().decimalPlaces);
  summaryList()->setRows(std::move(rows));
}

void CSoramiView::itemClicked(int row) {
  itemStep(row);
}

// The summary rows are read, never chosen: the selection goes and the input keeps the focus.
void CSoramiView::summaryClicked() {
  summaryList()->setSelected(-1);
  focusInput();
}

void CSoramiView::focusInput() {
  QWidget* target = lastInput_ ? lastInput_ : nameField();
  if (isVisible() && !target->hasFocus()) target->setFocus();
}

}  // namespace sorami
