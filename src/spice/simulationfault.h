#pragma once
// One fault, one message: a simulation fault (a netlist that cannot be written, a value that is
// no component value, a model missing from the library, a simulator that cannot start, does not
// finish or quits, an output file that cannot be read) is told once while it stays the same from
// pass to pass. It is told again only after a pass has succeeded or when the fault changes.
#include <QString>

#include "mainwindow/calverdonform_fwd.h"

namespace spice {

using mainwindow::CalverdonForm;

// Shows the message unless it is the fault told last and no pass has succeeded since.
void TellSimulationFault(CalverdonForm& f, const QString& message);

// The next fault is told whatever was told before: after a pass that succeeded, and before a
// run of "Test Spice", which answers every click.
void TellNextFault(CalverdonForm& f);

// A pass succeeded: the next fault is told whatever it is.
inline void SimulationSucceeded(CalverdonForm& f) { TellNextFault(f); }

}  // namespace spice
