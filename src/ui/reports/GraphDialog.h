#pragma once
// The dialog "表,ｸﾞﾗﾌ表示" (222): the span of accounting months for the annual summary and the
// trend graphs, the graph settings, the item and product name of the item graphs, the period of
// the pie graph, and one button per report.

#include <QDialog>
#include <QHash>
#include <array>
#include <functional>

#include "reports/GraphDrawing.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

namespace sorami {

class CGraphWnd;
class CSoramiDoc;
class HolidayCalendar;
class Prompts;

// The ids the dialog's reports always had.
enum GraphDialogButton : int {
  IDC_ANNUAL_SUMMARY = 865,
  IDC_ASSETS_GRAPH = 957,
  IDC_EXPENSE_GRAPH = 861,
  IDC_INCOME_GRAPH = 870,
  IDC_ITEM_GRAPH = 878,
  IDC_NAMES_GRAPH = 875,
  IDC_PRODUCT_GRAPH = 883,
  IDC_PIE_GRAPH = 862,
  IDC_PIE_PREVIOUS = 579,
  IDC_PIE_TODAY = 719,
  IDC_PIE_NEXT = 580,
  IDC_ITEM_SETTINGS = 860,
};

struct GraphDialogSetup {
  Day currentDay = MinDay;  // the pie's period starts as the accounting month of this day
  uint16_t selectedItem = 0;
  bool monochrome = false;
};

class CGraphDialog : public QDialog {
  Q_OBJECT

 public:
  CGraphDialog(CSoramiDoc& document, const HolidayCalendar& holidays, Prompts& prompts,
               const GraphDialogSetup& setup, QWidget* parent = nullptr);

  QPushButton* button(int id) const;
  QSpinBox* field(int id) const;
  QComboBox* itemBox() const { return items_; }
  QComboBox* nameBox() const { return names_; }

  // Shows a graph window; modal unless a test looks at it instead.
  std::function<void(CGraphWnd& window)> showGraph;
  // The annual summary for end year, end month and month count (button 865).
  std::function<void(YearMonth end, int months)> openAnnualSummary;
  // The item settings (button 860); the dialog fills its item lists again afterwards.
  std::function<void()> openItemSettings;

  // The settings as the fields show them.
  GraphSettings settings() const;
  void openTrend(GraphKind kind);
  void openSpecialNames(uint16_t item);
  void openPie();

 protected:
  void done(int result) override;

 private:
  QWidget* buildSpan();
  QWidget* buildItems();
  QWidget* buildPeriod();
  QWidget* buildButtons();
  QSpinBox* spin(int id, int low, int high, int value, const QString& suffix);
  void fillItems(uint16_t selected);
  void fillNames();
  void setPeriod(const Period& period);
  void stepPeriod(int direction);
  void storeDrawingSettings();
  void show(GraphDrawing drawing);
  GraphDrawing drawingOf(std::optional<TrendGraph> trend, std::optional<PieGraph> pie) const;
  uint16_t comboSide() const;

  CSoramiDoc& document_;
  const HolidayCalendar& holidays_;
  Prompts& prompts_;
  GraphDialogSetup setup_;
  QHash<int, QSpinBox*> fields_;
  QHash<int, QPushButton*> buttons_;
  QCheckBox* guideLines_;
  QCheckBox* fixedMaximum_;
  QCheckBox* fuzzyNames_;
  QCheckBox* lineGraph_;
  QComboBox* items_;
  QComboBox* names_;
  std::vector<uint16_t> itemNumbers_;
};

}  // namespace sorami
