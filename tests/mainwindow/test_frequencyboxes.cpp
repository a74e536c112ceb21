// The frequency boxes: normalised and clamped texts, their messages and recomputes, the
// graph window that follows the entered frequency, the band-pass and notch stage
// frequencies, the resistor seed, the response frequency with its cursor, and the digits box.
#include <gtest/gtest.h>

#include "engine/rounding.h"
#include "entry_fixture.h"
#include "mainwindow/frequencyboxes.h"

namespace {

using mainwindow::CalverdonForm;
using mainwindow::kNotUnderstood;
const QChar kSeps[] = {QLatin1Char('.'), QLatin1Char(',')};

void runTable(forms::TextBox mainwindow::CalverdonForm::*box, const std::vector<BoxCase>& cases,
              void (*setUp)(EntryFixture&) = nullptr) {
  RunBoxTable([box](CalverdonForm& f) -> forms::TextBox& { return f.*box; }, cases, setUp);
}

TEST(CutoffBox, NormalisesClampsAndRecomputes) {
  runTable(&CalverdonForm::Text34, {
                                       {"", "1.00k", false, 1},
                                       {"0", "1.00k", false, 1},
                                       {"-0", "1.00k", false, 1},
                                       {"-5k", "5.00k", false, 1},
                                       {"300M", "200M", false, 1},
                                       {"200M", "200M", false, 1},
                                       {"0.0001", "1.00m", false, 1},
                                       {"0.001", "1.00m", false, 1},
                                       {"2500", "2.50k", false, 1},
                                       {"1~5k", "1.50k", false, 1},
                                       {"1.2.3k", "1.23k", false, 1},
                                       {"2e3", "2.00k", false, 1},
                                       {"15 kHz", "15.0k", false, 1},
                                       {"abc", "1.00k", true, 1},
                                       {"   ", "1.00k", true, 1},
                                       {"1e999", "1.00k", true, 1},
                                       {"nan", "1.00k", true, 1},
                                   });
}

TEST(SecondEdgeBox, TakesOneKilohertzForEmptyOrZero) {
  runTable(&CalverdonForm::Text2, {
                                      {"", "1.00k", false, 1},
                                      {"0", "1.00k", false, 1},
                                      {"-20k", "20.0k", false, 1},
                                      {"1G", "200M", false, 1},
                                      {"x", "1.00k", true, 1},
                                  });
}

// No spacing is a spacing: the box keeps "0", and an empty box means the same.
TEST(SpacingBox, KeepsZeroAndClampsOtherSpacings) {
  runTable(&CalverdonForm::SpacF, {
                                      {"0", "0", false, 1},
                                      {"", "0", false, 1},
                                      {"-0", "0", false, 1},
                                      {"0.00k", "0", false, 1},
                                      {"-20k", "20.0k", false, 1},
                                      {"300", "300", false, 1},
                                      {"0.0001", "1.00m", false, 1},
                                      {"1G", "200M", false, 1},
                                      {"x", "0", true, 1},
                                  });
}

TEST(FrequencyBoxes, RecomputeOnlyWhenNotBusy) {
  for (auto box : {&CalverdonForm::Text34, &CalverdonForm::Text2, &CalverdonForm::SpacF,
                   &CalverdonForm::RespF, &CalverdonForm::SigDig}) {
    EntryFixture s;
    s.f.SuppressUpdate = true;
    s.leave(s.f.*box, "2k");
    EXPECT_EQ(s.sequences, 0);
    EXPECT_TRUE(s.f.SuppressUpdate);
  }
}

TEST(ResistorBox, ClampsToItsRangeAndAlwaysRecomputes) {
  runTable(&CalverdonForm::Text12, {
                                       {"", "10.0k", false, 1},
                                       {"0", "10.0k", false, 1},
                                       {"50", "100", false, 1},
                                       {"100", "100", false, 1},
                                       {"20M", "10.0M", false, 1},
                                       {"-4.7k", "4.70k", false, 1},
                                       {"22~5k", "22.5k", false, 1},
                                       {"abc", "", true, 0},
                                       {"1e999", "", true, 0},
                                   });
  // Busy or not, a valid resistor recomputes and leaves the window not busy.
  EntryFixture s;
  s.f.SuppressUpdate = true;
  s.leave(s.f.Text12, "5k");
  EXPECT_EQ(s.sequences, 1);
  EXPECT_FALSE(s.f.SuppressUpdate);
}

// ---- graph window ----

struct WindowCase {
  const char* typed;
  const char* start;
  const char* end;
};

TEST(GraphWindow, MovesInThirdsUntilTheFrequencyIsInTheMiddleThird) {
  for (const WindowCase& c : std::vector<WindowCase>{
           {"50k", "1.00k", "1.00M"},  // one decade up
           {"1k", "100", "100k"},      // already inside: unchanged
           {"5", "100m", "100"},       // three decades down
           {"10k", "1.00k", "1.00M"},  // exactly on the upper boundary belongs above
           {"200M", "10.0M", "10.0g"},
           {"0.001", "100µ", "100m"},
       }) {
    EntryFixture s;
    s.leave(s.f.Text34, c.typed);
    EXPECT_EQ(s.f.Gfreq[0].Caption, c.start) << c.typed;
    EXPECT_EQ(s.f.Gfreq[3].Caption, c.end) << c.typed;
    EXPECT_FLOAT_EQ(s.f.AxisDecades, 3) << c.typed;
  }
}

// The spacing is no place on the axis: after it the window is the one the centre gives.
TEST(GraphWindow, SpacingShowsTheCentreAndSecondEdgeShiftsToo) {
  for (const char* spacing : {"300", "10k", "0", "", "150M"}) {
    EntryFixture s;
    s.f.Text34.Text = "10.0k";
    s.leave(s.f.SpacF, spacing);
    EXPECT_EQ(s.f.Gfreq[0].Caption, "1.00k") << spacing;
    EXPECT_EQ(s.f.Gfreq[3].Caption, "1.00M") << spacing;
  }
  EntryFixture s;
  s.leave(s.f.Text2, "10k");
  EXPECT_EQ(s.f.Gfreq[0].Caption, "1.00k");
  EXPECT_EQ(s.f.Gfreq[3].Caption, "1.00M");
}

TEST(GraphWindow, FollowsTheEngineersLimitBoxesAndKeepsAFourDecadeWidth) {
  EntryFixture s(QLatin1Char(','));
  s.f.StartF.Text = "10";
  s.f.EndF.Text = "100k";
  s.f.AxisDecades = 4;
  s.leave(s.f.Text34, "1M");
  // Steps of 4/3 decades: 10 Hz -> 215 Hz -> 4.64 kHz, where 1 MHz lies in the middle third.
  EXPECT_EQ(s.f.StartF.Text, "4,64k");
  EXPECT_EQ(s.f.Gfreq[0].Caption, "4,64k");
  EXPECT_EQ(s.f.EndF.Text, "46,4M");
  EXPECT_EQ(s.f.Gfreq[3].Caption, "46,4M");
}

TEST(GraphWindow, AnUnusableWindowIsLeftAlone) {
  for (auto setUp : {+[](EntryFixture& s) { s.f.Gfreq[0].Caption = "0"; },
                     +[](EntryFixture& s) { s.f.Gfreq[0].Caption = "none"; },
                     +[](EntryFixture& s) { s.f.AxisDecades = 0; },
                     +[](EntryFixture& s) { s.f.AxisDecades = -3; }}) {
    EntryFixture s;
    setUp(s);
    const QString start = s.f.Gfreq[0].Caption;
    s.leave(s.f.Text34, "50k");
    EXPECT_EQ(s.f.Text34.Text, "50.0k");
    EXPECT_EQ(s.f.Gfreq[0].Caption, start);
    EXPECT_EQ(s.f.Gfreq[3].Caption, "100 kHz");
  }
  // A width of a thousandth of a decade far below the frequency stops after its bounded walk.
  EntryFixture s;
  s.f.Gfreq[3].Caption = "100.2";
  s.f.AxisDecades = 0.001f;
  s.leave(s.f.Text34, "200M");
  EXPECT_EQ(s.f.Text34.Text, "200M");
  EXPECT_EQ(s.sequences, 1);
}

// ---- radians per second ----

// The window in radians per second, its legend as the axis writes it (100 Hz .. 100 kHz).
void useRadians(EntryFixture& s) {
  s.f.Rad.setFromUser(1);
  s.f.FreqUnitFactor = 2 * engine::Pi;
  s.f.Gfreq[0].Caption = "628Rad/s";
  s.f.Gfreq[3].Caption = "628kRad/s";
}

QString radiansText(double hertz, QChar sep = QLatin1Char('.')) {
  return engine::Engsuffix(engine::Sng(hertz * 2 * engine::Pi), 3, "", sep);
}

double captionHertz(const EntryFixture& s, const QString& caption) {
  return graph::FrequencyCaptionHertz(caption, s.f.DecimalSep, 3).value_or(-1);
}

TEST(RadiansPerSecond, AnEntryMovesTheWindowAsTheSameFrequencyInHertz) {
  for (double hertz : {50e3, 2e3, 5.0, 2e8, 0.001, 7e6}) {
    for (QChar sep : kSeps) {
      SCOPED_TRACE(testing::Message() << hertz << " Hz, separator " << sep.toLatin1());
      EntryFixture inHertz(sep);
      inHertz.leave(inHertz.f.Text34, engine::Engsuffix(float(hertz), 3, "", sep));
      EntryFixture inRadians(sep);
      useRadians(inRadians);
      inRadians.leave(inRadians.f.Text34, radiansText(hertz, sep));
      for (int end : {0, 3}) {
        EXPECT_DOUBLE_EQ(captionHertz(inRadians, inRadians.f.Gfreq[end].Caption),
                         captionHertz(inHertz, inHertz.f.Gfreq[end].Caption));
        EXPECT_TRUE(inRadians.f.Gfreq[end].Caption.endsWith("Rad/s"));
      }
      EXPECT_FLOAT_EQ(inRadians.f.AxisDecades, 3);
    }
  }
  // The second edge in radians per second, and the spacing, which is always hertz and
  // brings the window back to the centre's.
  EntryFixture s;
  useRadians(s);
  s.leave(s.f.Text34, radiansText(2e3));
  s.leave(s.f.Text2, radiansText(50e3));
  EXPECT_EQ(s.f.Gfreq[0].Caption, "6.28kRad/s");
  EXPECT_EQ(s.f.Gfreq[3].Caption, "6.28MRad/s");
  s.leave(s.f.SpacF, "500");
  EXPECT_EQ(s.f.SpacF.Text, "500");
  EXPECT_EQ(s.f.Gfreq[0].Caption, "628Rad/s");
  EXPECT_EQ(s.f.Gfreq[3].Caption, "628kRad/s");
}

TEST(RadiansPerSecond, LimitsApplyInHertz) {
  struct LimitCase {
    forms::TextBox CalverdonForm::*box;
    const char* typed;     // radians per second
    const char* expected;  // radians per second, within the hertz limits
  };
  for (const LimitCase& c : std::vector<LimitCase>{
           {&CalverdonForm::Text34, "1G", "1.00g"},     // 159 MHz: inside
           {&CalverdonForm::Text34, "1.5G", "1.25g"},   // 239 MHz: 200 MHz, rounded inside
           {&CalverdonForm::Text34, "10m", "10.0m"},    // 1.6 mHz: inside
           {&CalverdonForm::Text34, "5m", "6.29m"},     // 0.8 mHz: 1 mHz, rounded inside
           {&CalverdonForm::Text2, "2G", "1.25g"},
           {&CalverdonForm::SpacF, "1G", "200M"},       // the spacing is hertz
           {&CalverdonForm::RespF, "5G", "5.00g"},      // 796 MHz: inside
           {&CalverdonForm::RespF, "7G", "6.28g"},      // 1.11 GHz: 1 GHz
           {&CalverdonForm::RespF, "50m", "62.9m"},     // 8 mHz: 10 mHz, rounded inside
       }) {
    EntryFixture s;
    useRadians(s);
    s.leave(s.f.*c.box, c.typed);
    EXPECT_EQ((s.f.*c.box).Text, c.expected) << c.typed;
    // Leaving the box again keeps what it shows.
    s.leave(s.f.*c.box, (s.f.*c.box).Text);
    EXPECT_EQ((s.f.*c.box).Text, c.expected) << c.typed;
  }
  EntryFixture s;
  useRadians(s);
  s.leave(s.f.RespF, "7G");
  EXPECT_NEAR(s.f.RespFreq, 1e9, 1e6);
  EXPECT_LE(s.f.RespFreq, 1e9f);
}

TEST(RadiansPerSecond, StageFrequenciesAreHertz) {
  EntryFixture s;
  useRadians(s);
  s.showPassBandWithoutHandler("Notch");
  s.f.PoleCount = 3;
  s.f.SpacF.Text = "1k";
  s.leave(s.f.Text34, radiansText(10e3));  // "62.8k": 9.995 kHz
  const double centre = 62.8e3 / (2 * engine::Pi);
  for (int i = 0; i < 3; ++i)
    EXPECT_NEAR(*engine::EngValue(s.f.FnInput[i].Text, '.'), centre + (i - 1) * 1e3, 0.5) << i;
  s.f.PoleCount = 1;
  s.leave(s.f.Text34, radiansText(5e3));
  EXPECT_EQ(s.f.FnInput[0].Text, "5.00kHz");
}

// ---- band-pass and notch stage frequencies ----

TEST(StageFrequencies, SpreadAroundTheCentreBySpacing) {
  for (QChar sep : kSeps) {
    EntryFixture s(sep);
    s.showPassBandWithoutHandler("Notch");
    s.f.PoleCount = 3;
    s.f.SpacF.Text = "1k";
    s.leave(s.f.Text34, "10k");
    EXPECT_EQ(s.f.FnInput[0].Text, withSep("9.0000k", sep));
    EXPECT_EQ(s.f.FnInput[1].Text, withSep("10.000k", sep));
    EXPECT_EQ(s.f.FnInput[2].Text, withSep("11.000k", sep));
    EXPECT_EQ(s.f.FnInput[3].Text, "");

    s.showPassBandWithoutHandler("Band-Pass");
    s.f.PoleCount = 4;
    s.leave(s.f.SpacF, "2k");
    EXPECT_EQ(s.f.FnInput[0].Text, withSep("7.0000k", sep));
    EXPECT_EQ(s.f.FnInput[3].Text, withSep("13.000k", sep));
    // No spacing puts every stage at the centre.
    s.leave(s.f.SpacF, "0");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s.f.FnInput[i].Text, withSep("10.000k", sep)) << i;

    s.f.PoleCount = 1;
    s.leave(s.f.Text34, "5k");
    EXPECT_EQ(s.f.FnInput[0].Text, withSep("5.00kHz", sep));
  }
}

