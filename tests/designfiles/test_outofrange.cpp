// Hand-edited design files whose numbers lie outside what the boxes take: opened with File
// "Open" or read as the default design at start-up, each opens as the boxes would have it had
// the numbers been typed (clamped as the box's validation clamps them), so the boxes show the
// design computed; a number no item can hold is a damaged file that changes nothing.
#include <gtest/gtest.h>

#include <functional>

#include "engine/engnotation.h"
#include "files_fixture.h"

namespace {

using mainwindow::CalverdonForm;

// What the window computed and shows beside the boxes: the components and the readouts.
QStringList computed(const CalverdonForm& f) {
  QStringList out;
  for (int i = 0; i < 5; ++i)
    for (const auto* row : {&f.R1, &f.R2, &f.R3, &f.R4, &f.R5, &f.R6, &f.C1L, &f.C2L, &f.FSFreq,
                            &f.Qdisp, &f.GBPreq})
      out << (*row)[i].Caption;
  for (const auto& l : f.DCgain) out << l.Caption;
  out << QString::number(f.PoleCount);
  return out;
}

struct Case {
  const char* name;
  std::function<void(CalverdonForm&)> build;       // the design saved
  std::function<void(designfiles::DesignRecord&)> edit;  // the hand edit
  // The boxes that edit goes to, typed with the edited text: nothing for a damaged file.
  std::function<forms::TextBox&(CalverdonForm&)> box;
  QString typed;
  double shown = 0;  // the value the box then holds
};

void lowPass(CalverdonForm& f, const QString& response) {
  f.Passband.SetListIndex(0);
  f.TypeFilter.SetText(response);
  f.CircuitType.SetListIndex(1);
}

void customFnQ(CalverdonForm& f) {
  lowPass(f, QStringLiteral("Custom Fn&Q"));
  f.Text18.Text = QStringLiteral("4");
  f.raise(f.Text18, forms::Event::Validate);
  for (int k = 0; k < 2; ++k) {
    f.FnInput[k].Text = QStringLiteral("1.5k");
    f.raise(f.FnInput[k], forms::Event::Validate);
    f.QInput[k].Text = QStringLiteral("0.8");
    f.raise(f.QInput[k], forms::Event::Validate);
  }
}

void bandPass(CalverdonForm& f) {
  f.Passband.SetListIndex(2);
  f.Text18.Text = QStringLiteral("2");
  f.raise(f.Text18, forms::Event::Validate);
}

void wideBandPass(CalverdonForm& f) {
  f.Passband.SetListIndex(4);
  f.TypeFilter.SetText(QStringLiteral("Butterworth"));
}

}  // namespace

