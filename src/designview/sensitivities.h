#pragma once
// How much a built stage's natural frequency and Q move when one of its components is 1 %
// larger, and the fixed-point number texts of the readouts and the values table.
#include <QChar>
#include <QString>
#include <optional>

namespace designview {

// x rounded half away from zero to maxDecimals decimals, written with at least minDecimals
// decimals (trailing zeros beyond them dropped) and at least one integer digit: the number
// patterns "0.0##" (1, 3), "0.00" (2, 2), "0.0" and "#0.0" (1, 1). A non-finite x gives "".
QString FixedText(double x, int minDecimals, int maxDecimals, QChar decimalSep);

// A percentage text shortened when its magnitude reaches 100: " 150" for 150.7, "-100" for
// -100.2; any other text is returned unchanged.
QString TrimLargeNumber(const QString& text, QChar decimalSep);

// The two figures of one perturbation, in percent.
struct Sensitivity {
  float FnPercent = 0;  // realised minus reference natural frequency
  float QPercent = 0;   // reference minus realised Q
};

// Compares a re-analysed section (a0, a1) with the reference section (b0, b1) it was perturbed
// from. Second order: fn% = (sqrt a0 - sqrt b0) 100 / sqrt b0 and Q% = (Qb - Qa) 100 / Qb.
// Nothing when a figure cannot be formed (a reference that is not a usable second-order
// section, or a first-order re-analysis).
std::optional<Sensitivity> SectionSensitivity(float b0, float b1, float a0, float a1);

// The cell text of a perturbed section: first order (a1 = 0) "p; --" and seven blanks with
// p = (a0 - b0) 100 / b0 to one decimal; second order the fn text ("#0.0", two blanks) and the
// Q text ("##0.0"), each through TrimLargeNumber, joined by "; ". "" when nothing can be said.
// invertFrequency reports the frequency of the high-pass stage the section is the prototype
// of (fn is then proportional to 1 / sqrt b0, or 1 / b0 for a first-order section).
QString SensitivityText(float b0, float b1, float a0, float a1, QChar decimalSep,
                        bool invertFrequency = false);

}  // namespace designview
