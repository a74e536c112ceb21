// The simulator's raw file read back by its own header, and the wait for the simulator
// program.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>

#include "fakes/fake_services.h"
#include "spice/ngspiceprogram.h"
#include "spice/rawfile.h"

namespace {

// An AC plot of three points and three vectors: the frequency, a node voltage and a device
// quantity saved as a real value alone; then the operating point.
const QByteArray kRaw =
    "Title: *** /home/eng/data/BandPass.cir, with a comma\n"
    "Date: Thu Dec 10 20:00:00  2026\n"
    "Plotname: AC Analysis\n"
    "Flags: complex\n"
    "No. Variables: 3\n"
    "No. Points: 3     \n"
    "Variables:\n"
    "\t0\tfrequency\tfrequency\tgrid=3\n"
    "\t1\tv(node190)\tvoltage\n"
    "\t2\t@r1a[i]\tcurrent\n"
    "Values:\n"
    "0\t\t1.000000000000000e+02,nan\n"
    "\t5.000000000000000e-01,-2.500000000000000e-01\n"
    "\t1.0e-06\n"
    "1\t\t1.023292992280754e+02,-2.5e-74\n"
    "\t4.0e-01,-3.0e-01\n"
    "\t2.0e-06,0.0\n"
    "2\t\t1.047128548050900e+02,0.0\n"
    "\t3.0e-01,-4.0e-01\n"
    "\t3.0e-06\n"
    "\n"
    "Title: *** /home/eng/data/BandPass.cir\n"
    "Date: Thu Dec 10 20:00:00  2026\n"
    "Plotname: Operating Point\n"
    "Flags: real\n"
    "No. Variables: 2\n"
    "No. Points: 1\n"
    "Variables:\n"
    "\t0\tv(node10)\tvoltage\n"
    "\t1\tv(node20)\tvoltage\n"
    "Values:\n"
    "0\t\t5.000000000000000e+00\n"
    "\t-5.000000000000000e+00\n";

// The analysis alone: the bytes of kRaw before the operating point.
QByteArray analysisOnly() { return kRaw.left(kRaw.indexOf("\nTitle", 10) + 1); }

TEST(RawFile, ReadsTheFirstPlotByItsHeaderWhateverFollowsIt) {
  const spice::RawFile raw = spice::ReadRawFile(kRaw);
  ASSERT_TRUE(raw.First) << raw.Error.toStdString();
  const spice::RawPlot& ac = *raw.First;
  EXPECT_TRUE(ac.Complex);
  EXPECT_EQ(ac.Header.size(), 7);
  EXPECT_EQ(ac.Header.last(), "Variables:");
  EXPECT_EQ(ac.Variables, QStringList({"0\tfrequency\tfrequency\tgrid=3", "1\tv(node190)\tvoltage",
                                       "2\t@r1a[i]\tcurrent"}));
  EXPECT_EQ(spice::RawVariableName(ac.Variables[1]), "v(node190)");
  EXPECT_EQ(spice::RawNodeName(spice::RawVariableName(ac.Variables[1])), "node190");
  EXPECT_EQ(spice::RawNodeName("@r1a[i]"), "@r1a[i]");
  // The vectors by name as the simulator inside the process names them, found in any case.
  EXPECT_EQ(ac.Results.Names, QStringList({"frequency", "node190", "@r1a[i]"}));
  EXPECT_EQ(ac.Results.vectorIndex("NODE190"), 1);
  EXPECT_EQ(ac.Results.vectorIndex("node19"), std::nullopt);
  ASSERT_EQ(ac.Results.Values.size(), 3u);
  // The frequency's unset imaginary part ("nan", garbage) is not read.
  EXPECT_EQ(ac.Results.Values[0][0], std::complex<double>(100, 0));
  EXPECT_EQ(ac.Results.Values[1][0], std::complex<double>(1.023292992280754e+02, 0));
  EXPECT_EQ(ac.Results.Values[1][1], std::complex<double>(0.4, -0.3));
  // A vector with one real value per point, and with a pair.
  EXPECT_EQ(ac.Results.Values[0][2], std::complex<double>(1e-6, 0));
  EXPECT_EQ(ac.Results.Values[1][2], std::complex<double>(2e-6, 0));

  // The same plot whatever follows it and whichever line ends the file uses.
  QByteArray crlf = kRaw, cr = kRaw;
  crlf.replace("\n", "\r\n");
  cr.replace("\n", "\r");
  for (const QByteArray& bytes :
       {analysisOnly(), analysisOnly() + QByteArray(100000, '\x01'), analysisOnly().chopped(1),
        analysisOnly() + "Title: a plot cut short\nNo. Points: 2000000000\n", crlf, cr}) {
    const spice::RawFile other = spice::ReadRawFile(bytes);
    ASSERT_TRUE(other.First) << other.Error.toStdString();
    EXPECT_EQ(other.First->Variables, ac.Variables);
    EXPECT_EQ(other.First->Results.Values, ac.Results.Values);
  }
}

TEST(RawFile, AnIncompleteAnalysisIsRefusedAndNothingIsReadPastTheData) {
  struct Case {
    const char* name;
    QByteArray bytes;
  };
  QByteArray badNumber = kRaw;
  badNumber.replace("4.0e-01,-3.0e-01", "4.0e-01,x");
  QByteArray morePoints = kRaw;
  morePoints.replace("No. Points: 3", "No. Points: 4");
  QByteArray fewerValues = kRaw;
  fewerValues.replace("\t3.0e-06\n", "");
  for (const Case& c : {Case{"empty", ""}, Case{"no variable list", kRaw.left(80)},
                        Case{"cut inside the points", kRaw.left(kRaw.indexOf("2\t\t1.04"))},
                        Case{"a value that is not a number", badNumber},
                        Case{"more points announced than written", morePoints.left(morePoints.indexOf("\nTitle", 10) + 1)},
                        Case{"a point short of values", fewerValues.left(fewerValues.indexOf("\nTitle", 10) + 1)},
                        Case{"binary values", QByteArray(kRaw).replace("Values:", "Binary:")},
                        // Announced counts beyond what the file holds cost no memory.
                        Case{"a huge point count", QByteArray(kRaw).replace("No. Points: 3", "No. Points: 2000000000")},
                        Case{"a huge variable count", QByteArray(kRaw).replace("No. Variables: 3", "No. Variables: 2000000000")},
                        Case{"a count beyond an int", QByteArray(kRaw).replace("No. Points: 3", "No. Points: 99999999999")},
                        Case{"a negative count", QByteArray(kRaw).replace("No. Points: 3", "No. Points: -3")},
                        Case{"an infinite value", QByteArray(kRaw).replace("4.0e-01,-3.0e-01", "4.0e-01,1e999")}}) {
    SCOPED_TRACE(c.name);
    const spice::RawFile raw = spice::ReadRawFile(c.bytes);
    EXPECT_FALSE(raw.First);
    EXPECT_FALSE(raw.Error.isEmpty());
  }
  // More points in the file than announced: the rest is not read as data.
  QByteArray fewerPoints = kRaw;
  fewerPoints.replace("No. Points: 3", "No. Points: 2");
  const spice::RawFile raw = spice::ReadRawFile(fewerPoints);
  ASSERT_TRUE(raw.First);
  EXPECT_EQ(raw.First->Results.Values.size(), 2u);
}

TEST(RawFile, OnlyARegularFileOfASaneSizeIsRead) {
  QTemporaryDir dir;
  const QString good = dir.filePath("good.raw"), large = dir.filePath("large.raw"),
                fifo = dir.filePath("fifo.raw");
  QFile file(good);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(kRaw);
  file.close();
  // A good plot followed by junk, past the size a raw file of ours can have.
  ASSERT_TRUE(QFile::copy(good, large));
  ASSERT_TRUE(QFile(large).resize(spice::kMaxRawFileBytes + 1));
  ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);

