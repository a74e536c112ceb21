#include "gui/colors.h"

#include <QApplication>

namespace gui {

namespace {

// The palette entry that stands for each system colour index of the model.
QColor systemColor(int index, const QPalette& p) {
  switch (index) {
    case 0: return p.color(QPalette::Button);           // scroll bars
    case 1: return p.color(QPalette::Dark);             // desktop
    case 2: return p.color(QPalette::Highlight);        // active title bar
    case 3: return p.color(QPalette::Mid);              // inactive title bar
    case 4: return p.color(QPalette::Window);           // menu bar
    case 5: return p.color(QPalette::Base);             // window (entry) background
    case 6: return p.color(QPalette::Shadow);           // window frame
    case 7: return p.color(QPalette::WindowText);       // menu text
    case 8: return p.color(QPalette::Text);             // window text
    case 9: return p.color(QPalette::HighlightedText);  // title text
    case 10:
    case 11: return p.color(QPalette::Mid);  // borders
    case 12: return p.color(QPalette::Dark);  // application work space
    case 13: return p.color(QPalette::Highlight);
    case 14: return p.color(QPalette::HighlightedText);
    case 15: return p.color(QPalette::Button);  // button face
    case 16: return p.color(QPalette::Dark);    // button shadow
    case 17: return p.color(QPalette::Disabled, QPalette::Text);  // grey text
    case 18: return p.color(QPalette::ButtonText);
    case 19: return p.color(QPalette::Disabled, QPalette::WindowText);  // inactive title text
    case 20: return p.color(QPalette::Light);                         // button highlight
    case 21: return p.color(QPalette::Shadow);                        // 3D dark shadow
    case 22: return p.color(QPalette::Midlight);                      // 3D light
    case 23: return p.color(QPalette::ToolTipText);
    case 24: return p.color(QPalette::ToolTipBase);
    default: return p.color(QPalette::Window);
  }
}

}  // namespace

QColor toQColor(forms::VbColor color, const QPalette& palette) {
  if (forms::isSystemColor(color))
    return systemColor(static_cast<int>(color & 0xFFu), palette);
  return QColor(forms::redOf(color), forms::greenOf(color), forms::blueOf(color));
}

QColor toQColor(forms::VbColor color) { return toQColor(color, QApplication::palette()); }

forms::VbColor fromQColor(const QColor& color) {
  const QColor c = color.toRgb();
  return forms::rgb(c.red(), c.green(), c.blue());
}

}  // namespace gui
