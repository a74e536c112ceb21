#pragma once
// The texts of the sensitivity cells of the stage labels and the values table.
#include <QChar>
#include <QString>

namespace designview {

// A percentage text shortened when its magnitude reaches 100: " 150" for 150.7, "-100" for
// -100.2; any other text is returned unchanged.
QString TrimLargeNumber(const QString& text, QChar decimalSep);

// The cell text of a perturbed section (see engine::SensitivityFigures): first order "p; --"
// and seven blanks, p to one decimal; second order the fn text ("#0.0", two blanks) and the Q
// text ("##0.0"), each through TrimLargeNumber, joined by "; ". Both figures are how far the
// part moves fn and Q: "-0.5  ; 1.0" is 0.5 % lower fn and 1 % higher Q. "" when nothing can
// be said.
QString SensitivityText(float b0, float b1, float a0, float a1, QChar decimalSep,
                        bool invertFrequency = false);

}  // namespace designview
