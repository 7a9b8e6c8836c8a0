#pragma once
// A numeric field that is its own small calculator: digits and + - * / % = typed into it work
// on a running value, and results are shown with thousands separators.

#include <QLineEdit>

#include "rules/ParsedCalc.h"

namespace sorami {

class CParsedEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CParsedEdit(QWidget* parent = nullptr);

  ParsedCalc& calculator() { return calc_; }
  // The value shown, in the smallest unit.
  int64_t value() const;
  // Finishes a pending calculation, as = would.
  void evaluate();
  // The arrow keys: one up or down, wrapping round at the ends of the range.
  void stepUp();
  void stepDown();
  // Shows a result or a remembered amount whole, also when it is longer than what may be typed.
  void showText(const QString& shown);
  // Shows a figure as the operand of the calculation, as a result is: the next digit starts a
  // new number (the memory recalled).
  void showOperand(int64_t value);
  // One character as if typed at the cursor (the keys of a keypad); false when the field has
  // no use for it.
  bool typeChar(char16_t c);
  // Backspace of a keypad: the last character goes.
  void removeLastChar();

 signals:
  // A character was typed into the field or handled by its calculator.
  void keyTyped();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void take(const std::u16string& text);

  ParsedCalc calc_;
};

}  // namespace sorami
