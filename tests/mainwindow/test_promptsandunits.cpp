// The prompt field's texts, the hertz / radians-per-second toggle and the supply text of the
// op-amp models.
#include <gtest/gtest.h>

#include <cmath>

#include "choice_fixture.h"
#include "engine/engnotation.h"
#include "mainwindow/choicelists.h"
#include "mainwindow/frequencyunit.h"
#include "mainwindow/opampsupply.h"
#include "mainwindow/prompts.h"

namespace {

using mainwindow::PromptText;
using mainwindow::ShowPrompt;

// ---------------------------------------------------------------- prompts

TEST(Prompts, FixedTopicsExactly) {
  struct Case {
    QChar sep;
    int topic;
    QString text;
  };
  const Case cases[] = {
      {'.', 2,
       "Butterworth filters have the flattest possible passband response and a smooth "
       "transition into the stopband.\r\n\r\nThey have moderate pulse-response overshoot which "
       "increases with increasing number of poles."},
      {'.', 6,
       QString("Enter number of poles") + QChar(0x2014) +
           "\r\n   1, 2, 3... to 10\r\n\r\nThe number of poles affects the rolloff rate of the "
           "filter.  The greater the number of poles, the better the filter approximates an "
           "ideal brick-wall response.  Complexity increases proportionally. The maximum number "
           "of poles for bandpass and notch is 5."},
      {'.', 8,
       "   Enter a frequency in Hz\r\n       e.g.       2000\r\n             or   2k\r\n"
       "Displays the filter's gain and phase response at the desired frequency. The response "
       "of each section is shown individually in the Response fields to facilitate "
       "testing.\r\n\r\n"},
      {'.', 12,
       "E48, E96, and E192 resistor values are purchased with 48, 96, or 192 values per decade "
       "respectively.E48 are usually 2%, E96 are usually 1% and E192 are usually .5% "
       "tolerances."},
      {',', 13,
       "E6, E12, and E24 capacitor values are those with 6, 12, or 24 values per decade "
       "respectively.  E6 are usually 20%, E12 are usually 10% and E24 are usually 5% "
       "tolerances.  The E6 values include 1, 1,5, 2,2, 3,3, 4,7, and 6,8.   Actual capacitor "
       "values are multiples (times 10^n) of these values"},
      {'.', 42,
       "A Band-Pass filter attenuates signals above and below a center frequency.  The "
       "algorithm used for this filter ties gain to Q to reduce response variation due to "
       "device sensitivity.  For a Band-Pass that has multiple sections the total Q increases "
       "for the increased number of sections because each section uses the entered value for "
       "its Q.."},
      {'.', 46,
       "The Q field for the Band-Pass or Notch filter is a ''Quality Factor''.  It is the "
       "parameter of a filter that defines its bandwidth.  Q = center frequency divided by "
       "-3dB bandwidth.  For a multiple section Band-Pass or Notch filter each section will be "
       "designed with this Q."},
      {'.', 203, "Displays component values required to construct the desired filter.\r\n\r\n"},
      {',', 205,
       "Displays sensitivities of filter section parameters with variation in component "
       "values.  A 1% increment is made in each component value.  The resulting percentage "
       "change in fn and Q is shown.  e.g.  -0,5; 1,0 indicates that a +1% increase in the "
       "value of that component produces a 0,5% lower natural frequency and 1% higher Q.\r\n"
       "Keep in mind that capacitors generally have a wider tolerance.  For this reason, when "
       "precision is desired, buy precision capacitors or enter measured values."},
      // Topics that do not exist empty the field.
      {'.', 0, ""},
      {'.', 50, ""},
      {'.', 300, ""},
  };
  for (const Case& c : cases) {
    ChoiceFixture x(c.sep);
    x.f.Prompt.Caption = "old";
    ShowPrompt(x.f, c.topic);
    EXPECT_EQ(x.f.Prompt.Caption, c.text) << c.topic;
  }
}

TEST(Prompts, WelcomeOpensTheProgram) {
  ChoiceFixture x;
  const QStringList lines = PromptText(x.f, 1).split("\r\n");
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(lines[0], "                 WELCOME");
  EXPECT_EQ(lines[1],
            "This program can be used to design Multiple-Feedback (MFB) and Sallen-Key active "
            "filters.  The default type is MFB.  Press the radio button to change the circuit "
            "type.");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "  See Marquenta Application Bulletin");
  EXPECT_TRUE(lines[4].startsWith("  ") && lines[4].endsWith(" for details."));
  EXPECT_FALSE(lines[5].isEmpty());
}

