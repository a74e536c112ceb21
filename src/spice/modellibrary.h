#pragma once
// The op-amp macromodel library's text: the models it lists and the copy of one model's text.
//
// The library is plain SPICE text read as entries: a line, or the part of a line up to a comma,
// with its leading blanks skipped. A line ends at CR LF, LF or a lone CR, the same for the list
// and for the copy. A model starts at an entry whose first seven characters are ".subckt" (in
// any case), followed by one blank and the model's name from the ninth character; only names
// that begin (in this case) with one of the families' prefixes are taken. The model's text ends
// with a line beginning ".ENDS", and an entry containing "END MODEL" follows it.
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "mainwindow/calverdonform_fwd.h"

namespace spice {

// The library's file: "models/marquenta.lib" in the program data folder.
QString ModelLibraryPath(const QString& programFolder);

// The library's bytes, for every reader of it (the model list, the part list, the netlists):
// nothing when it is missing or cannot be opened; nothing and one message naming it when it is
// no regular file of at most 16 MB (a named pipe, a device, a folder), told once while it stays
// so (mainwindow/datafiles.h).
std::optional<QByteArray> ReadModelLibrary(mainwindow::CalverdonForm& f);

// The models a library lists, in library order, with the number of the entry (from 1) that
// starts each.
struct LibraryModel {
  QString Name;
  int FirstEntry = 0;
};
std::vector<LibraryModel> ListModels(const QByteArray& library);

// Where the copy of a model ends: at its ".ENDS" line, or at the "END MODEL" line after it (the
// band-pass layout that keeps the model in a file of its own).
enum class ModelEnd { Ends, EndModel };

// The text of the model that starts at entry `firstEntry`: that entry (without its leading
// blanks, up to a first comma), then the whole lines that follow, up to and including the stop
// line, each ended by a line end. Nothing when the library has no such entry or no stop line.
std::optional<QString> ModelText(const QByteArray& library, int firstEntry, ModelEnd end);

}  // namespace spice
