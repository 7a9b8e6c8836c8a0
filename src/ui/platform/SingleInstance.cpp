#include "platform/SingleInstance.h"

#include <QDataStream>
#include <QLocalSocket>
#include <QStandardPaths>

namespace sorami {

QString SingleInstance::defaultServerName() {
  // The runtime folder belongs to the user alone; without one, the name carries the user's name.
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (!runtime.isEmpty()) return runtime + QStringLiteral("/sorami.instance");
  return QStringLiteral("sorami-") + qEnvironmentVariable("USER", QStringLiteral("user"));
}

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), name_(std::move(serverName)) {
  connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
}

bool SingleInstance::handOver(const QStringList& args, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(timeoutMs)) return false;
  QByteArray message;
  QDataStream out(&message, QIODevice::WriteOnly);
  out << args;
  socket.write(message);
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
  return true;
}

bool SingleInstance::listen() {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  if (server_.listen(name_)) return true;
  QLocalServer::removeServer(name_);
  return server_.listen(name_);
}

void SingleInstance::acceptConnection() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    // The message is complete once the sender has closed its end.
    auto finish = [this, socket] {
      QDataStream in(socket->readAll());
      QStringList args;
      in >> args;
      socket->deleteLater();
      if (in.status() == QDataStream::Ok) emit argumentsReceived(args);
    };
    connect(socket, &QLocalSocket::disconnected, this, finish);
    if (socket->state() == QLocalSocket::UnconnectedState) finish();
  }
}

}  // namespace sorami