// A design on screen: sections with known capacitors.
void design(ChoiceFixture& x, int sections, int realPoleShift) {
  x.f.DisplayDigits = 3;
  x.f.SectionCount = sections;
  x.f.RealPoleShift = realPoleShift;
  for (int k = 1; k <= sections; ++k) {
    x.f.SectionC1[k] = static_cast<float>(k) * 1e-8f;  // 10n, 20n, 30n
    x.f.SectionC2[k] = static_cast<float>(k) * 1e-9f;  // 1n, 2n, 3n
  }
}

QString capacitorPrompt(const QString& value) {
  return "The current value of this capacitor is " + value +
         "F.\r\nYou may enter a new value...\r\n";
}

TEST(Prompts, CapacitorTopicsExplainTheRowsSection) {
  // Four poles: row 0 is section 2, row 1 section 1.
  ChoiceFixture x;
  design(x, 2, 0);
  EXPECT_EQ(PromptText(x.f, 100), capacitorPrompt("20.0n"));
  EXPECT_EQ(PromptText(x.f, 106), capacitorPrompt("1.00n"));
  // The fully differential circuit shows C2 halved; C1 is whole.
  x.f.CircuitType.setFromUser(2, "MFB Fully Differential");
  EXPECT_EQ(PromptText(x.f, 106), capacitorPrompt("500p"));
  EXPECT_EQ(PromptText(x.f, 101), capacitorPrompt("10.0n"));
  // Rows beyond the design's sections explain nothing.
  EXPECT_EQ(PromptText(x.f, 102), "");
  EXPECT_EQ(PromptText(x.f, 109), "");

  // Five poles: row 0 is section 2; the first-order section 3 has its own topic.
  ChoiceFixture y;
  design(y, 3, 1);
  EXPECT_EQ(PromptText(y.f, 100), capacitorPrompt("20.0n"));
  EXPECT_EQ(PromptText(y.f, 101), capacitorPrompt("10.0n"));
  EXPECT_EQ(PromptText(y.f, 102), "");
  EXPECT_EQ(PromptText(y.f, 110),
            "The current value of this capacitor is 30.0n.  You may enter a new value..."
            "\r\n\r\nThe value you enter will change the R1 value for the Real Pole Section");

  // No design yet: every capacitor topic is empty.
  ChoiceFixture z;
  for (int topic : {100, 104, 105, 110}) EXPECT_EQ(PromptText(z.f, topic), "") << topic;
}

TEST(Prompts, GainTopicFollowsTheTopology) {
  ChoiceFixture x;
  const QString head =
      "Gain of this section is 1 if no entry has been made. Make an entry to change this "
      "gain.\r\n\r\n";
  x.f.CircuitMode = 1;
  EXPECT_EQ(PromptText(x.f, 403),
            head + "Gain must be 1 or greater for the Sallen-Key circuit.Changing the gain "
                   "will clear entered values of C1 and C2.");
  x.f.CircuitMode = 0;
  EXPECT_EQ(PromptText(x.f, 403),
            head +
                "Although MFB circuit is inverting, gains are entered and displayed as positive "
                "numbers.\r\n\r\nAlthough the MFB circuit will operate with a gain of less then "
                "1, most amplifiers will not operate correctly in this region.  Changing the "
                "gain will clear entered values of C1 and C2.");
}

// ---------------------------------------------------------------- Rad/s

class FrequencyUnit : public ::testing::TestWithParam<QChar> {};

