#include "designview/cascadepass.h"

#include "mainwindow/calverdonform.h"

namespace designview {

void CascadePass(CalverdonForm&) {}

}  // namespace designview
