#pragma once
// Registers the main window's entry handlers in its event table.
namespace mainwindow {

struct CalverdonForm;

void RegisterEntryHandlers(CalverdonForm& f);

}  // namespace mainwindow
