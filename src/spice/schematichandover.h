#pragma once
// "Export to Vantreo7-MQ": opens the prepared schematic of the present pass band, topology and
// order in the outside schematic program, without waiting for it.
//
// The prepared schematics lie in "VantreoFiles/" in the program folder, one file per
// combination; the command only picks the name. The program is the setting
// (application "Calverdon", section "SchematicEditor", key "Program"), by default "xschem"
// looked up on the PATH; it is given the file's path as its one argument.
#include <QString>
#include <optional>

#include "engine/choices.h"
#include "mainwindow/calverdonform_fwd.h"

namespace spice {

using mainwindow::CalverdonForm;

inline const QString kSchematicFolder = QStringLiteral("VantreoFiles");
inline const QString kSchematicProgramSection = QStringLiteral("SchematicEditor");
inline const QString kSchematicProgramKey = QStringLiteral("Program");
inline const QString kDefaultSchematicProgram = QStringLiteral("xschem");

// The prepared file's name: topology code (none for a band-pass), pass-band word, the order and
// "p.VSC". "3ps" follows the code when the order is odd and "Use 3 pole section" is checked.
// A pass band or topology that is not chosen contributes nothing.
QString SchematicFileName(std::optional<engine::PassBand> band,
                          std::optional<engine::Topology> topology, int poleCount,
                          bool threePole);
// The same for what the window shows now.
QString SchematicFileName(CalverdonForm& f);

// The menu command: the "under construction" message, then the program started on the file.
// A missing file or a program that cannot be started gets one message saying which.
void Export_Click(CalverdonForm& f);

// Registers the File menu's "Export to Vantreo7-MQ".
void RegisterSchematicHandover(CalverdonForm& f);

}  // namespace spice
