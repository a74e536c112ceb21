#pragma once
// The simulator's raw output file in text form. Its first plot is the AC analysis (complex
// values); whatever follows it (the operating point when the netlist asked for one, or anything
// else) is not read.
//
// The reader follows the file's own header: its flags (complex or real), its variable and point
// counts and its variable list. A value line holds "re,im" or a lone real value; a point starts
// with its index at the start of a line. A line ends at CR LF, LF or a lone CR. Nothing is read
// past the data the header announces, and memory grows only with what the file holds: a header
// announcing more than that is a plot cut short.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

#include "spice/simresults.h"

namespace spice {

// The largest raw file read: the five-stage band-pass with every node and device vector of its
// 301 points is about 1.3 MB.
inline constexpr qint64 kMaxRawFileBytes = 16 * 1024 * 1024;

struct RawPlot {
  QStringList Header;     // the header lines up to and including "Variables:"
  QStringList Variables;  // one line per vector: index, name and type, tab separated, trimmed
  bool Complex = false;
  // The vectors by name (a node voltage "v(node190)" as its node "node190") and their values
  // by point, then by vector (vector 0 is the scale: the frequency of an AC analysis).
  SimResults Results;
};

struct RawFile {
  std::optional<RawPlot> First;  // the analysis
  QString Error;                 // why the first plot could not be read; empty when it was
};

// Reads a raw file's first plot. It must be complete: a header with "Variables:", as many
// variable lines and points as announced, every value a finite number.
RawFile ReadRawFile(QByteArrayView bytes);

// Reads the raw file at path: only a regular file of at most kMaxRawFileBytes is read.
RawFile ReadRawFileAt(const QString& path);

// The name of a vector from its variable line: "6\tv(node190)\tvoltage" -> "v(node190)".
QString RawVariableName(const QString& variableLine);

// The node a vector name stands for: "v(node190)" -> "node190"; any other name as it is.
QString RawNodeName(const QString& vectorName);

}  // namespace spice
