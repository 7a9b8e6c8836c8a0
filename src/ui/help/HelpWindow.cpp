#include "help/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QVBoxLayout>
#include <vector>

#include "help/HelpPages.h"
#include "platform/Messages.h"

namespace sorami {

namespace {

constexpr int MinPictureWidth = 320;

QPointer<CHelpWindow>& instance() {
  static QPointer<CHelpWindow> window;
  return window;
}

// The outermost window above `from`: the help window lives as long as it does.
QWidget* ownerOf(QWidget* from) {
  QWidget* w = from ? from->window() : QApplication::activeWindow();
  while (w && w->parentWidget()) w = w->parentWidget()->window();
  return w;
}

QPushButton* button(const QString& text, const QKeySequence& key) {
  auto* b = new QPushButton(text);
  b->setShortcut(key);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

// The screenshots are as wide as a main window; the page shows them whole, at most as wide as
// the page, also after the window was made narrower.
void CHelpBrowser::fitPictures() {
  const int room =
      std::max(MinPictureWidth, viewport()->width() - 2 * int(document()->documentMargin()) - 4);
  struct Picture {
    int position;
    QTextImageFormat format;
  };
  std::vector<Picture> pictures;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().isImageFormat()) continue;
      QTextImageFormat format = fragment.charFormat().toImageFormat();
      const QVariant data = document()->resource(QTextDocument::ImageResource, QUrl(format.name()));
      QImage image;
      if (data.userType() == QMetaType::QByteArray) {
        image.loadFromData(data.toByteArray());
      } else if (data.canConvert<QImage>()) {
        image = qvariant_cast<QImage>(data);
      }
      if (image.isNull()) continue;
      const int width = std::min(image.width(), room);
      if (int(format.width()) == width) continue;
      format.setWidth(width);
      format.setHeight(qreal(image.height()) * width / image.width());
      pictures.push_back({fragment.position(), format});
    }
  }
  QTextCursor cursor(document());
  for (const Picture& p : pictures) {
    cursor.setPosition(p.position);
    cursor.setPosition(p.position + 1, QTextCursor::KeepAnchor);
    cursor.setCharFormat(p.format);
  }
}

void CHelpBrowser::resizeEvent(QResizeEvent* event) {
  QTextBrowser::resizeEvent(event);
  if (event->size().width() != event->oldSize().width()) fitPictures();
}

void CHelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
  // The pages link to each other by file name; every one of them is Markdown.
  if (type == QTextDocument::UnknownResource && name.path().endsWith(QStringLiteral(".md"))) {
    type = QTextDocument::MarkdownResource;
  }
  QTextBrowser::doSetSource(name, type);
  fitPictures();
}

CHelpWindow::CHelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      browser_(new CHelpBrowser),
      back_(button(QStringLiteral("戻る(&B)"), QKeySequence::Back)),
      forward_(button(QStringLiteral("進む(&F)"), QKeySequence::Forward)) {
  setObjectName(QStringLiteral("HelpWindow"));
  setAttribute(Qt::WA_QuitOnClose, false);
  browser_->setOpenExternalLinks(true);
  auto* contents = button(QStringLiteral("目次(&C)"), QKeySequence(Qt::ALT | Qt::Key_Home));
  auto* close = button(QStringLiteral("閉じる"), QKeySequence());
  auto* row = new QHBoxLayout;
  for (QPushButton* b : {contents, back_, forward_}) row->addWidget(b);
  row->addStretch();
  row->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(browser_, 1);

  auto* escape = new QAction(this);
  escape->setShortcut(Qt::Key_Escape);
  addAction(escape);
  connect(escape, &QAction::triggered, this, &QWidget::close);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  connect(contents, &QPushButton::clicked, this, [this] { showPage(HelpContentsPage); });
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this, &CHelpWindow::updateTitle);
  back_->setEnabled(false);
  forward_->setEnabled(false);

  const QScreen* screen = parent ? parent->screen() : QApplication::primaryScreen();
  const QSize room = screen ? screen->availableSize() : QSize(1024, 768);
  resize(std::min(760, room.width() * 9 / 10), room.height() * 8 / 10);
  updateTitle();
}

QString CHelpWindow::manualFolder() {
  QStringList candidates{QDir(QCoreApplication::applicationDirPath())
                             .absoluteFilePath(QStringLiteral("../share/sorami/manual")),
                         QStringLiteral(SORAMI_SOURCE_MANUAL)};
  candidates +=
      QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                QStringLiteral("sorami/manual"), QStandardPaths::LocateDirectory);
  for (const QString& folder : candidates) {
    if (QFileInfo::exists(folder + QStringLiteral("/index.md"))) return QDir(folder).absolutePath();
  }
  return {};
}

void CHelpWindow::showPage(const QString& page) {
  const QString folder = manualFolder();
  const QString file = QDir(folder).filePath(page + QStringLiteral(".md"));
  if (folder.isEmpty() || !QFileInfo::exists(file)) {
    showMissing(folder.isEmpty() ? page : file);
  } else {
    // The same page again is read again: after a missing page the browser still names it.
    const QUrl url = QUrl::fromLocalFile(file);
    missing_ = false;
    if (browser_->source() == url) {
      browser_->reload();
    } else {
      browser_->setSource(url, QTextDocument::MarkdownResource);
    }
  }
  updateTitle();
  present();
}

QString CHelpWindow::page() const {
  const QUrl source = browser_->source();
  if (missing_ || source.isEmpty() || !source.isLocalFile()) return {};
  return QFileInfo(source.toLocalFile()).completeBaseName();
}

void CHelpWindow::showMissing(const QString& page) {
  missing_ = true;
  browser_->clear();
  browser_->clearHistory();
  browser_->setPlainText(QString::fromStdU16String(
      formatMessage(MessageId::HelpPageMissing, {page.toStdU16String()})));
}

void CHelpWindow::updateTitle() {
  const QString heading = browser_->document()->firstBlock().text().trimmed();
  setWindowTitle(page().isEmpty() || heading.isEmpty()
                     ? QStringLiteral("そらみ ヘルプ")
                     : QStringLiteral("そらみ ヘルプ - %1").arg(heading));
}

void CHelpWindow::present() {
  // Over a dialog that waits for its answer, only a modal window can be read; beside the main
  // window the help stays open while the user works.
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != this) {
    const Qt::WindowModality wanted = modal ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != wanted) {
      hide();
      setWindowModality(wanted);
    }
  }
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void showHelpPage(const QString& page, QWidget* from) {
  QPointer<CHelpWindow>& window = instance();
  if (!window) window = new CHelpWindow(ownerOf(from));
  window->showPage(page);
}

void showHelp(QWidget* from) {
  if (!from) from = QApplication::focusWidget();
  if (!from) from = QApplication::activeWindow();
  showHelpPage(helpPageFor(from), from);
}

CHelpWindow* helpWindow() {
  return instance();
}

}  // namespace sorami
