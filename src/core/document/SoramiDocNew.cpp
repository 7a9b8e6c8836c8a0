// A new data file: the dialog's values, the file name, the default ledger, the first save.

#include <algorithm>

#include "document/SoramiDoc.h"

namespace sorami {

namespace fs = std::filesystem;

namespace {

constexpr int32_t kMaxInitialCash = 999999999;
constexpr double kMaxTaxRate = 100;

}  // namespace

bool CSoramiDoc::newDataFile() {
  backup_ = live_;
  const Day day = today();
  live_.taxRate = proposedTaxRate(day);
  live_.settingsYear = ymdFromDay(day).year;
  const NewFileValues proposed{kDefaultInitialCash, true, std::min(live_.taxRate, kMaxTaxRate)};
  const std::optional<NewFileValues> values = prompts_.newFileValues(proposed);
  std::optional<fs::path> path;
  if (values) {
    path = prompts_.chooseSaveFile(
        {u"新規データの作成", u"出納簿.mtb", u"そらみデータ|*.mtb||", u"mtb"});
  }
  if (!path) {
    live_ = backup_;
    return false;
  }
  return createLedger(*path, *values);
}

bool CSoramiDoc::createFile(const fs::path& path, const NewFileValues& values) {
  backup_ = live_;
  live_.settingsYear = ymdFromDay(today()).year;
  return createLedger(path, values);
}

bool CSoramiDoc::createLedger(const fs::path& path, const NewFileValues& values) {
  live_.taxRate = std::clamp(values.taxRate, 0.0, kMaxTaxRate);
  NewLedger ledger = buildNewLedger(
      live_, {live_.expenseItemCount, live_.incomeItemCount,
              std::clamp(values.initialCash, 0, kMaxInitialCash), values.sampleNames});
  if (!writeLedger(path, *ledger.entries, ledger.budgets.get())) {
    live_ = backup_;
    if (!hasFile()) prompts_.inform(MessageId::NoDataLoaded, {}, Icon::Information);
    return false;
  }
  entries_ = std::move(ledger.entries);
  budgets_ = std::move(ledger.budgets);
  entries_->setModified(false);
  budgets_->setModified(false);
  modified_ = false;
  setPath(path);
  host_->addRecentFile(path);
  setCurrentDay(addDays(today(), live_.dayOffset));
  entries_->computeToDay(currentDay_, true);
  host_->refreshViews();
  runPostOpen();
  return true;
}

}  // namespace sorami
