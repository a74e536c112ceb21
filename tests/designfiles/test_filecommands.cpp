// The File menu, "Save as default", the default design and the start-up that reads it.
#include <gtest/gtest.h>

#include <functional>

#include "files_fixture.h"
#include "engine/engnotation.h"
#include "mainwindow/aboutwindows.h"

namespace {

void startUp(FilesFixture& x);

const QString kOverwrite = QStringLiteral("File already exists. Do you want to overwrite it?");

QByteArray designBytes(const QString& typeFilter, int passband) {
  FilesFixture other;
  designfiles::LoadNoDefaultFile(other.f);
  other.f.Passband.SetListIndex(passband);
  other.f.TypeFilter.SetText(typeFilter);
  other.f.Text1.Text = QStringLiteral("7");
  return designfiles::WriteDesignRecord(designfiles::RecordOf(other.f));
}

}  // namespace

TEST(FileCommands, SaveAsAsksBeforeOverwritingAndSaveReusesThePath) {
  FilesFixture x;
  auto& f = x.f;
  designfiles::LoadNoDefaultFile(f);
  const QString p = x.path(QStringLiteral("mine.cvf"));

  // Save before any save asks for a name; a cancelled dialog does nothing.
  x.click(QStringLiteral("mnuFileSave"));
  ASSERT_EQ(x.fake.fileDialogs.saved.size(), 1u);
  EXPECT_EQ(x.fake.fileDialogs.saved[0].title, QStringLiteral("Save As"));
  EXPECT_EQ(x.fake.fileDialogs.saved[0].defaultSuffix, QStringLiteral("cvf"));
  EXPECT_EQ(x.fake.fileDialogs.saved[0].filter, QStringLiteral("Calverdon Filter (*.cvf)|*.*"));
  EXPECT_FALSE(QFile::exists(p));
  EXPECT_TRUE(f.DesignFile.isEmpty());

  x.fake.fileDialogs.saveAnswer = p;
  x.click(QStringLiteral("mnuFileSave"));
  EXPECT_TRUE(QFile::exists(p));
  EXPECT_EQ(f.DesignFile, p);
  EXPECT_EQ(f.Caption, QStringLiteral("Marquenta Calverdon - mine.cvf"));
  EXPECT_TRUE(x.fake.messages.shown.empty());

  // Save again: same path, no dialog, no question; the caption stays.
  f.Text1.Text = QStringLiteral("5");
  f.Caption = QStringLiteral("unchanged");
  x.click(QStringLiteral("mnuFileSave"));
  EXPECT_EQ(x.fake.fileDialogs.saved.size(), 2u);
  EXPECT_TRUE(FilesFixture::read(p).contains("\"5\"\r\n"));
  EXPECT_EQ(f.Caption, QStringLiteral("unchanged"));

  // Save As onto the existing file asks once, titled "title"; No writes nothing.
  const QByteArray kept = FilesFixture::read(p);
  f.Text1.Text = QStringLiteral("9");
  x.fake.messages.answers = {platform::AnswerNo};
  x.click(QStringLiteral("mnuFileSaveAs"));
  ASSERT_EQ(x.fake.messages.shown.size(), 1u);
  EXPECT_EQ(x.fake.messages.shown[0].text, kOverwrite);
  EXPECT_EQ(x.fake.messages.shown[0].title, QStringLiteral("title"));
  EXPECT_EQ(x.fake.messages.shown[0].buttons, platform::Buttons::YesNo);
  EXPECT_EQ(x.fake.messages.shown[0].icon, platform::Icon::Exclamation);
  EXPECT_EQ(f.MsgAnswer, platform::AnswerNo);
  EXPECT_EQ(FilesFixture::read(p), kept);
  EXPECT_EQ(f.Caption, QStringLiteral("unchanged"));

  x.fake.messages.answers = {platform::AnswerYes};
  x.click(QStringLiteral("mnuFileSaveAs"));
  EXPECT_EQ(x.fake.messages.shown.size(), 2u);
  EXPECT_TRUE(FilesFixture::read(p).contains("\"9\"\r\n"));
}

