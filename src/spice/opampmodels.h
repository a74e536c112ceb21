#pragma once
// The op-amp macromodel list.
namespace mainwindow {
struct CalverdonForm;
}

namespace spice {

using mainwindow::CalverdonForm;

// Fills the op-amp model list from the model library.
void LoadOpAmpModels(CalverdonForm& f);

}  // namespace spice
