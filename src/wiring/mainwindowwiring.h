#pragma once
// The one wiring of the main window: the recompute sequence, every group of handlers the
// window's controls and menus run, and the simulators. The program and every test fixture or
// tool that works on the whole window call it, so none of them works on a window wired
// otherwise than the program's.
#include "mainwindow/calverdonform_fwd.h"

namespace spice {
class SpiceEngine;
}

namespace wiring {

// The simulators the window is handed: ngspice inside the process and the ngspice program
// for the two outside choices. One left out (nullptr) is a simulator the window does not
// have: a pass that needs it fails with the simulator's message.
struct Simulators {
  spice::SpiceEngine* InProcess = nullptr;
  spice::SpiceEngine* Program = nullptr;
};

// Wires f, whose services are already its own: installs the recompute sequence, registers the
// handlers of the entry boxes and lists, the window's own events and the Help menu, the File
// menu, the graph, the simulation and schematic commands and the part list, and hands it the
// simulators. Runs no handler and no recompute.
void WireMainWindow(mainwindow::CalverdonForm& f, const Simulators& simulators);

}  // namespace wiring
