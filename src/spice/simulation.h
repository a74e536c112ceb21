#pragma once
// Running the simulation of band-pass and notch designs.
#include "mainwindow/calverdonform_fwd.h"

namespace spice {

using mainwindow::CalverdonForm;

// Writes the netlist, runs the simulator and reads the response back.
void RunSpice_Click(CalverdonForm& f);

}  // namespace spice
