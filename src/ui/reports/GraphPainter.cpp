#include "reports/GraphPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "rules/AmountText.h"

namespace sorami {

namespace {

const QColor kGridGrey(128, 128, 128);
const QColor kHiddenGrey(128, 128, 128);
constexpr double kFullTurn = 2 * std::numbers::pi;
// A sector of 99.5 % of the turn or more is the whole circle.
constexpr double kWholeCircle = 6.2517694;
constexpr double kLeastPolygon = 0.02;
constexpr int kArcPoints = 51;

QColor colourOf(uint32_t rgb) {
  return QColor(static_cast<int>((rgb >> 16) & 0xffU), static_cast<int>((rgb >> 8) & 0xffU),
                static_cast<int>(rgb & 0xffU));
}

QString text(const std::u16string& s) {
  return QString::fromStdU16String(s);
}

// Where the months and values of a trend graph go.
struct Plot {
  QRectF rect;
  double column = 1;  // the width of one month
  double depth = 2;   // of the three-dimensional boxes
  int64_t bottom = 0;
  double perUnit = 1;

  double y(int64_t v) const { return rect.bottom() - static_cast<double>(v - bottom) * perUnit; }
  // Bars stand in the right half of their month's slot.
  double barLeft(int k) const { return rect.left() + (k - 0.5) * column; }
  double barWidth() const { return column / 2; }
  double centre(int k) const { return barLeft(k) + barWidth() / 2; }
};

void box(QPainter& p, const QRectF& front, double depth, const QColor& c, bool top) {
  p.setPen(QPen(c.darker(160), 0));
  const QPointF d(depth, -depth);
  p.setBrush(c.darker(130));
  p.drawPolygon(QPolygonF{front.topRight(), front.topRight() + d, front.bottomRight() + d,
                          front.bottomRight()});
  if (top) {
    p.setBrush(c.lighter(130));
    p.drawPolygon(
        QPolygonF{front.topLeft(), front.topLeft() + d, front.topRight() + d, front.topRight()});
  }
  p.setBrush(c);
  p.drawRect(front);
}

QPointF onCircle(const QPointF& centre, double radius, double angle) {
  // Counter-clockwise from the right, as the screen's y runs downwards.
  return centre + QPointF(radius * std::cos(angle), -radius * std::sin(angle));
}

}  // namespace

void GraphPainter::paint(QPainter& painter, const QRectF& area) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.fillRect(area, Qt::white);
  QFont font = painter.font();
  font.setPixelSize(static_cast<int>(std::clamp(area.height() / 40, 10.0, 28.0)));
  painter.setFont(font);
  legend_.clear();
  hits_.clear();
  if (drawing_.trend) paintTrend(painter, area, *drawing_.trend);
  if (drawing_.pie) paintPie(painter, area, *drawing_.pie);
  painter.restore();
}

double GraphPainter::paintTitles(QPainter& p, const QRectF& area, const QString& title, Day first,
                                 Day last) {
  const QFontMetricsF fm(p.font());
  double y = area.top() + fm.height() * 0.4;
  if (!title.isEmpty()) {
    QFont bold = p.font();
    bold.setBold(true);
    p.save();
    p.setFont(bold);
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), y, area.width(), fm.height()), Qt::AlignHCenter, title);
    p.restore();
    y += fm.height() * 1.2;
  }
  p.setPen(drawing_.monochrome ? QColor(Qt::black) : QColor(0, 0, 255));
  p.drawText(QRectF(area.left(), y, area.width(), fm.height()), Qt::AlignHCenter,
             text(graphPeriodLine(first, last)));
  return y + fm.height() * 1.4;
}

