#pragma once
// Where the stage pictures of the low-pass and high-pass panel draw the components that carry
// a value label. Each component has an anchor: the centre of its body and the direction of the
// run it sits in, in twips from the picture's top-left corner. The drawings put each body at
// its anchor, and the panel puts each value label beside the anchor of its own component, so
// that a component and its value always go together.
//
// An anchor is a place, not a symbol: the high-pass form of a stage draws a capacitor where
// the low-pass form draws a resistor and the other way round, at the same anchor, and the
// label there shows the part in that place (R1 of a high-pass stage is a capacitor). The real
// pole's resistor and capacitor are R1 and C1, as in the values table. A fully differential
// picture draws R1, R2, R3 and C1 a second time on its - path; one label serves both paths,
// and the anchors listed are those of the + path.
#include <QString>
#include <span>

#include "engine/realisedstage.h"

namespace designview {

using engine::Part;

struct PartAnchor {
  Part part;
  int x, y;       // centre of the body
  bool vertical;  // the run, and the body along it, is vertical (else horizontal)
};

using PartAnchors = std::span<const PartAnchor>;

// The anchor of a component in a picture's list; nullptr when the picture does not draw it.
constexpr const PartAnchor* FindPart(PartAnchors parts, Part part) {
  for (const PartAnchor& a : parts)
    if (a.part == part) return &a;
  return nullptr;
}

// Sallen-Key stage with gain network (SK, SKhp). R1 and R2 in series on the run into the +
// input, C1 from the + input down to ground, C2 on the feedback wire over the top; the gain
// network R3 (to ground) and R4 (to the output) on one run under the amplifier.
inline constexpr PartAnchor kSallenKeyAnchors[] = {
    {Part::R1, 290, 640, false},   {Part::R2, 700, 640, false},
    {Part::C1, 900, 990, true},    {Part::C2, 1330, 140, false},
    {Part::R3, 1000, 1330, false}, {Part::R4, 1750, 1330, false},
};
// Unity-gain Sallen-Key stage (SKg1, SKg1HP): the same stage without the gain network.
inline constexpr PartAnchors kSallenKeyUnityGainAnchors = PartAnchors(kSallenKeyAnchors).first(4);

// MFB stage (MFBsch, MFBschHP). R1 comes in on a run above the signal wire, R3 goes on along
// the wire to the - input, C2 hangs from the R1 node to ground, R2 closes the outer loop over
// the top and C1 the inner loop over the amplifier.
inline constexpr PartAnchor kMfbAnchors[] = {
    {Part::R1, 250, 640, false},  {Part::R2, 1100, 110, false}, {Part::R3, 740, 750, false},
    {Part::C1, 1800, 500, false}, {Part::C2, 515, 1045, true},
};
// Fully differential MFB stage (FDAsch, FDAschHP): its + path at the single-ended stage's
// places, C2 across the two paths in the place of the single-ended C2.
inline constexpr PartAnchors kDifferentialMfbAnchors = kMfbAnchors;

// Real-pole section, single-ended (RealPole, RealHP, RealNoAmp, RealNoAmpHP): R1 in series,
// C1 from its end down to ground.
inline constexpr PartAnchor kRealPoleAnchors[] = {
    {Part::R1, 300, 880, false},
    {Part::C1, 500, 1640, true},
};
// Real-pole sections, fully differential: R1 on the + wire (and again on the - wire), C1
// across the two wires. With the buffer amplifier, low-pass (FDA1p) and high-pass (FDARealHP):
inline constexpr PartAnchor kDifferentialRealPoleLPAnchors[] = {
    {Part::R1, 300, 750, false},
    {Part::C1, 900, 1110, true},
};
inline constexpr PartAnchor kDifferentialRealPoleHPAnchors[] = {
    {Part::R1, 300, 750, false},
    {Part::C1, 1050, 975, true},
};
// Without amplifier, low-pass (FDARealNoAmpLP) and high-pass (FDARealNoAmpHP).
inline constexpr PartAnchor kDifferentialRealNoAmpLPAnchors[] = {
    {Part::R1, 300, 750, false},
    {Part::C1, 600, 1415, true},
};
inline constexpr PartAnchor kDifferentialRealNoAmpHPAnchors[] = {
    {Part::R1, 300, 750, false},
    {Part::C1, 600, 1395, true},
};

// The anchors of a stage or real-pole picture by its drawing name ("SK", "FDA1p"); empty for
// any other name.
PartAnchors SchematicAnchors(const QString& picture);

}  // namespace designview
