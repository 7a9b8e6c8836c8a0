#include "reports/GraphDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "document/SoramiDoc.h"
#include "ledger/EntryInput.h"
#include "platform/QtText.h"
#include "reports/GraphView.h"
#include "reports/GraphWindow.h"
#include "rules/Calendar.h"

namespace sorami {

namespace {

QString qs(std::u16string_view s) {
  return toQString(s);
}

// The computation of a graph moves through the whole ledger: the pointer says so meanwhile.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

struct PeriodField {
  int id;
  int low;
  int high;
  const char16_t* suffix;
};

constexpr PeriodField kPeriodFields[] = {{521, 1971, 9999, u"年"}, {522, 1, 12, u"月"},
                                         {523, 1, 31, u"日"},      {524, 1971, 9999, u"年"},
                                         {525, 1, 12, u"月"},      {526, 1, 31, u"日"}};

}  // namespace

CGraphDialog::CGraphDialog(CSoramiDoc& document, const HolidayCalendar& holidays, Prompts& prompts,
                           const GraphDialogSetup& setup, QWidget* parent)
    : QDialog(parent),
      document_(document),
      holidays_(holidays),
      prompts_(prompts),
      setup_(setup),
      guideLines_(new QCheckBox(QStringLiteral("ｶﾞｲﾄﾞﾗｲﾝ"), this)),
      fixedMaximum_(new QCheckBox(QStringLiteral("最大値固定"), this)),
      fuzzyNames_(new QCheckBox(QStringLiteral("あいまい"), this)),
      lineGraph_(new QCheckBox(QStringLiteral("折れ線"), this)),
      items_(new QComboBox(this)),
      names_(new QComboBox(this)) {
  setObjectName(QStringLiteral("222"));
  setWindowTitle(QStringLiteral("表,ｸﾞﾗﾌ表示"));
  showGraph = [](CGraphWnd& window) { window.exec(); };
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buildSpan());
  layout->addWidget(buildItems());
  layout->addWidget(buildPeriod());
  layout->addWidget(buildButtons());
  fillItems(setup.selectedItem);
  setPeriod(periodOf(setup.currentDay, document_.config().fixedTotalsPeriod != 0,
                     document_.config().periodSettings(), holidays_));
}

QSpinBox* CGraphDialog::spin(int id, int low, int high, int value, const QString& suffix) {
  auto* box = new QSpinBox;
  box->setObjectName(QString::number(id));
  box->setRange(low, high);
  box->setValue(std::clamp(value, low, high));
  box->setSuffix(suffix);
  fields_.insert(id, box);
  return box;
}

QWidget* CGraphDialog::buildSpan() {
  const CConfig& c = document_.config();
  const GraphSettings s = graphSettingsOf(c);
  const int year = s.endYear >= 1971 ? s.endYear : ymdFromDay(document_.today()).year;
  auto* group = new QGroupBox(QStringLiteral("月間推移"));
  auto* grid = new QGridLayout(group);
  grid->addWidget(spin(863, 1971, 9999, year, QStringLiteral("年")), 0, 0);
  grid->addWidget(spin(876, 1, 12, s.endMonth, QStringLiteral("月まで")), 0, 1);
  grid->addWidget(spin(963, 1, 60, s.months, QStringLiteral("ヶ月")), 0, 2);
  guideLines_->setObjectName(QStringLiteral("871"));
  guideLines_->setChecked(s.guideLines);
  fixedMaximum_->setObjectName(QStringLiteral("872"));
  fixedMaximum_->setChecked(s.fixedMaximum);
  lineGraph_->setObjectName(QStringLiteral("956"));
  lineGraph_->setChecked(s.lineGraph);
  fuzzyNames_->setObjectName(QStringLiteral("879"));
  fuzzyNames_->setChecked(s.fuzzyNames);
  fuzzyNames_->hide();  // kept as the file says, not offered
  grid->addWidget(guideLines_, 1, 0);
  grid->addWidget(lineGraph_, 1, 1);
  grid->addWidget(fixedMaximum_, 2, 0);
  grid->addWidget(spin(873, 1, 9999, s.maximum, QStringLiteral("万")), 2, 1);
  return group;
}

