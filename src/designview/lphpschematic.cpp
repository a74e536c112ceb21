#include "designview/lphpschematic.h"

#include <initializer_list>

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

// Where the moved value labels of a two-pole stage sit, as (top, left) offsets from the
// stage picture's corner. R1, R4 and the stage title keep their own places.
struct Offset {
  int top, left;
};
struct StageLabelOffsets {
  Offset R2, R3, C1, C2;
};
constexpr StageLabelOffsets kSallenKeyLabels{{230, 550}, {1235, 250}, {915, 220}, {-175, 1100}};
constexpr StageLabelOffsets kMfbLabels{{-170, 900}, {450, 550}, {615, 1575}, {950, 615}};

void place(forms::Label& label, const forms::Image& picture, Offset o) {
  label.Top = picture.Top + o.top;
  label.Left = picture.Left + o.left;
}

void placeStageLabels(CalverdonForm& f, int i, const forms::Image& picture,
                      const StageLabelOffsets& o) {
  place(f.R2[i], picture, o.R2);
  place(f.R3[i], picture, o.R3);
  place(f.C1L[i], picture, o.C1);
  place(f.C2L[i], picture, o.C2);
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
      const forms::Image* picture;
      if (unityGain) {
        (highPass ? f.SKg1HP[i] : f.SKg1[i]).Visible = true;
        picture = &f.SKg1[i];
      } else {
        (highPass ? f.SKhp[i] : f.SK[i]).Visible = true;
        picture = &f.SK[i];
      }
      placeStageLabels(f, i, *picture, kSallenKeyLabels);
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
      placeStageLabels(f, i, f.MFBsch[i], kMfbLabels);
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
  forms::Image* picture;
  int resistorTop, capacitorTop, capacitorLeft;
  if (fullyDifferential(f)) {
    resistorTop = 4125;
    if (!highPass) {
      picture = noAmplifier ? &f.FDARealNoAmpLP : &f.FDA1p;
      capacitorTop = noAmplifier ? 4650 : 4350;
      capacitorLeft = noAmplifier ? 700 : 1000;
    } else {
      picture = noAmplifier ? &f.FDARealNoAmpHP : &f.FDARealHP;
      capacitorTop = noAmplifier ? 4630 : 3870;
      capacitorLeft = noAmplifier ? 700 : 1100;
    }
  } else {
    if (!highPass)
      picture = noAmplifier ? &f.RealNoAmp : &f.RealPole;
    else
      picture = noAmplifier ? &f.RealNoAmpHP : &f.RealHP;
    resistorTop = 4290;
    capacitorTop = 4950;
    capacitorLeft = 600;
  }
  picture->Visible = true;
  f.RealR.Top = resistorTop;
  f.RealC.Top = capacitorTop;
  f.RealC.Left = f.RealPole.Left + capacitorLeft;
  setVisible({&f.RealPlabel, &f.RealR, &f.RealC}, true);
}

}  // namespace

void HideSchematics(CalverdonForm& f) {
  hide({&f.SummingAmp, &f.FDASummingAmp, &f.BRinput, &f.FDABRinput, &f.FDAsummerR2,
        &f.FDAsummerR1});
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
