#pragma once
// The settings page "自動記入": the list of automatic-entry rules with 上, 下, 削除 and 新規追加,
// the dialog of a rule on a double click or 変更, and the two options that stop all automatic
// entries and give them a memo, written back when the page closes.

#include <QDialog>
#include <functional>
#include <optional>

#include "rules/AutoRule.h"
#include "rules/AutoRuleDialog.h"

class QCheckBox;
class QPushButton;

namespace sorami {

class AppSettings;
class CAutoSpread;
class CConfig;
class CHinmeiList;
class Prompts;

class CAutoEntryPage : public QDialog {
  Q_OBJECT

 public:
  // `today` is the day new rules start from (the main window's current day).
  CAutoEntryPage(CHinmeiList& store, CConfig& config, Prompts& prompts, AppSettings* settings,
                 Day today, QWidget* parent = nullptr);

  // Opens "自動記入の設定" on a rule; nothing when cancelled. Tests answer it themselves.
  std::function<std::optional<CAutoRule>(const CAutoRule& rule)> editRule;

  void moveUp();
  void moveDown();
  void deleteRule();
  void addRule();
  void changeRule();
  // Whether the rules changed while the page was open.
  bool changed() const { return changed_; }

  CAutoSpread* grid() const { return grid_; }
  QPushButton* upButton() const { return up_; }
  QPushButton* downButton() const { return down_; }
  QPushButton* deleteButton() const { return delete_; }
  QPushButton* addButton() const { return add_; }
  QCheckBox* stopBox() const { return stop_; }
  QCheckBox* memoBox() const { return memo_; }

  void done(int result) override;

 private:
  // The selected rule's slot, or nothing after message 167.
  std::optional<int> selectedSlot();
  void select(int slot);
  void showMenu(const QPoint& globalPos);

  CHinmeiList& store_;
  CConfig& config_;
  Prompts& prompts_;
  Day today_;
  bool changed_ = false;
  CAutoSpread* grid_;
  QPushButton* up_;
  QPushButton* down_;
  QPushButton* delete_;
  QPushButton* add_;
  QCheckBox* stop_;
  QCheckBox* memo_;
};

}  // namespace sorami
