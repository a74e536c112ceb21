#pragma once
// The File menu's design commands, "Save as default", the default design read at start-up
// and the factory design used when there is none.
#include <QString>
#include "mainwindow/calverdonform_fwd.h"
#include "mainwindow/mainwindowlayout.h"

namespace designfiles {

using mainwindow::CalverdonForm;

inline const QString kDefaultDesignName = QStringLiteral("CVdef.cvf");
// The caption names the file last chosen in a file dialog: this, then the file's name.
inline const QString kCaptionPrefix = mainwindow::kWindowCaption + QStringLiteral(" - ");

// The default design the user saved (per-user folder) and the one shipped with the program.
QString UserDefaultDesign(CalverdonForm& f);
QString ShippedDefaultDesign(CalverdonForm& f);

// Reads the default design: the user's, else the shipped one, else the factory design.
void OpenDefault(CalverdonForm& f);
// The factory design: low-pass Butterworth, MFB single-ended, 3 poles at 1.0 k, 10.0 k.
void LoadNoDefaultFile(CalverdonForm& f);
// Validates the response-frequency box again.
void RefreshRespF(CalverdonForm& f);

inline const QString kSaveQuestion = QStringLiteral("The design has changed. Save it?");

// Before the design in the window is dropped: asks whether to save a changed design (Save,
// Discard, Cancel; the warning icon). True when the design may go: it is unchanged, was saved,
// or the engineer chose Discard. False keeps it: Cancel, or a save that failed or was cancelled.
bool MayDropDesign(CalverdonForm& f);
// The design as a save records it, less the response frequency the graph cursor sets: what the
// changed-design mark compares.
QByteArray DesignSnapshot(const CalverdonForm& f);

// A fresh, untitled design: the start values and the default design, no file named, so the
// next Save asks for a name.
void mnuFileNew_click(CalverdonForm& f);
void mnuFileOpen_Click(CalverdonForm& f);
void mnuFileSave_Click(CalverdonForm& f);
void mnuFileSaveAs_Click(CalverdonForm& f);
void SADmnu_Click(CalverdonForm& f);
// File "Close", and a close request of the window: ends the program once the design may go.
void CloseProgram(CalverdonForm& f);

// Registers the File menu's New, Open, Save, Save As and Close and Options "Save as default",
// and lets the window mark a changed design.
void RegisterFileCommands(CalverdonForm& f);

}  // namespace designfiles
