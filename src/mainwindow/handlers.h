#pragma once
// Registers every handler of the main window's own controls in its event table.
#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

void RegisterHandlers(CalverdonForm& f);

}  // namespace mainwindow
