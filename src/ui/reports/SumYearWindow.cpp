#include "reports/SumYearWindow.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/WindowPos.h"
#include "reports/GraphSeries.h"
#include "reports/SumYearSpread.h"

namespace sorami {

namespace {

const QString kWindowSection = QStringLiteral("SumYear");

}  // namespace

CSumYearWnd::CSumYearWnd(AnnualSummary summary, int decimalPlaces, AppSettings* settings,
                         QWidget* parent)
    : QDialog(parent),
      summary_(std::move(summary)),
      settings_(settings),
      grid_(new CSumYearSpread(summary_, decimalPlaces, this)) {
  setObjectName(QStringLiteral("265"));
  setWindowTitle(QStringLiteral("総集計表"));
  setSizeGripEnabled(true);
  grid_->setAppSettings(settings);
  auto* period =
      new QLabel(QString::fromStdU16String(graphPeriodLine(summary_.first, summary_.last)));
  period->setAlignment(Qt::AlignCenter);
  auto* buttons = new QDialogButtonBox;
  QPushButton* copy = buttons->addButton(QStringLiteral("ｺﾋﾟｰ(&C)"), QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
  copy->setAutoDefault(false);
  connect(copy, &QPushButton::clicked, grid_, [this] { grid_->copy(); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(grid_, &CSpreadWnd::contextMenuRequested, this,
          [this](int, int, const QPoint& at) { showMenu(at); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(period);
  layout->addWidget(grid_, 1);
  layout->addWidget(buttons);
  resize(900, 600);
  if (settings_ != nullptr) restoreWindowPos(*this, kWindowSection, *settings_);
}

CSumYearWnd::~CSumYearWnd() {
  if (settings_ != nullptr) saveWindowPos(*this, kWindowSection, *settings_);
}

void CSumYearWnd::showMenu(const QPoint& globalPos) {
  QMenu menu(this);
  menu.addAction(QStringLiteral("ｺﾋﾟｰ(&C)"), grid_, [this] { grid_->copy(); });
  menu.addAction(QStringLiteral("すべて選択(&A)"), grid_, [this] { grid_->selectAll(); });
  menu.exec(globalPos);
}

}  // namespace sorami
