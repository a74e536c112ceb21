#pragma once
// A synthesised cascade stage as built from its rounded parts, and what follows from it: the
// section it realises, its own gain, how far each part moves it (the sensitivities), the
// correction that brings a rounded high-pass stage back to its target, and the gain-bandwidth
// its amplifier needs.
#include <optional>

#include "engine/stageanalysis.h"
#include "engine/stdvalues.h"
#include "engine/threepole.h"

namespace engine {

// One synthesised stage of the low-pass prototype.
struct BuiltStage {
  int Section = 0;          // k
  bool FirstOrder = false;  // the real pole of an odd order: R1 and C1 only
  bool Mfb = false;         // multiple feedback (else Sallen-Key)
  bool FullyDifferential = false;
  float R1 = 0, R2 = 0, R3 = 0, R4 = 0;  // ohms; R3, R4 of a Sallen-Key stage: gain network
  float SeriesR1 = 0;  // resistance in series with R1 (the merged real pole of a three-pole stage)
  float C1 = 0, C2 = 0;  // farads; C2 of the fully differential stage is the full value
  float Gain = 1;        // realised gain magnitude, V/V
  float F0 = 0;          // stage frequency (hertz) of the high-pass exchange
  // Option "Use 3 pole section": the real pole feeds the next stage without an amplifier and
  // the two are one third-order section, analysed together. ThreePoleLinked marks both; Link
  // holds the other one's parts (the real pole's R1 and C1 for the stage, the stage's parts for
  // the real pole) and Rho = f0(stage) / f0(real pole) carries the real pole's parts into the
  // stage's frame (1 in the low-pass). The real pole then realises the cubic's real pole, the
  // stage its pole pair.
  bool ThreePoleLinked = false;
  float Rho = 1;
  float LinkR1 = 0, LinkR2 = 0, LinkR3 = 0, LinkR4 = 0, LinkC1 = 0, LinkC2 = 0;
};

// Links the real pole and the stage it feeds as one three-pole section (rho: the frame ratio).
void LinkThreePole(BuiltStage& real, BuiltStage& stage, float rho);
// The loaded third-order section a linked stage or real pole belongs to, in the stage's frame.
ThreePoleParts ThreePoleSectionOf(const BuiltStage& s);

// The section the stage realises with every component as built (for a linked three-pole stage
// or real pole: its factor of the loaded section).
std::optional<RealisedSection> AnalyzeBuiltStage(const BuiltStage& s);

// The stage's own gain magnitude: R2 / (R1 + SeriesR1) for MFB, 1 + R4/R3 for a Sallen-Key
// stage with a gain network, else 1 (also when the ratio cannot be formed).
double RealisedGain(const BuiltStage& s);

// The gain as the stage's gain readout shows it: rounded half away from zero to three
// decimals. The required gain-bandwidth and the passband gain are computed from this figure.
double ShownGain(double gain);

// The components of a stage that the values table and the labels name.
enum class Part { R1, R2, R3, R4, C1, C2 };

// The stage with one part 1 % larger, as the sensitivity of that part is taken. In the
// high-pass half a 1 % larger high-pass part is a prototype part 1 % smaller, except for the
// gain network of a Sallen-Key stage, which the exchange of parts leaves alone.
BuiltStage WithPartRaised(const BuiltStage& s, Part part, bool highPass);

// The two figures of one perturbation, in percent.
struct Sensitivity {
  float FnPercent = 0;  // realised minus reference natural frequency
  float QPercent = 0;   // reference minus realised Q
};

// Compares a re-analysed section (a0, a1) with the reference section (b0, b1) it was perturbed
// from. Second order: fn% = (sqrt a0 - sqrt b0) 100 / sqrt b0 and Q% = (Qb - Qa) 100 / Qb.
// Nothing when a figure cannot be formed (a reference that is not a usable second-order
// section, or a first-order re-analysis).
std::optional<Sensitivity> SectionSensitivity(float b0, float b1, float a0, float a1);

// The figures of a sensitivity cell, each the realised minus the reference figure in percent
// of the reference, so that a positive figure means a higher fn or Q. First order (a1 = 0):
// FnPercent = (a0 - b0) 100 / b0 and no Q figure; second order: fn% as SectionSensitivity
// and Q% = (Qa - Qb) 100 / Qb (the opposite sign of SectionSensitivity's Q figure, which the
// capacitor correction reads as an error). invertFrequency reports the frequency of the
// high-pass stage the section is the prototype of (fn is then proportional to 1 / sqrt b0, or
// 1 / b0 for a first-order section). Nothing when nothing can be said.
struct CellFigures {
  float FnPercent = 0;
  std::optional<float> QPercent;  // realised minus reference Q
};
std::optional<CellFigures> SensitivityFigures(float b0, float b1, float a0, float a1,
                                              bool invertFrequency);

// The high-pass stage is built from its prototype through the exchange of resistors and
// capacitors, whose rounding moves it off its target (targetB0, targetB1); ten rounds of
// sensitivity-guided correction bring the rounded capacitors back towards the target fn and Q.
// Each round takes its sensitivities about the stage as last realised: `realised` holds it on
// entry and is updated by every round. capdivC2 is 2 for the bridging C2 of the fully
// differential stage.
void CorrectHighPassCapacitors(BuiltStage& s, RealisedSection& realised, double targetB0,
                               double targetB1, int capdivC2, const SeriesChoice& series);

// Gain-bandwidth (hertz) the amplifier of a second-order stage needs for its gain, Q and
// frequency f0: 100 G Q f0 for MFB; 100 G Q^3 f0 for Sallen-Key (100 G f0 when Q <= 1).
double RequiredGainBandwidth(bool sallenKey, double gain, double q, double f0);
// The same for the amplifier of a real-pole section at f0.
double RealPoleGainBandwidth(double f0);

}  // namespace engine
