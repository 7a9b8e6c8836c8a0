// The document's side of the history: the budgets and the file's settings change beside the
// entries, so each step keeps what they were when it changed them.
#include <memory>
#include <utility>

#include "document/SoramiDoc.h"

namespace sorami {

namespace {

// Fields that follow the window rather than the file's settings: a step never takes them back.
void keepViewState(CConfig& to, const CConfig& from) {
  to.displayMode = from.displayMode;
  to.displaySubMode = from.displaySubMode;
  to.lastOpenDay = from.lastOpenDay;
  to.currentItem = from.currentItem;
}

class ConfigChange : public SideChange {
 public:
  ConfigChange(CConfig& live, CConfig other) : live_(live), other_(std::move(other)) {}
  void exchange() override {
    CConfig now = live_;
    live_ = other_;
    keepViewState(live_, now);
    other_ = std::move(now);
  }
  size_t bytes() const override { return sizeof(CConfig); }

 private:
  CConfig& live_;
  CConfig other_;
};

class BudgetChange : public SideChange {
 public:
  BudgetChange(CBudgetList& list, CBudgetList other) : list_(list), other_(std::move(other)) {}
  void exchange() override { std::swap(list_, other_); }
  size_t bytes() const override { return (other_.size() + 1) * sizeof(CBudget); }

 private:
  CBudgetList& list_;
  CBudgetList other_;
};

}  // namespace

void CSoramiDoc::restAtPresent() {
  budgetsAtRest_ = budgets_ ? *budgets_ : CBudgetList();
  configAtRest_ = live_;
}

// Compared rather than followed: the budget and settings windows change them in place.
void CSoramiDoc::noteSideChanges() {
  if (!entries_ || entries_->stepDepth() > 1) return;
  if (budgets_ && !budgets_->sameBudgets(budgetsAtRest_)) {
    entries_->addSideChange(std::make_unique<BudgetChange>(*budgets_, budgetsAtRest_));
    budgetsAtRest_ = *budgets_;
  }
  // Most steps leave the settings exactly as they were: one comparison, without the copy and the
  // field-by-field list that weighing a difference takes.
  if (live_ == configAtRest_) return;
  CConfig probe = live_;
  keepViewState(probe, configAtRest_);
  if (probe.differs(configAtRest_)) {
    entries_->addSideChange(std::make_unique<ConfigChange>(live_, configAtRest_));
    configAtRest_ = live_;
  }
}

void CSoramiDoc::beginStep(std::u16string label) {
  if (!entries_) return;
  if (entries_->stepDepth() == 0) closeStep();
  entries_->beginStep(std::move(label));
}

void CSoramiDoc::endStep() {
  if (!entries_ || entries_->stepDepth() == 0) return;
  noteSideChanges();
  entries_->endStep();
}

void CSoramiDoc::closeStep() {
  if (!entries_ || entries_->stepDepth() > 0) return;
  noteSideChanges();
  entries_->closeStep();
}

bool CSoramiDoc::undo() {
  if (!entries_) return false;
  closeStep();
  if (!entries_->undo()) return false;
  afterHistoryMove();
  return true;
}

bool CSoramiDoc::redo() {
  if (!entries_) return false;
  closeStep();
  if (!entries_->redo()) return false;
  afterHistoryMove();
  return true;
}

// Back at the state last saved the file counts as unchanged again; the settings tell on their
// own, compared with those saved.
void CSoramiDoc::afterHistoryMove() {
  restAtPresent();
  if (!entries_->isModified()) {
    modified_ = false;
    if (budgets_) budgets_->setModified(false);
  } else if (budgets_) {
    budgets_->setModified(true);
  }
  updateContext();
  if (currentDay_ != MinDay) entries_->computeToDay(currentDay_, true);
}

}  // namespace sorami
