#include "platform/SingleInstance.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>

namespace sorami {
namespace {

TEST(SingleInstance, ALaterStartHandsItsArgumentsToTheRunningOne) {
  QTemporaryDir dir;
  const QString name = dir.filePath(QStringLiteral("instance"));
  SingleInstance first(name);
  SingleInstance second(name);
  EXPECT_FALSE(first.handOver({}, 200));  // nobody is running yet
  ASSERT_TRUE(first.listen());
  QSignalSpy received(&first, &SingleInstance::argumentsReceived);
  EXPECT_TRUE(second.handOver({QStringLiteral("/S"), QStringLiteral("/home/hana/家計簿.mtb")}));
  ASSERT_TRUE(received.wait(2000));
  EXPECT_EQ(received.at(0).at(0).toStringList(),
            QStringList({QStringLiteral("/S"), QStringLiteral("/home/hana/家計簿.mtb")}));
}

TEST(SingleInstance, ASocketLeftBehindDoesNotStopTheNextStart) {
  QTemporaryDir dir;
  const QString name = dir.filePath(QStringLiteral("instance"));
  {
    QFile stale(name);  // what a crashed program leaves
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  }
  SingleInstance next(name);
  EXPECT_FALSE(next.handOver({}, 200));
  EXPECT_TRUE(next.listen());
}

}  // namespace
}  // namespace sorami
