// The section frequency and Q boxes: their limits and texts, the copies kept per half, the
// band-pass gain cut, and the double click that opens the pole-pair dialog.
#include <gtest/gtest.h>

#include "polepair_fixture.h"
#include "mainwindow/sectionboxes.h"

namespace {

using mainwindow::CalverdonForm;

const char* const kGainCut = "The gain of this section has been reduced to match Q.";

forms::TextBox& fnBox2(CalverdonForm& f) { return f.FnInput[2]; }
forms::TextBox& qBox0(CalverdonForm& f) { return f.QInput[0]; }
void lowPass(EntryFixture& s) { s.showPassBandWithoutHandler("Low-Pass"); }
void bandPass(EntryFixture& s) { s.showPassBandWithoutHandler("Band-Pass"); }

TEST(SectionFrequencyBox, ClampsToTheFrequencyRangeAndWritesHertz) {
  RunBoxTable(&fnBox2, {
                           {"2.2k", "2.20kHz", false, 1},
                           {"2~2k", "2.20kHz", false, 1},
                           {"1.5kHz", "1.50kHz", false, 1},
                           {"12345", "12.3kHz", false, 1},
                           {"0", "1.00kHz", false, 1},
                           {"-500", "500Hz", false, 1},
                           {"500M", "200MHz", false, 1},
                           {"0.0001", "1.00mHz", false, 1},
                           {"", "1 k", true, 0},
                           {"abc", "1 k", true, 0},
                           {"1e999", "1 k", true, 0},
                       },
              &lowPass);
}

TEST(SectionQBox, ClampsAndKeepsUnreadableText) {
  const std::vector<BoxCase> common = {
      {"0.7071", "707.10m", false, 1}, {"0~7071", "707.10m", false, 1},
      {"12", "12.000", false, 1},      {"-3", "3.0000", false, 1},
      {"5e9", "200.00M", false, 1},    {"", "", true, 0},
      {"abc", "abc", true, 0},         {"1.2.3", "1.2300", false, 1},
  };
  RunBoxTable(&qBox0, common, &lowPass);
  RunBoxTable(&qBox0, {{"0", "1.0000m", false, 1}}, &lowPass);
  // A band-pass stage needs a Q above one half.
  RunBoxTable(&qBox0, {{"0", "510.00m", false, 1, kGainCut}, {"0.3", "510.00m", false, 1, kGainCut}},
              &bandPass);
}

TEST(SectionQBox, ABandPassQCutsAHigherGain) {
  for (QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
    EntryFixture s(sep);
    bandPass(s);
    s.f.GainTB[1].Text = "20";
    s.leave(s.f.QInput[1], "8");
    EXPECT_EQ(s.f.GainTB[1].Text, "8");
    EXPECT_EQ(s.messages(), QStringList{kGainCut});
    // An empty gain box is a gain of 1.
    s.reset();
    s.leave(s.f.QInput[2], withSep("0.6", sep));
    EXPECT_EQ(s.f.GainTB[2].Text, withSep("0.6", sep));
    EXPECT_EQ(s.messages(), QStringList{kGainCut});
    // Outside band-pass designs the gain is no matter of the Q.
    EntryFixture t(sep);
    t.showPassBandWithoutHandler("Notch");
    t.f.GainTB[1].Text = "20";
    t.leave(t.f.QInput[1], "8");
    EXPECT_EQ(t.f.GainTB[1].Text, "20");
    EXPECT_TRUE(t.messages().isEmpty());
  }
}

TEST(SectionBoxes, KeepTheirTextsForTheHalfOnScreen) {
  EntryFixture s;
  s.showPassBandWithoutHandler("Wide Band-Pass");
  s.f.LowPassFnText[0] = "5.00kHz";
  s.f.HighPassHalf = 1;
  s.leave(s.f.FnInput[0], "300");
  s.leave(s.f.QInput[0], "2");
  EXPECT_EQ(s.f.HighPassFnText[0], "300Hz");
  EXPECT_EQ(s.f.QTextHP[0], "2.0000");
  EXPECT_EQ(s.f.LowPassFnText[0], "5.00kHz");
  EXPECT_EQ(s.f.QTextLP[0], "");
  // A frequency that cannot be read leaves "1 k" in the copy of the half on screen.
  s.leave(s.f.FnInput[1], "?");
  EXPECT_EQ(s.f.HighPassFnText[1], "1 k");
  EXPECT_EQ(s.f.LowPassFnText[1], "");
  // An unreadable Q is not kept.
  s.leave(s.f.QInput[0], "?");
  EXPECT_EQ(s.f.QTextHP[0], "2.0000");
}

TEST(SectionBoxes, EnterValidatesWithoutAPromptAndNothingIsAPendingEntry) {
  EntryFixture s;
  lowPass(s);
  s.f.PromptTopic = 12;
  s.f.LastEntry = "Text34";
  s.f.FnInput[1].Text = "3k";
  s.key(s.f.FnInput[1], forms::kKeyReturn);
  s.f.QInput[1].Text = "2";
  s.key(s.f.QInput[1], forms::kKeyReturn);
  EXPECT_EQ(s.f.FnInput[1].Text, "3.00kHz");
  EXPECT_EQ(s.f.QInput[1].Text, "2.0000");
  EXPECT_EQ(s.f.PromptTopic, 12);
  EXPECT_EQ(s.sequences, 2);
  s.f.raise(s.f.FnInput[1], forms::Event::GotFocus);
  EXPECT_EQ(s.f.LastEntry, "Text34");
}

// ---- the double click ----

TEST(SectionBoxes, ADoubleClickOpensThePolePairDialogOnlyWhereASectionCanBeEdited) {
  {
    PolePairFixture s;
    s.doubleClick(s.f.QInput[3]);
    ASSERT_TRUE(s.dialogShown());
    EXPECT_FALSE(s.fake.windows.shown.back().modal);
    EXPECT_EQ(s.f.PoleEntrySection, 3);
    EXPECT_TRUE(s.f.PolePairEntry->HasQ());
    EXPECT_EQ(s.f.PolePairEntry->Label2.Caption, "4.0000kHz");
    // Pointed at the real pole while open: its Q row goes.
    s.doubleClick(s.f.FnInput[0]);
    EXPECT_EQ(s.f.PoleEntrySection, 0);
    EXPECT_FALSE(s.f.PolePairEntry->HasQ());
    EXPECT_FALSE(s.f.PolePairEntry->Text2.Visible);
    EXPECT_EQ(s.f.PolePairEntry->Label2.Caption, "1.0000kHz");
  }
  struct Case {
    const char* what;
    const char* band;
    void (*setUp)(PolePairFixture&);
  };
  for (const Case& c : std::vector<Case>{
           {"notch", "Notch", [](PolePairFixture&) {}},
           {"band-pass", "Band-Pass", [](PolePairFixture&) {}},
           {"total view", "Band-Reject",
            [](PolePairFixture& s) { s.f.LowPassViewT.Visible = true; }},
           {"hidden box", "Low-Pass",
            [](PolePairFixture& s) { s.f.FnInput[3].Visible = false; }},
           {"empty box", "Low-Pass", [](PolePairFixture& s) { s.f.FnInput[3].Text = " "; }},
           {"no design frequency", "Low-Pass",
            [](PolePairFixture& s) { s.f.DesignCutoff = 0; }},
       }) {
    PolePairFixture s(QLatin1Char('.'), c.band);
    c.setUp(s);
    s.doubleClick(s.f.QInput[3]);
    s.doubleClick(s.f.FnInput[3]);
    EXPECT_TRUE(s.fake.windows.shown.empty()) << c.what;
  }
  // The section view of one half of a two-half design edits that half.
  PolePairFixture s(QLatin1Char('.'), "Band-Reject");
  s.doubleClick(s.f.FnInput[2]);
  EXPECT_TRUE(s.dialogShown());
}

}  // namespace
