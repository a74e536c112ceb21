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
// The R1-R2 node, where the feedback wire rises, sits between the lanes of the R1 and R2
// texts; C1 hangs low enough for its text to sit under its body, left of its wire; the gain
// network runs along the bottom, R3 far enough left for its text to stay clear of C1's.
void sallenKey(Sketch& s, bool highPass, bool gainNetwork) {
  const bool lp = !highPass;
  const PartAnchors parts = designview::kSallenKeyAnchors;
  const PartAnchor& r1 = anchor(parts, LabelledPart::R1);
  const PartAnchor& c1 = anchor(parts, LabelledPart::C1);
  const PartAnchor& c2 = anchor(parts, LabelledPart::C2);
  const double yS = r1.y;                 // the series branch, at the + input
  const double xX = 790, xP = c1.x;       // R1-R2 node and + input node
  const double left = 1600, w = 400, h = 440, top = yS - h / 4;  // + at yS, - at 860
  const double xOut = 2250, yOut = top + h / 2;
  const double yF = c2.y;                 // the feedback wire over the top
  const double yGround = 1180;            // C1's ground

  s.terminal(45, kY, 0);
  s.wire({{75, kY}, {100, kY}, {100, yS}});
  s.part(lp, r1, 100, xX);
  s.part(lp, anchor(parts, LabelledPart::R2), xX, xP);
  s.wire({{xP, yS}, {left, yS}});
  s.dot(xX, yS);
  s.dot(xP, yS);
  s.part(!lp, c1, yS, yGround);                       // C1 to ground
  s.ground(xP, yGround);
  s.wire({{xX, yS}, {xX, yF}});                       // C2, feedback over the top
  s.part(!lp, c2, xX, xOut);
  s.wire({{xOut, yF}, {xOut, yOut}});

  s.opamp(left, top, w, h, /*minusOnTop=*/false);
  s.wire({{left + w, yOut}, {2290, yOut}});
  s.dot(xOut, yOut);
  s.terminal(2320, kY, s.right());

  const double yMinus = top + 3 * h / 4, xG = 1480;  // the - input's wire comes down at xG
  if (gainNetwork) {
    const PartAnchor& r3 = anchor(parts, LabelledPart::R3);
    const double yG = r3.y, xR = 200;                 // R3 and R4 meet at the - input's wire
    s.wire({{left, yMinus}, {xG, yMinus}, {xG, yG}});
    s.dot(xG, yG);
    s.resistor(anchor(parts, LabelledPart::R4), xG, xOut);    // R4 to the output
    s.wire({{xOut, yG}, {xOut, yOut}});
    s.resistor(r3, xG, xR);                           // R3 to ground
    s.wire({{xR, yG}, {xR, yG + 30}});
    s.ground(xR, yG + 30);
  } else {
    s.wire({{left, yMinus}, {xG, yMinus}, {xG, 1150}, {xOut, 1150}, {xOut, yOut}});
  }
}

// ---- MFB stage -------------------------------------------------------------------------
// Low-pass: R1 in, C2 from the R1 node to ground (or across to the - path), R3 to the - input,
// C1 from the - input to the output, R2 from the R1 node to the output. High-pass: R1, R2, R3
// become capacitors, C1 and C2 resistors.
struct MfbGeometry {
  // The R1 node (where C2 hangs and R2's loop rises), the - input node (where C1's loop
  // rises), the amplifier, the output node where both loops come down.
  double xX = anchor(designview::kMfbAnchors, LabelledPart::C2).x, xY = 1660, left = 1700,
         w = 330, xOut = 2170;
};

// One signal path along the wire at the height of R3: its terminal, R1 to the R1 node, R3 on
// to the - input node and the wire to the amplifier.
void mfbPath(Sketch& s, bool lp, const PartAnchor& r1, const PartAnchor& r3,
             const MfbGeometry& g) {
  const double y = r3.y;
  s.terminal(45, y, 0);
  s.part(lp, r1, 75, g.xX);
  s.part(lp, r3, g.xX, g.xY);
  s.wire({{g.xY, y}, {g.left, y}});
  s.dot(g.xX, y);
  s.dot(g.xY, y);
}

