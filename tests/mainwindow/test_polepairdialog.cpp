// The pole-pair dialog: each entry format turned into the frequency and Q of the pole pair
// it describes, the present values turned into each format, OK, Cancel and Apply, and
// entries that describe no real section.
#include <gtest/gtest.h>

#include <cmath>

#include "polepair_fixture.h"

namespace {

using mainwindow::PoleEntryFormat;
using mainwindow::PolePairEntryForm;

constexpr double kFc = 1000;
const PoleEntryFormat kFormats[] = {PoleEntryFormat::ComplexTerms,
                                    PoleEntryFormat::PoleLocations, PoleEntryFormat::FnAndQ};

// A pole pair at -a +/- jb, normalised to the design frequency.
struct Pole {
  double a, b;
  double radius() const { return std::hypot(a, b); }
  double fn() const { return radius() * kFc; }
  double q() const { return radius() / (2 * a); }
};
const Pole kPoles[] = {{0.3, 0.9}, {0.05, 1.2}, {0.6, 0.2}, {1.5, 2.0}, {0.0004, 0.003}};

QString number(double v, QChar sep) { return withSep(QString::number(v, 'g', 9), sep); }
double value(const QString& text, QChar sep) {
  return engine::EngValue(text, sep).value_or(std::nan(""));
}

// The two entries of a format for a pole pair.
std::pair<double, double> entriesOf(const Pole& p, PoleEntryFormat format) {
  switch (format) {
    case PoleEntryFormat::ComplexTerms:
      return {p.a, p.b};
    case PoleEntryFormat::PoleLocations:
      return {p.radius() * p.radius(), 2 * p.a};
    case PoleEntryFormat::FnAndQ:
      break;
  }
  return {p.fn(), p.q()};
}

TEST(PolePairDialog, EachFormatGivesTheFrequencyAndQOfItsPolePair) {
  for (QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
    for (const Pole& p : kPoles) {
      for (PoleEntryFormat format : kFormats) {
        PolePairFixture s(sep);
        s.doubleClick(s.f.FnInput[2]);
        s.choose(format);
        const auto [x, y] = entriesOf(p, format);
        s.enter(s.dialog().Text1, number(x, sep));
        s.enter(s.dialog().Text2, number(y, sep));
        SCOPED_TRACE(testing::Message() << "pole " << p.a << " +/- j" << p.b << ", format "
                                        << int(format) << ", separator " << char(sep.unicode()));
        const PolePairEntryForm& d = s.dialog();
        EXPECT_TRUE(d.Label9.Caption.endsWith("Hz"));
        EXPECT_NEAR(value(d.Label9.Caption, sep) / p.fn(), 1, 1e-4) << d.Label9.Caption.toStdString();
        EXPECT_NEAR(value(d.Label8.Caption, sep) / p.q(), 1, 1e-4) << d.Label8.Caption.toStdString();
        EXPECT_TRUE(s.messages().isEmpty());
      }
    }
  }
}

TEST(PolePairDialog, ThePresentValuesAreShownInTheChosenFormat) {
  for (QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
    for (const Pole& p : kPoles) {
      PolePairFixture s(sep);
      s.f.FnInput[1].Text = engine::Engsuffix(float(p.fn()), 7, "Hz", sep);
      s.f.QInput[1].Text = engine::Engsuffix(float(p.q()), 7, "", sep);
      s.doubleClick(s.f.QInput[1]);
      const PolePairEntryForm& d = s.dialog();
      EXPECT_EQ(d.Label2.Caption, s.f.FnInput[1].Text);
      EXPECT_EQ(d.Label3.Caption, s.f.QInput[1].Text);
      for (PoleEntryFormat format : {PoleEntryFormat::ComplexTerms, PoleEntryFormat::PoleLocations}) {
        s.choose(format);
        const auto [x, y] = entriesOf(p, format);
        EXPECT_NEAR(value(d.Text1.Text, sep) / x, 1, 2e-4) << int(format);
        EXPECT_NEAR(value(d.Text2.Text, sep) / y, 1, 2e-4) << int(format);
        // Taken back unchanged, they give the present values.
        s.press(s.dialog().Apply);
        EXPECT_NEAR(value(s.f.FnInput[1].Text, sep) / p.fn(), 1, 2e-4);
        EXPECT_NEAR(value(s.f.QInput[1].Text, sep) / p.q(), 1, 2e-4);
      }
      s.choose(PoleEntryFormat::FnAndQ);
      EXPECT_EQ(d.Text1.Text, d.Label2.Caption);
      EXPECT_EQ(d.Text2.Text, d.Label3.Caption);
      EXPECT_TRUE(s.messages().isEmpty());
    }
  }
}

TEST(PolePairDialog, NamesTheEntriesOfEachFormat) {
  PolePairFixture s;
  s.f.FnInput[1].Text = "2.0000kHz";
  s.f.QInput[1].Text = "707.10m";
  s.doubleClick(s.f.FnInput[1]);
  PolePairEntryForm& d = s.dialog();
  EXPECT_EQ(d.Caption, "Calverdon Custom Pole Entry");
  EXPECT_EQ(d.DataType.Text(), "Fn & Q");
  EXPECT_EQ(d.DataType.items(), (QStringList{"Complex Terms", "Pole Locations", "Fn & Q"}));
  EXPECT_EQ(d.Label14.Caption, "Fn");
  EXPECT_EQ(d.Label9.Caption, "2.0000kHz");
  EXPECT_EQ(d.Label8.Caption, "707.10m");
  s.choose(PoleEntryFormat::PoleLocations);
  EXPECT_EQ(d.Label14.Caption, "b0");
  EXPECT_EQ(d.Label13.Caption, "b1");
  EXPECT_EQ(d.Text1.Text, "4.0000");
  EXPECT_EQ(d.Text2.Text, "2.8285");
  s.choose(PoleEntryFormat::ComplexTerms);
  EXPECT_EQ(d.Label14.Caption, "-a");
  EXPECT_EQ(d.Label13.Caption, QString::fromUtf8("±jß"));
  EXPECT_EQ(d.Text1.Text, "1.4142");
  EXPECT_EQ(d.Text2.Text, "1.4142");
  EXPECT_EQ(d.Label9.Caption, "2.0000kHz");
}

TEST(PolePairDialog, AFirstOrderSectionHasOnlyItsPole) {
  PolePairFixture s;
  s.f.FnInput[0].Text = "500.00Hz";
  s.f.QInput[0].Text = "keep";
  s.doubleClick(s.f.FnInput[0]);
  PolePairEntryForm& d = s.dialog();
  EXPECT_FALSE(d.HasQ());
  for (forms::Control* c : std::initializer_list<forms::Control*>{
           &d.Label3, &d.Label4, &d.Text2, &d.Label13, &d.Label8, &d.Label11})
    EXPECT_FALSE(c->Visible) << c->Name.toStdString();
  // The real pole -a and the coefficient b0 of s + b0 are both Fn / fc.
  for (PoleEntryFormat format : {PoleEntryFormat::ComplexTerms, PoleEntryFormat::PoleLocations}) {
    s.choose(format);
    EXPECT_EQ(d.Text1.Text, "500.00m");
    EXPECT_EQ(d.Label9.Caption, "500.00Hz");
  }
  s.enter(d.Text1, "0.25");
  EXPECT_EQ(d.Label9.Caption, "250.00Hz");
  s.press(d.Apply);
  EXPECT_EQ(s.f.FnInput[0].Text, "250.00Hz");
  EXPECT_EQ(s.f.QInput[0].Text, "keep");
  // As frequency, the text is taken as typed.
  s.choose(PoleEntryFormat::FnAndQ);
  EXPECT_EQ(d.Text1.Text, "500.00Hz");  // the present value
  s.enter(d.Text1, "1e9");
  EXPECT_EQ(d.Label9.Caption, "200.00MHz");
  s.enter(d.Text1, "320");
  s.press(d.Command1);
  EXPECT_EQ(s.f.FnInput[0].Text, "320");
  EXPECT_EQ(s.f.LowPassFnText[0], "320");
  EXPECT_EQ(s.f.QTextLP[0], "");
}

TEST(PolePairDialog, ApplyAndOkWriteBackAndRunOnePassCancelWritesNothing) {
  PolePairFixture s;
  s.f.SuppressUpdate = true;  // the dialog's pass runs whatever the busy flag
  s.doubleClick(s.f.FnInput[1]);
  PolePairEntryForm& d = s.dialog();
  s.enter(d.Text1, "2k");
  s.enter(d.Text2, "3");
  s.press(d.Apply);
  EXPECT_EQ(s.f.FnInput[1].Text, "2.0000kHz");
  EXPECT_EQ(s.f.QInput[1].Text, "3.0000");
  EXPECT_EQ(s.f.LowPassFnText[1], "2.0000kHz");
  EXPECT_EQ(s.f.QTextLP[1], "3.0000");
  EXPECT_EQ(s.passes, 1);
  EXPECT_EQ(s.sequences, 0);
  EXPECT_FALSE(s.dialogClosed());

  s.enter(d.Text1, "2.5k");
  s.press(d.Command1);
  EXPECT_EQ(s.f.FnInput[1].Text, "2.5000kHz");
  EXPECT_EQ(s.passes, 2);
  EXPECT_TRUE(s.dialogClosed());

  // Cancel: nothing written, nothing computed.
  s.doubleClick(s.f.FnInput[2]);
  s.enter(d.Text1, "7k");
  s.enter(d.Text2, "9");
  s.press(d.Command2);
  EXPECT_EQ(s.f.FnInput[2].Text, "3.0000kHz");
  EXPECT_EQ(s.f.QInput[2].Text, "1.5000");
  EXPECT_EQ(s.passes, 2);
  EXPECT_TRUE(s.dialogClosed());

  // Reopened: the format chosen last stays; the high-pass half keeps its own copies.
  s.doubleClick(s.f.FnInput[2]);
  s.choose(PoleEntryFormat::ComplexTerms);
  s.press(d.Command2);
  s.f.HighPassHalf = 1;
  s.doubleClick(s.f.FnInput[3]);
  EXPECT_EQ(d.DataType.ListIndex(), 0);
  EXPECT_EQ(d.Label14.Caption, "-a");
  s.enter(d.Text1, "0.5");
  s.enter(d.Text2, "1");
  s.press(d.Command1);
  EXPECT_EQ(s.f.HighPassFnText[3], s.f.FnInput[3].Text);
  EXPECT_EQ(s.f.QTextHP[3], s.f.QInput[3].Text);
  EXPECT_EQ(s.f.LowPassFnText[3], "");
  EXPECT_TRUE(s.messages().isEmpty());

  // The design changed while the dialog was open: its section is gone, nothing is written.
  s.doubleClick(s.f.FnInput[2]);
  s.enter(d.Text1, "0.4");
  s.enter(d.Text2, "1");
  const int passes = s.passes;
  s.showPassBandWithoutHandler("Band-Pass");
  s.press(d.Apply);
  s.showPassBandWithoutHandler("Low-Pass");
  s.f.FnInput[2].Visible = false;
  s.press(d.Command1);
  EXPECT_EQ(s.f.FnInput[2].Text, "3.0000kHz");
  EXPECT_EQ(s.passes, passes);
}

TEST(PolePairDialog, EntriesWithoutARealSectionAreAnsweredAndWriteNothing) {
  struct Case {
    PoleEntryFormat format;
    const char *first, *second;
  };
  for (const Case& c : std::vector<Case>{
           {PoleEntryFormat::ComplexTerms, "0", "1"},
           {PoleEntryFormat::ComplexTerms, "-0.3", "0.9"},
           {PoleEntryFormat::ComplexTerms, "0.3", ""},
           {PoleEntryFormat::PoleLocations, "-4", "1"},
           {PoleEntryFormat::PoleLocations, "4", "0"},
           {PoleEntryFormat::PoleLocations, "4", "-1"},
           {PoleEntryFormat::PoleLocations, "4", "1e-40"},
           {PoleEntryFormat::FnAndQ, "0", "1"},
           {PoleEntryFormat::FnAndQ, "1k", "0"},
           {PoleEntryFormat::FnAndQ, "abc", "1"},
           {PoleEntryFormat::FnAndQ, "1k", "nan"},
       }) {
    PolePairFixture s;
    s.doubleClick(s.f.FnInput[1]);
    PolePairEntryForm& d = s.dialog();
    s.choose(c.format);
    d.Text1.Text = c.first;
    s.enter(d.Text2, c.second);
    const std::string where = std::string(c.first) + " / " + c.second;
    EXPECT_EQ(s.messages(), QStringList{mainwindow::kNotUnderstood}) << where;
    EXPECT_EQ(d.Label9.Caption, "") << where;
    EXPECT_EQ(d.Label8.Caption, "") << where;
    s.press(d.Apply);
    s.press(d.Command1);
    EXPECT_EQ(s.f.FnInput[1].Text, "2.0000kHz") << where;
    EXPECT_EQ(s.f.QInput[1].Text, "1.5000") << where;
    EXPECT_EQ(s.passes, 0) << where;
    EXPECT_FALSE(s.dialogClosed()) << where;
  }
  // A section far beyond the range of the section boxes is clamped as they clamp it.
  {
    PolePairFixture s;
    s.doubleClick(s.f.FnInput[1]);
    s.choose(PoleEntryFormat::ComplexTerms);
    s.enter(s.dialog().Text1, "1e30");
    s.enter(s.dialog().Text2, "1e30");
    EXPECT_EQ(s.dialog().Label9.Caption, "200.00MHz");
    EXPECT_EQ(s.dialog().Label8.Caption, "707.11m");
  }
  // Two real poles (Q below one half) have no complex terms: the entries stay empty.
  PolePairFixture s;
  s.f.QInput[1].Text = "0.4";
  s.doubleClick(s.f.FnInput[1]);
  s.choose(PoleEntryFormat::ComplexTerms);
  EXPECT_EQ(s.dialog().Text1.Text, "");
  EXPECT_EQ(s.dialog().Text2.Text, "");
  EXPECT_EQ(s.dialog().Label9.Caption, "");
  EXPECT_TRUE(s.messages().isEmpty());
  s.choose(PoleEntryFormat::PoleLocations);
  EXPECT_EQ(s.dialog().Text1.Text, "4.0000");
  EXPECT_EQ(s.dialog().Text2.Text, "5.0000");
}

// Hostile text in either entry of every format, for a section with and without Q: no "inf"
// or "nan" anywhere, and whatever reaches the section boxes is a frequency and a Q.
TEST(PolePairDialog, HostileEntriesNeverReachTheSectionBoxesUnread) {
  const QStringList inputs = HostileTexts() << "1e30" << "-1e30" << "1e-30";
  for (QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
    for (int row : {0, 2}) {
      PolePairFixture s(sep);
      s.doubleClick(s.f.FnInput[row]);
      PolePairEntryForm& d = s.dialog();
      for (PoleEntryFormat format : kFormats) {
        s.choose(format);
        for (forms::TextBox* entry : {&d.Text1, &d.Text2}) {
          for (const QString& input : inputs) {
            s.enter(*entry, input);
            s.press(d.Apply);
            const std::string where = "row " + std::to_string(row) + ", format " +
                                      std::to_string(int(format)) + " <- " +
                                      input.left(20).toStdString();
            entry->Text.clear();  // what was typed; the rest of the dialog is computed
            ASSERT_EQ(FirstNonNumber(d), "") << where;
            ASSERT_EQ(FirstNonNumber(s.f), "") << where;
            const auto fn = engine::EngValue(s.f.FnInput[row].Text, sep);
            ASSERT_TRUE(fn && *fn >= 0.001 && *fn <= 2e8) << where;
            if (row > 0) {
              const auto q = engine::EngValue(s.f.QInput[row].Text, sep);
              ASSERT_TRUE(q && *q > 0) << where;
            }
          }
        }
      }
      EXPECT_EQ(s.sequences, 0);
    }
  }
}

}  // namespace
