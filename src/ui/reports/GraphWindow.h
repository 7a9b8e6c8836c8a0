#pragma once
// The window of one graph: a trend graph (dialog 261) or the pie graph of a period (window 221
// "GraphCircle"), with saving as PNG, SVG or PDF and printing.

#include <QDialog>

#include "reports/GraphDrawing.h"

namespace sorami {

class CGraphView;
class Prompts;

class CGraphWnd : public QDialog {
  Q_OBJECT

 public:
  CGraphWnd(GraphDrawing drawing, Prompts& prompts, QWidget* parent = nullptr);

  CGraphView* view() const { return view_; }
  // Asks for a file and writes the graph there; false when cancelled or it failed (and said so).
  bool saveAs();
  void print();

 private:
  Prompts& prompts_;
  CGraphView* view_;
};

}  // namespace sorami
