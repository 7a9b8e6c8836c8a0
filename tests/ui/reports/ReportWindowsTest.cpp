#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "help/HelpWindow.h"
#include "ledger/BudgetList.h"
#include "ledger/SampleHousehold.h"
#include "reports/BudgetDialog.h"
#include "reports/BudgetSpread.h"
#include "reports/GraphDialog.h"
#include "reports/GraphView.h"
#include "reports/GraphWindow.h"
#include "reports/SumYearSpread.h"
#include "reports/SumYearWindow.h"
#include "rules/Holidays.h"
#include "ui/SoramiViewFixture.h"

namespace sorami::test {
namespace {

// Runs `inspect` on the next modal dialog of type T once it is shown, then closes it. The flag
// tells whether it ever came.
template <typename T>
std::shared_ptr<bool> whenShown(std::function<void(T&)> inspect) {
  auto seen = std::make_shared<bool>(false);
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, inspect, seen] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    *seen = true;
    inspect(*dialog);
    dialog->reject();
  });
  timer->start();
  return seen;
}

void save(QWidget& w, const char* name) {
  QCoreApplication::processEvents();
  const QString dir = QCoreApplication::applicationDirPath();
  EXPECT_TRUE(w.grab().save(QDir(dir).filePath(QString::fromLatin1(name))));
}

class ReportWindows : public SoramiViewTest {};

TEST_F(ReportWindows, CtrlBSetsABudgetAndShowsWhatIsLeft) {
  auto seen = whenShown<CBudgetDialog>([&](CBudgetDialog& d) {
    EXPECT_EQ(d.windowTitle(), QStringLiteral("予算/実績 2024年4月期(2024/4/1～2024/4/30)"));
    CBudgetSpread& grid = *d.grid();
    EXPECT_EQ(grid.cellText(1, 1, false), QStringLiteral("rCN30,000"));
    EXPECT_EQ(grid.cellText(1, 2, false), QStringLiteral("rCN1,100"));
    EXPECT_EQ(grid.cellText(1, 4, false), QStringLiteral("rCN28,900"));
    // Typed into the budget cell from the keyboard.
    grid.setFocus();
    grid.setCurrentCell(1, 1);
    QTest::keyClick(&grid, '2');
    ASSERT_TRUE(grid.isEditing());
    QTest::keyClicks(grid.editor(), QStringLiteral("5000"));
    QTest::keyClick(grid.editor(), Qt::Key_Return);
    EXPECT_EQ(gateway.document().budgets()->find({2024, 4})->amounts[kFirst], 25000);
    EXPECT_EQ(grid.cellText(1, 4, false), QStringLiteral("rCN23,900"));
    EXPECT_TRUE(d.summaryLines()[1].contains(QStringLiteral("25,000(支出)")));
    // A check box takes the item out of the sums.
    ASSERT_FALSE(d.checkBoxes().empty());
    QCheckBox* first = d.checkBoxes()[0];
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->isChecked());
    first->click();
    EXPECT_EQ(store().itemByNumber(kFirst)->itemOption(1), 0);
    EXPECT_EQ(grid.cellText(1, 1, false), QStringLiteral("CCN"));
    first->click();
    save(d, "budget-dialog-keys.png");
    d.incomeButton()->click();
    EXPECT_EQ(grid.cellText(0, 3, false), QStringLiteral("CCN達成率％"));
    d.button(QStringLiteral("next"))->click();
    EXPECT_TRUE(d.windowTitle().startsWith(QStringLiteral("予算/実績 2024年5月期")));
    d.button(QStringLiteral("help"))->click();
    ASSERT_NE(helpWindow(), nullptr);
    EXPECT_EQ(helpWindow()->page(), QStringLiteral("budget"));
    delete helpWindow();
  });
  key(Qt::Key_B, Qt::ControlModifier);
  EXPECT_TRUE(*seen);
  EXPECT_TRUE(gateway.document().isModified());
}

