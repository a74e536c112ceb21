#pragma once
// The ngspice simulator inside the process: the netlist goes in as text, the analysis runs on
// the calling thread, and the vectors are copied out at once.
//
// The library keeps one global simulator, so there is one engine per process. Every call into
// it runs under the C numeric locale. A netlist that does not parse and an analysis that fails
// are told by ngspice's error lines and by the missing AC plot. When ngspice says that it has
// quit, the engine is no longer used: every later run is refused with a message.
#include <QStringList>

#include "spice/simresults.h"
#include "spice/spiceengine.h"

namespace spice {

class NgspiceSharedEngine : public SpiceEngine {
 public:
  // The process's engine, started on first use.
  static NgspiceSharedEngine& instance();

  void putNetlist(const SimulationJob& job) override;
  SimulationStatus run() override;
  const SimResults& results() const override { return results_; }
  QString textOutput() const override { return output_.join(QLatin1Char('\n')); }

  // False once ngspice has quit (or could not be started).
  bool usable() const { return usable_ && !quit_; }
  // The netlist lines as they go to ngspice: CR removed, the blocks after ".END" moved before
  // it (ngspice drops every line after ".END").
  static QStringList CircuitLines(const QString& netlist);

  // The message of a run refused because ngspice has quit.
  static QString QuitMessage();

 private:
  NgspiceSharedEngine();
  void command(const char* text);
  QStringList errorLines() const;
  static int onPrint(char* text, int id, void* self);
  static int onStatus(char* text, int id, void* self);
  static int onExit(int status, bool immediate, bool quit, int id, void* self);
  static int onBackground(bool running, int id, void* self);

  QStringList lines_;
  QStringList output_;
  SimResults results_;
  bool usable_ = false;
  bool quit_ = false;
};

}  // namespace spice
