#pragma once
// The program's start: one running copy per user, a plausible clock, the main window and the
// data file to begin with.

#include <QObject>
#include <QStringList>
#include <memory>

#include "platform/Clock.h"
#include "platform/Prompts.h"

class QApplication;
class QCoreApplication;
class QTranslator;

namespace sorami {

class AppSettings;
class CMainFrame;
class DocumentGateway;
class SingleInstance;

class Application : public QObject {
  Q_OBJECT

 public:
  // Names, version and icon of the program as the desktop shows them.
  static void describe(QApplication& app);
  // Qt's own texts (file dialogs, standard buttons, edit menus) in Japanese, whatever the
  // desktop's language, as the program speaks it. The translator belongs to `app`; null when
  // Qt's translations are not installed.
  static QTranslator* installTranslations(QCoreApplication& app);

  Application(AppSettings& settings, Prompts& prompts, const Clock& clock,
              DocumentGateway& document, QObject* parent = nullptr);
  ~Application() override;

  // Runs the start up to the shown main window with its first file. False: end the program now
  // (another copy took the arguments, or the user stopped at the clock question).
  bool start(const QStringList& args, SingleInstance& instance);

  CMainFrame* mainFrame() const { return frame_.get(); }

  // The arguments of a later start: the window comes to the front and opens the file they name.
  void receiveArguments(const QStringList& args);

 private:
  void openStartFile(const QString& path);
  bool openFile(const QString& path);
  void showDocumentState();

  AppSettings& settings_;
  Prompts& prompts_;
  const Clock& clock_;
  DocumentGateway& document_;
  std::unique_ptr<CMainFrame> frame_;
};

}  // namespace sorami
