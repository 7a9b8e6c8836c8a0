#pragma once
// The entry store: every entry of a data file in one ordered list, owned by the store. A
// position is a list iterator; it stays valid until its own entry is removed, and the partner
// of a pair is its neighbour.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "ledger/Account.h"
#include "ledger/Hinmei.h"
#include "ledger/LedgerContext.h"
#include "ledger/LedgerHistory.h"
#include "platform/NodePool.h"
#include "rules/AutoRule.h"

namespace sorami {

class Archive;
class ArchiveError;
class CHinmeiList;
class Prompts;

// The version of the configuration block every save writes.
inline constexpr uint16_t kBlockVersionCurrent = 952;

// How many definitions of each kind the tables hold.
inline constexpr size_t kMaxItems = 48;
inline constexpr size_t kMaxRules = 200;
// The monthly matrix: item rows, then cash, accounts, loans and total assets; column 0 holds
// the totals, columns 1 to 60 the months.
inline constexpr size_t kMatrixRows = 52;
inline constexpr size_t kMatrixColumns = 61;
inline constexpr size_t kMaxMatrixMonths = kMatrixColumns - 1;
inline constexpr size_t kRowCash = 48;
inline constexpr size_t kRowAccounts = 49;
inline constexpr size_t kRowLoans = 50;
inline constexpr size_t kRowAssets = 51;
// Day list filters besides an item number.
inline constexpr int kDayListAccounts = EF_ACCOUNT;
inline constexpr int kDayListLoans = EF_LOAN;
inline constexpr int kDayListAllButDiary = 0xFFFF;

// A 64-bit figure held at the edge of the 32-bit range, for fields that views read.
int32_t saturatedAmount(int64_t value);

// Definitions a file held beyond what the tables take; they are kept in the list but not used.
struct TableOverflow {
  size_t items = 0;
  size_t accounts = 0;
  size_t loans = 0;
  size_t rules = 0;
  bool any() const { return items + accounts + loans + rules > 0; }
};

// A range of days, both ends included.
struct DaySpan {
  Day first = MinDay;
  Day last = MaxDay;
};

struct MonthlyMatrix {
  std::array<std::array<int64_t, kMatrixColumns>, kMatrixRows> cells{};
  Day first = MinDay;  // the span's first and last day
  Day last = MaxDay;
  int lastColumn = 0;  // the month column of the last line counted; 0 when none was
};

// The lines one series of a graph counted, so that a later series of the same graph does not
// count them again. Kept apart from the entries, whose flags are stored.
using CountedLines = std::unordered_set<const CHinmei*>;

// What the edit dialog of an entry returned.
struct EntryEdit {
  enum class Action { Ok, Delete } action = Action::Ok;
  std::u16string name;
  int64_t amount = 0;
  std::optional<std::u16string> memo;  // the visible memo, when it was changed
};

enum class EditOutcome { Changed, Removed, Refused, Cancelled };

// What a rename changed: the dated lines that carried the old name, and the automatic-entry
// rules that named it.
struct RenameCount {
  size_t lines = 0;
  size_t rules = 0;
};

// What moving a special name did. With an account or loan kept outside the total assets the
// account table keeps its order until the next full computation.
enum class NameMove { None, Moved, MovedOutsideAssets };

// The settings of an account or loan that its settings dialog changes.
struct AccountWatch {
  int32_t watchDays = 7;
  int32_t watchThreshold = 0;
  bool outsideAssets = false;
};

// Longest name of a special name, account or loan.
inline constexpr size_t kMaxNameLength = 255;

// A name as definitions keep it: without ordinary and ideographic spaces at either end, and at
// most kMaxNameLength characters.
std::u16string definitionName(std::u16string_view typed);

// A line of the detail list: an entry, or an account that has no line in the window.
struct DetailLine {
  std::optional<EntryList::iterator> entry;
  std::u16string accountName;
};

// What adding an item did: its number and how many entries and rules were renumbered.
struct ItemAdded {
  uint16_t number = 0;
  size_t renumbered = 0;
  size_t rules = 0;
};

// What deleting an item did: the dated lines removed (the special names and the definition are
// not counted), the partners of other items kept without their pair, the rules removed, the
// numbers lowered and the change of the initial cash that keeps the shown balance.
struct ItemDeleted {
  uint16_t number = 0;
  size_t removed = 0;
  size_t unpaired = 0;
  size_t rules = 0;
  size_t renumbered = 0;
  int64_t cashCompensation = 0;
};

// What deleting an item would take: counted before the question.
struct ItemDeletionCount {
  size_t lines = 0;
  size_t pairs = 0;  // of those, lines whose partner is of another item
  size_t rules = 0;
};

// The days a move may place a line on.
inline constexpr Day kFirstMoveDay = dayFromYmdUnchecked(1971, 1, 1);
inline constexpr Day kLastMoveDay = MaxDay - 1;  // 9999-12-30

// Load states of a store.
inline constexpr int32_t kLoadComplete = 0;
inline constexpr int32_t kLoadDamaged = 2;  // the file was damaged and only partly read

// What reading the entries leaves to the one who opens the file: trimming to the read limit,
// the questions about a damaged file, running out of memory. The defaults read everything and
// let every error pass on.
class EntryReadHooks {
 public:
  virtual ~EntryReadHooks() = default;
  // The count is read and plausible; no entry is read yet.
  virtual void begin(CHinmeiList& /*list*/, uint32_t /*count*/) {}
  // `entry` was appended as the `index`-th entry read (from 0). The hook may remove earlier
  // entries, never `entry` itself.
  virtual void appended(CHinmeiList& /*list*/, EntryList::iterator /*entry*/, uint32_t /*index*/) {}
  // Asked once after begin(): false when appended() would leave every entry of this read
  // alone, and a million calls are skipped. A hook that overrides appended() to act on the
  // entries answers true.
  virtual bool watchesEachEntry() const { return true; }
  // The bytes of the store are damaged; `read` entries of `count` were read and are still in
  // the list, the damaged one is not. True keeps them and ends reading normally; false lets
  // the error pass on.
  virtual bool damaged(CHinmeiList& /*list*/, const ArchiveError& /*error*/, uint32_t /*count*/,
                       uint32_t /*read*/) {
    return false;
  }
  // Memory ran out after `read` entries; the error passes on after this.
  virtual void outOfMemory(CHinmeiList& /*list*/, uint32_t /*read*/) {}
  // Reading ended normally (also after damage the hook chose to accept).
  virtual void end(CHinmeiList& /*list*/, uint32_t /*count*/, uint32_t /*read*/) {}
};

class CHinmeiList {
 public:
  using Entries = EntryList;
  using Position = Entries::iterator;
  using ConstPosition = Entries::const_iterator;

