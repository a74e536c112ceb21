// The pass band and response choices: what they hide, empty and keep, the circuit types they
// offer, the codes they store and how often they recompute.
#include <gtest/gtest.h>

#include "choice_fixture.h"
#include "mainwindow/choicelists.h"
#include "mainwindow/handlers.h"
#include "mainwindow/prompts.h"
#include "support/windowfixture.h"

namespace {

using mainwindow::PromptText;

const QStringList kCascadeCircuits = {"MFB Single-Ended", "Sallen -Key",
                                      "MFB Fully Differential"};
const QStringList kBandCircuits = {"MFB Single-Ended", "MFB Fully Differential", ""};

struct BandCase {
  const char* from;
  const char* response;  // shown before the change
  const char* to;
  bool suppressed;
  // expectations
  bool customTextsKept;
  const char* responseAfter;
  bool bandCircuits;
  const char* circuitAfter;
  int recomputes;
  int prompt;
  bool choicesShown;  // FilterTypeFrame and Frame1
};

class PassBandTransition : public ::testing::TestWithParam<BandCase> {};

TEST_P(PassBandTransition, HidesEmptiesKeepsAndRecomputes) {
  const BandCase& c = GetParam();
  ChoiceFixture x;
  x.startIn(c.from);
  // The most specific topology of the pass band: fully differential in both lists.
  const int fd = static_cast<int>(x.f.CircuitType.items().indexOf("MFB Fully Differential"));
  x.f.CircuitType.setFromUser(fd, "MFB Fully Differential");
  x.showResponse(c.response);
  for (int i = 0; i < 5; ++i) {
    x.f.FnInput[i].Text = QStringLiteral("F%1").arg(i);
    x.f.QInput[i].Text = QStringLiteral("Q%1").arg(i);
    x.f.FnInput[i].Visible = x.f.QInput[i].Visible = true;
  }
  x.f.SuppressUpdate = c.suppressed;

  x.choosePassBand(c.to);

  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(x.f.FnInput[i].Text, c.customTextsKept ? QStringLiteral("F%1").arg(i) : "");
    EXPECT_EQ(x.f.QInput[i].Text, c.customTextsKept ? QStringLiteral("Q%1").arg(i) : "");
  }
  EXPECT_EQ(x.f.TypeFilter.Text(), c.responseAfter);
  EXPECT_EQ(x.f.CircuitType.items(), c.bandCircuits ? kBandCircuits : kCascadeCircuits);
  EXPECT_EQ(x.f.CircuitType.Text(), c.circuitAfter);
  EXPECT_EQ(x.f.CircuitType.ListIndex(), x.f.CircuitType.items().indexOf(c.circuitAfter));
  EXPECT_EQ(x.recomputes(), c.recomputes) << x.log.join(' ').toStdString();
  EXPECT_EQ(x.f.Prompt.Caption, PromptText(x.f, c.prompt));
  EXPECT_EQ(x.f.FilterTypeFrame.Visible, c.choicesShown);
  EXPECT_EQ(x.f.Frame1.Visible, c.choicesShown);
  EXPECT_EQ(x.f.LastPassband, c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, PassBandTransition,
    ::testing::Values(
        // Leaving a single filter for another empties the custom Fn and Q texts.
        BandCase{.from = "Low-Pass", .response = "Butterworth", .to = "High-Pass",
                 .suppressed = false,
                 .customTextsKept = false, .responseAfter = "Butterworth", .bandCircuits = false,
                 .circuitAfter = "MFB Fully Differential", .recomputes = 1, .prompt = 41,
                 .choicesShown = true},
        // Choosing the same pass band again (or focusing it) keeps them.
        BandCase{.from = "High-Pass", .response = "Bessel", .to = "High-Pass", .suppressed = false,
                 .customTextsKept = true, .responseAfter = "Bessel", .bandCircuits = false,
                 .circuitAfter = "MFB Fully Differential", .recomputes = 1, .prompt = 41,
                 .choicesShown = true},
        // Leaving a band-pass design hides them but keeps their texts; the topology stays
        // fully differential.
        BandCase{.from = "Band-Pass", .response = "Butterworth", .to = "Low-Pass",
                 .suppressed = false,
                 .customTextsKept = true, .responseAfter = "Butterworth", .bandCircuits = false,
                 .circuitAfter = "MFB Fully Differential", .recomputes = 1, .prompt = 40,
                 .choicesShown = true},
        // A custom response does not survive leaving a band-pass design.
        BandCase{.from = "Notch", .response = "Custom Q", .to = "Wide Band-Pass",
                 .suppressed = false,
                 .customTextsKept = true, .responseAfter = "Butterworth", .bandCircuits = false,
                 .circuitAfter = "MFB Fully Differential", .recomputes = 2, .prompt = 44,
                 .choicesShown = true},
        // Becoming a notch design: single-ended (its handler recomputes twice), the pass,
        // then the response becomes "Butterworth" (one more).
        BandCase{.from = "Low-Pass", .response = "Custom Fn&Q", .to = "Notch", .suppressed = false,
                 .customTextsKept = false, .responseAfter = "Butterworth", .bandCircuits = true,
                 .circuitAfter = "MFB Single-Ended", .recomputes = 4, .prompt = 43,
                 .choicesShown = false},
        BandCase{.from = "Band-Pass", .response = "Butterworth", .to = "Notch", .suppressed = false,
                 .customTextsKept = true, .responseAfter = "Butterworth", .bandCircuits = true,
                 .circuitAfter = "MFB Single-Ended", .recomputes = 4, .prompt = 43,
                 .choicesShown = false},
        // A band-pass design chosen again keeps its topology.
        BandCase{.from = "Band-Pass", .response = "Butterworth", .to = "Band-Pass",
                 .suppressed = false,
                 .customTextsKept = true, .responseAfter = "Butterworth", .bandCircuits = true,
                 .circuitAfter = "MFB Fully Differential", .recomputes = 2, .prompt = 42,
                 .choicesShown = false},
        // The pass band recomputes even while the window is busy; nothing else does.
        BandCase{.from = "Low-Pass", .response = "Butterworth", .to = "Band-Pass",
                 .suppressed = true,
                 .customTextsKept = false, .responseAfter = "Butterworth", .bandCircuits = true,
                 .circuitAfter = "MFB Single-Ended", .recomputes = 1, .prompt = 42,
                 .choicesShown = false},
        BandCase{.from = "Low-Pass", .response = "Butterworth", .to = "Band-Reject",
                 .suppressed = true,
                 .customTextsKept = false, .responseAfter = "Butterworth", .bandCircuits = false,
                 .circuitAfter = "MFB Fully Differential", .recomputes = 1, .prompt = 45,
                 .choicesShown = true}));

TEST(PassBand, LeavingBandPassHidesCustomBoxes) {
  ChoiceFixture x;
  x.startIn("Band-Pass");
  for (int i = 0; i < 5; ++i) x.f.QInput[i].Visible = x.f.FnInput[i].Visible = true;
  x.choosePassBand("Low-Pass");
  for (int i = 0; i < 5; ++i) {
    EXPECT_FALSE(x.f.QInput[i].Visible);
    EXPECT_FALSE(x.f.FnInput[i].Visible);
  }
}

TEST(PassBand, BandPassGainsStartAtTheStageQ) {
  ChoiceFixture x;
  x.f.Text18.Text = "3";
  x.f.Text3.Text = "7";
  x.f.GainTB[0].Text = "2";
  x.f.GainTB[2].Text = "4";
  x.choosePassBand("Band-Pass");
  EXPECT_EQ(x.f.GainTB[0].Text, "2");
  EXPECT_EQ(x.f.GainTB[1].Text, "7");
  EXPECT_EQ(x.f.GainTB[2].Text, "4");
  EXPECT_EQ(x.f.GainTB[3].Text, "");

  // The fill never reaches past the five stage rows.
  ChoiceFixture y;
  y.f.Text18.Text = "9";
  y.f.Text3.Text = "2";
  y.choosePassBand("Band-Pass");
  for (int i = 0; i < 5; ++i) EXPECT_EQ(y.f.GainTB[i].Text, "2");
  // The stage count was checked first.
  EXPECT_EQ(y.log.first(), "Text18");
}

TEST(PassBand, TwoHalfDesignsOpenOnTheTotalView) {
  ChoiceFixture x;
  x.f.LowPassViewT.Visible = x.f.HighPassView.Visible = x.f.Line8.Visible = true;
  x.choosePassBand("Wide Band-Pass");
  EXPECT_EQ(x.log, QStringList({"recompute", "LowPassView", "ShowTotal"}));
  EXPECT_TRUE(x.f.LowPassView.Visible);
  EXPECT_TRUE(x.f.ShowTotal.Visible);
  EXPECT_FALSE(x.f.LowPassViewT.Visible);
  EXPECT_FALSE(x.f.HighPassView.Visible);
  EXPECT_FALSE(x.f.Line8.Visible);

  // A single filter hides the view buttons again.
  x.choosePassBand("High-Pass");
  EXPECT_FALSE(x.f.LowPassView.Visible);
  EXPECT_FALSE(x.f.ShowTotal.Visible);
  EXPECT_EQ(x.f.HighPassHalf, 1);
  x.choosePassBand("Low-Pass");
  EXPECT_EQ(x.f.HighPassHalf, 0);
}

TEST(PassBand, FocusAndValidationRunTheSameHandler) {
  ChoiceFixture x;
  x.startIn("Notch");
  x.f.CircuitType.setFromUser(1, "MFB Fully Differential");
  x.f.raise(x.f.Passband, forms::Event::GotFocus);
  x.f.raise(x.f.Passband, forms::Event::Validate);
  // Focus alone never changes the topology.
  EXPECT_EQ(x.f.CircuitType.Text(), "MFB Fully Differential");
  EXPECT_EQ(x.recomputes(), 4);  // pass and response, twice
}

// ---------------------------------------------------------------- response

struct ResponseCase {
  const char* text;
  const char* rippleBefore;
  // expectations
  int code, base;
  const char* name;
  int topic;
  const char* rippleAfter;
  bool rippleActive;
  bool capsCleared;
  bool poleBoxesActive;
  bool cutoffEnabled;
  int poleValidations;  // of Text18 and Text1 together
};

class ResponseChoice : public ::testing::TestWithParam<ResponseCase> {};

TEST_P(ResponseChoice, StoresCodesAndSetsBoxes) {
  const ResponseCase& c = GetParam();
  for (bool busy : {false, true}) {
    ChoiceFixture x;
    // The design on screen: a Chebychev response with an entered capacitor.
    x.f.BaseResponseCode = x.f.ResponseCode = 2;
    x.f.ResponseName = "Chebychev";
    x.f.PromptTopic = 99;
    x.f.Text19.Text = c.rippleBefore;
    x.f.C1Entry[1].Text = "10n";
    x.f.EnteredC1[1] = 1e-8f;
    x.f.SectionC2[2] = 2e-9f;
    x.f.Text18.Enabled = x.f.Text1.Enabled = !c.poleBoxesActive;
    x.f.QInput[0].Visible = true;
    x.f.SuppressUpdate = busy;

    x.chooseResponse(c.text);

    EXPECT_EQ(x.f.ResponseCode, c.code);
    EXPECT_EQ(x.f.BaseResponseCode, c.base);
    EXPECT_EQ(x.f.ResponseName, c.name);
    EXPECT_EQ(x.f.PromptTopic, c.topic);
    EXPECT_EQ(x.f.Text19.Text, c.rippleAfter);
    EXPECT_EQ(x.f.Text19.Enabled, c.rippleActive);
    EXPECT_EQ(x.f.Text19.BackColor, c.rippleActive ? forms::kWhite : x.f.BackColor);
    EXPECT_EQ(x.f.C1Entry[1].Text.isEmpty(), c.capsCleared);
    EXPECT_EQ(x.f.EnteredC1[1] == 0, c.capsCleared);
    EXPECT_EQ(x.f.SectionC2[2] == 0, c.capsCleared);
    EXPECT_EQ(x.f.Text18.Enabled, c.poleBoxesActive);
    EXPECT_EQ(x.f.Text1.Enabled, c.poleBoxesActive);
    EXPECT_EQ(x.f.Text34.Enabled, c.cutoffEnabled);
    EXPECT_FALSE(x.f.QInput[0].Visible);
    EXPECT_EQ(x.count("Text18") + x.count("Text1"), c.poleValidations);
    EXPECT_EQ(x.recomputes(), busy ? 0 : 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Responses, ResponseChoice,
    ::testing::Values(
        ResponseCase{.text = "Butterworth", .rippleBefore = "2",
                     .code = 0, .base = 0, .name = "Butterworth", .topic = 2, .rippleAfter = "",
                     .rippleActive = false, .capsCleared = true, .poleBoxesActive = true,
                     .cutoffEnabled = true, .poleValidations = 2},
        ResponseCase{.text = "Bessel", .rippleBefore = "",
                     .code = 1, .base = 1, .name = "Bessel", .topic = 5, .rippleAfter = "",
                     .rippleActive = false, .capsCleared = true, .poleBoxesActive = true,
                     .cutoffEnabled = true, .poleValidations = 2},
        ResponseCase{.text = "Chebychev", .rippleBefore = "",
                     .code = 2, .base = 2, .name = "Chebychev", .topic = 3, .rippleAfter = "1",
                     .rippleActive = true, .capsCleared = true, .poleBoxesActive = true,
                     .cutoffEnabled = true, .poleValidations = 2},
        ResponseCase{.text = "Chebychev", .rippleBefore = "0.5",
                     .code = 2, .base = 2, .name = "Chebychev", .topic = 3, .rippleAfter = "0.5",
                     .rippleActive = true, .capsCleared = true, .poleBoxesActive = true,
                     .cutoffEnabled = true, .poleValidations = 2},
        ResponseCase{.text = "Linear Phase, 0.05", .rippleBefore = "",
                     .code = 3, .base = 3, .name = "Linear Phase, 0.05 deg.", .topic = 24,
                     .rippleAfter = "", .rippleActive = false, .capsCleared = true,
                     .poleBoxesActive = true, .cutoffEnabled = true, .poleValidations = 2},
        ResponseCase{.text = "Linear Phase, 0.5", .rippleBefore = "",
                     .code = 4, .base = 4, .name = "Linear Phase, 0.5 deg.", .topic = 25,
                     .rippleAfter = "", .rippleActive = false, .capsCleared = true,
                     .poleBoxesActive = true, .cutoffEnabled = true, .poleValidations = 2},
        ResponseCase{.text = "Gaussian 12dB", .rippleBefore = "3",
                     .code = 5, .base = 5, .name = "Transitional Gaussian to 12-dB", .topic = 26,
                     .rippleAfter = "", .rippleActive = false, .capsCleared = true,
                     .poleBoxesActive = true, .cutoffEnabled = true, .poleValidations = 2},
        // "Custom Q" scales the Qs of the last standard response; capacitors and pole counts
        // stay, the ripple text stays for a Chebychev base.
        ResponseCase{.text = "Custom Q", .rippleBefore = "2",
                     .code = 2, .base = 2, .name = "Chebychev", .topic = 22, .rippleAfter = "2",
                     .rippleActive = false, .capsCleared = false, .poleBoxesActive = false,
                     .cutoffEnabled = false, .poleValidations = 0},
        ResponseCase{.text = "Custom Fn&Q", .rippleBefore = "2",
                     .code = 7, .base = 2, .name = "Chebychev", .topic = 23, .rippleAfter = "",
                     .rippleActive = false, .capsCleared = false, .poleBoxesActive = false,
                     .cutoffEnabled = false, .poleValidations = 0}));

TEST(Response, TextThatNamesNoResponseOnlyResetsTheBoxes) {
  ChoiceFixture x;
  x.f.BaseResponseCode = x.f.ResponseCode = 2;
  x.f.Text19.Text = "2";
  x.f.Text19.Enabled = true;
  x.f.C1Entry[0].Text = "10n";
  x.f.Text34.Enabled = false;
  x.f.PromptTopic = 99;
  x.chooseResponse("Custom");  // on the way to typing "Custom Q"
  EXPECT_EQ(x.f.ResponseCode, 2);
  EXPECT_EQ(x.f.PromptTopic, 99);
  EXPECT_EQ(x.f.Text19.Text, "2");
  EXPECT_FALSE(x.f.Text19.Enabled);
  EXPECT_TRUE(x.f.Text34.Enabled);
  EXPECT_EQ(x.f.C1Entry[0].Text, "10n");
  EXPECT_EQ(x.recomputes(), 1);
}

TEST(Response, CustomQStartsUnscaledAndKeepsCutoffLook) {
  ChoiceFixture x;
  x.f.CustomQScale = 3.5f;
  x.chooseResponse("Custom Q");
  EXPECT_EQ(x.f.CustomQScale, 1.0f);
  // Disabled, but not greyed: its colour is left as it was.
  EXPECT_FALSE(x.f.Text34.Enabled);
  EXPECT_EQ(x.f.Text34.BackColor, forms::kWhite);
}

TEST(Response, LeavingTheListRecomputesUnlessBusy) {
  ChoiceFixture x;
  x.f.raise(x.f.TypeFilter, forms::Event::LostFocus);
  x.f.SuppressUpdate = true;
  x.f.raise(x.f.TypeFilter, forms::Event::LostFocus);
  EXPECT_EQ(x.recomputes(), 1);
}

// ---------------------------------------------------------------- custom Fn and Q entries

void showSections(ChoiceFixture& x, int poles) {
  x.f.PoleCount = poles;
  for (int i = 0; i < 5; ++i) {
    x.f.FSFreq[i].Caption = QStringLiteral("%1.00 k").arg(i + 1);
    x.f.Qdisp[i].Caption = QStringLiteral("0.%1").arg(i + 5);
    x.f.GainTB[i].Text = QStringLiteral("g%1").arg(i);
  }
  x.f.C1RealEntry.Text = "22n";
}

TEST(CustomFnQ, FillsTheBoxesFromTheSectionsOnScreen) {
  ChoiceFixture x;
  showSections(x, 4);
  x.chooseResponse("Custom Fn&Q");
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(x.f.FnInput[i].Visible);
    EXPECT_TRUE(x.f.QInput[i].Visible);
    EXPECT_EQ(x.f.FnInput[i].Text, x.f.FSFreq[i].Caption);
    EXPECT_EQ(x.f.QInput[i].Text, x.f.Qdisp[i].Caption);
  }
  EXPECT_FALSE(x.f.FnInput[2].Visible);
  EXPECT_EQ(x.f.FnInput[2].Text, "");
  // The low-pass half keeps what the boxes now hold.
  EXPECT_EQ(x.f.LowPassFnText[1], "2.00 k");
  EXPECT_EQ(x.f.QTextLP[0], "0.5");
  EXPECT_EQ(x.f.LowPassGainText[4], "g4");
  EXPECT_EQ(x.f.LowPassC1RealText, "22n");
  EXPECT_EQ(x.f.HighPassFnText[0], "");

  // Three poles: row 0 is the first-order section, with a frequency and no Q.
  ChoiceFixture y;
  showSections(y, 3);
  y.f.HighPassHalf = 1;
  y.chooseResponse("Custom Fn&Q");
  EXPECT_TRUE(y.f.FnInput[0].Visible);
  EXPECT_FALSE(y.f.QInput[0].Visible);
  EXPECT_EQ(y.f.QInput[0].Text, "");
  EXPECT_EQ(y.f.QInput[1].Text, "0.6");
  EXPECT_EQ(y.f.HighPassFnText[0], "1.00 k");
  EXPECT_EQ(y.f.HighPassC1RealText, "22n");
  EXPECT_EQ(y.f.LowPassFnText[0], "");

  // In the combining pass of a two-half design nothing is kept.
  ChoiceFixture z;
  showSections(z, 2);
  z.f.BothHalvesDone = true;
  z.chooseResponse("Custom Fn&Q");
  EXPECT_EQ(z.f.FnInput[0].Text, "1.00 k");
  EXPECT_EQ(z.f.LowPassFnText[0], "");
}

TEST(CustomFnQ, NoRowsForAnEmptyDesignOrBeyondFive) {
  ChoiceFixture x;
  x.f.PoleCount = 0;
  mainwindow::TransferFn(x.f);
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(x.f.FnInput[i].Visible);
  x.f.PoleCount = 31;
  mainwindow::TransferFn(x.f);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(x.f.FnInput[i].Visible);
}

// ---------------------------------------------------------------- other choices

TEST(OtherChoices, RecomputeAndPromptRules) {
  struct Case {
    const char* control;
    forms::Event event;
    int recomputes, busyRecomputes;
    int shownTopic;   // shown at once, -1 none
    int storedTopic;  // PromptTopic afterwards, -1 unchanged
  };
  const Case cases[] = {
      {.control = "CircuitType", .event = forms::Event::GotFocus,
       .recomputes = 2, .busyRecomputes = 0, .shownTopic = 31, .storedTopic = -1},
      {.control = "CircuitType", .event = forms::Event::Click,
       .recomputes = 2, .busyRecomputes = 0, .shownTopic = 31, .storedTopic = -1},
      {.control = "ResistorList", .event = forms::Event::Click,
       .recomputes = 1, .busyRecomputes = 0, .shownTopic = 12, .storedTopic = -1},
      {.control = "CapacitorList", .event = forms::Event::GotFocus,
       .recomputes = 1, .busyRecomputes = 0, .shownTopic = 13, .storedTopic = -1},
      {.control = "SensTrue", .event = forms::Event::Click,
       .recomputes = 1, .busyRecomputes = 0, .shownTopic = -1, .storedTopic = 205},
      {.control = "CompValue", .event = forms::Event::GotFocus,
       .recomputes = 1, .busyRecomputes = 0, .shownTopic = -1, .storedTopic = 203},
      {.control = "AutoSwapHPandLP", .event = forms::Event::Click,
       .recomputes = 1, .busyRecomputes = 1, .shownTopic = -1, .storedTopic = -1},
      {.control = "ThreePole", .event = forms::Event::Click,
       .recomputes = 1, .busyRecomputes = 1, .shownTopic = -1, .storedTopic = -1},
      {.control = "PlotResponse", .event = forms::Event::Click,
       .recomputes = 1, .busyRecomputes = 1, .shownTopic = -1, .storedTopic = -1},
      {.control = "OpAmpModel", .event = forms::Event::Click,
       .recomputes = 0, .busyRecomputes = 0, .shownTopic = -1, .storedTopic = -1},
      {.control = "SScheck", .event = forms::Event::Click,
       .recomputes = 0, .busyRecomputes = 0, .shownTopic = -1, .storedTopic = -1},
  };
  for (const Case& c : cases) {
    for (bool busy : {false, true}) {
      ChoiceFixture x;
      x.f.Prompt.Caption = "before";
      x.f.PromptTopic = 77;
      x.f.SuppressUpdate = busy;
      x.f.raise(*x.f.find(c.control), c.event);
      SCOPED_TRACE(c.control);
      EXPECT_EQ(x.recomputes(), busy ? c.busyRecomputes : c.recomputes);
      EXPECT_EQ(x.f.Prompt.Caption,
                c.shownTopic < 0 ? QString("before") : PromptText(x.f, c.shownTopic));
      EXPECT_EQ(x.f.PromptTopic, c.storedTopic < 0 ? 77 : c.storedTopic);
    }
  }
}

TEST(OtherChoices, ValueDisplayFollowsTheOptionButtons) {
  ChoiceFixture x;
  x.f.SensTrue.SetValue(true);
  EXPECT_EQ(x.f.ValueDisplay, 2);
  EXPECT_FALSE(x.f.CompValue.Value());
  x.f.CompValue.SetValue(true);
  EXPECT_EQ(x.f.ValueDisplay, 0);
}

TEST(OtherChoices, OptionTogglesSetTheirOwnCheckMark) {
  ChoiceFixture x;
  ASSERT_TRUE(x.f.AutoSwapHPandLP.Checked);
  ASSERT_FALSE(x.f.ThreePole.Checked);
  x.f.raise(x.f.AutoSwapHPandLP, forms::Event::Click);
  x.f.raise(x.f.ThreePole, forms::Event::Click);
  EXPECT_FALSE(x.f.AutoSwapHPandLP.Checked);
  EXPECT_TRUE(x.f.ThreePole.Checked);
  x.f.raise(x.f.AutoSwapHPandLP, forms::Event::Click);
  EXPECT_TRUE(x.f.AutoSwapHPandLP.Checked);
}

TEST(OtherChoices, GainBandwidthReadoutsExplainThemselves) {
  ChoiceFixture x;
  x.f.raise(x.f.GBPreq[3], forms::Event::Click);
  EXPECT_EQ(x.f.Prompt.Caption, PromptText(x.f, 18));
  EXPECT_EQ(x.recomputes(), 0);
}

TEST(OtherChoices, HelpOpensTheProgramsHelpFileOnF1) {
  ChoiceFixture x;
  EXPECT_EQ(x.f.HelpCont.Shortcut, "F1");
  x.f.raise(x.f.HelpCont, forms::Event::Click);
  EXPECT_EQ(x.fake.help.shown, QStringList({"/nonexistent/program/Calverdon2.chm"}));
  EXPECT_EQ(x.recomputes(), 0);
}

}  // namespace

namespace {

// With the real entry handlers: the response list re-checks the pole boxes through their own
// validation, so a response with a higher pole minimum raises the count.
TEST(ChoicesWithEntryBoxes, ResponseRaisesThePoleCountToItsMinimum) {
  WindowFixture w;
  mainwindow::CalverdonForm& f = w.f;
  mainwindow::RegisterHandlers(f);
  int recomputes = 0;
  InstallRecomputeStandIn(f).sequence = [&recomputes] { return ++recomputes, 0; };
  f.Text18.Text = "2";
  f.PrevPoles = 2;
  f.PrevPolesHP = 3;  // the high-pass count of Text1 is already accepted
  f.C1Entry[0].Text = "10n";
  f.TypeFilter.SetListIndex(static_cast<int>(f.TypeFilter.items().indexOf("Gaussian 12dB")));
  EXPECT_EQ(f.Text18.Text, "3");
  EXPECT_EQ(f.MinPoles, 3);
  EXPECT_EQ(f.C1Entry[0].Text, "");
  // The changed count recomputed once, the response once more.
  EXPECT_EQ(recomputes, 2);
}

}  // namespace

namespace {

// Capacitors entered for a response stay while it stays: a click into the list, or choosing
// the same response again, is no new design.
TEST(Response, AFocusOrTheSameChoiceKeepsTheEnteredCapacitors) {
  ChoiceFixture x;
  x.chooseResponse("Bessel");
  x.f.C1Entry[0].Text = "10.0n";
  x.f.EnteredC1[0] = 1e-8f;
  x.f.raise(x.f.TypeFilter, forms::Event::GotFocus);
  x.chooseResponse("Bessel");
  EXPECT_EQ(x.f.C1Entry[0].Text, "10.0n");
  EXPECT_EQ(x.f.EnteredC1[0], 1e-8f);
  x.chooseResponse("Butterworth");
  EXPECT_EQ(x.f.C1Entry[0].Text, "");
  EXPECT_EQ(x.f.EnteredC1[0], 0.0f);
}

}  // namespace
