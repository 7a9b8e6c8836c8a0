#include "main/SoramiView.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "document/SoramiDoc.h"
#include "input/ParsedEdit.h"
#include "lists/DetailBox.h"
#include "lists/GeneralList.h"
#include "lists/StaticWnd.h"
#include "main/ViewFont.h"

namespace sorami {

namespace {

constexpr int ColumnSelectorMax = 5;
constexpr int NameFieldMaxChars = 20;
// "-999,999,999": every amount the field takes fits with its separators, so a result or a
// remembered amount is never cut short.
constexpr int AmountFieldMaxChars = 12;
constexpr int DefaultFontPixels = 16;
constexpr int InputFieldMinChars = 10;
constexpr int InputFieldPadding = 8;  // the field's frame and text margins
constexpr int ButtonMinChars = 5;     // two full-width characters and margins
constexpr int SummaryRows = 4;
constexpr int ItemSideStretch = 2;
constexpr int DetailSideStretch = 3;
// Lines besides the item rows that share the height: headers, the selector, the four summary
// rows, the period line and the input row.
constexpr int FixedLines = 11;
// Half-width columns across the window besides the configured extra name and amount width: the
// item side's mark, name (14) and figure (7) with margins, the detail side's date, mark, name,
// amount and memo.
constexpr int FixedColumns = 2 + 14 + 7 + 2 + 12 + 2 + 14 + 7 + 12;

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
  grid->setColumnStretch(0, ItemSideStretch);
  grid->setColumnStretch(1, DetailSideStretch);
  setViewFont(makeViewFont(DefaultFontPixels));
  setFocusProxy(nameField());
  lastInput_ = nameField();
  followInputFocus();
}

CSoramiView::~CSoramiView() {
  disconnect(qApp, nullptr, this, nullptr);
}

template <typename W>
W* CSoramiView::add(int id, W* widget) {
  widget->setObjectName(QString::number(id));
  controls_.insert(id, widget);
  return widget;
}

QWidget* CSoramiView::codedLine(int id, const QString& text) {
  auto* label = add(id, new QLabel);
  setCodedText(id, text);
  return label;
}

// The headers, the detail total and the period line draw their coded lines themselves.
CStaticWnd* CSoramiView::staticLine(int id, const QString& text, int style) {
  auto* line = add(id, new CStaticWnd(text, style));
  line->setColors(&colors_);
  return line;
}

// A line code whose fourth character is "R" draws the line in red (a rest day).
void CSoramiView::setCodedText(int id, const QString& text) {
  if (auto* line = qobject_cast<CStaticWnd*>(control(id))) {
    line->setText(text);
    return;
  }
  auto* label = static_cast<QLabel*>(control(id));
  if (label->property("codedText").toString() == text) return;
  label->setProperty("codedText", text);
  label->setText(visiblePart(text));
  const bool red = text.size() > 3 && text[3] == u'R';
  label->setStyleSheet(red ? QStringLiteral("color: red") : QString());
}

QString CSoramiView::codedText(int id) const {
  if (auto* line = qobject_cast<CStaticWnd*>(control(id))) return line->text();
  return control(id)->property("codedText").toString();
}

CGeneralList* CSoramiView::generalList(int id) {
  return add(id, new CGeneralList(colors_));
}

QWidget* CSoramiView::buildItemSide() {
  auto* side = new QWidget;
  QVBoxLayout* layout = column(side);
  layout->addWidget(staticLine(IDC_ITEM_HEADER, QStringLiteral("A  M\t  項目名\t金　額"),
                               CStaticWnd::ButtonStyle));
  CGeneralList* items = generalList(IDC_ITEM_LIST);
  connect(items, &CGeneralList::rowClicked, this, &CSoramiView::itemClicked);
  layout->addWidget(items, 3);
  auto* selector = add(IDC_COLUMN_SELECTOR, new QScrollBar(Qt::Horizontal));
  selector->setRange(0, ColumnSelectorMax);
  selector->setPageStep(1);
  selector->setFocusPolicy(Qt::NoFocus);
  connect(selector, &QScrollBar::valueChanged, this, &CSoramiView::setColumn);
  layout->addWidget(selector);
  CGeneralList* summary = generalList(IDC_SUMMARY_LIST);
  summary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(summary, &CGeneralList::rowClicked, this, &CSoramiView::summaryClicked);
  layout->addWidget(summary);
  layout->addWidget(staticLine(IDC_PERIOD_LINE, QStringLiteral("HBB \n1971/01/01～12/31の集計 "),
                               CStaticWnd::TableStyle));
  return side;
}

QWidget* CSoramiView::buildDetailSide() {
  auto* side = new QWidget;
  QVBoxLayout* layout = column(side);
  CStaticWnd* header =
      staticLine(IDC_DETAIL_HEADER, QStringLiteral("C  M\t \t品　名\t金　額\t備　考"),
                 CStaticWnd::ButtonStyle);
  CStaticWnd* total =
      staticLine(IDC_DETAIL_TOTAL, QStringLiteral("C   \t \t　　　　　合 計\t \t \t "),
                 CStaticWnd::TableStyle);
  auto* details = add(IDC_DETAIL_LIST, new CDetailBox(header, total));
  details->setColors(&colors_);
  // Like the other lists it is reached by clicking; the keys stay with the input row.
  details->setFocusPolicy(Qt::ClickFocus);
  connect(details, &CDetailBox::lineActivated, this, &CSoramiView::changeSelectedLine);
  connect(details, &CDetailBox::selectionChanged, this, &CSoramiView::showSelectedInCalculator);
  layout->addWidget(header);
  layout->addWidget(details, 1);
  layout->addWidget(total);
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
  auto* list = add(IDC_LIST_BUTTON, new QPushButton(QStringLiteral("ﾘｽﾄ")));
  connect(list, &QPushButton::clicked, this, &CSoramiView::toggleSpecialNames);
  layout->addWidget(list);
  layout->addWidget(codedLine(IDC_AMOUNT_LABEL, QStringLiteral("H   \t金額 ")));
  auto* amount = add(IDC_AMOUNT_FIELD, new CParsedEdit);
  amount->setMaxLength(AmountFieldMaxChars);
  layout->addWidget(amount, 2);
  auto* calculator = add(IDC_CALCULATOR_BUTTON, new QPushButton(QStringLiteral("電卓")));
  connect(calculator, &QPushButton::clicked, this, &CSoramiView::toggleCalculator);
  layout->addWidget(calculator);
  for (int id : {IDC_LIST_BUTTON, IDC_CALCULATOR_BUTTON}) {
    control(id)->setFocusPolicy(Qt::NoFocus);
    control(id)->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  }
  return row;
}

QLineEdit* CSoramiView::nameField() const {
  return static_cast<QLineEdit*>(control(IDC_NAME_FIELD));
}
CParsedEdit* CSoramiView::amountField() const {
  return static_cast<CParsedEdit*>(control(IDC_AMOUNT_FIELD));
}
QScrollBar* CSoramiView::columnSelector() const {
  return static_cast<QScrollBar*>(control(IDC_COLUMN_SELECTOR));
}
CGeneralList* CSoramiView::itemList() const {
  return static_cast<CGeneralList*>(control(IDC_ITEM_LIST));
}
CGeneralList* CSoramiView::summaryList() const {
  return static_cast<CGeneralList*>(control(IDC_SUMMARY_LIST));
}
CDetailBox* CSoramiView::detailList() const {
  return static_cast<CDetailBox*>(control(IDC_DETAIL_LIST));
}

void CSoramiView::setDisplayColor(int displayColor) {
  colors_.select(displayColor);
  itemList()->viewport()->update();
  summaryList()->viewport()->update();
  detailList()->viewport()->update();
  for (int id : {IDC_ITEM_HEADER, IDC_PERIOD_LINE, IDC_DETAIL_HEADER, IDC_DETAIL_TOTAL}) {
    control(id)->update();
  }
}

void CSoramiView::setViewFont(const QFont& font) {
  setFont(font);
  // However narrow the window, the fields keep the width they ask for, ten characters at the
  // least; the buttons beside them give way first, down to their text.
  const QFontMetrics metrics(font);
  const int digit = metrics.horizontalAdvance(u'0');
  for (QWidget* field :
       {static_cast<QWidget*>(nameField()), static_cast<QWidget*>(amountField())}) {
    field->setMinimumWidth(
        qMax(field->sizeHint().width(), InputFieldMinChars * digit + InputFieldPadding));
  }
  for (int id : {IDC_LIST_BUTTON, IDC_CALCULATOR_BUTTON}) {
    control(id)->setMinimumWidth(ButtonMinChars * digit);
  }
  // The four summary rows keep their height; the item list takes the rest.
  CGeneralList* summary = summaryList();
  summary->setFixedHeight(SummaryRows * summary->rowHeight() + 2 * summary->frameWidth());
}

// The cash book takes the whole width.
void CSoramiView::showItemSide(bool show) {
  itemSide_->setVisible(show);
  static_cast<QGridLayout*>(layout())->setColumnStretch(0, show ? ItemSideStretch : 0);
}

void CSoramiView::fitFont() {
  if (!hasData()) return;
  const CConfig& c = config();
  const int rows = c.itemRows < 1 ? store().itemCount() : c.itemRows;
  const int byHeight = height() / (rows + FixedLines) - 2;
  const int columns = FixedColumns + 2 * (c.nameWidth + c.amountDigits);
  const int byWidth = 2 * width() / columns;
  setViewFont(makeViewFont(viewFontPixels(qMin(byHeight, byWidth))));
}

void CSoramiView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (ready_) fitFont();
}

}  // namespace sorami
