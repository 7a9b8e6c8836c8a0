#include "cli/TerminalPrompts.h"

#include <ostream>

#include "platform/TextCodec.h"

namespace sorami::cli {

namespace {

const char* answerName(Answer a) {
  switch (a) {
    case Answer::Ok:
      return "OK";
    case Answer::Cancel:
      return "キャンセル";
    case Answer::Yes:
      return "はい";
    case Answer::No:
      return "いいえ";
  }
  return "";
}

}  // namespace

void TerminalPrompts::inform(MessageId id, const std::vector<std::u16string>& args, Icon) {
  err_ << toUtf8(formatMessage(id, args)) << "\n";
}

Answer TerminalPrompts::ask(MessageId id, const std::vector<std::u16string>& args, Buttons,
                            Answer defaultAnswer) {
  err_ << toUtf8(formatMessage(id, args)) << "\n→ " << answerName(defaultAnswer) << "\n";
  return defaultAnswer;
}

}  // namespace sorami::cli