TEST(FileCommands, OpenSetsTheCaptionAndTheFileSaveWrites) {
  FilesFixture x;
  auto& f = x.f;
  designfiles::LoadNoDefaultFile(f);
  const QString opened = x.path(QStringLiteral("opened.cvf"));
  x.write(opened, designBytes(QStringLiteral("Bessel"), 1));

  x.click(QStringLiteral("mnuFileOpen"));  // cancelled
  ASSERT_EQ(x.fake.fileDialogs.opened.size(), 1u);
  EXPECT_EQ(x.fake.fileDialogs.opened[0].title, QStringLiteral("Open"));
  EXPECT_EQ(x.fake.fileDialogs.opened[0].filter, QStringLiteral("Calverdon Files (*.cvf)|*.*"));
  EXPECT_FALSE(f.DesignLoaded);

  x.fake.fileDialogs.openAnswer = opened;
  x.click(QStringLiteral("mnuFileOpen"));
  EXPECT_TRUE(f.DesignLoaded);
  EXPECT_EQ(f.TypeFilter.Text(), QStringLiteral("Bessel"));
  EXPECT_EQ(f.Text1.Text, QStringLiteral("7"));
  EXPECT_EQ(f.Caption, QStringLiteral("Marquenta Calverdon - opened.cvf"));
  EXPECT_EQ(f.DesignFile, opened);

  // Save writes the opened file, without a dialog.
  f.Text1.Text = QStringLiteral("4");
  x.click(QStringLiteral("mnuFileSave"));
  EXPECT_TRUE(x.fake.fileDialogs.saved.empty());
  EXPECT_TRUE(FilesFixture::read(opened).contains("\"4\"\r\n"));

  // A rejected file: one message, caption and file name stay.
  const QString old = x.path(QStringLiteral("old.cvf"));
  QByteArray oldBytes = designBytes(QStringLiteral("Bessel"), 0);
  oldBytes.replace(0, 9, "\"1000017\"");
  x.write(old, oldBytes);
  x.fake.fileDialogs.openAnswer = old;
  x.click(QStringLiteral("mnuFileOpen"));
  ASSERT_EQ(x.fake.messages.shown.size(), 1u);
  EXPECT_EQ(x.fake.messages.shown[0].text, designfiles::kUnsupportedFile);
  EXPECT_EQ(f.Caption, QStringLiteral("Marquenta Calverdon - opened.cvf"));
  EXPECT_EQ(f.DesignFile, opened);
}

TEST(FileCommands, NewStartsAnUntitledDesignAndSaveThenAsksForAName) {
  FilesFixture x;
  auto& f = x.f;
  x.fake.settings.values[fakes::FakeSettings::key("Calverdon", "ShowAbout", "Value")] = "False";
  startUp(x);
  const QString d1 = x.path(QStringLiteral("d1.cvf"));
  const QString opened = x.path(QStringLiteral("opened.cvf"));
  x.write(opened, designBytes(QStringLiteral("Bessel"), 1));
  const QString userDefault = x.path(QStringLiteral("user/CVdef.cvf"));

  // However the window came to name a file: saved as, opened, or saved as the default.
  const std::function<void()> named[] = {
      [&] {
        x.fake.fileDialogs.saveAnswer = d1;
        x.click(QStringLiteral("mnuFileSaveAs"));
      },
      [&] {
        x.fake.fileDialogs.openAnswer = opened;
        x.click(QStringLiteral("mnuFileOpen"));
      },
      [&] {
        x.fake.messages.answers = {platform::AnswerYes};
        x.click(QStringLiteral("SADmnu"));
      },
  };
  for (const auto& name : named) {
    name();
    ASSERT_FALSE(f.DesignFile.isEmpty());
    const QString saved = f.DesignFile;
    const QByteArray before = FilesFixture::read(saved);

    x.click(QStringLiteral("mnuFileNew"));
    EXPECT_TRUE(f.DesignFile.isEmpty());
    EXPECT_EQ(f.Caption, QStringLiteral("Marquenta Calverdon"));

    // Save asks for a name; cancelled, it writes nothing.
    f.Text1.Text = QStringLiteral("8");
    const size_t dialogs = x.fake.fileDialogs.saved.size();
    x.fake.fileDialogs.saveAnswer = std::nullopt;
    x.click(QStringLiteral("mnuFileSave"));
    EXPECT_EQ(x.fake.fileDialogs.saved.size(), dialogs + 1);
    EXPECT_EQ(FilesFixture::read(saved), before);
    EXPECT_EQ(f.Caption, QStringLiteral("Marquenta Calverdon"));
  }
}

