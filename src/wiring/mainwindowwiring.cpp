#include "wiring/mainwindowwiring.h"

#include "designfiles/filecommands.h"
#include "designview/sequence.h"
#include "graph/graphcommands.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/handlers.h"
#include "mainwindow/startup.h"
#include "parts/partlist.h"
#include "spice/schematichandover.h"
#include "spice/simulation.h"

namespace wiring {

void WireMainWindow(mainwindow::CalverdonForm& f, const Simulators& simulators) {
  designview::install(f);
  mainwindow::RegisterHandlers(f);
  mainwindow::RegisterStartupHandlers(f);
  designfiles::RegisterFileCommands(f);
  graph::RegisterGraphCommands(f);
  spice::RegisterSimulationHandlers(f);
  spice::RegisterSchematicHandover(f);
  parts::RegisterPartList(f);
  f.SimulatorInProcess = simulators.InProcess;
  f.SimulatorProgram = simulators.Program;
}

}  // namespace wiring
