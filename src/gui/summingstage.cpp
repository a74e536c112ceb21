#include "gui/summingstage.h"

#include <span>
#include <tuple>

#include "designview/schematicanchors.h"
#include "gui/drawings.h"
#include "gui/sketch_p.h"

namespace gui {

namespace {

using detail::Sketch;

using designview::LabelledPart;
constexpr double kHigh = kSummingWireY[0], kLow = kSummingWireY[1];
constexpr double kDrop = kSummingMinusDrop;
// The summing resistors (R1 from the high-pass block, R2 from the low-pass block) and the
// feedback resistor R3, each at its anchor beside its value label.
constexpr const designview::PartAnchor& kR1 = designview::kSummingAnchors[0];
constexpr const designview::PartAnchor& kR3 = designview::kSummingAnchors[2];
constexpr double kResistorX = kR1.x;
static_assert(kR1.part == LabelledPart::R1 && kR1.y == kHigh &&
              designview::kSummingAnchors[1].y == kLow && kR3.part == LabelledPart::R3);
// The summing amplifier's output column and the feedback resistors' run.
constexpr double kOutX = 1650, kTerminalX = 1760, kFeedbackY = kR3.y;

void resistor(Sketch& s, double centre, double y, double from, double to) {
  const designview::PartAnchor at{LabelledPart::R1, static_cast<int>(centre),
                                  static_cast<int>(y), false};
  s.resistor(at, from, to);
}

// The input: a terminal, and a bus carrying it to both blocks (two of each when differential).
void input(Sketch& s, bool differential) {
  const double right = s.right();
  struct Wire {
    double terminalY, busX, topY, bottomY;
  };
  const Wire plus{differential ? 600.0 : 735.0, differential ? 400.0 : 450.0, kHigh, kLow};
  const Wire minus{1000, 650, kHigh + kDrop, kLow + kDrop};
  const Wire wires[2] = {plus, minus};
  for (const Wire& w : std::span(wires, differential ? 2 : 1)) {
    s.terminal(90, w.terminalY, w.busX);
    s.dot(w.busX, w.terminalY);
    s.wire({{right, w.topY}, {w.busX, w.topY}, {w.busX, w.bottomY}, {right, w.bottomY}});
  }
}

// The summing amplifier: each block's output through a resistor to the inverting input, a
// feedback resistor from the output.
void summing(Sketch& s, bool differential) {
  if (!differential) {
    const double bus = 800;
    resistor(s, kResistorX, kHigh, 0, bus);
    resistor(s, kResistorX, kLow, 0, bus);
    s.wire({{bus, kFeedbackY}, {bus, kLow}});
    s.dot(bus, kHigh);
    const double left = 1000, top = 475, size = 500, minusY = top + size / 4, plusY = top + 3 * size / 4;
    s.opamp(left, top, size, size, /*minusOnTop=*/true);
    s.wire({{bus, minusY}, {left, minusY}});
    s.dot(bus, minusY);
    s.wire({{left, plusY}, {930, plusY}, {930, plusY + 150}});
    s.ground(930, plusY + 150);
    const double outY = top + size / 2;
    s.wire({{left + size, outY}, {kOutX, outY}, {kOutX, kFeedbackY}});
    resistor(s, kR3.x, kFeedbackY, kOutX, bus);
    s.dot(kOutX, outY);
    s.terminal(kTerminalX, outY, kOutX);
    return;
  }
  // Fully differential: the + wires of both blocks to the upper input, the - wires to the
  // lower one; each output fed back to the input on its side.
  const double plusBus = 800, minusBus = 950, bottomFeedbackY = 1600;
  for (double y : {kHigh, kLow}) resistor(s, kResistorX, y, 0, plusBus);
  for (double y : {kHigh + kDrop, kLow + kDrop}) resistor(s, kResistorX, y, 0, minusBus);
  s.wire({{plusBus, kFeedbackY}, {plusBus, kLow}});
  s.wire({{minusBus, kHigh + kDrop}, {minusBus, bottomFeedbackY}});
  s.dot(plusBus, kHigh);
  s.dot(minusBus, kLow + kDrop);
  const double left = 1100, top = 550, width = 500, height = 600, inTop = 700, inBottom = 1000;
  s.differentialAmp(left, top, width, height, inTop, inBottom);
  s.wire({{plusBus, inTop}, {left, inTop}});
  s.dot(plusBus, inTop);
  s.wire({{minusBus, inBottom}, {left, inBottom}});
  s.dot(minusBus, inBottom);
  for (const auto& [y, feedbackY, bus, centre] :
       {std::tuple{inTop, kFeedbackY, plusBus, double(kR3.x)},
        std::tuple{inBottom, bottomFeedbackY, minusBus, 1300.0}}) {
    s.wire({{Sketch::sideX(left, top, width, height, y), y}, {kOutX, y}, {kOutX, feedbackY}});
    resistor(s, centre, feedbackY, kOutX, bus);
    s.dot(kOutX, y);
    s.terminal(kTerminalX, y, kOutX);
  }
}

struct Picture {
  const char* name;
  double width;
  void (*paint)(Sketch&, bool);
  bool differential;
};
constexpr Picture kPictures[] = {
    {"BRinput", kInputPictureWidth, input, false},
    {"FDABRinput", kInputPictureWidth, input, true},
    {"SummingAmp", kSummingPictureWidth, summing, false},
    {"FDASummingAmp", kSummingPictureWidth, summing, true},
};

}  // namespace

void RegisterSummingStage() {
  for (const Picture& pic : kPictures) {
    const Picture* picture = &pic;
    drawings().add(QString::fromLatin1(pic.name), [picture](QPainter& p, const QRectF& target) {
      if (target.width() <= 0 || target.height() <= 0) return;
      p.setClipRect(target, Qt::IntersectClip);
      Sketch s(p, target, picture->width, kSummingPictureHeight);
      picture->paint(s, picture->differential);
    });
  }
}

QStringList SummingStageNames() {
  QStringList names;
  for (const Picture& p : kPictures) names << QString::fromLatin1(p.name);
  return names;
}

}  // namespace gui
