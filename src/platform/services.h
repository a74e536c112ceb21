#pragma once
// Every service the program reaches outside its own process, in one bundle handed to the
// main window. The application wires the real ones; tests wire fakes.
#include "platform/clock.h"
#include "platform/filedialogs.h"
#include "platform/help.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/printing.h"
#include "platform/processes.h"
#include "platform/settings.h"
#include "platform/windowhost.h"

namespace platform {

struct Services {
  MessageService* messages = nullptr;
  FileDialogService* fileDialogs = nullptr;
  ColorChooser* colors = nullptr;
  PrintService* printer = nullptr;
  SettingsService* settings = nullptr;
  ProcessRunner* processes = nullptr;
  ProgramLauncher* launcher = nullptr;
  DocumentOpener* documents = nullptr;
  HelpService* help = nullptr;
  Clock* clock = nullptr;
  Paths* paths = nullptr;
  WindowHost* windows = nullptr;
};

}  // namespace platform