// The outer loop (R2, from the R1 node round the amplifier to the output node at outY) and
// the inner loop (C1, from the - input node to the output node) of one path: over the top
// for the + path, under the bottom for the - path.
void mfbLoops(Sketch& s, bool lp, const PartAnchor& r2, const PartAnchor& r3,
              const PartAnchor& c1, double outY, const MfbGeometry& g) {
  const double yOuter = r2.y, y = r3.y, yInner = c1.y;
  s.wire({{g.xX, y}, {g.xX, yOuter}});
  s.part(lp, r2, g.xX, g.xOut);
  s.wire({{g.xOut, yOuter}, {g.xOut, outY}});
  s.wire({{g.xY, y}, {g.xY, yInner}});
  s.part(!lp, c1, g.xY, g.xOut);
  s.dot(g.xOut, yInner);
}

void mfbSingleEnded(Sketch& s, bool highPass) {
  const bool lp = !highPass;
  const PartAnchors parts = designview::kMfbAnchors;
  const PartAnchor& r3 = anchor(parts, LabelledPart::R3);
  const MfbGeometry g;
  const double top = kY - 130, h = 520, yOut = top + h / 2;  // - at 750, + at 1010
  const double yGround = 1180;
  mfbPath(s, lp, anchor(parts, LabelledPart::R1), r3, g);
  s.part(!lp, anchor(parts, LabelledPart::C2), kY, yGround);  // C2 to ground
  s.ground(g.xX, yGround);
  mfbLoops(s, lp, anchor(parts, LabelledPart::R2), r3, anchor(parts, LabelledPart::C1), yOut, g);

  s.opamp(g.left, top, g.w, h, /*minusOnTop=*/true);
  const double yPlus = top + 3 * h / 4, xPlus = g.left - 30;
  s.wire({{g.left, yPlus}, {xPlus, yPlus}, {xPlus, yGround}});
  s.ground(xPlus, yGround);
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
  const MfbGeometry g;
  const double top = 660, h = 630;  // inputs at 750 and 1200
  const double outP = 870, outM = 1080;
  const double xOutP = Sketch::sideX(g.left, top, g.w, h, outP);
  const double xOutM = Sketch::sideX(g.left, top, g.w, h, outM);
  // The - path runs along its own wire with its loops under the amplifier, where no label is.
  const PartAnchor r1m = copyAt(r1, kDifferentialMinusY);
  const PartAnchor r3m = copyAt(r3, kDifferentialMinusY);
  const PartAnchor r2m = copyAt(r2, 1440);
  const PartAnchor c1m = copyAt(c1, 1320);
  mfbPath(s, lp, r1, r3, g);
  mfbPath(s, lp, r1m, r3m, g);
  s.part(!lp, anchor(parts, LabelledPart::C2), kY, kYm);      // C2 across the two paths

  mfbLoops(s, lp, r2, r3, c1, outP, g);
  mfbLoops(s, lp, r2m, r3m, c1m, outM, g);

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
// voltage follower; without amplifier the RC network feeds the first stage directly. The
// network sits low in the picture, so that the value text of R fits over it and the text of C
// beside C, clear of the wires.
constexpr double kRW = kRealPictureWidth;

void realSingleEnded(Sketch& s, bool highPass, bool amplifier) {
  const bool lp = !highPass;
  const PartAnchors parts = designview::kRealPoleAnchors;
  const PartAnchor& r = anchor(parts, LabelledPart::R1);
  const PartAnchor& c = anchor(parts, LabelledPart::C1);
  const double yS = r.y, xP = c.x;
  const double yGround = 1740;
  s.terminal(45, yS, 0);
  s.part(lp, r, 75, xP);
  s.dot(xP, yS);
  s.part(!lp, c, yS, yGround);
  s.ground(xP, yGround);
  if (amplifier) {
    const double left = 1000, w = 450, h = 520, top = yS - 3 * h / 4;  // + at yS
    const double yMinus = top + h / 4, yOut = top + h / 2, xOut = 1650;
    s.wire({{xP, yS}, {left, yS}});
    s.opamp(left, top, w, h, /*minusOnTop=*/true);
    // The output rises to the signal height; the follower's feedback comes back from there.
    s.wire({{left + w, yOut}, {xOut, yOut}, {xOut, kY}, {s.right(), kY}});
    s.wire({{left, yMinus}, {950, yMinus}, {950, kY}, {xOut, kY}});
    s.dot(xOut, kY);
  } else {
    s.wire({{xP, yS}, {1700, yS}, {1700, kY}, {s.right(), kY}});
  }
}

// Fully differential: R in each path and C across them (high-pass: C in each path, R across),
// then a differential buffer. The paths leave the picture at the stage heights kSignalY and
// kDifferentialMinusY; inside, the + path's R runs higher, so that its value text fits under
// it, and the part across and the - path sit where the text of C beside it leaves room.
void realDifferential(Sketch& s, bool highPass, bool amplifier, PartAnchors parts) {
  const bool lp = !highPass;
  const PartAnchor& r = anchor(parts, LabelledPart::R1);  // on the + wire
  const PartAnchor& c = anchor(parts, LabelledPart::C1);  // across the wires
  const double yR = r.y, xR = 700;                        // the + path's R ends at xR
  if (amplifier) {
    // The high-pass text of C stands over the + wire: the wire drops before reaching C.
    const double yTop = highPass ? 780 : yR, yBottom = 1350, xC = c.x;
    const PartAnchor rm = copyAt(r, static_cast<int>(yBottom));
    s.terminal(45, yR, 0);
    s.terminal(45, yBottom, 0);
    s.part(lp, r, 75, xR);
    s.part(lp, rm, 75, xR);
    s.wire({{xR, yR}, {xR, yTop}, {xC, yTop}});
    s.wire({{xR, yBottom}, {xC, yBottom}});
    s.part(!lp, c, yTop, yBottom);
    s.dot(xC, yTop);
    s.dot(xC, yBottom);
    const double left = 1560, top = 700, w = 220, h = 610, xBend = 1500;
    s.wire({{xC, yTop}, {xBend, yTop}, {xBend, kY}, {left, kY}});
    s.wire({{xC, yBottom}, {xBend, yBottom}, {xBend, kYm}, {left, kYm}});
    s.differentialAmp(left, top, w, h, kY, kYm);
    s.text({left + 85, top + h / 2}, QStringLiteral("1"));
    const double outP = 870, outM = 1080;
    const double xOut = Sketch::sideX(left, top, w, h, outP);  // the same on both sides
    s.wire({{xOut, outP}, {1810, outP}, {1810, kY}, {s.right(), kY}});
    s.wire({{xOut, outM}, {1810, outM}, {1810, kYm}, {s.right(), kYm}});
  } else {
    // C hangs from the + wire right of R's text and reaches across to the - wire left of its
    // own text.
    const double yM = 1600, xNode = 800, yJog = 1150, xC = c.x;
    const PartAnchor rm = copyAt(r, static_cast<int>(yM));
    s.terminal(45, yR, 0);
    s.terminal(45, yM, 0);
    s.part(lp, r, 75, xR);
    s.part(lp, rm, 75, xC);
    s.wire({{xR, yR}, {1700, yR}, {1700, kY}, {s.right(), kY}});
    s.dot(xNode, yR);
    s.wire({{xNode, yR}, {xNode, yJog}, {xC, yJog}});
    s.part(!lp, c, yJog, yM);
    s.dot(xC, yM);
    s.wire({{xC, yM}, {1750, yM}, {1750, kYm}, {s.right(), kYm}});
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
