#pragma once
// Starting a simulation run: the graph's frequency axis is prepared for it, and the netlist is
// written for that sweep, run and read back ("Test Spice", and the end of every band-pass or
// notch pass).
#include "mainwindow/calverdonform_fwd.h"

namespace designview {

using mainwindow::CalverdonForm;

// "Test Spice": prepares the axis, then writes, runs and reads back the netlist of the design
// on screen. It always runs the simulator and always tells its failure.
void RunSpice_Click(CalverdonForm& f);

// The same at the end of a display pass: a run that would repeat the last successful one
// exactly takes its results instead, and a fault told already is not told again.
void RunSpiceForPass(CalverdonForm& f);

// Registers "Test Spice".
void RegisterSimulationRun(CalverdonForm& f);

}  // namespace designview
