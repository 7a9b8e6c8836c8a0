#include "rules/AutoEntryPage.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/Config.h"
#include "ledger/HinmeiList.h"
#include "ledger/RuleSettings.h"
#include "platform/Prompts.h"
#include "rules/AutoSpread.h"

namespace sorami {

namespace {

QPushButton* pageButton(const QString& text) {
  auto* b = new QPushButton(text);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

CAutoEntryPage::CAutoEntryPage(CHinmeiList& store, CConfig& config, Prompts& prompts,
                               AppSettings* settings, Day today, QWidget* parent)
    : QDialog(parent), store_(store), config_(config), prompts_(prompts), today_(today) {
  setWindowTitle(QStringLiteral("自動記入"));
  const RuleDialogSettings dialogSettings{config.decimalPlaces, config.firstYear, config.lastYear};
  editRule = [this, dialogSettings](const CAutoRule& rule) -> std::optional<CAutoRule> {
    CAutoRuleDialog dialog(store_, rule, dialogSettings, prompts_, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.rule();
  };
  grid_ = new CAutoSpread(store, config.decimalPlaces);
  grid_->setAppSettings(settings);
  up_ = pageButton(QStringLiteral("上"));
  down_ = pageButton(QStringLiteral("下"));
  delete_ = pageButton(QStringLiteral("削除"));
  add_ = pageButton(QStringLiteral("新規追加"));
  auto* help = pageButton(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
  help->setEnabled(false);  // the help file is not part of this program
  auto* close = pageButton(QStringLiteral("閉じる"));
  stop_ = new QCheckBox(QStringLiteral("全ての自動記入を停止する"));
  stop_->setChecked(config.stopAutoEntries != 0);
  memo_ = new QCheckBox(QStringLiteral("自動記入のﾃﾞｰﾀにﾒﾓを付ける"));
  memo_->setChecked(config.memoOnAutoEntries != 0);

  connect(up_, &QPushButton::clicked, this, &CAutoEntryPage::moveUp);
  connect(down_, &QPushButton::clicked, this, &CAutoEntryPage::moveDown);
  connect(delete_, &QPushButton::clicked, this, &CAutoEntryPage::deleteRule);
  connect(add_, &QPushButton::clicked, this, &CAutoEntryPage::addRule);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(grid_, &CSpreadWnd::cellActivated, this, &CAutoEntryPage::changeRule);
  connect(grid_, &CSpreadWnd::contextMenuRequested, this,
          [this](int, int, const QPoint& at) { showMenu(at); });

  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {up_, down_, delete_, add_}) buttons->addWidget(b);
  buttons->addStretch();
  buttons->addWidget(help);
  buttons->addWidget(close);
  auto* options = new QHBoxLayout;
  options->addWidget(stop_);
  options->addWidget(memo_);
  options->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_, 1);
  layout->addLayout(options);
  layout->addLayout(buttons);
  resize(900, 420);
}

void CAutoEntryPage::showMenu(const QPoint& globalPos) {
  QMenu menu(this);
  connect(menu.addAction(QStringLiteral("変更(&E)")), &QAction::triggered, this,
          &CAutoEntryPage::changeRule);
  connect(menu.addAction(QStringLiteral("新規追加(&A)")), &QAction::triggered, this,
          &CAutoEntryPage::addRule);
  connect(menu.addAction(QStringLiteral("削除(&R)")), &QAction::triggered, this,
          &CAutoEntryPage::deleteRule);
  menu.exec(globalPos);
}

std::optional<int> CAutoEntryPage::selectedSlot() {
  const int row = grid_->currentCell().row;
  if (row < 1 || row > store_.ruleCount()) {
    prompts_.inform(MessageId::SelectRowFirst, {}, Icon::Warning);
    return std::nullopt;
  }
  return row - 1;
}

void CAutoEntryPage::select(int slot) {
  grid_->refresh();
  if (slot >= 0 && slot < store_.ruleCount()) grid_->setCurrentCell(slot + 1, 0);
}

void CAutoEntryPage::moveUp() {
  const std::optional<int> slot = selectedSlot();
  if (!slot || *slot == 0) return;
  store_.exchangeRules(*slot - 1, *slot);
  changed_ = true;
  select(*slot - 1);
}

void CAutoEntryPage::moveDown() {
  const std::optional<int> slot = selectedSlot();
  if (!slot || *slot + 1 >= store_.ruleCount()) return;
  store_.exchangeRules(*slot, *slot + 1);
  changed_ = true;
  select(*slot + 1);
}

void CAutoEntryPage::deleteRule() {
  const std::optional<int> slot = selectedSlot();
  if (!slot) return;
  const CAutoRule rule = *store_.rule(*slot);
  if (config_.confirmDeletion != 0 &&
      prompts_.ask(MessageId::ConfirmDeleteRule, ruleDeleteQuestionArgs(store_, rule),
                   Buttons::YesNo, Answer::Yes) != Answer::Yes) {
    return;
  }
  store_.removeRule(*slot);
  changed_ = true;
  select(std::min(*slot, store_.ruleCount() - 1));
}

void CAutoEntryPage::addRule() {
  if (store_.ruleCount() >= static_cast<int>(kMaxRules)) {
    prompts_.inform(MessageId::RuleLimitReached, {QString::number(kMaxRules).toStdU16String()},
                    Icon::Warning);
    return;
  }
  std::optional<CAutoRule> rule = editRule(CAutoRule::makeDefault(today_));
  if (!rule) return;
  rule->startAsNew();
  const std::optional<int> slot = store_.addRule(*rule);
  if (!slot) return;
  changed_ = true;
  select(*slot);
}

void CAutoEntryPage::changeRule() {
  const std::optional<int> slot = selectedSlot();
  if (!slot) return;
  const CAutoRule before = *store_.rule(*slot);
  std::optional<CAutoRule> rule = editRule(before);
  if (!rule) return;
  rule->keepStateOf(before);
  store_.setRule(*slot, *rule);
  changed_ = true;
  select(*slot);
}

void CAutoEntryPage::done(int result) {
  config_.stopAutoEntries = stop_->isChecked() ? 1 : 0;
  config_.memoOnAutoEntries = memo_->isChecked() ? 1 : 0;
  QDialog::done(result);
}

}  // namespace sorami
