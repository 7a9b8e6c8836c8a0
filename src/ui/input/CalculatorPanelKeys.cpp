// The calculator panel's write buttons and keys: the account or loan a transfer names, and the
// accelerators that work while the panel is active.

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "input/CalculatorPanel.h"
#include "input/ParsedEdit.h"
#include "platform/Prompts.h"

namespace sorami {

// ---- Writing.

void CCalculatorPanel::write(WriteButton button) {
  // A pending operator is finished first: the sum is what is written.
  display()->evaluate();
  recompute();
  CalculatorWrite w;
  if (button != WriteButton::Cash) {
    const std::optional<QString> name = chosenName(button);
    if (!name) return;
    w.transfer = button == WriteButton::Account ? TransferKind::Savings : TransferKind::Loan;
    w.account = *name;
  }
  const int64_t tax = state_.handedTax(tax_->value());
  if (!amount_->calculator().checkFits(tax)) return;
  w.amount = amount_->text();
  w.taxFlags = state_.entryFlags();
  w.tax = static_cast<int32_t>(tax);
  emit writeRequested(w);
}

// The account or loan typed, when it is listed or the user agrees to register it. Without a
// name the first one listed is offered, or the user is told that there is none.
std::optional<QString> CCalculatorPanel::chosenName(WriteButton button) {
  const bool account = button == WriteButton::Account;
  QComboBox* box = account ? accounts_ : loans_;
  const QString name = box->currentText().trimmed();
  if (name.isEmpty()) {
    box->setFocus();
    if (box->count() > 0) {
      box->setEditText(box->itemText(0));
      box->showPopup();
    } else if (prompts_) {
      prompts_->inform(account ? MessageId::NoAccountRegistered : MessageId::NoLoanRegistered, {},
                       Icon::Information);
    }
    return std::nullopt;
  }
  if (box->findText(name) < 0 && prompts_) {
    const MessageId question = account ? MessageId::RegisterNewAccount : MessageId::RegisterNewLoan;
    if (prompts_->ask(question, {}, Buttons::YesNo, Answer::Yes) != Answer::Yes)
      return std::nullopt;
  }
  return name;
}

void CCalculatorPanel::moveAmongWrites(int step) {
  const auto n = static_cast<int>(writes_.size());
  int at = static_cast<int>(defaultButton());
  for (int i = 0; i < n; ++i) {
    if (writes_[static_cast<size_t>(i)]->hasFocus()) at = i;
  }
  writes_[static_cast<size_t>((at + step + n) % n)]->setFocus();
}

// ---- Keys.

// A name box takes the characters typed into it as they are.
bool CCalculatorPanel::inNameBox(QWidget* focus) const {
  if (!focus) return false;
  for (const QComboBox* box : {accounts_, loans_}) {
    if (focus == box || focus == box->lineEdit()) return true;
  }
  return false;
}

bool CCalculatorPanel::handleKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods =
      event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const int k = event->key();
  QWidget* focus = QApplication::focusWidget();
  const bool naming = inNameBox(focus);
  if (k == Qt::Key_Return || k == Qt::Key_Enter) {
    if (mods == Qt::ShiftModifier) {
      write(WriteButton::Account);
    } else if (mods == Qt::ControlModifier) {
      write(WriteButton::Loan);
    } else {
      WriteButton pressed = defaultButton();
      for (size_t i = 0; i < writes_.size(); ++i) {
        if (writes_[i]->hasFocus()) pressed = static_cast<WriteButton>(i);
      }
      write(pressed);
    }
    return true;
  }
  if (k == Qt::Key_Escape) {
    hide();
    return true;
  }
  if (mods == Qt::ShiftModifier && (k == Qt::Key_Down || k == Qt::Key_Up)) {
    moveAmongWrites(k == Qt::Key_Down ? 1 : -1);
    return true;
  }
  if (mods == Qt::ControlModifier) {
    switch (k) {
      case Qt::Key_Z:
        taxIntoAmount();
        return true;
      case Qt::Key_A:
        key(QStringLiteral("M+"))->click();
        return true;
      case Qt::Key_T:
        key(QStringLiteral("M&S"))->click();
        return true;
      case Qt::Key_H:
        emit todayRequested();
        return true;
      default:
        return false;
    }
  }
  if (naming && !mods && (k == Qt::Key_Down || k == Qt::Key_Up)) {
    // Stepping through a closed list would choose, and so write, every name on the way.
    (focus == accounts_ || focus == accounts_->lineEdit() ? accounts_ : loans_)->showPopup();
    return true;
  }
  if (naming || (mods & (Qt::ControlModifier | Qt::AltModifier))) return false;
  if (k == Qt::Key_Z && mods == Qt::ShiftModifier) {
    writeTaxNow();
    return true;
  }
  if (k == Qt::Key_Q) {
    taxIntoAmount();
    return true;
  }
  auto* field = qobject_cast<CParsedEdit*>(focus);
  const bool typesItself = field && !field->isReadOnly();
  if (k == Qt::Key_Backspace && !typesItself) {
    target()->removeLastChar();
    return true;
  }
  // The keys of a Japanese keyboard: ; is the key of +, : the key of *.
  const QString text = event->text();
  if (text.size() != 1) return false;
  char16_t c = text[0].unicode();
  if (c == u';') c = u'+';
  if (c == u':') c = u'*';
  if (c < u' ' || (typesItself && c == text[0].unicode())) return false;
  return target()->typeChar(c) || c != text[0].unicode();
}

bool CCalculatorPanel::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this || !isVisible()) return false;
  if (type == QEvent::ShortcutOverride) {
    // The keys are the panel's: Ctrl+Z and Ctrl+A are not the undo and select-all of a field,
    // and Enter is not the main window's (a tool window shares its shortcuts). Alt keeps the
    // buttons' mnemonics.
    auto* key = static_cast<QKeyEvent*>(event);
    if (!(key->modifiers() & Qt::AltModifier) && key->key() != Qt::Key_Control &&
        key->key() != Qt::Key_Shift) {
      key->accept();
      return true;
    }
    return false;
  }
  // The application sees the key once for every widget it passes on the way up; the first
  // (the focused widget) is the one that counts.
  if (widget != QApplication::focusWidget() && QApplication::focusWidget() &&
      QApplication::focusWidget()->window() == this) {
    return false;
  }
  return handleKey(static_cast<QKeyEvent*>(event));
}

}  // namespace sorami
