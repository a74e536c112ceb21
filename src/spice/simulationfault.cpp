#include "spice/simulationfault.h"

#include "mainwindow/calverdonform.h"

namespace spice {

void TellSimulationFault(CalverdonForm& f, const QString& message) {
  if (f.SimFaultTold == message) return;
  f.SimFaultTold = message;
  f.Message(message);
}

void TellNextFault(CalverdonForm& f) { f.SimFaultTold.clear(); }

}  // namespace spice