TEST(FileCommands, SaveAsDefaultAsksThenWritesTheUsersDefaultDesign) {
  FilesFixture x;
  auto& f = x.f;
  designfiles::LoadNoDefaultFile(f);
  const QString userDefault = x.path(QStringLiteral("user/CVdef.cvf"));

  x.fake.messages.answers = {platform::AnswerNo};
  x.click(QStringLiteral("SADmnu"));
  ASSERT_EQ(x.fake.messages.shown.size(), 1u);
  EXPECT_EQ(x.fake.messages.shown[0].text,
            QStringLiteral("Do you want to save the present design to be opened the next time "
                           "Calverdon is opened?"));
  EXPECT_EQ(x.fake.messages.shown[0].buttons, platform::Buttons::YesNo);
  EXPECT_EQ(x.fake.messages.shown[0].icon, platform::Icon::None);
  EXPECT_FALSE(QFile::exists(userDefault));

  f.Caption = QStringLiteral("caption");
  x.click(QStringLiteral("SADmnu"));  // answered Yes
  EXPECT_TRUE(QFile::exists(userDefault));
  EXPECT_FALSE(QFile::exists(x.path(QStringLiteral("program/CVdef.cvf"))));
  EXPECT_EQ(f.DesignFile, userDefault);
  EXPECT_EQ(f.Caption, QStringLiteral("caption"));

  // Save now writes the default design.
  f.Text1.Text = QStringLiteral("6");
  x.click(QStringLiteral("mnuFileSave"));
  EXPECT_TRUE(FilesFixture::read(userDefault).contains("\"6\"\r\n"));
}

TEST(FileCommands, TheDefaultDesignIsTheUsersThenTheShippedOneThenTheFactoryDesign) {
  FilesFixture x;
  auto& f = x.f;
  x.write(x.path(QStringLiteral("program/CVdef.cvf")), designBytes(QStringLiteral("Bessel"), 1));
  designfiles::OpenDefault(f);
  EXPECT_EQ(f.TypeFilter.Text(), QStringLiteral("Bessel"));
  EXPECT_EQ(f.Passband.Text(), QStringLiteral("High-Pass"));
  EXPECT_TRUE(f.DesignLoaded);

  x.write(x.path(QStringLiteral("user/CVdef.cvf")),
          designBytes(QStringLiteral("Chebychev"), 0));
  designfiles::OpenDefault(f);
  EXPECT_EQ(f.TypeFilter.Text(), QStringLiteral("Chebychev"));
  EXPECT_EQ(f.Passband.Text(), QStringLiteral("Low-Pass"));

  FilesFixture none;
  none.f.Passband.SetListIndex(3);
  none.f.ResistorList.SetListIndex(0);
  none.f.Text18.Text = QStringLiteral("8");
  none.f.SuppressUpdate = true;
  designfiles::OpenDefault(none.f);
  EXPECT_FALSE(none.f.DesignLoaded);
  EXPECT_FALSE(none.f.SuppressUpdate);
  EXPECT_EQ(none.f.Passband.Text(), QStringLiteral("Low-Pass"));
  EXPECT_EQ(none.f.TypeFilter.Text(), QStringLiteral("Butterworth"));
  EXPECT_EQ(none.f.CircuitType.Text(), QStringLiteral("MFB Single-Ended"));
  EXPECT_EQ(none.f.ResistorList.Text(), QStringLiteral("E96"));
  EXPECT_EQ(none.f.CapacitorList.Text(), QStringLiteral("E6"));
  EXPECT_EQ(none.f.Text18.Text, QStringLiteral("3"));
  EXPECT_EQ(engine::EngValue(none.f.Text34.Text, QLatin1Char('.')), 1000.0);
  EXPECT_EQ(engine::EngValue(none.f.Text12.Text, QLatin1Char('.')), 10000.0);
  EXPECT_TRUE(none.f.CompValue.Value());
  EXPECT_TRUE(none.f.Text19.Text.isEmpty());
  EXPECT_GE(none.sequences, 1);
}

