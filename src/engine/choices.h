#pragma once
// The design choices the engineer makes from the window's lists, as the design arithmetic and
// the display passes use them. The texts of the lists are read in one place (the main window's
// list boundary); everything past it works on these values.
namespace engine {

// The pass band of the design.
enum class PassBand { LowPass, HighPass, BandPass, Notch, WideBandPass, BandReject };

// Computed as a low-pass half and a high-pass half.
constexpr bool IsTwoHalves(PassBand b) {
  return b == PassBand::WideBandPass || b == PassBand::BandReject;
}
// Designed stage by stage from centre frequency and Q, and simulated.
constexpr bool IsBandPassOrNotch(PassBand b) {
  return b == PassBand::BandPass || b == PassBand::Notch;
}
// Designed as a cascade of pole-pair sections.
constexpr bool IsCascade(PassBand b) { return !IsBandPassOrNotch(b); }
// One filter (not two halves).
constexpr bool IsSingleFilter(PassBand b) { return !IsTwoHalves(b); }

// The response. The standard responses carry their response code (the row of the pole tables);
// "Custom Q" reworks the last standard response, "Custom Fn&Q" builds the sections from the
// per-section frequency and Q entries (response code 7).
enum class FilterResponse {
  Butterworth = 0,
  Bessel = 1,
  Chebychev = 2,
  LinearPhase005 = 3,
  LinearPhase05 = 4,
  Gaussian12dB = 5,
  CustomQ = 6,
  CustomFnQ = 7,
};

constexpr bool IsStandardResponse(FilterResponse r) {
  return r != FilterResponse::CustomQ && r != FilterResponse::CustomFnQ;
}

// The circuit topology of the cascade stages.
enum class Topology { MfbSingleEnded, SallenKey, MfbFullyDifferential };

// The standard series the synthesised parts are rounded to. Exact keeps resistors as computed.
enum class ResistorSeries { Exact, E12, E24, E48, E96, E192 };
enum class CapacitorSeries { E6, E12, E24 };

}  // namespace engine
