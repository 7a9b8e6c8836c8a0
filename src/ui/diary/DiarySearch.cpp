#include "diary/DiarySearch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorami {

CDiarySearch::CDiarySearch(QWidget* parent) : QDialog(parent), keyword_(new QLineEdit) {
  setObjectName(QString::number(IDD_DIARY_SEARCH));
  setWindowTitle(QStringLiteral("日記の検索"));
  setModal(false);
  keyword_->setObjectName(QString::number(IDC_DIARY_KEYWORD));
  keyword_->setMaxLength(static_cast<int>(kDiaryKeywordLimit));
  keyword_->setMinimumWidth(keyword_->fontMetrics().averageCharWidth() * 30);
  auto* label = new QLabel(QStringLiteral("ｷｰﾜｰﾄﾞ(&W)"));
  label->setBuddy(keyword_);

  auto* earlier = new QPushButton(QStringLiteral("前方(&B)"));
  auto* later = new QPushButton(QStringLiteral("後方(&N)"));
  auto* close = new QPushButton(QStringLiteral("閉じる"));
  earlier->setObjectName(QString::number(IDC_DIARY_EARLIER));
  later->setObjectName(QString::number(IDC_DIARY_LATER));
  earlier->setDefault(true);
  connect(earlier, &QPushButton::clicked, this,
          [this] { emit searchRequested(keyword_->text(), DiaryDirection::Earlier); });
  connect(later, &QPushButton::clicked, this,
          [this] { emit searchRequested(keyword_->text(), DiaryDirection::Later); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(keyword_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {earlier, later, close}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addLayout(buttons);
}

}  // namespace sorami
