#pragma once
// A prompts fake for tests: records every message shown and answers questions from a script.

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Prompts.h"

namespace sorami::test {

class ScriptedPrompts : public Prompts {
 public:
  struct Shown {
    MessageId id;
    std::u16string text;  // with its placeholders filled
    bool question;
  };

  void inform(MessageId id, const std::vector<std::u16string>& args, Icon) override {
    shown.push_back({id, formatMessage(id, args), false});
  }
  Answer ask(MessageId id, const std::vector<std::u16string>& args, Buttons,
             Answer defaultAnswer) override {
    shown.push_back({id, formatMessage(id, args), true});
    if (answers.empty()) return defaultAnswer;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }

  std::optional<NewAccount> registerAccount(uint16_t kind, const std::u16string& name) override {
    registrations.push_back({kind, name});
    if (newAccounts.empty()) return std::nullopt;
    std::optional<NewAccount> a = newAccounts.front();
    newAccounts.pop_front();
    return a;
  }

  bool wasShown(MessageId id) const {
    for (const Shown& s : shown) {
      if (s.id == id) return true;
    }
    return false;
  }

  std::deque<Answer> answers;
  // Answers of the registration dialog, in order; nothing left means cancel.
  std::deque<std::optional<NewAccount>> newAccounts;
  std::vector<std::pair<uint16_t, std::u16string>> registrations;
  std::vector<Shown> shown;
};

}  // namespace sorami::test