TEST_F(ReportWindows, CtrlGOpensTheGraphsAndTheAnnualSummary) {
  std::vector<QString> titles;
  auto seen = whenShown<CGraphDialog>([&](CGraphDialog& d) {
    d.showGraph = [&](CGraphWnd& w) {
      titles.push_back(w.windowTitle());
      w.resize(900, 600);
      w.show();
      save(w, "graph-window.png");
    };
    d.field(863)->setValue(2024);
    d.field(876)->setValue(5);
    d.field(963)->setValue(3);
    d.button(IDC_ASSETS_GRAPH)->click();
    d.button(IDC_ITEM_GRAPH)->click();
    d.nameBox()->setEditText(QStringLiteral("パン"));
    d.button(IDC_PRODUCT_GRAPH)->click();
    d.nameBox()->setEditText({});
    d.button(IDC_PRODUCT_GRAPH)->click();  // no name: refused
    d.button(IDC_PIE_GRAPH)->click();
    auto annual = whenShown<CSumYearWnd>([&](CSumYearWnd& w) {
      const CSumYearSpread& grid = *w.grid();
      EXPECT_EQ(grid.cellText(0, 1, false), QStringLiteral("CCN2024/3"));
      EXPECT_EQ(grid.cellText(1, 4, false), QStringLiteral("rCN4,100"));  // 総 計
      w.grid()->setCurrentCell(1, 1);
      w.grid()->setCurrentCell(1, 2, true);
      w.grid()->copy();
      EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("2000\t1100"));
    });
    d.button(IDC_ANNUAL_SUMMARY)->click();
    EXPECT_TRUE(*annual);
  });
  key(Qt::Key_G, Qt::ControlModifier);
  ASSERT_TRUE(*seen);
  ASSERT_EQ(titles.size(), 4u);
  EXPECT_EQ(titles[0], QStringLiteral("総資産グラフ"));
  EXPECT_TRUE(titles[1].startsWith(QStringLiteral("個別項目の集計推移グラフ")));
  EXPECT_TRUE(prompts.wasShown(MessageId::GraphProductNotFound));
  EXPECT_EQ(titles[3], QStringLiteral("期間グラフ"));
  // The span chosen is kept with the file's settings.
  EXPECT_EQ(config().graphEndMonth, 5);
  EXPECT_EQ(config().graphMonthCount, 3);
}

// Three series of January to March; the first two stand for items.
GraphDrawing threeSeries() {
  TrendGraph g;
  g.title = u"年間支出推移グラフ";
  g.first = dayFromYmd(2024, 1, 1);
  g.last = dayFromYmd(2024, 3, 31);
  g.firstMonth = {2024, 1};
  g.months = 3;
  g.series = {{u"食費", 0xff8080, {3000, 1000, 1000, 1000}, 0, true, true, 4},
              {u"通信", 0x0000ff, {600, 200, 200, 200}, 0, true, true, 1},
              {u"その他", 0x00ff00, {-30, -10, -10, -10}}};
  GraphDrawing d;
  d.trend = g;
  return d;
}

TEST(GraphView, TheLegendSolosTogglesAndDrillsDown) {
  CGraphView view(threeSeries());
  std::vector<uint16_t> opened;
  view.openSpecialNames = [&](uint16_t item) { opened.push_back(item); };
  view.resize(900, 560);
  view.show();
  QCoreApplication::processEvents();
  (void)view.grab();
  const std::vector<QRectF>& legend = view.painter().legendRects();
  ASSERT_EQ(legend.size(), 3u);
  auto click = [&](QPointF at, Qt::KeyboardModifiers mods = {}) {
    QTest::mouseClick(&view, Qt::LeftButton, mods, at.toPoint());
  };
  auto visible = [&] {
    std::vector<bool> v;
    for (const GraphSeries& s : view.drawing().trend->series) v.push_back(s.visible);
    return v;
  };
  click(legend[1].center());
  EXPECT_EQ(visible(), (std::vector<bool>{false, true, false}));
  click(legend[0].center(), Qt::ShiftModifier);
  EXPECT_EQ(visible(), (std::vector<bool>{true, true, false}));
  click(QPointF(5, 5));
  EXPECT_EQ(visible(), (std::vector<bool>{true, true, true}));
  // The only series shown, clicked again, opens its item's special names.
  click(legend[0].center());
  click(legend[0].center());
  EXPECT_EQ(opened, (std::vector<uint16_t>{4}));
  // The same for a series that stands for no item does nothing more.
  click(legend[2].center());
  click(legend[2].center());
  EXPECT_EQ(opened.size(), 1u);
  // Hovering a bar tells its month, series and value.
  (void)view.grab();
  click(QPointF(5, 5));
  (void)view.grab();
  const GraphScale& scale = view.painter().scale();
  EXPECT_EQ(scale.top, 1202);  // the bars of a month stack to 1,200
  std::optional<GraphHit> hit;
  for (int x = 0; x < view.width() && !hit; x += 2) {
    for (int y = 0; y < view.height() && !hit; y += 2) {
      const auto h = view.painter().hitAt(QPointF(x, y));
      if (h && h->series == 0 && h->column == 2) hit = h;
    }
  }
  ASSERT_TRUE(hit);
  EXPECT_EQ(view.painter().hitText(*hit), QStringLiteral("2024年2月 食費: 1,000"));
}

