#include "designview/bpnotchschematic.h"

#include "mainwindow/calverdonform.h"

namespace designview {

void ShowBPNotchSchematic(CalverdonForm&) {}

}  // namespace designview
