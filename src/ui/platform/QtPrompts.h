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

  // The document's dialogs (DocumentDialogs.cpp).
  std::optional<NewFileValues> newFileValues(const NewFileValues& proposed) override;
  std::optional<std::filesystem::path> chooseSaveFile(const SaveFileRequest& request) override;
  PasswordReply askPassword(const PasswordCheck& check, bool canExit) override;
  std::optional<std::u16string> newPassword() override;
  std::optional<Day> periodClosingDate(Day proposed) override;
  // The dialog "自動記入の確認" (AutoEntryConfirmDialog.cpp).
  AutoEntryChoice confirmAutoEntry(AutoEntryProposal& proposal) override;
  // The dialogs of special names and accounts (settings/AccountDialogs.cpp).
  std::optional<NewAccount> registerAccount(uint16_t kind, const std::u16string& name) override;
  std::optional<std::u16string> specialNameToAdd(const std::u16string& itemName) override;
  std::optional<SpecialNameChange> specialNameChange(const std::u16string& oldName,
                                                     bool offerRename) override;
  std::optional<int32_t> newInitialBalance(const std::u16string& name, int32_t current) override;
  std::optional<AccountSettingsValues> accountSettings(
      uint16_t kind, const AccountSettingsValues& current) override;

 private:
  QWidget* parentWidget() const;

  QWidget* parent_;
};

}  // namespace sorami
