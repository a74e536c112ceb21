#pragma once
// The schematic panel of band-pass and notch designs.
namespace mainwindow {
struct CalverdonForm;
}

namespace designview {

using mainwindow::CalverdonForm;

void ShowBPNotchSchematic(CalverdonForm& f);

}  // namespace designview
