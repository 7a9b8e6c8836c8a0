// The main view's input row: choosing the item, the product name with its memo, the amount with
// its memory, and writing the line or transfer for the current day.

#include <QApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "document/SoramiDoc.h"
#include "input/CalculatorPanel.h"
#include "input/MemoWindow.h"
#include "input/ParsedEdit.h"
#include "lists/DetailBox.h"
#include "lists/GeneralList.h"
#include "main/SoramiView.h"
#include "platform/AppSettings.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

constexpr std::u16string_view kNameLabel = u"品名";

bool isIncomeItem(const CHinmei& item) {
  return (item.flags & EF_INCOME) != 0;
}

QString qs(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// Whichever input field the user goes to, by key or by mouse, is where the focus comes back to.
void CSoramiView::followInputFocus() {
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && (now == nameField() || now == amountField())) lastInput_ = now;
    if (now == amountField()) hideSpecialNames();
  });
}

// The calculator panel's write buttons say where the money comes from for an expense item and
// where it goes for an income item.
void CSoramiView::labelAddButtons() {
  const CHinmei* item = hasData() ? selectedItem() : nullptr;
  if (calculator_) calculator_->setIncome(item && isIncomeItem(*item));
}

void CSoramiView::setUpCalculator() {
  ParsedCalc& calc = amountField()->calculator();
  calc.setPrompts(&prompts());
  if (!hasData()) return;
  ParsedCalc::Settings& s = calc.settings();
  s.decimalPlaces = clampDecimalPlaces(config().decimalPlaces);
  s.precedence = config().operatorPrecedence != 0;
  s.pointKey = config().keypadPointKey;
  s.separators = true;
  s.tax = config().taxSettings();
  if (calculator_) {
    calculator_->setUp(config());
    calculator_->setNames(transferNames(TransferKind::Savings), transferNames(TransferKind::Loan));
  }
  // "A On" counts every line the store takes in, however it was written. The panel may go
  // before the store does.
  store().onLineAdded = [panel = QPointer<CCalculatorPanel>(calculator_)](const CHinmei& e) {
    if (panel) panel->lineAdded(e.amount);
  };
}

// ---- The calculator panel.

void CSoramiView::toggleCalculator() {
  if (calculator_ && calculator_->isVisible()) {
    calculator_->hide();
    activateWindow();
    focusInput();
    return;
  }
  showCalculator(false);
}

void CSoramiView::showCalculator(bool fresh) {
  if (!hasData()) return;
  if (!calculator_) {
    calculator_ = new CCalculatorPanel(appSettings_, this);
    calculator_->setPrompts(&prompts());
    connect(calculator_, &CCalculatorPanel::writeRequested, this,
            &CSoramiView::writeFromCalculator);
    connect(calculator_, &CCalculatorPanel::writeTaxRequested, this,
            &CSoramiView::writeTaxFromCalculator);
    connect(calculator_, &CCalculatorPanel::todayRequested, this, &CSoramiView::goToday);
    // The panel belongs to the main window: it goes when the user turns to another program.
    connect(qApp, &QGuiApplication::applicationStateChanged, calculator_,
            [panel = calculator_](Qt::ApplicationState state) {
              if (state != Qt::ApplicationActive) panel->hide();
            });
    setUpCalculator();
  }
  calculator_->setNames(transferNames(TransferKind::Savings), transferNames(TransferKind::Loan));
  labelAddButtons();
  calculator_->openPanel(fresh);
}

// The line selected in the detail list is shown in the open panel with what its flags record.
void CSoramiView::showSelectedInCalculator() {
  if (!calculator_ || !calculator_->isVisible()) return;
  if (const CHinmei* line = selectedLine()) calculator_->showAmount(line->amount, line->flags);
}

void CSoramiView::writeFromCalculator(const CalculatorWrite& write) {
  if (!hasData()) return;
  amountField()->calculator().clearAll();
  amountField()->showText(write.amount);
  handedTaxFlags_ = write.taxFlags;
  handedTax_ = write.tax;
  std::optional<QString> account;
  if (write.transfer != TransferKind::None) {
    account = write.account;
    setTransferName(write.transfer, write.account);
  }
  // The next product name is typed into the main window.
  activateWindow();
  addLine(write.transfer, account);
  handedTaxFlags_ = 0;
  handedTax_ = 0;
  // An account or loan the transfer registered is listed from now on.
  if (calculator_)
    calculator_->setNames(transferNames(TransferKind::Savings), transferNames(TransferKind::Loan));
}

