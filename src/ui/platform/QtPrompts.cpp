#include "platform/QtPrompts.h"

#include <QApplication>
#include <QMessageBox>

namespace sorami {

namespace {

QMessageBox::Icon toQt(Icon icon) {
  switch (icon) {
    case Icon::Information:
      return QMessageBox::Information;
    case Icon::Warning:
      return QMessageBox::Warning;
    case Icon::Error:
      return QMessageBox::Critical;
    case Icon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return QMessageBox::Ok;
    case Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::StandardButton toQt(Answer answer) {
  switch (answer) {
    case Answer::Ok:
      return QMessageBox::Ok;
    case Answer::Cancel:
      return QMessageBox::Cancel;
    case Answer::Yes:
      return QMessageBox::Yes;
    case Answer::No:
      return QMessageBox::No;
  }
  return QMessageBox::NoButton;
}

// Closing the box without a button is the cautious answer: Cancel where there is one, else No.
Answer fromQt(int button, Buttons buttons) {
  switch (button) {
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    default:
      return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
  }
}

}  // namespace

QWidget* QtPrompts::parentWidget() const {
  return parent_ ? parent_ : QApplication::activeWindow();
}

void QtPrompts::inform(MessageId id, const std::vector<std::u16string>& args, Icon icon) {
  QMessageBox box(toQt(icon), QStringLiteral("そらみ"),
                  QString::fromStdU16String(formatMessage(id, args)), QMessageBox::Ok,
                  parentWidget());
  box.exec();
}

Answer QtPrompts::ask(MessageId id, const std::vector<std::u16string>& args, Buttons buttons,
                      Answer defaultAnswer) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("そらみ"),
                  QString::fromStdU16String(formatMessage(id, args)), toQt(buttons),
                  parentWidget());
  box.setDefaultButton(toQt(defaultAnswer));
  if (buttons == Buttons::YesNo) box.setEscapeButton(QMessageBox::No);
  return fromQt(box.exec(), buttons);
}

}  // namespace sorami
