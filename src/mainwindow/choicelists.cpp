#include "mainwindow/choicelists.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "engine/engnotation.h"
#include "engine/vbmath.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/passband.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/prompts.h"

namespace mainwindow {

namespace {

using namespace passband;
const QString kButterworth = QStringLiteral("Butterworth");
const QString kCustomQ = QStringLiteral("Custom Q");
const QString kCustomFnQ = QStringLiteral("Custom Fn&Q");


// Runs a box's validation handler, as leaving the box would (never cancelled).
void validate(CalverdonForm& f, forms::TextBox& box) {
  forms::EventArgs args;
  f.raise(box, forms::Event::Validate, args);
}

// Runs a button's click handler, as a user's click would.
void click(CalverdonForm& f, forms::Control& c) { f.raise(c, forms::Event::Click); }

// An active box is enabled with a white background; an inactive one disabled with the
// window's background.
void setActive(CalverdonForm& f, forms::TextBox& box, bool active) {
  box.Enabled = active;
  box.BackColor = active ? forms::kWhite : f.BackColor;
}

// Selects a response by its entry, so the response handler runs once.
void selectResponse(CalverdonForm& f, const QString& text) {
  const int index = static_cast<int>(f.TypeFilter.items().indexOf(text));
  if (index >= 0)
    f.TypeFilter.SetListIndex(index);
  else
    f.TypeFilter.SetText(text);
}

// Writes the circuit types of a pass band into the list. Writing entries runs no handler;
// the chosen circuit stays chosen (by its name where the new entries have it, else by its
// place), so only the caller's explicit choice of entry 0 changes the topology.
void writeCircuitTypes(CalverdonForm& f, bool bandPassOrNotch) {
  static const QStringList kCascade = {QStringLiteral("MFB Single-Ended"),
                                       QStringLiteral("Sallen -Key"),
                                       QStringLiteral("MFB Fully Differential")};
  static const QStringList kBandPassNotch = {QStringLiteral("MFB Single-Ended"),
                                             QStringLiteral("MFB Fully Differential"),
                                             QString()};
  const QStringList& entries = bandPassOrNotch ? kBandPassNotch : kCascade;
  forms::ComboBox& list = f.CircuitType;
  if (list.items() == entries) return;

  const int index = list.ListIndex();
  const QString text = list.Text();
  list.Clear();
  for (const QString& e : entries) list.AddItem(e);
  if (index < 0) return;
  int keep = text.isEmpty() ? -1 : static_cast<int>(entries.indexOf(text));
  if (keep < 0) keep = index < entries.size() ? index : 0;
  list.setFromUser(keep, entries.at(keep));
}

void hideCustomBoxes(CalverdonForm& f) {
  for (int i = 0; i < 5; ++i) {
    f.QInput[i].Visible = false;
    f.FnInput[i].Visible = false;
  }
}

// The pole count in Text18 (rounded half to even), as stages of a band-pass design: 0..5.
int bandStageCount(const CalverdonForm& f) {
  const int n = engine::CInt(NumberIn(f.Text18.Text, f.DecimalSep));
  return std::clamp(n, 0, 5);
}

struct ResponseRow {
  const char* text;
  int code;
  const char* longName;
  int topic;
};

constexpr ResponseRow kStandardResponses[] = {
    {"Butterworth", 0, "Butterworth", 2},
    {"Bessel", 1, "Bessel", 5},
    {"Chebychev", 2, "Chebychev", 3},
    {"Linear Phase, 0.05", 3, "Linear Phase, 0.05 deg.", 24},
    {"Linear Phase, 0.5", 4, "Linear Phase, 0.5 deg.", 25},
    {"Gaussian 12dB", 5, "Transitional Gaussian to 12-dB", 26},
};

const ResponseRow* standardResponse(const QString& text) {
  for (const ResponseRow& r : kStandardResponses)
    if (text == QLatin1String(r.text)) return &r;
  return nullptr;
}

// Keeps the custom entries of the half on screen, so the two halves of a wide design keep
// their own.
void keepCustomEntriesOfHalf(CalverdonForm& f) {
  const bool high = f.HighPassHalf != 0;
  StageTexts& gain = high ? f.HighPassGainText : f.LowPassGainText;
  StageTexts& fn = high ? f.HighPassFnText : f.LowPassFnText;
  StageTexts& q = high ? f.QTextHP : f.QTextLP;
  for (int i = 0; i < 5; ++i) {
    gain[i] = f.GainTB[i].Text;
    fn[i] = f.FnInput[i].Text;
    q[i] = f.QInput[i].Text;
  }
  (high ? f.HighPassC1RealText : f.LowPassC1RealText) = f.C1RealEntry.Text;
}

}  // namespace

// ---------------------------------------------------------------- pass band

void Passband_GotFocus(CalverdonForm& f) {
  const QString band = f.Passband.Text();

  for (forms::Control* c : std::initializer_list<forms::Control*>{
           &f.LowPassView, &f.HighPassView, &f.LowPassViewT, &f.HighPassViewT, &f.ShowTotal,
           &f.Line4, &f.Line5, &f.Line6, &f.Line7, &f.Line8, &f.Line9})
    c->Visible = false;

  const bool changed = band != f.LastPassband;
  if (changed && IsBandPassOrNotch(f.LastPassband)) {
    const QString response = f.TypeFilter.Text();
    if (response == kCustomQ || response == kCustomFnQ) selectResponse(f, kButterworth);
    hideCustomBoxes(f);
  } else if (changed) {
    for (int i = 0; i < 5; ++i) {
      f.QInput[i].Text.clear();
      f.FnInput[i].Text.clear();
    }
  }

  if (band == kLowPass || band == kHighPass) {
    f.HighPassHalf = band == kHighPass ? 1 : 0;
    writeCircuitTypes(f, false);
    f.FilterTypeFrame.Visible = true;
    f.Frame1.Visible = true;
    f.SequenceUpdateScreen();
  } else if (IsBandPassOrNotch(band)) {
    validate(f, f.Text18);
    // The topology starts as single-ended only when the design becomes a band-pass or notch
    // design; a focus or a repeated choice keeps the one chosen.
    if (changed) f.CircuitType.SetListIndex(0);
    writeCircuitTypes(f, true);
    f.FilterTypeFrame.Visible = false;
    f.Frame1.Visible = false;
    if (band == kBandPass) {
      // A band-pass stage's gain starts equal to its Q.
      const int stages = bandStageCount(f);
      for (int i = 0; i < stages; ++i)
        if (f.GainTB[i].Text.isEmpty()) f.GainTB[i].Text = f.Text3.Text;
    }
    f.SequenceUpdateScreen();
    selectResponse(f, kButterworth);
  } else if (IsTwoHalves(band)) {
    writeCircuitTypes(f, false);
    f.LowPassView.Visible = true;
    f.ShowTotal.Visible = true;
    f.FilterTypeFrame.Visible = true;
    f.Frame1.Visible = true;
    f.SequenceUpdateScreen();
    click(f, f.LowPassView);
    click(f, f.ShowTotal);
  }

  f.LastPassband = band;

  static const QString kBands[] = {kLowPass, kHighPass, kBandPass, kNotch, kWideBandPass,
                                   kBandReject};
  for (int k = 0; k < 6; ++k)
    if (band == kBands[k]) ShowPrompt(f, 40 + k);
}

// ---------------------------------------------------------------- response

void TypeFilter_GotFocus(CalverdonForm& f) {
  hideCustomBoxes(f);
  setActive(f, f.Text34, true);
  setActive(f, f.Text12, true);
  setActive(f, f.RespF, true);
  setActive(f, f.Text19, false);

  const QString response = f.TypeFilter.Text();
  if (const ResponseRow* row = standardResponse(response)) {
    ClearCapEntries(f);
    validate(f, f.Text18);
    validate(f, f.Text1);
    if (row->code == 2) {
      setActive(f, f.Text19, true);
      if (f.Text19.Text.isEmpty()) f.Text19.Text = QStringLiteral("1");
    } else {
      f.Text19.Text.clear();
    }
    f.PromptTopic = row->topic;
    f.ResponseCode = row->code;
    f.BaseResponseCode = row->code;
    f.ResponseName = QLatin1String(row->longName);
    setActive(f, f.Text18, true);
    setActive(f, f.Text1, true);
  } else if (response == kCustomQ) {
    // The pole pairs of the last standard response, with their Qs scaled to the total Q.
    f.PromptTopic = 22;
    f.ResponseCode = f.BaseResponseCode;
    f.CustomQScale = 1.0f;
    setActive(f, f.Text18, false);
    setActive(f, f.Text1, false);
    f.Text34.Enabled = false;
  } else if (response == kCustomFnQ) {
    setActive(f, f.Text34, false);
    f.Text19.Text.clear();
    // The boxes receive the sections of the design on screen, before the code changes.
    TransferFn(f);
    f.ResponseCode = 7;
    f.PromptTopic = 23;
    setActive(f, f.Text18, false);
    setActive(f, f.Text1, false);
    if (!f.BothHalvesDone) keepCustomEntriesOfHalf(f);
  }

  f.RecomputeUnlessBusy();
}

void TypeFilter_LostFocus(CalverdonForm& f) { f.RecomputeUnlessBusy(); }

void TransferFn(CalverdonForm& f) {
  const int n = f.PoleCount;
  // Rows 0..4 hold the sections; for an odd order row 0 holds the first-order section.
  const int lastRow = std::min(static_cast<int>(engine::Int(n / 2.0 - 0.5)), 4);
  const bool even = n % 2 == 0;
  for (int i = 0; i <= lastRow; ++i) {
    if (even || i > 0) {
      f.QInput[i].Visible = true;
      f.QInput[i].Text = f.Qdisp[i].Caption;
    }
  }
  for (int i = 0; i <= lastRow; ++i) {
    f.FnInput[i].Visible = true;
    f.FnInput[i].Text = f.FSFreq[i].Caption;
  }
}

void ClearCapEntries(CalverdonForm& f) {
  f.SectionC1.fill(0);
  f.SectionC2.fill(0);
  f.EnteredC1.fill(0);
  f.EnteredC2.fill(0);
  for (int i = 0; i < 5; ++i) {
    f.C1Entry[i].Text.clear();
    f.C2Entry[i].Text.clear();
  }
}

// ---------------------------------------------------------------- circuit, series, values

void CircuitType_GotFocus(CalverdonForm& f) {
  if (!f.SuppressUpdate) {
    f.SequenceUpdateScreen();
    f.SequenceUpdateScreen();
  }
  ShowPrompt(f, 31);
}

void ResistorList_GotFocus(CalverdonForm& f) {
  f.RecomputeUnlessBusy();
  ShowPrompt(f, 12);
}

void CapacitorList_GotFocus(CalverdonForm& f) {
  f.RecomputeUnlessBusy();
  ShowPrompt(f, 13);
}

void SensTrue_Click(CalverdonForm& f) {
  f.ValueDisplay = 2;
  f.PromptTopic = 205;
  f.RecomputeUnlessBusy();
}

void CompValue_Click(CalverdonForm& f) {
  f.ValueDisplay = 0;
  f.PromptTopic = 203;
  f.RecomputeUnlessBusy();
}

}  // namespace mainwindow
