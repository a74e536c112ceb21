#pragma once
// The pass bands of the pass-band list and the groups of them the design treats alike.
#include <QString>

namespace mainwindow::passband {

inline const QString kLowPass = QStringLiteral("Low-Pass");
inline const QString kHighPass = QStringLiteral("High-Pass");
inline const QString kBandPass = QStringLiteral("Band-Pass");
inline const QString kNotch = QStringLiteral("Notch");
inline const QString kWideBandPass = QStringLiteral("Wide Band-Pass");
inline const QString kBandReject = QStringLiteral("Band-Reject");

// Computed as a low-pass half and a high-pass half.
inline bool IsTwoHalves(const QString& band) {
  return band == kWideBandPass || band == kBandReject;
}
// Designed stage by stage from centre frequency and Q, and simulated.
inline bool IsBandPassOrNotch(const QString& band) { return band == kBandPass || band == kNotch; }
// Designed as a cascade of pole-pair sections.
inline bool IsCascade(const QString& band) {
  return band == kLowPass || band == kHighPass || IsTwoHalves(band);
}
// One filter (not two halves).
inline bool IsSingleFilter(const QString& band) {
  return band == kLowPass || band == kHighPass || IsBandPassOrNotch(band);
}

}  // namespace mainwindow::passband
