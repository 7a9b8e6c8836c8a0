#include "input/CalculatorPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "config/Config.h"
#include "input/ParsedEdit.h"
#include "platform/AppSettings.h"
#include "platform/Prompts.h"
#include "platform/WindowPos.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

constexpr int32_t kTaxFieldLimit = 9999999;
constexpr int kOpeningModeKept = 3;

QString qs(const char16_t* text) {
  return QString::fromUtf16(text);
}

CParsedEdit* numericField(int32_t limit) {
  auto* field = new CParsedEdit;
  field->calculator().settings().lowest = -limit;
  field->calculator().settings().highest = limit;
  return field;
}

QComboBox* nameBox() {
  auto* box = new QComboBox;
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setMinimumContentsLength(10);
  return box;
}

}  // namespace

CCalculatorPanel::CCalculatorPanel(AppSettings* settings, QWidget* parent)
    : QDialog(parent, Qt::Tool),
      settings_(settings),
      gross_(numericField(999999999)),
      amount_(numericField(999999999)),
      tax_(numericField(kTaxFieldLimit)) {
  setObjectName(QString::number(IDD_CALCULATOR));
  setWindowTitle(QStringLiteral(" 電卓"));
  setModal(false);
  for (CParsedEdit* field : {gross_, amount_, tax_})
    field->calculator().settings().separators = true;
  gross_->setObjectName(QStringLiteral("gross"));
  amount_->setObjectName(QStringLiteral("amount"));
  tax_->setObjectName(QStringLiteral("tax"));
  // The figures follow every key typed into the amount or the gross field, not the tax field:
  // a tax typed by hand stays as typed.
  for (CParsedEdit* field : {gross_, amount_}) {
    connect(field, &CParsedEdit::keyTyped, this, &CCalculatorPanel::recompute);
    connect(field, &QLineEdit::textEdited, this, &CCalculatorPanel::recompute);
  }

  auto* figures = new QGridLayout;
  grossLabel_ = new QLabel(QStringLiteral("数値"));
  figures->addWidget(grossLabel_, 0, 0);
  figures->addWidget(gross_, 0, 1);
  figures->addWidget(amount_, 1, 0, 1, 2);

  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(2);
  layout->addLayout(figures);
  layout->addWidget(buildTaxControls());
  layout->addWidget(buildKeypad());
  layout->addWidget(buildWriteButtons());
  QApplication::instance()->installEventFilter(this);
  showMode();
}

CCalculatorPanel::~CCalculatorPanel() {
  QApplication::instance()->removeEventFilter(this);
  if (isVisible()) saveSettings();
}

QPushButton* CCalculatorPanel::addKey(const QString& label, const std::function<void()>& act) {
  auto* button = new QPushButton(label);
  button->setObjectName(label);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, act);
  return button;
}

QWidget* CCalculatorPanel::buildTaxControls() {
  auto* box = new QWidget;
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(2);
  modeButton_ = addKey(QStringLiteral("税モード"), [this] { cycleMode(); });
  roundingButton_ = addKey(QStringLiteral("端数"), [this] { cycleRounding(); });
  tenYenBox_ = new QCheckBox(QStringLiteral("10円未満切捨"));
  tenYenBox_->setFocusPolicy(Qt::NoFocus);
  connect(tenYenBox_, &QCheckBox::toggled, this, [this](bool on) {
    state_.setTenYen(on);
    recompute();
  });
  // Shift held writes the tax at once instead of adding it to the amount.
  QPushButton* intoAmount = addKey(QStringLiteral("←税"), [this] {
    if (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) {
      writeTaxNow();
    } else {
      taxIntoAmount();
    }
  });
  grid->addWidget(modeButton_, 0, 0);
  grid->addWidget(roundingButton_, 0, 1);
  grid->addWidget(tenYenBox_, 0, 2, 1, 2);
  grid->addWidget(tax_, 1, 0, 1, 3);
  grid->addWidget(intoAmount, 1, 3);
  return box;
}

