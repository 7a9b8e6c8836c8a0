#include "main/DataMoveDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "help/HelpWindow.h"
#include "input/RangeSpin.h"
#include "ledger/HinmeiList.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"
#include "rules/AmountText.h"
#include "rules/Calendar.h"

namespace sorami {

namespace {

QDialogButtonBox* okCancelHelp(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Help | QDialogButtonBox::Cancel |
                                       QDialogButtonBox::Ok);
  buttons->button(QDialogButtonBox::Help)->setText(QStringLiteral("ﾍﾙﾌﾟ"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  QObject::connect(buttons, &QDialogButtonBox::helpRequested, dialog,
                   [dialog] { showHelp(dialog); });
  return buttons;
}

void japaneseFont(QWidget* w) {
  QFont f = w->font();
  f.setFamilies({QStringLiteral("IPAGothic")});
  w->setFont(f);
}

// Items a move may take lines from or give them to: neither savings nor loan items.
bool ordinaryItem(const CHinmei& def) {
  return (def.flags & (EF_ACCOUNT | EF_LOAN)) == 0;
}

}  // namespace

// ---- DateFields.

DateFields::DateFields(Day day, QWidget* parent) : QWidget(parent) {
  const struct {
    int min, max, stepMin;
    const char16_t* suffix;
  } ranges[] = {{1971, 9999, 1990, u"年"}, {1, 12, 1, u"月"}, {1, 31, 1, u"日"}};
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  for (size_t i = 0; i < fields_.size(); ++i) {
    fields_[i] = new CRangeSpin(ranges[i].min, ranges[i].max, ranges[i].stepMin, ranges[i].max);
    fields_[i]->setSuffix(QString::fromUtf16(ranges[i].suffix));
    row->addWidget(fields_[i]);
  }
  setDay(day);
}

void DateFields::setDay(Day day) {
  const Ymd d = ymdFromDay(day);
  fields_[0]->setValue(d.year);
  fields_[1]->setValue(d.month);
  fields_[2]->setValue(d.day);
}

Day DateFields::day() const {
  return clampDay(fields_[0]->value(), fields_[1]->value(), fields_[2]->value());
}

bool DateFields::check(Prompts& prompts) {
  for (CRangeSpin* field : fields_) {
    field->interpretText();
    if (!field->checkAccepted(prompts)) return false;
  }
  return true;
}

// ---- 日付間のデータ移動.

MoveToDayDialog::MoveToDayDialog(Day target, Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), target_(new DateFields(target)) {
  setWindowTitle(QStringLiteral("日付間のデータ移動"));
  japaneseFont(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("移動先の日付")));
  layout->addWidget(target_);
  layout->addWidget(okCancelHelp(this));
}

void MoveToDayDialog::accept() {
  if (target_->check(prompts_)) QDialog::accept();
}

// ---- 指定期間のデータ移動.

MovePeriodDialog::MovePeriodDialog(Day day, Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), diary_(new QCheckBox(QStringLiteral("日記も移動する"))) {
  setWindowTitle(QStringLiteral("指定期間のデータ移動"));
  japaneseFont(this);
  auto* grid = new QGridLayout;
  const char16_t* labels[] = {u"移動元の開始日", u"移動元の終了日", u"移動先の開始日"};
  for (size_t i = 0; i < dates_.size(); ++i) {
    dates_[i] = new DateFields(day);
    grid->addWidget(new QLabel(QString::fromUtf16(labels[i])), static_cast<int>(i), 0);
    grid->addWidget(dates_[i], static_cast<int>(i), 1);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(diary_);
  auto* note =
      new QLabel(QStringLiteral("取消しはできませんのでﾃﾞｰﾀをﾊﾞｯｸｱｯﾌﾟ後に行ってください。"));
  note->setWordWrap(true);
  layout->addWidget(note);
  layout->addWidget(okCancelHelp(this));
}

void MovePeriodDialog::accept() {
  for (DateFields* d : dates_) {
    if (!d->check(prompts_)) return;
  }
  QDialog::accept();
}

PeriodMove MovePeriodDialog::result() const {
  return {dates_[0]->day(), dates_[1]->day(), dates_[2]->day(), diary_->isChecked()};
}

// ---- 項目間のデータ移動.

MoveItemsDialog::MoveItemsDialog(const CHinmeiList& store, Day from, Day to, bool selection,
                                 Prompts& prompts, QWidget* parent)
    : QDialog(parent),
      prompts_(prompts),
      selection_(selection),
      from_(new DateFields(from)),
      to_(new DateFields(to)),
      all_(new QCheckBox(QStringLiteral("全ﾃﾞｰﾀを対象"))),
      source_(new QListWidget),
      destination_(new QListWidget) {
  setWindowTitle(QStringLiteral("項目間のデータ移動"));
  japaneseFont(this);
  for (int i = 0; i < store.itemCount(); ++i) {
    const CHinmei& def = *store.itemAt(i);
    if (!ordinaryItem(def)) continue;
    numbers_.push_back(def.item);
    source_->addItem(toQString(def.name));
    destination_->addItem(toQString(def.name));
  }
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("開始")), 0, 0);
  grid->addWidget(from_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("終了")), 1, 0);
  grid->addWidget(to_, 1, 1);
  grid->addWidget(all_, 2, 1);
  auto* lists = new QGridLayout;
  lists->addWidget(new QLabel(QStringLiteral("移動元")), 0, 0);
  lists->addWidget(new QLabel(QStringLiteral("移動先")), 0, 1);
  if (selection) {
    auto* note =
        new QLabel(QStringLiteral("詳細窓で選択されたデータ（移動先のみ選択してください）"));
    note->setWordWrap(true);
    lists->addWidget(note, 1, 0);
    source_->hide();
    for (QWidget* w : {static_cast<QWidget*>(from_), static_cast<QWidget*>(to_),
                       static_cast<QWidget*>(all_), static_cast<QWidget*>(source_)}) {
      w->setEnabled(false);
    }
  } else {
    lists->addWidget(source_, 1, 0);
  }
  lists->addWidget(destination_, 1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(lists);
  layout->addWidget(okCancelHelp(this));
}

