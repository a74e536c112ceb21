#pragma once
// The op-amp macromodel list.
#include "mainwindow/calverdonform_fwd.h"

namespace spice {

using mainwindow::CalverdonForm;

// Fills the op-amp model list from the model library.
void LoadOpAmpModels(CalverdonForm& f);

}  // namespace spice
