// Opening a data file: recognise and read it, check the password before anything of its
// content is shown, recover from damage and from running out of memory, upgrade older files.

#include <new>
#include <string>
#include <vector>

#include "archive/Archive.h"
#include "document/SoramiDoc.h"
#include "ledger/LedgerUpgrade.h"
#include "rules/Calendar.h"

namespace sorami {

namespace fs = std::filesystem;

namespace {

constexpr int kOpenDayLastEntry = 1;
constexpr int kOpenDayLastOpen = 2;

// Hands the entries to the document's reader and tells the budget list which months went.
class DocumentReadHooks : public FileReadHooks {
 public:
  DocumentReadHooks(EntryReader& reader, uint32_t limit,
                    const std::function<void(uint32_t, uint32_t)>& progress)
      : reader_(reader), limit_(limit), progress_(progress) {}
  void begin(CHinmeiList& list, uint32_t count) override { reader_.begin(list, count); }
  void appended(CHinmeiList& list, EntryList::iterator entry, uint32_t index) override {
    if (progress_) progress_(index, limit_);
    reader_.appended(list, entry, index);
  }
  bool watchesEachEntry() const override {
    return static_cast<bool>(progress_) || reader_.watchesEachEntry();
  }
  bool damaged(CHinmeiList& list, const ArchiveError& error, uint32_t count,
               uint32_t read) override {
    return reader_.damaged(list, error, count, read);
  }
  void outOfMemory(CHinmeiList& list, uint32_t read) override { reader_.outOfMemory(list, read); }
  void end(CHinmeiList& list, uint32_t count, uint32_t read) override {
    reader_.end(list, count, read);
  }
  std::optional<BudgetMonth> firstKeptMonth() const override {
    const std::optional<Day> day = reader_.firstKeptDay();
    if (!day) return std::nullopt;
    const Ymd ymd = ymdFromDay(*day);
    return BudgetMonth{static_cast<uint16_t>(ymd.year), static_cast<uint16_t>(ymd.month)};
  }