int MoveItemsDialog::chosen(const QListWidget* list) const {
  const int row = list->currentRow();
  const bool picked = row >= 0 && list->item(row)->isSelected();
  return picked && static_cast<size_t>(row) < numbers_.size() ? numbers_[static_cast<size_t>(row)]
                                                              : -1;
}

void MoveItemsDialog::accept() {
  if (!selection_ && !all_->isChecked()) {
    if (!from_->check(prompts_) || !to_->check(prompts_)) return;
    if (from_->day() > to_->day()) {
      prompts_.inform(MessageId::MoveReversed, {}, Icon::Warning);
      return;
    }
  }
  if (!selection_ && chosen(source_) < 0) {
    prompts_.inform(MessageId::SelectItemOf, {u"移動元の"}, Icon::Warning);
    return;
  }
  if (chosen(destination_) < 0) {
    prompts_.inform(MessageId::SelectItemOf, {u"移動先の"}, Icon::Warning);
    return;
  }
  QDialog::accept();
}

ItemMove MoveItemsDialog::result() const {
  ItemMove m;
  if (!all_->isChecked()) {
    m.from = from_->day();
    m.to = to_->day();
  }
  m.source = selection_ ? -1 : chosen(source_);
  m.destination = chosen(destination_);
  return m;
}

// ---- 現金残高の変更.