QWidget* CCalculatorPanel::buildKeypad() {
  auto* pad = new QWidget;
  auto* grid = new QGridLayout(pad);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(2);
  const auto typed = [this](std::u16string_view keys) {
    return [this, keys] {
      for (char16_t c : keys) press(c);
    };
  };
  const struct {
    const char16_t* label;
    std::u16string_view keys;
    int row, column;
  } keys[] = {
      {u"７", u"7", 1, 0}, {u"８", u"8", 1, 1},     {u"９", u"9", 1, 2},    {u"÷", u"/", 1, 3},
      {u"４", u"4", 2, 0}, {u"５", u"5", 2, 1},     {u"６", u"6", 2, 2},    {u"×", u"*", 2, 3},
      {u"１", u"1", 3, 0}, {u"２", u"2", 3, 1},     {u"３", u"3", 3, 2},    {u"－", u"-", 3, 3},
      {u"０", u"0", 4, 0}, {u"00", u"00", 4, 1},    {u"＋", u"+", 4, 3},    {u"%", u"%", 3, 4},
      {u"＝", u"=", 4, 4}, {u"AC(&A)", u"A", 1, 4}, {u"C(&C)", u"C", 2, 4},
  };
  for (const auto& k : keys) grid->addWidget(addKey(qs(k.label), typed(k.keys)), k.row, k.column);
  // "000", or the decimal point when amounts have decimal places.
  pointButton_ = addKey(QStringLiteral("000"), [this] {
    if (amount_->calculator().settings().decimalPlaces > 0) {
      press(u'.');
    } else {
      for (int i = 0; i < 3; ++i) press(u'0');
    }
  });
  grid->addWidget(pointButton_, 4, 2);
  grid->addWidget(addKey(QStringLiteral("±"), [this] { negate(); }), 0, 4);
  const auto storeMemory = [this] {
    const int64_t shown = display()->value();
    if (amount_->calculator().checkFits(shown)) state_.setMemory(static_cast<int32_t>(shown));
  };
  const auto addToMemory = [this] { state_.addToMemory(display()->value(), prompts_); };
  const struct {
    const char16_t* label;
    std::function<void()> act;
  } memoryKeys[] = {
      {u"&MC", [this] { state_.setMemory(0); }},
      {u"M&R", [this] { display()->showOperand(state_.memory()); }},
      {u"M&S", storeMemory},
      {u"M+", addToMemory},
  };
  int column = 0;
  for (const auto& m : memoryKeys) grid->addWidget(addKey(qs(m.label), m.act), 0, column++);
  autoButton_ = addKey(QStringLiteral("A Off"), [this] {
    state_.autoMemory = !state_.autoMemory;
    autoButton_->setText(state_.autoMemory ? QStringLiteral("A On") : QStringLiteral("A Off"));
    if (config_) config_->calculatorToggle = state_.autoMemory ? 1 : 0;
  });
  grid->addWidget(autoButton_, 5, 0, 1, 2);
  return pad;
}

QWidget* CCalculatorPanel::buildWriteButtons() {
  auto* box = new QWidget;
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(2);
  accounts_ = nameBox();
  loans_ = nameBox();
  const struct {
    WriteButton which;
    QComboBox* names;
    int row;
  } rows[] = {{WriteButton::Cash, nullptr, 0},
              {WriteButton::Account, accounts_, 1},
              {WriteButton::Loan, loans_, 2}};
  for (const auto& r : rows) {
    auto* button = new QPushButton;
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, which = r.which] { write(which); });
    writes_[static_cast<size_t>(r.which)] = button;
    grid->addWidget(button, r.row, 0);
    if (r.names) {
      grid->addWidget(r.names, r.row, 1);
      // A name chosen from the list writes at once, as the button would.
      connect(r.names, &QComboBox::activated, this, [this, which = r.which] { write(which); });
      connect(r.names, &QComboBox::editTextChanged, this, &CCalculatorPanel::showDefaultButton);
    }
  }
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"));
  cancel->setAutoDefault(false);
  cancel->setFocusPolicy(Qt::NoFocus);
  connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
  grid->addWidget(cancel, 0, 1);
  setIncome(false);
  return box;
}

void CCalculatorPanel::setUp(CConfig& config) {
  config_ = &config;
  for (CParsedEdit* field : {gross_, amount_, tax_}) {
    ParsedCalc::Settings& s = field->calculator().settings();
    s.decimalPlaces = clampDecimalPlaces(config.decimalPlaces);
    s.precedence = config.operatorPrecedence != 0;
    s.pointKey = config.keypadPointKey;
    s.tax = config.taxSettings();
    field->calculator().setPrompts(prompts_);
  }
  pointButton_->setText(config.decimalPlaces > 0 ? QStringLiteral(".") : QStringLiteral("000"));
  state_.autoMemory = config.calculatorToggle != 0;
  autoButton_->setText(state_.autoMemory ? QStringLiteral("A On") : QStringLiteral("A Off"));
  showDefaultButton();
}

