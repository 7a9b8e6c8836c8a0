#pragma once
// What the calculator panel keeps besides its fields: the tax mode, rounding and ten-yen flag it
// computes the tax with, and its memory. The panel shows the figures; this decides them.

#include <cstdint>
#include <optional>

#include "rules/ConsumptionTax.h"

namespace sorami {

class Prompts;

// The figures the panel shows for the amount typed: in 内税 the typed (gross) amount holds
// the tax and the amount field shows the net amount; otherwise the typed amount is the amount.
struct CalculatorFigures {
  int64_t amount = 0;
  int64_t tax = 0;
};

// The three write buttons, in the order Shift+Down walks them.
enum class WriteButton { Cash, Loan, Account };

class CalculatorState {
 public:
  // The panel as it opens: the file's rounding and ten-yen flag, and the tax mode configured
  // for opening (0 to 2), or the mode last used (`lastMode`) when that is 3.
  static CalculatorState opening(const TaxSettings& tax, int openingMode, int lastMode);

  int mode() const { return mode_; }
  int rounding() const { return rounding_; }
  bool tenYen() const { return tenYen_; }
  const TaxSettings& tax() const { return tax_; }

  void setMode(int mode);
  void setRounding(int rounding);
  void setTenYen(bool on) { tenYen_ = on; }
  // The buttons: the next mode or rounding, wrapping round.
  void cycleMode() { setMode(nextTaxMode(mode_)); }
  void cycleRounding() { setRounding(nextTaxRounding(rounding_)); }

  CalculatorFigures figures(int64_t typed) const;
  // The tax bits of a line written from the panel.
  uint16_t entryFlags() const { return taxFlags(mode_, rounding_, tenYen_); }
  // The tax handed over with a line: none without tax.
  int64_t handedTax(int64_t taxShown) const { return mode_ == TAX_EXCLUDED ? 0 : taxShown; }

  // A line selected in the detail list or found by the amount memory: the panel takes its
  // rounding and ten-yen flag, and its mode when the panel keeps the previous mode
  // (`openingMode` 3). Returns the amount to show: a 内税 line is stored net, so its tax is
  // added back.
  int64_t takeOver(uint16_t flags, int32_t amount, int openingMode);

  // The memory, kept within what an amount holds; a sum beyond it is refused with the message
  // and leaves the memory as it was.
  int32_t memory() const { return memory_; }
  void setMemory(int32_t value) { memory_ = value; }
  bool addToMemory(int64_t value, Prompts* prompts);
  bool autoMemory = false;  // "A On": every line written adds its amount

 private:
  TaxSettings tax_;
  int mode_ = TAX_EXCLUDED;
  int rounding_ = TAX_ROUND_DOWN;
  bool tenYen_ = false;
  int32_t memory_ = 0;
};

// The button Enter presses: 口座から when an account is named, else 借入から when a loan is,
// else 現金から; always 現金から when the file says so.
WriteButton defaultWriteButton(bool accountNamed, bool loanNamed, bool cashAlways);

}  // namespace sorami
