#pragma once
// Engineering notation: reading typed values such as "4.7k", "2.2uF" or "1.5 MHz", writing
// values with a prefix letter, and cleaning up typed numbers.
#include <QChar>
#include <QString>
#include <optional>

namespace engine {

// Reads entry in engineering notation: a number, then optionally a prefix letter
// (f/F p/P n/N u/U/µ m k/K M G/g T/t; "H" ends the number unscaled, as in "100Hz") and
// anything after it. Without a prefix letter the trimmed entry is read as a plain number
// ("2e3" is 2000); a text that does not have the form of one is read from its numeric
// characters ("12 V" is 12).
// On success ret holds the text of the value rounded to single precision (SingleText) and
// entry has every "." up to the prefix letter replaced by decimalSep ("4.7k" -> "4,7k").
// When entry cannot be read (also when it is empty or one blank, or its value lies beyond
// the single range), entry becomes empty and ret holds the text entry had.
// Passing one string for both leaves the value's text on success, an empty text on failure.
void EngEntry(QString& entry, QString& ret, QChar decimalSep);

// The value of a text in engineering notation, read as EngEntry reads it; nothing when the
// text cannot be read.
std::optional<double> EngValue(const QString& text, QChar decimalSep);

// Writes x with `digits` significant digits, a prefix letter and units ("1.50kHz",
// "4.70nF", "2.20µF", "1.00gHz"). Zero gives "0" without units. A value that rounds up
// to 1000 keeps its prefix ("1000"). Values outside the prefixes f .. g (1e12 and more,
// below 1e-15) give SingleText of x followed by the units; a non-finite x gives "0".
QString Engsuffix(float x, int digits, const QString& units, QChar decimalSep);

// Writes the first decimal separator ("." or ",") as decimalSep and deletes the later ones.
// The scan steps on after a deletion, so a separator that closes up into the gap stays
// ("1.,,5" -> "1.,5"). Rewrites text in place and returns the result.
QString CorrectD(QString& text, QChar decimalSep);

// Cuts text at the first character that is not a digit, "." or ",". Returns the result.
QString RemoveASC(QString& text);

// The characters of text that are "-", ".", "," or digits, in their order.
QString NumericChars(const QString& text);

}  // namespace engine