  CHinmeiList();
  CHinmeiList(const CHinmeiList&) = delete;
  CHinmeiList& operator=(const CHinmeiList&) = delete;

  // Appends an entry; the store counts as modified.
  Position addAtEnd(CHinmei entry);

  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  Position begin() { return entries_.begin(); }
  Position end() { return entries_.end(); }
  ConstPosition begin() const { return entries_.begin(); }
  ConstPosition end() const { return entries_.end(); }
  // Changing the list directly (rather than through the changes below) is allowed while a
  // file is read or made; the store then finds its day index again before it next places an
  // entry, and the history, which could not follow, is forgotten.
  Entries& entries() {
    dayIndexBuilt_ = false;
    clearHistory();
    return entries_;
  }
  const Entries& entries() const { return entries_; }
  // Bytes the store's pool took from the system for the nodes of its entries.
  size_t nodeBytes() const { return pool_.reservedBytes(); }

  uint16_t dataVersion() const { return dataVersion_; }
  void setDataVersion(uint16_t v) { dataVersion_ = v; }
  uint16_t blockVersion() const { return blockVersion_; }
  void setBlockVersion(uint16_t v) { blockVersion_ = v; }
  int32_t loadState() const { return loadState_; }
  void setLoadState(int32_t state) { loadState_ = state; }
  bool isModified() const { return modified_; }
  void setModified(bool on) { modified_ = on; }

