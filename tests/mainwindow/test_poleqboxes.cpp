// The pole-count boxes with the response minimum and the simulation limits of the op-amp
// model families, the ripple box, the band-pass and notch Q box and the total-Q box.
#include <gtest/gtest.h>

#include "entry_fixture.h"
#include "mainwindow/poleboxes.h"
#include "mainwindow/qboxes.h"

namespace {

const QString kNotUnderstood = QStringLiteral("Entry is not understood.");

void enterCapacitors(mainwindow::CalverdonForm& f) {
  f.C1Entry[0].Text = "10n";
  f.C2Entry[1].Text = "22n";
  f.EnteredC1[0] = 1e-8f;
  f.SectionC2[2] = 2.2e-8f;
}

bool capacitorsKept(const mainwindow::CalverdonForm& f) {
  return f.C1Entry[0].Text == "10n" && f.C2Entry[1].Text == "22n" && f.EnteredC1[0] != 0 &&
         f.SectionC2[2] != 0;
}
bool capacitorsCleared(const mainwindow::CalverdonForm& f) {
  return f.C1Entry[0].Text.isEmpty() && f.C2Entry[1].Text.isEmpty() && f.EnteredC1[0] == 0 &&
         f.SectionC2[2] == 0;
}

// ---- pole counts ----

TEST(PoleBox, WholeCountsWithinTheResponsesMinimumAndTen) {
  struct Case {
    const char* response;
    const char* typed;
    const char* expected;
  };
  for (QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
    for (const Case& c : std::vector<Case>{
             {"Butterworth", "4.7", "4"},      {"Butterworth", "4,7", "4"},
             {"Butterworth", "0", "2"},        {"Bessel", "0", "1"},
             {"Gaussian 12dB", "0", "3"},      {"Custom Q", "2", "3"},
             {"Chebychev", "12", "10"},        {"Butterworth", "6 poles", "6"},
             {"Butterworth", "", "5"},         {"Butterworth", "-7", "5"},  // the previous count
             {"Butterworth", "abc", "5"},      {"Butterworth", ".", "2"},
             {"Butterworth", "99999999999999999999", "10"},
         }) {
      EntryFixture s(sep);
      s.showPassBandWithoutHandler("Low-Pass");
      s.showWithoutHandler(s.f.TypeFilter, c.response);
      s.f.PrevPoles = 5;
      s.leave(s.f.Text18, c.typed);
      EXPECT_EQ(s.f.Text18.Text, c.expected) << c.response << " / " << c.typed;
      EXPECT_EQ(s.f.PrevPoles, s.f.Text18.Text.toInt());
      EXPECT_TRUE(s.messages().isEmpty());
    }
  }
}

TEST(PoleBox, OnlyAChangedCountClearsCapacitorsAndRecomputes) {
  EntryFixture s;
  s.showPassBandWithoutHandler("Low-Pass");
  s.showWithoutHandler(s.f.TypeFilter, "Butterworth");
  s.f.PrevPoles = 4;
  enterCapacitors(s.f);
  s.leave(s.f.Text18, "4.9");
  EXPECT_EQ(s.sequences, 0);
  EXPECT_TRUE(capacitorsKept(s.f));

  s.leave(s.f.Text18, "5");
  EXPECT_EQ(s.sequences, 1);
  EXPECT_TRUE(capacitorsCleared(s.f));
  EXPECT_EQ(s.f.PrevPoles, 5);

  // Busy: the count is taken and the capacitors dropped, but nothing is recomputed.
  s.f.SuppressUpdate = true;
  s.leave(s.f.Text18, "6");
  EXPECT_EQ(s.sequences, 1);
  EXPECT_EQ(s.f.PrevPoles, 6);
}

TEST(PoleBox, BandPassAndNotchWarnAboutTheSimulationLimitsOfTheModelFamily) {
  const QString cut = "Maximum poles for simulation of Bandpass response is 5.";
  struct Case {
    const char* band;
    const char* model;
    const char* typed;
    const char* q;
    const char* expected;
    QStringList messages;
  };
  for (const Case& c : std::vector<Case>{
           {"Band-Pass", "KVR3210/30", "7", "1", "5",
            {"Maximum poles for simulation of Bandpass response using KVR models is 4.", cut}},
           {"Band-Pass", "KVR3210/30", "4", "1", "4", {}},
           {"Notch", "KVR9005/10", "2", "10", "2",
            {"Maximum poles for simulation of Notch response using KVR9005 model is 1.",
             "Maximum Q for simulation of Notch response using KVR9005 model is 7."}},
           {"Band-Pass", "KVR9005/10", "4", "10", "4",
            {"Maximum poles for simulation of Bandpass response using KVR9005 model is 3."}},
           {"Band-Pass", "ZLN4410X/30", "3", "1", "3",
            {"Maximum poles for simulation of Bandpass response using ZLN___X models is 2."}},
           {"Notch", "ZLN4410/30", "4", "1", "4",
            {"Maximum poles for simulation of Notch response using ZLN___ models is 3."}},
           {"Notch", "MT2000/40", "5", "1", "5",
            {"Maximum poles for simulation of Notch response using MQ___ models is 4."}},
           {"Notch", "Ideal Op Amp", "9", "50", "5",
            {"Maximum poles for simulation of Notch response is 5.",
             "Maximum Q for simulation of Notch response is 45."}},
           {"Band-Pass", "kvr3210", "1", "45", "1", {}},  // families are case-sensitive
           {"Band-Pass", "Ideal Op Amp", "0", "1", "1", {}},
       }) {
    EntryFixture s;
    s.showPassBandWithoutHandler(c.band);
    s.showWithoutHandler(s.f.TypeFilter, "Gaussian 12dB");  // no minimum in these pass bands
    s.f.OpAmpModel.AddItem(c.model);
    s.showWithoutHandler(s.f.OpAmpModel, c.model);
    s.f.Text3.Text = c.q;
    s.leave(s.f.Text18, c.typed);
    EXPECT_EQ(s.f.Text18.Text, c.expected) << c.model << " / " << c.typed;
    EXPECT_EQ(s.messages(), c.messages) << c.model << " / " << c.typed;
    for (const auto& m : s.fake.messages.shown) {
      EXPECT_EQ(m.title, "Calverdon");
      EXPECT_EQ(m.buttons, platform::Buttons::Ok);
    }
  }
}

TEST(HighPassPoleBox, SameLimitsWithoutWarningsAndItsOwnPreviousCount) {
  EntryFixture s;
  s.showPassBandWithoutHandler("Notch");
  s.showWithoutHandler(s.f.TypeFilter, "Butterworth");
  s.f.OpAmpModel.AddItem("KVR3210");
  s.showWithoutHandler(s.f.OpAmpModel, "KVR3210");
  s.f.PrevPoles = 3;
  s.leave(s.f.Text1, "");
  EXPECT_EQ(s.f.Text1.Text, "3");  // the design's count
  EXPECT_EQ(s.f.PrevPolesHP, 3);
  EXPECT_EQ(s.sequences, 1);
  s.leave(s.f.Text1, "8");
  EXPECT_EQ(s.f.Text1.Text, "5");
  EXPECT_TRUE(s.messages().isEmpty());
  EXPECT_EQ(s.f.PrevPoles, 3);

  s.showPassBandWithoutHandler("Wide Band-Pass");
  s.showWithoutHandler(s.f.TypeFilter, "Bessel");
  s.leave(s.f.Text1, "0");
  EXPECT_EQ(s.f.Text1.Text, "1");
  s.leave(s.f.Text1, "14");
  EXPECT_EQ(s.f.Text1.Text, "10");
}

// ---- ripple ----

TEST(RippleBox, ClampsTheChebychevRipple) {
  struct Case {
    const char* typed;
    const char* expected;
  };
  for (QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
    for (const Case& c : std::vector<Case>{{"0", ".001"},
                                           {"25", "10"},
                                           {"0.5dB", "0.5"},
                                           {"0.0001", "0.001"},
                                           {"0.001", "0.001"},
                                           {"", "1"},
                                           {"abc", "1"},
                                           {"-2", "1"},
                                           {"1.2.5", "1.25"}}) {
      EntryFixture s(sep);
      s.showWithoutHandler(s.f.TypeFilter, "Chebychev");
      s.leave(s.f.Text19, withSep(c.typed, sep));
      EXPECT_EQ(s.f.Text19.Text, withSep(c.expected, sep)) << c.typed;
      EXPECT_EQ(s.sequences, 1);
      EXPECT_TRUE(s.messages().isEmpty());
    }
  }
}

TEST(RippleBox, OnlyANewRippleClearsCapacitorsAndOtherResponsesIgnoreTheBox) {
  EntryFixture s;
  s.showWithoutHandler(s.f.TypeFilter, "Chebychev");
  s.f.RippleDb = 0.5f;
  enterCapacitors(s.f);
  s.leave(s.f.Text19, "0.5");
  EXPECT_TRUE(capacitorsKept(s.f));
  EXPECT_EQ(s.sequences, 1);  // the ripple box recomputes every time
  s.leave(s.f.Text19, "2");
  EXPECT_TRUE(capacitorsCleared(s.f));

  EntryFixture other;
  other.showWithoutHandler(other.f.TypeFilter, "Butterworth");
  other.leave(other.f.Text19, "25");
  EXPECT_EQ(other.f.Text19.Text, "25");
  EXPECT_EQ(other.sequences, 0);

  // A number beyond the single range is not understood: the box is emptied, nothing runs.
  EntryFixture huge;
  huge.showWithoutHandler(huge.f.TypeFilter, "Chebychev");
  huge.leave(huge.f.Text19, QString(60, QLatin1Char('9')));
  EXPECT_EQ(huge.f.Text19.Text, "");
  EXPECT_EQ(huge.messages(), QStringList{kNotUnderstood});
  EXPECT_EQ(huge.sequences, 0);
}

// ---- band-pass and notch Q ----

TEST(BandQBox, FloorsTheQAndRecomputesTwice) {
  struct Case {
    const char* typed;
    const char* expected;
  };
  for (QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
    for (const Case& c : std::vector<Case>{
             {"0.3", "0.51"}, {"0", "0.51"}, {"", "1"}, {"12.5", "12.5"}, {"8 Q", "8"}}) {
      EntryFixture s(sep);
      s.showPassBandWithoutHandler("Low-Pass");
      s.f.PrevPoles = 2;
      s.f.Text18.Text = "2";
      s.leave(s.f.Text3, withSep(c.typed, sep));
      EXPECT_EQ(s.f.Text3.Text, withSep(c.expected, sep)) << c.typed;
      EXPECT_EQ(s.sequences, 2) << c.typed;  // the pole count was unchanged
      EXPECT_TRUE(s.messages().isEmpty());
    }
  }
  EntryFixture huge;
  huge.leave(huge.f.Text3, QString(60, QLatin1Char('9')));
  EXPECT_EQ(huge.f.Text3.Text, "1");
  EXPECT_EQ(huge.messages(), QStringList{kNotUnderstood});
}

TEST(BandQBox, BandPassCutsGainsAboveQAndCopiesTheQ) {
  EntryFixture s;
  s.showPassBandWithoutHandler("Band-Pass");
  s.f.Text18.Text = "3";
  s.f.PrevPoles = 3;
  s.f.PoleCount = 3;
  s.f.GainTB[0].Text = "5";
  s.f.GainTB[1].Text = "20";
  s.f.GainTB[2].Text = "12";
  s.f.GainTB[3].Text = "50";  // beyond the stages: untouched
  s.leave(s.f.Text3, "10");
  EXPECT_EQ(s.f.GainTB[0].Text, "5");
  EXPECT_EQ(s.f.GainTB[1].Text, "10");
  EXPECT_EQ(s.f.GainTB[2].Text, "10");
  EXPECT_EQ(s.f.GainTB[3].Text, "50");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(s.f.QInput[i].Text, "10");
  EXPECT_EQ(s.f.QInput[3].Text, "");
  EXPECT_EQ(s.messages(),
            QStringList{"At least one section gain has been changed because the gain is not "
                        "allowed to be greater than Q."});
  EXPECT_EQ(s.sequences, 2);

  // An empty gain box stands for 1; an unreadable one is passed over and the loop goes on.
  EntryFixture t;
  t.showPassBandWithoutHandler("Band-Pass");
  t.f.Text18.Text = "3";
  t.f.PrevPoles = 3;
  t.f.PoleCount = 3;
  t.f.GainTB[0].Text = "";
  t.f.GainTB[1].Text = "junk";
  t.f.GainTB[2].Text = "3";
  t.leave(t.f.Text3, "0.8");
  EXPECT_EQ(t.f.GainTB[0].Text, "0.8");
  EXPECT_EQ(t.f.GainTB[1].Text, "junk");
  EXPECT_EQ(t.f.GainTB[2].Text, "0.8");
  EXPECT_EQ(t.messages().size(), 1);

  // Notch: the Q is copied, the gains are not touched. Other pass bands copy nothing.
  EntryFixture n;
  n.showPassBandWithoutHandler("Notch");
  n.f.Text18.Text = "2";
  n.f.PrevPoles = 2;
  n.f.PoleCount = 2;
  n.f.GainTB[0].Text = "20";
  n.leave(n.f.Text3, "10");
  EXPECT_EQ(n.f.GainTB[0].Text, "20");
  EXPECT_EQ(n.f.QInput[1].Text, "10");
  EXPECT_TRUE(n.messages().isEmpty());

  EntryFixture lp;
  lp.showPassBandWithoutHandler("Low-Pass");
  lp.f.PoleCount = 2;
  lp.f.GainTB[0].Text = "20";
  lp.leave(lp.f.Text3, "10");
  EXPECT_EQ(lp.f.GainTB[0].Text, "20");
  EXPECT_EQ(lp.f.QInput[0].Text, "");
}

TEST(BandQBox, ValidatesThePoleCountFirst) {
  EntryFixture s;
  s.showPassBandWithoutHandler("Band-Pass");
  s.f.PrevPoles = 2;
  s.f.Text18.Text = "9";
  s.f.Text3.Text = "1";
  s.leave(s.f.Text3, "60");
  EXPECT_EQ(s.f.Text18.Text, "5");
  EXPECT_EQ(s.messages(), (QStringList{"Maximum poles for simulation of Bandpass response is 5.",
                                       "Maximum Q for simulation of Bandpass response is 45."}));
  EXPECT_EQ(s.sequences, 3);  // the new count, then the Q box's two
}

// ---- total Q ----

TEST(TotalQBox, ClampsPlainNumbersAndScalesTheSectionQs) {
  struct Case {
    const char* typed;
    const char* expected;
    float scale;
    bool notUnderstood;
  };
  for (QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
    for (const Case& c : std::vector<Case>{
             {"500", "200.00", 100, false},
             {"4", "4.0000", 2, false},
             {"-3", "3.0000", 1.5f, false},
             {"0.0001", "1.0000m", 0.0005f, false},
             {"0.5", "500.00m", 0.25f, false},
             {"500.00m", "500.00m", 0.25f, false},  // its own text reads back
             {"0", "2.0000", 1, false},             // the response's own total
             {"", "2.0000", 1, false},
             {"2k", "", 7, true},
             {"abc", "", 7, true},
             {"nan", "", 7, true},
             {"1e999", "", 7, true},
         }) {
      EntryFixture s(sep);
      s.f.CustomQProduct = 2;
      s.f.CustomQScale = 7;
      s.leave(s.f.Qtotal, withSep(c.typed, sep));
      EXPECT_EQ(s.f.Qtotal.Text, withSep(c.expected, sep)) << c.typed;
      EXPECT_FLOAT_EQ(s.f.CustomQScale, c.scale) << c.typed;
      EXPECT_EQ(s.messages(), c.notUnderstood ? QStringList{kNotUnderstood} : QStringList{});
      EXPECT_EQ(s.sequences, c.notUnderstood ? 0 : 1) << c.typed;
    }
  }
}

TEST(TotalQBox, WithoutAProductTheScaleIsOneAndNothingRecomputes) {
  EntryFixture s;
  s.f.CustomQProduct = 0;
  s.leave(s.f.Qtotal, "3");
  EXPECT_FLOAT_EQ(s.f.CustomQScale, 1);
  EXPECT_EQ(s.sequences, 0);

  // Leaving the box sets the scale only; an empty box keeps it.
  EntryFixture t;
  t.f.CustomQProduct = 4;
  t.f.Qtotal.Text = "2";
  t.f.raise(t.f.Qtotal, forms::Event::LostFocus);
  EXPECT_FLOAT_EQ(t.f.CustomQScale, 0.5f);
  t.f.Qtotal.Text = "";
  t.f.raise(t.f.Qtotal, forms::Event::LostFocus);
  EXPECT_FLOAT_EQ(t.f.CustomQScale, 0.5f);
  EXPECT_EQ(t.sequences, 0);
}

}  // namespace
