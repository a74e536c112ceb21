#pragma once
// Section coefficient arrays. A filter of n poles is a cascade of Int(n/2 + 0.5) sections
// s^2 + b1*s + b0, numbered from 1; element 0 is not used. A second-order section holds
// b0 = wn^2 and b1 = wn/Q; a first-order section (the real pole of an odd order) holds
// b1 = 0 and b0 = wn. Every coefficient is stored in single precision.
#include <array>

namespace engine {

using SectionArray = std::array<float, 21>;

// Highest usable section index of a SectionArray.
inline constexpr int kLastSection = 20;

}  // namespace engine
