// Start-of-period processing: the ledger goes on in a new file that begins the day after a
// closing date, with every balance of that day as its initial balance.

#include <system_error>

#include "document/SoramiDoc.h"

namespace sorami {

namespace fs = std::filesystem;

namespace {

bool samePlace(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  if (fs::equivalent(a, b, ec)) return true;
  const fs::path ca = fs::weakly_canonical(a, ec);
  if (ec) return a == b;
  return ca == fs::weakly_canonical(b, ec);
}

}  // namespace

bool CSoramiDoc::startOfPeriod() {
  if (!hasFile()) return false;
  const std::optional<Day> closing = prompts_.periodClosingDate(currentDay_ - 1);
  if (!closing) return false;
  const std::optional<fs::path> path = prompts_.chooseSaveFile(
      {u"期首処理後の新しいﾃﾞｰﾀﾌｧｲﾙの指定", u"*.mtb", u"そらみデータ|*.mtb||", u"mtb"});
  if (!path) return false;
  return closePeriod(*closing, *path);
}

bool CSoramiDoc::closePeriod(Day closing, const fs::path& newPath) {
  if (!hasFile() || !isValidDay(closing) || closing >= MaxDay - 1) return false;
  // The old period stays in its own file.
  if (samePlace(newPath, path_)) {
    prompts_.inform(MessageId::PeriodNeedsOtherFile, {}, Icon::Warning);
    return false;
  }
  if (!saveAs(newPath)) return false;
  const Day start = closing + 1;
  setCurrentDay(start);
  foldBalancesInto(start);
  entries_->removeUpTo(closing);
  budgets_->removeBefore(start);
  entries_->computeToDay(currentDay_, true);
  runPostOpen();
  return save(newPath);
}

// The balances at the start of `day` become the initial balances.
void CSoramiDoc::foldBalancesInto(Day day) {
  entries_->computeToDay(day, true);
  if (!entries_->empty() && entries_->begin()->isHeader()) {
    entries_->begin()->amount = saturatedAmount(entries_->cashBalance());
  }
  for (const uint16_t kind : {kKindAccount, kKindLoan}) {
    for (const CAccount& a : entries_->accounts(kind)) {
      if (a.definition) a.definition->amount = saturatedAmount(a.balance);
    }
  }
  entries_->setModified(true);
}

}  // namespace sorami
