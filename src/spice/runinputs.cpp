#include "spice/runinputs.h"

#include <QRegularExpression>
#include <QStringList>

#include "mainwindow/datafiles.h"

namespace spice {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The netlist text without its "*** Time" comment line.
QString withoutTimeLine(const QString& text) {
  QStringList lines = text.split(kCrLf);
  lines.removeIf([](const QString& l) { return l.startsWith(QLatin1String("*** Time ")); });
  return lines.join(kCrLf);
}

// The files a netlist includes: the path of every ".INCLUDE" and ".LIB" card, quoted or not.
QStringList includedPaths(const QString& text) {
  static const QRegularExpression card(
      QStringLiteral("^\\s*\\.(?:include|lib)\\s+(?:\"([^\"]*)\"|(\\S+))"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
  QStringList paths;
  for (const QRegularExpressionMatch& m : card.globalMatch(text))
    paths << (m.capturedLength(1) > 0 ? m.captured(1) : m.captured(2));
  return paths;
}

// An included file as the simulator finds it: its contents, or what keeps them from being read
// (a named pipe, a device or a file larger than the model library's limit is never read).
QString includedContents(const QString& path) {
  const mainwindow::DataFile file = mainwindow::ReadDataFile(path, mainwindow::kLibraryLimit);
  if (file.state != mainwindow::FileState::Regular)
    return QStringLiteral("(not read)");
  return QString::fromLatin1(file.bytes);
}

}  // namespace

QString RunInputs(int simulator, const std::vector<NetlistFile>& written, const QString& folder) {
  QString inputs = QStringLiteral("simulator %1\n").arg(simulator);
  QStringList writtenPaths, included;
  for (const NetlistFile& file : written) {
    writtenPaths << folder + QLatin1Char('/') + file.Name;
    inputs += QStringLiteral("file %1\n").arg(file.Name) + withoutTimeLine(file.Text) +
              QLatin1Char('\n');
    included << includedPaths(file.Text);
  }
  included.removeDuplicates();
  for (const QString& path : included)
    if (!writtenPaths.contains(path))
      inputs += QStringLiteral("include %1\n").arg(path) + includedContents(path) +
                QLatin1Char('\n');
  return inputs;
}

}  // namespace spice
