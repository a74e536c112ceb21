// Saving the main window's design and reading it back into the window.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "engine/engnotation.h"
#include "files_fixture.h"

using designfiles::OpenFile;
using designfiles::RecordOf;
using designfiles::SaveSub;

namespace {

// A writer that fails every save, as a full disk or a folder without write access does.
struct FailingWriter : designfiles::FileWriter {
  int calls = 0;
  bool write(const QString&, const QByteArray&) override {
    ++calls;
    return false;
  }
};

struct WriterGuard {
  explicit WriterGuard(designfiles::FileWriter* w) { designfiles::SetFileWriter(w); }
  ~WriterGuard() { designfiles::SetFileWriter(nullptr); }
};

// Builds a design the way the user would: pass band, response, then the boxes.
void design(FilesFixture& x, int passband, const QString& response) {
  auto& f = x.f;
  f.Passband.SetListIndex(passband);
  f.TypeFilter.SetText(response);
  f.CircuitType.SetListIndex(passband == 2 || passband == 3 ? 1 : 2);
  f.ResistorList.SetListIndex(2);
  f.CapacitorList.SetListIndex(1);
  f.SensTrue.SetValue(true);
  const QString sep(f.DecimalSep);
  f.Text1.Text = QStringLiteral("4");
  f.Text2.Text = QStringLiteral("2") + sep + QStringLiteral("20k");
  f.Text3.Text = QStringLiteral("2") + sep + QStringLiteral("5");
  f.Text19.Text = response == QLatin1String("Chebychev") ? QStringLiteral("0") + sep + "5" : QString();
  f.GainTB[0].Text = QStringLiteral("2");
  f.C1Entry[1].Text = QStringLiteral("10") + sep + QStringLiteral("0 n");
  if (response == QLatin1String("Custom Fn&Q")) {
    for (int k = 0; k < 2; ++k) {
      f.FnInput[k].Text = QStringLiteral("1") + sep + QStringLiteral("2%1 k").arg(k);
      f.QInput[k].Text = QStringLiteral("0") + sep + QStringLiteral("70%1").arg(k);
    }
  }
  f.TopAmp.Visible = true;
  f.TopAmp.Text = QStringLiteral("20");
  f.SequenceUpdateScreen();
}

// Everything the user can see change after an open, as one comparable value.
struct Snapshot {
  designfiles::DesignRecord record;
  QString caption, designFile, text18, text34, text12;
  bool designLoaded;
  bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const mainwindow::CalverdonForm& f) {
  return {RecordOf(f), f.Caption, f.DesignFile, f.Text18.Text, f.Text34.Text, f.Text12.Text,
          f.DesignLoaded};
}

}  // namespace

TEST(DesignFile, FactoryDesignRecordForm) {
  FilesFixture x;
  auto& f = x.f;
  designfiles::LoadNoDefaultFile(f);
  // What the list handlers and the display pass compute from the factory entries; pinned so
  // that the record shows only the file's form.
  f.ResponseName = QStringLiteral("Butterworth");
  f.BaseResponseCode = 0;
  f.PoleCount = 3;
  f.DesignCutoff = 1000;
  f.ScaleResistor = 10000;
  f.CircuitMode = 0;
  f.HighPassHalf = 0;
  f.AxisDecades = 3;
  f.Gfreq[0].Caption = QStringLiteral("100Hz");
  f.Gfreq[3].Caption = QStringLiteral("100kHz");

  QByteArray expected =
      "\"2000017\",3,1000,10000,1000,0\r\n"
      "\"Butterworth\"\r\n"
      "\"Butterworth\"\r\n"
      "\"0\"\r\n"
      "0,4\r\n"
      "0\r\n"
      "#TRUE#\r\n";
  for (int k = 0; k < 5; ++k) expected += "\"\",\"\",\"\"\r\n";
  expected += "\"\"\r\n\"1.00k\"\r\n\"\"\r\n";
  for (int k = 0; k < 5; ++k) expected += "\"\",\"\"\r\n";
  expected +=
      "\"100Hz\"\r\n"
      "#FALSE#,\"\",#FALSE#,\"\",0\r\n"
      "0\r\n"
      "\"3\"\r\n"
      "\"10.00k\"\r\n"
      "\"1\"\r\n"
      "3\r\n"
      "\"100Hz\"\r\n"
      "\"100kHz\"\r\n";
  for (int k = 0; k < 7; ++k) expected += "\"0\"\r\n";
  EXPECT_EQ(x.linesOf(x.save(QStringLiteral("factory.cvf"))), x.linesOf(expected));
  EXPECT_EQ(f.DesignFile, x.path(QStringLiteral("factory.cvf")));
}

