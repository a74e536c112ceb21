// The capacitor and gain boxes of the stages: clamped capacitors with their messages, the
// entered values and edited marks the synthesis reads, the first-order capacitor kept per
// half, and the gain limits with the capacitor reset a changed gain makes.
#include <gtest/gtest.h>

#include "entry_fixture.h"
#include "mainwindow/stageboxes.h"

namespace {

using mainwindow::CalverdonForm;

const char* const kBelow = "Capacitors are not supported below 1pF.";
const char* const kAbove = "Capacitors are not supported above 1uF.";
const char* const kGainCut = "The gain of this section has been reduced to match Q.";

forms::TextBox& c2Box1(CalverdonForm& f) { return f.C2Entry[1]; }
forms::TextBox& realBox(CalverdonForm& f) { return f.C1RealEntry; }

TEST(CapacitorBoxes, ClampMagnitudesAndAnswerUnreadableText) {
  const std::vector<BoxCase> cases = {
      {"10n", "10.0n", false, 1},
      {"4.7n", "4.70n", false, 1},
      {"4~7n", "4.70n", false, 1},
      {"-10n", "10.0n", false, 1},
      {"2.2nF", "2.20n", false, 1},
      {"0", "0", false, 1},
      {"", "", false, 1},
      {"0.5p", "1.00p", false, 1, kBelow},
      {"1p", "1.00p", false, 1},
      {"1u", "1.00µ", false, 1},
      {"47u", "1.00µ", false, 1, kAbove},
      {"1e999", "", true, 0},
  };
  RunBoxTable(&c2Box1, cases);
  RunBoxTable(&c2Box1, {{"abc", "", true, 0}, {"n", "", true, 0}});
  // The first-order capacitor empties an unreadable box silently.
  RunBoxTable(&realBox, {{"10n", "10.0n", false, 1},
                         {"47u", "1.00µ", false, 1, kAbove},
                         {"0.5p", "1.00p", false, 1, kBelow},
                         {"", "", false, 1},
                         {"abc", "", false, 0}});
}

TEST(CapacitorBoxes, ANewValueMarksTheBoxAndDropsTheOtherCapacitor) {
  EntryFixture s;
  CalverdonForm& f = s.f;
  f.EnteredC2[0] = 2.2e-8f;
  s.leave(f.C1Entry[0], "10n");
  EXPECT_EQ(f.EnteredC1[0], 1e-8f);
  EXPECT_EQ(f.C1Edited[0], -1);
  EXPECT_EQ(f.EnteredC2[0], 0.0f);
  EXPECT_EQ(s.sequences, 1);

  // The same value again changes nothing but still recomputes.
  f.C1Edited[0] = 0;
  f.EnteredC2[0] = 3.3e-8f;
  s.leave(f.C1Entry[0], "10.0n");
  EXPECT_EQ(f.C1Edited[0], 0);
  EXPECT_EQ(f.EnteredC2[0], 3.3e-8f);
  EXPECT_EQ(s.sequences, 2);

  // C2 mirrors it.
  s.leave(f.C2Entry[0], "47n");
  EXPECT_EQ(f.EnteredC2[0], 4.7e-8f);
  EXPECT_EQ(f.C2Edited[0], -1);
  EXPECT_EQ(f.EnteredC1[0], 0.0f);

  // Emptied or unreadable: nothing entered.
  s.leave(f.C2Entry[0], "");
  EXPECT_EQ(f.EnteredC2[0], 0.0f);
  f.EnteredC2[3] = 1e-9f;
  s.leave(f.C2Entry[3], "xyz");
  EXPECT_EQ(f.EnteredC2[3], 0.0f);
  EXPECT_EQ(f.C2Entry[3].Text, "");

  // Busy: taken, not recomputed.
  s.reset();
  f.SuppressUpdate = true;
  s.leave(f.C1Entry[2], "1n");
  EXPECT_EQ(f.EnteredC1[2], 1e-9f);
  EXPECT_EQ(s.sequences, 0);
}

TEST(CapacitorBoxes, TheFirstOrderCapacitorIsKeptForTheHalfOnScreen) {
  EntryFixture s;
  s.leave(s.f.C1RealEntry, "22n");
  EXPECT_EQ(s.f.LowPassC1RealText, "22.0n");
  s.f.HighPassHalf = 1;
  s.leave(s.f.C1RealEntry, "");
  EXPECT_EQ(s.f.HighPassC1RealText, "");
  EXPECT_EQ(s.f.LowPassC1RealText, "22.0n");
  s.leave(s.f.C1RealEntry, "abc");
  EXPECT_EQ(s.f.HighPassC1RealText, "");
}

// ---- gains ----

void mfbLowPass(EntryFixture& s) {
  s.showPassBandWithoutHandler("Low-Pass");
  s.f.CircuitType.SetListIndex(0);
}
void sallenKeyLowPass(EntryFixture& s) {
  s.showPassBandWithoutHandler("Low-Pass");
  s.f.CircuitType.SetListIndex(1);
}
forms::TextBox& gainBox0(CalverdonForm& f) { return f.GainTB[0]; }

TEST(GainBox, LimitsByTopologyAndAnswersTextWithoutANumber) {
  static const std::string manyNines(400, '9');
  const std::vector<BoxCase> common = {
      {"2.5", "2.5", false, 1},     {"2~5", "2.5", false, 1},   {"2.5x", "2.5", false, 1},
      {"0", "1", false, 1},         {"10000", "1000", false, 1}, {"1000", "1000", false, 1},
      {"1e3", "1", false, 1},       {"", "", false, 0},          {"   ", "", false, 0},
      {".", "", true, 0},           {"abc", "", true, 0},        {"-5", "", true, 0},
      {manyNines.c_str(), "1000", false, 1},
  };
  RunBoxTable(&gainBox0, common, &mfbLowPass);
  RunBoxTable(&gainBox0, common, &sallenKeyLowPass);
  RunBoxTable(&gainBox0, {{"0.05", "0.1", false, 1}, {"0.5", "0.5", false, 1}}, &mfbLowPass);
  RunBoxTable(&gainBox0, {{"0.05", "1", false, 1}, {"0.5", "1", false, 1}},
              &sallenKeyLowPass);
}

TEST(GainBox, ABandPassGainNeverExceedsTheStageQ) {
  for (QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
    EntryFixture s(sep);
    s.showPassBandWithoutHandler("Band-Pass");
    s.f.CircuitType.SetListIndex(0);
    s.f.QInput[2].Text = withSep("5.0000", sep);
    s.leave(s.f.GainTB[2], "8");
    EXPECT_EQ(s.f.GainTB[2].Text, "5");
    EXPECT_EQ(s.messages(), QStringList{kGainCut});
    // The Sallen-Key minimum is no rule of band-pass stages; an unreadable Q limits nothing.
    s.reset();
    s.leave(s.f.GainTB[2], withSep("0.5", sep));
    EXPECT_EQ(s.f.GainTB[2].Text, withSep("0.5", sep));
    s.f.QInput[3].Text.clear();
    s.leave(s.f.GainTB[3], "20");
    EXPECT_EQ(s.f.GainTB[3].Text, "20");
    EXPECT_TRUE(s.messages().isEmpty());
  }
}

void enterCapacitors(CalverdonForm& f, int i) {
  f.C1Entry[i].Text = "10.0n";
  f.C2Entry[i].Text = "22.0n";
  f.EnteredC1[i] = 1e-8f;
  f.EnteredC2[i] = 2.2e-8f;
}
bool capacitorsKept(const CalverdonForm& f, int i) {
  return f.C1Entry[i].Text == "10.0n" && f.C2Entry[i].Text == "22.0n" && f.EnteredC1[i] != 0 &&
         f.EnteredC2[i] != 0;
}
bool capacitorsCleared(const CalverdonForm& f, int i) {
  return f.C1Entry[i].Text.isEmpty() && f.C2Entry[i].Text.isEmpty() && f.EnteredC1[i] == 0 &&
         f.EnteredC2[i] == 0;
}
void focus(EntryFixture& s, forms::TextBox& box) { s.f.raise(box, forms::Event::GotFocus); }

TEST(GainBox, OnlyAChangedGainEmptiesTheStagesCapacitors) {
  EntryFixture s;
  mfbLowPass(s);
  CalverdonForm& f = s.f;
  // The first gain of 1 in a fresh stage keeps them.
  enterCapacitors(f, 1);
  s.leave(f.GainTB[1], "1");
  EXPECT_TRUE(capacitorsKept(f, 1));
  s.leave(f.GainTB[1], "2");
  EXPECT_TRUE(capacitorsCleared(f, 1));
  enterCapacitors(f, 1);
  s.leave(f.GainTB[1], "2");
  EXPECT_TRUE(capacitorsKept(f, 1));
  s.leave(f.GainTB[1], "3");
  EXPECT_TRUE(capacitorsCleared(f, 1));
  EXPECT_EQ(f.StageGainRef[1], 3.0f);

  // Emptied: nothing stored, nothing recomputed.
  enterCapacitors(f, 4);
  f.StageGainRef[4] = 2;
  s.reset();
  s.leave(f.GainTB[4], "");
  EXPECT_EQ(f.StageGainRef[4], 2.0f);
  EXPECT_TRUE(capacitorsKept(f, 4));
  EXPECT_EQ(s.sequences, 0);

  // A gain and capacitors that came in together (from a design file) belong together: the
  // baseline is what the box held when it got the focus.
  EntryFixture t;
  mfbLowPass(t);
  t.f.GainTB[0].Text = "2";
  enterCapacitors(t.f, 0);
  focus(t, t.f.GainTB[0]);
  EXPECT_EQ(t.f.LastEntry, "GainTB(0)");
  t.leave(t.f.GainTB[0], "2");
  EXPECT_TRUE(capacitorsKept(t.f, 0));
  focus(t, t.f.GainTB[0]);
  t.leave(t.f.GainTB[0], "4");
  EXPECT_TRUE(capacitorsCleared(t.f, 0));
}

TEST(GainBox, IsKeptPerHalfAndLeavingAfterItsValidationRecomputesNoMore) {
  EntryFixture s;
  mfbLowPass(s);
  s.f.HighPassHalf = 1;
  s.leave(s.f.GainTB[2], "4");
  EXPECT_EQ(s.f.HighPassGainText[2], "4");
  EXPECT_EQ(s.f.LowPassGainText[2], "");
  s.reset();
  s.f.raise(s.f.GainTB[2], forms::Event::LostFocus);
  EXPECT_EQ(s.sequences, 0);
  // Left without its validation (the text changed since): the leave validates it.
  s.f.GainTB[2].Text = "6";
  s.f.raise(s.f.GainTB[2], forms::Event::LostFocus);
  EXPECT_EQ(s.sequences, 1);
  EXPECT_EQ(s.f.HighPassGainText[2], "6");
}

TEST(StageBoxes, FollowTheEntryPattern) {
  EntryFixture s;
  mfbLowPass(s);
  struct Case {
    forms::TextBox& box;
    const char* name;
    int topic;
  };
  for (const Case& c : std::vector<Case>{{s.f.C1Entry[3], "C1Entry(3)", 103},
                                         {s.f.C2Entry[2], "C2Entry(2)", 107},
                                         {s.f.C1RealEntry, "C1RealEntry", 110},
                                         {s.f.GainTB[4], "GainTB(4)", 403}}) {
    s.reset();
    focus(s, c.box);
    EXPECT_EQ(s.f.LastEntry, c.name);
    c.box.Text = "2";
    s.key(c.box, forms::kKeyReturn);
    EXPECT_EQ(s.f.PromptTopic, c.topic) << c.name;
    EXPECT_EQ(s.sequences, 1) << c.name;
    // A click elsewhere commits nothing more: the box was validated with this text.
    s.click(s.f.Graph);
    EXPECT_EQ(s.sequences, 2) << c.name;
  }
}

}  // namespace
