#pragma once
// Normalised pole pairs of the low-pass prototype: the section coefficients of every response
// for a number of poles, with the design frequency at 1 rad/s, and the two custom reworkings
// ("Custom Q" scales the section Qs, "Custom Fn&Q" builds the sections from the per-section
// frequency and Q boxes).
#include <array>
#include <optional>

#include "engine/choices.h"
#include "engine/sections.h"

namespace engine {

// One row of the per-section frequency and Q boxes ("Custom Fn&Q"), as the window holds it.
struct SectionEntry {
  bool FnShown = false;  // the row's boxes are visible
  bool QShown = false;
  std::optional<float> Fn;  // hertz; nothing when the box is empty or cannot be read
  std::optional<float> Q;   // nothing when the box is empty or cannot be read
  bool QEmpty = false;      // the Q box holds no text at all
};

// What the pole-pair computation reads from the design. The number of sections and the
// real-pole shift follow from the pole count passed to polepairs.
struct PolePairInputs {
  // The row of the pole tables: 0 Butterworth .. 5 Gaussian 12dB, 7 Custom Fn&Q; "Custom Q"
  // runs with the code of its standard response.
  int ResponseCode = 0;
  // The response chosen; FilterResponse::CustomQ and FilterResponse::CustomFnQ rework the sections. Nothing
  // for a typed response that names none.
  std::optional<FilterResponse> Chosen;
  int HighPassHalf = 0;      // 1 while the high-pass design or half is computed
  float DesignCutoff = 0;    // design frequency in Hz (the custom boxes are in Hz)
  float CustomQScale = 1;    // "Custom Q": the factor the product of the section Qs is scaled by
  // The pole counts entered for the low-pass design or half and for the high-pass half (0 when
  // the box holds no number). A count of exactly 1 makes the half a plain real pole.
  double PolesLowPass = 0;
  double PolesHighPass = 0;
  // Per-section boxes, row 0 = stage A = the last section.
  std::array<SectionEntry, 5> Sections{};
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
