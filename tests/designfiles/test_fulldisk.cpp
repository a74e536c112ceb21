// Every command that writes a file, on a disk with no space left: the old file keeps its
// bytes, one message says the file could not be saved, and the window does not take the
// failed file as its design.
#include <gtest/gtest.h>

#include "files_fixture.h"
#include "graph/chartexport.h"
#include "mainwindow/savefiles.h"
#include "support/fulldisk.h"

namespace {

struct FullDiskCase {
  const char* name;
  const char* command;   // the menu item clicked
  const char* file;      // the file it writes, in the full disk's folder
  bool userFolder;       // the full disk is the per-user folder ("Save as default")
  bool namedBefore;      // the window names the file already (Save without a dialog)
  QString message;       // the one message of the failed write
};

void PrintTo(const FullDiskCase& c, std::ostream* os) { *os << c.name; }

class FullDiskWrite : public ::testing::TestWithParam<FullDiskCase> {};

TEST_P(FullDiskWrite, KeepsTheOldFileAndSaysSoOnce) {
  const FullDiskCase& c = GetParam();
  FullDisk disk;
  FilesFixture x;
  auto& f = x.f;
  if (c.userFolder) x.fake.paths.user = disk.folder();
  designfiles::LoadNoDefaultFile(f);

  const QString target = disk.path(QString::fromLatin1(c.file));
  const QByteArray old = "the design saved before\r\n";
  FilesFixture::write(target, old);
  const QString earlier = x.path(QStringLiteral("earlier.cvf"));
  f.DesignFile = c.namedBefore ? target : earlier;
  f.Caption = QStringLiteral("Marquenta Calverdon - earlier.cvf");
  x.fake.fileDialogs.saveAnswer = target;
  x.fake.messages.shown.clear();

  // The overwrite and "Save as default" questions are answered Yes.
  disk.whileFull([&] { x.click(QString::fromLatin1(c.command)); });

  EXPECT_EQ(FilesFixture::read(target), old) << (disk.isTmpfs() ? "tmpfs" : "size limit");
  EXPECT_EQ(disk.entries(), QStringList{QString::fromLatin1(c.file)});  // no temporary file
  QStringList told = x.fake.messages.texts();
  told.removeAll(mainwindow::kOverwriteQuestion);
  told.removeIf([](const QString& t) { return t.startsWith("Do you want to save"); });
  ASSERT_EQ(told.size(), 1) << told.join(" | ").toStdString();
  EXPECT_TRUE(told[0].startsWith(c.message)) << told[0].toStdString();
  EXPECT_EQ(f.Caption, QStringLiteral("Marquenta Calverdon - earlier.cvf"));
  EXPECT_EQ(f.DesignFile, c.namedBefore ? target : earlier);

  // With room on the disk again the same command writes the file.
  x.fake.messages.shown.clear();
  x.click(QString::fromLatin1(c.command));
  EXPECT_NE(FilesFixture::read(target), old);
  EXPECT_TRUE(FilesFixture::read(target).endsWith("\r\n"));
  EXPECT_EQ(disk.entries(), QStringList{QString::fromLatin1(c.file)});
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FullDiskWrite,
    ::testing::Values(
        FullDiskCase{"Save", "mnuFileSave", "mine.cvf", false, true, designfiles::kSaveFailed},
        FullDiskCase{"SaveAs", "mnuFileSaveAs", "mine.cvf", false, false,
                     designfiles::kSaveFailed},
        FullDiskCase{"SaveAsDefault", "SADmnu", "CVdef.cvf", true, false,
                     designfiles::kSaveFailed},
        FullDiskCase{"ChartData", "SaveChartData", "chart.csv", false, false,
                     graph::kChartSaveFailed}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
