#include "SoramiView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ViewFont.h"

namespace sorami {

namespace {

constexpr int ColumnSelectorMax = 5;
constexpr int NameFieldMaxChars = 20;
constexpr int AmountFieldMaxChars = 10;
constexpr int DefaultFontPixels = 16;

// A coded line starts with its four-letter line code; the rest is what the user reads.
QString visiblePart(const QString& coded) {
  QStringList fields = coded.split(u'\t');
  if (fields.size() == 1) return coded.mid(4).trimmed();
  fields.removeFirst();
  return fields.join(u' ');
}

QVBoxLayout* column(QWidget* owner) {
  auto* layout = new QVBoxLayout(owner);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  return layout;
}

}  // namespace

CSoramiView::CSoramiView(QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->setSpacing(2);
  itemSide_ = buildItemSide();
  grid->addWidget(itemSide_, 0, 0);
  grid->addWidget(buildDetailSide(), 0, 1);
  grid->addWidget(buildInputRow(), 1, 0, 1, 2);
  grid->setColumnStretch(0, 2);
  grid->setColumnStretch(1, 3);
  setViewFont(makeViewFont(DefaultFontPixels));
  setFocusProxy(nameField());
}

template <typename W>
W* CSoramiView::add(int id, W* widget) {
  widget->setObjectName(QString::number(id));
  controls_.insert(id, widget);
  return widget;
}

QWidget* CSoramiView::codedLine(int id, const QString& text) {
  auto* label = add(id, new QLabel(visiblePart(text)));
  label->setProperty("codedText", text);
  label->setFrameShape(QFrame::Panel);
  return label;
}

QWidget* CSoramiView::list(int id) {
  auto* widget = add(id, new QListWidget);
  widget->setFocusPolicy(Qt::ClickFocus);
  return widget;
}

QWidget* CSoramiView::buildItemSide() {
  auto* side = new QWidget;
  QVBoxLayout* layout = column(side);
  layout->addWidget(codedLine(IDC_ITEM_HEADER, QStringLiteral("A  M\t  項目名\t金　額")));
  layout->addWidget(list(IDC_ITEM_LIST), 3);
  auto* selector = add(IDC_COLUMN_SELECTOR, new QScrollBar(Qt::Horizontal));
  selector->setRange(0, ColumnSelectorMax);
  selector->setPageStep(1);
  layout->addWidget(selector);
  layout->addWidget(list(IDC_SUMMARY_LIST), 1);
  layout->addWidget(codedLine(IDC_PERIOD_LINE, QStringLiteral("HBB \n1971/01/01～12/31の集計 ")));
  return side;
}

QWidget* CSoramiView::buildDetailSide() {
  auto* side = new QWidget;
  QVBoxLayout* layout = column(side);
  layout->addWidget(
      codedLine(IDC_DETAIL_HEADER, QStringLiteral("C  M\t \t品　名\t金　額\t備　考")));
  layout->addWidget(list(IDC_DETAIL_LIST), 1);
  layout->addWidget(
      codedLine(IDC_DETAIL_TOTAL, QStringLiteral("C   \t \t　　　　　合 計\t \t \t ")));
  return side;
}

QWidget* CSoramiView::buildInputRow() {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(codedLine(IDC_NAME_LABEL, QStringLiteral("H   \t品名")));
  auto* name = add(IDC_NAME_FIELD, new QLineEdit);
  name->setMaxLength(NameFieldMaxChars);
  layout->addWidget(name, 3);
  layout->addWidget(add(IDC_LIST_BUTTON, new QPushButton(QStringLiteral("ﾘｽﾄ"))));
  layout->addWidget(codedLine(IDC_AMOUNT_LABEL, QStringLiteral("H   \t金額 ")));
  auto* amount = add(IDC_AMOUNT_FIELD, new QLineEdit);
  amount->setMaxLength(AmountFieldMaxChars);
  amount->setAlignment(Qt::AlignRight);
  layout->addWidget(amount, 2);
  layout->addWidget(add(IDC_CALCULATOR_BUTTON, new QPushButton(QStringLiteral("電卓"))));
  for (int id : {IDC_NAME_LABEL, IDC_AMOUNT_LABEL}) {
    static_cast<QLabel*>(control(id))->setFrameShape(QFrame::NoFrame);
  }
  for (int id : {IDC_LIST_BUTTON, IDC_CALCULATOR_BUTTON}) {
    control(id)->setFocusPolicy(Qt::NoFocus);
  }
  return row;
}

QLineEdit* CSoramiView::nameField() const {
  return static_cast<QLineEdit*>(control(IDC_NAME_FIELD));
}
QLineEdit* CSoramiView::amountField() const {
  return static_cast<QLineEdit*>(control(IDC_AMOUNT_FIELD));
}
QScrollBar* CSoramiView::columnSelector() const {
  return static_cast<QScrollBar*>(control(IDC_COLUMN_SELECTOR));
}

void CSoramiView::setDisplayMode(int mode) {
  displayMode_ = mode;
  itemSide_->setVisible(mode != DM_CASH_BOOK);
}

void CSoramiView::setViewFont(const QFont& font) {
  setFont(font);
}

}  // namespace sorami
