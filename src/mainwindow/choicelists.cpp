#include "mainwindow/choicelists.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/listchoices.h"
#include "mainwindow/prompts.h"

namespace mainwindow {

namespace {

using engine::PassBand;
using engine::FilterResponse;

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
void selectResponse(CalverdonForm& f, FilterResponse response) {
  const QString text = TextOf(response);
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
  // Band-pass and notch stages are MFB stages only.
  static const QStringList kBandPassNotch = {TextOf(engine::Topology::MfbSingleEnded),
                                             TextOf(engine::Topology::MfbFullyDifferential),
                                             QString()};
  const QStringList& entries = bandPassOrNotch ? kBandPassNotch : TopologyEntries();
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
  const int n = engine::CInt(engine::NumberIn(f.Text18.Text, f.DecimalSep));
  return std::clamp(n, 0, 5);
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
  const QString bandText = f.Passband.Text();
  const std::optional<PassBand> band = PassBandOf(bandText);
  const std::optional<PassBand> lastBand = PassBandOf(f.LastPassband);

  for (forms::Control* c : std::initializer_list<forms::Control*>{
           &f.LowPassView, &f.HighPassView, &f.LowPassViewT, &f.HighPassViewT, &f.ShowTotal,
           &f.Line4, &f.Line5, &f.Line6, &f.Line7, &f.Line8, &f.Line9})
    c->Visible = false;

  const bool changed = bandText != f.LastPassband;
  if (changed && lastBand && engine::IsBandPassOrNotch(*lastBand)) {
    const std::optional<FilterResponse> response = ChosenResponse(f);
    if (response && !engine::IsStandardResponse(*response))
      selectResponse(f, FilterResponse::Butterworth);
    hideCustomBoxes(f);
  } else if (changed) {
    for (int i = 0; i < 5; ++i) {
      f.QInput[i].Text.clear();
      f.FnInput[i].Text.clear();
    }
  }

  if (band == PassBand::LowPass || band == PassBand::HighPass) {
    f.HighPassHalf = band == PassBand::HighPass ? 1 : 0;
    writeCircuitTypes(f, false);
    f.FilterTypeFrame.Visible = true;
    f.Frame1.Visible = true;
    f.SequenceUpdateScreen();
  } else if (band && engine::IsBandPassOrNotch(*band)) {
    validate(f, f.Text18);
    // The topology starts as single-ended only when the design becomes a band-pass or notch
    // design; a focus or a repeated choice keeps the one chosen.
    if (changed) f.CircuitType.SetListIndex(0);
    writeCircuitTypes(f, true);
    f.FilterTypeFrame.Visible = false;
    f.Frame1.Visible = false;
    if (band == PassBand::BandPass) {
      // A band-pass stage's gain starts equal to its Q.
      const int stages = bandStageCount(f);
      for (int i = 0; i < stages; ++i)
        if (f.GainTB[i].Text.isEmpty()) f.GainTB[i].Text = f.Text3.Text;
    }
    f.SequenceUpdateScreen();
    selectResponse(f, FilterResponse::Butterworth);
  } else if (band && engine::IsTwoHalves(*band)) {
    writeCircuitTypes(f, false);
    f.LowPassView.Visible = true;
    f.ShowTotal.Visible = true;
    f.FilterTypeFrame.Visible = true;
    f.Frame1.Visible = true;
    f.SequenceUpdateScreen();
    click(f, f.LowPassView);
    click(f, f.ShowTotal);
  }

  f.LastPassband = bandText;

  // One prompt per pass band, in list order.
  if (band) ShowPrompt(f, 40 + static_cast<int>(*band));
}

// ---------------------------------------------------------------- response

void TypeFilter_GotFocus(CalverdonForm& f) {
  hideCustomBoxes(f);
  setActive(f, f.Text34, true);
  setActive(f, f.Text12, true);
  setActive(f, f.RespF, true);
  setActive(f, f.Text19, false);

  const std::optional<FilterResponse> response = ChosenResponse(f);
  if (response && engine::IsStandardResponse(*response)) {
    const int code = static_cast<int>(*response);
    // Entered capacitors belong to the response they were chosen for: a focus or a repeated
    // choice of the same response keeps them.
    if (f.TypeFilter.Text() != f.LastResponse) ClearCapEntries(f);
    validate(f, f.Text18);
    validate(f, f.Text1);
    if (*response == FilterResponse::Chebychev) {
      setActive(f, f.Text19, true);
      if (f.Text19.Text.isEmpty()) f.Text19.Text = QStringLiteral("1");
    } else {
      f.Text19.Text.clear();
    }
    f.PromptTopic = PromptTopicOf(*response);
    f.ResponseCode = code;
    f.BaseResponseCode = code;
    f.ResponseName = LongNameOf(*response);
    setActive(f, f.Text18, true);
    setActive(f, f.Text1, true);
  } else if (response == FilterResponse::CustomQ) {
    // The pole pairs of the last standard response, with their Qs scaled to the total Q.
    f.PromptTopic = PromptTopicOf(FilterResponse::CustomQ);
    f.ResponseCode = f.BaseResponseCode;
    f.CustomQScale = 1.0f;
    setActive(f, f.Text18, false);
    setActive(f, f.Text1, false);
    f.Text34.Enabled = false;
  } else if (response == FilterResponse::CustomFnQ) {
    setActive(f, f.Text34, false);
    f.Text19.Text.clear();
    // The boxes receive the sections of the design on screen, before the code changes.
    TransferFn(f);
    f.ResponseCode = static_cast<int>(FilterResponse::CustomFnQ);
    f.PromptTopic = PromptTopicOf(FilterResponse::CustomFnQ);
    setActive(f, f.Text18, false);
    setActive(f, f.Text1, false);
    if (!f.BothHalvesDone) keepCustomEntriesOfHalf(f);
  }

  f.LastResponse = f.TypeFilter.Text();
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
