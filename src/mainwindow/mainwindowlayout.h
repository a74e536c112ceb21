#pragma once
// The layout table of the main window: its caption and size, every control with its
// container, designed position and size in twips, design-time caption or text, tab order,
// first visibility, colours and fixed list entries.
#include "forms/form.h"
#include "mainwindow/mainwindowcontrols.h"

namespace mainwindow {

// The window's caption while no design file is named.
inline const QString kWindowCaption = QStringLiteral("Marquenta Calverdon");

// Window size in twips. The height grows to kWindowHeightWithTable while the values table
// (below kWindowHeight) is shown.
inline constexpr int kWindowWidth = 15030;
inline constexpr int kWindowHeight = 8880;
inline constexpr int kWindowHeightWithTable = 10700;

// The window's background (also that of its frames and labels) and of an entry not in use.
inline constexpr forms::VbColor kWindowBackColor = forms::kGreyedEntry;

// Places every control of the main window on `form`. Runs before any handler is registered:
// list selections and check marks are set without raising events.
void layOutMainWindow(forms::Form& form, MainWindowControls& c);

}  // namespace mainwindow
