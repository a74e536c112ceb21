#include "designview/widebandviews.h"

#include "mainwindow/calverdonform.h"

namespace designview {

void ShowWideBandLines(CalverdonForm&) {}

}  // namespace designview