// The tax shown, written as a tax line of the product name typed, at once.
void CSoramiView::writeTaxFromCalculator(int32_t tax) {
  if (!hasData() || tax == 0 || pending_) return;
  const CHinmei* item = selectedItem();
  if (!item) return;
  const NameAndMemo typed =
      splitNameText(nameField()->text().toStdU16String(), config().delimiters);
  if (typed.name.empty()) return;
  EntryRequest entry;
  entry.day = currentDay_;
  entry.item = item;
  entry.name = typed.name;
  const EntryRequest line = taxLineRequest(store(), entry, tax, config().taxLineSettings());
  if (writeEntry(store(), line, false)) {
    if (calculator_) calculator_->taxWritten();
    ledgerChanged();
  }
}

// ---- Input steps.

void CSoramiView::itemStep(int row) {
  itemList()->setSelected(row);
  if (!hasData()) return;
  config().currentItem = static_cast<uint16_t>(qMax(row, 0));
  if (displayMode_ != DM_CASH_BOOK) detailList()->fillForItem(selectedItem());
  labelAddButtons();
  fillSpecialNames();
  rememberedNameToField();
  if (config().jumpToNameAfterItem != 0 && QWidget::mouseGrabber() == nullptr) nameStep();
}

void CSoramiView::stepItem(int direction) {
  if (!hasData() || store().itemCount() == 0) return;
  const int count = store().itemCount();
  itemStep((config().currentItem + direction + count) % count);
}

// The field takes the keys with its whole text selected; without the keep-previous-input
// option (`fresh`) the text goes.
void CSoramiView::enterField(QLineEdit* field, bool fresh) {
  lastInput_ = field;
  if (isVisible()) field->setFocus();
  field->selectAll();
  if (fresh && hasData() && config().keepPreviousInput == 0) field->clear();
}

void CSoramiView::nameStep() {
  showSpecialNamesIfWanted();
  enterField(nameField(), true);
}

void CSoramiView::amountStep() {
  amountField()->calculator().clearAll();
  const std::optional<RememberedAmount> found = rememberAmount();
  if (hasData() && config().calculatorOnAmount != 0) {
    // The amount is typed in the panel, which takes over what the remembered line records; the
    // names beside the product name are done with.
    hideSpecialNames();
    showCalculator(false);
    calculator_->setAccountName(accountName_);
    calculator_->setLoanName(loanName_);
    calculator_->showAmount(found ? found->amount : 0, found ? found->flags : 0);
    calculator_->openPanel(config().keepPreviousInput == 0);
    return;
  }
  enterField(amountField(), true);
  hideSpecialNames();
}

void CSoramiView::backToAmount() {
  enterField(amountField(), false);
}

// The amount last written for this product name, and the account or loan it came from.
std::optional<RememberedAmount> CSoramiView::rememberAmount() {
  if (!hasData() || config().searchDepth < 0) return std::nullopt;
  const CHinmei* item = selectedItem();
  if (!item) return std::nullopt;
  const NameAndMemo typed =
      splitNameText(nameField()->text().toStdU16String(), config().delimiters);
  std::optional<RememberedAmount> found =
      sorami::rememberAmount(store(), item->item, typed.name, currentDay_, config().searchDepth);
  accountName_ = found ? qs(found->accountName) : QString();
  loanName_ = found ? qs(found->loanName) : QString();
  const int64_t amount = found ? found->amount : 0;
  amountField()->showText(found ? qs(formatAmount(amount, true, config().decimalPlaces))
                                : QStringLiteral("0"));
  return found;
}

void CSoramiView::inputEnter() {
  if (amountField()->hasFocus()) {
    addEntry(TransferKind::None);
  } else if (specialNamesHaveFocus()) {
    enterFromSpecialNames();
  } else if (detailList()->hasFocus()) {
    // Enter on a detail line changes it, as a double click does.
    changeSelectedLine();
  } else {
    nameEnter();
  }
}

void CSoramiView::nameEnter() {
  if (!hasData()) return;
  QLineEdit* field = nameField();
  const CHinmei* item = selectedItem();
  const std::optional<int> number = config().specialNamesByNumber != 0 && item
                                        ? specialNameNumber(field->text().toStdU16String())
                                        : std::nullopt;
  if (number) {
    const std::vector<std::u16string> names = store().specialNameTexts(item->item);
    if (*number > static_cast<int>(names.size())) {
      prompts().inform(MessageId::NoSpecialNameOfNumber, {}, Icon::Warning);
      field->selectAll();
      return;
    }
    putNameInField(qs(names[static_cast<size_t>(*number - 1)]));
  }
  const NameAndMemo typed = splitNameText(field->text().toStdU16String(), config().delimiters);
  if (typed.name.empty() && config().skipBlankNames != 0) {
    prompts().inform(MessageId::FieldBlank, {std::u16string(kNameLabel)}, Icon::Warning);
    return;
  }
  amountStep();
}

