#pragma once
// The help window: the manual's pages, read inside the program. One window serves every window
// of the program; it is made on first use and lives as long as the main window.

#include <QTextBrowser>
#include <QWidget>

class QPushButton;

namespace sorami {

// The page viewer: pictures wider than the page are shown at the page's width.
class CHelpBrowser : public QTextBrowser {
  Q_OBJECT

 public:
  using QTextBrowser::QTextBrowser;

 protected:
  void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void fitPictures();
};

class CHelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit CHelpWindow(QWidget* parent = nullptr);

  // Shows the page (a file name of the manual without ".md") and brings the window up; over an
  // open dialog the window is modal, so it can be read and closed while the dialog waits.
  void showPage(const QString& page);
  // The page shown now, without ".md"; empty when the manual was not found.
  QString page() const;
  CHelpBrowser* browser() const { return browser_; }

  // The folder of the manual: beside the installed program, else the manual of the source tree
  // the program was built from, else the data folders of the desktop. Empty when none has it.
  static QString manualFolder();

 private:
  void present();
  void showMissing(const QString& page);
  void updateTitle();

  CHelpBrowser* browser_;
  QPushButton* back_;
  QPushButton* forward_;
  bool missing_ = false;
};

// The page of the window that holds `from` (the focus widget when null), in the one help window.
void showHelp(QWidget* from = nullptr);
// A page by its name, for a window's own ﾍﾙﾌﾟ button that wants another page than its own.
void showHelpPage(const QString& page, QWidget* from = nullptr);
// The help window when it exists (tests).
CHelpWindow* helpWindow();

}  // namespace sorami
