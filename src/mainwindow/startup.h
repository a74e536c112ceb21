#pragma once
// The main window's start values.
#include <QChar>

namespace mainwindow {

struct CalverdonForm;

// The decimal separator of a locale: the second character of its text of 0.5.
QChar DecimalSepOf(const QString& textOfHalf);

// The defaults the initialisation sets before the design is read: trace colours, the start
// texts of the frequency and resistor boxes, the first section gain, the welcome prompt.
void SetStartDefaults(CalverdonForm& f, QChar decimalSep);

}  // namespace mainwindow
