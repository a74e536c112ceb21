#pragma once
// Pictures of windows for development: render a widget or a form to a PNG file, also on the
// offscreen platform.
#include <QImage>
#include <QString>

#include "forms/form.h"

class QWidget;

namespace gui {

// The widget as it looks now.
QImage grabWidget(QWidget& widget);
// The form in a window at a scale (1 = 100 %), with its menu bar. A form that is shown
// already is taken as it is.
QImage grabForm(forms::Form& form, double scale = 1);
// Writes the picture of a form to a PNG file; false when it cannot be written.
bool saveFormPng(forms::Form& form, const QString& path, double scale = 1);

}  // namespace gui
