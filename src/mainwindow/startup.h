#pragma once
// How the main window starts and ends: its load step, its initialisation with every start
// value, and the handlers of the window itself.
#include <QChar>
#include <functional>
#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

// The decimal separator of a locale: the second character of its text of 0.5.
QChar DecimalSepOf(const QString& textOfHalf);

// The defaults the initialisation sets before the design is read: trace colours, the start
// texts of the frequency and resistor boxes, the first section gain, the welcome prompt.
void SetStartDefaults(CalverdonForm& f, QChar decimalSep);

// The window's load step, once per process: takes the decimal separator and the "ShowAbout"
// setting, shows the about window (modal) when the setting is true, and makes the window
// busy until the default design has been read.
void Form_Load(CalverdonForm& f, QChar decimalSep);

// The initialisation, at start-up after Form_Load and again for a fresh design: the op-amp
// model list's first entry, the trace colours and switches, the start texts, then the
// default design (openDefault reads it, or sets the factory design), and the first
// recompute when nothing was read.
void Form_Initialize(CalverdonForm& f, const std::function<void(CalverdonForm&)>& openDefault);

// File menu "Close" and every other way out: ends the program without saving.
void EndProgram(CalverdonForm& f);

// Registers the window's own Click and GotFocus (recompute unless busy) and the Help menu's
// about and what's-new entries.
void RegisterStartupHandlers(CalverdonForm& f);

}  // namespace mainwindow
