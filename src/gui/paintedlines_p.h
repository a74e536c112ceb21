#pragma once
// The lines of a display list made ready to paint: joined into strokes, each with its pen, and
// the pixels they cover. A paint of an unchanged list at an unchanged scale reuses all of it, so
// repainting a window costs the strokes' drawing alone, whatever else is going on.
#include <QPen>
#include <QPointF>
#include <QPolygonF>
#include <QRect>
#include <vector>

#include "forms/displaylist.h"

class QPainter;
class QPalette;

namespace gui::detail {

class PaintedLines {
 public:
  // Brings the strokes up to date with the list's lines at k pixels per twip, pens factor times
  // their width, offset by origin pixels; system colours from palette. Builds them again only
  // when one of these changed since the last call.
  void prepare(const forms::DisplayList& list, double k, double factor, QPointF origin,
               const QPalette& palette);
  // Paints the strokes as prepared last.
  void paint(QPainter& p) const;
  // The pixels the strokes cover, with room for their pens.
  QRect extent() const { return extent_; }

 private:
  // Segments that continue one another in one pen (a trace) make one smooth polyline, so its
  // joints neither gap nor overlap; a lone horizontal or vertical line (a grid line) stays
  // crisp on the pixel grid.
  struct Stroke {
    int pen;  // index into pens_
    QPolygonF points;
    bool straight = false;
  };
  struct Key {
    unsigned revision = 0;
    size_t lines = 0;
    double k = 0, factor = 0;
    QPointF origin;
    qint64 palette = 0;
    bool operator==(const Key&) const = default;
  };
  void build(const forms::DisplayList& list, double k, double factor, QPointF origin,
             const QPalette& palette);

  bool built_ = false;
  Key key_;
  std::vector<QPen> pens_;
  std::vector<Stroke> strokes_;
  QRect extent_;
};

}  // namespace gui::detail
