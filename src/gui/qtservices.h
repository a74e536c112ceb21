#pragma once
// All Qt services in one place, and the platform bundle the main window is given.
#include "gui/qtdialogs.h"
#include "gui/qtmessages.h"
#include "gui/qtprint.h"
#include "gui/qtsettings.h"
#include "gui/qtsystem.h"
#include "gui/qtwindowhost.h"
#include "platform/services.h"

namespace gui {

struct QtServices {
  QtMessageService messages;
  QtFileDialogs fileDialogs;
  QtColorChooser colors;
  QtPrintService printer;
  QtSettingsService settings{&messages};
  QtProcessRunner processes;
  QtProgramLauncher launcher;
  QtDocumentOpener documents;
  QtHelpService help;
  QtClock clock;
  QtPaths paths;
  QtWindowHost windows;

  platform::Services services();
};

// The bundle of the given Qt services (they must outlive its use).
platform::Services qtServices(QtServices& services);

}  // namespace gui