QWidget* CGraphDialog::buildItems() {
  auto* group = new QGroupBox(QStringLiteral("項目・品名"));
  auto* grid = new QGridLayout(group);
  items_->setObjectName(QStringLiteral("531"));
  items_->setEditable(true);
  names_->setObjectName(QStringLiteral("541"));
  names_->setEditable(true);
  grid->addWidget(new QLabel(QStringLiteral("項目")), 0, 0);
  grid->addWidget(items_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("品名")), 1, 0);
  grid->addWidget(names_, 1, 1);
  connect(items_, &QComboBox::currentIndexChanged, this, [this] { fillNames(); });
  return group;
}

QWidget* CGraphDialog::buildPeriod() {
  auto* group = new QGroupBox(QStringLiteral("期間"));
  auto* grid = new QGridLayout(group);
  grid->addWidget(new QLabel(QStringLiteral("開始")), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("終了")), 1, 0);
  for (size_t i = 0; i < std::size(kPeriodFields); ++i) {
    const PeriodField& f = kPeriodFields[i];
    grid->addWidget(spin(f.id, f.low, f.high, f.low, QString::fromUtf16(f.suffix)),
                    static_cast<int>(i / 3), static_cast<int>(i % 3) + 1);
  }
  auto* steps = new QHBoxLayout;
  const std::pair<int, const char16_t*> moves[] = {
      {IDC_PIE_PREVIOUS, u"前月"}, {IDC_PIE_TODAY, u"今月"}, {IDC_PIE_NEXT, u"翌月"}};
  const bool fixed = document_.config().fixedTotalsPeriod != 0;
  for (const auto& [id, label] : moves) {
    auto* b = new QPushButton(QString::fromUtf16(label));
    b->setObjectName(QString::number(id));
    b->setEnabled(!fixed);  // a fixed period does not step
    buttons_.insert(id, b);
    steps->addWidget(b);
  }
  connect(buttons_[IDC_PIE_PREVIOUS], &QPushButton::clicked, this, [this] { stepPeriod(-1); });
  connect(buttons_[IDC_PIE_NEXT], &QPushButton::clicked, this, [this] { stepPeriod(1); });
  connect(buttons_[IDC_PIE_TODAY], &QPushButton::clicked, this, [this] {
    setPeriod(periodOf(document_.today(), false, document_.config().periodSettings(), holidays_));
  });
  grid->addLayout(steps, 2, 1, 1, 3);
  return group;
}

