#pragma once
// The five-stage band-pass design at 10 kHz (every stage Q 5, gain 1) that the benchmarks of
// a band-pass session enter, and the program and user folders its simulation runs in: the
// model library and the netlists' include files in a program folder of its own, netlists and
// output in a user folder.
#include "mainwindow/calverdonform.h"
#include "support/simulationfolders.h"

using BandPassFolders = SimulationFolders;

// The boxes and the pass band, without running any handler.
inline void EnterFiveStageBandPass(mainwindow::CalverdonForm& f) {
  f.Text18.Text = QStringLiteral("5");
  f.Text34.Text = QStringLiteral("10k");
  f.Text3.Text = QStringLiteral("5");
  for (int i = 0; i < 5; ++i) {
    f.FnInput[i].Text = QStringLiteral("10k");
    f.QInput[i].Text = QStringLiteral("5");
    f.GainTB[i].Text = QStringLiteral("1");
  }
  f.Passband.setFromUser(int(f.Passband.items().indexOf(QStringLiteral("Band-Pass"))),
                         QStringLiteral("Band-Pass"));
}
