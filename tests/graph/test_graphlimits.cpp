// The engineer's own gain limits and frequency window, and the cursor picked with the mouse.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <cmath>

#include "engine/engnotation.h"
#include "graph/gainaxis.h"
#include "graphedit_fixture.h"

namespace {

using forms::Event;

bool finiteText(const QString& s) {
  return !s.contains(QRegularExpression(QStringLiteral("inf|nan"),
                                        QRegularExpression::CaseInsensitiveOption));
}

// The frequency boxes and the legend in radians per second.
void radians(mainwindow::CalverdonForm& f) {
  f.Rad.setFromUser(1);
  f.FreqUnitFactor = 2 * M_PI;
}

TEST(GainLimits, ClickingAnEndLabelOpensItsBoxWithBothAxisEnds) {
  GraphEditFixture g;
  graph::LabelAmplitudeAxis(g.f, 0);
  g.raise("Ampl", Event::Click, 4);
  EXPECT_FALSE(g.f.TopAmp.Visible || g.f.BotAmp.Visible) << "a middle label opens nothing";
  g.raise("Ampl", Event::Click, 0);
  EXPECT_TRUE(g.f.TopAmp.Visible);
  EXPECT_FALSE(g.f.BotAmp.Visible);
  EXPECT_EQ(g.f.TopAmp.Text, "10dB");
  EXPECT_EQ(g.f.BotAmp.Text, "-70dB");
  EXPECT_EQ(g.sequences, 0);
}

TEST(GainLimits, LeavingABoxAcceptsOrEmptiesIt) {
  struct Case {
    const char* box;  // the box left
    const char* top;
    const char* bottom;  // "" : empty, the axis end label stands for it
    bool accepted;
  };
  const Case cases[] = {
      {"TopAmp", "150", "-70dB", false},
      {"TopAmp", "100", "-300", true},
      {"BotAmp", "100", "-300", true},
      {"BotAmp", "10dB", "-301", false},
      {"BotAmp", "-100", "-100.1", false},  // 0.1 dB apart
      {"BotAmp", "-100", "-100.2", true},
      {"TopAmp", "-101", "-300", false},
      {"TopAmp", "-20dB", "-70dB", true},
      {"TopAmp", "5", "", true},  // against the bottom label, -70 dB
      {"TopAmp", "-69.9", "", false},
      {"TopAmp", "abc", "-70dB", false},
      {"TopAmp", "1e999", "-70dB", false},  // reads as 1999
      {"BotAmp", "10dB", "nan", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.box) + " " + c.top + " / " + c.bottom);
    GraphEditFixture g;
    graph::LabelAmplitudeAxis(g.f, 0);
    g.f.TopAmp.Visible = g.f.BotAmp.Visible = true;
    g.f.TopAmp.Text = c.top;
    g.f.BotAmp.Text = c.bottom;
    g.f.PromptTopic = 1;
    g.raise(c.box, Event::LostFocus);
    forms::TextBox& left = *static_cast<forms::TextBox*>(g.f.find(c.box));
    EXPECT_TRUE(left.Visible);
    EXPECT_EQ(left.Text.isEmpty(), !c.accepted);
    EXPECT_EQ(g.sequences, c.accepted ? 1 : 0);
    EXPECT_EQ(g.f.PromptTopic, !c.accepted ? 1 : left.Name == "TopAmp" ? 21 : 20);
    EXPECT_TRUE(g.fake.messages.shown.empty());
  }
}

TEST(GainLimits, AnEmptiedBoxDisappearsWithoutRecomputing) {
  GraphEditFixture g(QLatin1Char(','));
  g.f.TopAmp.Visible = true;
  g.f.TopAmp.Text = "";
  g.f.BotAmp.Text = "-70dB";
  g.raise("TopAmp", Event::LostFocus);
  EXPECT_FALSE(g.f.TopAmp.Visible);
  EXPECT_EQ(g.sequences, 0);

  // The locale's separator and the other one both read.
  g.f.TopAmp.Visible = true;
  for (const char* typed : {"4,5", "4.5"}) {
    g.f.TopAmp.Text = typed;
    g.raise("TopAmp", Event::LostFocus);
    EXPECT_EQ(g.f.TopAmp.Text, typed);
  }
  EXPECT_EQ(g.sequences, 2);
}

struct WindowCase {
  const char* start;  // text left in StartF, nullptr: the box is not used
  const char* end;
  bool rad;
  const char* startShown;  // what the box holds afterwards ("" : given up and hidden)
  const char* endShown;
  float decades;
  bool message;
};

