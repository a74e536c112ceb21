// The painting of a picture box: its background, its named drawing, the lines and texts that
// code drew on it, and its sunken border.
#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "gui/colors.h"
#include "gui/drawings.h"
#include "gui/fonts_p.h"
#include "gui/widgets_p.h"

namespace gui::detail {

namespace {

// Width in pixels of the sunken border of a bordered picture box.
constexpr int kPictureBorder = 2;

}  // namespace

void PictureWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& app = QApplication::palette();
  p.fillRect(rect(), toQColor(box_.BackColor, app));
  const int border = box_.BorderStyle != 0 ? kPictureBorder : 0;
  const QRectF inner = QRectF(rect()).adjusted(border, border, -border, -border);
  p.save();
  p.setClipRect(inner);
  drawings().paint(box_.Picture, p, inner);
  p.translate(border, border);
  // Segments that continue one another in one colour (a trace) are drawn as one smooth
  // polyline, so their joints neither gap nor overlap; lone straight lines (a grid) stay
  // crisp on the pixel grid.
  struct Chain {
    QPolygonF points;
    QPen pen;
  };
  std::vector<Chain> open;  // in the order they were started
  const auto flush = [&p](Chain& c) {
    if (c.points.size() < 2) return;
    p.setPen(c.pen);
    const QPointF a = c.points.first(), b = c.points.last();
    const bool straight = c.points.size() == 2 && (a.x() == b.x() || a.y() == b.y());
    p.setRenderHint(QPainter::Antialiasing, !straight);
    if (straight) {
      const auto snap = [](double v) { return std::floor(v) + 0.5; };
      p.drawLine(QPointF(a.x() == b.x() ? snap(a.x()) : a.x(), a.y() == b.y() ? snap(a.y()) : a.y()),
                 QPointF(a.x() == b.x() ? snap(b.x()) : b.x(), a.y() == b.y() ? snap(b.y()) : b.y()));
    } else {
      p.drawPolyline(c.points);
    }
    c.points.clear();
  };
  for (const forms::DrawnLine& l : box_.drawing.lines) {
    const QPointF a(l.x1 * k, l.y1 * k), b(l.x2 * k, l.y2 * k);
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) ||
        !std::isfinite(b.y()))
      continue;
    QPen pen(toQColor(l.color, app), std::max(1.0, l.width * factor));
    pen.setCosmetic(true);
    pen.setJoinStyle(Qt::RoundJoin);
    auto it = std::find_if(open.begin(), open.end(), [&](const Chain& c) { return c.pen == pen; });
    if (it != open.end() && !it->points.isEmpty() && it->points.last() == a) {
      it->points << b;
      continue;
    }
    if (it == open.end()) {
      open.push_back({{}, pen});
      it = std::prev(open.end());
    }
    flush(*it);
    it->points << a << b;
  }
  for (Chain& c : open) flush(c);
  p.setRenderHint(QPainter::Antialiasing, false);
  for (const forms::DrawnText& t : box_.drawing.texts) {
    forms::Font f = box_.font;
    f.Size = t.fontSize;
    f.Bold = t.bold;
    const QFont qf = makeFont(f, factor);
    p.setFont(qf);
    p.setPen(toQColor(t.color, app));
    const QFontMetricsF m(qf);
    p.drawText(QPointF(t.x * k, t.y * k + m.ascent()), t.text);
  }
  p.restore();
  if (border) {
    // A sunken border: dark at the top left, light at the bottom right.
    const QRect r = rect();
    p.setPen(app.color(QPalette::Dark));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(app.color(QPalette::Light));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(app.color(QPalette::Shadow));
    p.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));
    p.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -1));
  }
}

}  // namespace gui::detail