TEST_P(FrequencyUnit, ToggleConvertsAndToggleBackRestores) {
  const QChar sep = GetParam();
  ChoiceFixture x(sep);
  const QString text34 = x.f.Text34.Text, text2 = x.f.Text2.Text, respF = x.f.RespF.Text;
  ASSERT_EQ(text34, engine::Engsuffix(1000, 4, "", sep));
  // The spacing is hertz in either unit.
  const QString spacing = engine::Engsuffix(2000, 3, "", sep);
  x.f.SpacF.Text = spacing;

  x.f.Rad.SetValue(1);
  EXPECT_EQ(x.f.SpacF.Text, spacing);
  const QString radians = engine::Engsuffix(float(2 * M_PI * 1000), 3, "", sep);
  EXPECT_EQ(x.f.Text34.Text, radians);
  EXPECT_EQ(x.f.Text2.Text, engine::Engsuffix(float(2 * M_PI * 10000), 3, "", sep));
  EXPECT_EQ(x.f.RespF.Text, x.f.Text2.Text);
  EXPECT_EQ(x.recomputes(), 1);
  // The design still reads hertz from the boxes.
  EXPECT_NEAR(*mainwindow::FrequencyBoxHertz(x.f, x.f.Text34), 1000, 1);

  // Back to hertz: the unedited boxes get their texts back exactly; an edited one is
  // converted.
  x.f.Text2.Text = "20k";
  x.f.Rad.SetValue(0);
  EXPECT_EQ(x.f.Text34.Text, text34);
  EXPECT_EQ(x.f.RespF.Text, respF);
  EXPECT_EQ(x.f.Text2.Text, engine::Engsuffix(float(20000 / (2 * M_PI)), 3, "", sep));
  EXPECT_EQ(mainwindow::FrequencyBoxHertz(x.f, x.f.Text34), engine::EngValue(text34, sep));
  EXPECT_EQ(x.f.SpacF.Text, spacing);
  EXPECT_EQ(x.recomputes(), 2);

  // And once more: the last conversion is undone the same way, the typed text included.
  const QString text2Hz = x.f.Text2.Text;
  x.f.Rad.SetValue(1);
  EXPECT_EQ(x.f.Text34.Text, radians);
  EXPECT_EQ(x.f.Text2.Text, "20k");
  x.f.Rad.SetValue(0);
  EXPECT_EQ(x.f.Text2.Text, text2Hz);
}

INSTANTIATE_TEST_SUITE_P(Separators, FrequencyUnit,
                         ::testing::Values(QChar('.'), QChar(',')));

TEST(FrequencyUnitBoxes, UnreadableTextStaysAndBusyWindowDoesNotRecompute) {
  ChoiceFixture x;
  x.f.Text2.Text = "abc";
  x.f.RespF.Text = "3e38";  // no single-precision value in radians per second
  x.f.SuppressUpdate = true;
  x.f.Rad.SetValue(1);
  EXPECT_EQ(x.f.Text2.Text, "abc");
  EXPECT_EQ(x.f.RespF.Text, "3e38");
  EXPECT_FALSE(mainwindow::FrequencyBoxHertz(x.f, x.f.Text2).has_value());
  EXPECT_EQ(x.recomputes(), 0);
  x.f.Rad.SetValue(0);
  EXPECT_EQ(x.f.Text2.Text, "abc");
}

// ---------------------------------------------------------------- supply

TEST(Supply, TextFromTheModelName) {
  struct Case {
    const char* model;
    QChar sep;
    const char* split;   // "Single Supply" clear
    const char* single;  // checked
  };
  const Case cases[] = {
      {"Ideal Op Amp", '.', "\u00b115", "30"},
      {"KVR2410/30-A", '.', "\u00b115", "30"},
      {"ZLN3302X/10", '.', "\u00b15", "10"},
      {"ZLN3302/40", '.', "\u00b120", "40"},
      {"ZLN3302/5_", '.', "\u00b12.5", "5"},
      {"ZLN3302/5_", ',', "\u00b12,5", "5"},
      {"KVR9005/1_x", ',', "\u00b10,5", "1"},
      {"KVR9005/3_", '.', "\u00b11.5", "3"},
      // No supply code, or one that is not known: the ideal amplifier's supply.
      {"KVR2410", '.', "\u00b115", "30"},
      {"KVR2410/99", '.', "\u00b115", "30"},
      {"KVR2410/", '.', "\u00b115", "30"},
      {"", '.', "\u00b115", "30"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(mainwindow::SupplyTextForModel(c.model, false, c.sep), QString(c.split))
        << c.model;
    EXPECT_EQ(mainwindow::SupplyTextForModel(c.model, true, c.sep), QString(c.single))
        << c.model;
  }
}

TEST(Supply, FollowsTheModelListAndTheSingleSupplyBox) {
  ChoiceFixture x;
  x.f.OpAmpModel.AddItem("ZLN3302/5_");
  x.f.OpAmpModel.SetListIndex(1);
  EXPECT_EQ(x.f.Vs.Text, "\u00b12.5");
  x.f.SScheck.SetValue(1);
  EXPECT_EQ(x.f.Vs.Text, "5");
  x.f.OpAmpModel.SetListIndex(0);
  EXPECT_EQ(x.f.Vs.Text, "30");
  // Each change re-checked the stage count for the simulation; none recomputed.
  EXPECT_EQ(x.count("Text18"), 3);
  EXPECT_EQ(x.recomputes(), 0);
}

}  // namespace
