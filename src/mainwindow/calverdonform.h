#pragma once
// The main window object: the window model of the main window (its controls and layout),
// the design state, and the services the program reaches outside the process.
//
// Subsystems above this layer (the recompute sequence, the design files, ...) install their
// entry points into `hub`, so that the entry handlers here can call them without depending on
// those layers.
#include <functional>
#include <memory>

#include "forms/form.h"
#include "mainwindow/designstate.h"
#include "mainwindow/mainwindowcontrols.h"
#include "platform/services.h"

namespace spice {
class SpiceEngine;
}

namespace mainwindow {

// The product name: the title of every message box.
inline const QString kProductName = QStringLiteral("Calverdon");

struct PolePairEntryForm;

struct Hub {
  std::function<int()> SequenceUpdateScreen;
  std::function<int()> updatescreen;
  std::function<void()> CalcDecades;
};

struct CalverdonForm : forms::Form, MainWindowControls, DesignState {
  explicit CalverdonForm(const platform::Services& services);

  platform::Services svc;
  Hub hub;
  // The simulators the application installs: ngspice inside the process (the simulator choice
  // "MQIM") and the ngspice program (the two outside choices). Without them band-pass and notch
  // designs are drawn without a simulated response.
  spice::SpiceEngine* SimulatorInProcess = nullptr;
  spice::SpiceEngine* SimulatorProgram = nullptr;

  // The recompute sequence and one display pass, through the hub; 0 on success.
  int SequenceUpdateScreen() {
    ++SequencesRun;
    return hub.SequenceUpdateScreen ? hub.SequenceUpdateScreen() : 0;
  }
  // How many recompute sequences were started, so a handler can tell whether a step it ran
  // recomputed already.
  unsigned SequencesRun = 0;
  int updatescreen() { return hub.updatescreen ? hub.updatescreen() : 0; }
  // The decades the frequency axis shows, from its end captions.
  void CalcDecades() {
    if (hub.CalcDecades) hub.CalcDecades();
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

  // The pole-pair dialog, created at its first opening and kept (hidden) after it closes.
  std::shared_ptr<PolePairEntryForm> PolePairEntry;
};

}  // namespace mainwindow
