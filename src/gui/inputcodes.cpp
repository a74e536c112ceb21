// Qt's keys, modifiers and mouse buttons as the codes the model's events carry.
#include "gui/inputcodes_p.h"

#include "forms/events.h"

namespace gui::detail {

int keyCodeOf(const QKeyEvent& e) {
  const int k = e.key();
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return forms::kKeyF1 + (k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return forms::kKeyReturn;
    case Qt::Key_Escape: return forms::kKeyEscape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return forms::kKeyTab;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    default: return 0;
  }
}

int keyAsciiOf(const QKeyEvent& e) {
  switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return forms::kKeyReturn;
    case Qt::Key_Escape: return forms::kKeyEscape;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 0;  // moves the focus; no character
    default: break;
  }
  const QString t = e.text();
  if (t.size() != 1) return 0;
  const char16_t ch = t.at(0).unicode();
  if (ch < 32 && ch != 8) return 0;
  return ch;
}

int shiftOf(Qt::KeyboardModifiers m) {
  return (m.testFlag(Qt::ShiftModifier) ? 1 : 0) | (m.testFlag(Qt::ControlModifier) ? 2 : 0) |
         (m.testFlag(Qt::AltModifier) ? 4 : 0);
}

int buttonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return forms::kLeftButton;
    case Qt::RightButton: return forms::kRightButton;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

}  // namespace gui::detail