 private:
  EntryReader& reader_;
  uint32_t limit_;
  const std::function<void(uint32_t, uint32_t)>& progress_;
};

std::u16string number(int64_t n) {
  const std::string s = std::to_string(n);
  return {s.begin(), s.end()};
}

// The names of the item definitions, indexed by item number.
std::vector<std::u16string> itemNames(const CHinmeiList& entries) {
  std::vector<std::u16string> names;
  for (const CHinmei& e : entries) {
    if (e.isDated()) break;
    if (!e.isItemDefinition()) continue;
    if (e.item >= names.size()) names.resize(e.item + 1u);
    names[e.item] = e.name;
  }
  return names;
}

// The configuration text is read from the first entry, whatever it is, but a save writes it only
// into a header. A damaged file whose first entry is no header (an item definition whose memo
// the upgrades then rewrite as its options) would be saved without its settings and refused
// the next time: such a store gets a header of its own, which moves no balance (the initial
// cash of a store without header is 0) and takes nothing from the entries it has.
void ensureHeader(CHinmeiList& entries) {
  if (!entries.empty() && entries.begin()->isHeader()) return;
  entries.entries().emplace_front(MinDay, ITEM_HEADER, EF_ITEM, u"", u"", 0);
  entries.setModified(true);
}

}  // namespace

bool CSoramiDoc::open(const fs::path& path) {
  backup_ = live_;
  lastOpen_ = {};
  ReadStep step = ReadStep::Retry;
  LoadedFile loaded;
  std::optional<FileLock> lock;
  std::unique_ptr<ReadAhead> ahead = std::move(readAhead_);
  while (step == ReadStep::Retry) {
    step = readOnce(path, loaded, lock, ahead.get());
    ahead.reset();
  }
  // Every open sequence starts again without a limit.
  readLimit_ = kReadLimitUnlimited;
  if (step == ReadStep::Failed) {
    restorePrevious();
    return false;
  }
  if (holdLock_) heldLock_ = std::move(lock);
  rememberOnDisk(path, loaded.identity);
  adopt(loaded, path);
  return true;
}

// A reader shares the file with other readers; a document that holds the file from its read to
// its save keeps every other process out meanwhile.
std::optional<FileLock> CSoramiDoc::lockForReading(const fs::path& path) {
  if (!holdLock_) return FileLock::tryLock(path, FileLock::Mode::Shared);
  // The lock this document already holds on the file serves again (a second one of the same
  // process would conflict with it).
  if (heldLock_ && heldLock_->holds(path)) return std::move(heldLock_);
  return FileLock::lock(path, FileLock::Mode::Exclusive, lockWait_);
}

CSoramiDoc::ReadStep CSoramiDoc::readOnce(const fs::path& path, LoadedFile& loaded,
                                          std::optional<FileLock>& lock, ReadAhead* ahead) {
  EntryReader reader(readLimit_);
  DocumentReadHooks hooks(reader, readLimit_, readProgress);
  ReadOptions options;
  options.diaryTitle = oldFileDiaryTitle_;
  options.hooks = &hooks;
  options.identify = identifiesFile_;
  // A read made ahead lets the file go first: its lock would stand in the way of an exclusive one.
  if (ahead) ahead->wait();
  if (!lock) lock = lockForReading(path);
  if (!lock) {
    prompts_.inform(MessageId::FileInUse, {path.u16string()}, Icon::Warning);
    return ReadStep::Failed;
  }
  try {
    loaded = load(path, options, ahead);
  } catch (const std::bad_alloc&) {
    loaded = {};
    return lowerLimitAndAsk(reader.loweredLimit()) ? ReadStep::Retry : ReadStep::Failed;
  }
  lastOpen_.failure = loaded.failure;
  lastOpen_.dataVersion = loaded.config.dataVersion;
  lastOpen_.budgetsDamaged = loaded.ledger.budgetsDamaged;
  if (loaded.failure != LoadFailure::None) {
    const bool quiet = loaded.failure == LoadFailure::TooFewEntries && hasFile();
    const std::optional<MessageId> message = failureMessage(loaded.failure);
    if (message && !quiet) prompts_.inform(*message, {}, Icon::Information);
    return ReadStep::Failed;
  }
  // Nothing of the file's content is shown before its password was given.
  if (!passwordAccepted(*loaded.ledger.entries)) return ReadStep::Failed;
  if (!acceptDamage(loaded, reader)) return ReadStep::Failed;
  reportTrim(reader);
  upgrade(loaded);
  return ReadStep::Done;
}

// The file as read ahead, when that read stands for this one. Without a limit the document's
// reader leaves a store that reads whole as it is, so the read ahead holds what this read would.
LoadedFile CSoramiDoc::load(const fs::path& path, const ReadOptions& options, ReadAhead* ahead) {
  if (ahead && readLimit_ == kReadLimitUnlimited && !readProgress) {
    if (std::optional<LoadedFile> early = ahead->take(path, options.diaryTitle)) {
      return std::move(*early);
    }
  }
  return loadDataFile(path, prompts_, options);
}

// Memory ran out: a lower limit may fit, when the user wants the recent entries only.
bool CSoramiDoc::lowerLimitAndAsk(std::optional<uint32_t> lowered) {
  if (!lowered || *lowered >= readLimit_) return false;
  readLimit_ = *lowered;
  return prompts_.ask(MessageId::ReadLimitExceeded, {}, Buttons::YesNo, Answer::No) == Answer::Yes;
}

bool CSoramiDoc::passwordAccepted(const CHinmeiList& entries) {
  const std::optional<PasswordCheck> password = passwordCheckOf(entries);
  if (!password) return true;
  const PasswordCheck& check = *password;
  const PasswordReply reply = prompts_.askPassword(check, !hasFile());
  if (reply.action == PasswordReply::Action::Cancel) return false;
  if (reply.action == PasswordReply::Action::Ok && check(reply.typed)) return true;
  host_->exitApplication();
  return false;
}

bool CSoramiDoc::acceptDamage(const LoadedFile& /*loaded*/, const EntryReader& reader) {
  const std::optional<DamageReport>& damage = reader.damage();
  if (!damage) return true;
  const Answer a =
      prompts_.ask(MessageId::FilePartlyBroken, {number(damage->count), number(damage->read)},
                   Buttons::YesNo, Answer::No);
  if (a != Answer::Yes) {
    prompts_.inform(MessageId::FileBroken, {}, Icon::Information);
    return false;
  }
  lastOpen_.damaged = true;
  return true;
}

void CSoramiDoc::reportTrim(const EntryReader& reader) {
  const std::optional<TrimReport>& trim = reader.trimReport();
  if (!trim) return;
  const Ymd ymd = ymdFromDay(trim->lastRemovedDay);
  prompts_.inform(MessageId::ReadLimitTrimmed,
                  {number(ymd.year), number(ymd.month), number(ymd.day), number(trim->removed),
                   number(trim->kept)},
                  Icon::Information);
  lastOpen_.trimmed = true;
}

void CSoramiDoc::upgrade(LoadedFile& loaded) {
  CHinmeiList& entries = *loaded.ledger.entries;
  CConfig& config = loaded.config;
  if (lastOpen_.damaged || lastOpen_.trimmed) entries.setModified(true);
  if (lastOpen_.damaged) {
    // A partly read store skips the upgrades but must still end properly.
    config.fromText(entries.begin()->visibleMemo(), u"");
    repairEndMarker(entries);
  } else {
    const uint16_t version = config.dataVersion;
    upgradeLedger(entries, {version, config.reservedByte1 != 0, config.decimalPlaces}, prompts_);
    const UpgradeResult result = config.upgrade(prompts_, itemNames(entries));
    if (result.markForSaving) entries.setModified(true);
    lastOpen_.upgraded = version < kDataVersionCurrent || result.markForSaving;
  }
  ensureHeader(entries);
  entries.rebuildTables();
  config.expenseItemCount = static_cast<uint16_t>(entries.expenseItemCount());
  config.incomeItemCount = static_cast<uint16_t>(entries.incomeItemCount());
}

void CSoramiDoc::adopt(LoadedFile& loaded, const fs::path& path) {
  live_ = std::move(loaded.config);
  entries_ = std::move(loaded.ledger.entries);
  budgets_ = std::move(loaded.ledger.budgets);
  setPath(path);
  host_->addRecentFile(path);
  snapshot_ = live_;
  modified_ = false;
  backedUp_.clear();
  setCurrentDay(openingDay());
  if (figuresAtOpen_) entries_->computeToDay(currentDay_, true);
  host_->refreshViews();
  runPostOpen();
  lastOpen_.ok = true;
}

Day CSoramiDoc::openingDay() const {
  Day day = today();
  if (live_.openDayMode == kOpenDayLastEntry) {
    const Day last =
        dayFromYmd(live_.lastEntryYear, live_.lastEntryMonth, live_.lastEntryDayOfMonth);
    if (last != InvalidDay) day = last;
  } else if (live_.openDayMode == kOpenDayLastOpen && isValidDay(live_.lastOpenDay) &&
             live_.lastOpenDay > MinDay) {
    day = live_.lastOpenDay;
  }
  return addDays(day, live_.dayOffset);
}

// A failed open leaves the open file, its settings and its state as they were.
void CSoramiDoc::restorePrevious() {
  live_ = backup_;
  setPath(entries_ ? path_ : fs::path());
}

}  // namespace sorami
