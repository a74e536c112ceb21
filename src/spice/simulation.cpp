#include "spice/simulation.h"

#include "mainwindow/calverdonform.h"

namespace spice {

void RunSpice_Click(CalverdonForm&) {}

}  // namespace spice
