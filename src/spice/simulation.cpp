#include "spice/simulation.h"

#include <optional>

#include "graph/simulatedplot.h"
#include "mainwindow/calverdonform.h"
#include "spice/netlistexport.h"
#include "spice/rawfile.h"
#include "spice/simulationfault.h"
#include "spice/spiceengine.h"

namespace spice {

namespace {

// Where the results come from.
enum class Source { Nothing, Engine, RawFile };

void clearReadBack(CalverdonForm& f) {
  f.RawHeader.clear();
  f.SimVarNames.clear();
  f.RawTokensA.clear();
  f.RawTokensB.clear();
  f.SimOpValues.clear();
  f.SimResultTable.clear();
  f.SimVectorCount = 0;
}

// The results of the simulator inside the process: every value of every point, complex pairs
// or real values alone.
void copyEngineResults(CalverdonForm& f, const SpiceEngine& e) {
  const int k = e.isComplex() ? 2 : 1;
  const int points = e.pointCount(), vectors = e.vectorCount();
  const std::vector<double> all = e.allValues();
  if (points <= 0 || vectors <= 0 || all.size() < size_t(points) * size_t(vectors) * size_t(k))
    return;
  f.SimReal.assign(size_t(points), std::vector<double>(size_t(vectors), 0.0));
  f.SimImag.assign(size_t(points), std::vector<double>(size_t(vectors), 0.0));
  for (size_t p = 0; p < size_t(points); ++p)
    for (size_t v = 0; v < size_t(vectors); ++v) {
      const size_t at = (size_t(vectors) * p + v) * size_t(k);
      f.SimReal[p][v] = all[at];
      if (k == 2) f.SimImag[p][v] = all[at + 1];
    }
  f.SimResultTable = e.resultTable();
  f.SimVectorCount = vectors;
}

bool readRawFile(CalverdonForm& f) {
  const RawFile raw = ReadRawFileAt(f.UserFolder() + QLatin1Char('/') + kRawOutputFile);
  if (!raw.First) return false;
  const RawPlot& ac = *raw.First;
  f.RawHeader = ac.Header;
  f.SimVarNames = ac.Variables;
  f.SimVarNames << QStringLiteral("Values:");
  f.SimVectorMax = int(ac.Variables.size()) - 1;
  f.SimReal.assign(ac.Values.size(), std::vector<double>(size_t(ac.Variables.size()), 0.0));
  f.SimImag = f.SimReal;
  for (size_t p = 0; p < ac.Values.size(); ++p)
    for (size_t v = 0; v < ac.Values[p].size(); ++v) {
      f.SimReal[p][v] = ac.Values[p][v].real();
      f.SimImag[p][v] = ac.Values[p][v].imag();
    }
  return true;
}

// The design's output node, "node" + the stage count + "90"; nothing for a stage count the
// band-pass and notch layouts do not have.
std::optional<QString> outputNode(const CalverdonForm& f) {
  if (f.PoleCount < 1 || f.PoleCount > 5) return std::nullopt;
  return QStringLiteral("node%1").arg(f.PoleCount * 100 + 90);
}

// Whether the results name the design's output node among their vectors.
bool holdsOutputNode(const CalverdonForm& f, Source source) {
  const std::optional<QString> node = outputNode(f);
  if (!node) return true;
  QStringList names;
  if (source == Source::RawFile) {
    for (const QString& v : f.SimVarNames) names << RawNodeName(RawVariableName(v));
  } else if (f.SimulatorInProcess) {
    for (const QString& row : f.SimulatorInProcess->resultTable().split(QStringLiteral("\r\n")))
      names << RawVariableName(row);
  }
  return names.contains(*node, Qt::CaseInsensitive);
}

// The read-back: after a run its results, after none nothing; either way the window notes the
// pass band that was simulated. Results without the design's output node are a failed run.
void readBack(CalverdonForm& f, Source source) {
  clearReadBack(f);
  if (source == Source::RawFile && (!readRawFile(f) || !holdsOutputNode(f, source))) {
    clearReadBack(f);
    f.SimReal.clear();
    f.SimImag.clear();
    TellSimulationFault(f, RawFileError());
    return;
  }
  f.PlotResponse.Enabled = false;
  f.LastPassband = f.Passband.Text();
  if (source == Source::Engine) {
    if (!holdsOutputNode(f, source)) {
      TellSimulationFault(f, QStringLiteral("The simulation failed: the results hold no output "
                                            "node %1.")
                                 .arg(outputNode(f).value_or(QString())));
      return;
    }
    f.SimVarNames = QStringList(7, QString());
    f.SimVarNames[6] = QStringLiteral("Node190");
    if (f.SimulatorInProcess) copyEngineResults(f, *f.SimulatorInProcess);
  }
  f.SimResultsReady = source != Source::Nothing && !f.SimReal.empty();
  if (f.SimResultsReady) SimulationSucceeded(f);
}

}  // namespace

SimulatorChoice ChosenSimulator(const CalverdonForm& f) {
  if (f.XSver[0].Value()) return SimulatorChoice::ProgramA;
  if (f.XSver[1].Value()) return SimulatorChoice::ProgramB;
  return SimulatorChoice::InProcess;
}

void XSpiceFileSave(CalverdonForm& f) {
  f.SimResultsReady = false;
  const WrittenNetlist written = WriteNetlist(f);
  if (written.Outcome == NetlistOutcome::NoTrace || written.Outcome == NetlistOutcome::Refused)
    return;
  if (written.Outcome == NetlistOutcome::NoLayout || written.RunFile.isEmpty()) {
    // Nothing was run, so there is nothing new to read; the low-pass layout's files were
    // written.
    if (written.Outcome == NetlistOutcome::Written) SimulationSucceeded(f);
    readBack(f, Source::Nothing);
    return;
  }

  const bool outside = written.Layout == NetlistLayout::BandPassTwoFile ||
                       ChosenSimulator(f) != SimulatorChoice::InProcess;
  SpiceEngine* engine = outside ? f.SimulatorProgram : f.SimulatorInProcess;
  if (!engine) return;
  const QString folder = f.UserFolder();
  engine->putNetlist({f.NetlistText, written.RunFile, folder + QLatin1Char('/') + kRawOutputFile,
                      folder});
  const SimulationStatus status = engine->run();
  if (!status.Ok) {
    TellSimulationFault(f, outside ? status.Error
                                   : QStringLiteral("The simulation failed: ") + status.Error);
    return;
  }
  readBack(f, outside ? Source::RawFile : Source::Engine);
}

void RunSpice_Click(CalverdonForm& f) { XSpiceFileSave(f); }

void UseSpice_Click(CalverdonForm& f) {
  f.UseSpice.Checked = !f.UseSpice.Checked;
  f.SequenceUpdateScreen();
}

void RegisterSimulationHandlers(CalverdonForm& f) {
  f.on(QStringLiteral("RunSpice"), forms::Event::Click,
       [&f](forms::EventArgs&) { RunSpice_Click(f); });
  f.on(QStringLiteral("PlotChart"), forms::Event::Click,
       [&f](forms::EventArgs&) { graph::PlotChart_Click(f); });
  f.on(QStringLiteral("UseSpice"), forms::Event::Click,
       [&f](forms::EventArgs&) { UseSpice_Click(f); });
}

QString RawFileError() {
  return QStringLiteral("Error has occured opening or processing XSoutput.out.");
}

}  // namespace spice