void CCalculatorPanel::setNames(const QStringList& accounts, const QStringList& loans) {
  const QString account = accounts_->currentText();
  const QString loan = loans_->currentText();
  accounts_->clear();
  accounts_->addItems(accounts);
  loans_->clear();
  loans_->addItems(loans);
  accounts_->setEditText(account);
  loans_->setEditText(loan);
}

void CCalculatorPanel::setIncome(bool income) {
  income_ = income;
  const char16_t* expenseLabels[] = {u"現金から", u"借入から", u"口座から"};
  const char16_t* incomeLabels[] = {u"現金へ", u"借入返済", u"口座へ"};
  for (size_t i = 0; i < writes_.size(); ++i) {
    writes_[i]->setText(qs(income ? incomeLabels[i] : expenseLabels[i]));
  }
}

void CCalculatorPanel::setAccountName(const QString& name) {
  accounts_->setEditText(name);
}

void CCalculatorPanel::setLoanName(const QString& name) {
  loans_->setEditText(name);
}

QString CCalculatorPanel::accountName() const {
  return accounts_->currentText().trimmed();
}

QString CCalculatorPanel::loanName() const {
  return loans_->currentText().trimmed();
}

QPushButton* CCalculatorPanel::writeButton(WriteButton button) const {
  return writes_[static_cast<size_t>(button)];
}

QPushButton* CCalculatorPanel::key(const QString& label) const {
  return findChild<QPushButton*>(label);
}

WriteButton CCalculatorPanel::defaultButton() const {
  return defaultWriteButton(!accountName().isEmpty(), !loanName().isEmpty(),
                            config_ && config_->calculatorCashDefault != 0);
}

void CCalculatorPanel::showDefaultButton() {
  const WriteButton chosen = defaultButton();
  for (size_t i = 0; i < writes_.size(); ++i) {
    writes_[i]->setDefault(static_cast<size_t>(chosen) == i);
  }
}

// ---- Opening and closing.

void CCalculatorPanel::openPanel(bool fresh) {
  if (!isVisible()) {
    const TaxSettings tax = config_ ? config_->taxSettings() : TaxSettings{};
    const int opening = config_ ? config_->calculatorTaxMode : kOpeningModeKept;
    const int last = config_ ? config_->calculatorTaxState : TAX_EXCLUDED;
    const bool autoMemory = state_.autoMemory;
    const int32_t memory = state_.memory();
    state_ = CalculatorState::opening(tax, opening, last);
    state_.autoMemory = autoMemory;
    state_.setMemory(memory);
    if (config_) config_->calculatorTaxState = state_.mode();
    const QSignalBlocker block(tenYenBox_);
    tenYenBox_->setChecked(state_.tenYen());
    // The memory is kept as the whole number it was written as: read as an amount with
    // decimal places it would grow a hundredfold with every opening.
    if (settings_) {
      bool ok = false;
      const qlonglong memory = settings_->calculatorMemory().trimmed().toLongLong(&ok);
      state_.setMemory(
          ok && memory >= INT32_MIN && memory <= INT32_MAX ? static_cast<int32_t>(memory) : 0);
    }
    showMode();
    place();
    show();
    // Shown, the window has its frame: held inside the screen with it.
    keepOnScreen();
  }
  raise();
  activateWindow();
  CParsedEdit* field = display();
  field->setFocus();
  if (fresh) {
    field->clear();
    field->calculator().clearAll();
    recompute();
  }
  field->selectAll();
}

// Where the user left it, or beside the main window's bottom right; always on the screen.
void CCalculatorPanel::place() {
  adjustSize();
  QPoint at;
  if (const std::optional<QPoint> stored = settings_ ? settings_->calculatorPos() : std::nullopt) {
    at = *stored;
  } else if (QWidget* owner = parentWidget()) {
    const QRect frame = owner->window()->frameGeometry();
    at = QPoint(frame.right() - width(), frame.bottom() - height());
  } else {
    at = pos();
  }
  move(at);
  keepOnScreen();
}

void CCalculatorPanel::keepOnScreen() {
  const QRect frame = frameGeometry();
  const QScreen* screen = QGuiApplication::screenAt(frame.topLeft());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QPoint at = keptOnScreen(frame, screen->availableGeometry());
  if (at != frame.topLeft()) move(pos() + (at - frame.topLeft()));
}

void CCalculatorPanel::hideEvent(QHideEvent* event) {
  saveSettings();
  QDialog::hideEvent(event);
}

