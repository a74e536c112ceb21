#pragma once
// The Qt fonts standing for the model's fonts: the faces that stand in for a font name and
// the pixel size of a point size at a scale.
#include <QFont>
#include <QString>
#include <QStringList>

#include "forms/controls.h"

namespace gui::detail {

// The font of a control at a scale: the model's point size at 96 dots per inch, scaled.
QFont makeFont(const forms::Font& font, double factor);
// The family list standing for a model font name.
QStringList fontFamilies(const QString& name);

}  // namespace gui::detail
