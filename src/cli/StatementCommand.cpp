// sorami-cli import-statement FILE CSV --profile PROFILE: a bank or card statement brought into
// a data file. Every line is listed with its item and status; lines the file already has are
// passed over; a statement with refused lines writes nothing unless --skip-refused; --dry-run
// only shows what would be written.

#include <filesystem>
#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/DocumentCommand.h"
#include "cli/LedgerCommand.h"
#include "platform/TextCodec.h"
#include "reports/ProfileFolders.h"
#include "reports/StatementImport.h"

namespace sorami::cli {

namespace {

constexpr const char* kStatementUsage =
    "使い方: sorami-cli import-statement FILE CSV --profile PROFILE\n"
    "        [--money cash|account:NAME|loan:NAME] [--dry-run] [--skip-refused] [--today "
    "YYYY-MM-DD]\n";

// Refused lines named on standard error; the JSON lists them all.
constexpr size_t kNamedRefusals = 20;

const char* statusText(LineStatus status) {
  switch (status) {
    case LineStatus::New:
      return "new";
    case LineStatus::Duplicate:
      return "duplicate";
    case LineStatus::Refused:
      return "refused";
  }
  return "";
}

const char* sourceText(ItemSource source) {
  switch (source) {
    case ItemSource::Rule:
      return "rule";
    case ItemSource::Frequent:
      return "frequent";
    case ItemSource::Default:
      return "default";
    case ItemSource::Chosen:
      return "chosen";
    case ItemSource::None:
      break;
  }
  return nullptr;
}

Json lineJson(const StatementLine& l, const CHinmeiList& store) {
  Json j;
  j["line"] = l.line;
  j["date"] = l.date == InvalidDay ? Json() : Json(isoDate(l.date));
  const CHinmei* item = l.item ? store.itemByNumber(*l.item) : nullptr;
  j["item"] = item ? Json(toUtf8(item->name)) : Json();
  j["name"] = toUtf8(l.name);
  j["amount"] = l.unreadable ? Json() : Json(l.amount);
  j["side"] = l.unreadable ? Json() : Json(l.income ? "income" : "expense");
  j["status"] = statusText(l.status);
  const char* source = sourceText(l.source);
  j["source"] = source ? Json(source) : Json();
  if (l.status == LineStatus::Refused) j["reason"] = toUtf8(l.reason.text());
  return j;
}

Json previewJson(const StatementPreview& preview, const CHinmeiList& store) {
  Json j;
  j["added"] = 0;
  j["duplicates"] = preview.count(LineStatus::Duplicate);
  j["refused"] = Json::array();
  j["lines"] = Json::array();
  for (const StatementLine& l : preview.lines) {
    if (l.status == LineStatus::Refused) {
      j["refused"].push_back({{"line", l.line}, {"reason", toUtf8(l.reason.text())}});
    }
    j["lines"].push_back(lineJson(l, store));
  }
  if (preview.failure) j["failure"] = toUtf8(preview.failure->text());
  return j;
}

void tell(std::ostream& err, const std::string& where, const Refusal& refusal) {
  err << "sorami-cli: " << where << ": " << toUtf8(refusal.text()) << "\n";
}

void reportRefusedLines(const StatementPreview& preview, const std::string& csv,
                        std::ostream& err) {
  size_t named = 0;
  for (const StatementLine& l : preview.lines) {
    if (l.status != LineStatus::Refused || named++ >= kNamedRefusals) continue;
    err << "sorami-cli: " << csv << ": " << l.line << "行目: " << toUtf8(l.reason.text()) << "\n";
  }
  if (named > kNamedRefusals) {
    err << "sorami-cli: " << csv << ": ほかに " << named - kNamedRefusals << " 行\n";
  }
}

std::filesystem::path programFolder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : self.parent_path();
}

// The profile named by --profile, or nothing after the reason went to `err`.
std::optional<StatementProfile> profileOption(const std::string& name, std::ostream& err,
                                              int& status) {
  const std::optional<std::filesystem::path> path =
      findProfile(name, profileFolders(programFolder()));
  if (!path) {
    tell(err, name, {MessageId::ProfileNotFound, {fromUtf8(name)}});
    status = kExitUnreadable;
    return std::nullopt;
  }
  ProfileRead read = loadProfile(*path);
  if (!read.profile) {
    err << "sorami-cli: " << toUtf8(read.error.text()) << "\n";
    status =
        read.error.args.size() > 1 && read.error.args[1].empty() ? kExitUnreadable : kExitUsage;
    return std::nullopt;
  }
  return std::move(read.profile);
}

}  // namespace

