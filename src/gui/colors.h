#pragma once
// Conversion between the window model's colour numbers (0x00BBGGRR, or a system colour index
// with the top bit set) and Qt colours.
#include <QColor>
#include <QPalette>

#include "forms/color.h"

namespace gui {

// The colour a model colour number stands for; system colours come from palette.
QColor toQColor(forms::VbColor color, const QPalette& palette);
// The same with the application's palette.
QColor toQColor(forms::VbColor color);
// The model's number of an (opaque) Qt colour.
forms::VbColor fromQColor(const QColor& color);

}  // namespace gui
