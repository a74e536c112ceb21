#include "designview/bandpasspass.h"

#include "mainwindow/calverdonform.h"

namespace designview {

void BandPassPass(CalverdonForm&) {}
void NotchPass(CalverdonForm&) {}

}  // namespace designview
