#pragma once
// Registers the handlers of the main window's choice lists, switches and menus.
#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

void RegisterListHandlers(CalverdonForm& f);

}  // namespace mainwindow
