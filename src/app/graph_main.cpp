// sorami-graph: the drawing half of "sorami-cli graph --out". It takes the same arguments,
// computes the same graph through the same command and draws it into the file without a
// display. What it prints is dropped; only a failure to draw is said.

#include <QGuiApplication>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/GraphCommand.h"
#include "reports/GraphFile.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::ostringstream ignored;
  const auto draw = [](const sorami::GraphDrawing& drawing, const std::string& path,
                       std::ostream&) {
    if (sorami::saveGraph(drawing, QString::fromStdString(path))) return true;
    std::cerr << "sorami-graph: " << path << " に書き込めませんでした。\n";
    return false;
  };
  return sorami::cli::runGraphWith(args, ignored, ignored, draw);
}