TEST(DesignFile, SaveOpenSaveGivesTheSameBytesForEveryPassBandAndResponse) {
  const QStringList responses = {"Butterworth",        "Bessel",        "Chebychev",
                                 "Linear Phase, 0.05", "Linear Phase, 0.5", "Gaussian 12dB",
                                 "Custom Fn&Q",        "Custom Q"};
  for (QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
    for (int band = 0; band < 6; ++band) {
      for (const QString& response : responses) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(sep).arg(band).arg(response).toStdString());
        FilesFixture x(sep);
        design(x, band, response);
        const QByteArray first = x.save(QStringLiteral("a.cvf"));

        // Change everything, then open the saved design.
        design(x, (band + 3) % 6, QStringLiteral("Bessel"));
        x.f.Text2.Text = QStringLiteral("7");
        x.f.Text18.Text = QStringLiteral("9");
        x.f.Text34.Text = QStringLiteral("7");
        x.f.FnInput[0].Text = QStringLiteral("9 k");
        ASSERT_TRUE(OpenFile(x.f, x.path(QStringLiteral("a.cvf"))));
        EXPECT_EQ(x.linesOf(x.save(QStringLiteral("b.cvf"))), x.linesOf(first));
      }
    }
  }
}

TEST(DesignFile, CommaLocaleTextsKeepTheirCommaAndNumbersUsePoints) {
  FilesFixture x(QLatin1Char(','));
  design(x, 0, QStringLiteral("Custom Fn&Q"));
  x.f.RespFreq = 2200.5f;
  const QByteArray bytes = x.save(QStringLiteral("c.cvf"));
  EXPECT_TRUE(bytes.contains("\"2,20k\"")) << bytes.constData();
  EXPECT_TRUE(bytes.contains("\"1,20 k\",\"0,700\"")) << bytes.constData();
  EXPECT_TRUE(bytes.startsWith("\"2000017\",")) << bytes.constData();
  EXPECT_TRUE(bytes.split('\n').front().contains(",2200.5,")) << bytes.constData();
}

TEST(DesignFile, EveryControlGetsTheFilesValueWhateverThePassBandBefore) {
  // The pass-band handler lays the window out for its band: leaving a band-pass or notch
  // design it resets a custom response, and it always clears the section boxes and picks
  // the first topology. Stand in for it so the test shows what the reader must put back.
  for (int before = 0; before < 6; ++before) {
    for (int saved = 0; saved < 6; ++saved) {
      SCOPED_TRACE(testing::Message() << before << " -> " << saved);
      FilesFixture x;
      auto& f = x.f;
      design(x, saved, saved >= 4 ? QStringLiteral("Chebychev") : QStringLiteral("Custom Fn&Q"));
      const designfiles::DesignRecord want = RecordOf(f);
      x.save(QStringLiteral("d.cvf"));

      f.on(QStringLiteral("Passband"), forms::Event::Click, [&f](forms::EventArgs&) {
        f.TypeFilter.SetText(QStringLiteral("Butterworth"));
        f.CircuitType.SetListIndex(0);
        for (int k = 0; k < 5; ++k) {
          f.FnInput[k].Text.clear();
          f.QInput[k].Text.clear();
          f.C1Entry[k].Text.clear();
          f.C2Entry[k].Text.clear();
        }
        f.Text19.Text.clear();
      });
      f.Passband.SetListIndex(before);
      f.CapacitorList.SetListIndex(0);
      f.CompValue.SetValue(true);

      ASSERT_TRUE(OpenFile(f, x.path(QStringLiteral("d.cvf"))));
      designfiles::DesignRecord got = RecordOf(f);
      // Computed by the display pass, not read from the file.
      got.poleCount = want.poleCount;
      got.cutoff = want.cutoff;
      got.circuitMode = want.circuitMode;
      EXPECT_EQ(x.linesOf(designfiles::WriteDesignRecord(got)),
                x.linesOf(designfiles::WriteDesignRecord(want)));
      EXPECT_TRUE(f.DesignLoaded);
      EXPECT_FALSE(f.SuppressUpdate);
    }
  }
}

