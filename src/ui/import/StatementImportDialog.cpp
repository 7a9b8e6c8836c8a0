#include "import/StatementImportDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "import/StatementModel.h"
#include "ledger/EntryInput.h"
#include "platform/Prompts.h"

namespace sorami {

namespace {

QString text(const std::u16string& t) {
  return QString::fromStdU16String(t);
}

std::u16string u16Text(const QString& t) {
  return t.toStdU16String();
}

// The item column edited with a choice of the items of the line's side; a choice is taken at
// once, so one click and one choice change a line.
class ItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    auto* box = new QComboBox(parent);
    const auto* model = static_cast<const StatementModel*>(index.model());
    for (const auto& [name, item] : model->itemChoices(index.row())) box->addItem(name, item);
    connect(box, &QComboBox::activated, this, [this, box] {
      auto* self = const_cast<ItemDelegate*>(this);
      emit self->commitData(box);
      emit self->closeEditor(box);
    });
    return box;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    auto* box = static_cast<QComboBox*>(editor);
    box->setCurrentIndex(box->findData(index.data(Qt::EditRole)));
  }
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    const auto* box = static_cast<QComboBox*>(editor);
    if (box->currentIndex() >= 0) model->setData(index, box->currentData(), Qt::EditRole);
  }
};

// The money targets the file has: the cash, every account, every loan.
void fillMoney(QComboBox* box, CHinmeiList& store) {
  box->addItem(QStringLiteral("現金"), QStringList{QStringLiteral("cash"), QString()});
  const struct {
    TransferKind kind;
    const char16_t* label;
    const char* word;
  } kinds[] = {{TransferKind::Savings, u"口座: ", "account"},
               {TransferKind::Loan, u"借入: ", "loan"}};
  for (const auto& k : kinds) {
    const CHinmei* pseudo = store.itemByDirection(kindFlag(k.kind) | EF_EXPENSE);
    if (pseudo == nullptr) continue;
    for (const std::u16string& name : store.specialNameTexts(pseudo->item)) {
      box->addItem(QString::fromUtf16(k.label) + text(name),
                   QStringList{QString::fromLatin1(k.word), text(name)});
    }
  }
}

}  // namespace

StatementImportDialog::StatementImportDialog(
    CHinmeiList& store, int decimalPlaces, Prompts& prompts,
    const std::vector<std::filesystem::path>& profileFolders, QWidget* parent)
    : QDialog(parent),
      store_(store),
      decimalPlaces_(decimalPlaces),
      prompts_(prompts),
      choices_(listProfiles(profileFolders)),
      file_(new QLineEdit),
      profiles_(new QComboBox),
      money_(new QComboBox),
      table_(new QTableView),
      model_(new StatementModel(store, decimalPlaces, this)),
      summary_(new QLabel),
      skipRefused_(new QCheckBox(QStringLiteral("取り込めない行を飛ばして取り込む"))),
      import_(new QPushButton(QStringLiteral("取り込む"))) {
  setWindowTitle(QStringLiteral("明細の取り込み"));
  auto* browse = new QPushButton(QStringLiteral("参照..."));
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(file_, 1);
  fileRow->addWidget(browse);
  for (const ProfileChoice& c : choices_) {
    profiles_->addItem(text(c.title), QString::fromStdU16String(c.path.u16string()));
  }
  fillMoney(money_, store_);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("明細ファイル"), fileRow);
  form->addRow(QStringLiteral("取り込み設定"), profiles_);
  form->addRow(QStringLiteral("取り込み先"), money_);

  table_->setModel(model_);
  table_->setItemDelegateForColumn(StatementModel::ColItem, new ItemDelegate(table_));
  // A click on an item opens its choice; the keyboard opens it with F2 or by typing. Arriving at
  // the cell does not: the arrow keys would then choose the item of every line they pass.
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                          QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  connect(table_, &QAbstractItemView::clicked, table_, [this](const QModelIndex& index) {
    if (index.column() == StatementModel::ColItem) table_->edit(index);
  });
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  summary_->setWordWrap(true);

  auto* buttons = new QDialogButtonBox;
  buttons->addButton(import_, QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(table_, 1);
  layout->addWidget(summary_);
  layout->addWidget(skipRefused_);
  layout->addWidget(buttons);
  resize(880, 520);

  connect(browse, &QPushButton::clicked, this, &StatementImportDialog::chooseFile);
  connect(file_, &QLineEdit::editingFinished, this, &StatementImportDialog::refresh);
  connect(profiles_, &QComboBox::currentIndexChanged, this, &StatementImportDialog::profileChosen);
  connect(money_, &QComboBox::currentIndexChanged, this, &StatementImportDialog::refresh);
  connect(skipRefused_, &QCheckBox::toggled, this, &StatementImportDialog::updateState);
  connect(model_, &StatementModel::itemChosen, this, &StatementImportDialog::updateState);
  connect(buttons, &QDialogButtonBox::accepted, this, &StatementImportDialog::importLines);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  profileChosen();
}

