#pragma once
// Component synthesis of one low-pass section as an op-amp stage: the multiple-feedback stage
// (MFB, inverting, resistors R1 R2 R3, C1 from the output to the inverting input, C2 to ground)
// and the Sallen-Key stage (resistors R1 R2, C1 to ground at the non-inverting input, C2 from
// the middle node to the output, gain network R3 to ground and R4 to the output). A first-order
// section is one resistor R1 and one capacitor C1.
//
// Both routines choose the capacitors first (entered by the user or derived from the seed
// resistance), keep them inside the limits that guarantee real resistors, round them to the
// capacitor series and the resistors to the resistor series, and report what has to change in
// the stage's capacitor entry boxes. They read everything from a StageRequest and return
// everything in a StageResult; the design pass applies the result.
#include <optional>

#include "engine/stdvalues.h"

namespace engine {

// Everything the synthesis of one section reads.
struct StageRequest {
  float b0 = 0;  // scaled section: b0 = wn^2, b1 = wn/Q; first order: b1 = 0, b0 = wn
  float b1 = 0;
  float R1 = 0;    // the seed resistance, ohms (ScaleResistor, possibly changed for the stage)
  float Gain = 1;  // stage gain magnitude, V/V
  // The section's capacitors as they stand (SectionC1(k), SectionC2(k)); 0 = free. For the
  // fully differential MFB stage C2 is the full value (twice what its box shows).
  float C1 = 0;
  float C2 = 0;
  // The section's limits as they stand (C1Max(k), C2Min(k)); returned unchanged when nothing is
  // checked.
  float C1Max = 0;
  float C2Min = 0;
  // The user changed the stage's C1 or C2 box since the last synthesis.
  bool C1Edited = false;
  bool C2Edited = false;
  // The pole counts entered for the low-pass design or half and for the high-pass half (0 when
  // the box holds no number). An edited capacitor is reconciled only when the count is more
  // than 1 (the MFB stage reads its own half's count, the Sallen-Key stage the low-pass one).
  double PolesLowPass = 0;
  double PolesHighPass = 0;
  // MFB only.
  bool FullyDifferential = false;  // circuit "MFB Fully Differential"
  bool ThreePole = false;          // option "Use 3 pole section"
  float ThreePoleR1 = 0;           // R1 of the real pole merged into the first MFB stage
  float ScaleResistor = 0;         // the design's seed resistance (three-pole rule)
  SeriesChoice Series;  // also says which half is synthesised
};

// A change the synthesis makes to one capacitor entry box of the stage. The last change made
// stands: a box that is shown a value and later replaced ends up empty, and the other way round.
struct CapBoxUpdate {
  enum class Change { None, Emptied, Shows };
  Change Box = Change::None;
  float Shown = 0;               // farads the box shows, when Box is Shows
  std::optional<float> Entered;  // the new EnteredC1(i) / EnteredC2(i)

  void Empty() { Box = Change::Emptied; }
  void Show(float farads) {
    Box = Change::Shows;
    Shown = farads;
  }
};

struct StageResult {
  // False when the section cannot be synthesised (b0 or b1 unusable, seed or gain not
  // positive): the other members then hold the request's values and the stage stays unset.
  bool Ok = false;
  float R1 = 0, R2 = 0, R3 = 0, R4 = 0;  // rounded resistors (R4 Sallen-Key only)
  float C1 = 0, C2 = 0;                  // rounded capacitors: the new SectionC1(k), SectionC2(k)
  float C1Max = 0, C2Min = 0;            // the section's capacitor limits
  float b0 = 0;    // the section's b0 as the caller keeps it (Sallen-Key: a first-order 0 -> 1e-5)
  float Gain = 1;  // the stage gain as the caller keeps it (Sallen-Key: raised to at least 1)
  bool C1Edited = false;  // the edit flags after the synthesis
  bool C2Edited = false;
  CapBoxUpdate C1Box, C2Box;
  int CapDivisor = 1;     // 2 after a first-order MFB section of the fully differential three-pole stage
  float ThreePoleR1 = 0;  // MFB: set by a first-order section that becomes part of a three-pole stage
};

// Multiple-feedback stage, gain -Gain: b0 = 1/(R2 R3 C1 C2), b1 = (1/R1 + 1/R2 + 1/R3)/C2,
// R1 is the input resistor less ThreePoleR1.
StageResult MFB(const StageRequest& in);

// Sallen-Key stage, gain 1 + R4/R3: b0 = 1/(R1 R2 C1 C2). A gain below 1 is raised to 1; a gain
// of 1 has no gain network (R3 = R4 = 0).
StageResult Sallen(const StageRequest& in);

}  // namespace engine
