// Two instances of the program with one per-user folder: one simulates while the other runs a
// whole pass, and each still plots its own design.
#include <gtest/gtest.h>

#include <QProcess>
#include <functional>
#include <memory>
#include <utility>

#include "gui/qtsystem.h"
#include "simulation_fixture.h"
#include "support/writtenfile.h"

namespace {

QByteArray contentsOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The simulator program, started for real only when the window waits for its end: what runs
// meanwhile (the other instance's pass) comes between the window's netlist and the program
// reading it, as it may with two instances at once.
class LateProgram : public platform::StartedProgram {
 public:
  LateProgram(QString program, QStringList arguments, QString folder, std::function<void()> meanwhile)
      : program_(std::move(program)), arguments_(std::move(arguments)),
        folder_(std::move(folder)), meanwhile_(std::move(meanwhile)) {}
  bool waitForEnd(double) override {
    if (ended_) return true;
    ended_ = true;
    if (meanwhile_) std::exchange(meanwhile_, nullptr)();
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(folder_);
    p.start(program_, arguments_);
    if (p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit) code_ = p.exitCode();
    output_ = QString::fromLocal8Bit(p.readAll());
    return true;
  }
  int exitCode() override { return code_; }
  QString output() override { return output_; }
  void kill() override { ended_ = true; }

 private:
  QString program_;
  QStringList arguments_;
  QString folder_;
  std::function<void()> meanwhile_;
  bool ended_ = false;
  int code_ = -1;
  QString output_;
};

class InterleavingRunner : public platform::ProcessRunner {
 public:
  std::function<void()> meanwhile;  // for the next program started
  std::unique_ptr<platform::StartedProgram> start(const QString& program,
                                                  const QStringList& arguments,
                                                  const QString& folder) override {
    return std::make_unique<LateProgram>(program, arguments, folder,
                                         std::exchange(meanwhile, nullptr));
  }
  platform::ProcessResult run(const QString& program, const QStringList& arguments,
                              const QString& folder, int timeoutMs) override {
    return gui::QtProcessRunner().run(program, arguments, folder, timeoutMs);
  }
};

// The program's folders as an instance sees them: the test's program folder, the shared
// per-user folder and this instance's own folder in it.
class InstancePaths : public platform::Paths {
 public:
  InstancePaths(QString program, const QString& user)
      : program_(std::move(program)), instance_(user) {}
  QString programFolder() override { return program_; }
  QString userFolder() override { return instance_.own(); }
  QString sharedUserFolder() override { return instance_.shared(); }

 private:
  QString program_;
  gui::InstanceFolder instance_;
};

// One instance: its window with a one-stage band-pass design, simulated by the ngspice program.
struct Instance {
  SimulationFixture s;
  InstancePaths paths;
  InterleavingRunner runner;
  spice::NgspiceProgramEngine engine{runner};
  double centre;

  // simulator: the choice of the outside program (0 writes the netlist and its models in two
  // files, the others in one, Model.cir).
  Instance(const QString& user, const QString& centreText, int simulator = 0)
      : paths(s.programDir.path(), user), centre(engine::EngValue(centreText, '.').value()) {
    s.f.svc.paths = &paths;
    s.f.SimulatorProgram = &engine;
    s.chooseSimulator(simulator);
    BPNotchDesign d;
    d.stages = QStringLiteral("1");
    d.centre = centreText;
    d.q = QStringLiteral("5");
    d.rows = {{centreText, QStringLiteral("5"), QStringLiteral("1")}};
    EnterBPNotchDesign(s, d);
  }
  // A pass of a Q other than the last pass's, so that each pass runs the simulator.
  void pass() {
    s.f.QInput[0].Text = s.f.QInput[0].Text == "5" ? QStringLiteral("6") : QStringLiteral("5");
    s.f.SequenceUpdateScreen();
  }
  // The frequency of the plotted peak over the design's centre.
  double peakOverCentre() const {
    const auto& f = s.f;
    if (!f.SimPlotValid || f.PlotPoints <= 0) return 0;
    int peak = 0;
    for (int k = 1; k <= f.PlotPoints; ++k)
      if (f.PlotGain[size_t(k)] > f.PlotGain[size_t(peak)]) peak = k;
    return f.SweepFreq[size_t(peak + 1)] / centre;
  }
};

TEST(TwoInstances, EachPlotsItsOwnPeakWhileTheOtherSimulatesInTheSameUserFolder) {
  QTemporaryDir user;
  Instance a(user.path(), QStringLiteral("1k"));
  Instance b(user.path(), QStringLiteral("10k"));

  // Round one: b runs a whole pass while a's simulator has not read a's netlist yet; round
  // two the other way round; then each on its own.
  const struct {
    Instance& outer;
    Instance& inner;
  } rounds[] = {{a, b}, {b, a}, {a, a}, {b, b}};
  for (const auto& r : rounds) {
    if (&r.outer != &r.inner) r.outer.runner.meanwhile = [&r] { r.inner.pass(); };
    r.outer.pass();
    for (Instance* i : {&a, &b}) {
      SCOPED_TRACE(i == &a ? "the 1 kHz instance" : "the 10 kHz instance");
      EXPECT_TRUE(i->s.fake.messages.shown.empty())
          << i->s.fake.messages.texts().join("\n").toStdString();
      EXPECT_NEAR(i->peakOverCentre(), 1.0, 0.01);
    }
  }

  // The first instance writes where a single instance does; the second in a folder of its own.
  EXPECT_TRUE(QFile::exists(user.filePath("bandpass.cir")));
  EXPECT_TRUE(QFile::exists(user.filePath("instance-2/bandpass.cir")));
  EXPECT_EQ(a.paths.userFolder().toStdString(), user.path().toStdString());
  EXPECT_EQ(b.paths.userFolder().toStdString(), user.filePath("instance-2").toStdString());
}

// A file where the second instance's folder would be: the second takes the next folder and
// never the first one's.
TEST(TwoInstances, AFileInPlaceOfTheSecondFolderSendsTheSecondInstanceToTheNextOne) {
  QTemporaryDir user;
  ASSERT_TRUE(WriteTestFile(user.filePath("instance-2"), "in the way"));
  Instance a(user.path(), QStringLiteral("1k"), 1);
  a.pass();
  const QByteArray firstNetlist = contentsOf(user.filePath("Model.cir"));
  ASSERT_FALSE(firstNetlist.isEmpty());

  Instance b(user.path(), QStringLiteral("10k"), 1);
  b.pass();
  EXPECT_EQ(b.paths.userFolder().toStdString(), user.filePath("instance-3").toStdString());
  EXPECT_TRUE(QFile::exists(user.filePath("instance-3/Model.cir")));
  EXPECT_EQ(contentsOf(user.filePath("Model.cir")), firstNetlist);
  EXPECT_EQ(contentsOf(user.filePath("instance-2")), QByteArray("in the way"));
  for (Instance* i : {&a, &b}) {
    EXPECT_TRUE(i->s.fake.messages.shown.empty())
        << i->s.fake.messages.texts().join("\n").toStdString();
    EXPECT_NEAR(i->peakOverCentre(), 1.0, 0.01);
  }
}

}  // namespace