void StatementImportDialog::chooseFile() {
  const QString start =
      file_->text().isEmpty() ? QString() : QFileInfo(file_->text()).absolutePath();
  const QString path = QFileDialog::getOpenFileName(
      this, QStringLiteral("明細ファイルを開く"), start,
      QStringLiteral("明細 (*.csv *.txt *.tsv);;すべてのファイル (*)"));
  if (!path.isEmpty()) setStatementFile(path);
}

void StatementImportDialog::setStatementFile(const QString& path) {
  file_->setText(path);
  refresh();
}

void StatementImportDialog::profileChosen() {
  profile_.reset();
  problem_.reset();
  const int index = profiles_->currentIndex();
  if (index < 0) {
    problem_ = Refusal{MessageId::ProfileNotFound, {u"*.profile"}};
  } else {
    ProfileRead read = loadProfile(profiles_->itemData(index).toString().toStdU16String());
    if (read.profile) {
      profile_ = std::move(read.profile);
      selectMoney(profile_->money);
    } else {
      problem_ = read.error;
    }
  }
  refresh();
}

// The profile's target; without a name the first account or loan of its kind.
void StatementImportDialog::selectMoney(const MoneyTarget& wanted) {
  const QSignalBlocker block(money_);
  const QString word = wanted.kind == TransferKind::None      ? QStringLiteral("cash")
                       : wanted.kind == TransferKind::Savings ? QStringLiteral("account")
                                                              : QStringLiteral("loan");
  for (int i = 0; i < money_->count(); ++i) {
    const QStringList data = money_->itemData(i).toStringList();
    if (data.value(0) == word && (wanted.name.empty() || data.value(1) == text(wanted.name))) {
      money_->setCurrentIndex(i);
      return;
    }
  }
  money_->setCurrentIndex(-1);
}

std::optional<MoneyTarget> StatementImportDialog::chosenMoney() const {
  if (money_->currentIndex() < 0) return std::nullopt;
  const QStringList data = money_->currentData().toStringList();
  const QString& word = data.value(0);
  const TransferKind kind = word == QLatin1String("account") ? TransferKind::Savings
                            : word == QLatin1String("loan")  ? TransferKind::Loan
                                                             : TransferKind::None;
  return MoneyTarget{kind, u16Text(data.value(1))};
}

void StatementImportDialog::refresh() {
  model_->setPreview({});
  outcome_.reset();
  std::optional<Refusal> problem = problem_;
  std::optional<MoneyTarget> money = chosenMoney();
  if (!problem && !money && profile_) {
    MoneyTarget wanted = profile_->money;
    problem = resolveMoneyTarget(store_, wanted);
    if (!problem) problem = Refusal{MessageId::StatementMoneyUnnamed, {u"口座か借入"}};
  } else if (!problem && money) {
    problem = resolveMoneyTarget(store_, *money);
  }
  const QString path = file_->text().trimmed();
  if (!problem && profile_ && money && !path.isEmpty()) {
    const StatementFile file = loadStatementFile(path.toStdU16String());
    if (file.failure) {
      problem = file.failure;
    } else {
      model_->setPreview(previewStatement(file.bytes, *profile_, store_, *money, decimalPlaces_));
      table_->resizeColumnsToContents();
    }
  }
  shownProblem_ = problem;
  updateState();
}

void StatementImportDialog::updateState() {
  const StatementPreview& p = model_->preview();
  const size_t fresh = p.count(LineStatus::New);
  const size_t refused = p.count(LineStatus::Refused);
  QString words = shownProblem_ ? text(shownProblem_->text()) : QString();
  if (p.failure) words = text(p.failure->text());
  if (words.isEmpty() && !p.lines.empty()) {
    words = QStringLiteral("新規 %1 行、取り込み済み %2 行、取り込めない行 %3 行")
                .arg(fresh)
                .arg(p.count(LineStatus::Duplicate))
                .arg(refused);
  }
  summary_->setText(words);
  skipRefused_->setEnabled(refused > 0);
  import_->setEnabled(!p.failure && fresh > 0 && (refused == 0 || skipRefused_->isChecked()));
}

void StatementImportDialog::importLines() {
  if (!import_->isEnabled()) return;
  const StatementOutcome done =
      importStatement(store_, model_->preview(), skipRefused_->isChecked());
  outcome_ = done;
  if (done.failure) {
    prompts_.inform(done.failure->id, done.failure->args, Icon::Warning);
    updateState();
    return;
  }
  prompts_.inform(MessageId::StatementImported,
                  {u16Text(QString::number(done.added)), u16Text(QString::number(done.duplicates)),
                   u16Text(QString::number(done.refused))},
                  Icon::Information);
  accept();
}

}  // namespace sorami
