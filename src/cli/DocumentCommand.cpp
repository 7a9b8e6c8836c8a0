#include "cli/DocumentCommand.h"

#include <charconv>
#include <ctime>
#include <filesystem>
#include <ostream>

#include "platform/TextCodec.h"

namespace sorami::cli {

const std::string* Options::value(const std::string& name) const {
  const auto it = values.find(name);
  return it == values.end() ? nullptr : &it->second;
}

std::optional<Options> parseOptions(const std::vector<std::string>& args,
                                    const std::set<std::string>& valueNames,
                                    const std::set<std::string>& flagNames, std::ostream& err) {
  Options o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0) {
      o.positional.push_back(a);
    } else if (flagNames.count(a) != 0) {
      o.flags.insert(a);
    } else if (valueNames.count(a) != 0 && i + 1 < args.size()) {
      o.values[a] = args[++i];
    } else {
      err << "sorami-cli: 不明なオプション、または値がありません: " << a << "\n";
      return std::nullopt;
    }
  }
  return o;
}

CommandPrompts::CommandPrompts(std::ostream& err, const Options& options)
    : TerminalPrompts(err), err_(err), yes_(options.has("--yes")) {
  if (const std::string* p = options.value("--password")) password_ = fromUtf8(*p);
}

void CommandPrompts::inform(MessageId id, const std::vector<std::u16string>& args, Icon icon) {
  messages.push_back(toUtf8(formatMessage(id, args)));
  ids.push_back(id);
  TerminalPrompts::inform(id, args, icon);
}

Answer CommandPrompts::ask(MessageId id, const std::vector<std::u16string>& args, Buttons buttons,
                           Answer defaultAnswer) {
  messages.push_back(toUtf8(formatMessage(id, args)));
  ids.push_back(id);
  const bool yesNo = buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel;
  return TerminalPrompts::ask(id, args, buttons, yes_ && yesNo ? Answer::Yes : defaultAnswer);
}

PasswordReply CommandPrompts::askPassword(const PasswordCheck& check, bool /*canExit*/) {
  if (password_ && check(*password_)) return {PasswordReply::Action::Ok, *password_};
  const MessageId id = MessageId::PasswordRequired;
  messages.push_back(toUtf8(formatMessage(id)));
  ids.push_back(id);
  err_ << toUtf8(formatMessage(id)) << " (--password)\n";
  return {PasswordReply::Action::Cancel, {}};
}

std::optional<NewAccount> CommandPrompts::registerAccount(uint16_t kind,
                                                          const std::u16string& name) {
  if (!registerNewAccounts || name.empty()) return std::nullopt;
  inform(MessageId::AccountRegisteredByCommand,
         {name, kind == kKindAccount ? u"貯蓄項目" : u"借入項目"}, Icon::Information);
  return NewAccount{name, 0, 0, 7};
}

CommandClock::CommandClock(const Options& options) {
  const std::string* text = options.value("--today");
  const Day day = text ? parseIsoDate(*text) : InvalidDay;
  if (day == InvalidDay) return;
  // Noon of the local calendar day: the clock's "today" is that day in any time zone.
  const Ymd d = ymdFromDay(day);
  std::tm local{};
  local.tm_year = d.year - 1900;
  local.tm_mon = d.month - 1;
  local.tm_mday = d.day;
  local.tm_hour = 12;
  local.tm_isdst = -1;
  const std::time_t t = std::mktime(&local);
  if (t != static_cast<std::time_t>(-1)) pinned_ = std::chrono::system_clock::from_time_t(t);
}

std::chrono::system_clock::time_point CommandClock::now() const {
  return pinned_ ? *pinned_ : std::chrono::system_clock::now();
}

std::function<void()>& afterReadSeam() {
  static std::function<void()> seam;
  return seam;
}

namespace {

bool& storesLeftToProcessExit() {
  static bool left = false;
  return left;
}

}  // namespace

void leaveStoresToProcessExit() {
  storesLeftToProcessExit() = true;
}

CommandDocument::~CommandDocument() {
  if (storesLeftToProcessExit()) doc.leaveStoreToProcessExit();
}

CommandDocument::CommandDocument(std::ostream& err, const Options& options)
    : prompts(err, options), clock(options), doc(config, prompts, clock) {
  doc.postOpen = [](CSoramiDoc&) {
    if (const std::function<void()>& seam = afterReadSeam()) seam();
  };
}

bool refuseExisting(const std::string& path, const Options& options, std::ostream& err) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) || options.has("--force")) return false;
  err << "sorami-cli: ファイルが既にあります（上書きするには --force）: " << path << "\n";
  return true;
}

bool todayOptionValid(const Options& options, std::ostream& err) {
  const std::string* text = options.value("--today");
  return text == nullptr || parseDateOption(*text, err).has_value();
}

std::optional<Day> parseDateOption(const std::string& text, std::ostream& err) {
  const Day day = parseIsoDate(text);
  if (day == InvalidDay) {
    err << "sorami-cli: 日付は YYYY-MM-DD で指定してください: " << text << "\n";
    return std::nullopt;
  }
  return day;
}

std::optional<int64_t> parseIntegerOption(const std::string& text, std::ostream& err) {
  int64_t v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) {
    err << "sorami-cli: 数値ではありません: " << text << "\n";
    return std::nullopt;
  }
  return v;
}

}  // namespace sorami::cli
