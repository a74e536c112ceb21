#pragma once
// Registers the handlers of the main window's choice lists, switches and menus.
namespace mainwindow {

struct CalverdonForm;

void RegisterListHandlers(CalverdonForm& f);

}  // namespace mainwindow
