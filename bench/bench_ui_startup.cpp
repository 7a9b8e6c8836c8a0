// The start of the desktop program on a data file of 1,000,000 lines: from the application
// object to the main window shown with the file's current day. The file is built through the
// core first (lines spread over twenty years), then the program's start is timed as a user
// meets it: open and read the file, compute the balances, fill the view and show the window.
// Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include <QApplication>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>

#include "document/SoramiDoc.h"
#include "document/SoramiDocGateway.h"
#include "main/Application.h"
#include "main/MainFrame.h"
#include "main/SoramiView.h"
#include "platform/AppSettings.h"
#include "platform/Clock.h"
#include "platform/QtPrompts.h"
#include "platform/SingleInstance.h"

using namespace sorami;

namespace {

constexpr int kLines = 1'000'000;
constexpr int kYears = 20;

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Lines of the default items over twenty years up to today, placed in date order before the end
// marker of a new file.
bool buildFile(const std::filesystem::path& path) {
  SystemClock clock;
  CConfig live;
  QtPrompts prompts;
  CSoramiDoc doc(live, prompts, clock);
  if (!doc.createFile(path, NewFileValues{100000, true, 10})) return false;
  CHinmeiList& store = *doc.entries();
  const int expense = store.expenseItemCount() - 2;
  const int incomeFirst = store.expenseItemCount();
  const int income = store.incomeItemCount() - 2;
  auto& list = store.entries();
  const auto endMarker = std::prev(list.end());
  std::mt19937 rng(7);
  const Day last = doc.today();
  const Day first = last - kYears * 365;
  for (int i = 0; i < kLines; ++i) {
    const Day d = first + static_cast<Day>(static_cast<int64_t>(i) * (last - first) / kLines);
    const auto amount = static_cast<int32_t>(rng() % 5000 + 1);
    if (rng() % 10 == 0) {
      const auto item =
          static_cast<uint16_t>(store.itemAt(incomeFirst + static_cast<int>(rng()) % income)->item);
      list.insert(endMarker, CHinmei(d, item, EF_INCOME, u"収入", u"", amount * 10));
    } else {
      const auto item = static_cast<uint16_t>(
          store.itemAt(static_cast<int>(rng() % static_cast<unsigned>(expense)))->item);
      list.insert(endMarker, CHinmei(d, item, EF_EXPENSE, u"買い物", u"メモ", amount));
    }
  }
  store.rebuildTables();
  store.setModified(true);
  return doc.save();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Application::describe(app);
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "sorami-bench-startup";
  std::filesystem::create_directories(dir);
  const std::filesystem::path file = dir / "large.mtb";
  auto t = std::chrono::steady_clock::now();
  if (!buildFile(file)) {
    std::fprintf(stderr, "could not build %s\n", file.string().c_str());
    return 1;
  }
  std::printf("built %d lines into %s (%.0f MB) in %.2f s\n", kLines, file.string().c_str(),
              static_cast<double>(std::filesystem::file_size(file)) / 1e6, secondsSince(t));

  {
    // The document's part alone: read, check and compute the balances of the current day.
    SystemClock clock;
    CConfig live;
    QtPrompts prompts;
    CSoramiDoc doc(live, prompts, clock);
    t = std::chrono::steady_clock::now();
    const bool opened = doc.open(file);
    std::printf("open of the file by the document: %.3f s (%s)\n", secondsSince(t),
                opened ? "ok" : "failed");
  }

  QSettings store((dir / "settings.ini").string().c_str(), QSettings::IniFormat);
  store.clear();
  AppSettings settings(store);
  QtPrompts prompts;
  SystemClock clock;
  SingleInstance instance(QStringLiteral("sorami-bench-startup"));
  t = std::chrono::steady_clock::now();
  SoramiDocGateway document(settings, prompts, clock, dir / "none.txt");
  Application application(settings, prompts, clock, document);
  if (!application.start({QString::fromStdU16String(file.u16string())}, instance)) return 1;
  CMainFrame* frame = application.mainFrame();
  // Shown: the window is on the screen and its first paint is done.
  while (!frame->windowHandle() || !frame->windowHandle()->isExposed()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  }
  QCoreApplication::processEvents();
  const double shown = secondsSince(t);
  std::printf("start to a shown window: %.3f s (%zu entries, title %s)\n", shown,
              document.document().entries() ? document.document().entries()->size() : 0,
              frame->windowTitle().toUtf8().constData());

  CSoramiView* view = frame->view();
  t = std::chrono::steady_clock::now();
  constexpr int kSteps = 200;
  for (int i = 0; i < kSteps; ++i) view->stepDays(i % 2 == 0 ? -1 : 1);
  std::printf("day step with redraw: %.1f us\n", secondsSince(t) * 1e6 / kSteps);
  t = std::chrono::steady_clock::now();
  view->setColumn(1);
  for (int i = 0; i < 20; ++i) view->stepMonth(i % 2 == 0 ? -1 : 1);
  std::printf("month step in summary mode: %.2f ms\n", secondsSince(t) * 1e3 / 20);
  std::filesystem::remove_all(dir);
  return 0;
}
