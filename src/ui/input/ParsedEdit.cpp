#include "input/ParsedEdit.h"

#include <QKeyEvent>

namespace sorami {

CParsedEdit::CParsedEdit(QWidget* parent) : QLineEdit(parent) {
  setAlignment(Qt::AlignRight);
}

int64_t CParsedEdit::value() const {
  return calc_.value(text().toStdU16String());
}

void CParsedEdit::take(const std::u16string& text) {
  showText(QString::fromStdU16String(text));
}

void CParsedEdit::showText(const QString& shown) {
  // The field would cut the text at its length, and a figure cut short is another amount.
  if (shown.size() > maxLength()) setMaxLength(static_cast<int>(shown.size()));
  if (shown != text()) setText(shown);
}

void CParsedEdit::evaluate() {
  if (calc_.pending() == ParsedCalc::OpNone) return;
  std::u16string text = this->text().toStdU16String();
  calc_.apply(ParsedCalc::OpNone, text);
  take(text);
}

void CParsedEdit::stepUp() {
  std::u16string text = this->text().toStdU16String();
  calc_.stepUp(text);
  take(text);
  selectAll();
}

void CParsedEdit::stepDown() {
  std::u16string text = this->text().toStdU16String();
  calc_.stepDown(text);
  take(text);
  selectAll();
}

void CParsedEdit::showOperand(int64_t value) {
  showText(QString::fromStdU16String(calc_.format(value)));
  calc_.takeOperand();
  selectAll();
  emit keyTyped();
}

void CParsedEdit::removeLastChar() {
  QString t = text();
  if (t.isEmpty()) return;
  t.chop(1);
  setText(t);
  emit keyTyped();
}

bool CParsedEdit::typeChar(char16_t c) {
  // A digit or point replaces a selected text, so for those the calculator sees the field
  // without it; an operator works on the whole amount the field shows.
  const bool entersText =
      (c >= u'0' && c <= u'9') || c == u',' || (c == u'.' && calc_.settings().decimalPlaces > 0);
  std::u16string text = this->text().toStdU16String();
  if (entersText && hasSelectedText()) {
    text.erase(static_cast<size_t>(selectionStart()), static_cast<size_t>(selectedText().size()));
  }
  const std::u16string before = text;
  switch (calc_.key(c, text)) {
    case ParsedCalc::Outcome::Insert:
      // A digit after a result starts a new number.
      if (text != before) {
        take(text);
        end(false);
      }
      insert(QString(QChar(c)));
      break;
    case ParsedCalc::Outcome::Handled:
      take(text);
      end(false);
      break;
    case ParsedCalc::Outcome::PassOn:
      return false;
  }
  emit keyTyped();
  return true;
}

void CParsedEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool control = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
  if (typed.size() != 1 || control || typed[0].unicode() < u' ' || isReadOnly()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (typeChar(typed[0].unicode())) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace sorami