CashChangeDialog::CashChangeDialog(const CHinmeiList& store, const CashChangeChoice& choice,
                                   Day day, int decimalPlaces, Prompts& prompts, QWidget* parent)
    : QDialog(parent),
      prompts_(prompts),
      before_(choice.balance),
      balance_(new CRangeSpin(static_cast<int>(kLowestCash), static_cast<int>(kHighestCash),
                              static_cast<int>(kLowestCash), static_cast<int>(kHighestCash))),
      decrease_(new QComboBox),
      increase_(new QComboBox),
      decreaseName_(new QLineEdit(QString::fromStdU16String(choice.decreaseName))),
      increaseName_(new QLineEdit(QString::fromStdU16String(choice.increaseName))),
      negative_(new QCheckBox(QStringLiteral("残高増加時は残高減少時のﾃﾞｰﾀにﾏｲﾅｽ金額で記載"))) {
  setObjectName(QString::number(IDD_CHANGE_CASH_BALANCE));
  setWindowTitle(QStringLiteral("現金残高の変更"));
  japaneseFont(this);
  const Ymd d = ymdFromDay(day);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      QStringLiteral("%1年%2月%3日の現金残高を修正します。").arg(d.year).arg(d.month).arg(d.day)));
  auto* amounts = new QGridLayout;
  amounts->addWidget(new QLabel(QStringLiteral("変更前:")), 0, 0);
  amounts->addWidget(
      new QLabel(QString::fromStdU16String(formatAmount(choice.balance, true, decimalPlaces))), 0,
      1);
  amounts->addWidget(new QLabel(QStringLiteral("変更後:")), 1, 0);
  balance_->setValue(
      static_cast<int>(std::clamp<int64_t>(choice.balance, kLowestCash, kHighestCash)));
  amounts->addWidget(balance_, 1, 1);
  layout->addLayout(amounts);
  modes_[kCashModeInitial] = new QRadioButton(QStringLiteral("初期残高を調整（過去の残高を変更）"));
  modes_[kCashModeEntry] =
      new QRadioButton(QStringLiteral("以下の調整データとして記載する（推奨）"));
  auto* group = new QButtonGroup(this);
  for (QRadioButton* b : modes_) {
    group->addButton(b);
    layout->addWidget(b);
    connect(b, &QRadioButton::toggled, this, [this] { enableFields(); });
  }
  modes_[static_cast<size_t>(choice.mode)]->setChecked(true);
  const auto fill = [&](QComboBox* box, uint16_t side, int selected) {
    for (int i = 0; i < store.itemCount(); ++i) {
      const CHinmei& def = *store.itemAt(i);
      if ((def.flags & side) == 0 || !ordinaryItem(def)) continue;
      box->addItem(toQString(def.name), def.item);
      if (def.item == selected) box->setCurrentIndex(box->count() - 1);
    }
    if (selected < 0) box->setCurrentIndex(-1);
  };
  fill(decrease_, EF_EXPENSE, choice.decreaseItem);
  fill(increase_, EF_INCOME, choice.increaseItem);
  auto* items = new QGridLayout;
  items->addWidget(new QLabel(QStringLiteral("残高減少時：")), 0, 0);
  items->addWidget(decrease_, 0, 1);
  items->addWidget(decreaseName_, 0, 2);
  items->addWidget(new QLabel(QStringLiteral("残高増加時：")), 1, 0);
  items->addWidget(increase_, 1, 1);
  items->addWidget(increaseName_, 1, 2);
  layout->addLayout(items);
  negative_->setChecked(choice.negativeIncrease);
  connect(negative_, &QCheckBox::toggled, this, [this] { enableFields(); });
  layout->addWidget(negative_);
  layout->addWidget(okCancelHelp(this));
  enableFields();
}

void CashChangeDialog::enableFields() {
  const bool entry = modes_[kCashModeEntry]->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(decrease_), static_cast<QWidget*>(decreaseName_),
                     static_cast<QWidget*>(negative_)}) {
    w->setEnabled(entry);
  }
  increase_->setEnabled(entry && !negative_->isChecked());
  increaseName_->setEnabled(entry && !negative_->isChecked());
}

int CashChangeDialog::chosen(const QComboBox* box) const {
  return box->currentIndex() < 0 ? -1 : box->currentData().toInt();
}

// In the entry mode a change needs the item its line goes to.
void CashChangeDialog::accept() {
  balance_->interpretText();
  if (!balance_->checkAccepted(prompts_)) return;
  const CashChangeRequest r = result();
  if (r.mode == kCashModeEntry && r.newBalance != before_) {
    const bool decrease = r.newBalance < before_ || r.negativeIncrease;
    if ((decrease ? r.decreaseItem : r.increaseItem) < 0) {
      prompts_.inform(MessageId::CashChangeNeedsItem, {}, Icon::Warning);
      return;
    }
  }
  QDialog::accept();
}

CashChangeRequest CashChangeDialog::result() const {
  CashChangeRequest r;
  r.newBalance = balance_->value();
  r.mode = modes_[kCashModeInitial]->isChecked() ? kCashModeInitial : kCashModeEntry;
  r.decreaseItem = chosen(decrease_);
  r.increaseItem = chosen(increase_);
  r.decreaseName = decreaseName_->text().toStdU16String();
  r.increaseName = increaseName_->text().toStdU16String();
  r.negativeIncrease = negative_->isChecked();
  return r;
}

}  // namespace sorami