QWidget* CGraphDialog::buildButtons() {
  auto* box = new QWidget;
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  const std::pair<int, const char16_t*> reports[] = {
      {IDC_ANNUAL_SUMMARY, u"総集計表"}, {IDC_ASSETS_GRAPH, u"総資産ｸﾞﾗﾌ"},
      {IDC_EXPENSE_GRAPH, u"支出ｸﾞﾗﾌ"},  {IDC_INCOME_GRAPH, u"収入ｸﾞﾗﾌ"},
      {IDC_ITEM_GRAPH, u"項目ｸﾞﾗﾌ"},     {IDC_NAMES_GRAPH, u"特別ｸﾞﾗﾌ"},
      {IDC_PRODUCT_GRAPH, u"品名ｸﾞﾗﾌ"},  {IDC_PIE_GRAPH, u"期間ｸﾞﾗﾌ"},
      {IDC_ITEM_SETTINGS, u"項目設定"},  {2, u"閉じる"}};
  int n = 0;
  for (const auto& [id, label] : reports) {
    auto* b = new QPushButton(QString::fromUtf16(label));
    b->setObjectName(QString::number(id));
    b->setAutoDefault(false);
    buttons_.insert(id, b);
    grid->addWidget(b, n / 5, n % 5);
    ++n;
  }
  connect(buttons_[IDC_ANNUAL_SUMMARY], &QPushButton::clicked, this, [this] {
    storeDrawingSettings();
    const GraphSettings s = settings();
    if (openAnnualSummary) openAnnualSummary({s.endYear, s.endMonth}, s.months);
  });
  const std::pair<int, GraphKind> trends[] = {
      {IDC_ASSETS_GRAPH, GraphKind::Assets}, {IDC_EXPENSE_GRAPH, GraphKind::Expense},
      {IDC_INCOME_GRAPH, GraphKind::Income}, {IDC_ITEM_GRAPH, GraphKind::Item},
      {IDC_NAMES_GRAPH, GraphKind::Names},   {IDC_PRODUCT_GRAPH, GraphKind::Product}};
  for (const auto& [id, kind] : trends) {
    connect(buttons_[id], &QPushButton::clicked, this, [this, kind = kind] { openTrend(kind); });
  }
  connect(buttons_[IDC_PIE_GRAPH], &QPushButton::clicked, this, [this] { openPie(); });
  connect(buttons_[IDC_ITEM_SETTINGS], &QPushButton::clicked, this, [this] {
    if (!openItemSettings) return;
    const uint16_t selected =
        items_->currentIndex() >= 0 ? itemNumbers_[static_cast<size_t>(items_->currentIndex())] : 0;
    openItemSettings();
    fillItems(selected);
  });
  connect(buttons_[2], &QPushButton::clicked, this, &QDialog::accept);
  return box;
}

QPushButton* CGraphDialog::button(int id) const {
  return buttons_.value(id);
}

QSpinBox* CGraphDialog::field(int id) const {
  return fields_.value(id);
}

void CGraphDialog::fillItems(uint16_t selected) {
  const QSignalBlocker block(items_);
  items_->clear();
  itemNumbers_.clear();
  const CHinmeiList& store = *document_.entries();
  for (int slot = 0; slot < store.itemCount(); ++slot) {
    const CHinmei* def = store.itemAt(slot);
    items_->addItem(qs(def->name));
    itemNumbers_.push_back(def->item);
    if (def->item == selected) items_->setCurrentIndex(slot);
  }
  fillNames();
}

void CGraphDialog::fillNames() {
  names_->clear();
  const int index = items_->currentIndex();
  if (index < 0) return;
  CHinmeiList& store = *document_.entries();
  const CHinmei* def = store.itemByNumber(itemNumbers_[static_cast<size_t>(index)]);
  if (def == nullptr) return;
  for (const std::u16string& name : store.specialNameTexts(def->item)) names_->addItem(qs(name));
}

void CGraphDialog::setPeriod(const Period& period) {
  int parts[6] = {};
  fillDateParts(period.first, &parts[0], &parts[1], &parts[2]);
  fillDateParts(period.last, &parts[3], &parts[4], &parts[5]);
  for (size_t i = 0; i < std::size(kPeriodFields); ++i) {
    fields_[kPeriodFields[i].id]->setValue(parts[i]);
  }
}

void CGraphDialog::stepPeriod(int direction) {
  auto dateAt = [this](int first) {
    return clampDay(fields_[first]->value(), fields_[first + 1]->value(),
                    fields_[first + 2]->value());
  };
  const Day from = direction < 0 ? addDays(dateAt(521), -1) : addDays(dateAt(524), 1);
  setPeriod(periodOf(from, false, document_.config().periodSettings(), holidays_));
}

GraphSettings CGraphDialog::settings() const {
  GraphSettings s = graphSettingsOf(document_.config());
  s.endYear = fields_[863]->value();
  s.endMonth = fields_[876]->value();
  s.months = fields_[963]->value();
  s.guideLines = guideLines_->isChecked();
  s.fixedMaximum = fixedMaximum_->isChecked();
  s.maximum = fields_[873]->value();
  s.fuzzyNames = fuzzyNames_->isChecked();
  s.lineGraph = lineGraph_->isChecked();
  return s;
}

