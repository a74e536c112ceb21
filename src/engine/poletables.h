#pragma once
// Stored pole-pair tables of the Bessel, linear-phase and Gaussian responses.
#include "engine/sections.h"

namespace engine {

// Copies the stored sections of a tabulated response (1 "Bessel", 3 "Linear Phase, 0.05",
// 4 "Linear Phase, 0.5", 5 "Gaussian 12dB") for n poles into sections 1 .. Int(n/2 + 0.5) of
// b0 and b1, in their stored order (an odd order's real pole is always the last section).
// Returns false and changes nothing when the response has no row for n.
bool CopyPoleTableRow(int responseCode, int n, SectionArray& b0, SectionArray& b1);

}  // namespace engine
