#include "mainwindow/handlers.h"

#include "mainwindow/entryhandlers.h"
#include "mainwindow/listhandlers.h"

namespace mainwindow {

void RegisterHandlers(CalverdonForm& f) {
  RegisterEntryHandlers(f);
  RegisterListHandlers(f);
}

}  // namespace mainwindow
