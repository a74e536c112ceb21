#include "designview/bpnotchschematic.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/frequencyunit.h"
#include "mainwindow/listchoices.h"
#include "mainwindow/poleboxes.h"

namespace designview {

namespace {

using mainwindow::kMaxStages;

void setVisible(std::initializer_list<forms::Control*> controls, bool visible) {
  for (forms::Control* c : controls) c->Visible = visible;
}

// Where a value label sits on a stage picture: (top, left) from the picture's corner, in
// twips. A label without a place on the picture is not shown.
struct Place {
  int top, left;
};
struct StageLabels {
  std::optional<Place> R1, R2, R3, R4, R5, R6, C1, C2;
};

constexpr StageLabels kBandPassWithDivider{
    Place{150, -120}, Place{320, 1235}, Place{900, 690}, Place{510, -270},
    Place{900, -270}, std::nullopt,     Place{0, 1295},  Place{450, 600}};
constexpr StageLabels kBandPassWithoutDivider{
    Place{150, -120}, Place{320, 1235}, Place{1205, 690}, std::nullopt,
    std::nullopt,     std::nullopt,     Place{0, 1295},   Place{450, 600}};
constexpr StageLabels kNotch{Place{340, 150},   Place{345, 1080},  Place{765, 320},
                             Place{620, 1790},  Place{1190, 1790}, Place{1190, 250},
                             Place{-30, 220},   Place{620, 1100}};

// Shows the labels of stage i that have a place on the picture, at that place, and hides
// the others.
void placeLabels(CalverdonForm& f, int i, const StageLabels& places) {
  // Every picture of a stage slot has the corner of the band-pass picture with divider.
  const forms::Image& corner = f.MFBbpwres[i];
  const std::pair<forms::Label*, const std::optional<Place>*> labels[] = {
      {&f.R1[i], &places.R1}, {&f.R2[i], &places.R2}, {&f.R3[i], &places.R3},
      {&f.R4[i], &places.R4}, {&f.R5[i], &places.R5}, {&f.R6[i], &places.R6},
      {&f.C1L[i], &places.C1}, {&f.C2L[i], &places.C2}};
  for (const auto& [label, place] : labels) {
    label->Visible = place->has_value();
    if (!*place) continue;
    label->Top = corner.Top + (*place)->top;
    label->Left = corner.Left + (*place)->left;
  }
  f.SecLabel[i].Visible = true;
}

// The stage count from the pole-count box: more than five is written back as five; the count
// is the box's number rounded half to even, kept within the five stage rows.
int stageCount(CalverdonForm& f) {
  if (engine::NumberIn(f.Text18.Text, f.DecimalSep) > kMaxStages)
    f.Text18.Text = QString::number(kMaxStages);
  const int n = engine::CInt(engine::NumberIn(f.Text18.Text, f.DecimalSep));
  f.StageCount = std::clamp(n, 0, kMaxStages);
  f.PoleCount = f.StageCount;
  return f.StageCount;
}

// The gain of stage i: 1 for an empty box or one that cannot be read.
float stageGain(const CalverdonForm& f, int i) {
  const QString& text = f.GainTB[i].Text;
  if (text.trimmed().isEmpty()) return 1.0f;
  return mainwindow::EngSingle(f, text).value_or(1.0f);
}

// The Q of stage i: its own box, or the default Q box when it is empty; 0 when unreadable.
float stageQ(const CalverdonForm& f, int i) {
  const QString& own = f.QInput[i].Text;
  const QString& text = own.isEmpty() ? f.Text3.Text : own;
  return mainwindow::EngSingle(f, text).value_or(0.0f);
}

void showBandPassStages(CalverdonForm& f) {
  const int stages = stageCount(f);
  for (int i = 0; i < stages; ++i) {
    mainwindow::SetInUse(f.GainTB[i], true);
    f.GainTB[i].Visible = true;
  }
  f.Frame2.Visible = false;
  for (int i = 0; i < stages; ++i) {
    f.StageGain = stageGain(f, i);
    f.StageQ = stageQ(f, i);
    // A stage run at its natural gain (its Q) needs no gain divider.
    ShowBandPassStage(f, i, f.StageGain != f.StageQ);
  }
}

void showNotchStages(CalverdonForm& f) {
  f.Frame2.Visible = false;
  const int stages = stageCount(f);
  // Notch stages have no gain entry.
  for (forms::TextBox& gain : f.GainTB) gain.Text.clear();
  for (int i = 0; i < stages; ++i) {
    f.Fleige[i].Visible = true;
    placeLabels(f, i, kNotch);
  }
}

// Neighbouring stages of a row are joined across the gap between their pictures; from the
// third stage on the row change carries the signal down to the second row, whose pictures lie
// further right than those of the other pass bands and have connectors of their own.
void joinStages(CalverdonForm& f) {
  f.schLine[0].Visible = f.PoleCount >= 2;  // A to B
  setVisible({&f.Line2, &f.schLine[4], &f.schLine[5], &f.schLine[6]}, f.PoleCount >= 3);
  f.schLine[7].Visible = f.PoleCount >= 4;  // C to D
  f.schLine[8].Visible = f.PoleCount >= 5;  // D to E
}

// The frequency and Q boxes of the stages in use are shown; empty ones get the centre
// frequency (in hertz, the unit of these boxes) and the default Q. The others are hidden
// and emptied.
void showStageEntries(CalverdonForm& f) {
  const double factor = mainwindow::FreqUnitFactorOf(f);
  for (int i = 0; i < kMaxStages; ++i) {
    forms::TextBox& fn = f.FnInput[i];
    forms::TextBox& q = f.QInput[i];
    if (i < f.PoleCount) {
      fn.Visible = true;
      q.Visible = true;
      if (fn.Text.isEmpty()) {
        QString centre = f.Text34.Text;
        if (factor != 1.0) {
          const std::optional<double> hertz = mainwindow::FrequencyBoxHertz(f, f.Text34);
          if (hertz) centre = mainwindow::EngText(f, *hertz, f.DisplayDigits);
        }
        fn.Text = centre + QStringLiteral("Hz");
      }
      if (q.Text.isEmpty()) q.Text = f.Text3.Text;
    } else {
      fn.Visible = false;
      q.Visible = false;
      fn.Text.clear();
      q.Text.clear();
    }
  }
}

}  // namespace

void ShowBandPassStage(CalverdonForm& f, int i, bool divider) {
  if (i < 0 || i >= kMaxStages) return;
  f.MFBbpwres[i].Visible = divider;
  f.MFBbpnores[i].Visible = !divider;
  placeLabels(f, i, divider ? kBandPassWithDivider : kBandPassWithoutDivider);
}

void ShowBPNotchSchematic(CalverdonForm& f) {
  const std::optional<engine::PassBand> band = mainwindow::ChosenPassBand(f);
  if (band == engine::PassBand::BandPass)
    showBandPassStages(f);
  else if (band == engine::PassBand::Notch)
    showNotchStages(f);
  else
    return;
  joinStages(f);
  showStageEntries(f);
}

}  // namespace designview
