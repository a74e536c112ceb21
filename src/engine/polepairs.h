#pragma once
// Normalised pole pairs of the low-pass prototype: the section coefficients of every response
// for a number of poles, with the design frequency at 1 rad/s, and the two custom reworkings
// ("Custom Q" scales the section Qs, "Custom Fn&Q" builds the sections from the per-section
// frequency and Q boxes).
#include <QChar>
#include <QString>
#include <array>
#include <optional>

#include "engine/sections.h"

namespace engine {

// What the pole-pair computation reads from the window and the design state. The number of
// sections and the real-pole shift follow from the pole count passed to polepairs.
struct PolePairInputs {
  // 0 "Butterworth", 1 "Bessel", 2 "Chebychev", 3 "Linear Phase, 0.05", 4 "Linear Phase, 0.5",
  // 5 "Gaussian 12dB", 7 "Custom Fn&Q"; "Custom Q" runs with the code of its standard response.
  int ResponseCode = 0;
  QString TypeFilter;        // text of the response list ("Custom Q" and "Custom Fn&Q" rework)
  int HighPassHalf = 0;      // 1 while the high-pass design or half is computed
  float DesignCutoff = 0;    // design frequency in Hz (the custom boxes are in Hz)
  float CustomQScale = 1;    // "Custom Q": the factor the product of the section Qs is scaled by
  QString Text18;            // pole-count box of the low-pass design or half
  QString Text1;             // pole-count box of the high-pass half
  // Per-section boxes, row 0 = stage A = the last section. Texts and visibility.
  std::array<QString, 5> FnInput;
  std::array<QString, 5> QInput;
  std::array<bool, 5> FnInputVisible{};
  std::array<bool, 5> QInputVisible{};
  QChar DecimalSep = QLatin1Char('.');
};

// What it produces, for the design pass to apply.
struct PolePairs {
  SectionArray PoleB0{};  // sections 1 .. SectionCount; all else 0
  SectionArray PoleB1{};
  int SectionCount = 0;   // Int(n/2 + 0.5)
  // "Custom Q" only: the product of the section Qs of the standard response before scaling.
  // Empty when "Custom Q" did not run (the member keeps its value then).
  std::optional<float> CustomQProduct;
  // "Custom Fn&Q" only: QInput(0) was empty and is hidden (section A becomes the real pole).
  bool HideQInput0 = false;
};

// Computes the normalised sections of n poles (1 to 10) for in.ResponseCode; ripple is the
// pass-band ripple in dB of "Chebychev" (1 dB when it is not positive). A pole count outside a
// response's range leaves every section 0. Never fails: values that cannot be computed leave
// their sections as they were before that step.
PolePairs polepairs(int n, float ripple, const PolePairInputs& in);

}  // namespace engine
