#pragma once
// The trace switches of the View menu and the graph settings dialog: which traces the graph
// shows and in which colours. The switches live in the View menu items; the dialog's check
// boxes mirror them whenever it is shown and reverse them on a click. Colours live in the
// window's trace colours and the graph's background; none of it is saved.
#include "forms/form.h"
#include "mainwindow/calverdonform_fwd.h"

namespace graph {

using mainwindow::CalverdonForm;

// The dialog "Configure Graph Calverdon".
struct ConfigureGraph : forms::Form {
  ConfigureGraph();
  forms::CheckBox ShowGain, ShowPhase, ShowGroupDelay;
  // Colour swatches: their background shows the colour; a click opens the colour chooser.
  forms::PictureBox GainColor, PhaseColor, GroupDelayColor, GraphBack;
  forms::Label lblGraphBack;
  forms::CommandButton Ok;
};

// The one dialog of the process (windows are reused).
ConfigureGraph& ConfigureGraphWindow();

// The dialog's load step: the swatches show the trace colours and the graph's background, the
// check boxes the View menu's switches. No handler runs.
void ConfigureGraph_Load(ConfigureGraph& d, const CalverdonForm& f);
// Shows the dialog modally, loaded from the window's present state (a double click on the
// graph and the View menu's "Configure Graph").
void Graph_DblClick(CalverdonForm& f);

// The View menu switches: each reverses its check mark and recomputes, even while busy.
void ShowGainTrace_Click(CalverdonForm& f);
void ShowPhaseTrace_Click(CalverdonForm& f);
void ShowGDTrace_Click(CalverdonForm& f);
void Hide360PhaseHop_Click(CalverdonForm& f);

// A swatch's colour choice: the chooser starts on the swatch's colour; the chosen colour goes
// to the swatch and to `target`, then the design is recomputed so the graph shows it. A
// cancelled chooser changes nothing and recomputes nothing.
void ChooseSwatchColor(CalverdonForm& f, forms::PictureBox& swatch, forms::VbColor& target);

// Registers the View menu's trace switches and "Configure Graph".
void RegisterGraphSettings(CalverdonForm& f);

}  // namespace graph
