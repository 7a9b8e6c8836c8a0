#include "rules/ParsedCalc.h"

#include <cmath>
#include <limits>

#include "platform/Prompts.h"
#include "rules/AmountText.h"

namespace sorami {

namespace {

// Results are held in 32 bits; a figure beyond them stops at the edge instead of wrapping round.
int32_t clamp32(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

int64_t fromDouble(double v) {
  v = std::trunc(v);
  if (std::isnan(v)) return 0;
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int64_t>(v);
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
  return clamp32(parseAmount(text, settings_.decimalPlaces));
}

std::u16string ParsedCalc::format(int64_t v) const {
  return formatAmount(v, settings_.separators, settings_.decimalPlaces);
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

// r from the accumulator, the pending operator and the field's value a; false after ÷ 0.
bool ParsedCalc::computeInto(int64_t a, int64_t& r) {
  const int64_t acc = accumulator_;
  const double scale = std::pow(10.0, settings_.decimalPlaces);
  switch (pending_) {
    case OpAdd:
      r = acc + a;
      return true;
    case OpSub:
      r = acc - a;
      return true;
    case OpMul:
      // A percentage of an amount held in hundredths is a percentage all the same.
      if (percent_) {
        r = a * acc / (100 * unitOf(settings_.decimalPlaces));
      } else if (settings_.decimalPlaces == 0) {
        r = a * acc;
      } else {
        r = fromDouble(static_cast<double>(acc) * static_cast<double>(a) / scale);
      }
      return true;
    case OpDiv:
      if (a == 0) {
        if (prompts_) prompts_->inform(MessageId::DivisionByZero, {}, Icon::Warning);
        return false;
      }
      if (percent_) {
        r = acc * 100 * unitOf(settings_.decimalPlaces) / a;
      } else if (settings_.decimalPlaces > 0) {
        r = fromDouble(static_cast<double>(acc) / static_cast<double>(a) * scale);
      } else {
        r = acc / a;
      }
      return true;
    default:
      r = a;
      return true;
  }
}

void ParsedCalc::apply(int op, std::u16string& text) {
  if (waiting_ && pending_ != OpNone) {
    pending_ = op;
    return;
  }
  if (settings_.precedence && isMulOrDiv(op) && isAddOrSub(pending_)) {
    deferred_ = pending_;
    deferredLeft_ = accumulator_;
    pending_ = OpNone;
  }
  int64_t r = 0;
  if (!computeInto(value(text), r)) return;
  accumulator_ = clamp32(r);
  if (settings_.precedence && deferred_ != OpNone && !isMulOrDiv(op)) {
    const int64_t left = deferredLeft_;
    accumulator_ = clamp32(deferred_ == OpAdd ? left + accumulator_ : left - accumulator_);
    deferred_ = OpNone;
  }
  text = format(accumulator_);
  pending_ = op;
  waiting_ = true;
  percent_ = false;
  resultShown_ = true;
}

void ParsedCalc::percent(std::u16string& text) {
  percent_ = true;
  if (isAddOrSub(pending_)) {
    const int64_t hundred = 100 * unitOf(settings_.decimalPlaces);
    text = format(clamp32(value(text) * accumulator_ / hundred));
  }
  apply(OpNone, text);
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
    default:
      return Outcome::PassOn;
  }
}

void ParsedCalc::stepUp(std::u16string& text) {
  const int64_t v = value(text) + 1;
  text = format(v > settings_.highest ? settings_.lowest : v);
}

void ParsedCalc::stepDown(std::u16string& text) {
  const int64_t v = value(text) - 1;
  text = format(v < settings_.lowest || v > settings_.highest ? settings_.highest : v);
}

}  // namespace sorami
