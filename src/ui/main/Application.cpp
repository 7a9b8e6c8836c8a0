#include "main/Application.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "document/DocumentGateway.h"
#include "main/MainFrame.h"
#include "main/StartUp.h"
#include "platform/AppSettings.h"
#include "platform/SingleInstance.h"
#include "platform/Version.h"

namespace sorami {

void Application::describe(QApplication& app) {
  app.setOrganizationName(QStringLiteral("Tsumiki"));
  app.setApplicationName(QStringLiteral("そらみ"));
  app.setApplicationDisplayName(QStringLiteral("そらみ"));
  app.setApplicationVersion(QString::fromLatin1(kVersion));
  app.setDesktopFileName(QStringLiteral("sorami"));
  app.setWindowIcon(QIcon::fromTheme(QStringLiteral("sorami")));
}

QTranslator* Application::installTranslations(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return nullptr;
  }
  return translator;
}

Application::Application(AppSettings& settings, Prompts& prompts, const Clock& clock,
                         DocumentGateway& document, QObject* parent)
    : QObject(parent), settings_(settings), prompts_(prompts), clock_(clock), document_(document) {}

Application::~Application() = default;

bool Application::start(const QStringList& args, SingleInstance& instance) {
  if (instance.handOver(args)) return false;
  instance.listen();
  connect(&instance, &SingleInstance::argumentsReceived, this, &Application::receiveArguments);
  if (!clockAccepted(clock_, prompts_)) return false;

  frame_ = std::make_unique<CMainFrame>(settings_);
  connect(frame_.get(), &CMainFrame::recentFileChosen, this, &Application::openFile);
  document_.attachFrame(*frame_);
  frame_->showAtStart();

  const QString path = chooseStartFile(commandLinePath(args), settings_.recentFiles().first(),
                                       [](const QString& p) { return QFileInfo(p).isFile(); });
  openStartFile(path);
  return true;
}

void Application::openStartFile(const QString& path) {
  if (path.isEmpty() || !openFile(path)) {
    document_.startWithoutFile();
    showDocumentState();
  }
}

bool Application::openFile(const QString& path) {
  const bool opened = document_.openFile(path);
  if (opened) settings_.addRecentFile(path);
  showDocumentState();
  return opened;
}

void Application::showDocumentState() {
  if (!frame_) return;
  frame_->setDocumentTitle(document_.hasFile() ? document_.title() : QString());
  frame_->setDataLoaded(document_.hasFile());
  frame_->refreshRecentFiles();
}

void Application::receiveArguments(const QStringList& args) {
  if (!frame_) return;
  frame_->bringToFront();
  const QString path = commandLinePath(args);
  if (!path.isEmpty()) openFile(path);
}

}  // namespace sorami