  const spice::RawFile read = spice::ReadRawFileAt(good);
  ASSERT_TRUE(read.First) << read.Error.toStdString();
  EXPECT_EQ(read.First->Results.Values.size(), 3u);
  for (const QString& path : {large, fifo, dir.path(), dir.filePath("missing.raw")}) {
    SCOPED_TRACE(path.toStdString());
    const spice::RawFile raw = spice::ReadRawFileAt(path);
    EXPECT_FALSE(raw.First);
    EXPECT_FALSE(raw.Error.isEmpty());
  }
}

TEST(ShellAndWait, WaitsOnceForTheEndAndStopsAProgramThatNeverEnds) {
  struct Case {
    const char* name;
    bool hangs;
    bool starts;
    bool finished;
  };
  for (const Case& c : {Case{"ends", false, true, true}, Case{"never ends", true, true, false},
                        Case{"cannot start", false, false, false}}) {
    SCOPED_TRACE(c.name);
    fakes::FakeProcesses processes;
    processes.started = [&](const fakes::ProcessCall&, fakes::FakeStartedProgram& p) {
      p.hangs = c.hangs;
      p.code = 3;
      return c.starts;
    };
    const spice::ShellResult r = spice::ShellAndWait(processes, "ngspice", {"-b", "x.cir"}, "/tmp", 7);
    EXPECT_EQ(r.Started, c.starts);
    EXPECT_EQ(r.Finished, c.finished);
    EXPECT_EQ(r.ExitCode, c.finished ? 3 : -1);
    // One wait, as long as the time-out, that the program's end cuts short; a program still
    // running then is stopped.
    EXPECT_EQ(processes.log.waits, c.starts ? std::vector<double>{7} : std::vector<double>{});
    EXPECT_EQ(processes.log.kills, c.hangs ? 1 : 0);
    ASSERT_EQ(processes.calls.size(), 1u);
    EXPECT_EQ(processes.calls[0].arguments, QStringList({"-b", "x.cir"}));
  }
}

}  // namespace
