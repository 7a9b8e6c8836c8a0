#pragma once
// An amount typed into a rule's dialogs: shown with separators and the file's decimal places,
// read back as the smallest unit, kept within a range.

#include <QLineEdit>
#include <cstdint>
#include <optional>

namespace sorami {

class CAmountField : public QLineEdit {
  Q_OBJECT

 public:
  explicit CAmountField(int decimalPlaces, int32_t limit, QWidget* parent = nullptr);

  void setValue(int32_t amount);
  // Nothing when the text is no figure or lies beyond the limit.
  std::optional<int32_t> value() const;
  int32_t limit() const { return limit_; }

 private:
  int decimalPlaces_;
  int32_t limit_;
};

}  // namespace sorami
