#pragma once
// One program per user: a second start hands its arguments to the running program and ends.

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

namespace sorami {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // The per-user name under which the running program listens.
  static QString defaultServerName();

  explicit SingleInstance(QString serverName = defaultServerName(), QObject* parent = nullptr);

  // True when a running program took the arguments; this one should then end quietly.
  bool handOver(const QStringList& args, int timeoutMs = 2000);

  // Starts listening for later starts. A socket left behind by a program that crashed is
  // cleared first.
  bool listen();

 signals:
  void argumentsReceived(const QStringList& args);

 private:
  void acceptConnection();

  QString name_;
  QLocalServer server_;
};

}  // namespace sorami