  // What the store follows: options, the shown window, today, prompts and budgets.
  LedgerContext& context() { return context_; }
  const LedgerContext& context() const { return context_; }

  // ---- Tables derived from the list.
  // Rebuilds the item and rule tables from the head section and forgets the running state;
  // run after the list was read or rebuilt. Definitions beyond the tables are counted.
  void rebuildTables();
  int itemCount() const { return static_cast<int>(itemCount_); }
  int expenseItemCount() const { return expenseItems_; }
  int incomeItemCount() const { return incomeItems_; }
  CHinmei* itemAt(int slot) const;
  int ruleCount() const { return static_cast<int>(ruleCount_); }
  CHinmei* ruleAt(int slot) const;
  const std::vector<CAccount>& accounts(uint16_t kind) const;
  CAccount* findAccount(std::u16string_view name) { return find(kKindAccount, name); }
  CAccount* findLoan(std::u16string_view name) { return find(kKindLoan, name); }
  CAccount* find(uint16_t kind, std::u16string_view name);
  const TableOverflow& tableOverflow() const { return overflow_; }
  // Tells the user, once per kind, that a file held more definitions than the tables take.
  void reportTableOverflow(Prompts& prompts) const;

  // When set, inserting a transfer never registers a missing account or loan.
  bool noAutoDefinition = false;
  // Told of every ledger line the store takes in; of a transfer pair only once, for the half
  // that is not the account's or loan's, and only when both halves stayed.
  std::function<void(const CHinmei&)> onLineAdded;

  // ---- Lookups.
  CHinmei* itemByNumber(int item) const;
  CHinmei* itemByDirection(uint16_t mask) const;
  int itemNumberByName(std::u16string_view name, int direction) const;
  Position headEntryByItem(uint16_t item);
  Position firstDated();
  // The last entry of the head section; end() when the list has none.
  Position lastHeadPosition();
  // The first dated entry on or after the day (the end marker, or end(), when none).
  Position firstOnOrAfter(Day day);
  // The first dated entry after the last one of the day: where a line goes that is to be the
  // day's last. Takes the same time however many lines the day already has.
  Position firstAfterDay(Day day);
  // What is wrong with the store's order, or empty when nothing is: exactly one end marker and
  // it last, the definitions before every dated entry, days that never decrease, and the day
  // index agreeing with the list.
  std::string consistencyProblem() const;
  // The diary entry of a day; MinDay stands for the current day, searched from the cursor.
  std::optional<Position> diaryOf(Day day);
  std::optional<Position> definitionByName(std::u16string_view name, uint16_t mask);
  std::optional<Position> partnerOf(Position p);
  Position leadingOf(Position p);
  // References to the entries from `start` up to the last one dated on or before `date` that
  // pass the filter (an item number, kDayListAccounts, kDayListLoans or kDayListAllButDiary).
  std::vector<Position> dayList(Day date, int filter, Position start);
  // Totals of every item number below the item count over the days from `from` to `to`.
  std::array<int64_t, kMaxItems> totalsByItem(Day from, Day to);
  DetailLine detailLine(const CHinmei& item, int index);
  std::optional<Position> lastDatedOfItem(uint16_t item);

