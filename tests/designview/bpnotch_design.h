#pragma once
// A band-pass or notch design entered on the fixture's window and run through the recompute
// sequence, with helpers that read the stage values back from the value labels.
#include <QString>
#include <optional>
#include <vector>

#include "engine/engnotation.h"
#include "sequence_fixture.h"

// The boxes of one stage row; an empty text leaves the box empty.
struct BPNotchRow {
  QString fn, q, gain;
};

struct BPNotchDesign {
  QString band = QStringLiteral("Band-Pass");
  QString stages = QStringLiteral("3");  // the pole-count box
  QString centre = QStringLiteral("1k");
  QString q = QStringLiteral("1");  // the default Q box (every notch stage's Q)
  QString seed = QStringLiteral("10k");
  QString resistors = QStringLiteral("Exact");
  QString capacitors = QStringLiteral("E6");
  std::vector<BPNotchRow> rows{};  // stage A first; rows not given are left empty
};

inline void SelectEntry(forms::ComboBox& list, const QString& text) {
  const int index = static_cast<int>(list.items().indexOf(text));
  EXPECT_GE(index, 0) << "not an entry of " << list.Name.toStdString() << ": "
                      << text.toStdString();
  list.setFromUser(index, text);
}

// Enters the design on the window: the boxes, the series and the pass band.
inline void EnterBPNotchDesign(SequenceFixture& s, const BPNotchDesign& d) {
  mainwindow::CalverdonForm& f = s.f;
  f.Text18.Text = d.stages;
  f.Text34.Text = d.centre;
  f.Text3.Text = d.q;
  f.Text12.Text = d.seed;
  SelectEntry(f.ResistorList, d.resistors);
  SelectEntry(f.CapacitorList, d.capacitors);
  for (int i = 0; i < 5; ++i) {
    const BPNotchRow row = i < int(d.rows.size()) ? d.rows[std::size_t(i)] : BPNotchRow{};
    f.FnInput[i].Text = row.fn;
    f.QInput[i].Text = row.q;
    f.GainTB[i].Text = row.gain;
  }
  f.LowPassViewT.Visible = false;
  s.showPassBandWithoutHandler(d.band);
}

// Enters the design and runs the sequence once.
inline void RunBPNotchDesign(SequenceFixture& s, const BPNotchDesign& d) {
  EnterBPNotchDesign(s, d);
  s.f.SequenceUpdateScreen();
}

// The value a label shows; nothing for an empty or unreadable caption.
inline std::optional<double> Shown(const mainwindow::CalverdonForm& f, const forms::Label& l) {
  return engine::EngValue(l.Caption, f.DecimalSep);
}
