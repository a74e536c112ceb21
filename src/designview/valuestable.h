#pragma once
// The values table below the schematic and the value labels on the stage pictures: component
// values on one, sensitivities on the other, as the value display option chooses.
#include <optional>

#include <QString>

#include "engine/stageanalysis.h"

namespace mainwindow {
struct CalverdonForm;
}

namespace designview {

using mainwindow::CalverdonForm;

// One synthesised stage of the low-pass prototype, as the cascade pass built it.
struct BuiltStage {
  int Section = 0;          // k
  bool FirstOrder = false;  // the real pole of an odd order: R1 and C1 only
  bool Mfb = false;         // multiple feedback (else Sallen-Key)
  bool FullyDifferential = false;
  float R1 = 0, R2 = 0, R3 = 0, R4 = 0;  // ohms; R3, R4 of a Sallen-Key stage: gain network
  float SeriesR1 = 0;  // resistance in series with R1 (the merged real pole of a three-pole stage)
  float C1 = 0, C2 = 0;  // farads; C2 of the fully differential stage is the full value
  float Gain = 1;        // realised gain magnitude, V/V
  float F0 = 0;          // stage frequency (hertz) of the high-pass exchange
};

// The section the stage realises with every component as built.
std::optional<engine::RealisedSection> AnalyzeBuiltStage(const BuiltStage& s);

// The components of a stage that the table and the labels name.
enum class Part { R1, R2, R3, R4, C1, C2 };

// The sensitivity cell of one component of section k: the stage re-analysed with that
// component 1 % larger, against the section in PoleB0(k)/PoleB1(k). In the high-pass half
// the figures are those of the high-pass part that stands in the component's place.
QString SensitivityCell(const CalverdonForm& f, const BuiltStage& s, Part part);

// The values-table row and the value labels of section k, after its stage readout.
void ValuesTableRow(CalverdonForm& f, const BuiltStage& s);

// The table header for the topology and half.
QString ValuesTableHeader(int circuitMode, int highPassHalf);

}  // namespace designview
