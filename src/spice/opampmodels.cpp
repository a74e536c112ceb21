#include "spice/opampmodels.h"

#include "mainwindow/calverdonform.h"

namespace spice {

void LoadOpAmpModels(CalverdonForm&) {}

}  // namespace spice