TEST(DesignFile, LowPassRestoresPoleCountAndCutoffBoxes) {
  FilesFixture x;
  auto& f = x.f;
  design(x, 0, QStringLiteral("Butterworth"));
  f.PoleCount = 6;
  f.DesignCutoff = 2500;
  x.save(QStringLiteral("lp.cvf"));
  f.Text18.Text = QStringLiteral("2");
  f.Text34.Text = QStringLiteral("50");
  ASSERT_TRUE(OpenFile(f, x.path(QStringLiteral("lp.cvf"))));
  EXPECT_EQ(f.Text18.Text, QStringLiteral("6"));
  EXPECT_EQ(f.Text34.Text, engine::Engsuffix(2500, 3, QString(), QLatin1Char('.')));
  EXPECT_EQ(f.PrevPoles, 6);
  // The response-frequency box shows the text the file holds for it, validated.
  EXPECT_EQ(f.RespF.Text, RecordOf(f).respF);
}

namespace {

// A band-reject design whose lines of the two halves end before the high-pass half.
QByteArray halvesCutShort() {
  FilesFixture x;
  design(x, 5, QStringLiteral("Bessel"));
  const QByteArray bytes = designfiles::WriteDesignRecord(RecordOf(x.f));
  return bytes.left(bytes.indexOf("\"High-Pass Half\""));
}

}  // namespace

