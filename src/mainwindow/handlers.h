#pragma once
// Registers every handler of the main window's own controls in its event table.
namespace mainwindow {

struct CalverdonForm;

void RegisterHandlers(CalverdonForm& f);

}  // namespace mainwindow
