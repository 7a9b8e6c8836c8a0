#pragma once
// The command line's answer to the prompts of the core: every message goes to standard error
// and every question takes its default answer, so a command never waits for a person.

#include <iosfwd>

#include "platform/Prompts.h"

namespace sorami::cli {

class TerminalPrompts : public Prompts {
 public:
  explicit TerminalPrompts(std::ostream& err) : err_(err) {}
  void inform(MessageId id, const std::vector<std::u16string>& args, Icon icon) override;
  Answer ask(MessageId id, const std::vector<std::u16string>& args, Buttons buttons,
             Answer defaultAnswer) override;

 private:
  std::ostream& err_;
};

}  // namespace sorami::cli