TEST(DesignFile, NumbersNoBoxTakesOpenAsTheBoxesWouldHaveThemOnBothPaths) {
  using R = designfiles::DesignRecord;
  const auto butterworth = [](CalverdonForm& f) { lowPass(f, QStringLiteral("Butterworth")); };
  const auto chebychev = [](CalverdonForm& f) {
    lowPass(f, QStringLiteral("Chebychev"));
    f.Text19.Text = QStringLiteral("0.5");
    f.raise(f.Text19, forms::Event::Validate);
  };
  const Case cases[] = {
      {"resistor seed -1e30", butterworth, [](R& r) { r.scaleResistor = -1e30f; },
       [](CalverdonForm& f) -> forms::TextBox& { return f.Text12; }, "-1e30", 1e7},
      {"resistor seed 3", butterworth, [](R& r) { r.scaleResistor = 3; },
       [](CalverdonForm& f) -> forms::TextBox& { return f.Text12; }, "3", 100},
      {"section Fn 1e30", customFnQ, [](R& r) { r.fn[0] = "1e30"; },
       [](CalverdonForm& f) -> forms::TextBox& { return f.FnInput[0]; }, "1e30", 2e8},
      {"section Q -5", customFnQ, [](R& r) { r.q[1] = "-5"; },
       [](CalverdonForm& f) -> forms::TextBox& { return f.QInput[1]; }, "-5", 5},
      {"section Q 1e30", customFnQ, [](R& r) { r.q[0] = "1e30"; },
       [](CalverdonForm& f) -> forms::TextBox& { return f.QInput[0]; }, "1e30", 2e8},
      {"stage Q 1e9", bandPass, [](R& r) { r.q[1] = "1e9"; },
       [](CalverdonForm& f) -> forms::TextBox& { return f.QInput[1]; }, "1e9", 2e8},
      {"pole count 99", butterworth, [](R& r) { r.poleCount = 99; },
       [](CalverdonForm& f) -> forms::TextBox& { return f.Text18; }, "99", 10},
      {"pole count 0", butterworth, [](R& r) { r.poleCount = 0; },
       [](CalverdonForm& f) -> forms::TextBox& { return f.Text18; }, "0", 2},
      {"stage count 9", bandPass, [](R& r) { r.poleCount = 9; },
       [](CalverdonForm& f) -> forms::TextBox& { return f.Text18; }, "5", 5},
      {"high-pass half poles 40", wideBandPass, [](R& r) { r.text1 = "40"; },
       [](CalverdonForm& f) -> forms::TextBox& { return f.Text1; }, "40", 10},
      {"cutoff 1e30", butterworth, [](R& r) { r.cutoff = 1e30f; },
       [](CalverdonForm& f) -> forms::TextBox& { return f.Text34; }, "1e30", 2e8},
      {"ripple 25", chebychev, [](R& r) { r.ripple = "25"; },
       [](CalverdonForm& f) -> forms::TextBox& { return f.Text19; }, "25", 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The saved design, and the file edited by hand.
    FilesFixture saved;
    designfiles::LoadNoDefaultFile(saved.f);
    c.build(saved.f);
    saved.f.SequenceUpdateScreen();
    const auto read = designfiles::ReadDesignRecord(saved.save(QStringLiteral("base.cvf")));
    ASSERT_EQ(read.status, designfiles::ReadStatus::Ok);
    designfiles::DesignRecord edited = read.record;
    c.edit(edited);
    const QByteArray bytes = designfiles::WriteDesignRecord(edited);

    // File "Open", and the file as the user's default design at start-up: the edited file,
    // and the saved one with the edit typed into its box.
    for (const bool atStart : {false, true}) {
      SCOPED_TRACE(atStart ? "default design at start-up" : "File Open");
      auto open = [atStart](FilesFixture& w, const QByteArray& file) {
        if (atStart) {
          w.write(w.path(QStringLiteral("user/CVdef.cvf")), file);
          mainwindow::Form_Load(w.f, QLatin1Char('.'));
          mainwindow::Form_Initialize(w.f, &designfiles::OpenDefault);
          EXPECT_TRUE(w.f.DesignLoaded);
        } else {
          designfiles::LoadNoDefaultFile(w.f);
          w.write(w.path(QStringLiteral("hand.cvf")), file);
          w.fake.fileDialogs.openAnswer = w.path(QStringLiteral("hand.cvf"));
          w.click(QStringLiteral("mnuFileOpen"));
        }
      };
      FilesFixture typed;
      open(typed, saved.read(saved.path("base.cvf")));
      forms::TextBox& typedBox = c.box(typed.f);
      typedBox.Text = c.typed;
      typed.f.raise(typedBox, forms::Event::Validate);
      typed.f.SequenceUpdateScreen();
      EXPECT_NEAR(engine::EngValue(typedBox.Text, '.').value_or(0) / c.shown, 1.0, 1e-6)
          << typedBox.Text.toStdString();

      FilesFixture x;
      open(x, bytes);
      const forms::TextBox& box = c.box(x.f);
      EXPECT_NEAR(engine::EngValue(box.Text, '.').value_or(0) / c.shown, 1.0, 1e-6)
          << box.Text.toStdString();
      EXPECT_EQ(computed(x.f).join("|").toStdString(), computed(typed.f).join("|").toStdString());
      EXPECT_EQ(x.fake.messages.texts(), typed.fake.messages.texts());
      // Saved again, the file holds what the window shows (typing a frequency also moves the
      // graph's window, which the file keeps).
      designfiles::DesignRecord expected = designfiles::RecordOf(typed.f);
      const designfiles::DesignRecord got = designfiles::RecordOf(x.f);
      expected.gfreqStart = got.gfreqStart;
      expected.gfreqStartAgain = got.gfreqStartAgain;
      expected.gfreqEnd = got.gfreqEnd;
      expected.axisDecades = got.axisDecades;
      EXPECT_EQ(got, expected);
    }
  }
}

// No box reads a number beyond the single range ("Entry is not understood."), and no number
// item of the file may hold one.
TEST(DesignFile, ANumberBeyondTheSingleRangeIsADamagedFile) {
  const struct {
    const char* name;
    std::function<void(QByteArray&, designfiles::DesignRecord&)> edit;
  } cases[] = {
      {"resistor seed 1e39",
       [](QByteArray& bytes, designfiles::DesignRecord&) {
         if (bytes.isEmpty()) return;  // the record's item is written first
         const qsizetype seed = bytes.indexOf(",10000,");
         ASSERT_GT(seed, 0);
         bytes.replace(seed, 7, ",1e39,");
       }},
      {"section Fn 1e308", [](QByteArray&, designfiles::DesignRecord& r) { r.fn[0] = "1e308"; }},
      {"section Q -1e308", [](QByteArray&, designfiles::DesignRecord& r) { r.q[1] = "-1e308"; }},
      {"band Q 1e40", [](QByteArray&, designfiles::DesignRecord& r) { r.text3 = "1e40"; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FilesFixture x;
    designfiles::LoadNoDefaultFile(x.f);
    customFnQ(x.f);
    x.f.SequenceUpdateScreen();
    auto r = designfiles::ReadDesignRecord(x.save(QStringLiteral("base.cvf"))).record;
    QByteArray bytes;
    c.edit(bytes, r);
    bytes = designfiles::WriteDesignRecord(r);
    c.edit(bytes, r);
    x.write(x.path(QStringLiteral("hand.cvf")), bytes);
    const designfiles::DesignRecord before = designfiles::RecordOf(x.f);
    const QStringList shown = computed(x.f);
    EXPECT_FALSE(designfiles::OpenFile(x.f, x.path(QStringLiteral("hand.cvf"))));
    EXPECT_EQ(x.fake.messages.texts(), QStringList({designfiles::kDamagedFile}));
    EXPECT_EQ(designfiles::RecordOf(x.f), before);
    EXPECT_EQ(computed(x.f), shown);
  }
}
