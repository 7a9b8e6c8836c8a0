#pragma once
// What the commands that work through the document share: their options, the prompts that
// answer from those options, and the document itself over the system clock.

#include <chrono>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/TerminalPrompts.h"
#include "config/Config.h"
#include "document/SoramiDoc.h"
#include "platform/Clock.h"

namespace sorami::cli {

struct Options {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;  // "--name value"
  std::set<std::string> flags;                // "--name"
  bool has(const std::string& flag) const { return flags.count(flag) != 0; }
  const std::string* value(const std::string& name) const;
};

// Splits the arguments; nothing (and a word on `err`) when an option is unknown or lacks its
// value.
std::optional<Options> parseOptions(const std::vector<std::string>& args,
                                    const std::set<std::string>& valueNames,
                                    const std::set<std::string>& flagNames, std::ostream& err);

// Every message goes to standard error and is remembered; questions take their default answer,
// or Yes with --yes; the password comes from --password.
class CommandPrompts : public TerminalPrompts {
 public:
  CommandPrompts(std::ostream& err, const Options& options);
  void inform(MessageId id, const std::vector<std::u16string>& args, Icon icon) override;
  Answer ask(MessageId id, const std::vector<std::u16string>& args, Buttons buttons,
             Answer defaultAnswer) override;
  PasswordReply askPassword(const PasswordCheck& check, bool canExit) override;
  // With `registerNewAccounts` an account or loan the core needs registered gets the balance 0,
  // as the registration dialog would ask for, and the command says so; otherwise none is.
  std::optional<NewAccount> registerAccount(uint16_t kind, const std::u16string& name) override;

  bool registerNewAccounts = false;

  std::vector<std::string> messages;
  std::vector<MessageId> ids;

 private:
  std::ostream& err_;
  bool yes_ = false;
  std::optional<std::u16string> password_;
};

// The system clock, or noon of the day that --today names in its place, so that a command can
// be run as on any day.
class CommandClock : public Clock {
 public:
  explicit CommandClock(const Options& options);
  std::chrono::system_clock::time_point now() const override;

 private:
  std::optional<std::chrono::system_clock::time_point> pinned_;
};
// How long a command that changes a file waits for another process that holds it.
inline constexpr std::chrono::milliseconds kWriterLockWait{10000};

// A test seam: runs in every command's document right after its file was read.
std::function<void()>& afterReadSeam();

// Called by the program's main before it runs a command: a command's document then leaves its
// store to the end of the process instead of freeing it (the tests, which run many commands in
// one process, free every store).
void leaveStoresToProcessExit();

// A document with its own configuration record, prompts and clock.
struct CommandDocument {
  CommandDocument(std::ostream& err, const Options& options);
  ~CommandDocument();
  CommandDocument(const CommandDocument&) = delete;
  CommandDocument& operator=(const CommandDocument&) = delete;
  // For a command that reads, changes and saves: the file stays locked from its read to its
  // save, so a line another process adds meanwhile is neither lost nor overwritten.
  void holdForSaving() { doc.holdLockFromOpen(kWriterLockWait); }
  CConfig config;
  CommandPrompts prompts;
  CommandClock clock;
  CSoramiDoc doc;
};

// True (and a word on `err`) when `path` exists and --force was not given: the commands that
// create a file never write over one unasked.
bool refuseExisting(const std::string& path, const Options& options, std::ostream& err);

// Parses "YYYY-MM-DD"; a word on `err` when it is not a date.
std::optional<Day> parseDateOption(const std::string& text, std::ostream& err);
// True when --today is absent or a date; a word on `err` when it is not.
bool todayOptionValid(const Options& options, std::ostream& err);
std::optional<int64_t> parseIntegerOption(const std::string& text, std::ostream& err);

}  // namespace sorami::cli
