#include "mainwindow/listhandlers.h"

#include "mainwindow/calverdonform.h"

namespace mainwindow {

void RegisterListHandlers(CalverdonForm&) {}

}  // namespace mainwindow
