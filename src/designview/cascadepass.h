#pragma once
// The cascade design pass of low-pass, high-pass and two-half designs.
#include <vector>

#include "engine/realisedstage.h"
#include "mainwindow/calverdonform_fwd.h"

namespace designview {

using mainwindow::CalverdonForm;

// The design choices the schematic panel and the stage boxes follow: topology, the section
// count of the pole count, and the entered section gains. Does nothing for band-pass and notch
// designs. The display pass runs it before it resets the stage boxes.
void PrepareCascade(CalverdonForm& f);

// Pole pairs, scaling, and the synthesis, analysis and readouts of every section, from the
// last section to the first. The combining pass of a two-half total view only sets up. When
// built is given it receives every stage the pass synthesised, in the order it built them.
void CascadePass(CalverdonForm& f, std::vector<engine::BuiltStage>* built = nullptr);

}  // namespace designview
