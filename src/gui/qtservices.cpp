#include "gui/qtservices.h"

#include "gui/schematics.h"

namespace gui {

platform::Services QtServices::services() {
  // The main window's stage pictures are our own drawings; they are there before any view.
  RegisterSchematics();
  platform::Services s;
  s.messages = &messages;
  s.fileDialogs = &fileDialogs;
  s.colors = &colors;
  s.printer = &printer;
  s.settings = &settings;
  s.processes = &processes;
  s.launcher = &launcher;
  s.documents = &documents;
  s.help = &help;
  s.clock = &clock;
  s.paths = &paths;
  s.windows = &windows;
  return s;
}

platform::Services qtServices(QtServices& services) { return services.services(); }

}  // namespace gui
