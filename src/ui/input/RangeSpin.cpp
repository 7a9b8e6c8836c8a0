#include "input/RangeSpin.h"

#include <algorithm>

#include "platform/Prompts.h"

namespace sorami {

namespace {

// Wide enough for any figure a date part or a count might be typed as; what lies outside the
// accepted range is refused by the message, not by the field. A field that accepts more (an
// amount) types its whole accepted range: clamping it would take a different figure silently.
constexpr int TypedMin = -99999;
constexpr int TypedMax = 99999;

}  // namespace

CRangeSpin::CRangeSpin(int acceptedMin, int acceptedMax, int stepMin, int stepMax, QWidget* parent)
    : QSpinBox(parent),
      acceptedMin_(acceptedMin),
      acceptedMax_(acceptedMax),
      stepMin_(stepMin),
      stepMax_(stepMax) {
  setRange(std::min(TypedMin, acceptedMin), std::max(TypedMax, acceptedMax));
}

bool CRangeSpin::isAccepted() const {
  return value() >= acceptedMin_ && value() <= acceptedMax_;
}

bool CRangeSpin::checkAccepted(Prompts& prompts) {
  if (isAccepted()) return true;
  prompts.inform(MessageId::IntegerOutOfRange,
                 {QString::number(acceptedMin_).toStdU16String(),
                  QString::number(acceptedMax_).toStdU16String()},
                 Icon::Warning);
  setFocus(Qt::OtherFocusReason);
  selectAll();
  return false;
}

// A value outside the buttons' range (typed, or one the dialog could not work out) steps to the
// nearer end of it.
void CRangeSpin::stepBy(int steps) {
  const long long next = static_cast<long long>(value()) + steps;
  setValue(static_cast<int>(std::clamp<long long>(next, stepMin_, stepMax_)));
  selectAll();
}

QAbstractSpinBox::StepEnabled CRangeSpin::stepEnabled() const {
  StepEnabled enabled = StepNone;
  if (value() < stepMax_) enabled |= StepUpEnabled;
  if (value() > stepMin_) enabled |= StepDownEnabled;
  return enabled;
}

}  // namespace sorami
