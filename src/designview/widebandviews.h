#pragma once
// The views of wide band-pass and band-reject designs: the total view (both halves drawn as
// blocks joined by connector lines, three display passes) or the sections of one half (one
// pass). The view is carried by which view buttons are shown: LowPassViewT shown is the total
// view; in a section view LowPassView shown means the high-pass sections are on the panel
// (the button offers the low-pass ones), HighPassView shown the low-pass sections.
//
// Also the values-table switch of the View menu, which enlarges the window to show the table.
#include "mainwindow/calverdonform_fwd.h"

namespace designview {

using mainwindow::CalverdonForm;

// Sets the six connector lines of the total view (Line4 .. Line9) for the pass band and
// topology; outside the total view all six are hidden.
void ShowWideBandLines(CalverdonForm& f);

// The view buttons. Each sets the buttons of the new view, then recomputes unless busy;
// ShowTotal_Click recomputes always.
void LowPassViewT_Click(CalverdonForm& f);   // total -> low-pass sections
void HighPassViewT_Click(CalverdonForm& f);  // total -> high-pass sections
void LowPassView_Click(CalverdonForm& f);    // high-pass -> low-pass sections
void HighPassView_Click(CalverdonForm& f);   // low-pass -> high-pass sections
void ShowTotal_Click(CalverdonForm& f);      // a section view -> total

// "Show values table": checks the item and enlarges the window to show the table below the
// panel, or unchecks it and returns the window to its usual height; recomputes unless busy.
void ShowValuesTable_Click(CalverdonForm& f);

// Registers the view buttons and the values-table item in the window's event table.
void RegisterWideBandViews(CalverdonForm& f);

}  // namespace designview