void CCalculatorPanel::saveSettings() {
  if (!settings_) return;
  settings_->setCalculatorPos(pos());
  settings_->setCalculatorMemory(QString::number(state_.memory()));
}

// ---- Figures.

CParsedEdit* CCalculatorPanel::display() const {
  return state_.mode() == TAX_INSIDE ? gross_ : amount_;
}

CParsedEdit* CCalculatorPanel::target() const {
  QWidget* focus = QApplication::focusWidget();
  if (focus == tax_ && tax_->isEnabled()) return tax_;
  return display();
}

void CCalculatorPanel::press(char16_t c) {
  target()->typeChar(c);
}

void CCalculatorPanel::recompute() {
  const int64_t typed = display()->value();
  const CalculatorFigures f = state_.figures(typed);
  const auto written = std::make_tuple(typed, state_.mode(), state_.rounding(), state_.tenYen());
  if (taxWrittenFor_ && *taxWrittenFor_ != written) taxWrittenFor_.reset();
  const ParsedCalc& calc = amount_->calculator();
  if (state_.mode() == TAX_INSIDE)
    amount_->showText(QString::fromStdU16String(calc.format(f.amount)));
  tax_->showText(taxWrittenFor_ ? QString() : QString::fromStdU16String(calc.format(f.tax)));
}

void CCalculatorPanel::showMode() {
  const bool inside = state_.mode() == TAX_INSIDE;
  grossLabel_->setVisible(inside);
  gross_->setVisible(inside);
  modeButton_->setText(qs(taxModeLabel(state_.mode())));
  roundingButton_->setText(qs(taxRoundingLabel(state_.rounding())));
  tax_->setEnabled(state_.mode() != TAX_EXCLUDED);
  // In 内税 the amount field shows the net amount the gross amount leaves.
  amount_->setReadOnly(inside);
}

void CCalculatorPanel::cycleMode() {
  const ParsedCalc& calc = amount_->calculator();
  if (state_.mode() == TAX_INSIDE) {
    // Back to the gross amount: the net amount with its tax.
    amount_->showText(QString::fromStdU16String(calc.format(amount_->value() + tax_->value())));
  } else if (nextTaxMode(state_.mode()) == TAX_INSIDE) {
    // The amount typed is the gross amount from now on.
    gross_->showText(amount_->text());
  }
  state_.cycleMode();
  if (config_) config_->calculatorTaxState = state_.mode();
  showMode();
  recompute();
  display()->setFocus();
}

void CCalculatorPanel::cycleRounding() {
  state_.cycleRounding();
  showMode();
  recompute();
}

// ←税: the tax travels inside the amount from now on.
void CCalculatorPanel::taxIntoAmount() {
  const int64_t sum = amount_->value() + tax_->value();
  if (!amount_->calculator().checkFits(sum)) return;
  amount_->showOperand(sum);
  state_.setMode(TAX_EXCLUDED);
  if (config_) config_->calculatorTaxState = state_.mode();
  showMode();
  recompute();
}

void CCalculatorPanel::writeTaxNow() {
  const int64_t tax = tax_->value();
  if (tax == 0 || !amount_->calculator().checkFits(tax)) return;
  emit writeTaxRequested(static_cast<int32_t>(tax));
}

void CCalculatorPanel::taxWritten() {
  taxWrittenFor_ =
      std::make_tuple(display()->value(), state_.mode(), state_.rounding(), state_.tenYen());
  tax_->clear();
}

void CCalculatorPanel::showAmount(int32_t amount, uint16_t flags) {
  const int opening = config_ ? config_->calculatorTaxMode : kOpeningModeKept;
  const int64_t shown = state_.takeOver(flags, amount, opening);
  if (config_) config_->calculatorTaxState = state_.mode();
  {
    const QSignalBlocker block(tenYenBox_);
    tenYenBox_->setChecked(state_.tenYen());
  }
  showMode();
  display()->calculator().clearAll();
  display()->showText(QString::fromStdU16String(display()->calculator().format(shown)));
  recompute();
}

void CCalculatorPanel::lineAdded(int32_t amount) {
  if (state_.autoMemory) state_.addToMemory(amount, prompts_);
}

void CCalculatorPanel::negate() {
  for (CParsedEdit* field : {gross_, amount_, tax_}) {
    if (field->text().isEmpty()) continue;
    field->showText(QString::fromStdU16String(field->calculator().format(-field->value())));
  }
  recompute();
}

}  // namespace sorami
