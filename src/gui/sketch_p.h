#pragma once
// The drawing of schematic symbols (wires, resistors, capacitors, grounds, junctions,
// terminals and amplifiers) in the twips of a picture onto a target rectangle: what the
// stage schematics and the summing stage of the band-reject view are drawn with.
#include <QPainter>
#include <QPen>
#include <QString>
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "designview/schematicanchors.h"

namespace gui::detail {

using designview::PartAnchor;

// A point of a picture, in twips from the picture's top-left corner.
struct Pt {
  double x, y;
};

// Draws schematic symbols in picture twips onto the target rectangle, at the scale that fits
// the picture's height into it (the window scales uniformly). Points are snapped to pixel
// centres, so that straight wires stay one crisp pixel wide at every scale.
class Sketch {
 public:
  Sketch(QPainter& p, const QRectF& target, double width, double height)
      : p_(p), target_(target), scale_(target.height() / height), width_(width) {
    QPen pen(Qt::black);
    pen.setCosmetic(true);
    pen.setWidth(1);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
  }

  // The right edge of the rectangle, in picture twips (at least the picture's width).
  double right() const { return std::max(width_, target_.width() / scale_); }

  // A wire through the given points.
  void wire(std::initializer_list<Pt> points) {
    const Pt* prev = nullptr;
    for (const Pt& q : points) {
      if (prev) line(*prev, q);
      prev = &q;
    }
  }

  // A resistor with its body at the anchor and leads along its run to `from` and `to` (x of a
  // horizontal run, y of a vertical one).
  void resistor(const PartAnchor& at, double from, double to) {
    const Run r = run(at, from, to);
    resistor(r.a, r.b, r.centre);
  }

  // A capacitor with its plates at the anchor and leads along its run to `from` and `to`.
  void capacitor(const PartAnchor& at, double from, double to) {
    const Run r = run(at, from, to);
    capacitor(r.a, r.b, r.centre);
  }

  // A resistor or a capacitor: the high-pass form of a stage has capacitors where the
  // low-pass form has resistors and the other way round.
  void part(bool isResistor, const PartAnchor& at, double from, double to) {
    if (isResistor)
      resistor(at, from, to);
    else
      capacitor(at, from, to);
  }

  // Ground below a wire ending at (x, y).
  void ground(double x, double y) {
    line({x - 90, y}, {x + 90, y});
    line({x - 55, y + 25}, {x + 55, y + 25});
    line({x - 20, y + 50}, {x + 20, y + 50});
  }

  // A junction of wires.
  void dot(double x, double y) {
    const QPointF c = map({x, y});
    const double r = std::max(1.5, 22 * scale_);
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setBrush(Qt::black);
    p_.drawEllipse(c, r, r);
    p_.restore();
  }

  // An input or output terminal: a small open circle, with its wire to the picture's edge.
  void terminal(double x, double y, double edgeX) {
    const double r = 30;
    wire({{edgeX, y}, {x + (edgeX < x ? -r : r), y}});
    circle({x, y}, r);
  }

  // An op-amp: triangle with its left side at `left` from `top` to `top + height`, output at
  // the apex. The inputs sit at a quarter and three quarters of the height; minusOnTop puts
  // the inverting input at the top.
  void opamp(double left, double top, double width, double height, bool minusOnTop) {
    triangle(left, top, width, height);
    const double upper = top + height / 4, lower = top + 3 * height / 4;
    sign(left + 75, upper, !minusOnTop);
    sign(left + 75, lower, minusOnTop);
  }

  // An op-amp facing back: its inputs on the right side at `right`, at a quarter and three
  // quarters of the height (minusOnTop puts the inverting input at the top), its output at the
  // apex on the left.
  void opampFacingBack(double right, double top, double width, double height, bool minusOnTop) {
    const Pt a{right, top}, b{right, top + height}, c{right - width, top + height / 2};
    line(a, b);
    line(a, c);
    line(b, c);
    const double upper = top + height / 4, lower = top + 3 * height / 4;
    sign(right - 75, upper, !minusOnTop);
    sign(right - 75, lower, minusOnTop);
  }

  // A fully differential amplifier: inverting input at height inTop, non-inverting input at
  // inBottom; the caller wires the outputs from the slanted sides (sideX).
  void differentialAmp(double left, double top, double width, double height, double inTop,
                       double inBottom) {
    triangle(left, top, width, height);
    sign(left + 75, inTop, false);
    sign(left + 75, inBottom, true);
  }

