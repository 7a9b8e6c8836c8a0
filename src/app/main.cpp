// sorami: the household account book's desktop program.

#include <QApplication>
#include <cstdio>

#include "document/DocumentGateway.h"
#include "document/SoramiDocGateway.h"
#include "main/Application.h"
#include "main/MainFrame.h"
#include "main/StartUp.h"
#include "platform/AppSettings.h"
#include "platform/QtPrompts.h"
#include "platform/SingleInstance.h"

int main(int argc, char** argv) {
  // Answered before the application object exists: it would need a display.
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  if (const sorami::InfoRequest info = sorami::infoRequest(args);
      info != sorami::InfoRequest::None) {
    std::fputs(sorami::infoText(info).toLocal8Bit().constData(), stdout);
    return 0;
  }

  QApplication app(argc, argv);
  // The file named on the command line is read on a second thread while the window is made.
  const QStringList arguments = QApplication::arguments().mid(1);
  std::unique_ptr<sorami::ReadAhead> ahead =
      sorami::SoramiDocGateway::readAhead(sorami::commandLinePath(arguments));
  sorami::Application::describe(app);
  sorami::Application::installTranslations(app);

  const auto store = sorami::AppSettings::openUserStore();
  sorami::AppSettings settings(*store);
  sorami::QtPrompts prompts;
  sorami::SystemClock clock;
  sorami::SingleInstance instance;
  sorami::SoramiDocGateway document(settings, prompts, clock,
                                    sorami::SoramiDocGateway::installedHolidayFile());
  document.document().setReadAhead(std::move(ahead));
  sorami::Application application(settings, prompts, clock, document);
  if (!application.start(arguments, instance)) return 0;
  prompts.setParent(application.mainFrame());
  return QApplication::exec();
}
