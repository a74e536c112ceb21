#pragma once
// What the entry boxes of the main window share: their look in and out of use, the answer to
// an entry that cannot be read, and reading and writing their numbers with the locale's
// separator.
#include <QChar>
#include <QString>
#include <optional>

#include "forms/controls.h"
#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

// The answer to an entry that cannot be read.
inline const QString kNotUnderstood = QStringLiteral("Entry is not understood.");

// An entry box in use is enabled and white; one not in use disabled and grey.
inline void SetInUse(forms::TextBox& box, bool inUse) {
  box.Enabled = inUse;
  box.BackColor = inUse ? forms::kWhite : forms::kGreyedEntry;
}

// The first common steps of an entry box: an empty box takes emptyDefault (an empty default
// leaves it empty), and its separators become the locale's.
void CleanBoxText(const CalverdonForm& f, forms::TextBox& box, const QString& emptyDefault);

// The value of a text in engineering notation; nothing when it cannot be read.
std::optional<double> EngNumber(const CalverdonForm& f, const QString& text);
// The same in single precision; nothing also when it has no single-precision value.
std::optional<float> EngSingle(const CalverdonForm& f, const QString& text);

// A value in engineering notation with `digits` significant digits and no unit.
QString EngText(const CalverdonForm& f, double value, int digits);

// The text of a value as a single-precision number ("0.51", "1E-09"), with the locale's
// separator.
QString NumberText(const CalverdonForm& f, double value);

// Limits are compared as the single-precision values the boxes hold, so a typed limit itself
// is never moved.
bool BelowLimit(double v, double limit);
bool AboveLimit(double v, double limit);

// The magnitude of an entry within [low, high] as those compare it; zero stands for
// `zeroValue`.
double MagnitudeInLimits(double v, double zeroValue, double low, double high);

// "1" + separator + "000 k": the empty and zero default of the frequency boxes.
QString OneKiloText(QChar decimalSep);

}  // namespace mainwindow
