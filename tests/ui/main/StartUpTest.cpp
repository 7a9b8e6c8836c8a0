#include "main/StartUp.h"

#include <gtest/gtest.h>

#include "support/ScriptedPrompts.h"

namespace sorami {
namespace {

TEST(CommandLine, NamesThePathToOpen) {
  struct Case {
    QStringList args;
    QString path;
  };
  const Case cases[] = {
      {{}, ""},
      {{"/home/hana/家計簿.mtb"}, "/home/hana/家計簿.mtb"},
      {{"/S", "/home/hana/a.mtb"}, "/home/hana/a.mtb"},
      {{"/n", " /home/hana/a.mtb\u3000"}, "/home/hana/a.mtb"},
      {{"-S", "a.mtb"}, "a.mtb"},
      {{"-na.mtb"}, "a.mtb"},
      {{"-s"}, ""},
      {{"/Sales/2024.mtb"}, "/Sales/2024.mtb"},  // a folder, not a switch
      {{"/home/hana/my", "book.mtb"}, "/home/hana/my book.mtb"},
      {{"-X", "a.mtb"}, "-X a.mtb"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(commandLinePath(c.args), c.path) << c.args.join(u'|').toStdString();
  }
}

TEST(CommandLine, VersionAndHelpAnswerOnlyWhenStandingAlone) {
  struct Case {
    QStringList args;
    InfoRequest request;
  };
  const Case cases[] = {
      {{"--version"}, InfoRequest::Version},
      {{"--help"}, InfoRequest::Help},
      {{}, InfoRequest::None},
      {{"--help", "a.mtb"}, InfoRequest::None},  // a file name with spaces
      {{"./--help"}, InfoRequest::None},
      {{"-S", "--version"}, InfoRequest::None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(infoRequest(c.args), c.request) << c.args.join(u'|').toStdString();
  }
  EXPECT_TRUE(infoText(InfoRequest::Version).startsWith(QStringLiteral("sorami ")));
  EXPECT_TRUE(infoText(InfoRequest::Help).contains(QStringLiteral("--version")));
}

TEST(StartFile, CommandLineThenRecentThenDefaultName) {
  const auto none = [](const QString&) { return false; };
  const auto all = [](const QString&) { return true; };
  EXPECT_EQ(chooseStartFile("b.mtb", "a.mtb", all), "b.mtb");
  EXPECT_EQ(chooseStartFile("", "a.mtb", all), "a.mtb");
  EXPECT_EQ(chooseStartFile("", "", all), QStringLiteral("出納簿.mtb"));
  EXPECT_EQ(chooseStartFile("", "", none), "");
}

struct FixedClock : Clock {
  explicit FixedClock(std::chrono::sys_days d) : day(d) {}
  std::chrono::system_clock::time_point now() const override {
    return day + std::chrono::hours(12);
  }
  std::chrono::sys_days day;
};

TEST(ClockCheck, AYearBefore1980AsksWhetherToGoOn) {
  using namespace std::chrono;
  test::ScriptedPrompts prompts;
  EXPECT_TRUE(clockAccepted(FixedClock(sys_days(2026y / 12 / 10)), prompts));
  EXPECT_TRUE(clockAccepted(FixedClock(sys_days(1980y / 1 / 2)), prompts));
  EXPECT_TRUE(prompts.shown.empty());

  const FixedClock wrong(sys_days(1970y / 1 / 1));
  EXPECT_FALSE(clockAccepted(wrong, prompts));  // No is the default
  prompts.answers = {Answer::Yes};
  EXPECT_TRUE(clockAccepted(wrong, prompts));
  ASSERT_EQ(prompts.shown.size(), 2u);
  EXPECT_EQ(prompts.shown[0].id, MessageId::ClockOutOfRange);
  EXPECT_TRUE(prompts.shown[0].question);
}

}  // namespace
}  // namespace sorami
