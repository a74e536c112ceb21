#pragma once
// The events a control can raise and the arguments a handler receives.
#include <functional>

namespace forms {

enum class Event {
  Click,
  DblClick,
  Change,
  GotFocus,
  LostFocus,
  Validate,
  KeyPress,
  KeyDown,
  MouseDown,
  MouseUp,
  MouseMove,
  HeadClick,  // a grid's column heading; the grid's Col names the column
};

// Key codes used by the window (the values of the keyboard's virtual keys).
inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyF1 = 112;

// Mouse buttons of MouseDown/MouseUp.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;

struct EventArgs {
  int Index = -1;        // element of a control array, -1 for a single control
  bool Cancel = false;   // Validate: true keeps the focus in the box
  int KeyAscii = 0;      // KeyPress: the character; a handler may set 0 to swallow it
  int KeyCode = 0;       // KeyDown
  int Shift = 0;         // KeyDown, mouse: 1 shift, 2 ctrl, 4 alt
  int Button = 0;        // mouse
  float X = 0, Y = 0;    // mouse, in twips within the control
};

using Handler = std::function<void(EventArgs&)>;

}  // namespace forms