// A new stage count spreads the stages round the centre again and the window shows the
// centre; validating the same count leaves stage frequencies the engineer typed.
TEST(StageFrequencies, ANewStageCountSpreadsTheStagesAgain) {
  EntryFixture s;
  s.showPassBandWithoutHandler("Band-Pass");
  s.f.PoleCount = s.f.PrevPoles = 4;
  s.f.Text18.Text = "4";
  s.f.SpacF.Text = "300";
  s.f.Text34.Text = "12.0k";
  s.f.Gfreq[0].Caption = "10";
  s.f.Gfreq[3].Caption = "10.0k";
  s.leave(s.f.Text18, "5");
  const QStringList five = {"11.400k", "11.700k", "12.000k", "12.300k", "12.600k"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(s.f.FnInput[i].Text, five[i]) << i;
  EXPECT_EQ(s.f.Gfreq[0].Caption, "1.00k");
  EXPECT_EQ(s.f.Gfreq[3].Caption, "1.00M");
  s.f.PoleCount = 5;
  s.leave(s.f.Text18, "4");
  const QStringList four = {"11.550k", "11.850k", "12.150k", "12.450k"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(s.f.FnInput[i].Text, four[i]) << i;

  s.f.FnInput[1].Text = "11.9k";
  s.leave(s.f.Text18, "4");
  EXPECT_EQ(s.f.FnInput[1].Text, "11.9k");
}

// Tabbing through the spacing box is no entry: a stage frequency the engineer typed stays and
// nothing is recomputed; a spacing typed into it spreads the stages.
TEST(StageFrequencies, TabbingThroughTheSpacingKeepsTypedStages) {
  for (const char* spacing : {"0", "300"}) {
    SCOPED_TRACE(spacing);
    EntryFixture s;
    s.showPassBandWithoutHandler("Band-Pass");
    s.f.PoleCount = 3;
    s.f.Text34.Text = "10.0k";
    s.f.SpacF.Text = QLatin1String(spacing);
    s.f.FnInput[1].Text = "10.4k";
    const int before = s.sequences;
    s.f.raise(s.f.SpacF, forms::Event::GotFocus);
    s.leave(s.f.SpacF, s.f.SpacF.Text);
    EXPECT_EQ(s.f.FnInput[1].Text, "10.4k");
    EXPECT_EQ(s.sequences, before);

    s.f.raise(s.f.SpacF, forms::Event::GotFocus);
    s.leave(s.f.SpacF, "200");
    EXPECT_EQ(s.f.FnInput[1].Text, "10.000k");
    EXPECT_EQ(s.f.FnInput[2].Text, "10.200k");
    EXPECT_EQ(s.sequences, before + 1);
  }
}

TEST(StageFrequencies, StayInsideTheFrequencyRangeAndOnlyForBandPassOrNotch) {
  EntryFixture s;
  s.showPassBandWithoutHandler("Band-Pass");
  s.f.PoleCount = 5;
  s.f.Text34.Text = "1k";
  s.leave(s.f.SpacF, "150M");
  EXPECT_EQ(s.f.FnInput[0].Text, "1.0000m");
  EXPECT_EQ(s.f.FnInput[2].Text, "1.0000k");
  EXPECT_EQ(s.f.FnInput[4].Text, "200.00M");

  EntryFixture lowPass;
  lowPass.showPassBandWithoutHandler("Low-Pass");
  lowPass.f.PoleCount = 3;
  lowPass.f.FnInput[0].Text = "kept";
  lowPass.leave(lowPass.f.Text34, "10k");
  EXPECT_EQ(lowPass.f.FnInput[0].Text, "kept");
}

// ---- response frequency ----

TEST(ResponseFrequencyBox, NormalisesClampsAndStoresTheFrequency) {
  struct RespCase {
    const char* typed;
    const char* expected;
    float stored;
    bool notUnderstood;
  };
  for (QChar sep : kSeps) {
    for (const RespCase& c : std::vector<RespCase>{
             {"2G", "1.00g", 1e9f, false},
             {"1234", "1.23k", 1230, false},
             {"-3k", "3.00k", 3000, false},
             {"0.001", "10.0m", 0.01f, false},
             {"0", "2.50k", 2500, false},  // the cutoff box
             {"", "2.50k", 2500, false},
             {"abc", "2.50k", 2500, true},
             {"1e999", "2.50k", 2500, true},
         }) {
      EntryFixture s(sep);
      s.f.Text34.Text = withSep("2.50k", sep);
      s.leave(s.f.RespF, withSep(c.typed, sep));
      EXPECT_EQ(s.f.RespF.Text, withSep(c.expected, sep)) << c.typed;
      EXPECT_FLOAT_EQ(s.f.RespFreq, c.stored) << c.typed;
      EXPECT_EQ(s.messages(), c.notUnderstood ? QStringList{kNotUnderstood} : QStringList{});
      EXPECT_EQ(s.sequences, 1);
    }
  }
}

TEST(ResponseFrequencyBox, EmptyInTheHighPassHalfTakesTheSecondEdge) {
  EntryFixture s;
  s.f.HighPassHalf = 1;
  s.f.Text2.Text = "12.0k";
  s.leave(s.f.RespF, "");
  EXPECT_EQ(s.f.RespF.Text, "12.0k");
  EXPECT_FLOAT_EQ(s.f.RespFreq, 12000);
  // An unreadable edge as well ends on the 10 kHz fallback, never on text that is not a
  // frequency.
  s.f.Text2.Text = "junk";
  s.leave(s.f.RespF, "");
  EXPECT_EQ(s.f.RespF.Text, "10.0k");
}

TEST(ResponseFrequencyBox, PutsTheCursorAtTheFrequencyOnTheAxis) {
  EntryFixture s;
  s.f.Graph.Width = 6000;
  s.f.Graph.Height = 3000;
  s.leave(s.f.RespF, "1k");  // a third of the way along 100 Hz .. 100 kHz
  EXPECT_EQ(s.f.Cursor.X1, 2000);
  EXPECT_EQ(s.f.Cursor.X2, 2000);
  EXPECT_EQ(s.f.GraphRightX, 6000);
  EXPECT_EQ(s.f.GraphBottomY, 3000);
  EXPECT_FLOAT_EQ(s.f.PlotStartFreq, 100);

  // In radians per second the box, the legend and the cursor share the unit; the design
  // reads hertz.
  s.f.FreqUnitFactor = 2 * 3.14159265358979;
  s.f.Gfreq[0].Caption = "628 Rad/s";
  s.f.Gfreq[3].Caption = "628k Rad/s";
  s.leave(s.f.RespF, "6.28k");
  EXPECT_NEAR(s.f.RespFreq, 1000, 1);
  EXPECT_NEAR(s.f.PlotStartFreq, 100, 0.1);
  EXPECT_NEAR(s.f.Cursor.X1, 2000, 2);

  // A legend without a start frequency falls back to 100 Hz .. 100 kHz.
  s.f.FreqUnitFactor = 1;
  s.f.Gfreq[0].Caption = "";
  s.leave(s.f.RespF, "10k");
  EXPECT_EQ(s.f.Gfreq[0].Caption, "100Hz");
  EXPECT_EQ(s.f.Gfreq[3].Caption, "100kHz");
  EXPECT_EQ(s.f.Cursor.X1, 4000);
}

TEST(DigitsBox, TakesTheWholePartBetweenOneAndSix) {
  runTable(&CalverdonForm::SigDig, {
                                       {"7.9", "6", false, 1},
                                       {"-3.5", "3", false, 1},
                                       {"0", "4", false, 1},
                                       {"", "4", false, 1},
                                       {"2~9", "2", false, 1},
                                       {"abc", "4", true, 1},
                                   });
}

}  // namespace
