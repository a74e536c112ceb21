#include "designview/lphpschematic.h"

#include <initializer_list>
#include <span>

#include "designview/schematicanchors.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/listchoices.h"

namespace designview {

namespace {

using mainwindow::SetInUse;

void hide(std::initializer_list<forms::Control*> controls) {
  for (forms::Control* c : controls) c->Visible = false;
}

void setVisible(std::initializer_list<forms::Control*> controls, bool visible) {
  for (forms::Control* c : controls) c->Visible = visible;
}

bool fullyDifferential(const CalverdonForm& f) { return mainwindow::FullyDifferentialChosen(f); }

// Where a value label sits beside its component: the offset of the label's top-left corner
// from the centre of the component's body (its anchor in the picture), in twips. The value
// text starts at the label's left edge.
struct Beside {
  LabelledPart part;
  int dx, dy;
};

// Labels of a Sallen-Key stage, with or without gain network, either half. Each value text
// has a lane of its own, wide enough for a sensitivity pair ("-0.5  ; -0.5"), that no wire
// crosses.
constexpr Beside kSallenKeyLabels[] = {
    {LabelledPart::R1, -350, -300},  // above R1, left of the feedback wire
    {LabelledPart::R2, -210, -300},  // above R2, right of the feedback wire
    {LabelledPart::R3, -250, -260},  // above R3
    {LabelledPart::R4, -345, -260},  // above R4, between the - input's wire and the output's
    {LabelledPart::C1, -790, 40},    // under C1's body, left of its wire
    {LabelledPart::C2, -230, -315},  // above C2, over the picture's top edge
};
// Labels of an MFB stage, single-ended or fully differential (on its + path). Each value text
// has a lane of its own, wide enough for a sensitivity pair ("-0.5  ; -0.5"), that no wire
// crosses: R1 and R3 above their parts on either side of the node where R2's loop rises, R2
// above the top edge, C1 between the top wire and its plates, C2 right of its plates.
constexpr Beside kMfbLabels[] = {
    {LabelledPart::R1, -390, -285},  // above R1
    {LabelledPart::R2, -350, -270},  // above R2, over the picture's top edge
    {LabelledPart::R3, -370, -285},  // above R3
    {LabelledPart::C1, -495, -310},  // above C1, under the top wire
    {LabelledPart::C2, 110, -97},    // right of C2, level with it
};

void placeBeside(forms::Label& label, const forms::Image& picture, PartAnchors parts,
                 const Beside& place) {
  if (const PartAnchor* a = FindPart(parts, place.part)) {
    label.Left = picture.Left + a->x + place.dx;
    label.Top = picture.Top + a->y + place.dy;
  }
}

forms::Label& stageLabel(CalverdonForm& f, int i, LabelledPart part) {
  switch (part) {
    case LabelledPart::R1: return f.R1[i];
    case LabelledPart::R2: return f.R2[i];
    case LabelledPart::R3: return f.R3[i];
    case LabelledPart::R4: return f.R4[i];
    case LabelledPart::R5: return f.R5[i];
    case LabelledPart::R6: return f.R6[i];
    case LabelledPart::C1: return f.C1L[i];
    case LabelledPart::C2: return f.C2L[i];
  }
  return f.R1[i];
}

// Moves the value labels of stage i beside their components in the picture shown.
void placeStageLabels(CalverdonForm& f, int i, const forms::Image& picture, PartAnchors parts,
                      std::span<const Beside> places) {
  for (const Beside& place : places)
    placeBeside(stageLabel(f, i, place.part), picture, parts, place);
}

bool twoPoleStageAt(const CalverdonForm& f, int i) { return f.PoleCount >= 2 * (i + 1); }

void showSallenKeyStages(CalverdonForm& f) {
  const bool highPass = f.HighPassHalf != 0;
  for (int i = 0; i < 5; ++i) {
    if (twoPoleStageAt(f, i)) {
      setVisible({&f.R1[i], &f.R2[i], &f.C1L[i], &f.C2L[i], &f.SecLabel[i]}, true);
      if (i > 0) f.schLine[i - 1].Visible = true;
      const bool unityGain = f.SectionGain[i + 1] == 1.0f;
      // A unity-gain stage has no gain network.
      setVisible({&f.R3[i], &f.R4[i]}, !unityGain);
      forms::Image& picture = unityGain ? (highPass ? f.SKg1HP[i] : f.SKg1[i])
                                        : (highPass ? f.SKhp[i] : f.SK[i]);
      picture.Visible = true;
      // A unity-gain picture draws its parts at the anchors of the full stage; the labels of
      // the gain network it lacks are hidden, and kept at their places all the same.
      placeStageLabels(f, i, picture, kSallenKeyAnchors, kSallenKeyLabels);
    } else {
      hide({&f.R1[i], &f.R2[i], &f.R3[i], &f.R4[i], &f.C1L[i], &f.C2L[i], &f.SecLabel[i],
            &f.SK[i], &f.SKg1[i]});
      if (i > 0) f.schLine[i - 1].Visible = false;
    }
  }
}

void showMfbStages(CalverdonForm& f) {
  const bool highPass = f.HighPassHalf != 0;
  const bool differential = fullyDifferential(f);
  for (int i = 0; i < 5; ++i) {
    hide({&f.R4[i], &f.SK[i], &f.SKg1[i]});
    if (twoPoleStageAt(f, i)) {
      setVisible({&f.R1[i], &f.R2[i], &f.R3[i], &f.C1L[i], &f.C2L[i], &f.SecLabel[i]}, true);
      forms::Image& picture = differential ? (highPass ? f.FDAschHP[i] : f.FDAsch[i])
                                           : (highPass ? f.MFBschHP[i] : f.MFBsch[i]);
      picture.Visible = true;
      if (i > 0) f.schLine[i - 1].Visible = true;
      placeStageLabels(f, i, picture, SchematicAnchors(picture.Picture), kMfbLabels);
    } else {
      hide({&f.R1[i], &f.R2[i], &f.R3[i], &f.C1L[i], &f.C2L[i], &f.MFBsch[i], &f.SecLabel[i]});
      if (i > 0) f.schLine[i - 1].Visible = false;
    }
  }
}

void showConnectors(CalverdonForm& f) {
  const bool differential = fullyDifferential(f);
  // Fully differential pictures carry both wires to their edges themselves.
  if (differential)
    for (int k = 0; k <= 3; ++k) f.schLine[k].Visible = false;
  for (forms::Line& l : f.FDAschLine) l.Visible = false;
  hide({&f.schLine[1], &f.Line2, &f.Line3});

  // More than five poles: the cascade goes on in the second row.
  if (!f.LowPassViewT.Visible && f.PoleCount > 5) {
    f.schLine[1].Visible = true;
    if (!differential) {
      setVisible({&f.Line2, &f.Line3}, true);
    } else {
      for (forms::Line& l : f.FDAschLine) l.Visible = true;
      hide({&f.Line2, &f.Line3, &f.schLine[1]});
    }
  }
}

void showRealPoleSection(CalverdonForm& f) {
  f.OddOrder = (f.PoleCount % 2 != 0) ? -1 : 0;
  if (f.OddOrder == 0) return;

  const bool highPass = f.HighPassHalf != 0;
  const bool noAmplifier = f.ThreePole.Checked;
  const bool differential = fullyDifferential(f);
  // RealR shows the series resistor R1 (of the + path of a fully differential section), RealC
  // the capacitor C1; each text has room of its own beside its part.
  Beside resistor{LabelledPart::R1, -150, 120};  // under R1
  Beside capacitor{LabelledPart::C1, 120, -90};   // right of C1, level with it
  forms::Image* picture;
  if (!differential) {
    picture = highPass ? (noAmplifier ? &f.RealNoAmpHP : &f.RealHP)
                       : (noAmplifier ? &f.RealNoAmp : &f.RealPole);
    resistor = {LabelledPart::R1, -110, -285};  // over R1
    capacitor = {LabelledPart::C1, 150, -25};   // right of C1, reaching below it
  } else if (!highPass) {
    picture = noAmplifier ? &f.FDARealNoAmpLP : &f.FDA1p;
    if (!noAmplifier) capacitor.dy = -95;
  } else {
    picture = noAmplifier ? &f.FDARealNoAmpHP : &f.FDARealHP;
    if (!noAmplifier) capacitor = {LabelledPart::C1, 100, -375};  // right of C1, over the + wire
  }
  picture->Visible = true;
  const PartAnchors parts = SchematicAnchors(picture->Picture);
  placeBeside(f.RealR, *picture, parts, resistor);
  placeBeside(f.RealC, *picture, parts, capacitor);
  setVisible({&f.RealPlabel, &f.RealR, &f.RealC}, true);
}

}  // namespace

void HideSchematics(CalverdonForm& f) {
  hide({&f.SummingAmp, &f.FDASummingAmp, &f.BRinput, &f.FDABRinput, &f.FDAsummerR2,
        &f.FDAsummerR1, &f.FDAsummerR3});
  for (forms::Line& l : f.schLine) l.Visible = false;
  for (forms::Line& l : f.FDAschLine) l.Visible = false;
  hide({&f.Line2, &f.Line3});
  hide({&f.FDARealHP, &f.FDA1p, &f.FDARealNoAmpHP, &f.FDARealNoAmpLP, &f.RealPole, &f.RealHP,
        &f.RealNoAmp, &f.RealNoAmpHP});
  hide({&f.RealR, &f.RealC, &f.RealPlabel});
  for (int i = 0; i < 5; ++i)
    hide({&f.MFBsch[i], &f.MFBschHP[i], &f.MFBbpwres[i], &f.MFBbpnores[i], &f.Fleige[i],
          &f.FDAsch[i], &f.FDAschHP[i], &f.SKhp[i], &f.SKg1HP[i], &f.SK[i], &f.SKg1[i],
          &f.R1[i], &f.R2[i], &f.R3[i], &f.R4[i], &f.R5[i], &f.R6[i], &f.C1L[i], &f.C2L[i],
          &f.SecLabel[i]});
  for (forms::TextBox* row : {&f.Text41, &f.Text42, &f.Text43, &f.Text44, &f.Text45})
    row->Text.clear();
}

void ResetStageEntries(CalverdonForm& f) {
  for (int i = 0; i < 5; ++i)
    for (forms::TextBox* box : {&f.C1Entry[i], &f.C2Entry[i], &f.C3Entry[i], &f.GainTB[i]})
      SetInUse(*box, false);
  SetInUse(f.C1RealEntry, false);

  // The stages in use: one per two-pole section of the design or half shown. The combining
  // pass of a two-half design has no stage of its own to enter.
  const bool stagesInUse =
      !mainwindow::ChosenPassBandIs(f, engine::IsBandPassOrNotch) && !f.BothHalvesDone;
  const int twoPoleStages = f.PoleCount > 0 ? f.PoleCount / 2 : 0;
  for (int i = 0; i < 5; ++i) {
    for (forms::Label* caption :
         {&f.DCgain[i], &f.GainF[i], &f.PhaseF[i], &f.GBPreq[i], &f.Qdisp[i], &f.FSFreq[i]})
      caption->Caption.clear();
    f.ShownStageGain[i].reset();
    if (stagesInUse && i < twoPoleStages) {
      SetInUse(f.GainTB[i], true);
      // A high-pass stage is designed from its low-pass prototype: its capacitors are not
      // entered.
      if (f.HighPassHalf == 0) {
        SetInUse(f.C1Entry[i], true);
        SetInUse(f.C2Entry[i], true);
      }
    }
  }
}

void ShowLPHPSchematic(CalverdonForm& f) {
  f.CircuitType.Visible = true;
  if (f.CircuitMode == 1)
    showSallenKeyStages(f);
  else if (f.CircuitMode == 0)
    showMfbStages(f);
  f.Frame2.Visible = true;

  showConnectors(f);
  if (!f.LowPassViewT.Visible) showRealPoleSection(f);
  f.PlotResponse.Visible = false;
}

}  // namespace designview
