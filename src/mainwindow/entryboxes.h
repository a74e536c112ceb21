#pragma once
// Small helpers shared by the entry handling and the display pass.
#include <QChar>
#include <QString>

#include "forms/controls.h"

namespace mainwindow {

// An entry box in use is enabled and white; one not in use disabled and grey.
inline void SetInUse(forms::TextBox& box, bool inUse) {
  box.Enabled = inUse;
  box.BackColor = inUse ? forms::kWhite : forms::kGreyedEntry;
}

// The number a box holds (the handlers keep such boxes numeric); 0 when it holds none.
double NumberIn(const QString& text, QChar decimalSep);

}  // namespace mainwindow