TEST(FileCommands, TheShippedDefaultDesignReadsAsTheFactoryDesign) {
  const QString shipped = QStringLiteral(CALVERDON_SHIPPED_DEFAULT);
  const QByteArray bytes = FilesFixture::read(shipped);
  ASSERT_FALSE(bytes.isEmpty()) << shipped.toStdString();
  const auto result = designfiles::ReadDesignRecord(bytes);
  ASSERT_EQ(result.status, designfiles::ReadStatus::Ok);

  FilesFixture x;
  designfiles::LoadNoDefaultFile(x.f);
  const designfiles::DesignRecord factory = designfiles::RecordOf(x.f);
  const designfiles::DesignRecord& r = result.record;
  EXPECT_EQ(r.typeFilter, factory.typeFilter);
  EXPECT_EQ(r.passbandIndex, 0);
  EXPECT_EQ(r.circuitIndex, 0);
  EXPECT_EQ(r.resistorIndex, 4);
  EXPECT_EQ(r.capacitorIndex, 0);
  EXPECT_EQ(r.poleCount, 3);
  EXPECT_EQ(r.cutoff, 1000.0f);
  EXPECT_EQ(r.respF, factory.respF);
  EXPECT_EQ(r.c1, factory.c1);
  EXPECT_EQ(r.gain, factory.gain);
}

// ---- start-up ----

namespace {

// The start-up of the program on the fixture's services, without the real event loop.
void startUp(FilesFixture& x) {
  mainwindow::SplashWindow splash;
  mainwindow::RunSplash(splash, x.fake.services());
  mainwindow::Form_Load(x.f, QLatin1Char('.'));
  mainwindow::Form_Initialize(x.f, &designfiles::OpenDefault);
}

}  // namespace

