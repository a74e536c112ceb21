#pragma once
// The real pole of an odd order as the stage synthesis builds it: one resistor R1 and one
// capacitor C1 with b0 = 1/(R1 C1). Shared by the MFB and Sallen-Key synthesis.
#include "engine/stdvalues.h"

namespace engine::detail {

struct RealPoleParts {
  float R1 = 0;
  float C1 = 0;
};

// c1: the capacitor as it stands (0 = free, chosen from the seed resistance); capdiv 2 rounds a
// capacitor that bridges the two lines of the fully differential circuit at half value.
//
// In the high-pass half R1 stands for the high-pass circuit's capacitor and C1 for its
// resistor. Rounding R1 snaps that capacitor to the capacitor series; the resistor is then
// worked out again from the snapped capacitor (1/(2 pi fn C), rounded to the resistor series),
// so that the rounding of the capacitor does not move the pole.
RealPoleParts SynthesiseRealPole(float b0, float seed, float c1, int capdiv,
                                 const SeriesChoice& series);

}  // namespace engine::detail