void GraphPainter::paintTrend(QPainter& p, const QRectF& area, const TrendGraph& g) {
  const QFontMetricsF fm(p.font());
  const double line = fm.height();
  const double margin = line * 0.8;
  const double top = paintTitles(p, area, text(g.title), g.first, g.last);

  // The legend is as wide as the longest name, within 10 to 13 characters.
  const double half = fm.horizontalAdvance(QStringLiteral("0"));
  double names = 0;
  for (const GraphSeries& s : g.series) names = std::max(names, fm.horizontalAdvance(text(s.name)));
  const double textWidth = std::clamp(names, 10 * half, 13 * 2 * half);
  const double legendWidth = line + half + textWidth;
  paintLegend(p, QRectF(area.right() - margin - legendWidth, top + line, legendWidth, 0), g,
              textWidth);

  ScaleOptions options = drawing_.scale;
  options.lines = g.lines;
  scale_ = graphScale(g.series, g.months, options);
  double labels = fm.horizontalAdvance(text(scale_.unitText));
  for (const int64_t v : scale_.gridValues()) {
    labels = std::max(labels, fm.horizontalAdvance(text(scale_.label(v))));
  }
  const int monthRows = g.months > 12 ? 2 : 1;
  Plot plot;
  plot.rect = QRectF(QPointF(area.left() + margin + labels + half, top + line * 1.5),
                     QPointF(area.right() - 2 * margin - legendWidth,
                             area.bottom() - margin - line * (monthRows + 0.3)));
  if (plot.rect.width() < 10 || plot.rect.height() < 10) return;
  plot.column = plot.rect.width() / (g.months + 0.5);
  plot.depth = g.lines ? std::max(2.0, plot.rect.width() / 200) : plot.column / 5;
  plot.bottom = scale_.bottom;
  plot.perUnit = plot.rect.height() / static_cast<double>(scale_.top - scale_.bottom);

  // The unit above the axis, the grid with its labels.
  p.setPen(Qt::black);
  p.drawText(QRectF(area.left() + margin, plot.rect.top() - line * 1.4, labels + half, line),
             Qt::AlignLeft, text(scale_.unitText));
  for (const int64_t v : scale_.gridValues()) {
    const double y = plot.y(v);
    p.setPen(QPen(kGridGrey, 0));
    p.drawPolyline(QPolygonF{QPointF(plot.rect.left(), y),
                             QPointF(plot.rect.left() + plot.depth, y - plot.depth),
                             QPointF(plot.rect.right(), y - plot.depth)});
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left() + margin, y - line / 2, labels, line),
               Qt::AlignRight | Qt::AlignVCenter, text(scale_.label(v)));
  }
  p.setPen(QPen(Qt::black, 0));
  p.drawLine(plot.rect.bottomLeft(), plot.rect.topLeft());
  p.drawLine(QPointF(plot.rect.left(), plot.y(0)), QPointF(plot.rect.right(), plot.y(0)));

  // Month numbers under the axis, January with its year when the span is longer than a year.
  double lastRight = -1e9;
  for (int k = 1; k <= g.months; ++k) {
    const YearMonth ym = addMonths(g.firstMonth, k - 1);
    const QString label = QString::number(ym.month);
    const double w = fm.horizontalAdvance(label);
    const double x = plot.centre(k) - w / 2;
    if (x <= lastRight) continue;
    lastRight = x + w + half / 2;
    p.drawText(QPointF(x, plot.rect.bottom() + line), label);
    if (monthRows == 2 && ym.month == 1) {
      const QString year = QString::number(ym.year);
      p.drawText(
          QPointF(plot.centre(k) - fm.horizontalAdvance(year) / 2, plot.rect.bottom() + 2 * line),
          year);
    }
  }
  p.drawText(QPointF(plot.rect.right() + half / 2, plot.rect.bottom() + line),
             QStringLiteral("月"));

  p.save();
  p.setClipRect(plot.rect.adjusted(0, -plot.depth - 1, plot.depth + 1, 1));
  std::vector<int64_t> above(static_cast<size_t>(g.months) + 1, 0);
  std::vector<int64_t> below(above.size(), 0);
  // The first series is drawn last, so it stands in front.
  for (size_t i = g.series.size(); i-- > 0;) {
    const GraphSeries& s = g.series[i];
    if (!s.visible) continue;
    const QColor c = colourOf(s.rgb);
    const int last = g.lastDrawnColumn(s);
    std::optional<QPointF> previous;
    QPolygonF joined;
    for (int k = 1; k <= last && static_cast<size_t>(k) < s.values.size(); ++k) {
      const auto ku = static_cast<size_t>(k);
      const int64_t v = s.values[ku];
      if (g.lines) {
        const QPointF at(plot.centre(k), plot.y(v));
        joined << at;
        const QRectF marker(at - QPointF(plot.depth, plot.depth),
                            at + QPointF(plot.depth, plot.depth));
        hits_.push_back({marker.adjusted(-2, -2, 2, 2), static_cast<int>(i), k, v});
        continue;
      }
      int64_t& base = v >= 0 ? above[ku] : below[ku];
      const double y0 = plot.y(base);
      const double y1 = plot.y(base + v);
      base += v;
      const QRectF front(QPointF(plot.barLeft(k), std::min(y0, y1)),
                         QPointF(plot.barLeft(k) + plot.barWidth(), std::max(y0, y1)));
      if (v != 0) box(p, front, plot.depth, c, v > 0);
      hits_.push_back({front, static_cast<int>(i), k, v});
      const QPointF topCentre(plot.centre(k), y1);
      if (g.guideLines && previous) {
        p.setPen(QPen(c.darker(120), 2));
        p.drawLine(*previous, topCentre);
      }
      previous = topCentre;
    }
    if (!g.lines) continue;
    if (g.guideLines) {
      p.setPen(QPen(c, 2));
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(joined);
    }
    for (const QPointF& at : joined) {
      box(p, QRectF(at - QPointF(plot.depth, plot.depth), at + QPointF(plot.depth, plot.depth)),
          plot.depth / 2, c, true);
    }
  }
  p.restore();
}

