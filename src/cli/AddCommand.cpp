// sorami-cli add FILE --date D --item N --name S --amount A [--memo M]: one ledger line, placed
// after the other lines of its day, saved through the document.

#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/DocumentCommand.h"
#include "platform/TextCodec.h"

namespace sorami::cli {

namespace {

constexpr const char* kAddUsage =
    "使い方: sorami-cli add FILE --date YYYY-MM-DD --item N --name S --amount A [--memo M]\n";

struct Line {
  Day day = MinDay;
  int64_t item = 0;
  int64_t amount = 0;
};

std::optional<Line> lineOptions(const Options& o, std::ostream& err) {
  for (const char* name : {"--date", "--item", "--name", "--amount"}) {
    if (!o.value(name)) return std::nullopt;
  }
  Line l;
  const std::optional<Day> day = parseDateOption(*o.value("--date"), err);
  const std::optional<int64_t> item = parseIntegerOption(*o.value("--item"), err);
  const std::optional<int64_t> amount = parseIntegerOption(*o.value("--amount"), err);
  if (!day || !item || !amount) return std::nullopt;
  if (*amount < INT32_MIN || *amount > INT32_MAX) {
    err << "sorami-cli: 金額が大きすぎます。\n";
    return std::nullopt;
  }
  return Line{*day, *item, *amount};
}

}  // namespace

int runAdd(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  const std::optional<Options> o = parseOptions(
      args, {"--date", "--item", "--name", "--amount", "--memo", "--password"}, {"--yes"}, err);
  const std::optional<Line> line = o ? lineOptions(*o, err) : std::nullopt;
  if (!o || !line || o->positional.size() != 1) {
    err << kAddUsage;
    return kExitUsage;
  }
  CommandDocument d(err, *o);
  if (!d.doc.open(o->positional[0])) return kExitUnreadable;
  const CHinmei* item = d.doc.entries()->itemByNumber(static_cast<int>(line->item));
  if (item == nullptr) {
    err << "sorami-cli: その番号の項目はありません: " << line->item << "\n";
    return kExitUsage;
  }
  const std::string* memo = o->value("--memo");
  const auto flags =
      static_cast<uint16_t>(item->flags & (EF_DIRECTION_MASK | EF_ACCOUNT | EF_LOAN));
  CHinmei entry(line->day, item->item, flags, fromUtf8(*o->value("--name")),
                memo ? fromUtf8(*memo) : u"", static_cast<int32_t>(line->amount));
  d.doc.setCurrentDay(line->day);
  if (!d.doc.entries()->insert(std::move(entry))) return kExitUsage;
  return d.doc.save() ? kExitOk : kExitWriteFailed;
}

}  // namespace sorami::cli