void CSoramiView::arrowKey(int direction) {
  if (amountField()->hasFocus()) {
    if (direction > 0) {
      amountField()->stepDown();
    } else {
      amountField()->stepUp();
    }
  } else if (nameField()->hasFocus()) {
    stepItem(direction);
  } else if (QWidget* focus = QApplication::focusWidget(); focus && focus->window() == window()) {
    // Lists that have the focus keep their own arrow keys. The key goes to the widget itself:
    // through the application it would come back here as the window's key.
    QKeyEvent arrow(QEvent::KeyPress, direction > 0 ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
    static_cast<QObject*>(focus)->event(&arrow);
  }
}

// With the special-name window shown, Tab from the product name and Shift+Tab from the amount
// go into it; from the window Tab goes on to the amount and Shift+Tab back to the product name.
void CSoramiView::tabKey(int direction) {
  const bool inAmount = amountField()->hasFocus();
  if (specialNamesHaveFocus()) {
    activateWindow();
    if (direction > 0) {
      amountStep();
    } else {
      nameStep();
    }
  } else if ((direction > 0 && nameField()->hasFocus()) || (direction < 0 && inAmount)) {
    if (specialNamesShown()) {
      focusSpecialNames();
    } else if (direction > 0) {
      amountStep();
    } else {
      nameStep();
    }
  } else if (direction > 0 || inAmount) {
    nameStep();
  }
}

// ---- Adding a line.

QString CSoramiView::transferName(TransferKind kind) const {
  return kind == TransferKind::Loan ? loanName_ : accountName_;
}

void CSoramiView::setTransferName(TransferKind kind, const QString& name) {
  (kind == TransferKind::Loan ? loanName_ : accountName_) = name;
}

// The account or loan of a transfer: the one the amount memory found, or one the user names.
// A name not registered yet is registered when the user agrees.
QStringList CSoramiView::transferNames(TransferKind kind) const {
  QStringList names;
  for (const CAccount& a : store().accounts(kindFlag(kind))) {
    if (a.definition && (a.definition->flags & EF_OUTSIDE_ASSETS) == 0) {
      names.push_back(qs(a.definition->name));
    }
  }
  return names;
}

std::optional<QString> CSoramiView::chooseTransferName(TransferKind kind) {
  const uint16_t flag = kindFlag(kind);
  const QStringList names = transferNames(kind);
  QString name = transferName(kind).trimmed();
  if (name.isEmpty()) {
    if (names.isEmpty()) {
      prompts().inform(
          kind == TransferKind::Loan ? MessageId::NoLoanRegistered : MessageId::NoAccountRegistered,
          {}, Icon::Information);
    }
    const QString proposed = names.isEmpty() ? QString() : names.front();
    std::optional<QString> typed;
    if (askTransferName) {
      typed = askTransferName(kind, names, proposed);
    } else {
      bool ok = false;
      // Titled as the button that was pressed: money comes from the account for an expense
      // item and goes to it for an income item.
      const CHinmei* item = selectedItem();
      const bool income = item != nullptr && isIncomeItem(*item);
      QString title = income ? QStringLiteral("口座へ") : QStringLiteral("口座から");
      if (kind == TransferKind::Loan) {
        title = income ? QStringLiteral("借入返済") : QStringLiteral("借入から");
      }
      const QString label =
          kind == TransferKind::Loan ? QStringLiteral("借入名") : QStringLiteral("口座名");
      const QString chosen = QInputDialog::getItem(this, title, label, names, 0, true, &ok);
      if (ok) typed = chosen;
    }
    if (!typed) return std::nullopt;
    name = QString::fromStdU16String(trimInputSpaces(typed->toStdU16String()));
    if (name.isEmpty()) return std::nullopt;
  }
  if (store().find(flag, name.toStdU16String()) == nullptr) {
    const MessageId question =
        kind == TransferKind::Loan ? MessageId::RegisterNewLoan : MessageId::RegisterNewAccount;
    if (prompts().ask(question, {}, Buttons::YesNo, Answer::Yes) != Answer::Yes) {
      return std::nullopt;
    }
  }
  setTransferName(kind, name);
  return name;
}

// The checks before a line is added; nothing when they refused it (the message is shown and the
// focus is where the user has to mend it).
std::optional<EntryRequest> CSoramiView::checkedRequest(TransferKind transfer,
                                                        const QString& account) {
  const CHinmei* item = selectedItem();
  if (!item) return std::nullopt;
  const NameAndMemo typed =
      splitNameText(nameField()->text().toStdU16String(), config().delimiters);
  if (typed.name.empty() && config().skipBlankNames != 0) {
    prompts().inform(MessageId::FieldBlank, {std::u16string(kNameLabel)}, Icon::Warning);
    nameStep();
    return std::nullopt;
  }
  amountField()->evaluate();
  const std::optional<int32_t> amount =
      readAmountText(amountField()->text().toStdU16String(), config().decimalPlaces);
  if (!amount) {
    prompts().inform(MessageId::AmountOutOfRange, {}, Icon::Warning);
    backToAmount();
    return std::nullopt;
  }
  if (*amount == 0 &&
      !zeroAmountAccepted(store(), *item, typed.name, config().skipZeroAmounts != 0)) {
    prompts().inform(MessageId::ZeroAmountRefused, {}, Icon::Warning);
    backToAmount();
    return std::nullopt;
  }
  EntryRequest r;
  r.day = currentDay_;
  r.item = item;
  r.name = typed.name;
  r.amount = *amount;
  r.transfer = transfer;
  r.account = account.toStdU16String();
  r.taxFlags = handedTaxFlags_;
  r.tax = handedTax_;
  r.memo = composeMemo(typed.memo, transferText(transfer, r.account, isIncomeItem(*item)));
  return r;
}

bool CSoramiView::addEntry(TransferKind transfer) {
  return addLine(transfer, std::nullopt);
}

// `agreedAccount`: the account or loan the calculator panel already checked with the user.
bool CSoramiView::addLine(TransferKind transfer, const std::optional<QString>& agreedAccount) {
  if (!hasData() || pending_) return false;
  const CHinmei* item = selectedItem();
  if (transfer == TransferKind::None && (!item || item->name.empty())) {
    prompts().inform(MessageId::ItemNameBlank, {}, Icon::Warning);
    return false;
  }
  QString account;
  if (transfer != TransferKind::None) {
    const std::optional<QString> chosen =
        agreedAccount ? agreedAccount : chooseTransferName(transfer);
    if (!chosen) return false;
    account = *chosen;
  }
  std::optional<EntryRequest> request = checkedRequest(transfer, account);
  if (!request) return false;
  if (config().memoAfterAmount != 0) {
    if (!memoWindow_) {
      memoWindow_ = new CMemoWindow(appSettings_, this);
      connect(memoWindow_, &CMemoWindow::memoAccepted, this, &CSoramiView::writePending);
      placeMemoWindow();
      connect(memoWindow_, &CMemoWindow::memoCancelled, this, [this] {
        cancelPending();
        activateWindow();
        backToAmount();
      });
    }
    pendingItem_ = request->item->item;
    const QString memo = qs(request->memo);
    pending_ = std::move(request);
    memoWindow_->open(memo);
    return true;
  }
  writeRequest(*request);
  return true;
}

// Until the user moves it, the memo window sits just above the input row at the right, where
// it hides neither the item list nor the line being typed.
void CSoramiView::placeMemoWindow() {
  if (appSettings_ && appSettings_->windowPos(QStringLiteral("Comment"))) return;
  memoWindow_->adjustSize();
  const QPoint rowTopRight =
      nameField()->parentWidget()->mapToGlobal(QPoint(nameField()->parentWidget()->width(), 0));
  memoWindow_->move(rowTopRight.x() - memoWindow_->width(),
                    rowTopRight.y() - memoWindow_->height() - 8);
}

void CSoramiView::writePending() {
  if (!pending_ || !hasData()) return;
  EntryRequest r = std::move(*pending_);
  pending_.reset();
  r.item = store().itemByNumber(pendingItem_);
  if (!r.item) return;
  r.memo = memoWindow_->memo().toStdU16String();
  // The amount as the field shows it now.
  const std::optional<int32_t> amount =
      readAmountText(amountField()->text().toStdU16String(), config().decimalPlaces);
  if (amount) r.amount = *amount;
  activateWindow();
  writeRequest(r);
}

void CSoramiView::cancelPending() {
  pending_.reset();
  if (memoWindow_ && memoWindow_->isVisible()) memoWindow_->hide();
}

void CSoramiView::writeRequest(const EntryRequest& request) {
  writeEntry(store(), request, config().skipZeroAmounts != 0, config().taxLineSettings());
  ledgerChanged();
  nameStep();
}

}  // namespace sorami
