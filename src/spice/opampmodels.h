#pragma once
// The op-amp macromodel list: the models of the library beside the program, listed after
// "Ideal Op Amp", and the copy of a chosen model's text into a netlist.
//
// The library is plain SPICE text read as entries: a line, or the part of a line up to a comma,
// with its leading blanks skipped. A model starts at an entry whose first seven characters are
// ".subckt" (in any case), followed by one blank and the model's name from the ninth character;
// only names that begin (in this case) with one of the families' prefixes are taken. The model's
// text ends with a line beginning ".ENDS", and an entry containing "END MODEL" follows it.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "mainwindow/calverdonform_fwd.h"

namespace spice {

using mainwindow::CalverdonForm;

// The first entry of the model list: the ideal op-amp, needing no library.
inline const QString kIdealOpAmp = QStringLiteral("Ideal Op Amp");

// The library's file: "models/marquenta.lib" in the program folder.
QString ModelLibraryPath(CalverdonForm& f);

// The models a library lists, in library order, with the number of the entry (from 1) that
// starts each.
struct LibraryModel {
  QString Name;
  int FirstEntry = 0;
};
std::vector<LibraryModel> ListModels(const QByteArray& library);

// Rebuilds the op-amp model list from the library: "Ideal Op Amp", then the library's models.
// The model chosen before stays chosen when the library still lists it; otherwise the ideal
// op-amp is chosen. No handler runs. A library that cannot be read lists the ideal op-amp only.
// ModelFirstLine(i) receives the first entry of list entry i (0 for the ideal op-amp).
void LoadOpAmpModels(CalverdonForm& f);

// Where the copy of a model ends: at its ".ENDS" line, or at the "END MODEL" line after it (the
// band-pass layout that keeps the model in a file of its own).
enum class ModelEnd { Ends, EndModel };

// The text of the model that starts at entry `firstEntry`: that entry (without its leading
// blanks, up to a first comma), then the whole lines that follow, up to and including the stop
// line, each ended by a line end. Nothing when the library has no such entry or no stop line.
std::optional<QString> ModelText(const QByteArray& library, int firstEntry, ModelEnd end);

}  // namespace spice
