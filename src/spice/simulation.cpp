#include "spice/simulation.h"

#include <optional>

#include "mainwindow/calverdonform.h"
#include "spice/netlistexport.h"
#include "spice/runinputs.h"
#include "spice/simulationfault.h"
#include "spice/spiceengine.h"

namespace spice {

namespace {

// Where the results come from: a run inside the process, or the raw file of an outside run.
enum class Source { Nothing, Engine, RawFile };

// The design's output node, "node" + the stage count + "90"; nothing for a stage count the
// band-pass and notch layouts do not have.
std::optional<QString> outputNode(const CalverdonForm& f) {
  if (f.PoleCount < 1 || f.PoleCount > 5) return std::nullopt;
  return QStringLiteral("node%1").arg(f.PoleCount * 100 + 90);
}

// The window's copy of the results: SimReal and SimImag by point and vector, and the output
// node's vector in SimColumn (-1 for a design without one).
void keepResults(mainwindow::SimulationState& sim, const SimResults& r, int column) {
  sim.SimColumn = column;
  const size_t vectors = size_t(r.vectors());
  sim.SimReal.assign(size_t(r.points()), std::vector<double>(vectors, 0.0));
  sim.SimImag = sim.SimReal;
  for (size_t p = 0; p < r.Values.size(); ++p)
    for (size_t v = 0; v < r.Values[p].size() && v < vectors; ++v) {
      sim.SimReal[p][v] = r.Values[p][v].real();
      sim.SimImag[p][v] = r.Values[p][v].imag();
    }
}

// What every read-back notes: the pass band that was simulated; "Plot Response" waits.
void noteReadBack(CalverdonForm& f) {
  f.PlotResponse.Enabled = false;
  f.LastPassband = f.Passband.Text();
}

// The read-back: after a run its results, after none nothing; either way the window notes the
// pass band that was simulated. Results without the design's output node are a failed run.
void readBack(CalverdonForm& f, Source source, const SpiceEngine* engine) {
  f.SimColumn = -1;
  const SimResults none;
  const SimResults& r = source != Source::Nothing && engine ? engine->results() : none;
  const std::optional<QString> node = outputNode(f);
  const std::optional<int> column = node ? r.vectorIndex(*node) : std::optional<int>(-1);
  if (source == Source::RawFile && (r.empty() || !column)) {
    f.SimReal.clear();
    f.SimImag.clear();
    TellSimulationFault(f, RawFileError());
    return;
  }
  noteReadBack(f);
  if (source == Source::Engine) {
    if (!column) {
      TellSimulationFault(f, QStringLiteral("The simulation failed: the results hold no output "
                                            "node %1.")
                                 .arg(node.value_or(QString())));
      return;
    }
  }
  if (source != Source::Nothing && !r.empty()) keepResults(f, r, *column);
  f.SimResultsReady = source != Source::Nothing && !f.SimReal.empty();
  if (f.SimResultsReady) SimulationSucceeded(f);
}

// The results of the kept run, taken as a read-back of that run would take them.
void takeKeptRun(CalverdonForm& f) {
  noteReadBack(f);
  f.SimColumn = f.LastRun.Column;
  f.SimReal = f.LastRun.Real;
  f.SimImag = f.LastRun.Imag;
  f.SimResultsReady = true;
  SimulationSucceeded(f);
}

}  // namespace

SimulatorChoice ChosenSimulator(const CalverdonForm& f) {
  if (f.XSver[0].Value()) return SimulatorChoice::ProgramA;
  if (f.XSver[1].Value()) return SimulatorChoice::ProgramB;
  return SimulatorChoice::InProcess;
}

void XSpiceFileSave(CalverdonForm& f, const AnalysisWindow& window, RunFor asker) {
  // "Test Spice" tells its failure even when a pass told the same one just before.
  if (asker == RunFor::TestSpice) TellNextFault(f);
  f.SimResultsReady = false;
  const WrittenNetlist written = WriteNetlist(f, window);
  if (written.Outcome == NetlistOutcome::NoTrace || written.Outcome == NetlistOutcome::Refused)
    return;
  if (written.Outcome == NetlistOutcome::NoLayout || written.RunFile.isEmpty()) {
    // Nothing was run, so there is nothing new to read; the low-pass layout's files were
    // written.
    if (written.Outcome == NetlistOutcome::Written) SimulationSucceeded(f);
    readBack(f, Source::Nothing, nullptr);
    return;
  }

  const bool outside = written.Layout == NetlistLayout::BandPassTwoFile ||
                       ChosenSimulator(f) != SimulatorChoice::InProcess;
  SpiceEngine* engine = outside ? f.SimulatorProgram : f.SimulatorInProcess;
  if (!engine) return;
  const QString folder = f.UserFolder();
  const QString inputs = RunInputs(int(ChosenSimulator(f)), written.Files, folder);
  if (asker == RunFor::DisplayPass && f.LastRun.Engine == engine && f.LastRun.Inputs == inputs) {
    takeKeptRun(f);
    return;
  }
  f.LastRun = {};
  engine->putNetlist({f.NetlistText, written.RunFile, folder + QLatin1Char('/') + kRawOutputFile,
                      folder});
  const SimulationStatus status = engine->run();
  if (!status.Ok) {
    TellSimulationFault(f, outside ? status.Error
                                   : QStringLiteral("The simulation failed: ") + status.Error);
    return;
  }
  readBack(f, outside ? Source::RawFile : Source::Engine, engine);
  if (f.SimResultsReady) f.LastRun = {engine, inputs, f.SimReal, f.SimImag, f.SimColumn};
}

void UseSpice_Click(CalverdonForm& f) {
  f.UseSpice.Checked = !f.UseSpice.Checked;
  f.SequenceUpdateScreen();
}

void RegisterSimulationHandlers(CalverdonForm& f) {
  f.on(QStringLiteral("UseSpice"), forms::Event::Click,
       [&f](forms::EventArgs&) { UseSpice_Click(f); });
}

QString RawFileError() {
  return QStringLiteral("Error has occured opening or processing XSoutput.out.");
}

}  // namespace spice
