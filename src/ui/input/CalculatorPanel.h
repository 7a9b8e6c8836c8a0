#pragma once
// The calculator panel " 電卓": a numeric field beside a keypad, a memory, the consumption-tax
// controls and the three buttons that write the amount from cash, a savings account or a loan.
// The panel computes and checks the account or loan named; the main view writes the line.

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <tuple>

#include "ledger/EntryInput.h"
#include "rules/CalculatorState.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace sorami {

class AppSettings;
class CConfig;
class CParsedEdit;
class Prompts;

inline constexpr int IDD_CALCULATOR = 209;

// What a write button hands the main view.
struct CalculatorWrite {
  TransferKind transfer = TransferKind::None;
  QString amount;  // as the display shows it
  uint16_t taxFlags = 0;
  int32_t tax = 0;  // the tax line to write beside the line; 0 for none
  QString account;  // the account or loan of a transfer
};

class CCalculatorPanel : public QDialog {
  Q_OBJECT

 public:
  // Keeps its position and memory in `settings` when there are settings.
  explicit CCalculatorPanel(AppSettings* settings, QWidget* parent = nullptr);
  ~CCalculatorPanel() override;

  void setPrompts(Prompts* prompts) { prompts_ = prompts; }
  // The open file's settings: decimal places, precedence, the point key and the tax. The panel
  // writes back the tax mode it last used and its "A On" switch.
  void setUp(CConfig& config);
  // The accounts and loans the boxes list.
  void setNames(const QStringList& accounts, const QStringList& loans);
  // The write buttons say where the money goes for an income item.
  void setIncome(bool income);
  void setAccountName(const QString& name);
  void setLoanName(const QString& name);
  QString accountName() const;
  QString loanName() const;

  // Shows where it was last (on the screen), as the tax controls open; already open, it only
  // comes to the front. The display is selected to be typed over, or emptied with `fresh`.
  void openPanel(bool fresh);
  // An amount from a line (the amount memory, a selected line), with what its flags record.
  void showAmount(int32_t amount, uint16_t flags);
  // A line the store took in, for "A On".
  void lineAdded(int32_t amount);
  // The tax line was written at once: until the figures change no tax is handed over again.
  void taxWritten();

  const CalculatorState& state() const { return state_; }
  CParsedEdit* amountField() const { return amount_; }
  CParsedEdit* taxField() const { return tax_; }
  CParsedEdit* grossField() const { return gross_; }
  QComboBox* accountBox() const { return accounts_; }
  QComboBox* loanBox() const { return loans_; }
  QPushButton* writeButton(WriteButton button) const;
  // A key of the keypad or the tax controls by its label ("７", "M+", "←税", ...).
  QPushButton* key(const QString& label) const;
  WriteButton defaultButton() const;

 signals:
  void writeRequested(const CalculatorWrite& write);
  // ←税 with Shift held, or Shift+Z: the tax shown, to be written as a tax line at once.
  void writeTaxRequested(int32_t tax);
  // Ctrl+H: the main view goes to today.
  void todayRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QPushButton* addKey(const QString& label, const std::function<void()>& act);
  QWidget* buildTaxControls();
  QWidget* buildKeypad();
  QWidget* buildWriteButtons();
  // The field the keys go to: the focused field, else the gross field in 内税, else the amount.
  CParsedEdit* target() const;
  // The field that holds the amount typed: the gross field in 内税, else the amount field.
  CParsedEdit* display() const;
  void press(char16_t c);
  bool handleKey(QKeyEvent* key);
  bool inNameBox(QWidget* focus) const;
  void recompute();
  void showMode();
  void cycleMode();
  void cycleRounding();
  void taxIntoAmount();
  void writeTaxNow();
  void write(WriteButton button);
  std::optional<QString> chosenName(WriteButton button);
  void negate();
  void showDefaultButton();
  void moveAmongWrites(int step);
  void place();
  void keepOnScreen();
  void saveSettings();

  AppSettings* settings_;
  Prompts* prompts_ = nullptr;
  CConfig* config_ = nullptr;
  CalculatorState state_;
  CParsedEdit* gross_;
  CParsedEdit* amount_;
  CParsedEdit* tax_;
  QLabel* grossLabel_ = nullptr;
  QPushButton* modeButton_ = nullptr;
  QPushButton* roundingButton_ = nullptr;
  QCheckBox* tenYenBox_ = nullptr;
  QPushButton* autoButton_ = nullptr;
  QPushButton* pointButton_ = nullptr;
  QComboBox* accounts_ = nullptr;
  QComboBox* loans_ = nullptr;
  std::array<QPushButton*, 3> writes_{};
  bool income_ = false;
  // The figures (typed amount, mode, rounding, flag) a tax line was written for at once.
  std::optional<std::tuple<int64_t, int, int, bool>> taxWrittenFor_;
};

}  // namespace sorami
