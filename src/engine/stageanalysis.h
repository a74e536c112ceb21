#pragma once
// Analysis of a built stage: from its rounded components back to the section it realises,
// for the stage readout, the sensitivities and the swept response.
#include <optional>

namespace engine {

// The section a stage realises. Second order: b0 = w0^2, b1 = w0/Q; first order: b0 = w0,
// b1 = 0 and no Q.
struct RealisedSection {
  float b0 = 0;
  float b1 = 0;
  float W0 = 0;            // natural angular frequency, rad/s (StageW0)
  std::optional<float> Q;  // StageQ
};

struct MfbAnalysis {
  std::optional<float> Gain;               // gain magnitude R2/R1 (StageGain), when C2 > 0
  std::optional<RealisedSection> Section;  // empty when C1 is not positive or the stage
                                           // has no positive damping (see below)
};

struct SallenAnalysis {
  float K = 1;                             // gain 1 + R4/R3, 1 without a gain network
  std::optional<RealisedSection> Section;  // empty when the stage has no usable capacitors
                                           // or no positive damping (see below)
};

// MFB stage (C1 feedback, C2 to ground). C2 not positive or R3 = 0 is a first-order stage
// R1, C1. Values that cannot be computed (a zero resistor in a ratio) are left out.
MfbAnalysis AnalyzeMFBStage(float R1, float R2, float R3, float C1, float C2);

// Sallen-Key stage (C1 to ground, C2 feedback, gain network R3, R4). R2 = 0 is a first-order
// stage R1, C1.
// A second-order stage whose parts leave it with zero or negative damping (1/Q <= 0, as a
// Sallen-Key gain at or above the equal-part limit gives) oscillates: it realises no section,
// so its b1 is never 0 (a first-order section) nor the magnitude of a negative damping.
SallenAnalysis AnalyzeSallenStage(float R1, float R2, float R3, float R4, float C1, float C2);

}  // namespace engine
