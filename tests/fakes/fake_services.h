#pragma once
// Fake platform services for model tests: each records its calls and returns scripted answers.
#include <QDateTime>
#include <QMap>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "forms/form.h"
#include "platform/services.h"

namespace fakes {

struct ShownMessage {
  QString text, title;
  platform::Buttons buttons;
  platform::Icon icon;
};

class FakeMessages : public platform::MessageService {
 public:
  std::vector<ShownMessage> shown;
  std::deque<int> answers;           // scripted answers, first in first out
  std::function<void()> whileShown;  // runs inside show(), as a modal loop would run events
  int show(const QString& text, const QString& title, platform::Buttons buttons,
           platform::Icon icon) override {
    shown.push_back({text, title, buttons, icon});
    if (whileShown) whileShown();
    // Unscripted: Yes to a yes/no question, Discard to the save question (the command goes on
    // as it would without the question), else OK.
    if (answers.empty()) {
      if (buttons == platform::Buttons::YesNo) return platform::AnswerYes;
      if (buttons == platform::Buttons::SaveDiscardCancel) return platform::AnswerDiscard;
      return platform::AnswerOk;
    }
    int a = answers.front();
    answers.pop_front();
    return a;
  }
  QStringList texts() const {
    QStringList t;
    for (const auto& m : shown) t << m.text;
    return t;
  }
};

class FakeFileDialogs : public platform::FileDialogService {
 public:
  std::vector<platform::FileDialogRequest> opened, saved;
  std::optional<QString> openAnswer, saveAnswer;
  std::optional<QString> openFile(const platform::FileDialogRequest& r) override {
    opened.push_back(r);
    return openAnswer;
  }
  std::optional<QString> saveFile(const platform::FileDialogRequest& r) override {
    saved.push_back(r);
    return saveAnswer;
  }
};

class FakeColors : public platform::ColorChooser {
 public:
  std::vector<forms::VbColor> asked;
  std::optional<forms::VbColor> answer;
  std::optional<forms::VbColor> chooseColor(forms::VbColor initial) override {
    asked.push_back(initial);
    return answer;
  }
};

class FakePrinter : public platform::PrintService {
 public:
  std::optional<int> copies = 1;
  int pagesPrinted = 0;
  bool succeed = true;
  int documentsEnded = 0;
  std::function<void(const forms::Form&)> onPage;  // sees the window as each page is printed
  std::optional<int> askCopies() override { return copies; }
  bool printWindowImage(const forms::Form& form) override {
    ++pagesPrinted;
    if (onPage) onPage(form);
    return succeed;
  }
  void endDocument() override { ++documentsEnded; }
};

class FakeSettings : public platform::SettingsService {
 public:
  QMap<QString, QString> values;  // "application/section/key" -> text
  int writes = 0;
  static QString key(const QString& a, const QString& s, const QString& k) {
    return a + "/" + s + "/" + k;
  }
  QString get(const QString& a, const QString& s, const QString& k, const QString& d) override {
    return values.value(key(a, s, k), d);
  }
  void set(const QString& a, const QString& s, const QString& k, const QString& v) override {
    ++writes;
    values[key(a, s, k)] = v;
  }
};

struct ProcessCall {
  QString program;
  QStringList arguments;
  QString folder;
};

// What the window asked of the programs it started: the longest waits, and the stops.
struct StartedProgramLog {
  std::vector<double> waits;
  int kills = 0;
};

// A started program that ends when it is waited for (never when it hangs), with a scripted
// exit code and output; what it does on its end runs then (writing its output file).
class FakeStartedProgram : public platform::StartedProgram {
 public:
  explicit FakeStartedProgram(StartedProgramLog& log) : log_(log) {}
  bool hangs = false;
  int code = 0;
  QString text;
  std::function<void()> onEnd;
  bool killed = false;
  bool waitForEnd(double seconds) override {
    log_.waits.push_back(seconds);
    if (killed) return true;
    if (hangs) return false;
    if (onEnd) std::exchange(onEnd, nullptr)();
    return true;
  }
  int exitCode() override { return killed || hangs ? -1 : code; }
  QString output() override { return text; }
  void kill() override {
    ++log_.kills;
    killed = true;
  }