void GraphPainter::paintLegend(QPainter& p, const QRectF& area, const TrendGraph& g,
                               double textWidth) {
  const QFontMetricsF fm(p.font());
  const double row = fm.height() * 1.3;
  const double side = fm.height() * 0.8;
  double y = area.top();
  for (const GraphSeries& s : g.series) {
    const QRectF entry(area.left(), y, area.width(), row);
    const QRectF swatch(entry.left(), y + (row - side) / 2, side, side);
    const QColor c = colourOf(s.rgb);
    p.setPen(QPen(c.darker(160), 0));
    p.setBrush(c);
    p.drawRect(swatch);
    if (g.guideLines && !g.lines) {
      p.setPen(QPen(c.darker(120), 2));
      p.drawLine(QPointF(swatch.left() - side / 3, swatch.center().y()),
                 QPointF(swatch.right() + side / 3, swatch.center().y()));
    }
    p.setPen(s.visible ? QColor(Qt::black) : kHiddenGrey);
    const QString name = fm.elidedText(text(s.name), Qt::ElideRight, textWidth);
    p.drawText(QRectF(swatch.right() + side / 2, y, textWidth, row), Qt::AlignVCenter, name);
    legend_.push_back(entry);
    y += row;
  }
}

void GraphPainter::paintPie(QPainter& p, const QRectF& area, const PieGraph& pie) {
  const double top = paintTitles(p, area, {}, pie.first, pie.last);
  const QRectF body(QPointF(area.left(), top), area.bottomRight());
  const double half = body.width() / 2;
  paintPieSide(p, QRectF(body.left(), body.top(), half, body.height()), pie.expense);
  paintPieSide(p, QRectF(body.left() + half, body.top(), half, body.height()), pie.income);
}

