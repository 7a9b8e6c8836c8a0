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

  std::optional<std::u16string> specialNameToAdd(const std::u16string& itemName) override {
    specialNameItems.push_back(itemName);
    if (specialNames.empty()) return std::nullopt;
    std::u16string name = specialNames.front();
    specialNames.pop_front();
    return name;
  }
  std::optional<SpecialNameChange> specialNameChange(const std::u16string& oldName,
                                                     bool offerRename) override {
    nameChangesAsked.push_back({oldName, offerRename});
    return next(nameChanges);
  }
  std::optional<int32_t> newInitialBalance(const std::u16string& name, int32_t current) override {
    initialBalancesAsked.push_back({name, current});
    return next(initialBalances);
  }
  std::optional<AccountSettingsValues> accountSettings(
      uint16_t kind, const AccountSettingsValues& current) override {
    accountSettingsAsked.push_back({kind, current});
    return next(accountSettingsAnswers);
  }

  std::optional<NewFileValues> newFileValues(const NewFileValues& proposed) override {
    proposedNewFile = proposed;
    return next(newFiles);
  }
  std::optional<std::filesystem::path> chooseSaveFile(const SaveFileRequest& request) override {
    saveRequests.push_back(request);
    return next(savePaths);
  }
  // Answers as scripted, a wrong text with OK included, so the document's own check is tried.
  PasswordReply askPassword(const PasswordCheck&, bool canExit) override {
    passwordAsked.push_back(canExit);
    shown.push_back(
        {MessageId::PasswordRequired, formatMessage(MessageId::PasswordRequired), true});
    if (passwords.empty()) return {};
    PasswordReply r = passwords.front();
    passwords.pop_front();
    return r;
  }
  std::optional<std::u16string> newPassword() override { return next(newPasswords); }
  // Answers from the script, changing the date and amount first where an edit is scripted;
  // nothing left means 実行.
  AutoEntryChoice confirmAutoEntry(AutoEntryProposal& proposal) override {
    proposals.push_back(proposal);
    if (!autoEntryEdits.empty()) {
      const auto [date, amount] = autoEntryEdits.front();
      autoEntryEdits.pop_front();
      proposal.date = date;
      proposal.amount = amount;
    }
    if (autoEntryChoices.empty()) return AutoEntryChoice::Write;
    const AutoEntryChoice c = autoEntryChoices.front();
    autoEntryChoices.pop_front();
    return c;
  }
  std::optional<Day> periodClosingDate(Day) override { return next(closingDates); }

  // The texts shown, in order.
  std::vector<std::u16string> texts() const {
    std::vector<std::u16string> out;
    for (const Shown& s : shown) out.push_back(s.text);
    return out;
  }
  bool wasShown(MessageId id) const {
    for (const Shown& s : shown) {
      if (s.id == id) return true;
    }
    return false;
  }

  template <typename T>
  static std::optional<T> next(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    std::optional<T> a = queue.front();
    queue.pop_front();
    return a;
  }

  std::deque<Answer> answers;
  // Answers of the dialogs, in order; nothing left means cancel.
  std::deque<std::optional<NewFileValues>> newFiles;
  std::optional<NewFileValues> proposedNewFile;
  std::deque<std::optional<std::filesystem::path>> savePaths;
  std::vector<SaveFileRequest> saveRequests;
  std::deque<PasswordReply> passwords;
  std::vector<bool> passwordAsked;  // whether "終了(&X)" was offered, per question
  std::deque<std::optional<std::u16string>> newPasswords;
  std::deque<std::optional<Day>> closingDates;
  // Answers of the registration dialog, in order; nothing left means cancel.
  std::deque<std::optional<NewAccount>> newAccounts;
  std::vector<std::pair<uint16_t, std::u16string>> registrations;
  // The dialogs of special names, initial balances and account settings: what they were
  // opened with, and their answers in order (nothing left means cancel).
  std::deque<std::u16string> specialNames;
  std::vector<std::u16string> specialNameItems;
  std::deque<std::optional<SpecialNameChange>> nameChanges;
  std::vector<std::pair<std::u16string, bool>> nameChangesAsked;
  std::deque<std::optional<int32_t>> initialBalances;
  std::vector<std::pair<std::u16string, int32_t>> initialBalancesAsked;
  std::deque<std::optional<AccountSettingsValues>> accountSettingsAnswers;
  std::vector<std::pair<uint16_t, AccountSettingsValues>> accountSettingsAsked;
  std::vector<Shown> shown;
  std::deque<AutoEntryChoice> autoEntryChoices;
  std::deque<std::pair<Day, int32_t>> autoEntryEdits;
  std::vector<AutoEntryProposal> proposals;
};

}  // namespace sorami::test
