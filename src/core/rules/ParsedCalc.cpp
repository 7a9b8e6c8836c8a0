#include "rules/ParsedCalc.h"

#include <algorithm>
#include <limits>

#include "platform/Prompts.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

bool fits32(int64_t v) {
  return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

// One whole unit in the smallest unit held: 100 with two decimal places.
int64_t unitOf(int decimalPlaces) {
  int64_t unit = 1;
  for (int i = 0; i < clampDecimalPlaces(decimalPlaces); ++i) unit *= 10;
  return unit;
}

bool isMulOrDiv(int op) {
  return op == ParsedCalc::OpMul || op == ParsedCalc::OpDiv;
}

bool isAddOrSub(int op) {
  return op == ParsedCalc::OpAdd || op == ParsedCalc::OpSub;
}

}  // namespace

int64_t ParsedCalc::value(const std::u16string& text) const {
  return parseAmount(text, settings_.decimalPlaces);
}

std::u16string ParsedCalc::format(int64_t v) const {
  return formatAmount(v, settings_.separators, settings_.decimalPlaces);
}

bool ParsedCalc::checkFits(int64_t v) const {
  if (fits32(v)) return true;
  if (prompts_) prompts_->inform(MessageId::AmountOutOfRange, {}, Icon::Warning);
  return false;
}

void ParsedCalc::clearAll() {
  accumulator_ = 0;
  pending_ = OpNone;
  deferred_ = OpNone;
  deferredLeft_ = 0;
  percent_ = false;
  waiting_ = false;
  resultShown_ = false;
}

// r from the accumulator, the operator and the field's value a, in 64 bits and exact: amounts
// with decimal places are whole numbers of their smallest unit, so a product or quotient is
// scaled back by the unit in whole numbers. False (with the message) after ÷ 0 or when a figure
// does not fit an amount.
bool ParsedCalc::compute(int op, int64_t a, int64_t& r) const {
  if (!checkFits(a)) return false;
  const int64_t acc = accumulator_;
  const int64_t unit = unitOf(settings_.decimalPlaces);
  switch (op) {
    case OpAdd:
      r = acc + a;
      break;
    case OpSub:
      r = acc - a;
      break;
    case OpMul:
      // A percentage of an amount held in hundredths is a percentage all the same.
      r = percent_ ? a * acc / (100 * unit) : a * acc / unit;
      break;
    case OpDiv:
      if (a == 0) {
        if (prompts_) prompts_->inform(MessageId::DivisionByZero, {}, Icon::Warning);
        return false;
      }
      r = percent_ ? acc * 100 * unit / a : acc * unit / a;
      break;
    default:
      r = a;
      break;
  }
  return checkFits(r);
}

// Nothing changes when the step is refused: the field keeps what it shows and the operator
// stays pending, so the user can mend the operand.
void ParsedCalc::apply(int op, std::u16string& text) {
  if (waiting_ && pending_ != OpNone) {
    pending_ = op;
    return;
  }
  int pending = pending_;
  int deferred = deferred_;
  int64_t deferredLeft = deferredLeft_;
  if (settings_.precedence && isMulOrDiv(op) && isAddOrSub(pending)) {
    deferred = pending;
    deferredLeft = accumulator_;
    pending = OpNone;
  }
  int64_t r = 0;
  if (!compute(pending, value(text), r)) return;
  if (settings_.precedence && deferred != OpNone && !isMulOrDiv(op)) {
    r = deferred == OpAdd ? deferredLeft + r : deferredLeft - r;
    if (!checkFits(r)) return;
    deferred = OpNone;
  }
  accumulator_ = static_cast<int32_t>(r);
  deferred_ = deferred;
  deferredLeft_ = static_cast<int32_t>(deferredLeft);
  text = format(accumulator_);
  pending_ = op;
  waiting_ = true;
  percent_ = false;
  resultShown_ = true;
}

void ParsedCalc::percent(std::u16string& text) {
  if (isAddOrSub(pending_)) {
    const int64_t a = value(text);
    if (!checkFits(a)) return;
    const int64_t share = a * accumulator_ / (100 * unitOf(settings_.decimalPlaces));
    if (!checkFits(share)) return;
    text = format(share);
  }
  percent_ = true;
  apply(OpNone, text);
  percent_ = false;
}

void ParsedCalc::addOutsideTax(std::u16string& text) {
  const int64_t a = value(text);
  if (!checkFits(a)) return;
  const int64_t sum = a + computeTax(a, *settings_.tax, TAX_OUTSIDE);
  if (!checkFits(sum)) return;
  text = format(sum);
  // The sum is the operand now, as a figure typed in its place would be.
  takeOperand();
}

ParsedCalc::Outcome ParsedCalc::pointKey(std::u16string& text) {
  if (settings_.decimalPlaces > 0) {
    if (resultShown_) text.clear();
    resultShown_ = false;
    waiting_ = false;
    return text.find(u'.') == std::u16string::npos ? Outcome::Insert : Outcome::Handled;
  }
  switch (settings_.pointKey) {
    case 1:
    case 3:
      if (value(text) != 0) text.append(settings_.pointKey == 1 ? 3 : 2, u'0');
      return Outcome::Handled;
    case 2:
      text.clear();
      clearAll();
      return Outcome::Handled;
    case 4:
      apply(OpNone, text);
      return Outcome::Handled;
    default:
      return Outcome::Handled;
  }
}

ParsedCalc::Outcome ParsedCalc::key(char16_t c, std::u16string& text) {
  if (c >= u'0' && c <= u'9') {
    if (resultShown_) text.clear();
    resultShown_ = false;
    waiting_ = false;
    return Outcome::Insert;
  }
  switch (c) {
    case u'+':
      apply(OpAdd, text);
      return Outcome::Handled;
    case u'-':
      if (text.empty() || text == u"0") {
        text.assign(1, u'-');
        resultShown_ = false;
        waiting_ = false;
        return Outcome::Handled;
      }
      apply(OpSub, text);
      return Outcome::Handled;
    case u'*':
      apply(OpMul, text);
      return Outcome::Handled;
    case u'/':
      apply(OpDiv, text);
      return Outcome::Handled;
    case u'=':
    case u'\r':
    case u'\n':
      apply(OpNone, text);
      return Outcome::Handled;
    case u'%':
      percent(text);
      return Outcome::Handled;
    case u'C':
    case u'c':
    case u'#':
      text.clear();
      waiting_ = false;
      return Outcome::Handled;
    case u'A':
    case u'a':
    case u'\f':
      text.clear();
      clearAll();
      return Outcome::Handled;
    case u'.':
      return pointKey(text);
    case u',':
      return Outcome::Insert;
    case u'Z':
    case u'z':
      if (!settings_.tax) return Outcome::PassOn;
      addOutsideTax(text);
      return Outcome::Handled;
    default:
      return Outcome::PassOn;
  }
}

// A figure far beyond the range counts as just beyond it.
int64_t ParsedCalc::boundedValue(const std::u16string& text) const {
  return std::clamp<int64_t>(value(text), std::numeric_limits<int32_t>::min(),
                             std::numeric_limits<int32_t>::max());
}

void ParsedCalc::stepUp(std::u16string& text) {
  const int64_t v = boundedValue(text) + 1;
  text = format(v > settings_.highest ? settings_.lowest : v);
}

void ParsedCalc::stepDown(std::u16string& text) {
  const int64_t v = boundedValue(text) - 1;
  text = format(v < settings_.lowest || v > settings_.highest ? settings_.highest : v);
}

}  // namespace sorami
