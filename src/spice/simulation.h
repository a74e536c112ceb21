#pragma once
// Running the simulation of band-pass and notch designs: the netlist is written, the chosen
// simulator runs it, and the simulated response is read back into SimReal and SimImag, from
// which the graph draws it.
#include <QString>

#include "mainwindow/calverdonform_fwd.h"
#include "spice/netlistexport.h"

namespace spice {

using mainwindow::CalverdonForm;

// The raw output file the outside simulator writes, in the per-user data folder.
inline const QString kRawOutputFile = QStringLiteral("XSoutput.out");

// The simulator choices of the XSver option buttons.
enum class SimulatorChoice { ProgramA = 0, ProgramB = 1, InProcess = 2 };
SimulatorChoice ChosenSimulator(const CalverdonForm& f);

// Who asks for a run. A display pass takes the results kept from the last successful run when
// it would run exactly the same again (the same engine, simulator choice, netlist files and
// included files), and tells a fault once while it stays the same (simulationfault.h).
// "Test Spice" always runs, and always tells its failure.
enum class RunFor { DisplayPass, TestSpice };

// Writes the netlist for the analysis window the caller prepared, runs the simulator and reads
// the response back. After it, SimResultsReady tells whether SimReal and SimImag hold the
// response of this design; a failure is said in one message and leaves it false. A failed run
// is never kept.
void XSpiceFileSave(CalverdonForm& f, const AnalysisWindow& window,
                    RunFor asker = RunFor::DisplayPass);

// Options "Use Spice": inverts its check mark and recomputes.
void UseSpice_Click(CalverdonForm& f);

// Registers Options "Use Spice".
void RegisterSimulationHandlers(CalverdonForm& f);

// The message of a simulator output that is missing or cannot be read.
QString RawFileError();

}  // namespace spice