TEST(FrequencyWindow, LegendClicksOpenTheBoxesAndLeavingThemSetsTheWindow) {
  const WindowCase cases[] = {
      {"20", "20k", false, "20.0Hz", "20.0kHz", 3, false},
      {"10 Hz", "50kHz", false, "10.0Hz", "50.0kHz", 3.69897f, false},
      {"628", nullptr, true, "628Rad/s", nullptr, 3, false},  // radians per second, 100 Hz
      {"abc", nullptr, false, "", nullptr, 3, true},
      {"0", nullptr, false, "", nullptr, 3, false},
      {"", nullptr, false, "", nullptr, 3, false},
      {nullptr, "50", false, nullptr, "", 3, false},  // below the start: the legend's end stands
      {nullptr, "100.1", false, nullptr, "", 3, false},  // a window of no width
      {"1e-9", nullptr, false, "1.00mHz", nullptr, 8, false},  // clamped to 0.001 Hz
      {"-1k", "1e9", false, "1.00kHz", "200MHz", 5.30103f, false},
      {"1k", "1e99", false, "1.00kHz", "", 2, true},  // beyond any number the boxes hold
  };
  for (const WindowCase& c : cases) {
    SCOPED_TRACE(std::string(c.start ? c.start : "-") + " .. " + (c.end ? c.end : "-"));
    GraphEditFixture g;
    if (c.rad) radians(g.f);
    g.f.Gfreq[0].Caption = c.rad ? "628Rad/s" : "100Hz";
    g.f.Gfreq[3].Caption = c.rad ? "628kRad/s" : "100kHz";
    int leaves = 0;
    for (auto [typed, shown, index, name] : {std::tuple{c.start, c.startShown, 0, "StartF"},
                                             std::tuple{c.end, c.endShown, 3, "EndF"}}) {
      if (!typed) continue;
      forms::TextBox& box = *static_cast<forms::TextBox*>(g.f.find(name));
      g.raise("Gfreq", Event::Click, index);
      EXPECT_TRUE(box.Visible);
      EXPECT_EQ(box.Text, g.f.Gfreq[index].Caption);
      EXPECT_EQ(g.f.ActiveControl, &box);
      box.Text = typed;
      g.raise(name, Event::LostFocus);
      ++leaves;
      EXPECT_EQ(box.Text, shown);
      EXPECT_EQ(box.Visible, *shown != '\0');
      EXPECT_TRUE(finiteText(box.Text));
    }
    EXPECT_FLOAT_EQ(g.f.AxisDecades, c.decades);
    EXPECT_EQ(g.sequences, leaves);
    EXPECT_EQ(g.fake.messages.texts(),
              c.message ? QStringList{"Entry is not understood."} : QStringList{});
  }
}

TEST(FrequencyWindow, MiddleLegendLabelsOpenNothing) {
  GraphEditFixture g;
  g.raise("Gfreq", Event::Click, 1);
  g.raise("Gfreq", Event::Click, 2);
  EXPECT_FALSE(g.f.StartF.Visible || g.f.EndF.Visible);
}

TEST(Cursor, MouseDownWritesTheFrequencyUnderThePointer) {
  struct Case {
    const char* start;  // the legend, or the start box when shown
    const char* end;
    bool startBox;
    bool rad;
    double xFraction;
    double expectedHertz;  // 0: worked out from the axis below
  };
  const Case cases[] = {
      {"100Hz", "100kHz", false, false, 0, 100},
      {"100Hz", "100kHz", false, false, 1.0 / 3, 1000},
      {"100Hz", "100kHz", false, false, 1, 100000},
      {"20.0Hz", "20.0kHz", true, false, 0.4321, 0},
      {"10Hz", "50kHz", false, false, 0.77, 0},
      {"628Rad/s", "628kRad/s", false, true, 1.0 / 3, 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " at " + std::to_string(c.xFraction));
    GraphEditFixture g;
    if (c.rad) radians(g.f);
    g.f.Gfreq[0].Caption = c.startBox ? "100Hz" : c.start;
    g.f.Gfreq[3].Caption = c.end;
    if (c.startBox) {
      g.f.StartF.Visible = true;
      g.f.StartF.Text = c.start;
    }
    const double width = g.f.Graph.Width;
    const double x = c.xFraction * width;
    forms::EventArgs args;
    args.X = static_cast<float>(x);
    args.Button = forms::kLeftButton;
    g.f.raise(g.f.Graph, Event::MouseDown, args);

    // The axis puts frequency f at x = width * log10(f / start) / decades.
    const double start = c.rad ? 100 : engine::EngValue(c.start, '.').value();
    const double end = c.rad ? 100000 : engine::EngValue(c.end, '.').value();
    const double expected =
        c.expectedHertz > 0 ? c.expectedHertz
                            : start * std::pow(end / start, x / width);
    const double shown = engine::EngValue(g.f.RespF.Text, '.').value() / (c.rad ? 2 * M_PI : 1);
    const double sweepStep = 1 + std::log10(end / start) * 0.012193 / 3;
    EXPECT_LT(std::fabs(std::log(shown / expected)), std::log(sweepStep)) << g.f.RespF.Text.toStdString();
    EXPECT_EQ(g.sequences, 0) << "the click that follows recomputes";
  }
}

TEST(Cursor, AnUnreadableWindowGivesZeroAndNoNonNumbers) {
  GraphEditFixture g;
  g.f.Gfreq[0].Caption = "";
  graph::Graph_MouseDown(g.f, 1200);
  EXPECT_EQ(g.f.RespF.Text, "0");
  g.f.Graph.Width = 0;
  g.f.Gfreq[0].Caption = "100Hz";
  graph::Graph_MouseDown(g.f, 1200);
  EXPECT_EQ(g.f.RespF.Text, "0");
}

TEST(Decades, AChoiceRecomputesEvenWhileBusy) {
  GraphEditFixture g;
  g.f.SuppressUpdate = true;
  g.raise("Decades", Event::Click);
  EXPECT_EQ(g.sequences, 1);
}

}  // namespace
