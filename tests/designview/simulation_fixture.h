#pragma once
// The main window with both simulators installed: ngspice inside the process and the ngspice
// program, in the folders of support/simulationfolders.h.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "bpnotch_design.h"
#include "gui/qtsystem.h"
#include "spice/ngspiceprogram.h"
#include "spice/ngspiceshared.h"
#include "spice/opampmodels.h"
#include "spice/simulation.h"
#include "support/simulationfolders.h"

// The time the fixture gives the program: a machine under load may take a few seconds for a
// run that takes a tenth of one alone.
inline constexpr double kLoadedMachineSeconds = 120;

struct SimulationFixture : SequenceFixture, SimulationFolders {
  gui::QtProcessRunner runner;
  spice::NgspiceProgramEngine program{runner, QStringLiteral("ngspice"), kLoadedMachineSeconds};

  explicit SimulationFixture(QChar sep = QLatin1Char('.'))
      : SequenceFixture(sep), SimulationFolders(fake) {
    f.SimulatorInProcess = &spice::NgspiceSharedEngine::instance();
    f.SimulatorProgram = &program;
  }

  // Selects simulator choice i (0 and 1 the program, 2 inside the process).
  void chooseSimulator(int i) {
    for (int j = 0; j < 3; ++j) f.XSver[size_t(j)].setFromUser(j == i);
  }
  // Chooses op-amp list entry `name` (the list is read from the library first).
  void chooseModel(const QString& name) {
    spice::LoadOpAmpModels(f);
    SelectEntry(f.OpAmpModel, name);
  }

  // The segments drawn on the graph in a colour.
  int segments(forms::VbColor color) const {
    return int(std::count_if(f.Graph.drawing.lines.begin(), f.Graph.drawing.lines.end(),
                             [color](const forms::DrawnLine& l) { return l.color == color; }));
  }
  int traceSegments() const {
    return segments(f.GainTraceColor) + segments(f.PhaseTraceColor) +
           segments(f.GroupDelayTraceColor);
  }
};
