#pragma once
// The main window object, declared for headers that only pass it by reference.
namespace mainwindow {
struct CalverdonForm;
}
