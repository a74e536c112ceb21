#pragma once
// The part list window: an op-amp chosen from the part numbers of our model library, and its
// datasheet opened. The window is created on first use and shown without owner and without
// blocking the main window.
#include "forms/form.h"
#include "mainwindow/calverdonform_fwd.h"

namespace parts {

using mainwindow::CalverdonForm;

struct PartList : forms::Form {
  PartList();
  forms::Frame OpAmpInfo;
  forms::Label Label8;
  forms::ComboBox OpAmpSelection;
  forms::CommandButton cmdDS, ShowDeviceSpecs;
  forms::Grid DBGrid1;
  bool Loaded = false;  // filled since it was last closed
};

// The window (one per process; closing it and showing it again starts it afresh).
PartList& PartListWindow();

// The main window's "Show Part List": fills the window when it is new or was closed, and
// shows it.
void ShowPartList_Click(CalverdonForm& f);
// "Data Sheet": the datasheet of the part the list shows.
void cmdDS_Click(CalverdonForm& f, PartList& list);

// Registers "Show Part List" on the main window.
void RegisterPartList(CalverdonForm& f);

}  // namespace parts
