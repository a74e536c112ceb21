#pragma once
// Colours as the window model stores them: 0x00BBGGRR numbers (255 is red, 0xC000 green).
// Numbers with the top bit set name a system colour by its index, as the window's
// background colour does; the view resolves them from its palette.
#include <cstdint>

namespace forms {

using VbColor = std::uint32_t;

inline constexpr VbColor kWhite = 0xFFFFFF;
inline constexpr VbColor kBlack = 0x000000;
inline constexpr VbColor kRed = 0x0000FF;
inline constexpr VbColor kGreen = 0x00C000;
inline constexpr VbColor kBlue = 0xFF0000;
// Background of an entry box that is not in use.
inline constexpr VbColor kGreyedEntry = 0xE0E0E0;

inline constexpr VbColor kSystemColorFlag = 0x80000000u;
// System colours by index: window background (button face), window text, entry background.
inline constexpr VbColor kSysButtonFace = kSystemColorFlag | 0x0F;
inline constexpr VbColor kSysWindowText = kSystemColorFlag | 0x08;
inline constexpr VbColor kSysWindow = kSystemColorFlag | 0x05;
inline constexpr VbColor kSysButtonText = kSystemColorFlag | 0x12;

constexpr bool isSystemColor(VbColor c) { return (c & kSystemColorFlag) != 0; }
constexpr int redOf(VbColor c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(VbColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(VbColor c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr VbColor rgb(int r, int g, int b) {
  return static_cast<VbColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

}  // namespace forms
