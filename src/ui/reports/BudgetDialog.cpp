#include "reports/BudgetDialog.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "document/SoramiDoc.h"
#include "help/HelpWindow.h"
#include "main/ViewFont.h"
#include "platform/WindowPos.h"
#include "reports/BudgetSpread.h"

namespace sorami {

namespace {

const QString kWindowSection = QStringLiteral("Budget");

QString qs(const std::u16string& s) {
  return QString::fromStdU16String(s);
}

}  // namespace

CBudgetDialog::CBudgetDialog(CSoramiDoc& document, const HolidayCalendar& holidays,
                             Prompts& prompts, AppSettings* settings, Day currentDay,
                             QWidget* parent)
    : QDialog(parent),
      sheet_(*document.entries(), *document.budgets(), document.config().periodSettings(),
             document.config().fixedTotalsPeriod != 0, holidays, document.config().decimalPlaces),
      document_(document),
      settings_(settings),
      grid_(new CBudgetSpread(sheet_, prompts, this)),
      checkColumn_(new QWidget(this)),
      income_(new QRadioButton(QStringLiteral("収入(&I)"))),
      expense_(new QRadioButton(QStringLiteral("支出(&O)"))) {
  setObjectName(QStringLiteral("Budget"));
  setSizeGripEnabled(true);
  grid_->setAppSettings(settings);
  sheet_.showMonthOf(currentDay);
  checkColumn_->setFixedWidth(24);
  for (int i = 0; i < sheet_.checkBoxCount(); ++i) {
    auto* box = new QCheckBox(checkColumn_);
    box->setObjectName(QStringLiteral("check%1").arg(i + 1));
    box->setToolTip(QStringLiteral("予算の対象にする"));
    connect(box, &QCheckBox::clicked, this, [this, i](bool on) { targetClicked(i + 1, on); });
    checks_.push_back(box);
  }
  auto* table = new QHBoxLayout;
  table->setSpacing(2);
  table->addWidget(checkColumn_);
  table->addWidget(grid_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(table, 1);
  layout->addWidget(buildButtons());
  const QFont mono = makeViewFont(14);
  for (QLabel*& line : summary_) {
    line = new QLabel;
    line->setFont(mono);
    line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(line);
  }
  summary_[0]->setObjectName(QStringLiteral("savings"));
  connect(grid_, &CSpreadWnd::visibleAreaChanged, this, [this] { placeCheckBoxes(); });
  connect(grid_, &CSpreadWnd::cellChanged, this, [this] { refreshFigures(); });
  // The dialog's Copy command copies from the grid.
  auto* copy = new QAction(this);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(copy, &QAction::triggered, grid_, [this] { grid_->copy(); });
  addAction(copy);
  expense_->setChecked(true);
  resize(640, 560);
  if (settings_ != nullptr) restoreWindowPos(*this, kWindowSection, *settings_);
  rebuild();
}

CBudgetDialog::~CBudgetDialog() {
  if (settings_ != nullptr) saveWindowPos(*this, kWindowSection, *settings_);
}

QWidget* CBudgetDialog::buildButtons() {
  auto* box = new QWidget(this);  // the buttons are found by name from the start
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* sides = new QButtonGroup(box);
  sides->addButton(income_);
  sides->addButton(expense_);
  grid->addWidget(income_, 0, 0);
  grid->addWidget(expense_, 0, 1);
  connect(income_, &QRadioButton::toggled, this, [this](bool on) {
    if (!grid_->isEditing() || grid_->finishEdit(true)) {
      sheet_.setSide(on ? BudgetSide::Income : BudgetSide::Expense);
      rebuild();
    }
  });
  struct BarButton {
    const char16_t* name;
    const char16_t* text;
    const char16_t* tip;
  };
  const BarButton barButtons[] = {
      {u"previous", u"前月(&Z)", u""},
      {u"today", u"今月(&T)", u""},
      {u"next", u"翌月(&X)", u""},
      {u"fromStandard", u"<<標準", u"予算を標準値からコピーする"},
      {u"toStandard", u">>標準", u"入力されている予算を標準値として設定する"},
      {u"help", u"ﾍﾙﾌﾟ(&H)", u""},
      {u"close", u"閉じる", u""}};
  int column = 0;
  for (const BarButton& s : barButtons) {
    auto* b = new QPushButton(QString::fromUtf16(s.text));
    b->setObjectName(QString::fromUtf16(s.name));
    b->setToolTip(QString::fromUtf16(s.tip));
    b->setAutoDefault(false);
    grid->addWidget(b, 1, column++);
  }
  connect(button(QStringLiteral("help")), &QPushButton::clicked, this, [this] { showHelp(this); });
  connect(button(QStringLiteral("previous")), &QPushButton::clicked, this,
          [this] { move(&BudgetSheet::previousMonth); });
  connect(button(QStringLiteral("next")), &QPushButton::clicked, this,
          [this] { move(&BudgetSheet::nextMonth); });
  connect(button(QStringLiteral("today")), &QPushButton::clicked, this, [this] {
    if (grid_->isEditing()) grid_->finishEdit(true);
    sheet_.showMonthOf(document_.today());
    rebuild();
  });
  connect(button(QStringLiteral("fromStandard")), &QPushButton::clicked, this, [this] {
    if (grid_->isEditing()) grid_->finishEdit(false);
    sheet_.copyFromStandard();
    rebuild();
  });
  connect(button(QStringLiteral("toStandard")), &QPushButton::clicked, this, [this] {
    if (grid_->isEditing()) grid_->finishEdit(true);
    sheet_.copyToStandard();
    rebuild();
  });
  connect(button(QStringLiteral("close")), &QPushButton::clicked, this, &QDialog::accept);
  return box;
}

QPushButton* CBudgetDialog::button(const QString& name) const {
  return findChild<QPushButton*>(name);
}

void CBudgetDialog::move(void (BudgetSheet::*step)()) {
  if (grid_->isEditing()) grid_->finishEdit(true);
  (sheet_.*step)();
  rebuild();
}

void CBudgetDialog::rebuild() {
  setWindowTitle(qs(sheet_.caption()));
  grid_->refresh();
  refreshFigures();
}

void CBudgetDialog::refreshFigures() {
  const std::array<std::u16string, 3> lines = sheet_.summaryLines();
  for (size_t i = 0; i < lines.size(); ++i) summary_[i]->setText(qs(lines[i]));
  grid_->viewport()->update();
  placeCheckBoxes();
}

QStringList CBudgetDialog::summaryLines() const {
  QStringList out;
  for (const QLabel* line : summary_) out << line->text();
  return out;
}

void CBudgetDialog::targetClicked(int row, bool on) {
  if (grid_->isEditing()) grid_->finishEdit(true);
  sheet_.setTarget(row, on);
  refreshFigures();
}

// Each check box stands beside its row, and only beside rows in view below the header.
void CBudgetDialog::placeCheckBoxes() {
  const int rows = static_cast<int>(sheet_.rows().size());
  const int top = grid_->cellRect(0, 0).bottom();
  const int bottom = grid_->viewport()->height();
  for (size_t i = 0; i < checks_.size(); ++i) {
    QCheckBox* box = checks_[i];
    const int row = static_cast<int>(i) + 1;
    const QRect cell = grid_->cellRect(row, 0);
    const bool shown = row <= rows && cell.top() >= top && cell.bottom() <= bottom;
    box->setVisible(shown);
    if (!shown) continue;
    box->setChecked(sheet_.rows()[i].target);
    const QPoint at = checkColumn_->mapFrom(this, grid_->viewport()->mapTo(this, cell.topLeft()));
    const QSize size = box->sizeHint();
    box->setGeometry(0, at.y() + (cell.height() - size.height()) / 2, size.width(), size.height());
  }
}

void CBudgetDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  placeCheckBoxes();
}

}  // namespace sorami
