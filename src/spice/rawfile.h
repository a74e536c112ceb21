#pragma once
// The simulator's raw output file in text form: a first plot (the AC analysis, complex values)
// and, when the netlist asked for an operating point, a second plot of one point.
//
// The reader follows the file's own header: its flags (complex or real), its variable and point
// counts and its variable list. A value line holds "re,im" or a lone real value; a point starts
// with its index at the start of a line. Nothing is read past the data the header announces.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <complex>
#include <optional>
#include <vector>

namespace spice {

struct RawPlot {
  QStringList Header;     // the header lines up to and including "Variables:"
  QStringList Variables;  // one line per vector: index, name and type, tab separated, trimmed
  bool Complex = false;
  // Values by point, then by vector (vector 0 is the scale: the frequency of an AC analysis).
  std::vector<std::vector<std::complex<double>>> Values;
};

struct RawFile {
  std::optional<RawPlot> First;   // the analysis
  std::optional<RawPlot> Second;  // the operating point, when the file holds a complete one
  QString Error;                  // why the first plot could not be read; empty when it was
};

// Reads a raw file. The first plot must be complete: a header with "Variables:", as many
// variable lines and points as announced, every value a number. A second plot that is not
// complete is left out.
RawFile ReadRawFile(const QByteArray& bytes);

// The name of a vector from its variable line: "6\tv(node190)\tvoltage" -> "v(node190)".
QString RawVariableName(const QString& variableLine);

}  // namespace spice
