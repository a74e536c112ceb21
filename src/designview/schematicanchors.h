#pragma once
// Where the stage pictures of the schematic panel draw the components that carry a value
// label. Each component has an anchor: the centre of its body and the direction of the
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

namespace designview {

// A labelled component, known by the value label it carries: R1 to R6, C1 (the label C1L) and
// C2 (C2L). The low-pass and high-pass pictures name their components as the values table does
// and use R1 to R4, C1 and C2; the band-pass and notch pictures label up to eight.
enum class LabelledPart { R1, R2, R3, R4, R5, R6, C1, C2 };

struct PartAnchor {
  LabelledPart part;
  int x, y;       // centre of the body
  bool vertical;  // the run, and the body along it, is vertical (else horizontal)
};

using PartAnchors = std::span<const PartAnchor>;

// The anchor of a component in a picture's list; nullptr when the picture does not draw it.
constexpr const PartAnchor* FindPart(PartAnchors parts, LabelledPart part) {
  for (const PartAnchor& a : parts)
    if (a.part == part) return &a;
  return nullptr;
}

// Sallen-Key stage with gain network (SK, SKhp). R1 and R2 in series on the run into the +
// input, C1 from the + input down to ground, C2 on the feedback wire over the top; the gain
// network R3 (to ground, far left) and R4 (to the output) on one run along the bottom. The
// runs leave a lane for a value text above R1 and above R2 on either side of the node where
// the feedback wire rises, under C1's body left of its wire, above R3, above R4 between the
// - input's wire and the output's, and above C2 over the top edge, none of them crossed by a
// wire.
inline constexpr PartAnchor kSallenKeyAnchors[] = {
    {LabelledPart::R1, 390, 640, false},   {LabelledPart::R2, 1065, 640, false},
    {LabelledPart::C1, 1340, 900, true},   {LabelledPart::C2, 1330, 140, false},
    {LabelledPart::R3, 400, 1400, false},  {LabelledPart::R4, 1865, 1400, false},
};
// Unity-gain Sallen-Key stage (SKg1, SKg1HP): the same stage without the gain network.
inline constexpr PartAnchors kSallenKeyUnityGainAnchors = PartAnchors(kSallenKeyAnchors).first(4);

// MFB stage (MFBsch, MFBschHP). R1 and R3 in series along the signal wire to the - input, C2
// hanging from their node to ground, R2 closing the outer loop over the top and C1 the inner
// loop over the amplifier. The runs leave a lane for a value text above R1, above R3, above
// C1 and beside C2, none of them crossed by a wire.
inline constexpr PartAnchor kMfbAnchors[] = {
    {LabelledPart::R1, 430, 750, false},
    {LabelledPart::R2, 1100, 80, false},
    {LabelledPart::R3, 1230, 750, false},
    {LabelledPart::C1, 1915, 450, false}, {LabelledPart::C2, 800, 975, true},
};
// Fully differential MFB stage (FDAsch, FDAschHP): its + path at the single-ended stage's
// places, C2 across the two paths in the place of the single-ended C2.
inline constexpr PartAnchors kDifferentialMfbAnchors = kMfbAnchors;

// Real-pole section, single-ended (RealPole, RealHP, RealNoAmp, RealNoAmpHP): R1 in series,
// low in the picture, C1 from its end down to ground.
inline constexpr PartAnchor kRealPoleAnchors[] = {
    {LabelledPart::R1, 260, 1250, false},
    {LabelledPart::C1, 450, 1650, true},
};
// Real-pole sections, fully differential: R1 on the + wire (and again on the - wire), C1
// across the two wires. With the buffer amplifier, low-pass (FDA1p) and high-pass (FDARealHP):
inline constexpr PartAnchor kDifferentialRealPoleLPAnchors[] = {
    {LabelledPart::R1, 300, 680, false},
    {LabelledPart::C1, 880, 1120, true},
};
inline constexpr PartAnchor kDifferentialRealPoleHPAnchors[] = {
    {LabelledPart::R1, 300, 680, false},
    {LabelledPart::C1, 1000, 920, true},
};
// Without amplifier, low-pass (FDARealNoAmpLP) and high-pass (FDARealNoAmpHP).
inline constexpr PartAnchor kDifferentialRealNoAmpLPAnchors[] = {
    {LabelledPart::R1, 300, 680, false},
    {LabelledPart::C1, 580, 1415, true},
};
inline constexpr PartAnchor kDifferentialRealNoAmpHPAnchors[] = {
    {LabelledPart::R1, 300, 680, false},
    {LabelledPart::C1, 580, 1395, true},
};

// MFB band-pass stage with gain divider (MFBbpwres). The input runs through R4 to the divider
// node, where R5 goes down to ground and R1 rises to node a; from a, C1 runs over the top to
// the output, C2 along the signal wire to the - input and R3 down to ground; R2 closes the
// inner loop from the output to the - input, under C1's wire.
inline constexpr PartAnchor kBandPassAnchors[] = {
    {LabelledPart::R1, 430, 470, true},
    {LabelledPart::R2, 1480, 570, false},
    {LabelledPart::R3, 620, 1000, true},
    {LabelledPart::R4, 240, 750, false},
    {LabelledPart::R5, 290, 1040, true},
    {LabelledPart::C1, 1820, 260, false},
    {LabelledPart::C2, 840, 750, false},
};
// The same stage without the divider (MFBbpnores): R1 rises from the input wire itself, and R3
// reaches lower, into the room the divider leaves.
inline constexpr PartAnchor kBandPassNoDividerAnchors[] = {
    {LabelledPart::R1, 430, 470, true},
    {LabelledPart::R2, 1480, 570, false},
    {LabelledPart::R3, 620, 1270, true},
    {LabelledPart::C1, 1820, 260, false}, {LabelledPart::C2, 840, 750, false},
};

// Notch stage of two amplifiers (Fleige), its parts in equal pairs: R1 and R2 the RQ pair, R3
// and R4 the Rf pair, R5 and R6 the R pair, C1 and C2 the C pair. Amplifier A (+ input p,
// - input k, output o) sits at the top right, fed along the top wire; amplifier B (+ input q,
// - input k, output m) faces back under it, so that no wires cross.
//   C1 on the top wire and R1 on the wire under it, in parallel from the input to p; R2 from
//   the top wire down to ground; R3 from m up to p.
//   C2 from m across to k, which joins both - inputs; R4 from k across to the output column.
//   Along the bottom, R6 from the input to q and R5 from q to the output column.
inline constexpr PartAnchor kNotchAnchors[] = {
    {LabelledPart::R1, 360, 600, false},
    {LabelledPart::R2, 980, 440, true},
    {LabelledPart::R3, 820, 860, true},
    {LabelledPart::R4, 1990, 900, false},
    {LabelledPart::R5, 1990, 1450, false},
    {LabelledPart::R6, 450, 1450, false},
    {LabelledPart::C1, 680, 250, false},  {LabelledPart::C2, 1250, 900, false},
};

// Summing amplifier of the band-reject total view (SummingAmp, FDASummingAmp): the high-pass
// block's output through R1 and the low-pass block's through R2 to the - input, R3 the feedback
// resistor from the output over the top. The fully differential picture draws each a second
// time on its - path; one label serves both paths, and the anchors are those of the + path.
inline constexpr PartAnchor kSummingAnchors[] = {
    {LabelledPart::R1, 400, 255, false},
    {LabelledPart::R2, 400, 1215, false},
    {LabelledPart::R3, 1225, 120, false},
};

// The anchors of a stage or real-pole picture by its drawing name ("SK", "FDA1p"); empty for
// any other name.
PartAnchors SchematicAnchors(const QString& picture);

}  // namespace designview
