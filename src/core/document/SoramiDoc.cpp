#include "document/SoramiDoc.h"

#include <utility>

#include "document/LedgerSetup.h"
#include "rules/Calendar.h"

namespace sorami {

namespace {

constexpr int kOpenDayKeepsLastOpenDay = 2;

}  // namespace

CSoramiDoc::CSoramiDoc(CConfig& live, Prompts& prompts, const Clock& clock, DocumentHost* host)
    : live_(live),
      prompts_(prompts),
      clock_(clock),
      host_(host ? host : &noHost_),
      snapshot_(live),
      backup_(live) {}

CSoramiDoc::~CSoramiDoc() = default;

void CSoramiDoc::leaveStoreToProcessExit() {
  static_cast<void>(entries_.release());
  static_cast<void>(budgets_.release());
}

Day CSoramiDoc::today() const {
  return sorami::today(clock_, live_.hourOffset);
}

bool CSoramiDoc::isModified() {
  if (live_.openDayMode == kOpenDayKeepsLastOpenDay && currentDay_ != MinDay) {
    live_.lastOpenDay = currentDay_;
  }
  if (modified_ || live_.differs(snapshot_)) return true;
  if (entries_ && entries_->isModified()) return true;
  return budgets_ && budgets_->isModified();
}

void CSoramiDoc::deleteContents() {
  entries_.reset();
  budgets_.reset();
  heldLock_.reset();
}

void CSoramiDoc::setCurrentDay(Day day) {
  currentDay_ = clampToUserDays(day);
  updateContext();
}

// The store follows the options of the live configuration and the day the user works on.
void CSoramiDoc::updateContext() {
  if (!entries_) return;
  LedgerContext& c = entries_->context();
  c.options = ledgerOptions(live_);
  c.window.currentDay = currentDay_;
  c.window.mode = static_cast<DisplayMode>(live_.displayMode);
  c.today = today();
  c.prompts = &prompts_;
  c.budgets = budgets_.get();
}

void CSoramiDoc::setPath(const std::filesystem::path& path) {
  path_ = path;
  title_ = path.empty() ? std::u16string(kNoFileTitle) : path.filename().u16string();
  host_->titleChanged(title_);
}

// The one place where the processing after an open or a creation runs.
// What it writes is one step of a new history, so that it can be taken back at once.
void CSoramiDoc::runPostOpen() {
  if (!entries_) return;
  entries_->clearHistory();
  restAtPresent();
  beginStep(u"起動時の処理");
  if (postOpen) postOpen(*this);
  endStep();
}

}  // namespace sorami
