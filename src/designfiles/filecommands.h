#pragma once
// The File menu's design commands, "Save as default", the default design read at start-up
// and the factory design used when there is none.
#include <QString>
#include "mainwindow/calverdonform_fwd.h"

namespace designfiles {

using mainwindow::CalverdonForm;

inline const QString kDefaultDesignName = QStringLiteral("CVdef.cvf");
inline const QString kCaptionPrefix = QStringLiteral("Marquenta Calverdon - ");

// The default design the user saved (per-user folder) and the one shipped with the program.
QString UserDefaultDesign(CalverdonForm& f);
QString ShippedDefaultDesign(CalverdonForm& f);

// Reads the default design: the user's, else the shipped one, else the factory design.
void OpenDefault(CalverdonForm& f);
// The factory design: low-pass Butterworth, MFB single-ended, 3 poles at 1.0 k, 10.0 k.
void LoadNoDefaultFile(CalverdonForm& f);
// Validates the response-frequency box again.
void RefreshRespF(CalverdonForm& f);

void mnuFileNew_click(CalverdonForm& f);
void mnuFileOpen_Click(CalverdonForm& f);
void mnuFileSave_Click(CalverdonForm& f);
void mnuFileSaveAs_Click(CalverdonForm& f);
void SADmnu_Click(CalverdonForm& f);

// Registers the File menu's New, Open, Save, Save As and Close and Options "Save as default".
void RegisterFileCommands(CalverdonForm& f);

}  // namespace designfiles
