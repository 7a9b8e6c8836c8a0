#include "main/StartUp.h"

#include <QDateTime>

#include "platform/Version.h"

namespace sorami {

namespace {

bool isBlank(QChar c) {
  return c == u' ' || c == u'\u3000';
}

QString trimBlanks(const QString& s) {
  qsizetype from = 0;
  qsizetype to = s.size();
  while (from < to && isBlank(s[from])) ++from;
  while (to > from && isBlank(s[to - 1])) --to;
  return s.mid(from, to - from);
}

bool isSwitchLetter(QChar c) {
  return c.toUpper() == u'S' || c.toUpper() == u'N';
}

}  // namespace

QString commandLinePath(const QStringList& args) {
  if (args.isEmpty()) return {};
  const QString& first = args.first();
  const QString rest = args.mid(1).join(u' ');
  if (first.size() >= 2 && first[0] == u'-' && isSwitchLetter(first[1])) {
    return trimBlanks(first.mid(2) + u' ' + rest);
  }
  // An absolute path begins with "/" here, so "/S" is a switch only when it stands alone;
  // "/Sales/2024.mtb" is a path.
  if (first.size() == 2 && first[0] == u'/' && isSwitchLetter(first[1])) return trimBlanks(rest);
  return trimBlanks(args.join(u' '));
}

QString chooseStartFile(const QString& commandLinePath, const QString& mostRecent,
                        const std::function<bool(const QString&)>& exists) {
  if (!commandLinePath.isEmpty()) return commandLinePath;
  if (!mostRecent.isEmpty()) return mostRecent;
  if (exists(DefaultDocumentName)) return DefaultDocumentName;
  return {};
}

InfoRequest infoRequest(const QStringList& args) {
  if (args.size() != 1) return InfoRequest::None;
  if (args.first() == u"--version") return InfoRequest::Version;
  if (args.first() == u"--help") return InfoRequest::Help;
  return InfoRequest::None;
}

QString infoText(InfoRequest request) {
  switch (request) {
    case InfoRequest::None:
      break;
    case InfoRequest::Version:
      return QStringLiteral("sorami %1\n").arg(QString::fromLatin1(kVersion));
    case InfoRequest::Help:
      return QStringLiteral(
          "使い方: sorami [ファイル.mtb]\n"
          "        sorami -S ファイル.mtb | -N ファイル.mtb\n"
          "\n"
          "家計簿,出納簿そらみを開きます。ファイルを指定しないときは、最後に開いたファイルを\n"
          "開きます。そらみがすでに動いているときは、そのウィンドウでファイルを開きます。\n"
          "\n"
          "  --help      この説明を表示する\n"
          "  --version   バージョンを表示する\n"
          "\n"
          "使い方の説明はプログラムの中のヘルプ (F1) にあります。\n");
  }
  return {};
}

bool clockAccepted(const Clock& clock, Prompts& prompts) {
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(clock.now().time_since_epoch()).count();
  const int year = QDateTime::fromSecsSinceEpoch(seconds).date().year();
  if (year >= 1980 && year <= 9999) return true;
  return prompts.ask(MessageId::ClockOutOfRange, {}, Buttons::YesNo, Answer::No) == Answer::Yes;
}

}  // namespace sorami
