// The window waits for the simulator program exactly as long as the program runs: a pass lasts
// as long as the program run by hand and the same pass without a run together, a few
// milliseconds more at most; a program that never ends is stopped at the time-out with one
// message, and nothing a program started outlives its run.
#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <functional>

#include "fake_program.h"
#include "simulation_fixture.h"

namespace {

// The fastest of five runs of `step`, in milliseconds: a run is only ever slowed by the rest
// of a loaded machine (a parallel test run, a sanitizer build), so the fastest is the one
// closest to what the step itself costs.
double fastestMs(const std::function<void(int)>& step) {
  double fastest = 0;
  for (int i = 0; i < 5; ++i) {
    QElapsedTimer wall;
    wall.start();
    step(i);
    const double ms = double(wall.nsecsElapsed()) / 1e6;
    fastest = i == 0 ? ms : std::min(fastest, ms);
  }
  return fastest;
}

TEST(SimulationWaits, APassLastsAsLongAsTheProgramRunsAndLeavesNothingRunning) {
  // "$P" is a raw file a real run of the same design wrote; whatever a script starts carries
  // its mark.
  struct Case {
    const char* name;
    QByteArray work;
    QString message;  // empty: the run succeeds
    bool hangs = false;
  };
  const std::vector<Case> cases = {
      {"quick", "cp \"$P\" \"$4\"\n", {}},
      {"0.3 s", "sleep 0.3\ncp \"$P\" \"$4\"\n", {}},
      {"leaves a child holding its output", "sleep 600 &\ncp \"$P\" \"$4\"\n", {}},
      {"crashes", "kill -SEGV $$\n", spice::RawFileError()},
      {"hangs with a child", "sleep 600 &\nwait\n", spice::ProgramTimedOut(1), true},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.name);
    SimulationFixture s;
    s.chooseSimulator(1);
    BPNotchDesign d;
    d.stages = QStringLiteral("1");
    d.rows = {{"1k", "5", "1"}};
    RunBPNotchDesign(s, d);
    ASSERT_TRUE(s.f.SimPlotValid) << s.fake.messages.texts().join("\n").toStdString();
    // The pass without a run (it takes the results just kept): what the design and the plot
    // cost on this machine at this moment, whatever its load.
    const double withoutRun = fastestMs([&](int) { s.f.SequenceUpdateScreen(); });

    const QByteArray mark = "CALVERDON_WAIT_TEST=" +
                            QByteArray::number(QCoreApplication::applicationPid()) + "-" +
                            QByteArray::number(qulonglong(i));
    FakeProgram program("ngspice", "export " + mark + "\nP=\"" +
                                       s.userFile("prepared.raw").toUtf8() + "\"\n" + c.work);
    ASSERT_TRUE(QFile::copy(s.userFile(spice::kRawOutputFile), s.userFile("prepared.raw")));
    const double timeout = c.hangs ? 1 : kLoadedMachineSeconds;
    // The program's own run time: started by hand on the same files, the window not involved.
    const double byHand = c.hangs ? timeout * 1000 : fastestMs([&](int) {
      QProcess p;
      p.start(program.path, spice::NgspiceProgramEngine::Arguments(s.userFile("byhand.raw"),
                                                                    s.userFile("Model.cir")));
      p.waitForFinished(60000);
    });
    // What the runs by hand left behind is none of the window's doing.
    for (const qint64 pid : ProcessesMarked(mark)) ::kill(pid_t(pid), SIGKILL);
    spice::NgspiceProgramEngine engine(s.runner, program.path, timeout);
    s.f.SimulatorProgram = &engine;
    s.fake.messages.shown.clear();

    // Passes of another Q each, so that each runs the program.
    const double pass = fastestMs([&](int k) {
      s.f.QInput[0].Text = QString::number(4 + k);
      s.f.SequenceUpdateScreen();
      EXPECT_EQ(s.f.SimPlotValid, c.message.isEmpty());
    });
    EXPECT_LT(pass - byHand - withoutRun, 50) << "ms the window waited beyond the program's run";
    EXPECT_GT(pass - byHand, -50) << "a program stopped before its time";
    EXPECT_EQ(s.fake.messages.texts(), c.message.isEmpty() ? QStringList() : QStringList({c.message}));
    const QList<qint64> left = ProcessesMarked(mark);
    EXPECT_TRUE(std::all_of(left.begin(), left.end(), ProcessGone))
        << "a process the program started still runs";
    s.f.SimulatorProgram = &s.program;
  }
}

}  // namespace
