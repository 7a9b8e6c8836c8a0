#pragma once
// Every message the program shows, in one table, so the GUI, the command line and the tests use
// the same words. Numbered messages keep their number; the others get ids from 10000 on.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace sorami {

enum class MessageId : int {
  // Numbered messages of the string table.
  AccountLimitReached = 130,  // "%1の最大登録数に達しましたので、\n登録できませんでした。"
  NotRealData = 129,
  ItemNameBlank = 134,  // "項目名を空白以外にしてください。"
  FieldBlank = 136,     // "%1を空白以外にしてください。"
  ZeroAmountRefused = 137,
  SelectOneEntry = 139,
  DeleteNeedsSelection = 141,
  ConfirmDeleteSpecialName = 140,  // "特別品名（%1）を削除してよろしいですか？"
  SelectOneAccount = 142,          // "口座を１個だけ選択してください。"
  AlreadyRegistered = 144,         // "「%1」は%2登録済です。"
  ConfirmDeleteEntry = 146,
  SearchNoData = 148,  // "ﾃﾞｰﾀが１件も入力されていません。"
  ClipboardOpenFailed = 159,
  ClipboardSetFailed = 162,
  SelectRowFirst = 167,     // "いずれかの行を選択してから行ってください。"
  GraphItemNotFound = 913,  // "この項目は存在しません。"
  ItemDoesNotExist = GraphItemNotFound,  // the same message where a rule names no known item
  GraphProductNotFound = 914,            // "この品名は存在しません。"
  GraphMemoryShort = 915,
  FileBroken = 917,
  FilePartlyBroken = 918,
  ScheduleMissing = 919,    // "実施日を指定して下さい。"
  StartMonthMissing = 920,  // "開始年月を指定して下さい。"
  SpecialDateMissing = 921,  // "特別金額が設定されているので、特別月,日を設定して下さい。"
  NoAccountRegistered = 922,
  NoLoanRegistered = 923,
  BlankNameRefused = 938,
  NoSpecialNameOfNumber = 939,
  SelectAccountItemFirst = 943,  // "変更する口座や借入を詳細窓で選択後に実施して下さい。"
  SelectItemFirst = 950,         // "項目を選択してから行なって下さい。"
  SelectSpecialNameFirst = 951,  // "特別品名を選択してから行なって下さい。"
  ConfirmCancelAccount = 955,    // "（%1）を取消しますか？\n取消すと、..."
  DivisionByZero = 947,
  SearchTooManyLines = 948,  // "表示できるメモリを越えました。\n検索を中止します。"
  SearchNothingFound = 949,  // "検索条件に合ったﾃﾞｰﾀは見つかりませんでした。"
  TaxRateThreePercent = 981,
  GraphNoItemDetails = 986,  // "このアイテムの詳細はありません。"

