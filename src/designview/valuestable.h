#pragma once
// The values table below the schematic and the value labels on the stage pictures: component
// values on one, sensitivities on the other, as the value display option chooses.
#include <QString>

#include "engine/realisedstage.h"
#include "mainwindow/calverdonform_fwd.h"

namespace designview {

using mainwindow::CalverdonForm;

// The sensitivity cell of one component of section k: the stage re-analysed with that
// component 1 % larger, against the section in PoleB0(k)/PoleB1(k). In the high-pass half
// the figures are those of the high-pass part that stands in the component's place.
QString SensitivityCell(const CalverdonForm& f, const engine::BuiltStage& s, engine::Part part);

// The values-table row and the value labels of section k, after its stage readout.
void ValuesTableRow(CalverdonForm& f, const engine::BuiltStage& s);

// The table header for the topology and half.
QString ValuesTableHeader(int circuitMode, int highPassHalf);

}  // namespace designview
