#pragma once
// Messages and questions of the core shown as message boxes titled "そらみ".

#include <QWidget>

#include "platform/Prompts.h"

namespace sorami {

class QtPrompts : public Prompts {
 public:
  // Boxes open over `parent`, or over the active window when there is none.
  explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}

  void setParent(QWidget* parent) { parent_ = parent; }

  void inform(MessageId id, const std::vector<std::u16string>& args, Icon icon) override;
  Answer ask(MessageId id, const std::vector<std::u16string>& args, Buttons buttons,
             Answer defaultAnswer) override;

 private:
  QWidget* parentWidget() const;

  QWidget* parent_;
};

}  // namespace sorami
