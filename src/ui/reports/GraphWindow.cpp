#include "reports/GraphWindow.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Prompts.h"
#include "reports/GraphFile.h"
#include "reports/GraphView.h"

namespace sorami {

CGraphWnd::CGraphWnd(GraphDrawing drawing, Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), view_(new CGraphView(std::move(drawing), this)) {
  const bool pie = view_->drawing().pie.has_value();
  setObjectName(pie ? QStringLiteral("GraphCircle") : QStringLiteral("261"));
  setWindowTitle(pie ? QStringLiteral("期間グラフ")
                     : QString::fromStdU16String(view_->drawing().trend->title));
  setSizeGripEnabled(true);
  auto* buttons = new QDialogButtonBox;
  QPushButton* save =
      buttons->addButton(QStringLiteral("保存(&S)..."), QDialogButtonBox::ActionRole);
  QPushButton* print =
      buttons->addButton(QStringLiteral("印刷(&P)..."), QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
  connect(save, &QPushButton::clicked, this, [this] { saveAs(); });
  connect(print, &QPushButton::clicked, this, [this] { this->print(); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_, 1);
  layout->addWidget(buttons);
}

bool CGraphWnd::saveAs() {
  const std::optional<std::filesystem::path> path =
      prompts_.chooseSaveFile({u"グラフの保存", windowTitle().toStdU16String() + u".png",
                               u"グラフ|*.png *.svg *.pdf||", u"png"});
  if (!path) return false;
  const QString file = QString::fromStdU16String(path->u16string());
  if (saveGraph(view_->drawing(), file, windowTitle())) return true;
  prompts_.inform(MessageId::GraphNotSaved, {path->u16string()}, Icon::Warning);
  return false;
}

void CGraphWnd::print() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) printGraph(view_->drawing(), printer);
}

}  // namespace sorami
