#pragma once
// Number text helpers shared by the entry boxes of the main window.
#include <QChar>
#include <QString>
#include <optional>

namespace forms {
struct TextBox;
}

namespace mainwindow {

struct CalverdonForm;

// The answer to an entry that cannot be read.
inline const QString kNotUnderstood = QStringLiteral("Entry is not understood.");

// The first common steps of an entry box: an empty box takes emptyDefault (an empty default
// leaves it empty), and its separators become the locale's (the clean text is also left in
// EngText).
void CleanBoxText(CalverdonForm& f, forms::TextBox& box, const QString& emptyDefault);

// The value of a text in engineering notation; nothing when it cannot be read.
std::optional<double> EngNumber(const CalverdonForm& f, const QString& text);

// A value in engineering notation with `digits` significant digits and no unit.
QString EngText(const CalverdonForm& f, double value, int digits);

// The text of a value as a single-precision number ("0.51", "1E-09"), with the locale's
// separator.
QString NumberText(const CalverdonForm& f, double value);

// The number a cleaned-up count or ratio text begins with: digits with at most one
// separator; 0 when it begins with none. Used where a box keeps only digits and separators.
double LeadingNumber(const QString& text, QChar decimalSep);

// "1" + separator + "000 k": the empty and zero default of the frequency boxes.
QString OneKiloText(QChar decimalSep);

}  // namespace mainwindow