  // ---- Changes; each marks the store modified.
  // Places a dated entry on its day (index within the day, -1 for the end of the day) and
  // keeps every figure current; a definition goes to the head section. Returns the entry's
  // position, a created definition, the day's diary entry, or nothing when refused.
  std::optional<Position> insert(CHinmei entry, int indexInDay = -1, bool createDefinition = true);
  Position insertDefinition(CHinmei entry);
  // Both halves of a transfer, marked as a pair, or neither: when the store refuses the second
  // (or keeps only a definition it registered in its place) the first is taken out again.
  // Returns the second half's position; `firstStored` tells whether the first half got in.
  std::optional<Position> insertPair(CHinmei first, CHinmei second, bool* firstStored = nullptr);
  // Removes one entry; the running state follows, the shown figures do not.
  void remove(Position p);
  // Removes an entry with its partner and takes both out of the shown figures.
  void removeWithTotals(Position p);
  size_t removeUpTo(Day date);
  void deleteAll();
  // Applies what the edit dialog of a dated entry returned.
  EditOutcome editEntry(Position p, const EntryEdit& edit);
  // The same for a detail line that stands for an account without lines: its definition.
  EditOutcome editDefinitionLine(const CHinmei& item, std::u16string_view accountName,
                                 const EntryEdit& edit);
  // Sets the diary text of a day (0 or MinDay: the current day); an empty text removes it.
  std::optional<Position> setDiary(Day day, std::u16string_view text);
  size_t reassignItem(Day from, Day to, uint16_t oldItem, uint16_t newItem);
  void reassignEntries(const std::vector<Position>& entries, uint16_t newItem);
  size_t renameProduct(uint16_t item, std::u16string_view oldName, std::u16string_view newName);
  // Sets or clears an option bit of an item definition (0 graphs, 1 budgets); false when the
  // item does not exist or already had that state.
  bool setItemOption(uint16_t item, int bit, bool on);
  // The password lives in the name of the header entry.
  void setPassword(std::u16string_view password);

  // ---- Items and data moves (HinmeiListItems.cpp, HinmeiListMoves.cpp). Items are counted by
  // their slot in the item table. Each change renumbers everything that holds item numbers in
  // the store and the budgets, and computes the figures again from the start.
  // A new item before the slot-th (-1 or beyond the side: after its last ordinary item),
  // numbered just before its side's two transfer pseudo-items. Nothing when refused (blank
  // name 134, a name taken 144, the side full 931/932).
  std::optional<ItemAdded> addItem(std::u16string_view name, bool income, int slot);
  // What deleting the slot-th item would remove; nothing for a slot without an item.
  std::optional<ItemDeletionCount> countItemDeletion(int slot) const;
  // Deletes an item with its lines, special names and rules, asking first with `ask` (934 for
  // lines, 935 for rules). Nothing when refused (a pseudo-item 933, an answer but Yes, an
  // initial cash that would no longer fit).
  std::optional<ItemDeleted> deleteItem(int slot, bool ask);
  // Gives an item a new name; false when refused (blank 134, taken 144) or when it is the same.
  bool renameItem(int slot, std::u16string_view name);
  // Exchanges the places of two items in the table; lines keep their items.
  bool exchangeItems(int a, int b);
  // Moves the entries (a pair with its partner) to the end of `day`, in the given order; a
  // diary goes onto the day's diary. Returns how many entries moved; nothing (with a message)
  // when the day lies outside kFirstMoveDay to kLastMoveDay.
  std::optional<size_t> moveEntriesToDay(Day day, const std::vector<Position>& selection);
  // Moves every line dated from `from` to `to` so that `from` falls on `firstTarget`, each to
  // the end of its new day, diaries only with `withDiary` (merged onto a diary already there).
  // Returns how many entries moved; nothing (with a message) when a line would leave the days
  // a move may use.
  std::optional<size_t> movePeriod(Day from, Day to, Day firstTarget, bool withDiary);
  // The initial cash balance (the header entry's amount); false when it does not fit or there
  // is no header.
  bool setInitialCash(int64_t amount);
  // How many entries movePeriod would move.
  size_t countPeriodMove(Day from, Day to, bool withDiary);
  // Computes the figures from the first line to the shown window, as after a change that
  // touched lines anywhere.
  void computeFromStart();
  // What is wrong with the item numbers and pairs, or empty: every line's item is an item (or
  // the diary), every rule names items that exist, and pair bits come in adjacent pairs.
  std::string itemProblem() const;

