#pragma once
// The seam through which core operations show a message or ask a question in the middle of their
// work. The GUI answers with message boxes and dialogs, the command line from its options, the
// tests from a script.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Messages.h"

namespace sorami {

enum class Icon { Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// What the registration dialog of a new account or loan returns.
struct NewAccount {
  std::u16string name;
  int32_t initialBalance = 0;
  int32_t watchThreshold = 0;
  int32_t watchDays = 7;
};

class Prompts {
 public:
  virtual ~Prompts() = default;
  virtual void inform(MessageId id, const std::vector<std::u16string>& args, Icon icon) = 0;
  virtual Answer ask(MessageId id, const std::vector<std::u16string>& args, Buttons buttons,
                     Answer defaultAnswer) = 0;
  // The dialog "新規の貯蓄の登録" (kind 0x4000) or "新規の借入の登録" (kind 0x2000), opened
  // with a proposed name; nothing when cancelled.
  virtual std::optional<NewAccount> registerAccount(uint16_t /*kind*/,
                                                    const std::u16string& /*name*/) {
    return std::nullopt;
  }
};

// Answers every question with its default and remembers nothing; for batch work.
class DefaultPrompts : public Prompts {
 public:
  void inform(MessageId, const std::vector<std::u16string>&, Icon) override {}
  Answer ask(MessageId, const std::vector<std::u16string>&, Buttons, Answer def) override {
    return def;
  }
};

}  // namespace sorami
