#pragma once
// Synthesis of the stages of band-pass and notch designs. Each stage is centred on its own
// frequency f0: a resistor search around the seed finds the resistor R that, with its rounded
// capacitor C, lands nearest to f0; the other parts follow and are rounded too. These stages
// are never a high-pass half: they always round to the plain series.
#include <optional>

#include "engine/stdvalues.h"

namespace engine {

// Multiple-feedback band-pass stage: R1 = R from the input (behind the gain divider), C1 from
// that node to the output, C2 from it to the inverting input, R2 = 2 Q' R from the output to
// the inverting input, R3 from the node to ground. The gain divider in front of R: R5 in
// series from the stage input, R4 = R from the divider node to ground; R5 = 0 means no divider
// (the stage runs at its natural gain Q').
struct BandPassStage {
  float R = 0, R2 = 0, R3 = 0, R4 = 0, R5 = 0;
  float C = 0;     // both capacitors
  float Gain = 0;  // realised gain at f0 (magnitude)
  float Q = 0;     // realised Q' = R2 / (2 R)
};

// gain and q are the requested values, seed the seed resistance and f0 the centre frequency in
// hertz. Empty when seed or f0 is not positive and finite, gain is not positive, or q is not
// finite.
std::optional<BandPassStage> BandPassComponents(float gain, float q, float seed, float f0,
                                                const SeriesChoice& series);

// Two-amplifier notch stage with its parts in equal pairs: RQ (twice), Rf (twice), R (twice)
// and C (twice). The null lies at 1/(2 pi Rf C) and the notch Q is RQ / (2 Rf).
struct NotchStage {
  float RQ = 0;
  float Rf = 0;
  float R = 0;
  float C = 0;
};

// q is the notch Q, seed the seed resistance and f0 the null frequency in hertz; the design
// keeps Rf as its new seed. Empty when seed or f0 is not positive and finite or q is not
// positive.
std::optional<NotchStage> NotchComponents(float q, float seed, float f0,
                                          const SeriesChoice& series);

}  // namespace engine
