#pragma once
// File menu "&Print": the whole window, schematics, values and graph, printed on a white
// background in landscape, once per copy asked for.
#include "mainwindow/calverdonform_fwd.h"

namespace graph {

using mainwindow::CalverdonForm;

// Whitens the window and its frames and enlarges it to show the values table, asks for the
// printer and the copies, redraws on white and prints the window image once per copy into one
// document; then gives the window back its colours and height and redraws. A cancelled dialog
// or a failed page ends the document and gives the colours and height back without a redraw
// or a message.
void Print_Click(CalverdonForm& f);

}  // namespace graph
