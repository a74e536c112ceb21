#pragma once
// The Options toggles, "Plot Response", the gain-bandwidth readouts and the help command.
#include <QString>

#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

void AutoSwapHPandLP_Click(CalverdonForm& f);
void ThreePole_Click(CalverdonForm& f);
void PlotResponse_Click(CalverdonForm& f);
void GBPreq_Click(CalverdonForm& f, int index);
void HelpCont_Click(CalverdonForm& f);

// The help file of the program: "Calverdon2.chm" in the program's folder.
QString HelpFilePath(const CalverdonForm& f);

}  // namespace mainwindow