TEST(GraphWindow, SavesAsSvgPngAndPdfOrSaysWhyNot) {
  const QTemporaryDir dir;
  ScriptedPrompts prompts;
  CGraphWnd window(threeSeries(), prompts);
  for (const char* name : {"g.svg", "g.png", "g.pdf"}) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    prompts.savePaths.push_back(std::filesystem::path(path.toStdString()));
    EXPECT_TRUE(window.saveAs()) << name;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    const QByteArray head = file.read(8);
    EXPECT_TRUE(head.startsWith("<?xml") || head.startsWith("\x89PNG") || head.startsWith("%PDF"))
        << name;
  }
  prompts.savePaths.push_back(std::filesystem::path("/nonexistent/dir/g.png"));
  EXPECT_FALSE(window.saveAs());
  EXPECT_TRUE(prompts.wasShown(MessageId::GraphNotSaved));
}

}  // namespace
}  // namespace sorami::test

namespace sorami::test {
namespace {

// Five years of a sample household, as the pictures of the handbook show them.
class SampleHouseholdWindows : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    clock.set(2025, 12, 10);
    created("sample.mtb");
    fillSampleHousehold(*doc.entries(), {30000, 7, 5});
    CBudgetList& budgets = *doc.budgets();
    const std::pair<uint16_t, int32_t> planned[] = {{0, 15000}, {1, 12000}, {4, 60000},
                                                    {7, 90000}, {8, 8000},  {10, 20000}};
    for (const auto& [item, amount] : planned) budgets.setAmount({2025, 12}, item, amount);
    budgets.setAmount({2025, 12}, 14, 400000);
  }
  GraphDrawing drawing(GraphKind kind, int months, std::u16string item = {}) {
    GraphSettings s;
    s.endYear = 2025;
    s.endMonth = 12;
    s.months = months;
    const GraphRequest request = GraphRequest::ofItem(kind, std::move(item), EF_DIRECTION_MASK);
    GraphResult r = buildTrendGraph(*doc.entries(), request, s, doc.config().periodSettings(),
                                    holidays, doc.today());
    EXPECT_TRUE(r.graph);
    GraphDrawing d;
    d.scale = scaleOptionsOf(s, 0, u"\\");
    d.trend = *r.graph;
    d.scale.lines = d.trend->lines;
    return d;
  }
  void picture(GraphDrawing d, const char* name) {
    CGraphWnd window(std::move(d), prompts);
    window.resize(960, 620);
    window.show();
    save(window, name);
  }
  CHoliday holidays;
};

TEST_F(SampleHouseholdWindows, PicturesOfTheBudgetTheAnnualSummaryAndTheGraphs) {
  {
    CBudgetDialog budget(doc, holidays, prompts, nullptr, doc.today());
    budget.resize(640, 560);
    budget.show();
    EXPECT_EQ(budget.grid()->cellText(5, 1, false), QStringLiteral("rCN60,000"));
    save(budget, "budget-dialog.png");
  }
  {
    CSumYearWnd annual(buildAnnualSummary(*doc.entries(), {2025, 12}, 12,
                                          doc.config().periodSettings(), holidays, {}),
                       0, nullptr);
    annual.resize(960, 620);
    annual.show();
    EXPECT_EQ(annual.grid()->cellText(0, 13, false), QStringLiteral("CCB総 計"));
    save(annual, "annual-summary.png");
  }
  picture(drawing(GraphKind::Assets, 36), "graph-assets.png");
  picture(drawing(GraphKind::Expense, 12), "graph-expense.png");
  picture(drawing(GraphKind::Names, 12, u"食費"), "graph-names.png");
  GraphDrawing pie;
  pie.pie = buildPieGraph(*doc.entries(), dayFromYmd(2025, 11, 1), dayFromYmd(2025, 11, 30));
  picture(std::move(pie), "graph-pie.png");
}

}  // namespace
}  // namespace sorami::test
