#pragma once
// The seam through which core operations show a message or ask a question in the middle of their
// work. The GUI answers with message boxes and dialogs, the command line from its options, the
// tests from a script.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Messages.h"
#include "rules/CardSettings.h"
#include "rules/Day.h"

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

// What the dialog "特別品名の変更" returned.
struct SpecialNameChange {
  std::u16string newName;
  bool renameEntries = false;  // "入力済みﾃﾞｰﾀの名前も変更する"
};

// The fields of the settings dialog of an account ("口座の設定") or a loan ("借入の設定").
struct AccountSettingsValues {
  // Not an aggregate: the card fields below are left to their defaults where only the first four
  // are given.
  AccountSettingsValues(std::u16string accountName = {}, int32_t threshold = 0, int32_t days = 7,
                        bool outside = false)
      : name(std::move(accountName)),
        watchThreshold(threshold),
        watchDays(days),
        outsideAssets(outside) {}

  std::u16string name;
  int32_t watchThreshold = 0;
  int32_t watchDays = 7;
  bool outsideAssets = false;
  // Loans: the card settings behind "カード設定", and whether the loan is a card.
  std::optional<CardSettings> card;
  bool isCard = false;
  // What the card settings offer to choose from: the registered accounts (決済口座) and the
  // years of the next closing.
  std::vector<std::u16string> accountNames;
  int firstYear = 2000;
  int lastYear = 2040;
};

// The values of the dialog "新規ﾃﾞｰﾀの作成".
struct NewFileValues {
  int32_t initialCash = 5000;  // 0 to 999999999
  bool sampleNames = true;     // "ｻﾝﾌﾟﾙの特別品名を登録する。"
  double taxRate = 5;          // percent, at most 100
};

// A save-file dialog: its title, the proposed name, the filter and the default extension.
struct SaveFileRequest {
  std::u16string title;
  std::u16string proposedName;
  std::u16string filter;
  std::u16string defaultExtension;
};

// What the dialog "ﾊﾟｽﾜｰﾄﾞの確認" returned.
struct PasswordReply {
  enum class Action { Ok, Exit, Cancel } action = Action::Cancel;
  std::u16string typed;
};
// Tells whether a typed text opens the file; the dialog enables OK only while it does.
using PasswordCheck = std::function<bool(std::u16string_view)>;

// What the dialog "自動記入の確認" shows of one due line; the date and the amount may be changed
// there before the line is written.
struct AutoEntryProposal {
  Day date = MinDay;
  std::u16string text;  // "［source］\n↓\n［item：name］"
  int32_t amount = 0;
  int decimalPlaces = 0;
  size_t remaining = 0;  // due lines after this one in the run
};

// The buttons of "自動記入の確認".
enum class AutoEntryChoice {
  Write,           // 実行: writes the line
  WriteAll,        // 全て実行: writes it and every further line of the run that has an amount
  WriteRemaining,  // writes it and every further line of the run without any question
  Cancel,          // 取消: writes nothing, but the rule counts the line as done
  Skip,            // 中止: writes nothing; the line is offered again next time
  StopAll,         // 全て中止: ends the run
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
  // The dialog "特別品名の追加" for the item named; the typed name, nothing when cancelled.
  virtual std::optional<std::u16string> specialNameToAdd(const std::u16string& /*itemName*/) {
    return std::nullopt;
  }
  // The dialog "特別品名の変更" of a name; `offerRename` shows "入力済みﾃﾞｰﾀの名前も変更する".
  virtual std::optional<SpecialNameChange> specialNameChange(const std::u16string& /*oldName*/,
                                                             bool /*offerRename*/) {
    return std::nullopt;
  }
  // The dialog "口座の初期残高変更": the new initial balance, nothing when cancelled.
  virtual std::optional<int32_t> newInitialBalance(const std::u16string& /*name*/,
                                                   int32_t /*current*/) {
    return std::nullopt;
  }
  // The settings dialog of an account (kind 0x4000) or a loan (kind 0x2000).
  virtual std::optional<AccountSettingsValues> accountSettings(
      uint16_t /*kind*/, const AccountSettingsValues& /*current*/) {
    return std::nullopt;
  }
  // The dialog "新規ﾃﾞｰﾀの作成" with the proposed values; nothing when cancelled.
  virtual std::optional<NewFileValues> newFileValues(const NewFileValues& /*proposed*/) {
    return std::nullopt;
  }
  // The save-file dialog; nothing when cancelled.
  virtual std::optional<std::filesystem::path> chooseSaveFile(const SaveFileRequest& /*request*/) {
    return std::nullopt;
  }
  // The dialog "ﾊﾟｽﾜｰﾄﾞの確認" (at most 20 characters, typed text masked); the button
  // "終了(&X)" is offered only with `canExit`.
  virtual PasswordReply askPassword(const PasswordCheck& /*check*/, bool /*canExit*/) { return {}; }
  // The dialog "ﾊﾟｽﾜｰﾄﾞの設定": the new password, empty to remove it; nothing when cancelled.
  virtual std::optional<std::u16string> newPassword() { return std::nullopt; }
  // The dialog "期首処理の設定": the closing date of the old period; nothing when cancelled.
  virtual std::optional<Day> periodClosingDate(Day /*proposed*/) { return std::nullopt; }
  // The dialog "自動記入の確認"; without one the line is written as proposed.
  virtual AutoEntryChoice confirmAutoEntry(AutoEntryProposal& /*proposal*/) {
    return AutoEntryChoice::Write;
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
