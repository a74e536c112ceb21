// Every way a simulation can fail gives one message and a usable window: nothing half drawn,
// nothing left from an earlier run shown as new.
#include <gtest/gtest.h>

#include <signal.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <functional>

#include "designfiles/designfile.h"
#include "designfiles/filecommands.h"
#include "fake_program.h"
#include "mainwindow/handlers.h"
#include "simulation_fixture.h"
#include "spice/netlistexport.h"
#include "spice/ngspiceshared.h"
#include "support/nonnumbers.h"

namespace {

// A library with a model that does not parse and one whose circuit cannot be solved (two
// sources fight over its output), beside a sound one.
const QByteArray kFaultyLibrary =
    "* models for the fault tests\n"
    ".subckt KVR9001/30 1 2 3 4 5\n"
    "R1 1 2 abc\n"
    ".ENDS\n"
    "* END MODEL KVR9001\n"
    ".subckt KVR9002/30 1 2 3 4 5\n"
    "V1 5 0 1\n"
    "V2 5 0 2\n"
    ".ENDS\n"
    "* END MODEL KVR9002\n"
    ".subckt KVR9003/30 1 2 3 4 5\n"
    "E1 5 0 1 2 1e6\n"
    ".ENDS\n"
    "* END MODEL KVR9003\n";

BPNotchDesign design() {
  BPNotchDesign d;
  d.stages = QStringLiteral("2");
  d.centre = QStringLiteral("1k");
  d.q = QStringLiteral("3");
  d.rows = {{"1k", "3", "1"}, {"1k", "3", "1"}};
  return d;
}

struct FaultFixture : SimulationFixture {
  FaultFixture() {
    QFile lib(programDir.path() + QStringLiteral("/models/marquenta.lib"));
    EXPECT_TRUE(lib.open(QIODevice::WriteOnly | QIODevice::Truncate));
    lib.write(kFaultyLibrary);
  }
  // A sound run first, so a failure that follows cannot show its result as new.
  void runSound(int simulator) {
    chooseSimulator(simulator);
    chooseModel(QStringLiteral("KVR9003/30"));
    RunBPNotchDesign(*this, design());
    ASSERT_TRUE(fake.messages.shown.empty()) << fake.messages.texts().join("\n").toStdString();
    ASSERT_TRUE(f.SimPlotValid);
    ASSERT_GT(traceSegments(), 0);
  }
  void expectFailedOnce(const QString& message) {
    EXPECT_EQ(fake.messages.texts(), QStringList({message}))
        << fake.messages.texts().join("\n").toStdString();
    EXPECT_FALSE(f.SimResultsReady);
    EXPECT_FALSE(f.SimPlotValid);
    EXPECT_EQ(traceSegments(), 0) << "no trace of an earlier run, no half-drawn trace";
    EXPECT_TRUE(f.Qtotal.Text.isEmpty());
    EXPECT_TRUE(f.GainF[5].Caption.isEmpty());
  }
  // The window goes on: the sound model simulates again with the simulator inside.
  void expectUsable() {
    fake.messages.shown.clear();
    chooseSimulator(2);
    chooseModel(QStringLiteral("KVR9003/30"));
    f.SequenceUpdateScreen();
    EXPECT_TRUE(fake.messages.shown.empty()) << fake.messages.texts().join("\n").toStdString();
    EXPECT_TRUE(f.SimPlotValid);
    EXPECT_GT(traceSegments(), 0);
    EXPECT_FALSE(f.SuppressUpdate);
  }
};

TEST(SimulationFaults, EachFailureGivesOneMessageAndTheWindowGoesOn) {
  struct Case {
    const char* name;
    int simulator;
    std::function<void(FaultFixture&)> fail;
    std::function<QString(FaultFixture&)> message;
  };
  const auto rawError = [](FaultFixture&) { return spice::RawFileError(); };
  const auto model = [](const char* name) {
    return [name](FaultFixture& s) { s.chooseModel(QString::fromLatin1(name)); };
  };
  const std::vector<Case> cases = {
      {"program missing", 1,
       [](FaultFixture& s) {
         static gui::QtProcessRunner runner;
         static spice::NgspiceProgramEngine missing(runner, QStringLiteral("/nonexistent/ngspice"));
         s.f.SimulatorProgram = &missing;
       },
       [](FaultFixture&) { return spice::ProgramNotStarted("/nonexistent/ngspice"); }},
      {"netlist that does not parse, program", 1, model("KVR9001/30"), rawError},
      {"netlist that does not parse, inside", 2, model("KVR9001/30"), nullptr},
      {"model that does not converge, program", 0, model("KVR9002/30"), rawError},
      {"model that does not converge, inside", 2, model("KVR9002/30"), nullptr},
      {"program that never ends", 1,
       [](FaultFixture& s) {
         static spice::NgspiceProgramEngine hanging(s.fake.processes);
         s.fake.processes.started = [](const fakes::ProcessCall&, fakes::FakeStartedProgram& p) {
           p.hangs = true;
           return true;
         };
         s.f.SimulatorProgram = &hanging;
       },
       [](FaultFixture&) { return spice::ProgramTimedOut(spice::kShellTimeoutSeconds); }},
      {"raw file cut short", 1,
       [](FaultFixture& s) {
         static spice::NgspiceProgramEngine cut(s.fake.processes);
         s.fake.processes.started = [](const fakes::ProcessCall& call, fakes::FakeStartedProgram& p) {
           const QString raw = call.arguments.value(3);
           p.onEnd = [raw] {
             QFile file(raw);
             if (file.open(QIODevice::WriteOnly))
               file.write("Title: cut\nPlotname: AC Analysis\nFlags: complex\nNo. Variables: 2\n"
                          "No. Points: 301\nVariables:\n\t0\tfrequency\tfrequency\n"
                          "\t1\tv(node290)\tvoltage\nValues:\n0\t\t1.0e+01,0.0\n\t1.0,0.0\n"
                          "1\t\t1.1e+01,0.0\n");
           };
           return true;
         };
         s.f.SimulatorProgram = &cut;
       },
       rawError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FaultFixture s;
    s.runSound(c.simulator);
    s.fake.messages.shown.clear();
    c.fail(s);
    s.f.SequenceUpdateScreen();
    if (c.message) {
      s.expectFailedOnce(c.message(s));
    } else {
      ASSERT_EQ(s.fake.messages.shown.size(), 1u) << s.fake.messages.texts().join("\n").toStdString();
      EXPECT_TRUE(s.fake.messages.shown[0].text.startsWith("The simulation failed: "))
          << s.fake.messages.shown[0].text.toStdString();
      s.expectFailedOnce(s.fake.messages.shown[0].text);
    }
    s.f.SimulatorProgram = &s.program;
    s.expectUsable();
  }
}

TEST(SimulationFaults, AFaultyProgramIsToldOncePerFaultOverManyPasses) {
  struct Case {
    const char* name;
    QByteArray script;  // empty: no program at all
    bool hangs = false;
  };
  const std::vector<Case> cases = {
      {.name = "missing", .script = {}},
      {.name = "hangs with a child",
       .script = "sleep 600 &\necho $! >\"$(dirname \"$0\")/child.pid\"\nwait\n",
       .hangs = true},
      {.name = "crashes", .script = "kill -SEGV $$\n"},
      {.name = "huge header",
       .script = "printf 'Title: t\\nPlotname: AC Analysis\\nFlags: complex\\nNo. Variables: 2\\n"
                 "No. Points: 2000000000\\nVariables:\\n\\t0\\tfrequency\\tfrequency\\n"
                 "\\t1\\tv(node290)\\tvoltage\\nValues:\\n0\\t\\t1.0e+01,0.0\\n\\t1.0,0.0\\n'"
                 " >\"$4\"\n"},
      {.name = "junk tail", .script = "ngspice \"$@\" || exit 1\ntruncate -s +17M \"$4\"\n"},
      {.name = "missing node",
       .script = "ngspice \"$@\" || exit 1\nsed -i 's/node290/node299/g' \"$4\"\n"},
      {.name = "binary", .script = "exec ngspice -r \"$4\" -b \"$6\"\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FaultFixture s;
    s.runSound(1);
    FakeProgram program("ngspice", c.script);
    WaitingRunner runner;
    if (c.hangs) runner.waitFor = program.file("child.pid");
    const double timeout = c.hangs ? 0.5 : kLoadedMachineSeconds;
    spice::NgspiceProgramEngine engine(runner, program.path, timeout);
    const QString message = c.script.isEmpty() ? spice::ProgramNotStarted(program.path)
                            : c.hangs          ? spice::ProgramTimedOut(timeout)
                                               : spice::RawFileError();
    // The same fault pass after pass: told once, no plot of the sound run left.
    s.fake.messages.shown.clear();
    s.f.SimulatorProgram = &engine;
    for (int pass = 0; pass < 3; ++pass) {
      s.f.SequenceUpdateScreen();
      EXPECT_FALSE(QFile::exists(s.userFile(spice::kRawOutputFile)) && c.hangs)
          << "a stopped program's output is no result";
    }
    s.expectFailedOnce(message);
    // "Test Spice" answers every click, the same fault included; the passes that follow tell
    // it no more.
    s.f.raise(s.f.RunSpice, forms::Event::Click);
    s.f.raise(s.f.RunSpice, forms::Event::Click);
    s.f.SequenceUpdateScreen();
    EXPECT_EQ(s.fake.messages.texts(), QStringList({message, message, message}))
        << s.fake.messages.texts().join("\n").toStdString();
    if (c.hangs) {
      QFile pidFile(program.file("child.pid"));
      ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
      EXPECT_TRUE(ProcessGone(pidFile.readAll().trimmed().toLongLong()))
          << "the program's own child is stopped with it";
    }
    // A sound pass, then the same fault is told again, once.
    s.f.SimulatorProgram = &s.program;
    s.expectUsable();
    s.fake.messages.shown.clear();
    s.chooseSimulator(1);
    s.f.SimulatorProgram = &engine;
    s.f.SequenceUpdateScreen();
    s.f.SequenceUpdateScreen();
    EXPECT_EQ(s.fake.messages.texts(), QStringList({message}))
        << s.fake.messages.texts().join("\n").toStdString();
    s.f.SimulatorProgram = &s.program;
  }
}

TEST(SimulationFaults, AValueThatStaysUnusableIsToldOnceUntilItChanges) {
  FaultFixture s;
  s.runSound(2);
  s.fake.messages.shown.clear();
  s.f.Text12.Text = QStringLiteral("abc");  // the seed resistor
  for (int pass = 0; pass < 3; ++pass) s.f.SequenceUpdateScreen();
  ASSERT_EQ(s.fake.messages.shown.size(), 1u) << s.fake.messages.texts().join("\n").toStdString();
  EXPECT_FALSE(s.f.SimPlotValid);
  // Another fault is told at once; so is the first again after a pass that succeeded.
  const QString supply = s.f.Vs.Text;
  s.f.Vs.Text = QStringLiteral("abc");
  s.f.SequenceUpdateScreen();
  s.f.SequenceUpdateScreen();
  s.f.Vs.Text = supply;
  s.f.Text12.Text = QStringLiteral("10k");
  s.f.SequenceUpdateScreen();
  EXPECT_TRUE(s.f.SimPlotValid);
  s.f.Text12.Text = QStringLiteral("abc");
  s.f.SequenceUpdateScreen();
  const QStringList texts = s.fake.messages.texts();
  ASSERT_EQ(texts.size(), 3) << texts.join("\n").toStdString();
  EXPECT_EQ(texts[1], spice::SupplyNotUnderstood("abc"));
  EXPECT_EQ(texts[2], texts[0]);
}

// The per-user folder cannot be written: one message for each thing the user did, however
// many display passes it took.
TEST(SimulationFaults, AnUnwritableFolderIsToldOncePerAction) {
  // A band-pass design file, written by a window of its own.
  QTemporaryDir files;
  const QString designPath = files.filePath("bandpass.cvf");
  {
    SimulationFixture other;
    BPNotchDesign d = design();
    d.stages = QStringLiteral("3");
    d.rows = {{"1k", "3", "1"}, {"1k", "3", "1"}, {"1k", "3", "1"}};
    RunBPNotchDesign(other, d);
    QFile file(designPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(designfiles::WriteDesignRecord(designfiles::RecordOf(other.f)));
  }
  struct Case {
    const char* name;
    std::function<void(SimulationFixture&)> act;
    int told = 1;
  };
  const auto enter = [](SimulationFixture& s, const char* centre) {
    s.f.Text34.Text = QString::fromLatin1(centre);
    forms::EventArgs key;
    key.KeyCode = forms::kKeyReturn;
    s.f.raise(s.f.Text34, forms::Event::KeyDown, key);
  };
  const std::vector<Case> cases = {
      {.name = "File > Open of a band-pass design",
       .act =
           [&](SimulationFixture& s) {
             s.fake.fileDialogs.openAnswer = designPath;
             s.f.raise(*s.f.find(QStringLiteral("mnuFileOpen")), forms::Event::Click);
           }},
      {.name = "choosing Band-Pass in the list",
       .act = [](SimulationFixture& s) { s.choosePassBand("Band-Pass"); }},
      // Typed entries add nothing to the list choice's message; once the folder could be
      // written again, the fault that comes back is told again.
      {.name = "centre frequencies typed and entered",
       .act =
           [&](SimulationFixture& s) {
             const QString blocked = s.fake.paths.user;
             s.choosePassBand("Band-Pass");
             enter(s, "2k");
             enter(s, "3k");
             s.fake.paths.user = s.userDir.path();
             enter(s, "4k");
             EXPECT_TRUE(s.f.SimPlotValid);
             s.fake.paths.user = blocked;
             enter(s, "5k");
             enter(s, "6k");
           },
       .told = 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimulationFixture s;
    mainwindow::RegisterHandlers(s.f);
    designfiles::RegisterFileCommands(s.f);
    s.chooseSimulator(1);
    // A file where the folder should be: not even root can write below it.
    QFile blocker(s.userFile("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    s.fake.paths.user = s.userFile("blocked/user");
    c.act(s);
    const QStringList texts = s.fake.messages.texts();
    EXPECT_EQ(texts.filter(QStringLiteral("could not be written")).size(), c.told)
        << texts.join("\n").toStdString();
    EXPECT_EQ(texts.size(), c.told) << texts.join("\n").toStdString();
    EXPECT_FALSE(s.f.SimPlotValid);
    EXPECT_FALSE(s.f.SuppressUpdate);
  }
}

TEST(SimulationFaults, SupplyAndSourceTextsThatAreNoNumbersAreRefused) {
  struct Case {
    const char* vs;
    const char* vin;
    QString message;
  };
  const QString pm = QString(QChar(0x00B1));
  for (const Case& c : {Case{"abc", "1", spice::SupplyNotUnderstood("abc")},
                        Case{"", "1", spice::SupplyNotUnderstood("")},
                        Case{"\xC2\xB1", "1", spice::SupplyNotUnderstood(pm)},
                        Case{"\xC2\xB1" "5", "1 V", spice::InputNotUnderstood("1 V")},
                        Case{"\xC2\xB1" "5", "", spice::InputNotUnderstood("")}}) {
    SCOPED_TRACE(c.vs);
    SimulationFixture s;
    s.f.Vs.Text = QString::fromUtf8(c.vs);
    s.f.Vin.Text = QString::fromUtf8(c.vin);
    RunBPNotchDesign(s, design());
    EXPECT_EQ(s.fake.messages.texts(), QStringList({c.message}));
    EXPECT_FALSE(QFile::exists(s.userFile("Model.cir"))) << "nothing is written";
    EXPECT_FALSE(s.f.SimPlotValid);
    EXPECT_EQ(s.traceSegments(), 0);
  }
  // A supply box holding a number with or without the sign is written as it stands.
  SimulationFixture s;
  s.f.Vs.Text = QStringLiteral("12");
  s.f.SScheck.setFromUser(1);
  RunBPNotchDesign(s, design());
  EXPECT_TRUE(s.fake.messages.shown.empty());
  EXPECT_TRUE(s.f.SimPlotValid);
  QFile file(s.userFile("Model.cir"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromLatin1(file.readAll());
  EXPECT_TRUE(text.contains("\r\nV2 Node10 0 DC 12 DISTOF1 0 DISTOF2 0\r\n"));
  EXPECT_TRUE(text.contains("\r\nV1 Node20 0 DC -0 DISTOF1 0 DISTOF2 0\r\n"));
  EXPECT_EQ(s.f.SupplyText, "0") << "kept after a single-supply netlist";
}

}  // namespace

namespace {

// Whatever a box holds when a pass starts, the simulated design neither crashes the program nor
// shows "inf" or "nan", and the simulator inside the process stays usable.
TEST(SimulationFaults, HostileAndExtremeBoxTextsWithTheSimulatorOn) {
  const QStringList texts = {"", " ", "abc", "1e999", "-1e999", "1e-999", "-0", "nan", "inf",
                             "0x1F", "k", "1k2k3", ",", "-", "1e38k", QString(500, '9'),
                             QString::fromUtf8("µµ"), "0.001", "200M", "1e-30", "1e30", "5000",
                             "-5", "0"};
  for (const char* band : {"Band-Pass", "Notch"}) {
    SimulationFixture s;
    mainwindow::CalverdonForm& f = s.f;
    BPNotchDesign d = design();
    d.band = QString::fromLatin1(band);
    EnterBPNotchDesign(s, d);
    const std::vector<std::pair<const char*, forms::TextBox*>> boxes = {
        {"Text34", &f.Text34}, {"Text18", &f.Text18},     {"Text3", &f.Text3},
        {"SpacF", &f.SpacF},   {"FnInput(0)", &f.FnInput[0]}, {"QInput(0)", &f.QInput[0]},
        {"GainTB(0)", &f.GainTB[0]}, {"Text12", &f.Text12}, {"Vs", &f.Vs}, {"Vin", &f.Vin}};
    int simulated = 0;
    for (const auto& [name, box] : boxes)
      for (const QString& t : texts) {
        SCOPED_TRACE(QStringLiteral("%1 %2 = \"%3\"").arg(band, name, t.left(20)).toStdString());
        EnterBPNotchDesign(s, d);
        f.Vs.Text = QString::fromUtf8("\xC2\xB1" "5");
        f.Vin.Text = QStringLiteral("1");
        box->Text = t;
        f.SequenceUpdateScreen();
        // What was typed may read "nan" (here no box handler turned it away), and so may the
        // captions that show the resistor box as it stands; nothing else may.
        box->Text.clear();
        if (box == &f.Text12)
          f.FDAsummerR1.Caption = f.FDAsummerR2.Caption = f.FDAsummerR3.Caption = QString();
        EXPECT_EQ(FirstNonNumber(f), QString());
        EXPECT_FALSE(f.SuppressUpdate);
        simulated += f.SimPlotValid ? 1 : 0;
        for (const forms::DrawnLine& l : f.Graph.drawing.lines)
          ASSERT_TRUE(std::isfinite(l.x1) && std::isfinite(l.y1) && std::isfinite(l.x2) &&
                      std::isfinite(l.y2));
      }
    // Texts a design can be built from reach the simulator; the others are refused before it.
    EXPECT_GT(simulated, int(boxes.size() * texts.size()) / 3);
    // The simulator inside still runs a sound design.
    s.fake.messages.shown.clear();
    s.chooseSimulator(2);
    EnterBPNotchDesign(s, d);
    f.Vs.Text = QString::fromUtf8("\xC2\xB1" "5");
    f.Vin.Text = QStringLiteral("1");
    f.SequenceUpdateScreen();
    EXPECT_TRUE(s.fake.messages.shown.empty()) << s.fake.messages.texts().join("\n").toStdString();
    EXPECT_TRUE(f.SimPlotValid);
  }
}

}  // namespace
