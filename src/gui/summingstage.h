#pragma once
// The two pictures of the band-reject total view that join its halves: the input, which
// splits the signal to the high-pass block (top) and the low-pass block (below it), and the
// summing amplifier, which adds the two blocks' outputs through equal resistors. Each comes
// single-ended and fully differential.
//
// The pictures line up with the blocks beside them: the single-ended wires run at
// kSummingWireY from the pictures' tops, the fully differential pictures carry a second wire
// kSummingMinusDrop below each. The summing and feedback resistors sit at their anchors
// (designview::kSummingAnchors), beside the value labels the window places for them.
#include <QStringList>

namespace gui {

inline constexpr int kSummingPictureHeight = 1695;
inline constexpr int kInputPictureWidth = 825;
inline constexpr int kSummingPictureWidth = 1830;
// The high-pass and the low-pass block's wire, from the pictures' tops.
inline constexpr int kSummingWireY[2] = {255, 1215};
inline constexpr int kSummingMinusDrop = 225;

// Adds the four pictures to gui::drawings(). Safe to call more than once.
void RegisterSummingStage();

// "BRinput", "FDABRinput", "SummingAmp", "FDASummingAmp".
QStringList SummingStageNames();

}  // namespace gui
