// Figures of the report windows on a sample household of 1,000,000 lines over forty years: the
// drawing of a graph into a window-sized image (bars of 60 months with every expense item, the
// total assets as lines, the pie of a month) and the budget window from its creation to shown.
// Each figure is the fastest of five runs.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "Timing.h"
#include "config/DefaultData.h"
#include "document/SoramiDoc.h"
#include "ledger/SampleHousehold.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "reports/BudgetDialog.h"
#include "reports/GraphPainter.h"
#include "rules/Holidays.h"

using namespace sorami;
using sorami::bench::fastestMilliseconds;

namespace {

GraphDrawing trend(CSoramiDoc& doc, const CHoliday& holidays, GraphKind kind) {
  GraphSettings s;
  s.endYear = 2025;
  s.endMonth = 12;
  s.months = 60;
  GraphDrawing d;
  d.trend = *buildTrendGraph(*doc.entries(), GraphRequest::of(kind), s,
                             doc.config().periodSettings(), holidays, doc.today())
                 .graph;
  d.scale = scaleOptionsOf(s, 0, u"\\");
  d.scale.lines = d.trend->lines;
  return d;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  SystemClock clock;
  CConfig live;
  DefaultPrompts prompts;
  CSoramiDoc doc(live, prompts, clock);
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "sorami-bench-reports.mtb";
  if (!doc.createFile(path, {})) return 2;
  fillSampleHousehold(*doc.entries(), {1'000'000, 1, 40});
  const CHoliday holidays;

  QImage image(1000, 640, QImage::Format_ARGB32_Premultiplied);
  const struct {
    const char* what;
    GraphDrawing drawing;
  } graphs[] = {{"expense bars, 60 months", trend(doc, holidays, GraphKind::Expense)},
                {"total assets lines, 60 months", trend(doc, holidays, GraphKind::Assets)}};
  for (const auto& g : graphs) {
    const double ms = fastestMilliseconds([&] {
      QPainter p(&image);
      GraphPainter(g.drawing).paint(p, image.rect());
    });
    std::printf("drawing a graph, %s, 1000x640: %.2f ms (goal 16 ms)\n", g.what, ms);
  }
  GraphDrawing pie;
  pie.pie = buildPieGraph(*doc.entries(), dayFromYmd(2025, 11, 1), dayFromYmd(2025, 11, 30));
  const double pieMs = fastestMilliseconds([&] {
    QPainter p(&image);
    GraphPainter(pie).paint(p, image.rect());
  });
  std::printf("drawing the pie graph, 1000x640: %.2f ms (goal 16 ms)\n", pieMs);

  const double budget = fastestMilliseconds([&] {
    CBudgetDialog dialog(doc, holidays, prompts, nullptr, dayFromYmd(2025, 12, 10));
    dialog.show();
    QApplication::processEvents();
    (void)dialog.grab();
  });
  std::printf("budget window to shown and painted: %.2f ms (goal 20 ms)\n", budget);
  std::filesystem::remove(path);
  return 0;
}