int runImportStatement(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Options> o =
      parseOptions(args, {"--profile", "--money", "--today", "--password", "--holiday-file"},
                   {"--dry-run", "--skip-refused", "--yes"}, err);
  if (!o || o->positional.size() != 2 || o->value("--profile") == nullptr) {
    err << kStatementUsage;
    return kExitUsage;
  }
  if (const std::string* today = o->value("--today"); today && !parseDateOption(*today, err)) {
    return kExitUsage;
  }
  std::optional<MoneyTarget> money;
  if (const std::string* m = o->value("--money")) {
    money = parseMoneyTarget(fromUtf8(*m));
    if (!money) {
      err << "sorami-cli: --money は cash、account:口座名、loan:借入名 のどれかです: " << *m
          << "\n";
      return kExitUsage;
    }
  }
  int status = kExitOk;
  const std::optional<StatementProfile> profile =
      profileOption(*o->value("--profile"), err, status);
  if (!profile) return status;
  const std::string& csv = o->positional[1];
  const StatementFile file = loadStatementFile(csv);
  if (file.failure) {
    tell(err, csv, *file.failure);
    return file.failure->id == MessageId::StatementTooLarge ? kExitUsage : kExitUnreadable;
  }

  LedgerCommand ledger(err, *o);
  // A dry run only reads; an import keeps other writers out from its read to its save.
  if (!o->has("--dry-run")) ledger.holdForSaving();
  if (const int opened = ledger.open(o->positional[0]); opened != kExitOk) return opened;
  ledger.setUp(ledger.doc().today(), DisplayMode::DayInput);
  CHinmeiList& store = ledger.store();
  MoneyTarget target = money.value_or(profile->money);
  if (const std::optional<Refusal> refused = resolveMoneyTarget(store, target)) {
    tell(err, o->positional[0], *refused);
    return kExitUsage;
  }
  StatementPreview preview =
      previewStatement(file.bytes, *profile, store, target, ledger.config().decimalPlaces);
  Json result = previewJson(preview, store);
  reportRefusedLines(preview, csv, err);
  const bool skipRefused = o->has("--skip-refused");
  const size_t refused = preview.count(LineStatus::Refused);
  const size_t fresh = preview.count(LineStatus::New);
  if (preview.failure || (refused > 0 && !skipRefused)) {
    tell(err, csv,
         preview.failure ? *preview.failure
                         : Refusal{MessageId::StatementHasRefused, {u16(std::to_string(refused))}});
    if (!preview.failure) err << "sorami-cli: (飛ばして取り込むには --skip-refused)\n";
    out << result.dump(2) << "\n";
    return kExitUsage;
  }
  if (o->has("--dry-run")) {
    result["added"] = fresh;
    out << result.dump(2) << "\n";
    return kExitOk;
  }
  const StatementOutcome done = importStatement(store, preview, skipRefused);
  if (done.failure) {
    tell(err, o->positional[0], *done.failure);
    out << result.dump(2) << "\n";
    return kExitUsage;
  }
  if (done.added > 0 && !ledger.doc().save()) return kExitWriteFailed;
  result["added"] = done.added;
  out << result.dump(2) << "\n";
  return kExitOk;
}

}  // namespace sorami::cli