  // ---- Automatic-entry rules, by slot of the rule table (from 0; the settings page numbers its
  // rows from 1). Each rule lives as the text of its holder entry; these are the only ways the
  // holders change.
  // The rule of a slot as its holder's text reads; nothing for a slot beyond the table.
  std::optional<CAutoRule> rule(int slot) const;
  // Rewrites the holder of a slot with the rule's text and source name.
  bool setRule(int slot, const CAutoRule& rule);
  // Appends a holder for the rule and returns its slot; nothing when the table is full (after
  // the limit message, with `tellWhenFull`).
  std::optional<int> addRule(const CAutoRule& rule, bool tellWhenFull = true);
  bool removeRule(int slot);
  // Exchanges the rules of two slots (their holders' contents).
  bool exchangeRules(int a, int b);
  // Lets `change` edit every rule in table order; rewrites those it reports changed and returns
  // their number.
  size_t updateRules(const std::function<bool(int slot, CAutoRule& rule)>& change);
  // Renames the source and destination names of the rules that move money from or to an
  // account (kind kKindAccount) or loan (kKindLoan) of that name; returns how many changed.
  size_t renameRuleAccounts(std::u16string_view oldName, std::u16string_view newName,
                            uint16_t kind);

  // ---- Special product names (HinmeiListNames.cpp). Names are counted by their index in the
  // item's list, from 0; the transfer pseudo-items of a kind share the list of its accounts or
  // loans.
  // The item number whose definitions are the special names of `item`: the expense-side
  // pseudo-item of its kind for a transfer pseudo-item, else the item itself.
  uint16_t specialNameItem(uint16_t item) const;
  std::vector<Position> specialNames(uint16_t item);
  // The bare names, in stored order.
  std::vector<std::u16string> specialNameTexts(uint16_t item) const;
  // What a choice box offers: the names of the item, or with none those of every item below the
  // item count, in stored order.
  std::vector<std::u16string> choiceNames(std::optional<uint16_t> item) const;
  int specialNameCount(uint16_t item) const;
  std::optional<Position> specialNameAt(uint16_t item, int index);
  std::optional<Position> specialNameByText(uint16_t item, std::u16string_view name);
  // Adds a name before the index-th (-1 or beyond the last: after the last) and returns its
  // index. An empty name asks for one; a transfer pseudo-item registers an account or loan with
  // that initial balance (kAskInitialBalance: asked with the registration dialog).
  std::optional<int> addSpecialName(uint16_t item, std::u16string_view name, int index,
                                    bool reportDuplicates,
                                    int32_t initialBalance = kAskInitialBalance);
  // Gives the index-th name a new one, with `renameEntries` also to the item's lines of that
  // name; a transfer pseudo-item renames its account or loan. Nothing when refused.
  std::optional<RenameCount> changeSpecialName(uint16_t item, int index,
                                               std::u16string_view newName, bool renameEntries);
  // Deletes the first name equal to `name` (asking as configured when `ask`); a transfer
  // pseudo-item cancels its account or loan.
  bool deleteSpecialName(uint16_t item, std::u16string_view name, bool ask);
  bool deleteSpecialNameAt(uint16_t item, int index);
  // Exchanges the index-th name with the one `offset` places away.
  NameMove moveSpecialName(uint16_t item, int index, int offset);
  // Changes the index-th name through its dialog: "特別品名の変更" for an ordinary item, the
  // settings dialog of the account or loan for a transfer pseudo-item. True when anything
  // changed.
  bool editSpecialName(uint16_t item, int index);
  // The row of each item's list last chosen, by the item's slot in the item table; -1 none.
  // Every row is -1 after a file was read.
  int rememberedRow(int slot) const;
  void setRememberedRow(int slot, int row);
  std::array<int, kMaxItems>& rememberedRows() { return rememberedRows_; }

