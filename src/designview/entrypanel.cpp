#include "designview/entrypanel.h"

#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/listchoices.h"

namespace designview {

using mainwindow::SetInUse;

namespace {

using engine::PassBand;

void moveTo(forms::Control& c, int left, int top) {
  c.Left = left;
  c.Top = top;
}

void setLine(forms::Line& l, int x1, int y1, int x2, int y2) {
  l.X1 = x1;
  l.Y1 = y1;
  l.X2 = x2;
  l.Y2 = y2;
}

// The button that offers the low-pass sections sits beside the last stage shown.
void placeLowPassViewWideBand(CalverdonForm& f) {
  struct Place {
    int left, top;
  };
  static constexpr Place byPoles[] = {
      {2655, 4395},                              // 1
      {5055, 4395}, {5055, 4395},                // 2, 3
      {7455, 4395}, {7455, 4395},                // 4, 5
      {2685, 6645}, {2685, 6645},                // 6, 7
      {5100, 6645},                              // 8
      {7530, 6645}, {7530, 6645},                // 9, 10
  };
  if (f.PoleCount >= 1 && f.PoleCount <= 10) {
    const Place& p = byPoles[f.PoleCount - 1];
    moveTo(f.LowPassView, p.left, p.top);
  }
}

void layOutTwoHalves(CalverdonForm& f, bool bandReject) {
  if (f.LowPassView.Visible) f.HighPassView.Visible = false;
  if (!f.BothHalvesDone) {
    if (f.LowPassView.Visible)
      f.HighPassHalf = 1;  // the high-pass sections are shown; the button offers the low-pass
    else if (f.HighPassView.Visible)
      f.HighPassHalf = 0;
  }
  f.PoleCount = PoleBoxCount(f);

  if (!bandReject) {
    moveTo(f.LowPassViewT, 4425, 5445);
    setLine(f.Line6, 5295, 5700, 5820, 5700);
    setLine(f.Line7, 5295, 5925, 5820, 5925);
    moveTo(f.HighPassView, f.PoleCount % 2 != 0 ? 15 : 1800, 4470);
    placeLowPassViewWideBand(f);
    return;
  }

  if (!f.BothHalvesDone) {
    moveTo(f.LowPassViewT, 3030, 6405);
    moveTo(f.HighPassView, 7545, 6600);
    moveTo(f.LowPassView, 7530, 6645);
    setLine(f.Line6, 2535, 6660, 3060, 6660);
    setLine(f.Line7, 2535, 6885, 3060, 6885);
  }
  if (f.LowPassViewT.Visible) {
    // The total view shows the summing stage that adds the two halves.
    const bool fullyDifferential = mainwindow::FullyDifferentialChosen(f);
    f.FDASummingAmp.Visible = fullyDifferential;
    f.FDABRinput.Visible = fullyDifferential;
    f.SummingAmp.Visible = !fullyDifferential;
    f.BRinput.Visible = !fullyDifferential;
    if (!f.ShowTotal.Visible) {
      f.FDAsummerR2.Visible = true;
      f.FDAsummerR1.Visible = true;
      f.FDAsummerR3.Visible = true;
    }
  }
}

}  // namespace

int PoleBoxCount(const CalverdonForm& f) {
  const forms::TextBox& box = f.HighPassHalf != 0 ? f.Text1 : f.Text18;
  return engine::CInt(engine::NumberIn(box.Text, f.DecimalSep));
}

void ResetEntryPanel(CalverdonForm& f) {
  f.Label18.Caption = QStringLiteral("Cutoff Freq.");
  f.HPFrame.Visible = true;
  f.LPFrame.Caption = mainwindow::TextOf(PassBand::LowPass);
}

void LayOutEntryPanel(CalverdonForm& f) {
  const std::optional<PassBand> band = mainwindow::ChosenPassBand(f);
  if (!band) return;
  const bool twoHalves = engine::IsTwoHalves(*band);

  if (band == PassBand::LowPass) {
    SetInUse(f.Text18, true);
    SetInUse(f.Text1, false);
    SetInUse(f.Text34, true);
    SetInUse(f.Text2, false);
    f.Label18.Caption = QStringLiteral("Cutoff Freq.");
    f.LPFrame.Visible = true;
    f.LPFrame.Width = 1290;
    f.HighPassHalf = 0;
    f.PoleCount = PoleBoxCount(f);
    f.HPFrame.Visible = false;
    f.XSpiceModelInfo.Visible = false;
    f.Frame4.Visible = true;
    f.Label8.Visible = true;
    f.Frame8.Visible = true;
  } else if (band == PassBand::HighPass) {
    SetInUse(f.Text18, false);
    SetInUse(f.Text1, true);
    SetInUse(f.Text34, false);
    SetInUse(f.Text2, true);
    f.Label18.Caption = QStringLiteral("Cutoff Freq.");
    f.LPFrame.Visible = false;
    f.HighPassHalf = 1;
    f.PoleCount = PoleBoxCount(f);
    f.Frame2.Visible = true;
    f.XSpiceModelInfo.Visible = false;
    f.Frame4.Visible = true;
    f.Label8.Visible = true;
    f.Frame8.Visible = true;
  } else if (engine::IsBandPassOrNotch(*band)) {
    SetInUse(f.Text18, true);
    SetInUse(f.Text34, true);
    f.Label18.Caption = QStringLiteral("Center Freq.");
    f.LPFrame.Caption = mainwindow::TextOf(*band);
    f.LPFrame.Width = 2610;
    f.PoleCount = engine::CInt(engine::NumberIn(f.Text18.Text, f.DecimalSep));
    f.HPFrame.Visible = false;
    f.Label8.Visible = false;
    // The simulated designs show their op-amp model, supply and simulator choice.
    f.XSpiceModelInfo.Visible = true;
  } else if (twoHalves) {
    SetInUse(f.Text18, true);
    SetInUse(f.Text1, true);
    SetInUse(f.Text34, true);
    SetInUse(f.Text2, true);
    f.Label18.Caption = QStringLiteral("Cutoff Freq.");
    f.LPFrame.Width = 1335;
    f.Label8.Visible = false;
    // Only band-pass and notch designs are simulated.
    f.XSpiceModelInfo.Visible = false;
  }

  if (twoHalves) {
    layOutTwoHalves(f, band == PassBand::BandReject);
  } else if (engine::IsSingleFilter(*band)) {
    f.LowPassView.Visible = false;
    f.HighPassView.Visible = false;
  }
}

void ApplyKeptSectionTexts(CalverdonForm& f) {
  const std::optional<PassBand> band = mainwindow::ChosenPassBand(f);
  if (!band) return;
  if (engine::IsSingleFilter(*band)) {
    for (auto* set : {&f.LowPassGainText, &f.LowPassFnText, &f.QTextLP, &f.HighPassGainText,
                      &f.HighPassFnText, &f.QTextHP})
      for (int i = 0; i <= 4; ++i) (*set)[i].clear();
    f.LowPassC1RealText.clear();
    f.HighPassC1RealText.clear();
    return;
  }
  if (!engine::IsTwoHalves(*band)) return;

  for (forms::Label* l : {&f.Label2, &f.Label3, &f.Label4, &f.Label5, &f.Label6}) l->Visible = false;

  if (f.ResponseCode == 7) {
    // Custom sections: the first time a half is shown, it keeps what the boxes hold.
    auto keep = [&f](mainwindow::StageTexts& gain, mainwindow::StageTexts& fn,
                     mainwindow::StageTexts& q, QString& c1Real) {
      for (int i = 0; i <= 4; ++i) {
        gain[i] = f.GainTB[i].Text;
        fn[i] = f.FnInput[i].Text;
        q[i] = f.QInput[i].Text;
      }
      c1Real = f.C1RealEntry.Text;
    };
    if (f.LowPassFnText[0].isEmpty())
      keep(f.LowPassGainText, f.LowPassFnText, f.QTextLP, f.LowPassC1RealText);
    if (f.HighPassFnText[0].isEmpty())
      keep(f.HighPassGainText, f.HighPassFnText, f.QTextHP, f.HighPassC1RealText);
  }

  const bool high = f.HighPassHalf == 1;
  for (int i = 0; i <= 4; ++i) {
    if (f.BothHalvesDone) {
      f.GainTB[i].Text.clear();
      f.FnInput[i].Text.clear();
      f.QInput[i].Text.clear();
      f.C1RealEntry.Text.clear();
      f.Qtotal.Text.clear();
      f.PhaseF[5].Caption.clear();
      f.GainF[5].Caption.clear();
    } else {
      f.GainTB[i].Text = high ? f.HighPassGainText[i] : f.LowPassGainText[i];
      f.FnInput[i].Text = high ? f.HighPassFnText[i] : f.LowPassFnText[i];
      f.QInput[i].Text = high ? f.QTextHP[i] : f.QTextLP[i];
      f.C1RealEntry.Text = high ? f.HighPassC1RealText : f.LowPassC1RealText;
    }
  }
}

void ApplyFrequencyUnits(CalverdonForm& f) {
  const bool radians = f.Rad.Value() == 1;
  f.FreqUnitFactor = radians ? 2 * engine::Pi : 1.0;
  const QString unit = radians ? QStringLiteral("Rad/s") : QStringLiteral("Hz");
  for (forms::Label* l : {&f.Label26, &f.Label47, &f.Label35, &f.Label9}) l->Caption = unit;
}

}  // namespace designview
