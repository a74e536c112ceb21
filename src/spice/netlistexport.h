#pragma once
// Writing the netlist of the design the window shows: the preparation every simulation run
// starts with (the supply text), the layout chosen by the pass band and simulator, the checks
// of every value that goes into a netlist, and the files.
#include <QString>
#include <optional>

#include "mainwindow/calverdonform_fwd.h"
#include "spice/netlist.h"

namespace spice {

using mainwindow::CalverdonForm;

enum class NetlistOutcome {
  NoTrace,   // no trace is shown: nothing was written, nothing is to be run or read back
  NoLayout,  // the pass band has no netlist (high-pass, wide band-pass, band-reject)
  Written,   // the layout's files were written
  Refused,   // a value could not go into a netlist, or a file could not be written (said)
};

struct WrittenNetlist {
  NetlistOutcome Outcome = NetlistOutcome::NoLayout;
  std::optional<NetlistLayout> Layout;
  QString RunFile;  // the netlist a simulator runs (full path); empty for the low-pass layout
  std::vector<NetlistFile> Files;  // the layout's files as written, once all were written
};

// The netlist layout of the design: by pass band, and for a band-pass design by the
// simulator choice (the first outside program keeps its models in a second file).
std::optional<NetlistLayout> ChosenLayout(const CalverdonForm& f);

// The frequency sweep of the analysis, as the graph's axis was prepared for the run: its decades
// and its first frequency in hertz.
struct AnalysisWindow {
  float Decades = 0;
  float StartFreq = 0;
};

// Prepares the run and writes the layout's netlist files in the per-user data folder. Sets
// SupplyText and NetlistText (the last text built); clears SimReal and SimImag. A supply,
// source or component text that is not a number is refused with a message and nothing is
// written.
WrittenNetlist WriteNetlist(CalverdonForm& f, const AnalysisWindow& window);

// The messages of a refused netlist.
QString SupplyNotUnderstood(const QString& text);
QString InputNotUnderstood(const QString& text);
QString ValueNotUnderstood(const QString& card);
QString ModelNotFound(const QString& model);
QString NetlistNotWritten(const QString& path);

}  // namespace spice