TEST(DesignFile, ARejectedFileChangesNothingAndGetsOneMessage) {
  const struct {
    const char* name;
    QByteArray bytes;  // empty name: the file does not exist
    QString message;
    char kind = 'f';   // 'f' a regular file, 'p' a named pipe, 'd' a folder
  } cases[] = {
      {"old.cvf", "\"2000000\",3,1000,10000,1000,0\r\n", designfiles::kUnsupportedFile},
      {"new.cvf", "\"2010000\",3,1000,10000,1000,0\r\n", designfiles::kUnsupportedFile},
      {"empty.cvf", "", designfiles::kDamagedFile},
      {"garbage.cvf", "\xff\xfe garbage, more garbage\r\n", designfiles::kUnsupportedFile},
      {"short.cvf", "\"2000017\",3,1000,10000,1000,0\r\n\"Bessel\"\r\n", designfiles::kDamagedFile},
      {"bad.cvf", "\"2000017\",3,x,10000,1000,0\r\n", designfiles::kDamagedFile},
      {"halves.cvf", halvesCutShort(), designfiles::kDamagedFile},
      {nullptr, {}, designfiles::kUnreadableFile},
      // Opened, a pipe without a writer would wait for ever.
      {"pipe.cvf", {}, designfiles::kDamagedFile, 'p'},
      {"folder.cvf", {}, designfiles::kDamagedFile, 'd'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name ? c.name : "missing");
    FilesFixture x;
    auto& f = x.f;
    // A wide band-pass window: the texts its halves keep are part of what must not change.
    design(x, 4, QStringLiteral("Chebychev"));
    f.LowPassGainText[0] = QStringLiteral("1.5");
    f.HighPassFnText[1] = QStringLiteral("2.00kHz");
    x.fake.messages.shown.clear();  // the edge-swap notice
    f.Caption = QStringLiteral("Marquenta Calverdon - mine.cvf");
    f.DesignFile = x.path(QStringLiteral("mine.cvf"));
    f.SuppressUpdate = true;
    const Snapshot before = snapshot(f);
    const int sequences = x.sequences;
    const QString p = x.path(c.name ? QString::fromLatin1(c.name) : QStringLiteral("none.cvf"));
    if (c.kind == 'p') {
      ASSERT_EQ(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
    }
    if (c.kind == 'd') {
      ASSERT_TRUE(QDir().mkpath(p));
    }
    if (c.name && c.kind == 'f') x.write(p, c.bytes);

    EXPECT_FALSE(OpenFile(f, p));
    EXPECT_EQ(snapshot(f), before);
    EXPECT_EQ(x.sequences, sequences);
    ASSERT_EQ(x.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(x.fake.messages.shown[0].text.startsWith(c.message));
    EXPECT_EQ(x.fake.messages.shown[0].title, QStringLiteral("Calverdon"));
    EXPECT_FALSE(f.SuppressUpdate);
    EXPECT_EQ(f.MousePointer(), forms::kPointerDefault);
  }
}

TEST(DesignFile, AFailedSaveIsReportedAndChangesNothing) {
  FilesFixture x;
  auto& f = x.f;
  design(x, 0, QStringLiteral("Bessel"));
  const QString target = x.path(QStringLiteral("keep.cvf"));
  x.write(target, "old contents");
  f.DesignFile = x.path(QStringLiteral("earlier.cvf"));
  FailingWriter failing;
  {
    WriterGuard guard(&failing);
    EXPECT_FALSE(SaveSub(f, target));
  }
  EXPECT_EQ(failing.calls, 1);
  EXPECT_EQ(FilesFixture::read(target), QByteArray("old contents"));
  EXPECT_EQ(f.DesignFile, x.path(QStringLiteral("earlier.cvf")));
  ASSERT_EQ(x.fake.messages.shown.size(), 1u);
  EXPECT_TRUE(x.fake.messages.shown[0].text.startsWith(designfiles::kSaveFailed));

  // Save As through the menu: the caption changes only after a successful save.
  {
    WriterGuard guard(&failing);
    f.Caption = QStringLiteral("before");
    x.fake.fileDialogs.saveAnswer = x.path(QStringLiteral("other.cvf"));
    x.click(QStringLiteral("mnuFileSaveAs"));
  }
  EXPECT_EQ(f.Caption, QStringLiteral("before"));
  EXPECT_EQ(f.DesignFile, x.path(QStringLiteral("earlier.cvf")));

  // The atomic writer: a folder that does not exist fails the same way.
  EXPECT_FALSE(SaveSub(f, x.path(QStringLiteral("no/such/folder/d.cvf"))));
  EXPECT_EQ(f.DesignFile, x.path(QStringLiteral("earlier.cvf")));
}

TEST(DesignFile, TheSeedWrittenIsTheOneTheDesignIsComputedFrom) {
  // A three-pole section with the three-pole option scales the seed for its own stages, and
  // a band-pass pass reads the seed box without keeping its value: the file holds the seed.
  const struct {
    const char* name;
    int passband, circuit;
    bool threePole;
  } cases[] = {
      {"three-pole, fully differential", 0, 2, true},
      {"band-pass", 2, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FilesFixture x;
    auto& f = x.f;
    designfiles::LoadNoDefaultFile(f);
    f.Passband.SetListIndex(c.passband);
    f.CircuitType.SetListIndex(c.circuit);
    if (c.threePole) x.click(QStringLiteral("ThreePole"));
    f.Text12.Text = QStringLiteral("22.0k");
    f.raise(f.Text12, forms::Event::Validate);
    ASSERT_NE(f.ScaleResistor, 22000.0f);
    x.save(QStringLiteral("seed.cvf"));

    f.Text12.Text = QStringLiteral("1.00k");
    f.raise(f.Text12, forms::Event::Validate);
    ASSERT_TRUE(OpenFile(f, x.path(QStringLiteral("seed.cvf"))));
    EXPECT_EQ(engine::EngValue(f.Text12.Text, QLatin1Char('.')), 22000.0);
  }
}
