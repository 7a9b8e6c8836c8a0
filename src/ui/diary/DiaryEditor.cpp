#include "diary/DiaryEditor.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

#include "reports/Diary.h"

namespace sorami {

CDiaryEditor::CDiaryEditor(QWidget* parent)
    : QDialog(parent), edit_(new QPlainTextEdit), limit_(static_cast<int>(kDiaryTextLimit)) {
  setObjectName(QString::number(IDD_DIARY_EDITOR));
  setWindowTitle(QStringLiteral("日記の記入"));
  setModal(false);
  edit_->setObjectName(QString::number(IDC_DIARY_TEXT));
  edit_->setTabChangesFocus(true);
  edit_->setMinimumSize(edit_->fontMetrics().averageCharWidth() * 50,
                        edit_->fontMetrics().height() * 12);
  edit_->installEventFilter(this);
  connect(edit_->document(), &QTextDocument::contentsChange, this,
          [this](int position, int /*removed*/, int added) { keepWithinLimit(position, added); });

  auto* tools = new QHBoxLayout;
  const struct {
    const char16_t* label;
    void (*act)(QPlainTextEdit*);
  } buttons[] = {{u"やり直し", [](QPlainTextEdit* e) { e->undo(); }},
                 {u"削除", [](QPlainTextEdit* e) { e->textCursor().removeSelectedText(); }},
                 {u"貼り付け", [](QPlainTextEdit* e) { e->paste(); }},
                 {u"複写", [](QPlainTextEdit* e) { e->copy(); }},
                 {u"切り抜き", [](QPlainTextEdit* e) { e->cut(); }}};
  for (const auto& b : buttons) {
    auto* button = new QPushButton(QString::fromUtf16(b.label));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, edit_, [e = edit_, act = b.act] { act(e); });
    tools->addWidget(button);
  }
  tools->addStretch();
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"));
  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setAutoDefault(false);
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  tools->addWidget(cancel);
  tools->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(edit_, 1);
  layout->addLayout(tools);
}

void CDiaryEditor::load(Day day, const QString& text, const QString& title) {
  day_ = day;
  limit_ = std::max(static_cast<int>(kDiaryTextLimit), static_cast<int>(text.size()));
  setWindowTitle(title);
  trimming_ = true;
  edit_->setPlainText(text);
  trimming_ = false;
  // Compared as the box gives it back, so a day the user did not touch is never written again.
  loaded_ = this->text();
  edit_->moveCursor(QTextCursor::End);
}

QString CDiaryEditor::text() const {
  return edit_->toPlainText();
}

// Typing and pasting stop at the limit: what goes past it is taken out again at once, so the
// text never holds more than the day can keep, and a text that came in longer is never cut.
void CDiaryEditor::keepWithinLimit(int position, int added) {
  if (trimming_ || added <= 0) return;
  const int excess = static_cast<int>(text().size()) - limit_;
  if (excess <= 0) return;
  trimming_ = true;
  QTextCursor cursor(edit_->document());
  const int end = position + added;
  cursor.setPosition(std::max(position, end - excess));
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
  trimming_ = false;
}

// Ctrl+Enter breaks the line as Enter does, so the key the user learnt elsewhere works here.
bool CDiaryEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && (key->modifiers() & Qt::ControlModifier)) {
      edit_->insertPlainText(QStringLiteral("\n"));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace sorami
