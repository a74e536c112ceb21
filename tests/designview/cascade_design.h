#pragma once
// A low-pass or high-pass design set up on the fixture's window and run through the
// recompute sequence, with the stages the cascade pass built.
#include <QString>
#include <vector>

#include "designview/cascadepass.h"
#include "sequence_fixture.h"

struct CascadeDesign {
  bool highPass = false;
  int poles = 4;
  int response = 0;  // 0 Butterworth .. 5 Gaussian 12dB
  int circuit = 1;   // 0 MFB single-ended, 1 Sallen-Key, 2 MFB fully differential
  QString resistors = QStringLiteral("Exact");
  std::vector<QString> gains;  // gain box texts, stage A first
  bool values = true;          // labels show component values (else sensitivities)
  QString cutoff = QStringLiteral("1k");
  QString capacitors;       // capacitor series; empty keeps the window's choice
  bool threePole = false;   // option "Use 3 pole section"
};

inline const char* const kResponses[6] = {"Butterworth",        "Bessel",
                                          "Chebychev",          "Linear Phase, 0.05",
                                          "Linear Phase, 0.5", "Gaussian 12dB"};
inline const char* const kCircuits[3] = {"MFB Single-Ended", "Sallen -Key",
                                         "MFB Fully Differential"};

// Sets the design up, runs the sequence, then the cascade pass once more to collect the
// stages it builds (the second pass rebuilds the same stages from the same entries).
inline std::vector<engine::BuiltStage> RunDesign(SequenceFixture& s, const CascadeDesign& d) {
  mainwindow::CalverdonForm& f = s.f;
  f.Text18.Text = QString::number(d.poles);
  f.Text1.Text = QString::number(d.poles);
  f.Text34.Text = d.cutoff;
  f.Text2.Text = d.cutoff;
  f.Text19.Text = QStringLiteral("1");
  f.ResponseCode = d.response;
  f.TypeFilter.setFromUser(d.response, QLatin1String(kResponses[d.response]));
  f.CircuitType.setFromUser(d.circuit, QLatin1String(kCircuits[d.circuit]));
  const int series = static_cast<int>(f.ResistorList.items().indexOf(d.resistors));
  f.ResistorList.setFromUser(series, d.resistors);
  if (!d.capacitors.isEmpty()) {
    const int caps = static_cast<int>(f.CapacitorList.items().indexOf(d.capacitors));
    f.CapacitorList.setFromUser(caps, d.capacitors);
  }
  f.ThreePole.Checked = d.threePole;
  for (int i = 0; i < 5; ++i) {
    f.GainTB[i].Text = i < int(d.gains.size()) ? d.gains[i] : QString();
    f.C1Entry[i].Text.clear();
    f.C2Entry[i].Text.clear();
  }
  f.C1RealEntry.Text.clear();
  f.CompValue.setFromUser(d.values);
  f.SensTrue.setFromUser(!d.values);
  f.LowPassViewT.Visible = false;
  s.showPassBandWithoutHandler(d.highPass ? QStringLiteral("High-Pass")
                                          : QStringLiteral("Low-Pass"));
  f.SequenceUpdateScreen();
  std::vector<engine::BuiltStage> built;
  designview::PrepareCascade(f);
  designview::CascadePass(f, &built);
  return built;
}
