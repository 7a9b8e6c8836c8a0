#include "input/MemoWindow.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/WindowPos.h"

namespace sorami {

namespace {

const QString kSection = QStringLiteral("Comment");

}  // namespace

CMemoWindow::CMemoWindow(AppSettings* settings, QWidget* parent)
    : QDialog(parent), settings_(settings), edit_(new QLineEdit) {
  setObjectName(QString::number(IDD_MEMO));
  setWindowTitle(QStringLiteral("備 考 の 入 力"));
  setModal(false);
  edit_->setMaxLength(kMemoMaxChars);
  edit_->setMinimumWidth(edit_->fontMetrics().averageCharWidth() * 40);

  auto* tools = new QHBoxLayout;
  const struct {
    const char16_t* label;
    void (*act)(QLineEdit*);
  } buttons[] = {{u"やり直し", [](QLineEdit* e) { e->undo(); }},
                 {u"削除", [](QLineEdit* e) { e->del(); }},
                 {u"貼り付け", [](QLineEdit* e) { e->paste(); }},
                 {u"複写", [](QLineEdit* e) { e->copy(); }},
                 {u"切り抜き", [](QLineEdit* e) { e->cut(); }}};
  for (const auto& b : buttons) {
    auto* button = new QPushButton(QString::fromUtf16(b.label));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, edit_, [e = edit_, act = b.act] { act(e); });
    tools->addWidget(button);
  }
  tools->addStretch();

  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* ends = new QHBoxLayout;
  ends->addStretch();
  ends->addWidget(ok);
  ends->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(edit_);
  layout->addLayout(tools);
  layout->addLayout(ends);
  if (settings_) restoreWindowPos(*this, kSection, *settings_);
}

void CMemoWindow::open(const QString& memo) {
  // The field takes no more than its length from the keys, but a memo that comes in longer
  // (a typed memo with the transfer text joined to it) is written whole, never cut.
  edit_->setMaxLength(std::max(kMemoMaxChars, static_cast<int>(memo.size())));
  edit_->setText(memo);
  edit_->setCursorPosition(0);
  show();
  raise();
  activateWindow();
  edit_->setFocus();
}

QString CMemoWindow::memo() const {
  return edit_->text();
}

void CMemoWindow::done(int result) {
  if (settings_ && isVisible()) saveWindowPos(*this, kSection, *settings_);
  QDialog::done(result);
  if (result == QDialog::Accepted) {
    emit memoAccepted();
  } else {
    emit memoCancelled();
  }
}

}  // namespace sorami
