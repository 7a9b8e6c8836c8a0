// sorami: the household account book's desktop program.

#include <QApplication>

#include "document/DocumentGateway.h"
#include "document/SoramiDocGateway.h"
#include "main/Application.h"
#include "main/MainFrame.h"
#include "platform/AppSettings.h"
#include "platform/QtPrompts.h"
#include "platform/SingleInstance.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationVersion(QStringLiteral(SORAMI_VERSION));
  sorami::Application::describe(app);

  const auto store = sorami::AppSettings::openUserStore();
  sorami::AppSettings settings(*store);
  sorami::QtPrompts prompts;
  sorami::SystemClock clock;
  sorami::SingleInstance instance;
  sorami::SoramiDocGateway document(settings, prompts, clock,
                                    sorami::SoramiDocGateway::installedHolidayFile());
  sorami::Application application(settings, prompts, clock, document);
  if (!application.start(QApplication::arguments().mid(1), instance)) return 0;
  prompts.setParent(application.mainFrame());
  return QApplication::exec();
}
