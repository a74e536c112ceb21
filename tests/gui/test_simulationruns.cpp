// One simulator run per change the engineer makes in the window: an entry typed into any box
// of a band-pass or notch design and left with Tab runs the simulator once, a click that
// changes nothing runs it not at all, and a change of model, supply or simulator once, with
// ngspice as a program (a script that logs its runs) and inside the process.
#include <QFile>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "designview/fake_program.h"
#include "shownmainwindow.h"
#include "spice/ngspiceprogram.h"
#include "spice/ngspiceshared.h"
#include "spice/opampmodels.h"
#include "support/countedengine.h"
#include "support/simulationfolders.h"

namespace {

struct SimulatedWindow : ShownMainWindow {
  SimulationFolders folders{fake};
  FakeProgram logging{"ngspice", "echo run >>\"$(dirname \"$0\")/runs.log\"\nexec ngspice \"$@\"\n"};
  gui::QtProcessRunner runner;
  spice::NgspiceProgramEngine program{runner, logging.path, 120};
  CountedEngine inside{spice::NgspiceSharedEngine::instance()};

  // A two-stage design of the pass band at 1 kHz, simulated by choice `simulator` (1 the
  // program, 2 inside the process).
  SimulatedWindow(const QString& band, int simulator) {
    f.SimulatorProgram = &program;
    f.SimulatorInProcess = &inside;
    for (int j = 0; j < 3; ++j) f.XSver[size_t(j)].setFromUser(j == simulator);
    f.Text18.Text = QStringLiteral("2");
    f.Text34.Text = QStringLiteral("1k");
    f.Text3.Text = QStringLiteral("3");
    for (int i = 0; i < 2; ++i) {
      f.FnInput[i].Text = QStringLiteral("1k");
      f.QInput[i].Text = QStringLiteral("3");
      f.GainTB[i].Text = band == "Notch" ? QString() : QStringLiteral("1");
    }
    f.Passband.setFromUser(int(f.Passband.items().indexOf(band)), band);
    f.SequenceUpdateScreen();
    window->view().sync();
    EXPECT_TRUE(f.SimPlotValid) << fake.messages.texts().join("\n").toStdString();
  }