  // ---- Accounts and loans.
  // Registers an account or loan (kind kKindAccount or kKindLoan) before the k-th definition of
  // its kind (-1: after the others). kAskInitialBalance, or an empty name, asks the user.
  std::optional<Position> registerAccount(std::u16string_view name, uint16_t kind, int k,
                                          int32_t initialBalance);
  // Gives an account or loan and every line that names it a new name. The same name changes
  // nothing; nothing when refused (a blank or taken name, with its message) or when no entry
  // had the old name.
  std::optional<RenameCount> renameAccount(std::u16string_view newName, std::u16string_view oldName,
                                           uint16_t kind);
  // Renames the automatic-entry rules that name an account or loan of that kind and returns how
  // many it changed; filled by whoever owns the rules' text.
  std::function<size_t(std::u16string_view oldName, std::u16string_view newName, uint16_t kind)>
      onAccountRenamed;
  // Cancels an account or loan (asking first with `ask`): its definition goes, its lines stay
  // and no longer move any balance.
  bool cancelAccount(std::u16string_view name, uint16_t kind, bool ask);
  // The definition's amount becomes the new initial balance; every figure follows at once.
  bool setInitialBalance(std::u16string_view name, uint16_t kind, int32_t initialBalance);
  // The balance watch and the place inside or outside the total assets.
  bool setAccountWatch(std::u16string_view name, uint16_t kind, const AccountWatch& watch);
  // The settings dialog of an account or loan: its name, balance watch and place inside or
  // outside the total assets. True when anything changed.
  bool editAccountSettings(std::u16string_view name, uint16_t kind);
  // Writes the object's settings text back into its definition.
  void writeSettingsText(const CAccount& account);
  // Gives a loan card settings: with `isCard` the loan becomes a card named as the loan,
  // without it the settings are kept but the loan is no card. False when there is no such loan.
  bool setCardSettings(std::u16string_view loan, const CardSettings& card, bool isCard);

  // ---- Balances and totals.
  // Brings the running state to the start of `day`; returns the first entry on or after it.
  Position computeToDay(Day day, bool full = false, bool watch = false);
  int64_t initialCash() const;
  int64_t cashBalance() const;
  // Fills the figures of the shown window from the state of the last computeToDay.
  void recomputeWindow();
  void applyToRows(uint16_t flags, int64_t amount);
  void applyToTotals(uint16_t flags, int64_t amount);
  void applyToPreviousBalance(uint16_t flags, int64_t amount);
  // Net amount moved into the account or loan of that name by lines up to `day`.
  int64_t transferSum(std::u16string_view name, uint16_t mask, Day day,
                      std::optional<Position> stop = std::nullopt);
  // A summary row (items 101 to 107), its 64-bit figure and an item's total in the window.
  const CHinmei& summaryRow(uint16_t row) const;
  int64_t rowValue(uint16_t row) const;
  int64_t itemTotal(int item) const;
  std::optional<Position> dayCursor() const { return cursor_; }
  std::optional<Position> balanceCursor() const { return cursor_; }
  Day computedDay() const { return computedDay_; }
  int64_t runningIncome() const { return runningIncome_; }
  int64_t runningExpense() const { return runningExpense_; }
  // The n accounting months given, oldest first, as columns 1 to n.
  MonthlyMatrix monthlyMatrix(const std::vector<DaySpan>& months);
  // Adds the lines of an item with the name (any name when empty, containing it with
  // `substring`) to row[column]. With `counted`, lines found there are passed over and the lines
  // added are put there.
  void monthlyTotalsOfName(uint16_t item, std::u16string_view name, bool substring,
                           const std::vector<DaySpan>& months, std::vector<int64_t>& row,
                           CountedLines* counted = nullptr);

