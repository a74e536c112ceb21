#include "gui/schematics.h"

#include <QPen>
#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <vector>

#include "gui/drawings.h"

namespace gui {

namespace {

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

  // A resistor or a capacitor: the high-pass form of a stage has capacitors where the
  // low-pass form has resistors and the other way round.
  void part(bool isResistor, Pt a, Pt b, double centre) {
    if (isResistor)
      resistor(a, b, centre);
    else
      capacitor(a, b, centre);
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

constexpr double kW = kStagePictureWidth;
constexpr double kY = kSignalY;
constexpr double kYm = kDifferentialMinusY;

// ---- Sallen-Key stage ----------------------------------------------------------------
// Low-pass: R1 and R2 in series to the + input, C1 from the + input to ground, C2 from the
// R1-R2 node to the output; gain network R3 (to ground) and R4 (to the output) at the - input.
// High-pass: R1, R2 become capacitors and C1, C2 resistors; the gain network stays.
void sallenKey(Sketch& s, bool highPass, bool gainNetwork) {
  const bool lp = !highPass;
  const double yS = 640;            // the series branch, at the + input
  const double xX = 500, xP = 900;  // R1-R2 node and + input node
  const double left = 1450, top = 530, w = 450, h = 440;  // op-amp: + at 640, - at 860
  const double xOut = 2150, yOut = top + h / 2;

  s.terminal(45, kY, 0);
  s.wire({{75, kY}, {100, kY}, {100, yS}});
  s.part(lp, {100, yS}, {xX, yS}, 290);               // R1
  s.part(lp, {xX, yS}, {xP, yS}, 700);                // R2
  s.wire({{xP, yS}, {left, yS}});
  s.dot(xX, yS);
  s.dot(xP, yS);
  s.part(!lp, {xP, yS}, {xP, 1120}, 990);            // C1 to ground
  s.ground(xP, 1120);
  s.wire({{xX, yS}, {xX, 140}});                      // C2, feedback over the top
  s.part(!lp, {xX, 140}, {xOut, 140}, 1330);
  s.wire({{xOut, 140}, {xOut, yOut}});

  s.opamp(left, top, w, h, /*minusOnTop=*/false);
  s.wire({{left + w, yOut}, {2290, yOut}});
  s.dot(xOut, yOut);
  s.terminal(2320, kY, s.right());

  const double yMinus = top + 3 * h / 4;
  if (gainNetwork) {
    const double yG = 1330;
    s.wire({{left, yMinus}, {1350, yMinus}, {1350, yG}});
    s.dot(1350, yG);
    s.resistor({1350, yG}, {xOut, yG}, 1750);        // R4 to the output
    s.wire({{xOut, yG}, {xOut, yOut}});
    s.resistor({1350, yG}, {860, yG}, 1000);          // R3 to ground
    s.wire({{860, yG}, {820, yG}, {820, 1400}});
    s.ground(820, 1400);
  } else {
    s.wire({{left, yMinus}, {1350, yMinus}, {1350, 1150}, {xOut, 1150}, {xOut, yOut}});
  }
}

// ---- MFB stage -------------------------------------------------------------------------
// Low-pass: R1 in, C2 from the R1 node to ground (or across to the - path), R3 to the - input,
// C1 from the - input to the output, R2 from the R1 node to the output. High-pass: R1, R2, R3
// become capacitors, C1 and C2 resistors.
struct MfbGeometry {
  double xX = 515, xY = 1050, left = 1200, w = 450, xOut = 2150;
};
constexpr double kRise = 110;       // R1 runs this much above R3
constexpr double kInnerLoop = 500;  // height of the C1 loop over the amplifier

// One signal path: R1 comes into the R1 node `rise` above (negative: below) where R3 leaves it.
void mfbPath(Sketch& s, bool lp, double y, double rise, const MfbGeometry& g) {
  const double yIn = y - rise;
  s.terminal(45, y, 0);
  s.wire({{75, y}, {100, y}, {100, yIn}});
  s.part(lp, {100, yIn}, {g.xX, yIn}, 250);   // R1
  s.wire({{g.xX, yIn}, {g.xX, y}});
  s.part(lp, {g.xX, y}, {g.xY, y}, 740);      // R3
  s.wire({{g.xY, y}, {g.left, y}});
  s.dot(g.xX, yIn);
  s.dot(g.xX, y);
  s.dot(g.xY, y);
}

void mfbSingleEnded(Sketch& s, bool highPass) {
  const bool lp = !highPass;
  MfbGeometry g;
  g.left = 1180;  // a narrower amplifier, clear of the C1 value under the loop
  g.w = 400;
  const double top = kY - 130, h = 520, yOut = top + h / 2;  // - at 750, + at 1010
  mfbPath(s, lp, kY, kRise, g);
  s.part(!lp, {g.xX, kY}, {g.xX, 1160}, 1045);        // C2 to ground
  s.ground(g.xX, 1160);
  s.wire({{g.xX, kY - kRise}, {g.xX, 110}});          // R2, the outer loop
  s.part(lp, {g.xX, 110}, {g.xOut, 110}, 1100);
  s.wire({{g.xOut, 110}, {g.xOut, yOut}});
  s.wire({{g.xY, kY}, {g.xY, kInnerLoop}});           // C1, the inner loop
  s.part(!lp, {g.xY, kInnerLoop}, {g.xOut, kInnerLoop}, 1800);
  s.dot(g.xOut, kInnerLoop);

  s.opamp(g.left, top, g.w, h, /*minusOnTop=*/true);
  s.wire({{g.left, top + 3 * h / 4}, {g.left - 40, top + 3 * h / 4}, {g.left - 40, 1180}});
  s.ground(g.left - 40, 1180);
  s.wire({{g.left + g.w, yOut}, {2250, yOut}, {2250, kY}, {2290, kY}});
  s.dot(g.xOut, yOut);
  s.terminal(2320, kY, s.right());
}

void mfbDifferential(Sketch& s, bool highPass) {
  const bool lp = !highPass;
  MfbGeometry g;
  const double top = 660, h = 630;  // inputs at 750 and 1200
  const double outP = 870, outM = 1080;
  const double xOutP = Sketch::sideX(g.left, top, g.w, h, outP);
  const double xOutM = Sketch::sideX(g.left, top, g.w, h, outM);
  mfbPath(s, lp, kY, kRise, g);
  mfbPath(s, lp, kYm, -kRise, g);
  s.part(!lp, {g.xX, kY}, {g.xX, kYm}, 1045);         // C2 across the two paths

  // + path loops above, - path loops below.
  s.wire({{g.xX, kY - kRise}, {g.xX, 110}});
  s.part(lp, {g.xX, 110}, {g.xOut, 110}, 1100);       // R2
  s.wire({{g.xOut, 110}, {g.xOut, outP}});
  s.wire({{g.xY, kY}, {g.xY, kInnerLoop}});
  s.part(!lp, {g.xY, kInnerLoop}, {g.xOut, kInnerLoop}, 1800);  // C1
  s.dot(g.xOut, kInnerLoop);

  const double yC = 1340, yR = 1450;
  s.wire({{g.xX, kYm + kRise}, {g.xX, yR}});
  s.part(lp, {g.xX, yR}, {g.xOut, yR}, 1100);
  s.wire({{g.xOut, yR}, {g.xOut, outM}});
  s.wire({{g.xY, kYm}, {g.xY, yC}});
  s.part(!lp, {g.xY, yC}, {g.xOut, yC}, 1800);
  s.dot(g.xOut, yC);

  s.differentialAmp(g.left, top, g.w, h, kY, kYm);
  s.wire({{xOutP, outP}, {2250, outP}, {2250, kY}, {2290, kY}});
  s.wire({{xOutM, outM}, {2250, outM}, {2250, kYm}, {2290, kYm}});
  s.dot(g.xOut, outP);
  s.dot(g.xOut, outM);
  s.terminal(2320, kY, s.right());
  s.terminal(2320, kYm, s.right());
}

// ---- real-pole sections ----------------------------------------------------------------
// Single-ended: R in series, C to ground (high-pass: C in series, R to ground), then a
// voltage follower; without amplifier the RC network feeds the first stage directly.
constexpr double kRW = kRealPictureWidth;

void realSingleEnded(Sketch& s, bool highPass, bool amplifier) {
  const bool lp = !highPass;
  const double yS = 880, xP = 500;
  s.terminal(45, kY, 0);
  s.wire({{75, kY}, {100, kY}, {100, yS}});
  s.part(lp, {100, yS}, {xP, yS}, 300);
  s.dot(xP, yS);
  s.part(!lp, {xP, yS}, {xP, 1740}, 1640);
  s.ground(xP, 1740);
  if (amplifier) {
    const double left = 1000, top = 490, w = 450, h = 520;  // - at 620, + at 880
    s.wire({{xP, yS}, {left, yS}});
    s.opamp(left, top, w, h, /*minusOnTop=*/true);
    s.wire({{left, 620}, {950, 620}, {950, 380}, {1650, 380}, {1650, kY}});
    s.wire({{left + w, kY}, {s.right(), kY}});
    s.dot(1650, kY);
  } else {
    s.wire({{xP, yS}, {1700, yS}, {1700, kY}, {s.right(), kY}});
  }
}

// Fully differential: R in each path and C across them (high-pass: C in each path, R across),
// then a differential buffer. The - path runs at the stage height kDifferentialMinusY where it
// leaves the picture; inside, the pictures without amplifier take it lower, under the part
// across.
void realDifferential(Sketch& s, bool highPass, bool amplifier) {
  const bool lp = !highPass;
  if (amplifier) {
    const double xP = highPass ? 1050 : 900;
    const double across = highPass ? 975 : 1110;
    s.terminal(45, kY, 0);
    s.terminal(45, kYm, 0);
    s.wire({{75, kY}, {100, kY}});
    s.wire({{75, kYm}, {100, kYm}});
    s.part(lp, {100, kY}, {xP, kY}, 300);
    s.part(lp, {100, kYm}, {xP, kYm}, 300);
    s.part(!lp, {xP, kY}, {xP, kYm}, across);
    s.dot(xP, kY);
    s.dot(xP, kYm);
    const double left = 1480, top = 640, w = 280, h = 670;
    s.wire({{xP, kY}, {left, kY}});
    s.wire({{xP, kYm}, {left, kYm}});
    s.differentialAmp(left, top, w, h, kY, kYm);
    s.text({left + 150, top + h / 2}, QStringLiteral("1"));
    const double outP = 870, outM = 1080;
    const double xOut = Sketch::sideX(left, top, w, h, outP);  // the same on both sides
    s.wire({{xOut, outP}, {1800, outP}, {1800, kY}, {s.right(), kY}});
    s.wire({{xOut, outM}, {1800, outM}, {1800, kYm}, {s.right(), kYm}});
  } else {
    const double xP = 600, yM = 1600;
    const double across = highPass ? 1395 : 1415;
    s.terminal(45, kY, 0);
    s.terminal(45, yM, 0);
    s.wire({{75, kY}, {100, kY}});
    s.wire({{75, yM}, {100, yM}});
    s.part(lp, {100, kY}, {xP, kY}, 300);
    s.part(lp, {100, yM}, {xP, yM}, 300);
    s.part(!lp, {xP, kY}, {xP, yM}, across);
    s.dot(xP, kY);
    s.dot(xP, yM);
    s.wire({{xP, kY}, {s.right(), kY}});
    s.wire({{xP, yM}, {1750, yM}, {1750, kYm}, {s.right(), kYm}});
  }
}

using Painter = std::function<void(Sketch&)>;

struct Entry {
  const char* name;
  double width, height;
  Painter paint;
};

const std::vector<Entry>& entries() {
  static const std::vector<Entry> list = {
      {"SK", kW, kStagePictureHeight, [](Sketch& s) { sallenKey(s, false, true); }},
      {"SKg1", kW, kStagePictureHeight, [](Sketch& s) { sallenKey(s, false, false); }},
      {"SKhp", kW, kStagePictureHeight, [](Sketch& s) { sallenKey(s, true, true); }},
      {"SKg1HP", kW, kStagePictureHeight, [](Sketch& s) { sallenKey(s, true, false); }},
      {"MFBsch", kW, kStagePictureHeight, [](Sketch& s) { mfbSingleEnded(s, false); }},
      {"MFBschHP", kW, kStagePictureHeight, [](Sketch& s) { mfbSingleEnded(s, true); }},
      {"FDAsch", kW, kStagePictureHeight, [](Sketch& s) { mfbDifferential(s, false); }},
      {"FDAschHP", kW, kStagePictureHeight, [](Sketch& s) { mfbDifferential(s, true); }},
      {"RealPole", kRW, kRealPictureHeight, [](Sketch& s) { realSingleEnded(s, false, true); }},
      {"RealHP", kRW, kRealPictureHeight, [](Sketch& s) { realSingleEnded(s, true, true); }},
      {"RealNoAmp", kRW, kRealPictureHeight,
       [](Sketch& s) { realSingleEnded(s, false, false); }},
      {"RealNoAmpHP", kRW, kRealPictureHeight,
       [](Sketch& s) { realSingleEnded(s, true, false); }},
      {"FDA1p", kRW, kRealPictureHeight, [](Sketch& s) { realDifferential(s, false, true); }},
      {"FDARealHP", kRW, kRealPictureHeight,
       [](Sketch& s) { realDifferential(s, true, true); }},
      {"FDARealNoAmpLP", kRW, kRealPictureHeight,
       [](Sketch& s) { realDifferential(s, false, false); }},
      {"FDARealNoAmpHP", kRW, kRealPictureHeight,
       [](Sketch& s) { realDifferential(s, true, false); }},
  };
  return list;
}

}  // namespace

QStringList SchematicNames() {
  QStringList names;
  for (const Entry& e : entries()) names << QString::fromLatin1(e.name);
  return names;
}

void RegisterSchematics() {
  for (const Entry& e : entries()) {
    const Entry* entry = &e;
    drawings().add(QString::fromLatin1(e.name), [entry](QPainter& p, const QRectF& target) {
      if (target.width() <= 0 || target.height() <= 0) return;
      p.setClipRect(target, Qt::IntersectClip);
      Sketch s(p, target, entry->width, entry->height);
      entry->paint(s);
    });
  }
}

}  // namespace gui