  // Where a horizontal output wire at height y leaves the upper or lower side of a triangle.
  static double sideX(double left, double top, double width, double height, double y) {
    const double mid = top + height / 2;
    const double t = y < mid ? (y - top) / (mid - top) : (top + height - y) / (mid - top);
    return left + t * width;
  }

  // A short text centred at a point (for the gain of a buffer).
  void text(Pt at, const QString& s) {
    QFont f = p_.font();
    f.setPixelSize(std::max(7, static_cast<int>(std::lround(150 * scale_))));
    p_.save();
    p_.setFont(f);
    const QPointF c = map(at);
    p_.drawText(QRectF(c.x() - 40, c.y() - 20, 80, 40), Qt::AlignCenter, s);
    p_.restore();
  }

 private:
  // A straight run from a to b with a part's body centred at `centre` along it.
  struct Run {
    Pt a, b;
    double centre;
  };
  static Run run(const PartAnchor& at, double from, double to) {
    const double x = at.x, y = at.y;
    if (at.vertical) return {{x, from}, {x, to}, y};
    return {{from, y}, {to, y}, x};
  }

  // A resistor between a and b (a horizontal or vertical run), its body centred at `centre`
  // along the run, with leads to both ends.
  void resistor(Pt a, Pt b, double centre) {
    const bool horizontal = a.y == b.y;
    const double half = 140, side = 45;
    lead(a, b, centre, half);
    if (horizontal)
      box({centre - half, a.y - side}, {centre + half, a.y + side});
    else
      box({a.x - side, centre - half}, {a.x + side, centre + half});
  }

  // A capacitor between a and b, its plates centred at `centre` along the run.
  void capacitor(Pt a, Pt b, double centre) {
    const bool horizontal = a.y == b.y;
    const double gap = 30, plate = 80;
    lead(a, b, centre, gap);
    if (horizontal) {
      line({centre - gap, a.y - plate}, {centre - gap, a.y + plate});
      line({centre + gap, a.y - plate}, {centre + gap, a.y + plate});
    } else {
      line({a.x - plate, centre - gap}, {a.x + plate, centre - gap});
      line({a.x - plate, centre + gap}, {a.x + plate, centre + gap});
    }
  }

  // The picture's right and bottom edges map onto its last pixel column and row, so that
  // wires drawn to an edge reach it.
  QPointF map(Pt q) const {
    const double lastX = std::max(0.0, std::ceil(target_.width()) - 1);
    const double lastY = std::max(0.0, std::ceil(target_.height()) - 1);
    return {target_.left() + std::clamp(std::floor(q.x * scale_), 0.0, lastX) + 0.5,
            target_.top() + std::clamp(std::floor(q.y * scale_), 0.0, lastY) + 0.5};
  }

  void line(Pt a, Pt b) {
    const bool straight = a.x == b.x || a.y == b.y;
    p_.setRenderHint(QPainter::Antialiasing, !straight);
    p_.drawLine(map(a), map(b));
  }

  void box(Pt a, Pt b) {
    p_.setRenderHint(QPainter::Antialiasing, false);
    const QPointF pa = map(a), pb = map(b);
    p_.drawRect(QRectF(pa, pb));
  }

  void circle(Pt c, double r) {
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing, true);
    const double rr = std::max(2.0, r * scale_);
    p_.drawEllipse(map(c), rr, rr);
    p_.restore();
  }

  // Leads from both ends of a run to a body of half-length `half` centred at `centre`.
  void lead(Pt a, Pt b, double centre, double half) {
    if (a.y == b.y) {
      const double lo = std::min(a.x, b.x), hi = std::max(a.x, b.x);
      line({lo, a.y}, {centre - half, a.y});
      line({centre + half, a.y}, {hi, a.y});
    } else {
      const double lo = std::min(a.y, b.y), hi = std::max(a.y, b.y);
      line({a.x, lo}, {a.x, centre - half});
      line({a.x, centre + half}, {a.x, hi});
    }
  }

  void triangle(double left, double top, double width, double height) {
    const Pt a{left, top}, b{left, top + height}, c{left + width, top + height / 2};
    line(a, b);
    line(a, c);
    line(b, c);
  }

  // A + or - sign inside an amplifier, next to an input.
  void sign(double x, double y, bool plus) {
    line({x - 35, y}, {x + 35, y});
    if (plus) line({x, y - 35}, {x, y + 35});
  }

  QPainter& p_;
  QRectF target_;
  double scale_;  // pixels per twip
  double width_;  // the picture's own width in twips
};

}  // namespace gui::detail