// The drawing settings are kept at every report, the span when the dialog closes.
void CGraphDialog::storeDrawingSettings() {
  CConfig& c = document_.config();
  c.graphGuideLines = guideLines_->isChecked() ? 1 : 0;
  c.graphFixedMaximum = fixedMaximum_->isChecked() ? 1 : 0;
  c.graphMaximum = fields_[873]->value();
  c.graphLine = lineGraph_->isChecked() ? 1 : 0;
}

void CGraphDialog::done(int result) {
  CConfig& c = document_.config();
  c.settingsYear = fields_[863]->value();
  c.graphEndMonth = fields_[876]->value();
  c.graphMonthCount = fields_[963]->value();
  c.graphFuzzyNames = fuzzyNames_->isChecked() ? 1 : 0;
  QDialog::done(result);
}

uint16_t CGraphDialog::comboSide() const {
  const int index = items_->currentIndex();
  if (index < 0) return EF_DIRECTION_MASK;
  const CHinmei* def = document_.entries()->itemByNumber(itemNumbers_[static_cast<size_t>(index)]);
  return def != nullptr ? (def->flags & EF_DIRECTION_MASK) : EF_DIRECTION_MASK;
}

GraphDrawing CGraphDialog::drawingOf(std::optional<TrendGraph> trend,
                                     std::optional<PieGraph> pie) const {
  const CConfig& c = document_.config();
  GraphDrawing d;
  d.scale = scaleOptionsOf(settings(), c.decimalPlaces, c.currencySymbol);
  if (trend) d.scale.lines = trend->lines;
  d.trend = std::move(trend);
  d.pie = std::move(pie);
  d.monochrome = setup_.monochrome;
  return d;
}

void CGraphDialog::show(GraphDrawing drawing) {
  CGraphWnd window(std::move(drawing), prompts_, this);
  window.view()->openSpecialNames = [this](uint16_t item) { openSpecialNames(item); };
  showGraph(window);
}

void CGraphDialog::openTrend(GraphKind kind) {
  storeDrawingSettings();
  GraphRequest request = GraphRequest::ofItem(kind, items_->currentText().toStdU16String(),
                                              comboSide(), names_->currentText().toStdU16String());
  // The special names belong to the item chosen in the list.
  if (kind == GraphKind::Names && items_->currentIndex() >= 0 &&
      items_->currentText() == items_->itemText(items_->currentIndex())) {
    request.item = itemNumbers_[static_cast<size_t>(items_->currentIndex())];
  }
  GraphResult result;
  {
    const BusyCursor busy;
    result = buildTrendGraph(*document_.entries(), request, settings(),
                             document_.config().periodSettings(), holidays_, document_.today());
  }
  if (!result.graph) {
    prompts_.inform(*result.refused, {}, Icon::Warning);
    return;
  }
  show(drawingOf(std::move(result.graph), std::nullopt));
}

void CGraphDialog::openSpecialNames(uint16_t item) {
  GraphResult result;
  {
    const BusyCursor busy;
    result = buildTrendGraph(*document_.entries(), GraphRequest::namesOf(item), settings(),
                             document_.config().periodSettings(), holidays_, document_.today());
  }
  if (!result.graph) {
    prompts_.inform(*result.refused, {}, Icon::Warning);
    return;
  }
  show(drawingOf(std::move(result.graph), std::nullopt));
}

void CGraphDialog::openPie() {
  storeDrawingSettings();
  auto dateAt = [this](int first) {
    return clampDay(fields_[first]->value(), fields_[first + 1]->value(),
                    fields_[first + 2]->value());
  };
  PieGraph pie;
  {
    const BusyCursor busy;
    pie = buildPieGraph(*document_.entries(), dateAt(521), dateAt(524));
  }
  show(drawingOf(std::nullopt, std::move(pie)));
}

}  // namespace sorami
