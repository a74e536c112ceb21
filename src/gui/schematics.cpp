#include "gui/schematics.h"

#include <QPen>
#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <vector>

#include "designview/schematicanchors.h"
#include "gui/drawings.h"
#include "gui/sketch_p.h"
#include "gui/summingstage.h"

namespace gui {

namespace {

using designview::FindPart;
using designview::LabelledPart;
using designview::PartAnchor;
using designview::PartAnchors;

using detail::Pt;
using detail::Sketch;

constexpr double kW = kStagePictureWidth;
constexpr double kY = kSignalY;
constexpr double kYm = kDifferentialMinusY;

// The anchor of a component a picture's table lists; the drawings ask only for listed ones.
const PartAnchor& anchor(PartAnchors parts, LabelledPart part) { return *FindPart(parts, part); }

// The same component drawn once more at another height: the - path copies of a fully
// differential picture, which carry no label of their own.
PartAnchor copyAt(const PartAnchor& a, int y) { return {a.part, a.x, y, a.vertical}; }

// ---- Sallen-Key stage ----------------------------------------------------------------
// Low-pass: R1 and R2 in series to the + input, C1 from the + input to ground, C2 from the
// R1-R2 node to the output; gain network R3 (to ground) and R4 (to the output) at the - input.
// High-pass: R1, R2 become capacitors and C1, C2 resistors; the gain network stays.
void sallenKey(Sketch& s, bool highPass, bool gainNetwork) {
  const bool lp = !highPass;
  const PartAnchors parts = designview::kSallenKeyAnchors;
  const PartAnchor& r1 = anchor(parts, LabelledPart::R1);
  const PartAnchor& c1 = anchor(parts, LabelledPart::C1);
  const PartAnchor& c2 = anchor(parts, LabelledPart::C2);
  const double yS = r1.y;                 // the series branch, at the + input
  const double xX = 500, xP = c1.x;       // R1-R2 node and + input node
  const double left = 1450, w = 450, h = 440, top = yS - h / 4;  // + at yS, - at 860
  const double xOut = 2150, yOut = top + h / 2;
  const double yF = c2.y;                 // the feedback wire over the top

  s.terminal(45, kY, 0);
  s.wire({{75, kY}, {100, kY}, {100, yS}});
  s.part(lp, r1, 100, xX);
  s.part(lp, anchor(parts, LabelledPart::R2), xX, xP);
  s.wire({{xP, yS}, {left, yS}});
  s.dot(xX, yS);
  s.dot(xP, yS);
  s.part(!lp, c1, yS, 1120);                          // C1 to ground
  s.ground(xP, 1120);
  s.wire({{xX, yS}, {xX, yF}});                       // C2, feedback over the top
  s.part(!lp, c2, xX, xOut);
  s.wire({{xOut, yF}, {xOut, yOut}});

  s.opamp(left, top, w, h, /*minusOnTop=*/false);
  s.wire({{left + w, yOut}, {2290, yOut}});
  s.dot(xOut, yOut);
  s.terminal(2320, kY, s.right());

  const double yMinus = top + 3 * h / 4;
  if (gainNetwork) {
    const PartAnchor& r3 = anchor(parts, LabelledPart::R3);
    const double yG = r3.y, xG = 1350;                // R3 and R4 meet at the - input's wire
    s.wire({{left, yMinus}, {xG, yMinus}, {xG, yG}});
    s.dot(xG, yG);
    s.resistor(anchor(parts, LabelledPart::R4), xG, xOut);    // R4 to the output
    s.wire({{xOut, yG}, {xOut, yOut}});
    s.resistor(r3, xG, 860);                          // R3 to ground
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
  // The R1 node (where C2 hangs), the - input node, the amplifier, the output node.
  double xX = anchor(designview::kMfbAnchors, LabelledPart::C2).x, xY = 1050, left = 1200, w = 450,
         xOut = 2150;
};

// One signal path: R1 comes into the R1 node on its own run, R3 leaves the node along the
// path's wire (the wire the path's terminal sits on).
void mfbPath(Sketch& s, bool lp, const PartAnchor& r1, const PartAnchor& r3,
             const MfbGeometry& g) {
  const double y = r3.y, yIn = r1.y;
  s.terminal(45, y, 0);
  s.wire({{75, y}, {100, y}, {100, yIn}});
  s.part(lp, r1, 100, g.xX);
  s.wire({{g.xX, yIn}, {g.xX, y}});
  s.part(lp, r3, g.xX, g.xY);
  s.wire({{g.xY, y}, {g.left, y}});
  s.dot(g.xX, yIn);
  s.dot(g.xX, y);
  s.dot(g.xY, y);
}

// The outer loop (R2, from the R1 node over the amplifier to the output node at outY) and
// the inner loop (C1, from the - input node to the output node) of one path.
void mfbLoops(Sketch& s, bool lp, const PartAnchor& r1, const PartAnchor& r2,
              const PartAnchor& r3, const PartAnchor& c1, double outY, const MfbGeometry& g) {
  const double yIn = r1.y, yOuter = r2.y, y = r3.y, yInner = c1.y;
  s.wire({{g.xX, yIn}, {g.xX, yOuter}});
  s.part(lp, r2, g.xX, g.xOut);
  s.wire({{g.xOut, yOuter}, {g.xOut, outY}});
  s.wire({{g.xY, y}, {g.xY, yInner}});
  s.part(!lp, c1, g.xY, g.xOut);
  s.dot(g.xOut, yInner);
}

void mfbSingleEnded(Sketch& s, bool highPass) {
  const bool lp = !highPass;
  const PartAnchors parts = designview::kMfbAnchors;
  const PartAnchor& r1 = anchor(parts, LabelledPart::R1);
  const PartAnchor& r3 = anchor(parts, LabelledPart::R3);
  MfbGeometry g;
  g.left = 1180;  // a narrower amplifier, clear of the C1 value under the loop
  g.w = 400;
  const double top = kY - 130, h = 520, yOut = top + h / 2;  // - at 750, + at 1010
  mfbPath(s, lp, r1, r3, g);
  s.part(!lp, anchor(parts, LabelledPart::C2), kY, 1160);      // C2 to ground
  s.ground(g.xX, 1160);
  mfbLoops(s, lp, r1, anchor(parts, LabelledPart::R2), r3, anchor(parts, LabelledPart::C1), yOut,
           g);

  s.opamp(g.left, top, g.w, h, /*minusOnTop=*/true);
  s.wire({{g.left, top + 3 * h / 4}, {g.left - 40, top + 3 * h / 4}, {g.left - 40, 1180}});
  s.ground(g.left - 40, 1180);
  s.wire({{g.left + g.w, yOut}, {2250, yOut}, {2250, kY}, {2290, kY}});
  s.dot(g.xOut, yOut);
  s.terminal(2320, kY, s.right());
}

void mfbDifferential(Sketch& s, bool highPass) {
  const bool lp = !highPass;
  const PartAnchors parts = designview::kDifferentialMfbAnchors;
  const PartAnchor& r1 = anchor(parts, LabelledPart::R1);
  const PartAnchor& r2 = anchor(parts, LabelledPart::R2);
  const PartAnchor& r3 = anchor(parts, LabelledPart::R3);
  const PartAnchor& c1 = anchor(parts, LabelledPart::C1);
  MfbGeometry g;
  const double top = 660, h = 630;  // inputs at 750 and 1200
  const double outP = 870, outM = 1080;
  const double xOutP = Sketch::sideX(g.left, top, g.w, h, outP);
  const double xOutM = Sketch::sideX(g.left, top, g.w, h, outM);
  // The - path mirrors the + path about its own wire: R1 comes in below it, and the loops run
  // under the amplifier.
  const int rise = r3.y - r1.y;
  const PartAnchor r1m = copyAt(r1, kDifferentialMinusY + rise);
  const PartAnchor r3m = copyAt(r3, kDifferentialMinusY);
  const PartAnchor r2m = copyAt(r2, 1450);
  const PartAnchor c1m = copyAt(c1, 1340);
  mfbPath(s, lp, r1, r3, g);
  mfbPath(s, lp, r1m, r3m, g);
  s.part(!lp, anchor(parts, LabelledPart::C2), kY, kYm);      // C2 across the two paths

  // + path loops above, - path loops below.
  mfbLoops(s, lp, r1, r2, r3, c1, outP, g);
  mfbLoops(s, lp, r1m, r2m, r3m, c1m, outM, g);

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
  const PartAnchors parts = designview::kRealPoleAnchors;
  const PartAnchor& r = anchor(parts, LabelledPart::R1);
  const PartAnchor& c = anchor(parts, LabelledPart::C1);
  const double yS = r.y, xP = c.x;
  s.terminal(45, kY, 0);
  s.wire({{75, kY}, {100, kY}, {100, yS}});
  s.part(lp, r, 100, xP);
  s.dot(xP, yS);
  s.part(!lp, c, yS, 1740);
  s.ground(xP, 1740);
  if (amplifier) {
    const double left = 1000, w = 450, h = 520, top = yS - 3 * h / 4;  // - at 620, + at yS
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
void realDifferential(Sketch& s, bool highPass, bool amplifier, PartAnchors parts) {
  const bool lp = !highPass;
  const PartAnchor& r = anchor(parts, LabelledPart::R1);  // on the + wire
  const PartAnchor& c = anchor(parts, LabelledPart::C1);  // across the wires
  const double xP = c.x;
  if (amplifier) {
    const PartAnchor rm = copyAt(r, kDifferentialMinusY);
    s.terminal(45, kY, 0);
    s.terminal(45, kYm, 0);
    s.wire({{75, kY}, {100, kY}});
    s.wire({{75, kYm}, {100, kYm}});
    s.part(lp, r, 100, xP);
    s.part(lp, rm, 100, xP);
    s.part(!lp, c, kY, kYm);
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
    const int yM = 1600;
    const PartAnchor rm = copyAt(r, yM);
    s.terminal(45, kY, 0);
    s.terminal(45, yM, 0);
    s.wire({{75, kY}, {100, kY}});
    s.wire({{75, yM}, {100, yM}});
    s.part(lp, r, 100, xP);
    s.part(lp, rm, 100, xP);
    s.part(!lp, c, kY, yM);
    s.dot(xP, kY);
    s.dot(xP, yM);
    s.wire({{xP, kY}, {s.right(), kY}});
    s.wire({{xP, yM}, {1750, yM}, {1750, kYm}, {s.right(), kYm}});
  }
}

// ---- MFB band-pass stage ---------------------------------------------------------------
// R1 rises from the input node to node a. From a, C1 runs over the top to the output node, C2
// goes on along the signal wire to the - input and R3 goes down to ground; R2 closes the inner
// loop from the output node to the - input. With the gain divider, R4 brings the input to R1's
// node and R5 takes that node to ground.
void mfbBandPass(Sketch& s, bool divider) {
  const PartAnchors parts = divider ? PartAnchors(designview::kBandPassAnchors)
                                    : PartAnchors(designview::kBandPassNoDividerAnchors);
  const PartAnchor& r1 = anchor(parts, LabelledPart::R1);
  const PartAnchor& r2 = anchor(parts, LabelledPart::R2);
  const PartAnchor& r3 = anchor(parts, LabelledPart::R3);
  const PartAnchor& c1 = anchor(parts, LabelledPart::C1);
  const PartAnchor& c2 = anchor(parts, LabelledPart::C2);
  const double xIn = r1.x;          // R1's node on the signal wire
  const double yTop = c1.y;         // C1's wire over the top
  const double xA = 545;            // node a comes down from the top wire, clear of C2's label
  const double xR3 = r3.x;          // where R3 leaves node a
  const double xN = 1100;           // the - input node, where R2's loop comes down
  const double yInner = r2.y;       // R2's loop
  const double left = 1300, w = 400, top = kY - 100, h = 400;  // - at kY, + 200 lower
  const double yOut = top + h / 2, yPlus = top + 3 * h / 4;
  const double xOut = 2000;         // the output node: C1 and R2 come down to it
  const double yR3 = r3.y + 200;    // R3's ground

  s.terminal(45, kY, 0);
  if (divider) {
    const PartAnchor& r5 = anchor(parts, LabelledPart::R5);
    const double yJog = 860, x5 = r5.x;  // R5 hangs back under R4, beside its own label
    s.resistor(anchor(parts, LabelledPart::R4), 75, xIn);
    s.wire({{xIn, kY}, {xIn, yJog}, {x5, yJog}});
    s.resistor(r5, yJog, r5.y + 200);
    s.ground(x5, r5.y + 200);
    s.dot(xIn, kY);
  } else {
    s.wire({{75, kY}, {xIn, kY}});
  }
  s.resistor(r1, kY, yTop);
  s.capacitor(c1, xIn, xOut);
  s.dot(xA, yTop);
  s.wire({{xA, yTop}, {xA, kY}, {xR3, kY}});
  s.dot(xR3, kY);
  s.resistor(r3, kY, yR3);
  s.ground(xR3, yR3);
  s.capacitor(c2, xR3, xN);
  s.wire({{xN, kY}, {left, kY}});
  s.dot(xN, kY);
  s.wire({{xN, kY}, {xN, yInner}});
  s.resistor(r2, xN, xOut);
  s.dot(xOut, yInner);

  s.opamp(left, top, w, h, /*minusOnTop=*/true);
  s.wire({{left, yPlus}, {left - 40, yPlus}, {left - 40, yPlus + 200}});
  s.ground(left - 40, yPlus + 200);
  s.wire({{xOut, yTop}, {xOut, yOut}, {left + w, yOut}});
  s.dot(xOut, kY);
  s.wire({{xOut, kY}, {2290, kY}});
  s.terminal(2320, kY, s.right());
}

// ---- notch stage -----------------------------------------------------------------------
// Amplifier A at the top right: + input p, - input k, output o. Amplifier B faces back under it:
// + input q, - input k, output m. Each part is named by the label it carries (see
// designview::kNotchAnchors).
void notch(Sketch& s) {
  const PartAnchors parts = designview::kNotchAnchors;
  const PartAnchor& rqIn = anchor(parts, LabelledPart::R1);      // input to p
  const PartAnchor& rqGround = anchor(parts, LabelledPart::R2);  // p down to ground
  const PartAnchor& rfBack = anchor(parts, LabelledPart::R3);    // m up to p
  const PartAnchor& rfOut = anchor(parts, LabelledPart::R4);     // k to o
  const PartAnchor& rOut = anchor(parts, LabelledPart::R5);      // q to o
  const PartAnchor& rIn = anchor(parts, LabelledPart::R6);       // input to q
  const PartAnchor& cIn = anchor(parts, LabelledPart::C1);       // input to p, on the top wire
  const PartAnchor& cLoop = anchor(parts, LabelledPart::C2);     // m to k

  const double xIn = 110;                      // the input's riser
  const double xP = rfBack.x;                  // p's riser, from the top wire down through R3
  const double yTop = cIn.y, yR1 = rqIn.y;     // the top wire into A's + input; R1's wire
  const double leftA = 1600, wA = 400, hA = 400, topA = yTop - hA / 4;  // + on the top wire
  const double yMinusA = topA + 3 * hA / 4, yOutA = topA + hA / 2;
  const double xO = 2230;                      // the output column, down to R4 and R5
  const double xK = leftA - 50;                // k's column, down from A's - input
  const double yK = cLoop.y;                   // k's wire: C2, B's - input, R4
  const double xM = 1050;                      // m comes up to C2 here
  const double rightB = 1700, wB = 360, hB = 280, topB = yK + 80;
  const double yM = topB + hB / 2, yMinusB = topB + hB / 4, yPlusB = topB + 3 * hB / 4;
  const double xQ = rightB + 50;               // B's inputs turn here: k from above, q down
  const double yQ = rIn.y;                     // the wire along the bottom
  const double xG = rqGround.x, yG = rqGround.y + 190;  // R2's ground

  s.terminal(45, kY, 0);
  s.wire({{75, kY}, {xIn, kY}});
  s.dot(xIn, kY);
  s.wire({{xIn, yTop}, {xIn, yQ}});
  s.dot(xIn, yR1);
  s.capacitor(cIn, xIn, leftA);
  s.resistor(rqIn, xIn, xP);
  s.dot(xP, yTop);
  s.dot(xP, yR1);
  s.dot(xG, yTop);
  s.resistor(rqGround, yTop, yG);
  s.ground(xG, yG);
  s.resistor(rfBack, yTop, yM);

  s.opamp(leftA, topA, wA, hA, /*minusOnTop=*/false);
  s.wire({{leftA + wA, yOutA}, {xO, yOutA}, {xO, yQ}});
  s.dot(xO, kY);
  s.wire({{xO, kY}, {2290, kY}});
  s.terminal(2320, kY, s.right());

  // k: from A's - input down to its wire, through C2 to m, on to B's - input and through R4
  // to the output column.
  s.wire({{leftA, yMinusA}, {xK, yMinusA}, {xK, yK}});
  s.dot(xK, yK);
  s.capacitor(cLoop, xM, xK);
  s.wire({{xK, yK}, {xQ, yK}, {xQ, yMinusB}, {rightB, yMinusB}});
  s.dot(xQ, yK);
  s.resistor(rfOut, xQ, xO);
  s.dot(xO, yK);

  // m: B's output, back to R3 and up to C2.
  s.opampFacingBack(rightB, topB, wB, hB, /*minusOnTop=*/true);
  s.wire({{xP, yM}, {rightB - wB, yM}});
  s.wire({{xM, yK}, {xM, yM}});
  s.dot(xM, yM);

  // q: B's + input, between R6 from the input and R5 from the output column.
  s.wire({{rightB, yPlusB}, {xQ, yPlusB}, {xQ, yQ}});
  s.resistor(rIn, xIn, xQ);
  s.dot(xQ, yQ);
  s.resistor(rOut, xQ, xO);
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
      {"FDA1p", kRW, kRealPictureHeight,
       [](Sketch& s) {
         realDifferential(s, false, true, designview::kDifferentialRealPoleLPAnchors);
       }},
      {"FDARealHP", kRW, kRealPictureHeight,
       [](Sketch& s) {
         realDifferential(s, true, true, designview::kDifferentialRealPoleHPAnchors);
       }},
      {"FDARealNoAmpLP", kRW, kRealPictureHeight,
       [](Sketch& s) {
         realDifferential(s, false, false, designview::kDifferentialRealNoAmpLPAnchors);
       }},
      {"FDARealNoAmpHP", kRW, kRealPictureHeight,
       [](Sketch& s) {
         realDifferential(s, true, false, designview::kDifferentialRealNoAmpHPAnchors);
       }},
      {"MFBbpwres", kW, kStagePictureHeight, [](Sketch& s) { mfbBandPass(s, true); }},
      {"MFBbpnores", kW, kStagePictureHeight, [](Sketch& s) { mfbBandPass(s, false); }},
      {"Fleige", kW, kStagePictureHeight, notch},
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
  RegisterSummingStage();
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
