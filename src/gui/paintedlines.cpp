#include "gui/paintedlines_p.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "gui/colors.h"

namespace gui::detail {

namespace {

bool finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// The middle of the pixel a coordinate falls in, so a one-pixel line covers one pixel.
double snap(double v) { return std::floor(v) + 0.5; }

}  // namespace

void PaintedLines::prepare(const forms::DisplayList& list, double k, double factor,
                           QPointF origin, const QPalette& palette) {
  const Key key{list.revision, list.lines.size(), k, factor, origin, palette.cacheKey()};
  if (built_ && key == key_) return;
  build(list, k, factor, origin, palette);
  key_ = key;
  built_ = true;
}

void PaintedLines::build(const forms::DisplayList& list, double k, double factor,
                         QPointF origin, const QPalette& palette) {
  pens_.clear();
  strokes_.clear();
  // The pen of each colour and width, made once.
  struct PenOf {
    forms::VbColor color;
    int width;
  };
  std::vector<PenOf> penOf;
  const auto penIndex = [&](const forms::DrawnLine& l) {
    for (size_t i = 0; i < penOf.size(); ++i)
      if (penOf[i].color == l.color && penOf[i].width == l.width) return int(i);
    QPen pen(toQColor(l.color, palette), std::max(1.0, l.width * factor));
    pen.setCosmetic(true);
    pen.setJoinStyle(Qt::RoundJoin);
    pens_.push_back(pen);
    penOf.push_back({l.color, l.width});
    return int(pens_.size() - 1);
  };

  // The stroke each pen is drawing now, if any; finished strokes go out in the order they end.
  std::vector<Stroke> open;
  const auto finish = [this](Stroke& s) {
    if (s.points.size() < 2) return;
    const QPointF a = s.points.first(), b = s.points.last();
    s.straight = s.points.size() == 2 && (a.x() == b.x() || a.y() == b.y());
    if (s.straight) {
      s.points[0] = QPointF(a.x() == b.x() ? snap(a.x()) : a.x(), a.y() == b.y() ? snap(a.y()) : a.y());
      s.points[1] = QPointF(a.x() == b.x() ? snap(b.x()) : b.x(), a.y() == b.y() ? snap(b.y()) : b.y());
    }
    const int pen = s.pen;
    strokes_.push_back(std::move(s));
    s = Stroke{pen, {}, false};
  };
  for (const forms::DrawnLine& l : list.lines) {
    const QPointF a = origin + QPointF(l.x1 * k, l.y1 * k), b = origin + QPointF(l.x2 * k, l.y2 * k);
    if (!finite(a) || !finite(b)) continue;
    const int pen = penIndex(l);
    auto it = std::find_if(open.begin(), open.end(), [pen](const Stroke& s) { return s.pen == pen; });
    if (it == open.end()) {
      open.push_back({pen, {}, false});
      it = std::prev(open.end());
    } else if (!it->points.isEmpty() && it->points.last() == a) {
      it->points << b;
      continue;
    }
    finish(*it);
    it->points << a << b;
  }
  for (Stroke& s : open) finish(s);

  QRectF extent;
  for (const Stroke& s : strokes_) {
    const double room = pens_[size_t(s.pen)].widthF() + 1;
    extent |= s.points.boundingRect().adjusted(-room, -room, room, room);
  }
  extent_ = extent.toAlignedRect();
}

void PaintedLines::paint(QPainter& p) const {
  const bool antialiased = p.testRenderHint(QPainter::Antialiasing);
  int pen = -1;
  for (const Stroke& s : strokes_) {
    if (s.pen != pen) p.setPen(pens_[size_t(pen = s.pen)]);
    p.setRenderHint(QPainter::Antialiasing, !s.straight);
    if (s.straight)
      p.drawLine(s.points[0], s.points[1]);
    else
      p.drawPolyline(s.points);
  }
  p.setRenderHint(QPainter::Antialiasing, antialiased);
}

}  // namespace gui::detail
