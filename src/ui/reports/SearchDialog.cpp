#include "reports/SearchDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "config/Config.h"
#include "input/ChoiceBox.h"
#include "platform/Prompts.h"
#include "platform/QtText.h"
#include "reports/SearchResults.h"
#include "rules/Calendar.h"

namespace sorami {

namespace {

constexpr int kFirstYear = 1971;
constexpr int kLastYear = 9999;

QSpinBox* spin(int low, int high, const QString& suffix) {
  auto* s = new QSpinBox;
  s->setRange(low, high);
  s->setSuffix(suffix);
  s->setAccelerated(true);
  return s;
}

QString summary(const SearchResult& result, int decimalPlaces) {
  return QString::fromStdU16String(searchSummary(result, decimalPlaces));
}

}  // namespace

CSearchDialog::CSearchDialog(CHinmeiList& store, const CConfig& config, Prompts& prompts,
                             const SearchStart& start, QWidget* parent)
    : QDialog(parent),
      store_(store),
      config_(config),
      prompts_(prompts),
      item_(new QComboBox),
      keyword_(new QComboBox),
      memo_(new QCheckBox(QStringLiteral("備考内の文字も検索する(&B)"))),
      from_(dateFields()),
      to_(dateFields()),
      list_(new QListView),
      results_(new CSearchResults(this)),
      summary_(new QLabel(QStringLiteral("( 0件, 合計 0　 )"))) {
  setWindowTitle(QStringLiteral("ﾃﾞｰﾀ検索"));
  setModal(true);
  item_->addItem(QStringLiteral("全項目"));
  for (int slot = 0; slot < store.itemCount(); ++slot) {
    const CHinmei* def = store.itemAt(slot);
    item_->addItem(toQString(def->name), def->item);
    if (start.item && def->item == *start.item) item_->setCurrentIndex(item_->count() - 1);
  }
  keyword_->setEditable(true);
  keyword_->setInsertPolicy(QComboBox::NoInsert);
  keyword_->lineEdit()->setMaxLength(static_cast<int>(kSearchKeywordLimit));
  refillKeywords();
  keyword_->setEditText(QString::fromStdU16String(start.keyword));
  connect(item_, &QComboBox::currentIndexChanged, this, [this] { refillKeywords(); });
  setFrom(start.from);
  setTo(start.to);

  list_->setModel(results_);
  list_->setItemDelegate(new CSearchResultDelegate(list_));
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setMinimumSize(list_->fontMetrics().averageCharWidth() * 80,
                        list_->fontMetrics().height() * 14);
  connect(list_, &QListView::doubleClicked, this,
          [this](const QModelIndex& index) { lineActivated(index.row()); });
  connect(list_, &QListView::activated, this,
          [this](const QModelIndex& index) { lineActivated(index.row()); });

  auto* go = new QPushButton(QStringLiteral("検索開始"));
  go->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"));
  cancel->setAutoDefault(false);
  connect(go, &QPushButton::clicked, this, &CSearchDialog::runSearch);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* itemLabel = new QLabel(QStringLiteral("項目(&K)"));
  itemLabel->setBuddy(item_);
  auto* keywordLabel = new QLabel(QStringLiteral("ｷｰﾜｰﾄﾞ(&W)"));
  keywordLabel->setBuddy(keyword_);
  auto* fields = new QGridLayout;
  fields->addWidget(itemLabel, 0, 0);
  fields->addWidget(item_, 0, 1, 1, 3);
  fields->addWidget(keywordLabel, 1, 0);
  fields->addWidget(keyword_, 1, 1, 1, 3);
  fields->addWidget(memo_, 2, 1, 1, 3);
  fields->addWidget(new QLabel(QStringLiteral("期間")), 3, 0);
  auto* period = new QHBoxLayout;
  for (QSpinBox* s : {from_.year, from_.month, from_.day}) period->addWidget(s);
  period->addWidget(new QLabel(QStringLiteral("～")));
  for (QSpinBox* s : {to_.year, to_.month, to_.day}) period->addWidget(s);
  period->addStretch();
  fields->addLayout(period, 3, 1, 1, 3);
  fields->addWidget(go, 0, 4);
  fields->addWidget(cancel, 1, 4);

  auto* heading = new QLabel(
      QStringLiteral("    日付       項目名　　 品名　　　　　　　　　     　金額　　備考"));
  heading->setFont(list_->font());
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(heading);
  layout->addWidget(list_, 1);
  layout->addWidget(summary_);
}

CSearchDialog::DateFields CSearchDialog::dateFields() {
  return {spin(kFirstYear, kLastYear, QStringLiteral("年")), spin(1, 12, QStringLiteral("月")),
          spin(1, 31, QStringLiteral("日"))};
}

void CSearchDialog::setFields(const DateFields& f, Day day) {
  const Ymd d = ymdFromDay(clampToUserDays(day));
  f.year->setValue(d.year);
  f.month->setValue(d.month);
  f.day->setValue(d.day);
}

Day CSearchDialog::readFields(const DateFields& f) {
  return searchFieldDay(f.year->value(), f.month->value(), f.day->value());
}

void CSearchDialog::setFrom(Day day) {
  setFields(from_, day);
}

void CSearchDialog::setTo(Day day) {
  setFields(to_, day);
}

Day CSearchDialog::fromFields() const {
  return readFields(from_);
}

Day CSearchDialog::toFields() const {
  return readFields(to_);
}

QString CSearchDialog::summaryText() const {
  return summary_->text();
}

std::optional<uint16_t> CSearchDialog::chosenItem() {
  if (item_->currentIndex() < 0) item_->setCurrentIndex(0);
  if (item_->currentIndex() == 0) return std::nullopt;
  return static_cast<uint16_t>(item_->currentData().toInt());
}

void CSearchDialog::refillKeywords() {
  const std::optional<uint16_t> item = chosenItem();
  fillChoiceBox(keyword_, store_,
                item ? std::optional<int>(*item) : std::optional<int>(std::nullopt));
}

void CSearchDialog::runSearch() {
  SearchRequest request;
  request.from = fromFields();
  request.to = toFields();
  request.item = chosenItem();
  request.keyword = keyword_->currentText().toStdU16String();
  request.memo = memo_->isChecked();
  results_->clear();
  SearchResult result = searchLedger(store_, request);
  // The fields show the period as it was searched.
  setFrom(result.from);
  setTo(result.to);
  if (result.status == SearchResult::Status::NoData) {
    prompts_.inform(MessageId::SearchNoData, {}, Icon::Information);
    return;
  }
  if (result.stoppedAtLimit) prompts_.inform(MessageId::SearchTooManyLines, {}, Icon::Warning);
  summary_->setText(summary(result, config_.decimalPlaces));
  results_->setLines(&store_, std::move(result.lines), config_.decimalPlaces);
  if (result.status == SearchResult::Status::NothingFound) {
    prompts_.inform(MessageId::SearchNothingFound, {}, Icon::Information);
  }
}

void CSearchDialog::lineActivated(int row) {
  if (chosen_ || row < 0 || row >= results_->rowCount()) return;
  chosen_ = results_->line(row);
  accept();
}

}  // namespace sorami
