#pragma once
// A whole-number field of a dialog with two ranges: any whole number may be typed (and a value
// the dialog could not work out shows as it is, -1 say), the spin buttons step within their own
// range, and the dialog checks the accepted range when it closes with OK.

#include <QSpinBox>

namespace sorami {

class Prompts;

class CRangeSpin : public QSpinBox {
 public:
  CRangeSpin(int acceptedMin, int acceptedMax, int stepMin, int stepMax, QWidget* parent = nullptr);

  int acceptedMin() const { return acceptedMin_; }
  int acceptedMax() const { return acceptedMax_; }
  bool isAccepted() const;
  // True when the value is accepted; otherwise "%1 から %2 までの整数を入力してください。" is
  // shown and the field takes the focus with its text selected.
  bool checkAccepted(Prompts& prompts);

  void stepBy(int steps) override;

 protected:
  StepEnabled stepEnabled() const override;

 private:
  int acceptedMin_;
  int acceptedMax_;
  int stepMin_;
  int stepMax_;
};

}  // namespace sorami
