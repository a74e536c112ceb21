// The start of the window with its op-amp model library and its settings file replaced by
// something that is no regular file of a sane size: each is told once, naming it, and the
// start goes on as if the file were not there.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "designfiles/files_fixture.h"
#include "gui/qtsettings.h"
#include "spice/opampmodels.h"

namespace {

// Puts a thing of the given kind at path: a named pipe, a link to /dev/zero, a folder, or a
// sparse file far beyond any limit.
void makeOdd(const QString& path, const QString& kind) {
  ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
  if (kind == "pipe") {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  } else if (kind == "device") {
    ASSERT_TRUE(QFile::link("/dev/zero", path));
  } else if (kind == "folder") {
    ASSERT_TRUE(QDir().mkpath(path));
  } else {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(qint64(1) << 30));
  }
}

}  // namespace

TEST(DataFiles, TheStartGoesOnWithOneMessageForEachFileThatIsNoRegularFile) {
  for (const QString kind : {"pipe", "device", "folder", "huge"}) {
    SCOPED_TRACE(kind.toStdString());
    FilesFixture x;
    QTemporaryDir config;
    const QString library = x.path("program/models/marquenta.lib");
    const QString settingsFile = config.filePath("Calverdon/Calverdon.conf");
    makeOdd(library, kind);
    makeOdd(settingsFile, kind);
    gui::QtSettingsService settings(&x.fake.messages, config.path());
    x.f.svc.settings = &settings;

    mainwindow::Form_Load(x.f, QLatin1Char('.'));
    mainwindow::Form_Initialize(x.f, &designfiles::OpenDefault);

    EXPECT_EQ(x.f.OpAmpModel.items(), QStringList({"Ideal Op Amp"}));
    EXPECT_EQ(x.f.OpAmpModel.Text(), "Ideal Op Amp");
    EXPECT_TRUE(x.f.ShowAboutSetting);  // the setting's default
    EXPECT_GE(x.sequences, 1);
    const QStringList told = x.fake.messages.texts();
    ASSERT_EQ(told.size(), 2) << told.join("\n").toStdString();
    EXPECT_TRUE(told[0].startsWith("This file is not read") && told[0].endsWith(settingsFile));
    EXPECT_TRUE(told[1].startsWith("This file is not read") && told[1].endsWith(library));
    EXPECT_EQ(told[0].contains("larger than 1 MB"), kind == "huge");
    EXPECT_EQ(told[1].contains("larger than 16 MB"), kind == "huge");

    // Further passes, the other readers of the library and the about window's check box read
    // both again and tell nothing more; the settings file is left as it is.
    x.f.SequenceUpdateScreen();
    EXPECT_FALSE(spice::ReadModelLibrary(x.f));  // as the part list and the netlists read it
    settings.set("Calverdon", "ShowAbout", "Value", "False");
    EXPECT_EQ(settings.get("Calverdon", "ShowAbout", "Value", "True"), "True");
    EXPECT_EQ(x.fake.messages.texts().size(), 2);
    EXPECT_EQ(QFileInfo(settingsFile).isFile(), kind == "huge");
    if (kind == "huge") {
      EXPECT_EQ(QFileInfo(settingsFile).size(), qint64(1) << 30);
    }

    // Once the library is a file again it is read; a later refusal is told again.
    QFile::remove(library);
    QDir(library).removeRecursively();
    QFile::copy(QStringLiteral(CALVERDON_RESOURCES "/models/marquenta.lib"), library);
    spice::LoadOpAmpModels(x.f);
    EXPECT_GT(x.f.OpAmpModel.ListCount(), 1);
    QFile::remove(library);
    makeOdd(library, kind);
    spice::LoadOpAmpModels(x.f);
    EXPECT_EQ(x.f.OpAmpModel.ListCount(), 1);
    EXPECT_EQ(x.fake.messages.texts().size(), 3);
  }
}