  // Messages without a number in the string table.
  BudgetDataDamaged = 10000,
  ReadLimitTrimmed,
  Version871Removal,
  AllRestDaysRefused,
  HolidayTableFull,
  HolidayFileNotSaved,
  ClockOutOfRange,
  InitialBalanceAdjusted,  // registering a name that earlier lines already used
  AmountOutOfRange,        // a figure that no longer fits an amount
  DefinitionsBeyondLimit,  // a file with more definitions than a table holds
  FileOpenFailed,
  NewerVersionRequired,
  SaveFailed,
  InvalidFileName,
  ReadLimitExceeded,
  NoDataLoaded,
  ConfirmSaveChanged,
  PasswordRequired,
  FileInUse,
  PeriodNeedsOtherFile,
  AccountRegisteredByCommand,  // a transfer named an account or loan not yet registered
  ConfirmDeleteSelected,
  RegisterNewAccount,  // a transfer names an account that is not registered
  RegisterNewLoan,
  AmountNotANumber,  // an amount typed as something other than a figure
  // Automatic entries.
  RuleLimitReached,          // the rule table is full
  ConfirmDeleteRule,         // "以下の設定を削除しますか？..."
  ConfirmForcedAutoEntries,  // "自動記入で設定されている内容に従って、..."
  AutoEntryText,             // what the confirmation shows: source, then destination
  ShortfallDatePrefix,       // "%d月%d日に"
  ShortfallEntryLine,        // the line with the withdrawal that causes the shortfall
  ShortfallPlainLine,        // the line without one
  ShortfallWarning,          // "%s\n口座：%s の残高が %s 不足します。"
  AutoRuleInactive,          // a rule from the file makes no sense and is not run
  AutoEntriesCapped,         // more due lines than one run writes
  RuleFieldInvalid,          // a rule given as text has a field out of its range
  GraphNotSaved,             // a graph could not be written to the file chosen
  DiaryNotFound,             // the diary search found no other day with the word
  // Saving: the file, its folder and its backup.
  FileReadOnly,       // the file may not be written
  FolderNotWritable,  // the folder takes no new file
  BackupFailed,       // the previous version could not be kept
  FileChangedOnDisk,  // another program wrote the file after it was read
  // The same found before a save: over it, under another name, or not at all.
  FileChangedAskSave,
  // Found when the window is active again and nothing is unsaved: read it again?
  FileChangedAskReload,
  // Unsaved lines of a file kept after the program ended unexpectedly: open them?
  RecoveryFound,
  // Statements brought in from a bank or a card: the import profile (%1 its line).
  ProfileNotUtf8,
  ProfileTooLarge,
  ProfileUnknownKey,
  ProfileRepeatedKey,
  ProfileBadValue,  // %2 the key, %3 the value
  ProfileColumnRange,
  ProfileNoDateColumn,
  ProfileNoNameColumn,
  ProfileNoAmountColumn,
  ProfileMixedAmountColumns,
  ProfileRuleWithoutPattern,
  ProfileRuleWithoutItem,
  ProfileRuleTwoPatterns,
  ProfileBadRegex,
  ProfileTooManyRules,
  ProfileDelimiterInShiftJis,
  ProfileNotFound,
  ProfileUnreadable,
  // ... the statement as a whole.
  StatementUnreadable,
  StatementTooLarge,
  StatementUtf16,
  StatementTooManyLines,
  StatementMoneyUnnamed,  // the account or loan is to be chosen
  StatementMoneyUnregistered,
  StatementHasRefused,
  StatementStoreRefused,
  StatementImported,
  // ... one line of it, refused.
  StatementSyntax,
  StatementUndecodable,
  StatementNul,
  StatementTooFewColumns,
  StatementDateUnreadable,
  StatementDateBeforeEra,
  StatementAmountUnreadable,
  StatementAmountDecimals,
  StatementAmountRange,
  StatementAmountMissing,
  StatementAmountBoth,
  StatementAmountZero,
  StatementNameTooLong,
  StatementMemoTooLong,
  StatementNoItem,
  StatementDefaultItemMissing,
  StatementRuleAccountMissing,
  StatementSameAccount,
  // Help.
  HelpPageMissing,  // the manual's page is not where the program was installed
  // Dialog fields.
  IntegerOutOfRange,  // "%1 から %2 までの整数を入力してください。"
  // Credit cards.
  CardPaymentNotStored,  // a settlement's payment rule found the rule table full
  // Items and data moves.
  MoveReversed = 927,  // "移動元データの期間が反転しています。"
  MoveSidesDiffer = 928,  // "移動元と移動先で収入(支出)が異なっていますが、続行しますか？"
  ExpenseItemsFull = 931,        // "支出項目が最大登録数に達しています。..."
  IncomeItemsFull = 932,         // "収入項目が最大登録数に達しています。..."
  PseudoItemUndeletable = 933,   // "[貯蓄],[借入]項目は削除できません。"
  ConfirmDeleteItemLines = 934,  // with the counts of lines and pairs
  ConfirmDeleteItemRules = 935,  // with the count of rules
  SelectItemOf = 147,            // "%1項目を選択してください。"
  NothingMoved = 945,            // "移動されたデータはありませんでした！"
  EntriesMoved = 10200,          // "%d 個のデータが移動されました。"
  MoveOutsideCalendar,           // a move would place a line before 1971 or after 9999-12-30
  ItemNameTooLong,               // a typed item name longer than its field
  ConfirmMoveLines,              // a data move asks with the count of lines
  MoveTransferItem,  // savings and loan lines keep their item: their accounts hang on it
  // The cash balance change.
  CashChangeNeedsItem,        // the adjustment entry has no item chosen
  ConfirmInitialCashChange,   // every past balance changes by the difference
  CashChangeOutsideCalendar,  // no line can be written on the day asked
};

// The text of a message with its placeholders still in place.
std::u16string_view messageText(MessageId id);

// Fills placeholders: "%1" to "%9" take the argument of that number; printf-style "%d", "%s",
// "%u", "%ld" take the arguments in order. "%%" is a percent sign.
std::u16string formatMessage(std::u16string_view text, const std::vector<std::u16string>& args);
std::u16string formatMessage(MessageId id, const std::vector<std::u16string>& args = {});

}  // namespace sorami
