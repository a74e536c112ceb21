// The File menu's hand-over of a prepared schematic to the outside schematic program.
#include <gtest/gtest.h>

#include <ostream>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "mainwindow/listchoices.h"
#include "spice/schematichandover.h"
#include "support/windowfixture.h"

namespace {

struct NameCase {
  const char* passBand;
  const char* topology;
  int poles;
  bool threePole;
  const char* expected;
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << c.expected; }

class SchematicName : public ::testing::TestWithParam<NameCase> {};

TEST_P(SchematicName, FollowsPassBandTopologyAndOrder) {
  const NameCase& c = GetParam();
  WindowFixture w;
  w.showPassBandWithoutHandler(QString::fromLatin1(c.passBand));
  const QStringList& topologies = mainwindow::TopologyEntries();
  const QString topology = QString::fromLatin1(c.topology);
  w.f.CircuitType.setFromUser(static_cast<int>(topologies.indexOf(topology)), topology);
  w.f.PoleCount = c.poles;
  w.f.ThreePole.Checked = c.threePole;
  EXPECT_EQ(spice::SchematicFileName(w.f), QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SchematicName,
    ::testing::Values(
        NameCase{"Low-Pass", "MFB Single-Ended", 4, false, "MFBseLowPass4p.VSC"},
        NameCase{"Low-Pass", "Sallen -Key", 5, true, "SK3psLowPass5p.VSC"},
        NameCase{"Low-Pass", "Sallen -Key", 5, false, "SKLowPass5p.VSC"},
        NameCase{"Low-Pass", "Sallen -Key", 6, true, "SKLowPass6p.VSC"},
        NameCase{"Low-Pass", "Sallen -Key", 6, false, "SKLowPass6p.VSC"},
        NameCase{"High-Pass", "MFB Fully Differential", 10, false, "MFBfdHighPass10p.VSC"},
        NameCase{"Notch", "MFB Fully Differential", 2, false, "MFBfdNotchPass2p.VSC"},
        NameCase{"Band-Pass", "MFB Single-Ended", 3, false, "BandPass3p.VSC"},
        NameCase{"Band-Pass", "MFB Fully Differential", 3, true, "BandPass3p.VSC"},
        NameCase{"Wide Band-Pass", "MFB Single-Ended", 7, true, "MFBse3psWBPass7p.VSC"},
        NameCase{"Band-Reject", "Sallen -Key", 8, false, "SKBandReject8p.VSC"}));

// A window with a fourth-order single-ended MFB low-pass and a program folder holding blanks.
struct HandOver : ::testing::Test {
  WindowFixture w;
  QTemporaryDir root;
  QString folder, file;
  void SetUp() override {
    folder = root.path() + QStringLiteral("/Program Files/Calverdon");
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/VantreoFiles")));
    w.fake.paths.program = folder;
    w.showPassBandWithoutHandler(QStringLiteral("Low-Pass"));
    w.f.CircuitType.setFromUser(0, QStringLiteral("MFB Single-Ended"));
    w.f.PoleCount = 4;
    file = folder + QStringLiteral("/VantreoFiles/MFBseLowPass4p.VSC");
  }
  void prepareFile() {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
};

TEST_F(HandOver, StartsTheProgramOnThePreparedFileWithoutWaiting) {
  prepareFile();
  spice::Export_Click(w.f);
  EXPECT_EQ(w.fake.messages.texts(), QStringList{"This feature is under construction."});
  EXPECT_EQ(w.fake.messages.shown[0].title, "Calverdon");
  ASSERT_EQ(w.fake.launcher.calls.size(), 1u);
  EXPECT_EQ(w.fake.launcher.calls[0].program, "xschem");
  // The path with its blanks is one argument, never split.
  EXPECT_EQ(w.fake.launcher.calls[0].arguments, QStringList{file});
  EXPECT_TRUE(w.fake.processes.calls.empty());  // nothing is waited for
}

TEST_F(HandOver, TakesTheProgramFromTheSetting) {
  prepareFile();
  w.fake.settings.values[fakes::FakeSettings::key("Calverdon", "SchematicEditor", "Program")] =
      "/opt/schematics/bin/editor";
  spice::Export_Click(w.f);
  ASSERT_EQ(w.fake.launcher.calls.size(), 1u);
  EXPECT_EQ(w.fake.launcher.calls[0].program, "/opt/schematics/bin/editor");
}

TEST_F(HandOver, AMissingFileIsNamedAndNothingIsStarted) {
  spice::Export_Click(w.f);
  EXPECT_TRUE(w.fake.launcher.calls.empty());
  EXPECT_EQ(w.fake.messages.texts(),
            (QStringList{"This feature is under construction.",
                         "The prepared schematic \"" + file + "\" was not found."}));
}

TEST_F(HandOver, AProgramThatCannotStartIsNamed) {
  prepareFile();
  w.fake.launcher.succeed = false;
  spice::Export_Click(w.f);
  EXPECT_EQ(w.fake.messages.texts(),
            (QStringList{"This feature is under construction.",
                         "The schematic program \"xschem\" could not be started."}));
}

}  // namespace
