// Band-pass and notch designs on the window: the stage count from the pole box, the stage
// pictures and connectors, the stage boxes, the stage letters, the values on the pictures,
// and what bad entries in the stage boxes do.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <array>
#include <vector>

#include "bpnotch_design.h"
#include "designview/bpnotchschematic.h"

// Sets of control names print as sorted lists. In the global namespace, where QSet lives, so
// that the test framework finds it.
static void PrintTo(const QSet<QString>& s, std::ostream* os) {
  QStringList l(s.begin(), s.end());
  l.sort();
  *os << '{' << l.join(", ").toStdString() << '}';
}

namespace {

using mainwindow::CalverdonForm;

// Names ("schLine(1)", "Line2") of the visible controls of one kind whose name is listed.
QSet<QString> VisibleNamed(const CalverdonForm& f, forms::ControlKind kind,
                           const QStringList& names) {
  QSet<QString> shown;
  for (const forms::Control* c : f.controls())
    if (c->kind == kind && c->Visible && names.contains(c->Name)) shown.insert(c->displayName());
  return shown;
}
QSet<QString> Pictures(const CalverdonForm& f) {
  return VisibleNamed(f, forms::ControlKind::Image, {"MFBbpwres", "MFBbpnores", "Fleige"});
}
QSet<QString> Connectors(const CalverdonForm& f) {
  return VisibleNamed(f, forms::ControlKind::Line, {"schLine", "Line2", "Line3"});
}

QSet<QString> Range(const QString& name, int first, int last) {
  QSet<QString> s;
  for (int i = first; i <= last; ++i) s.insert(QStringLiteral("%1(%2)").arg(name).arg(i));
  return s;
}
QSet<QString> One(const QString& name) { return {name}; }

// The value captions of stage i.
std::array<const forms::Label*, 9> StageCaptions(const CalverdonForm& f, int i) {
  return {&f.R1[i], &f.R2[i], &f.R3[i], &f.R4[i], &f.R5[i], &f.R6[i],
          &f.C1L[i], &f.C2L[i], &f.DCgain[i]};
}

const QStringList kBands = {"Band-Pass", "Notch"};

TEST(BPNotchSchematic, StageCountFromThePoleBox) {
  struct Case {
    const char* band;
    const char* poles;
    const char* written;  // the pole box afterwards
    int stages;
  };
  const Case cases[] = {
      {.band = "Band-Pass", .poles = "7", .written = "5", .stages = 5},
      {.band = "Notch", .poles = "7", .written = "5", .stages = 5},
      {.band = "Band-Pass", .poles = "5", .written = "5", .stages = 5},
      {.band = "Band-Pass", .poles = "1e39", .written = "5", .stages = 5},
      // Rounded half to even.
      {.band = "Band-Pass", .poles = "2.5", .written = "2.5", .stages = 2},
      {.band = "Notch", .poles = "3.5", .written = "3.5", .stages = 4},
      {.band = "Band-Pass", .poles = "3", .written = "3", .stages = 3},
      {.band = "Notch", .poles = "1", .written = "1", .stages = 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.band << " \"" << c.poles << '"');
    SequenceFixture s;
    RunBPNotchDesign(s, {.band = c.band, .stages = c.poles});
    const CalverdonForm& f = s.f;
    EXPECT_EQ(f.Text18.Text.toStdString(), c.written);
    EXPECT_EQ(f.PoleCount, c.stages);
    const bool notch = QString(c.band) == "Notch";
    QSet<QString> pictures;
    for (int i = 0; i < c.stages; ++i) {
      if (notch) {
        pictures += One(QStringLiteral("Fleige(%1)").arg(i));
      } else {
        // Empty gain boxes and Q 1 with exact resistors: every stage at its natural gain.
        pictures += One(QStringLiteral("MFBbpnores(%1)").arg(i));
      }
    }
    EXPECT_EQ(Pictures(f), pictures);
    EXPECT_EQ(VisibleNamed(f, forms::ControlKind::Label, {"SecLabel"}),
              Range("SecLabel", 0, c.stages - 1));
    for (int i = 0; i < 5; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(f.FnInput[i].Visible, i < c.stages);
      EXPECT_EQ(!f.R1[i].Caption.isEmpty(), i < c.stages);
    }
  }
}

// The letters over the readout rows: A always, then one per stage.
TEST(BPNotchSchematic, StageLettersFollowTheStageCount) {
  struct Case {
    const char* band;
    const char* poles;
    std::array<bool, 5> shown;
  };
  const Case cases[] = {
      {.band = "Band-Pass", .poles = "3", .shown = {true, true, true, false, false}},
      {.band = "Notch", .poles = "3", .shown = {true, true, true, false, false}},
      {.band = "Band-Pass", .poles = "1", .shown = {true, false, false, false, false}},
      {.band = "Notch", .poles = "0", .shown = {true, false, false, false, false}},
      {.band = "Notch", .poles = "9", .shown = {true, true, true, true, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.band << " " << c.poles);
    SequenceFixture s;
    // A five-stage design first, so every letter has been shown.
    RunBPNotchDesign(s, {.band = c.band, .stages = "5"});
    RunBPNotchDesign(s, {.band = c.band, .stages = c.poles});
    const forms::Label* letters[] = {&s.f.Label2, &s.f.Label3, &s.f.Label4, &s.f.Label5,
                                     &s.f.Label6};
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(letters[i]->Visible, c.shown[std::size_t(i)]) << i;
      EXPECT_EQ(letters[i]->Caption, QString(QChar('A' + i)));
    }
  }
}

// With one or two stages the pictures sit in one row; from three on the connectors carry
// the signal down to the second row, whose stages are joined by connectors of their own.
TEST(BPNotchSchematic, ConnectorsJoinTheStagesAndTheRows) {
  struct Case {
    const char* band;
    const char* poles;
    QSet<QString> lines;
  };
  const QSet<QString> rows = One("schLine(0)") + Range("schLine", 4, 6) + One("Line2");
  const Case cases[] = {
      {.band = "Band-Pass", .poles = "1", .lines = {}},
      {.band = "Band-Pass", .poles = "2", .lines = One("schLine(0)")},
      {.band = "Band-Pass", .poles = "3", .lines = rows},
      {.band = "Band-Pass", .poles = "4", .lines = rows + One("schLine(7)")},
      {.band = "Band-Pass", .poles = "5", .lines = rows + Range("schLine", 7, 8)},
      {.band = "Notch", .poles = "1", .lines = {}},
      {.band = "Notch", .poles = "2", .lines = One("schLine(0)")},
      {.band = "Notch", .poles = "3", .lines = rows},
      {.band = "Notch", .poles = "5", .lines = rows + Range("schLine", 7, 8)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.band << " " << c.poles);
    SequenceFixture s;
    // From a five-stage design of the other kind, so nothing is left over from a wider one.
    RunBPNotchDesign(s, {.band = kBands[1 - kBands.indexOf(c.band)], .stages = "5"});
    RunBPNotchDesign(s, {.band = c.band, .stages = c.poles});
    EXPECT_EQ(Connectors(s.f), c.lines);
  }
}

// The stage boxes in use are shown, the empty ones filled with the centre frequency (in
// hertz) and the default Q; the others are hidden and emptied.
TEST(BPNotchSchematic, StageBoxesInUseAreShownAndFilled) {
  struct Case {
    const char* band;
    bool radians;
    const char* centre;
    std::array<const char*, 5> fn, q;
  };
  const Case cases[] = {
      {.band = "Band-Pass",
       .radians = false,
       .centre = "2.2k",
       .fn = {"2.2kHz", "500", "2.2kHz", "", ""},
       .q = {"4", "2", "4", "", ""}},
      {.band = "Notch",
       .radians = false,
       .centre = "2.2k",
       .fn = {"2.2kHz", "500", "2.2kHz", "", ""},
       .q = {"4", "2", "4", "", ""}},
      // The centre box holds rad/s; the stage boxes take hertz.
      {.band = "Band-Pass",
       .radians = true,
       .centre = "6.2832k",
       .fn = {"1.00kHz", "500", "1.00kHz", "", ""},
       .q = {"4", "2", "4", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.band << (c.radians ? " rad/s" : " Hz"));
    SequenceFixture s;
    CalverdonForm& f = s.f;
    f.Rad.setFromUser(c.radians ? 1 : 0);
    RunBPNotchDesign(s, {.band = c.band,
                         .stages = "3",
                         .centre = c.centre,
                         .q = "4",
                         .rows = {{}, {"500", "2", ""}, {}, {"9k", "7", ""}, {"1k", "3", ""}}});
    for (int i = 0; i < 5; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(f.FnInput[i].Text.toStdString(), c.fn[std::size_t(i)]);
      EXPECT_EQ(f.QInput[i].Text.toStdString(), c.q[std::size_t(i)]);
      EXPECT_EQ(f.FnInput[i].Visible, i < 3);
      EXPECT_EQ(f.QInput[i].Visible, i < 3);
    }
  }
}

// Band-pass stages take a gain each; a notch stage has none, and its boxes are emptied.
TEST(BPNotchSchematic, GainBoxesOfBandPassStagesOnly) {
  for (const QString& band : kBands) {
    SCOPED_TRACE(band.toStdString());
    SequenceFixture s;
    CalverdonForm& f = s.f;
    RunBPNotchDesign(s, {.band = band,
                         .stages = "2",
                         .rows = {{"", "", "2"}, {"", "", ""}, {"", "", "3"}}});
    const bool notch = band == "Notch";
    for (int i = 0; i < 5; ++i) {
      SCOPED_TRACE(i);
      const bool inUse = !notch && i < 2;
      EXPECT_EQ(f.GainTB[i].Enabled && f.GainTB[i].BackColor == forms::kWhite, inUse);
      if (inUse) {
        EXPECT_TRUE(f.GainTB[i].Visible);
      }
    }
    if (notch) {
      for (const forms::TextBox& gain : f.GainTB) EXPECT_TRUE(gain.Text.isEmpty());
    } else {
      EXPECT_EQ(f.GainTB[0].Text, "2");
      EXPECT_EQ(f.GainTB[2].Text, "3");  // a box beyond the count keeps its text
    }
    EXPECT_FALSE(f.Frame2.Visible);
  }
}

// The schematic draws a band-pass stage without its divider when the entered gain equals
// the entered Q (or the default Q for an empty box); the pass then shows the stage as
// synthesised: with the divider exactly when the rounded parts give a natural gain above the
// asked one.
TEST(BPNotchSchematic, BandPassPictureFollowsTheDivider) {
  struct Case {
    const char* q;  // the stage's Q box; the default Q is 5
    const char* gain;
    const char* resistors;
    bool drawn;  // with the divider, by the schematic
    bool built;  // with the divider, after the pass
  };
  const Case cases[] = {
      {.q = "1", .gain = "", .resistors = "Exact", .drawn = false, .built = false},
      {.q = "5", .gain = "5", .resistors = "Exact", .drawn = false, .built = false},
      {.q = "", .gain = "5", .resistors = "Exact", .drawn = false, .built = false},
      {.q = "5", .gain = "2", .resistors = "Exact", .drawn = true, .built = true},
      {.q = "", .gain = "", .resistors = "Exact", .drawn = true, .built = true},
      // A gain above Q: drawn with a divider, built at the stage's natural gain.
      {.q = "5", .gain = "9", .resistors = "E24", .drawn = true, .built = false},
      // R2 = 2 Q R rounds up to 2.2 R: Q' = 1.1 is above the asked unity gain.
      {.q = "1", .gain = "", .resistors = "E12", .drawn = false, .built = true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "Q \"" << c.q << "\" gain \"" << c.gain << "\" "
                                    << c.resistors);
    SequenceFixture s;
    CalverdonForm& f = s.f;
    EnterBPNotchDesign(s, {.stages = "1",
                           .q = "5",
                           .resistors = c.resistors,
                           .rows = {{"1k", c.q, c.gain}}});
    designview::ShowBPNotchSchematic(f);
    EXPECT_EQ(f.MFBbpwres[0].Visible, c.drawn);
    EXPECT_NE(f.MFBbpnores[0].Visible, c.drawn);
    EXPECT_EQ(f.R4[0].Visible, c.drawn);
    f.SequenceUpdateScreen();
    EXPECT_EQ(f.MFBbpwres[0].Visible, c.built);
    EXPECT_NE(f.MFBbpnores[0].Visible, c.built);
    // The divider's labels are shown with its picture only, and carry its values.
    EXPECT_EQ(f.R4[0].Visible, c.built);
    EXPECT_EQ(f.R5[0].Visible, c.built);
    EXPECT_FALSE(f.R6[0].Visible);
    if (c.built) {
      EXPECT_GT(Shown(f, f.R4[0]).value_or(0), 0);
      EXPECT_GT(Shown(f, f.R5[0]).value_or(0), 0);
    }
  }
}

// An empty gain box is unity gain; with exact parts the readout shows the gain asked.
TEST(BPNotchSchematic, BandPassGainReadout) {
  struct Case {
    const char* fn;
    const char* q;
    const char* gain;
    const char* shown;
  };
  const Case cases[] = {
      {.fn = "1k", .q = "1", .gain = "", .shown = "1.00"},
      // The divider's single-precision arithmetic lands just below unity here.
      {.fn = "333", .q = "10", .gain = "", .shown = "1.00"},
      {.fn = "99k", .q = "7.7", .gain = "", .shown = "1.00"},
      {.fn = "4.567k", .q = "3.3", .gain = "2", .shown = "2.00"},
      // Above the stage's natural gain: the readout shows what the stage gives.
      {.fn = "1k", .q = "0.7", .gain = "", .shown = "700m"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.fn << " Hz Q " << c.q << " gain \"" << c.gain << '"');
    SequenceFixture s;
    RunBPNotchDesign(s, {.stages = "1", .rows = {{c.fn, c.q, c.gain}}});
    EXPECT_EQ(s.f.DCgain[0].Caption.toStdString(), c.shown);
    EXPECT_FLOAT_EQ(float(s.f.ShownStageGain[0].value_or(0)), float(*Shown(s.f, s.f.DCgain[0])));
  }
}

// Every notch stage is designed with the default Q, whatever its own Q box holds: the
// notch Q is RQ / (2 Rf), the labels R1 and R3.
TEST(BPNotchSchematic, NotchStagesTakeTheDefaultQ) {
  SequenceFixture s;
  const CalverdonForm& f = s.f;
  RunBPNotchDesign(s, {.band = "Notch",
                       .stages = "3",
                       .q = "2",
                       .rows = {{"1k", "8", ""}, {"5k", "0.5", ""}, {"20k", "", ""}}});
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const double q = *Shown(f, f.R1[i]) / (2 * *Shown(f, f.R3[i]));
    EXPECT_NEAR(q, 2.0, 2.0 * 0.01);  // the labels' three digits
    EXPECT_EQ(f.R1[i].Caption, f.R2[i].Caption);
    EXPECT_EQ(f.R3[i].Caption, f.R4[i].Caption);
    EXPECT_EQ(f.R5[i].Caption, f.R6[i].Caption);
    EXPECT_EQ(f.C1L[i].Caption, f.C2L[i].Caption);
    EXPECT_EQ(f.DCgain[i].Caption, "1");
    for (const forms::Label* l : {&f.R1[i], &f.R2[i], &f.R3[i], &f.R4[i], &f.R5[i], &f.R6[i],
                                  &f.C1L[i], &f.C2L[i], &f.SecLabel[i]})
      EXPECT_TRUE(l->Visible) << l->displayName().toStdString();
  }
  EXPECT_EQ(f.QInput[0].Text, "8");  // left as entered
}

// Bad entries never bring the pass down nor show "inf" or "nan"; a stage that cannot be
// built shows no values, and the other stages still show theirs.
TEST(BPNotchSchematic, BadEntriesLeaveTheOtherStagesShown) {
  enum Box { Fn, Q, Gain, Seed, Poles };
  const char* const boxNames[] = {"stage frequency", "stage Q", "gain", "seed", "pole count"};
  enum Outcome { Built, Empty, Any };
  struct Case {
    Box box;
    const char* text;
    Outcome bandPass, notch;  // stage B (every stage for the seed)
  };
  const Case cases[] = {
      // An empty stage frequency takes the centre frequency.
      {.box = Fn, .text = "", .bandPass = Built, .notch = Built},
      {.box = Fn, .text = "abc", .bandPass = Empty, .notch = Empty},
      {.box = Fn, .text = "0", .bandPass = Empty, .notch = Empty},
      {.box = Fn, .text = "-5", .bandPass = Empty, .notch = Empty},
      {.box = Fn, .text = "1e999", .bandPass = Empty, .notch = Empty},
      {.box = Fn, .text = "nan", .bandPass = Empty, .notch = Empty},
      {.box = Fn, .text = "1e38", .bandPass = Any, .notch = Any},
      {.box = Fn, .text = "1e-30", .bandPass = Any, .notch = Any},
      // Notch stages ignore their own Q box. A band-pass Q below what the stage can realise
      // gets its lowest Q.
      {.box = Q, .text = "", .bandPass = Built, .notch = Built},
      {.box = Q, .text = "abc", .bandPass = Empty, .notch = Built},
      {.box = Q, .text = "0", .bandPass = Built, .notch = Built},
      {.box = Q, .text = "-5", .bandPass = Built, .notch = Built},
      {.box = Q, .text = "1e999", .bandPass = Empty, .notch = Built},
      {.box = Q, .text = "nan", .bandPass = Empty, .notch = Built},
      {.box = Q, .text = "1e38", .bandPass = Any, .notch = Built},
      // Notch stages have no gain.
      {.box = Gain, .text = "", .bandPass = Built, .notch = Built},
      {.box = Gain, .text = "abc", .bandPass = Empty, .notch = Built},
      {.box = Gain, .text = "0", .bandPass = Empty, .notch = Built},
      {.box = Gain, .text = "-5", .bandPass = Empty, .notch = Built},
      {.box = Gain, .text = "1e999", .bandPass = Empty, .notch = Built},
      {.box = Gain, .text = "nan", .bandPass = Empty, .notch = Built},
      {.box = Gain, .text = "1e-30", .bandPass = Any, .notch = Built},
      {.box = Seed, .text = "", .bandPass = Empty, .notch = Empty},
      {.box = Seed, .text = "abc", .bandPass = Empty, .notch = Empty},
      {.box = Seed, .text = "0", .bandPass = Empty, .notch = Empty},
      {.box = Seed, .text = "-5", .bandPass = Empty, .notch = Empty},
      {.box = Seed, .text = "1e999", .bandPass = Empty, .notch = Empty},
      {.box = Seed, .text = "nan", .bandPass = Empty, .notch = Empty},
      {.box = Seed, .text = "1e38", .bandPass = Any, .notch = Any},
      {.box = Poles, .text = "", .bandPass = Any, .notch = Any},
      {.box = Poles, .text = "abc", .bandPass = Any, .notch = Any},
      {.box = Poles, .text = "0", .bandPass = Any, .notch = Any},
      {.box = Poles, .text = "-5", .bandPass = Any, .notch = Any},
      {.box = Poles, .text = "1e999", .bandPass = Any, .notch = Any},
      {.box = Poles, .text = "nan", .bandPass = Any, .notch = Any},
  };
  static const QRegularExpression nonFinite(QStringLiteral("\\b(inf|infinity|nan)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
  for (const QString& band : kBands) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << band.toStdString() << ", " << boxNames[c.box] << " \""
                                      << c.text << '"');
      BPNotchDesign d{.band = band,
                      .stages = "3",
                      .q = "3",
                      .resistors = "E24",
                      .capacitors = "E12",
                      .rows = {{"1k", "3", "2"}, {"2k", "3", "2"}, {"4k", "3", "2"}}};
      switch (c.box) {
        case Fn: d.rows[1].fn = c.text; break;
        case Q: d.rows[1].q = c.text; break;
        case Gain: d.rows[1].gain = c.text; break;
        case Seed: d.seed = c.text; break;
        case Poles: d.stages = c.text; break;
      }
      SequenceFixture s;
      const CalverdonForm& f = s.f;
      RunBPNotchDesign(s, d);
      ASSERT_GE(f.PoleCount, 0);
      ASSERT_LE(f.PoleCount, 5);
      // Every label in sight, and the value captions of every stage.
      std::vector<const forms::Label*> labels;
      for (const forms::Control* ctl : f.controls())
        if (ctl->kind == forms::ControlKind::Label && ctl->Visible)
          labels.push_back(static_cast<const forms::Label*>(ctl));
      for (int i = 0; i < 5; ++i)
        for (const forms::Label* l : StageCaptions(f, i)) labels.push_back(l);
      for (const forms::Label* l : labels) {
        EXPECT_FALSE(nonFinite.match(l->Caption).hasMatch())
            << l->displayName().toStdString() << " shows \"" << l->Caption.toStdString() << '"';
      }
      // A stage either shows all its values, each a positive number, or none.
      auto built = [&f](int i) {
        int shown = 0;
        for (const forms::Label* l : StageCaptions(f, i)) {
          if (l->Caption.isEmpty()) continue;
          ++shown;
          const std::optional<double> v = Shown(f, *l);
          EXPECT_TRUE(v && *v >= 0) << l->displayName().toStdString() << " \""
                                    << l->Caption.toStdString() << '"';
        }
        EXPECT_TRUE(shown == 0 || shown >= 6) << "stage " << i << " shows " << shown;
        return shown > 0;
      };
      const Outcome expected = band == "Notch" ? c.notch : c.bandPass;
      if (c.box == Poles) {
        for (int i = 0; i < f.PoleCount; ++i) EXPECT_TRUE(built(i)) << i;
        continue;
      }
      const bool everyStage = c.box == Seed;
      for (int i = 0; i < 3; ++i) {
        const bool b = built(i);
        if (i == 1 || everyStage) {
          if (expected != Any) {
            EXPECT_EQ(b, expected == Built) << "stage " << i;
          }
        } else {
          EXPECT_TRUE(b) << "stage " << i;
        }
      }
    }
  }
}

}  // namespace
