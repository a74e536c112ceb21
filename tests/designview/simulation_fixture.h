#pragma once
// The main window with both simulators installed: ngspice inside the process and the ngspice
// program, the model library and the netlists' include files in a program folder of its own,
// and the netlists and raw file in a user folder of its own.
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

// The time the fixture gives the program: a machine under load may take a few seconds for a
// run that takes a tenth of one alone.
inline constexpr double kLoadedMachineSeconds = 120;

struct SimulationFixture : SequenceFixture {
  QTemporaryDir programDir, userDir;
  gui::QtProcessRunner runner;
  spice::NgspiceProgramEngine program{runner, QStringLiteral("ngspice"), kLoadedMachineSeconds};

  explicit SimulationFixture(QChar sep = QLatin1Char('.')) : SequenceFixture(sep) {
    QDir(programDir.path()).mkpath(QStringLiteral("models"));
    install(QStringLiteral("models/marquenta.lib"), QStringLiteral("models/marquenta.lib"));
    install(QStringLiteral("spice/10pSK.lib"), QStringLiteral("10pSK.lib"));
    install(QStringLiteral("spice/bandpass.lib"), QStringLiteral("bandpass.lib"));
    fake.paths.program = programDir.path();
    fake.paths.user = userDir.path();
    f.SimulatorInProcess = &spice::NgspiceSharedEngine::instance();
    f.SimulatorProgram = &program;
  }

  void install(const QString& from, const QString& to) {
    QFile::copy(QStringLiteral(CALVERDON_RESOURCES "/") + from, programDir.path() + "/" + to);
  }
  QString userFile(const QString& name) const { return userDir.path() + "/" + name; }

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
