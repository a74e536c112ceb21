#pragma once
// Starting a simulation run: the graph's frequency axis is prepared for it, and the netlist is
// written for that sweep, run and read back ("Test Spice", and the end of every band-pass or
// notch pass).
#include "mainwindow/calverdonform_fwd.h"

namespace designview {

using mainwindow::CalverdonForm;

// Prepares the axis, then writes, runs and reads back the netlist of the design on screen.
void RunSpice_Click(CalverdonForm& f);

// Registers "Test Spice".
void RegisterSimulationRun(CalverdonForm& f);

}  // namespace designview
