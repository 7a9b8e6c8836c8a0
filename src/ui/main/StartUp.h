#pragma once
// The decisions the program takes before its window opens: is the clock plausible, and which
// data file does it start with.

#include <QString>
#include <QStringList>
#include <functional>

#include "platform/Clock.h"
#include "platform/Prompts.h"

namespace sorami {

// The name a new data file is given, and the file started with when nothing else is known.
inline const QString DefaultDocumentName = QStringLiteral("出納簿.mtb");

// The path named by the program's arguments (without the program itself), or empty.
// "-S path", "-N path", "-Spath" and a lone "/S" or "/N" (either case) before the path all name
// the path; anything else is the path itself, the arguments joined by spaces.
QString commandLinePath(const QStringList& args);

// The file to open at start: the command line's path, else the most recent file, else the
// default document name when such a file exists. Empty: start without a file.
QString chooseStartFile(const QString& commandLinePath, const QString& mostRecent,
                        const std::function<bool(const QString&)>& exists);

// "sorami --version" and "sorami --help" answer on the terminal and open no window, so they need
// no display and never reach a running copy. Only the argument standing alone counts: a file of
// that name opens as "./--help".
enum class InfoRequest { None, Version, Help };
InfoRequest infoRequest(const QStringList& args);
QString infoText(InfoRequest request);

// A clock before 1980 or after 9999 makes every date wrong; the user decides whether to go on.
bool clockAccepted(const Clock& clock, Prompts& prompts);

}  // namespace sorami
