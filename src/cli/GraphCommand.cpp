// sorami-cli graph FILE --kind assets|expense|income|item|names|product|pie
//     [--item NAME] [--name TEXT] --end YYYY-MM --months N [--from D --to D] [--out PATH]
// The series of a trend graph over the N accounting months that end with YYYY-MM, with its
// scale, or the two sides of the pie graph of a period (--from and --to, else the span of --end
// and --months). With --out the graph is drawn into a .png, .svg or .pdf file.

#include "cli/GraphCommand.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <cstdlib>
#include <filesystem>
#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/ReportOptions.h"
#include "ledger/LedgerPeriods.h"
#include "platform/TextCodec.h"

extern char** environ;

namespace sorami::cli {

namespace {

constexpr const char* kGraphUsage =
    "使い方: sorami-cli graph FILE --kind assets|expense|income|item|names|product|pie\n"
    "        [--item 項目] [--name 品名] --end YYYY-MM --months N\n"
    "        [--from YYYY-MM-DD --to YYYY-MM-DD] [--out PATH.png|.svg|.pdf]\n";

struct Kind {
  const char* name;
  std::optional<GraphKind> kind;  // none: the pie
};

constexpr Kind kKinds[] = {{"assets", GraphKind::Assets}, {"expense", GraphKind::Expense},
                           {"income", GraphKind::Income}, {"item", GraphKind::Item},
                           {"names", GraphKind::Names},   {"product", GraphKind::Product},
                           {"pie", std::nullopt}};

const Kind* kindOption(const Options& o) {
  const std::string* text = o.value("--kind");
  if (text == nullptr) return nullptr;
  for (const Kind& k : kKinds) {
    if (*text == k.name) return &k;
  }
  return nullptr;
}

bool drawable(const std::string& path) {
  const std::string ext = std::filesystem::path(path).extension().string();
  return ext == ".png" || ext == ".svg" || ext == ".pdf";
}

Json trendJson(const TrendGraph& g, const ScaleOptions& options) {
  Json columns = Json::array();
  for (int c = 1; c <= g.months; ++c) columns.push_back(monthText(addMonths(g.firstMonth, c - 1)));
  Json series = Json::array();
  for (const GraphSeries& s : g.series) {
    Json one{{"name", toUtf8(s.name)},
             {"colour", colourText(s.rgb)},
             {"values", s.values},
             {"lastColumn", g.lastDrawnColumn(s)}};
    if (s.itemSeries) one["item"] = s.item;
    series.push_back(std::move(one));
  }
  const GraphScale scale = graphScale(g.series, g.months, options);
  Json labels = Json::array();
  for (const int64_t v : scale.gridValues()) labels.push_back(toUtf8(scale.label(v)));
  return Json{{"title", toUtf8(g.title)},
              {"start", isoDate(g.first)},
              {"end", isoDate(g.last)},
              {"lines", g.lines},
              {"columns", columns},
              {"series", series},
              {"scale",
               {{"top", scale.top},
                {"bottom", scale.bottom},
                {"step", scale.step},
                {"unit", toUtf8(scale.unitText)},
                {"labels", labels}}}};
}

Json pieJson(const PieGraph& pie) {
  Json sides = Json::array();
  for (const PieSide* side : {&pie.expense, &pie.income}) {
    Json slices = Json::array();
    for (const PieSlice& s : side->slices) {
      slices.push_back(Json{{"item", s.item},
                            {"name", toUtf8(s.name)},
                            {"colour", colourText(s.rgb)},
                            {"total", s.total},
                            {"share", s.share}});
    }
    sides.push_back(Json{{"name", toUtf8(side->label)},
                         {"total", side->signedSum},
                         {"absoluteTotal", side->absoluteSum},
                         {"slices", slices}});
  }
  return Json{{"start", isoDate(pie.first)}, {"end", isoDate(pie.last)}, {"sides", sides}};
}

// The days of the pie: --from and --to, or the span of --end and --months.
std::optional<std::pair<Day, Day>> pieDays(LedgerCommand& ledger, const Options& o,
                                           const GraphSettings& settings, std::ostream& err) {
  const std::string* from = o.value("--from");
  const std::string* to = o.value("--to");
  if (from == nullptr && to == nullptr) {
    const Period span = spanOfMonths({settings.endYear, settings.endMonth}, settings.months,
                                     ledger.config().periodSettings(), ledger.holidays());
    return std::pair{span.first, span.last};
  }
  const std::optional<Day> first = from ? parseDateOption(*from, err) : std::nullopt;
  const std::optional<Day> last = to ? parseDateOption(*to, err) : std::nullopt;
  if (!first || !last) return std::nullopt;
  return std::pair{*first, *last};
}

struct GraphArgs {
  Options options;
  const Kind* kind = nullptr;
  YearMonth end;
  int months = 0;
  std::optional<std::string> out;
};

std::optional<GraphArgs> graphArgs(const std::vector<std::string>& args, std::ostream& err) {
  std::optional<Options> o = parseFileCommand(
      args, {"--kind", "--item", "--name", "--end", "--months", "--from", "--to", "--out"}, err);
  if (!o) return std::nullopt;
  GraphArgs a;
  a.kind = kindOption(*o);
  const std::optional<YearMonth> end = monthOption(*o, "--end", err);
  const std::optional<int> months =
      boundedOption(*o, "--months", 1, static_cast<int>(kMaxMatrixMonths), err);
  if (!a.kind || !end || !months || !monthsFit(*end, *months, err)) return std::nullopt;
  a.end = *end;
  a.months = *months;
  if (const std::string* out = o->value("--out")) {
    if (!drawable(*out)) {
      err << "sorami-cli: --out のファイル名は .png、.svg、.pdf のどれかで終えてください: " << *out
          << "\n";
      return std::nullopt;
    }
    a.out = *out;
  }
  a.options = std::move(*o);
  return a;
}

}  // namespace

int runGraphWith(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const GraphRenderer& render) {
  const std::optional<GraphArgs> a = graphArgs(args, err);
  if (!a) {
    err << kGraphUsage;
    return kExitUsage;
  }
  const Options* o = &a->options;
  const Kind* kind = a->kind;
  LedgerCommand ledger(err, *o);
  ledger.readOnly();
  ledger.figuresOnDemand();
  if (const int status = ledger.open(o->positional[0]); status != kExitOk) return status;
  const Day today = ledger.doc().today();
  ledger.show(today, DisplayMode::DayInput);
  const CConfig& config = ledger.config();
  GraphSettings settings = graphSettingsOf(config);
  settings.endYear = a->end.year;
  settings.endMonth = a->end.month;
  settings.months = a->months;
  GraphDrawing drawing;
  drawing.scale = scaleOptionsOf(settings, config.decimalPlaces, config.currencySymbol);
  Json j;
  if (!kind->kind) {
    const std::optional<std::pair<Day, Day>> days = pieDays(ledger, *o, settings, err);
    if (!days) {
      err << kGraphUsage;
      return kExitUsage;
    }
    drawing.pie = buildPieGraph(ledger.store(), days->first, days->second);
    j = pieJson(*drawing.pie);
  } else {
    const std::string* item = o->value("--item");
    const std::string* name = o->value("--name");
    GraphRequest request = GraphRequest::ofItem(*kind->kind, item ? fromUtf8(*item) : u"",
                                                EF_DIRECTION_MASK, name ? fromUtf8(*name) : u"");
    const GraphResult result = buildTrendGraph(ledger.store(), request, settings,
                                               config.periodSettings(), ledger.holidays(), today);
    if (!result.graph) {
      ledger.prompts().inform(*result.refused, {}, Icon::Warning);
      return kExitUsage;
    }
    drawing.trend = *result.graph;
    drawing.scale.lines = drawing.trend->lines;
    j = trendJson(*drawing.trend, drawing.scale);
    j["kind"] = kind->name;
  }
  if (a->out && !render(drawing, *a->out, err)) return kExitWriteFailed;
  out << j.dump(2) << "\n";
  return kExitOk;
}

bool runGraphProgram(const std::vector<std::string>& args, std::ostream& err) {
  std::filesystem::path program;
  if (const char* given = std::getenv("SORAMI_GRAPH"); given != nullptr && *given != '\0') {
    program = given;
  } else {
    std::error_code ec;
    program = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path() / "sorami-graph";
  }
  if (::access(program.c_str(), X_OK) != 0) {
    err << "sorami-cli: グラフを描くプログラム sorami-graph が見つかりません: " << program.string()
        << "\n";
    return false;
  }
  std::vector<std::string> words{program.string()};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  argv.reserve(words.size() + 1);
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  // Its figures are those printed here already; only what goes wrong while drawing is said.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    err << "sorami-cli: グラフを描けませんでした。\n";
    return false;
  }
  return true;
}

int runGraph(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return runGraphWith(args, out, err,
                      [&args](const GraphDrawing&, const std::string&, std::ostream& e) {
                        return runGraphProgram(args, e);
                      });
}

}  // namespace sorami::cli
