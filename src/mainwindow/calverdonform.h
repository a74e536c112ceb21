#pragma once
// The main window object: the window model of the main window (its controls and layout),
// the design state, and the services the program reaches outside the process.
//
// The design view installs the recompute sequence (`recompute`) and the graph's frequency axis
// (`axis`), so that the entry handlers here can call them without depending on the layers
// above them.
#include <memory>

#include "forms/form.h"
#include "mainwindow/datafiles.h"
#include "mainwindow/designchanges.h"
#include "mainwindow/designstate.h"
#include "mainwindow/graphaxis.h"
#include "mainwindow/mainwindowcontrols.h"
#include "mainwindow/recompute.h"
#include "platform/services.h"

namespace spice {
class SpiceEngine;
}

namespace mainwindow {

// The product name: the title of every message box.
inline const QString kProductName = QStringLiteral("Calverdon");

struct PolePairEntryForm;

struct CalverdonForm : forms::Form, MainWindowControls, DesignState {
  explicit CalverdonForm(const platform::Services& services);

  platform::Services svc;
  // The recompute sequence; without one nothing is recomputed.
  std::unique_ptr<Recompute> recompute;
  // The graph's frequency axis; without one it stays as it is.
  std::unique_ptr<GraphAxis> axis;
  // The simulators the application installs: ngspice inside the process (the simulator choice
  // "MQIM") and the ngspice program (the two outside choices). Without them band-pass and notch
  // designs are drawn without a simulated response.
  spice::SpiceEngine* SimulatorInProcess = nullptr;
  spice::SpiceEngine* SimulatorProgram = nullptr;

  // The recompute sequence and one display pass; 0 on success.
  int SequenceUpdateScreen() {
    ++SequencesRun;
    const int result = recompute ? recompute->SequenceUpdateScreen() : 0;
    NoteDesignChange(*this);
    return result;
  }
  // How many recompute sequences were started, so a handler can tell whether a step it ran
  // recomputed already.
  unsigned SequencesRun = 0;
  int updatescreen() {
    const int result = recompute ? recompute->updatescreen() : 0;
    NoteDesignChange(*this);
    return result;
  }
  // What the changed-design mark compares (designchanges.h).
  DesignSnapshots Snapshots;
  // The decades the frequency axis shows, from its end captions.
  void CalcDecades() {
    if (axis) axis->CalcDecades();
  }
  // Moves the graph's frequency window to show `hertz` in its middle third.
  void ShiftGraphWindow(double hertz) {
    if (axis) axis->ShiftWindow(hertz);
  }
  // Moves the graph's cursor line to the response frequency.
  void PlaceResponseCursor() {
    if (axis) axis->PlaceResponseCursor();
  }

  // The recompute gate of every design-changing handler: runs the sequence unless busy.
  void RecomputeUnlessBusy() {
    if (!SuppressUpdate) SequenceUpdateScreen();
  }

  // The program data folder, this instance's folder for netlists and simulator output, and the
  // per-user data folder every instance shares (no trailing separator); empty without a paths
  // service.
  QString ProgramFolder() const { return svc.paths ? svc.paths->programFolder() : QString(); }
  QString UserFolder() const { return svc.paths ? svc.paths->userFolder() : QString(); }
  QString SharedUserFolder() const {
    return svc.paths ? svc.paths->sharedUserFolder() : QString();
  }

  // A message box with the product name as title.
  int Message(const QString& text, platform::Buttons buttons = platform::Buttons::Ok,
              platform::Icon icon = platform::Icon::None);

  // The data files refused and told (ReadWindowDataFile), so a pass that reads one again does
  // not tell it again.
  RefusalsTold DataFileRefusals;

  // The pole-pair dialog, created at its first opening and kept (hidden) after it closes.
  std::shared_ptr<PolePairEntryForm> PolePairEntry;
};

}  // namespace mainwindow