  // ---- History (HinmeiListHistory.cpp). Every change function records what it changes, so a
  // step can be taken back and made again exactly. A step is what one user command changed:
  // beginStep and endStep bracket a command (they nest); changes outside any command open a
  // step of their own that closeStep() ends.
  void beginStep(std::u16string label = {});
  void endStep();
  void closeStep();
  int stepDepth() const { return depth_; }
  // Kept with the step being recorded, taken back and made again with it.
  void addSideChange(std::unique_ptr<SideChange> change);
  bool canUndo() const;
  bool canRedo() const;
  // What the step names: the command, or its first change ("食費 パン 1,200 の入力").
  std::u16string undoLabel() const;
  std::u16string redoLabel() const;
  // The figures are found again afterwards; the shown ones follow the next computation.
  bool undo();
  bool redo();
  void clearHistory();
  // The present state is the one on disk: taking steps back or making them again to it leaves
  // the store unmodified.
  void markSaved();
  size_t historySteps() const { return steps_.size(); }
  // Grows with every step finished, taken back or made again.
  uint64_t changeCount() const { return changeCount_; }
  size_t historyBytes() const { return historyBytes_; }
  void setHistoryLimit(size_t bytes) { historyLimit_ = bytes; }
  // Off, nothing is recorded (a program that changes a file in one go has no use for it).
  void setRecording(bool on) {
    recording_ = on;
    if (!on) clearHistory();
  }

  // Writes the entries, or reads them as stored by a file of the store's data version, which
  // the document sets from the file before. Reading replaces the list.
  void serialize(Archive& ar);
  void serialize(Archive& ar, EntryReadHooks& hooks);
  void write(Archive& ar) const;

 private:
  void read(Archive& ar, EntryReadHooks& hooks);
  void readEntries(Archive& ar, EntryReadHooks& hooks, uint32_t& count, uint32_t& read);
  void readEntry(Archive& ar, Day correction);

  // How one entry moves cash, accounts and loans in the running computation.
  struct Effect {
    int64_t cash = 0;
    int64_t accounts = 0;
    int64_t loans = 0;
    CAccount* target = nullptr;
  };
  Effect effectOf(const CHinmei& e);
  void putIn(const CHinmei& e, int sign);
  void putInWatched(const CHinmei& e);
  void fillAccountsFromHead();
  void forgetRunningState();
  // Forgets every table and cursor, before the list is replaced.
  void resetDerived();
  void setRowsFromState();
  void syncFigures();
  void addRow(uint16_t row, int64_t amount);
  Prompts& prompts() const;
  // Adds an entry of the window to the figures (sign -1 takes it out).
  void applyWindowEntry(Position p, int sign);
  uint16_t windowFlags(const CHinmei& e);
  bool pairAddsNoTotals(Position p);
  void addToItemTotal(uint16_t item, int64_t amount);
  // Keeps the running state and the shown figures current when one entry comes or goes.
  void entryArrived(Position p);
  void entryLeaving(Position p);
  void figuresOf(Position p, int sign);
  // Takes an entry out of, or puts it back into, the running state and the shown figures.
  void detach(Position p);
  void attach(Position p);
  bool hasItem(uint16_t item) const { return item < kMaxItems && itemPresent_[item]; }
  Position placeOnDay(CHinmei&& e, int indexInDay);
  // The day index: for every day with dated entries, its last one. It is a hint that each use
  // checks against its neighbours in the list; a change of the list that did not go through
  // the store (or a failed check) makes it be built again from the list.
  bool dayIndexCurrent() const { return dayIndexBuilt_ && dayIndexSize_ == entries_.size(); }
  void rebuildDayIndex();
  std::optional<Position> firstAfterByIndex(Day day);
  // Called right after an entry joined the list, and right before one leaves it.
  void indexArrived(Position p);
  void indexLeaving(Position p);
  std::optional<Position> insertTransferDefinition(CHinmei& e, bool createDefinition);
  bool swapNegativeTransfer(CHinmei& e);
  std::optional<Position> refuseZeroAmount(CHinmei& e, bool createDefinition);
  void refreshFigures();
  int columnOf(const std::vector<DaySpan>& months, Day day, size_t& hint) const;
  bool checkFits(int64_t value);
  int64_t accountBalanceOnCurrentDay(const CHinmei& definition);
  Position insertAccountDefinition(CHinmei definition, uint16_t kind, int k);
  void followRenamedAccount(std::u16string_view oldName, const std::u16string& newName,
                            uint16_t kind);
  int slotOfItem(uint16_t item) const;
  // The only ways the list and its entries change: each records what it does.
  Position linkEntry(Position before, CHinmei&& e);
  Position unlinkEntry(Position p);
  CHinmei& changing(CHinmei& e);
  CHinmei& changing(Position p) { return changing(*p); }
  CHinmei& changingNumbers(CHinmei& e);
  // Moves a node to before `before`; the index is left to the caller.
  void moveEntry(Position p, Position before);
  // Moving many entries at once (HinmeiListMoves.cpp): nothing is recorded when `bulk` is null.
  // The entries leave for a list of the store's pool, join the list again, or are merged away;
  // finishing records the whole move as one record of the open step.
  std::unique_ptr<BulkMove> startBulkMove(Day shift) const;
  void takeOut(BulkMove* bulk, Entries& into, Position p);
  void putIn(BulkMove* bulk, Position before, Entries& from, Position p);
  void mergeAway(BulkMove* bulk, Entries& from, Position p);
  void finishBulkMove(std::unique_ptr<BulkMove> bulk);
  void moveBack(BulkMove& bulk);
  void moveAgain(BulkMove& bulk);
  HistoryStep* stepForChange();
  void finishStep();
  void forgetOpenRecords();
  void dropStep(const HistoryStep& step, bool done);
  void dropRedoSteps();
  void exchangeFields(EntryRecord& r, HistoryStep& step);
  void putBack(EntryRecord& r);
  void takeAside(EntryRecord& r);
  void afterHistoryMove();
  std::u16string describe(const HistoryStep& step) const;
  size_t renumberItems(uint16_t from, int delta);
  size_t renumberRules(uint16_t from, int delta);
  bool itemNameTaken(std::u16string_view name, const CHinmei* except) const;
  void forgetRememberedRow(uint16_t item, int oldCount);

