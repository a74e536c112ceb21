#include "engine/poletables.h"

namespace engine {
namespace {

// One section as stored: b1 (0 marks the real pole, whose b0 is wn) and b0.
struct Section {
  float b1;
  float b0;
};

// A row holds the sections of one pole count; unused places are {0, 0}.
using Row = Section[5];

// Bessel, normalised to a 3 dB frequency of 1 rad/s, for 1 to 10 poles.
//
// Section 3 of the 10-pole row is the pole pair that the other four sections of that row do
// not hold. It was computed from the tenth-order Bessel polynomial
//   B10(s) = sum_k (20 - k)! / (2^(10 - k) k! (10 - k)!) s^k,
// whose roots were found numerically (40 significant digits) and divided by the 3 dB frequency
// of B10(0)/B10(s), w3 = 3.590980595 rad/s. The pair nearest the real axis, -6.922044905 +-
// j0.867665196 before normalising, becomes -1.927619691 +- j0.241623471, so b1 = 3.855239383 and
// b0 = 3.774099576, rounded here to seven digits like the rest of the row. The same computation reproduces every
// other row of this table to within 1e-5 relative.
constexpr Row kBessel[10] = {
    {{0.0f, 1.0f}},
    {{2.2032f, 1.61803f}},
    {{2.09482f, 2.0956f}, {0.0f, 1.32268f}},
    {{1.99042f, 2.57078f}, {2.74014f, 2.04539f}},
    {{1.91535f, 3.08135f}, {2.76175f, 2.42222f}, {0.0f, 1.50232f}},
    {{1.86131f, 3.6279f}, {2.76372f, 2.85329f}, {3.14298f, 2.57256f}},
    {{1.81974f, 4.2004f}, {2.75781f, 3.3212f}, {3.224f, 2.94588f}, {0.0f, 1.68437f}},
    {{1.78574f, 4.7905f}, {2.74768f, 3.815f}, {3.2739f, 3.3566f}, {3.5148f, 3.16294f}},
    {{1.7568f, 5.393238f},
     {2.735179f, 4.328094f},
     {3.304795f, 3.794186f},
     {3.614346f, 3.528409f},
     {0.0f, 1.856602f}},
    {{1.731518f, 6.005607f},
     {3.323631f, 4.252724f},
     {3.855239f, 3.774100f},
     {3.684402f, 3.922613f},
     {2.721392f, 4.856544f}},
};

// Linear phase with an equiripple phase error of 0.05 degrees, 2 to 10 poles.
constexpr Row kLinearPhase005[9] = {
    {{2.0174f, 1.4637f}},
    {{1.7082f, 1.8797f}, {0.0f, 1.0459f}},
    {{1.4896f, 2.517f}, {1.9296f, 1.1563f}},
    {{1.3462f, 3.372f}, {1.783f, 1.5574f}, {0.0f, 0.943f}},
    {{1.2304f, 4.3028f}, {1.6466f, 2.1611f}, {1.7808f, 0.9618f}},
    {{1.1454f, 5.3707f}, {1.5416f, 2.9507f}, {1.685f, 1.3168f}, {0.0f, 0.8615f}},
    {{1.0682f, 6.4193f}, {1.4426f, 3.8087f}, {1.586f, 1.8508f}, {1.639f, 0.8093f}},
    {{1.012f, 7.618f}, {1.3698f, 4.818f}, {1.511f, 2.5665f}, {1.5706f, 1.1244f}, {0.0f, 0.7938f}},
    {{0.9554f, 8.7126f}, {1.295f, 5.8007f}, {1.4318f, 3.347f}, {1.4934f, 1.5969f}, {1.5184f, 0.6983f}},
};

// Linear phase with an equiripple phase error of 0.5 degrees, 2 to 10 poles.
constexpr Row kLinearPhase05[9] = {
    {{1.718f, 1.22522f}},
    {{1.3938f, 1.76664f}, {0.0f, 0.8257f}},
    {{1.2074f, 2.6094f}, {1.4896f, 0.8182f}},
    {{1.0824f, 3.62571f}, {1.355f, 1.34279f}, {0.0f, 0.7056f}},
    {{0.9786f, 4.64186f}, {1.2334f, 2.06071f}, {1.3038f, 0.61629f}},
    {{0.9196f, 5.96854f}, {1.1632f, 3.04527f}, {1.238f, 1.07838f}, {0.0f, 0.6283f}},
    {{0.8368f, 6.82114f}, {1.0606f, 3.85861f}, {1.133f, 1.64457f}, {1.1582f, 0.48412f}},
    {{0.816f, 8.5927f}, {1.0358f, 5.2541f}, {1.109f, 2.5843f}, {1.1376f, 0.9004f}, {0.0f, 0.5728f}},
    {{0.7416f, 9.10153f},
     {0.9422f, 5.9102f},
     {1.0102f, 3.2346f},
     {1.0386f, 1.3573f},
     {1.0498f, 0.3971f}},
};

// Gaussian to 12 dB, 3 to 10 poles.
constexpr Row kGaussian12[8] = {
    {{1.872f, 2.3567f}, {0.0f, 0.963f}},
    {{1.8384f, 1.15406f}, {1.8556f, 3.74911f}},
    {{1.4306f, 4.72728f}, {1.615f, 1.64666f}, {0.0f, 0.8131f}},
    {{0.8958f, 4.76439f}, {1.3334f, 2.1166f}, {1.4038f, 0.67946f}},
    {{0.581f, 4.70087f}, {1.0972f, 2.5974f}, {1.231f, 0.9722f}, {0.0f, 0.6291f}},
    {{0.3956f, 4.32527f}, {0.8656f, 2.77942f}, {1.035f, 1.26022f}, {1.0882f, 0.40881f}},
    {{0.2978f, 4.43343f},
     {0.7184f, 3.16673f},
     {0.9136f, 1.68368f},
     {0.9922f, 0.62952f},
     {0.0f, 0.5065f}},
    {{0.2272f, 4.25609f}, {0.5816f, 3.26615f}, {0.7772f, 1.9595f}, {0.8704f, 0.87647f}, {0.907f, 0.28373f}},
};

struct Table {
  const Row* rows;
  int firstPoles;
  int lastPoles;
};

bool findTable(int responseCode, Table& table) {
  switch (responseCode) {
    case 1: table = {kBessel, 1, 10}; return true;
    case 3: table = {kLinearPhase005, 2, 10}; return true;
    case 4: table = {kLinearPhase05, 2, 10}; return true;
    case 5: table = {kGaussian12, 3, 10}; return true;
    default: return false;
  }
}

}  // namespace

bool CopyPoleTableRow(int responseCode, int n, SectionArray& b0, SectionArray& b1) {
  Table table{};
  if (!findTable(responseCode, table) || n < table.firstPoles || n > table.lastPoles) return false;
  const Row& row = table.rows[n - table.firstPoles];
  const int sections = (n + 1) / 2;
  for (int k = 1; k <= sections; ++k) {
    b1[k] = row[k - 1].b1;
    b0[k] = row[k - 1].b0;
  }
  return true;
}

}  // namespace engine
