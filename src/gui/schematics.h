#pragma once
// The stage schematics of the schematic panel, drawn as vector pictures: the Sallen-Key stages
// (with and without gain network), the MFB stages (single-ended and fully differential), and
// the real-pole sections (with and without amplifier), each low-pass and high-pass; the MFB
// band-pass stages (with and without gain divider) and the two-amplifier notch stage.
//
// Each picture is drawn in the twips of the picture control the main window gives it, scaled
// to the target rectangle's height, so that the value labels the window moves onto a picture
// sit next to their components: each labelled component is drawn at its anchor from
// designview/schematicanchors.h, the same anchor its label is placed by. A rectangle wider than the picture (one that reaches into its
// neighbour) gets the edge wires carried to its edges. Single-ended pictures take the signal in at the left
// edge and give it out at the right edge, both at mid-height of a stage picture; fully
// differential ones carry the + wire at that height and the - wire lower (kDifferentialMinusY).
#include <QStringList>

namespace gui {

// Size of a two-pole stage picture and of a real-pole picture, in twips.
inline constexpr int kStagePictureWidth = 2385;
inline constexpr int kStagePictureHeight = 1500;
inline constexpr int kRealPictureWidth = 1845;
inline constexpr int kRealPictureHeight = 1800;
// Heights of the signal wires from a picture's top, in twips.
inline constexpr int kSignalY = 750;
inline constexpr int kDifferentialMinusY = 1200;

// Adds every schematic picture to gui::drawings(), the summing stage of the band-reject view
// too (gui/summingstage.h). Safe to call more than once.
void RegisterSchematics();

// The picture names RegisterSchematics adds.
QStringList SchematicNames();

}  // namespace gui
