#include "designview/lphpschematic.h"

#include "mainwindow/calverdonform.h"

namespace designview {

// The stage pictures are drawn once the cascade's schematics exist; until then the panel
// stays empty.
void HideSchematics(CalverdonForm&) {}
void ResetStageEntries(CalverdonForm&) {}
void ShowLPHPSchematic(CalverdonForm&) {}

}  // namespace designview
