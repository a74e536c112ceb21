#pragma once
// The op-amp macromodel list: the models of the library beside the program, listed after
// "Ideal Op Amp", and the copy of a chosen model's text into a netlist (the library's text is
// read by modellibrary.h).
#include <QString>

#include "mainwindow/calverdonform_fwd.h"
#include "spice/modellibrary.h"

namespace spice {

using mainwindow::CalverdonForm;

// The first entry of the model list: the ideal op-amp, needing no library.
inline const QString kIdealOpAmp = QStringLiteral("Ideal Op Amp");

// Rebuilds the op-amp model list from the library: "Ideal Op Amp", then the library's models.
// The model chosen before stays chosen when the library still lists it; otherwise the ideal
// op-amp is chosen. No handler runs. A library that cannot be read lists the ideal op-amp only.
// ModelFirstLine(i) receives the first entry of list entry i (0 for the ideal op-amp).
void LoadOpAmpModels(CalverdonForm& f);

}  // namespace spice