TEST(StartUp, SettingAndDefaultDesignPaths) {
  const struct {
    const char* name;
    std::optional<QString> setting;
    QByteArray defaultFile;  // empty: none
    double wait;
    bool about;
    bool loaded;
    int messages;
  } cases[] = {
      {"setting absent, no default", std::nullopt, {}, 1.0, true, false, 0},
      {"setting False, no default", QStringLiteral("False"), {}, 0.1, false, false, 0},
      {"setting True, valid default", QStringLiteral("True"), designBytes("Bessel", 0), 1.0,
       true, true, 0},
      {"odd setting, rejected default", QStringLiteral("yes"), "\"1999999\",1\r\n", 1.0, true,
       false, 1},
      {"setting False, damaged default", QStringLiteral("False"), "\"2000017\",1\r\n", 0.1, false,
       false, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FilesFixture x;
    if (c.setting)
      x.fake.settings.values[fakes::FakeSettings::key("Calverdon", "ShowAbout", "Value")] =
          *c.setting;
    if (!c.defaultFile.isEmpty()) x.write(x.path(QStringLiteral("program/CVdef.cvf")), c.defaultFile);
    // The main window is not shown before the about window closes and it is not busy after.
    x.fake.windows.whileModal = [&x](forms::Form& form) {
      EXPECT_EQ(&form, &mainwindow::AboutWindow());
      EXPECT_FALSE(x.f.Visible);
      EXPECT_EQ(x.sequences, 0);
    };
    startUp(x);

    ASSERT_EQ(x.fake.clock.waits.size(), 1u);
    EXPECT_DOUBLE_EQ(x.fake.clock.waits[0], c.wait);
    ASSERT_GE(x.fake.windows.shown.size(), 1u);
    EXPECT_EQ(x.fake.windows.shown[0].name, QStringLiteral("frmSplash"));
    EXPECT_FALSE(x.fake.windows.shown[0].modal);
    ASSERT_GE(x.fake.windows.closed.size(), 1u);
    EXPECT_EQ(x.fake.windows.closedNames[0], QStringLiteral("frmSplash"));
    const bool aboutShown = x.fake.windows.shown.size() == 2;
    EXPECT_EQ(aboutShown, c.about);
    if (aboutShown) {
      EXPECT_TRUE(x.fake.windows.shown[1].modal);
    }
    EXPECT_EQ(x.f.ShowAboutSetting, c.about);
    EXPECT_EQ(x.f.DesignLoaded, c.loaded);
    EXPECT_EQ(x.fake.messages.shown.size(), static_cast<size_t>(c.messages));
    EXPECT_FALSE(x.f.SuppressUpdate);
    EXPECT_GE(x.sequences, 1);
    if (c.loaded) {
      EXPECT_EQ(x.f.TypeFilter.Text(), QStringLiteral("Bessel"));
    }
    // A refused default leaves the start texts, and the initialisation recomputes them.
    if (c.messages) {
      EXPECT_EQ(x.f.Text34.Text, engine::Engsuffix(1000, 4, QString(), QLatin1Char('.')));
      EXPECT_FALSE(x.f.DesignLoaded);
    }
  }
}

TEST(StartUp, TheInitialisationRecomputesOnlyWhenNoDesignWasRead) {
  // Valid default: the reader's own recompute is the last one; none runs after it.
  FilesFixture x;
  x.fake.settings.values[fakes::FakeSettings::key("Calverdon", "ShowAbout", "Value")] = "False";
  x.write(x.path(QStringLiteral("program/CVdef.cvf")), designBytes("Bessel", 0));
  int afterRead = 0;
  ObserveSequence(x.f).wrapSequence([&x, &afterRead](const ObservedSequence::Step& sequence) {
    if (x.f.DesignLoaded) ++afterRead;
    return sequence();
  });
  startUp(x);
  EXPECT_TRUE(x.f.DesignLoaded);
  EXPECT_GE(x.sequences, 1);
  EXPECT_EQ(afterRead, 0);

  // Refused default: exactly one recompute, the initialisation's.
  FilesFixture y;
  y.fake.settings.values[fakes::FakeSettings::key("Calverdon", "ShowAbout", "Value")] = "False";
  y.write(y.path(QStringLiteral("program/CVdef.cvf")), "\"1\"\r\n");
  startUp(y);
  EXPECT_EQ(y.sequences, 1);
}

TEST(StartUp, NewRestoresTheStartValuesAndReadsTheDefaultDesignAgain) {
  FilesFixture x;
  x.fake.settings.values[fakes::FakeSettings::key("Calverdon", "ShowAbout", "Value")] = "False";
  startUp(x);
  auto& f = x.f;
  f.GainTraceColor = forms::kBlack;
  f.PhaseTraceColor = forms::kGreen;
  f.GroupDelayTraceColor = forms::kRed;
  f.ShowGainTrace.Checked = false;
  f.ShowPhaseTrace.Checked = false;
  f.ShowGDTrace.Checked = false;
  f.Passband.SetListIndex(4);
  f.Text18.Text = QStringLiteral("9");
  f.Text2.Text = QStringLiteral("5");
  const size_t shown = x.fake.windows.shown.size();

  x.click(QStringLiteral("mnuFileNew"));
  EXPECT_EQ(f.GainTraceColor, forms::kGreen);
  EXPECT_EQ(f.PhaseTraceColor, forms::kRed);
  EXPECT_EQ(f.GroupDelayTraceColor, forms::kBlack);
  EXPECT_TRUE(f.ShowGainTrace.Checked && f.ShowPhaseTrace.Checked && f.ShowGDTrace.Checked);
  EXPECT_EQ(f.Passband.Text(), QStringLiteral("Low-Pass"));
  EXPECT_EQ(f.Text18.Text, QStringLiteral("3"));
  EXPECT_EQ(f.Text2.Text, engine::Engsuffix(10000, 4, QString(), QLatin1Char('.')));
  EXPECT_FALSE(f.SuppressUpdate);
  EXPECT_EQ(x.fake.windows.shown.size(), shown);  // no about window, no splash

  // With a default design saved, New reads it.
  f.TypeFilter.SetText(QStringLiteral("Gaussian 12dB"));
  x.click(QStringLiteral("SADmnu"));
  f.TypeFilter.SetText(QStringLiteral("Bessel"));
  x.click(QStringLiteral("mnuFileNew"));
  EXPECT_EQ(f.TypeFilter.Text(), QStringLiteral("Gaussian 12dB"));
  EXPECT_TRUE(f.DesignLoaded);
}

TEST(StartUp, TheWindowRecomputesOnAClickOrFocusUnlessBusyAndCloseEndsTheProgram) {
  FilesFixture x;
  auto& f = x.f;
  f.raiseOwn(forms::Event::Click);
  f.raiseOwn(forms::Event::GotFocus);
  EXPECT_EQ(x.sequences, 2);
  f.SuppressUpdate = true;
  f.raiseOwn(forms::Event::Click);
  EXPECT_EQ(x.sequences, 2);

  x.click(QStringLiteral("exitmnu"));
  EXPECT_EQ(x.fake.windows.quits, 1);
  EXPECT_TRUE(x.fake.messages.shown.empty());
  EXPECT_TRUE(x.fake.fileDialogs.saved.empty());
}
