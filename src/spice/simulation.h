#pragma once
// Running the simulation of band-pass and notch designs.
namespace mainwindow {
struct CalverdonForm;
}

namespace spice {

using mainwindow::CalverdonForm;

// Writes the netlist, runs the simulator and reads the response back.
void RunSpice_Click(CalverdonForm& f);

}  // namespace spice
