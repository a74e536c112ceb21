#pragma once
// Gain and phase of one scaled low-pass section s^2 + b1*s + b0 (first order when b1 = 0) at
// one frequency.

namespace engine {

struct SectionResponse {
  bool ok = false;      // false: the section cannot be evaluated (see Response)
  float GainDb = 0;     // gain in dB, never below -400
  double PhaseDeg = 0;  // phase in degrees: 0 .. -180 (second order), 0 .. -90 (first order)
  float B0 = 0;         // the section's b0 as the caller keeps it (a first-order 0 becomes 1e-6)
};

// Evaluates the section (b0, b1) at f hertz. Second order (b1 > 0): x = 2 pi f / sqrt(b0) in
// single precision, held at 1e9 at most; the phase is -90 degrees exactly where x is 1 and runs
// on towards -180 degrees above it. First order (b1 = 0): a b0 of 0 is taken as 1e-6 rad/s
// (returned in B0). A second-order section with b0 <= 0, a negative b1 or any non-finite input
// is not evaluated (ok false). A magnitude that underflows reads -400 dB.
SectionResponse Response(float b0, float b1, float f);

}  // namespace engine
