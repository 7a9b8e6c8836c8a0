#pragma once
// The little calculator inside every numeric field: digits build a number, + - * / % = work on
// a running value, and the field shows the result. The widget hands over each typed character
// with the field's text and applies what comes back.

#include <cstdint>
#include <optional>
#include <string>

#include "rules/ConsumptionTax.h"

namespace sorami {

class Prompts;

class ParsedCalc {
 public:
  enum Operator : int { OpNone = 0, OpAdd = 1, OpSub = 2, OpMul = 3, OpDiv = 4 };
  // What the widget does with the character after the calculator saw it: insert it at the
  // cursor as typed, take the new text (already in `text`), or pass it on as a shortcut.
  enum class Outcome { Insert, Handled, PassOn };

  struct Settings {
    int decimalPlaces = 0;
    bool precedence = false;  // * and / before + and -
    int pointKey = 0;         // without decimals: 0 ignored, 1 "000", 2 clear all, 3 "00", 4 =
    bool separators = true;
    int32_t lowest = -999999999;
    int32_t highest = 999999999;
    // The file's tax, for the Z key that adds it to the amount shown; without it Z passes on.
    std::optional<TaxSettings> tax;
  };

  explicit ParsedCalc(Prompts* prompts = nullptr) : prompts_(prompts) {}

  Settings& settings() { return settings_; }
  const Settings& settings() const { return settings_; }
  void setPrompts(Prompts* prompts) { prompts_ = prompts; }

  // One typed character; `text` is the field's text before and, with Handled, after.
  Outcome key(char16_t c, std::u16string& text);
  // Applies an operator (OpNone for = and Enter).
  void apply(int op, std::u16string& text);
  // Arrow keys: one up or down within the range, wrapping round at its ends.
  void stepUp(std::u16string& text);
  void stepDown(std::u16string& text);
  // Forgets the running calculation (a new amount is being typed).
  void clearAll();
  // The field was given a figure from outside (the memory recalled): it is the operand, and
  // the next digit starts a new number.
  void takeOperand() {
    waiting_ = false;
    resultShown_ = true;
  }

  // The figure of a text in the smallest unit; it may lie beyond what an amount holds.
  int64_t value(const std::u16string& text) const;
  std::u16string format(int64_t value) const;
  // The Z key: the amount shown plus its outside tax.
  void addOutsideTax(std::u16string& text);
  // Whether a figure fits an amount; when not, the user is told and false comes back.
  bool checkFits(int64_t value) const;

  int32_t accumulator() const { return accumulator_; }
  int pending() const { return pending_; }

 private:
  bool compute(int op, int64_t a, int64_t& r) const;
  int64_t boundedValue(const std::u16string& text) const;
  void percent(std::u16string& text);
  Outcome pointKey(std::u16string& text);

  Settings settings_;
  Prompts* prompts_;
  int32_t accumulator_ = 0;
  int pending_ = OpNone;
  int deferred_ = OpNone;
  int32_t deferredLeft_ = 0;
  bool percent_ = false;
  bool waiting_ = false;
  bool resultShown_ = false;
};

}  // namespace sorami
