#include "reports/GraphFile.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include "reports/GraphPainter.h"

namespace sorami {

namespace {

const QRectF kFileArea(0, 0, kGraphFileWidth, kGraphFileHeight);

// Draws into the page's paintable area at the file's logical size, scaled to fit.
bool drawOn(QPaintDevice& device, const GraphDrawing& drawing, const QRectF& page) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const double scale =
      std::min(page.width() / kFileArea.width(), page.height() / kFileArea.height());
  painter.translate(page.topLeft());
  painter.scale(scale, scale);
  GraphPainter(drawing).paint(painter, kFileArea);
  return painter.end();
}

}  // namespace

bool saveGraph(const GraphDrawing& drawing, const QString& path, const QString& title) {
  const QString ext = QFileInfo(path).suffix().toLower();
  if (ext == QLatin1String("png")) {
    QImage image(kGraphFileWidth * 2, kGraphFileHeight * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    if (!drawOn(image, drawing, kFileArea)) return false;
    return image.save(path, "PNG");
  }
  if (ext == QLatin1String("svg")) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(kGraphFileWidth, kGraphFileHeight));
    svg.setViewBox(kFileArea);
    svg.setTitle(title);
    if (!drawOn(svg, drawing, kFileArea)) return false;
    return QFileInfo(path).size() > 0;
  }
  if (ext == QLatin1String("pdf")) {
    QPdfWriter pdf(path);
    pdf.setTitle(title);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setResolution(300);
    const QRectF page = pdf.pageLayout().paintRectPixels(pdf.resolution());
    return drawOn(pdf, drawing, QRectF(QPointF(0, 0), page.size()));
  }
  return false;
}

void printGraph(const GraphDrawing& drawing, QPrinter& printer) {
  printer.setPageOrientation(QPageLayout::Landscape);
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  drawOn(printer, drawing, QRectF(QPointF(0, 0), page.size()));
}

}  // namespace sorami
