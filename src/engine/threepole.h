#pragma once
// The three-pole section (option "Use 3 pole section"): the real pole of an odd order is an RC
// without amplifier that feeds the next stage directly. The stage loads the RC, so the two are
// one third-order section; its denominator is the real pole times the pole pair only when the
// parts are chosen for the loaded circuit.
//
// Here: the loaded circuit's denominator from its parts (nodal analysis of the drawn circuit),
// its split into the real pole and the pole pair the window shows for the two positions, and
// the synthesis that chooses the parts so that the loaded circuit realises the target real
// pole and pair.
//
// Every value is a part of the low-pass prototype in the frame of the stage. In the high-pass
// half each section is exchanged at its own stage frequency, so the real pole's parts enter
// the stage's frame scaled by rho = f0(stage) / f0(real pole): R times rho, C over rho (the
// high-pass circuit's response at f is then this prototype's at fc^2 / f).
#include <optional>

#include "engine/stageanalysis.h"
#include "engine/stdvalues.h"

namespace engine {

// The RC (series resistor Rr, capacitor Cr to ground) and the stage it feeds, with the stage's
// parts named as the synthesis names them: MFB R1 (input), R2 (feedback), R3, C1 (output to
// inverting input), C2 (to ground); Sallen-Key R1, R2, C1 (to ground), C2 (to the output) and
// the gain network R3, R4 (none when R3 is 0).
struct ThreePoleParts {
  bool Mfb = false;
  double Rr = 0, Cr = 0;
  double R1 = 0, R2 = 0, R3 = 0, R4 = 0, C1 = 0, C2 = 0;
};

// H(s) = Gain / (1 + d1 s + d2 s^2 + d3 s^3): Gain is the magnitude at DC, R2 / (Rr + R1) for
// MFB (inverting), 1 + R4/R3 for Sallen-Key.
struct ThirdOrder {
  double d1 = 0, d2 = 0, d3 = 0;
  double Gain = 1;
};
// Nothing when a part is not positive and finite (R3, R4 of a Sallen-Key stage may be 0).
std::optional<ThirdOrder> LoadedDenominator(const ThreePoleParts& p);

// The denominator as real pole times pole pair: (1 + s/sigma)(1 + s b1/b0 + s^2/b0). RealPole
// is a first-order section (b0 = sigma, b1 = 0), Pair a second-order one. When the cubic has
// three real roots the real pole is the root nearest sigmaHint. Nothing when the section is
// not stable (a root on or right of the imaginary axis).
struct ThreePoleFactors {
  RealisedSection RealPole;
  RealisedSection Pair;
};
std::optional<ThreePoleFactors> SplitThirdOrder(const ThirdOrder& d, double sigmaHint);
std::optional<ThreePoleFactors> AnalyzeThreePole(const ThreePoleParts& p, double sigmaHint);

// The section to realise: the real pole (rad/s), the pair (b0, b1) and, for MFB in the
// low-pass, the gain R2 / (Rr + R1).
struct ThreePoleTarget {
  double Sigma = 0;
  double PairB0 = 0, PairB1 = 0;
  double Gain = 1;
};

// How the chosen parts are rounded: the real pole's parts with Real (its own stage frequency
// for the high-pass exchange) in its own frame, the stage's with Stage. RealCapDiv, C2CapDiv:
// 2 for a capacitor that bridges the lines of the fully differential circuit.
struct ThreePoleRounding {
  SeriesChoice Real, Stage;
  int RealCapDiv = 1;
  int C2CapDiv = 1;
  double Rho = 1;
};

struct ThreePoleDesign {
  ThreePoleParts Parts;  // rounded, in the stage's frame
  bool Solved = false;   // false: no parts found, Parts is the start as given
};

// Chooses the parts of the loaded section, starting from the two sections as synthesised for
// a buffered real pole (`start`, rounded). In the low-pass the resistors are chosen (the real
// pole's, and the stage's; the capacitors stay); in the high-pass half the prototype
// capacitors, which are the resistors of the high-pass circuit. The real pole's other part
// (its capacitor in the low-pass, the high-pass circuit's capacitor in the high-pass half)
// stays unless no parts realise the target with it: it then moves one series value at a time
// towards lighter loading (a larger low-pass capacitor, a smaller prototype resistor) until
// they do. The search and its trial count are bounded.
ThreePoleDesign DesignThreePole(const ThreePoleParts& start, const ThreePoleTarget& target,
                                const ThreePoleRounding& rounding);

}  // namespace engine