  // The runs of both simulators so far.
  int runs() const {
    QFile log(logging.file("runs.log"));
    const int outside = log.open(QIODevice::ReadOnly) ? int(log.readAll().count('\n')) : 0;
    return outside + inside.runs;
  }
};

TEST(SimulationRuns, EachChangeRunsTheSimulatorOnceAndNothingElseRunsIt) {
  struct Step {
    const char* name;
    std::function<void(SimulatedWindow&)> act;
    int runs = 1;
  };
  const auto typed = [](forms::TextBox& (*box)(mainwindow::CalverdonForm&), const char* text) {
    return std::function<void(SimulatedWindow&)>(
        [box, text](SimulatedWindow& s) { s.type(box(s.f), QLatin1String(text), Qt::Key_Tab); });
  };
  const auto choose = [](forms::Control& (*control)(mainwindow::CalverdonForm&),
                         std::function<void(mainwindow::CalverdonForm&)> set) {
    return [control, set](SimulatedWindow& s) {
      set(s.f);
      s.f.raise(control(s.f), forms::Event::Click);
      s.window->view().sync();
    };
  };
  const auto box = [](forms::TextBox& (*pick)(mainwindow::CalverdonForm&)) { return pick; };
  const auto stages = box([](mainwindow::CalverdonForm& f) -> forms::TextBox& { return f.Text18; });
  const auto centre = box([](mainwindow::CalverdonForm& f) -> forms::TextBox& { return f.Text34; });
  const auto seed = box([](mainwindow::CalverdonForm& f) -> forms::TextBox& { return f.Text12; });
  const auto allQ = box([](mainwindow::CalverdonForm& f) -> forms::TextBox& { return f.Text3; });
  const auto fn = box([](mainwindow::CalverdonForm& f) -> forms::TextBox& { return f.FnInput[0]; });
  const auto q = box([](mainwindow::CalverdonForm& f) -> forms::TextBox& { return f.QInput[0]; });
  const auto gain = box([](mainwindow::CalverdonForm& f) -> forms::TextBox& { return f.GainTB[1]; });
  const auto supply = box([](mainwindow::CalverdonForm& f) -> forms::TextBox& { return f.Vs; });
  const Step clickGraph{"a click on the graph", [](SimulatedWindow& s) {
                          QTest::mouseClick(s.window->view().widgetFor(s.f.Graph), Qt::LeftButton,
                                            {}, QPoint(20, 20));
                          QApplication::processEvents();
                        }, 0};
  const std::vector<Step> choices = {
      {"op-amp model",
       choose([](mainwindow::CalverdonForm& f) -> forms::Control& { return f.OpAmpModel; },
              [](mainwindow::CalverdonForm& f) {
                spice::LoadOpAmpModels(f);
                f.OpAmpModel.setFromUser(int(f.OpAmpModel.items().indexOf("KVR1202/30")),
                                         QStringLiteral("KVR1202/30"));
              })},
      {"single supply",
       choose([](mainwindow::CalverdonForm& f) -> forms::Control& { return f.SScheck; },
              [](mainwindow::CalverdonForm& f) { f.SScheck.setFromUser(1); })},
      {"the other simulator",
       [](SimulatedWindow& s) {
         const size_t other = s.f.XSver[2].Value() ? 1 : 2;
         s.f.XSver[other].setFromUser(true);
         s.f.raise(s.f.XSver[other], forms::Event::Click);
         s.window->view().sync();
       }},
  };
  // The boxes of each pass band; the notch stages all take the Q of the one Q box.
  const std::vector<Step> bandPass = {
      {"pole count", typed(stages, "1")}, {"pole count back", typed(stages, "2")},
      {"centre frequency", typed(centre, "2k")}, {"a box left as it was", typed(centre, "2k"), 0},
      {"seed resistor", typed(seed, "2.2k")}, {"section Fn", typed(fn, "1.7k")},
      {"section Q", typed(q, "4")}, {"section gain", typed(gain, "2")},
      {"supply box", typed(supply, "12")}, clickGraph};
  const std::vector<Step> notch = {
      {"pole count", typed(stages, "1")}, {"pole count back", typed(stages, "2")},
      {"centre frequency", typed(centre, "2k")}, {"a box left as it was", typed(centre, "2k"), 0},
      {"seed resistor", typed(seed, "2.2k")}, {"section Fn", typed(fn, "1.7k")},
      {"Q", typed(allQ, "4")}, {"supply box", typed(supply, "12")}, clickGraph};
  for (const char* band : {"Band-Pass", "Notch"})
    for (const int simulator : {1, 2}) {
      SimulatedWindow s(QLatin1String(band), simulator);
      std::vector<Step> all = band == std::string("Notch") ? notch : bandPass;
      all.insert(all.end(), choices.begin(), choices.end());
      for (const Step& step : all) {
        SCOPED_TRACE(QStringLiteral("%1, simulator %2, %3")
                         .arg(QLatin1String(band)).arg(simulator).arg(QLatin1String(step.name))
                         .toStdString());
        const int before = s.runs();
        step.act(s);
        EXPECT_EQ(s.runs() - before, step.runs);
        EXPECT_TRUE(s.f.SimPlotValid) << s.fake.messages.texts().join("\n").toStdString();
        // The box the Tab went to is left before the next step: its own validation is no
        // part of that step.
        s.widget(s.f.RunSpice)->setFocus();
        QApplication::processEvents();
      }
      EXPECT_TRUE(s.fake.messages.shown.empty()) << s.fake.messages.texts().join("\n").toStdString();
    }
}

}  // namespace
