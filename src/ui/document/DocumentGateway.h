#pragma once
// What the window side asks of the open data file: open one, start without one, and its title.
// The document fills this in; until then NoDocument stands in and never has a file.

#include <QString>

namespace sorami {

class CMainFrame;

inline const QString NoFileTitle = QStringLiteral("開いたデータ無し");

class DocumentGateway {
 public:
  virtual ~DocumentGateway() = default;
  // False when the file could not be opened; the previous state stays and the document has
  // already told the user why.
  virtual bool openFile(const QString& path) = 0;
  // The state of a start without a file: no path, the no-file title, no dialog.
  virtual void startWithoutFile() = 0;
  virtual bool hasFile() const = 0;
  virtual QString title() const = 0;
  // The main window exists: the document gives its commands their work and shows itself there.
  virtual void attachFrame(CMainFrame& /*frame*/) {}
};

class NoDocument : public DocumentGateway {
 public:
  bool openFile(const QString&) override { return false; }
  void startWithoutFile() override {}
  bool hasFile() const override { return false; }
  QString title() const override { return NoFileTitle; }
};

}  // namespace sorami