void GraphPainter::paintPieSide(QPainter& p, const QRectF& whole, const PieSide& side) {
  const QFontMetricsF fm(p.font());
  const double line = fm.height();
  const double margin = line;
  const double rowHeight = line * 1.3;
  const double diameter =
      std::max(10.0, std::min(whole.width() * 0.55, whole.height() - 2.5 * line - margin));
  // Caption, pie and legend stand together in the middle of the height they have.
  const double legendHeight = rowHeight * static_cast<double>(side.slices.size());
  const double block = 1.5 * line + std::max(diameter, legendHeight);
  const QRectF area = whole.adjusted(0, std::max(0.0, (whole.height() - block) / 2), 0, 0);
  p.setPen(Qt::black);
  p.drawText(QRectF(area.left() + margin, area.top(), area.width() - 2 * margin, line),
             Qt::AlignLeft,
             text(side.caption(drawing_.scale.currency, drawing_.scale.decimalPlaces)));
  const QRectF circle(area.left() + margin, area.top() + 1.5 * line, diameter, diameter);
  const QPointF centre = circle.center();
  const double radius = diameter / 2;
  p.setPen(QPen(Qt::black, 0));
  if (side.absoluteSum == 0) {
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(circle);
    p.drawText(circle, Qt::AlignCenter, QStringLiteral("集計がｾﾞﾛです"));
  } else {
    double angle = 0;
    for (const PieSlice& s : side.slices) {
      if (s.total == 0) continue;
      const double span = static_cast<double>(std::llabs(s.total)) /
                          static_cast<double>(side.absoluteSum) * kFullTurn;
      const QColor c = colourOf(s.rgb);
      p.setPen(QPen(c.darker(160), 0));
      p.setBrush(c);
      const QPointF from = onCircle(centre, radius, angle);
      const QPointF to = onCircle(centre, radius, angle + span);
      if (span >= kWholeCircle) {
        p.drawEllipse(circle);
      } else if (QLineF(from, to).length() > 1 && span > kLeastPolygon) {
        QPolygonF sector{centre};
        for (int i = 0; i < kArcPoints; ++i) {
          sector << onCircle(centre, radius, angle + span * i / (kArcPoints - 1));
        }
        p.drawPolygon(sector);
      } else {
        p.drawLine(centre, from);
      }
      angle += span;
    }
  }
  // One legend row per graphed item beside the pie, made smaller when many must fit.
  const double left = circle.right() + margin;
  const double available = whole.bottom() - circle.top() - margin;
  const double count = static_cast<double>(std::max<size_t>(side.slices.size(), 1));
  const double row = std::min(rowHeight, available / count);
  QFont font = p.font();
  if (row < line * 1.1) font.setPixelSize(std::max(6, static_cast<int>(row / 1.3)));
  p.save();
  p.setFont(font);
  const double shareWidth = QFontMetricsF(font).horizontalAdvance(QStringLiteral("100%"));
  double y = circle.top();
  for (const PieSlice& s : side.slices) {
    const double swatch = row * 0.7;
    const QColor c = colourOf(s.rgb);
    p.setPen(QPen(c.darker(160), 0));
    p.setBrush(c);
    p.drawRect(QRectF(left, y + (row - swatch) / 2, swatch, swatch));
    p.setPen(Qt::black);
    const double x = left + swatch * 1.5;
    p.drawText(QRectF(x, y, shareWidth, row), Qt::AlignVCenter | Qt::AlignRight,
               QStringLiteral("%1%").arg(s.share));
    p.drawText(QRectF(x + shareWidth, y, whole.right() - x - shareWidth, row), Qt::AlignVCenter,
               QStringLiteral(":") + text(s.name));
    y += row;
  }
  p.restore();
}

int GraphPainter::legendAt(const QPointF& point) const {
  for (size_t i = 0; i < legend_.size(); ++i) {
    if (legend_[i].contains(point)) return static_cast<int>(i);
  }
  return -1;
}

std::optional<GraphHit> GraphPainter::hitAt(const QPointF& point) const {
  // The series drawn last stand in front; they were recorded last.
  for (auto it = hits_.rbegin(); it != hits_.rend(); ++it) {
    if (it->rect.contains(point)) return *it;
  }
  return std::nullopt;
}

QString GraphPainter::hitText(const GraphHit& hit) const {
  if (!drawing_.trend || hit.series < 0 ||
      static_cast<size_t>(hit.series) >= drawing_.trend->series.size()) {
    return {};
  }
  const TrendGraph& g = *drawing_.trend;
  const YearMonth ym = addMonths(g.firstMonth, hit.column - 1);
  return QStringLiteral("%1年%2月 %3: %4")
      .arg(ym.year)
      .arg(ym.month)
      .arg(text(g.series[static_cast<size_t>(hit.series)].name))
      .arg(text(formatAmount(hit.value, true, drawing_.scale.decimalPlaces)));
}

}  // namespace sorami
