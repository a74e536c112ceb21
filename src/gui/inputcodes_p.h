#pragma once
// Qt's keys, modifiers and mouse buttons as the codes the model's events carry.
#include <QKeyEvent>
#include <Qt>

namespace gui::detail {

// The model's key code of a key (letters and digits as their capitals, F1.. from kKeyF1,
// the editing and arrow keys by their usual numbers); 0 for a key the model has no code for.
int keyCodeOf(const QKeyEvent& e);
// The character a key press types, as the model's KeyAscii; 0 when it types none.
int keyAsciiOf(const QKeyEvent& e);
// The Shift argument: 1 Shift, 2 Ctrl, 4 Alt, added up.
int shiftOf(Qt::KeyboardModifiers modifiers);
// The Button argument of a mouse button.
int buttonOf(Qt::MouseButton button);

}  // namespace gui::detail