 private:
  StartedProgramLog& log_;
};

class FakeProcesses : public platform::ProcessRunner {
 public:
  std::vector<ProcessCall> calls;
  StartedProgramLog log;
  std::function<platform::ProcessResult(const ProcessCall&)> behaviour;
  // Scripts each started program; none set: it ends when waited for, with exit code 0. A
  // script that returns false makes the start fail.
  std::function<bool(const ProcessCall&, FakeStartedProgram&)> started;
  std::unique_ptr<platform::StartedProgram> start(const QString& p, const QStringList& a,
                                                  const QString& f) override {
    calls.push_back({p, a, f});
    auto program = std::make_unique<FakeStartedProgram>(log);
    if (started && !started(calls.back(), *program)) return nullptr;
    return program;
  }
  platform::ProcessResult run(const QString& p, const QStringList& a, const QString& f,
                              int) override {
    calls.push_back({p, a, f});
    if (behaviour) return behaviour(calls.back());
    return {true, true, 0, {}};
  }
};

class FakeLauncher : public platform::ProgramLauncher {
 public:
  std::vector<ProcessCall> calls;
  bool succeed = true;
  bool launch(const QString& p, const QStringList& a, const QString& f) override {
    calls.push_back({p, a, f});
    return succeed;
  }
};

class FakeDocuments : public platform::DocumentOpener {
 public:
  QStringList opened;
  bool succeed = true;
  bool open(const QString& path) override {
    opened << path;
    return succeed;
  }
};

class FakeHelp : public platform::HelpService {
 public:
  QStringList shown;
  bool showHelp(const QString& f) override {
    shown << f;
    return true;
  }
};

class FakeClock : public platform::Clock {
 public:
  QDateTime current = QDateTime(QDate(2026, 12, 10), QTime(12, 0));
  std::vector<double> waits;
  std::function<void()> duringWait;  // the events processed while waiting
  QDateTime now() override { return current; }
  void wait(double seconds) override {
    waits.push_back(seconds);
    if (duringWait) duringWait();
    current = current.addMSecs(static_cast<qint64>(seconds * 1000));
  }
};

class FakePaths : public platform::Paths {
 public:
  QString program = QStringLiteral("/nonexistent/program");
  QString user = QStringLiteral("/nonexistent/user");
  QString programFolder() override { return program; }
  QString userFolder() override { return user; }
};

class FakeWindows : public platform::WindowHost {
 public:
  struct Shown {
    forms::Form* form;
    bool modal;
    QString name;  // the form's name when it was shown (the form may be gone since)
  };
  std::vector<Shown> shown;
  std::vector<forms::Form*> closed;
  QStringList closedNames;
  int quits = 0;
  std::function<void(forms::Form&)> whileModal;  // scripts a modal dialog
  void show(forms::Form& f, bool modal) override {
    shown.push_back({&f, modal, f.Name});
    if (modal && whileModal) whileModal(f);
  }
  void close(forms::Form& f) override {
    closed.push_back(&f);
    closedNames << f.Name;
  }
  void quit() override { ++quits; }
};

// All fakes, wired into one Services bundle.
struct FakeServices {
  FakeMessages messages;
  FakeFileDialogs fileDialogs;
  FakeColors colors;
  FakePrinter printer;
  FakeSettings settings;
  FakeProcesses processes;
  FakeLauncher launcher;
  FakeDocuments documents;
  FakeHelp help;
  FakeClock clock;
  FakePaths paths;
  FakeWindows windows;

  platform::Services services() {
    return {&messages, &fileDialogs, &colors,  &printer, &settings, &processes,
            &launcher, &documents,   &help,    &clock,   &paths,    &windows};
  }
};

}  // namespace fakes
