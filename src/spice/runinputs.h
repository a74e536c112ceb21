#pragma once
// Everything a simulator run reads, as one text: the simulator chosen, the netlist files the
// window wrote for it and the contents of every file those netlists include. Two runs of one
// engine on the same text give the same results, so a run whose text is that of the last
// successful run need not be made again. An included file is read as the model library is
// (mainwindow/datafiles.h): one that is no regular file of a sane size is noted, not read.
//
// The moment of writing that every netlist file notes in its "*** Time" comment line is left
// out: no simulator reads it, and it changes from minute to minute.
#include <QString>
#include <vector>

#include "spice/netlist.h"

namespace spice {

// simulator: the simulator choice; written: the layout's files as written in `folder`.
QString RunInputs(int simulator, const std::vector<NetlistFile>& written, const QString& folder);

}  // namespace spice