  LedgerContext context_;
  std::array<CHinmei*, kMaxItems> itemTable_{};
  size_t itemCount_ = 0;
  std::array<bool, kMaxItems> itemPresent_{};
  int expenseItems_ = 0;
  int incomeItems_ = 0;
  std::array<CHinmei*, kMaxRules> ruleTable_{};
  size_t ruleCount_ = 0;
  std::vector<CAccount> accounts_;
  std::vector<CAccount> loans_;
  TableOverflow overflow_;
  // The first entry on or after the computed day; unset until a computation ran.
  std::optional<Position> cursor_;
  Day computedDay_ = MinDay;
  int64_t runningIncome_ = 0;
  int64_t runningExpense_ = 0;
  int64_t runningAccounts_ = 0;
  int64_t runningLoans_ = 0;
  std::array<CHinmei, 7> summaryRows_;
  std::array<int64_t, 7> rows_{};
  std::array<int64_t, kMaxItems> itemTotals_{};
  std::array<int, kMaxItems> rememberedRows_;

  // Declared before the list, so the list gives its nodes back before the pool goes.
  NodePool pool_;
  Entries entries_{&pool_};
  // Entries that left the list while a step can still bring them back.
  Entries graveyard_{&pool_};
  std::deque<HistoryStep> steps_;
  size_t done_ = 0;  // steps_[0, done_) are done, the rest taken back
  // The number of steps done when the file was last read or saved; none when that state can
  // no longer be reached.
  size_t savedAt_ = 0;
  HistoryStep open_;
  bool stepOpen_ = false;
  bool stepOverflowed_ = false;
  bool recording_ = true;
  bool replaying_ = false;
  int depth_ = 0;
  size_t historyBytes_ = 0;
  uint64_t changeCount_ = 0;
  size_t historyLimit_ = kHistoryByteLimit;
  std::map<Day, Position> lastOfDay_;
  bool dayIndexBuilt_ = false;
  // The size of the list the index describes; any other size means the list changed beside it.
  size_t dayIndexSize_ = 0;
  uint16_t dataVersion_ = kDataVersionCurrent;
  uint16_t blockVersion_ = kBlockVersionCurrent;
  int32_t loadState_ = kLoadComplete;
  bool modified_ = false;
  bool reportLines_ = true;
};

}  // namespace sorami
