#include "spice/modellibrary.h"

#include <QStringList>

#include "mainwindow/calverdonform.h"
#include "mainwindow/datafiles.h"
#include "mainwindow/poleboxes.h"

namespace spice {

QString ModelLibraryPath(const QString& programFolder) {
  return programFolder + QStringLiteral("/models/marquenta.lib");
}

std::optional<QByteArray> ReadModelLibrary(mainwindow::CalverdonForm& f) {
  return mainwindow::ReadWindowDataFile(f, ModelLibraryPath(f.ProgramFolder()),
                                        mainwindow::kLibraryLimit);
}

namespace {

constexpr int kMaxModels = 1000;

// The library's lines, without their line ends (CR LF, LF or a lone CR).
QStringList linesOf(const QByteArray& library) {
  QString text = QString::fromLatin1(library);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QStringList lines = text.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

// The entries of one line: the parts between commas, each without its leading blanks.
QStringList entriesOf(const QString& line) {
  QStringList entries = line.split(QLatin1Char(','));
  for (QString& e : entries) {
    qsizetype blanks = 0;
    while (blanks < e.size() && (e[blanks] == QLatin1Char(' ') || e[blanks] == QLatin1Char('\t')))
      ++blanks;
    e.remove(0, blanks);
  }
  return entries;
}

// The name a model entry lists, when the entry starts a model of one of the families.
std::optional<QString> modelName(const QString& entry) {
  if (entry.left(7).toLower() != QLatin1String(".subckt")) return std::nullopt;
  const QString rest = entry.mid(8);
  const bool family = rest.startsWith(mainwindow::kFamilyPrefixA) ||
                      rest.startsWith(QLatin1String("KVR")) ||
                      rest.startsWith(mainwindow::kFamilyPrefixB) ||
                      rest.startsWith(QLatin1String("ZLN"));
  if (!family) return std::nullopt;
  // The name runs up to the first blank at or after its third character.
  const qsizetype blank = rest.indexOf(QLatin1Char(' '), 2);
  return blank < 0 ? rest : rest.left(blank);
}

}  // namespace

std::vector<LibraryModel> ListModels(const QByteArray& library) {
  std::vector<LibraryModel> models;
  int entry = 0;
  bool skipping = false;  // inside a taken model, up to its "END MODEL" entry
  for (const QString& line : linesOf(library)) {
    for (const QString& e : entriesOf(line)) {
      ++entry;
      if (skipping) {
        if (e.contains(QLatin1String("END MODEL"))) skipping = false;
        continue;
      }
      if (const std::optional<QString> name = modelName(e)) {
        if (int(models.size()) >= kMaxModels) return models;
        models.push_back({*name, entry});
        skipping = true;
      }
    }
  }
  return models;
}

std::optional<QString> ModelText(const QByteArray& library, int firstEntry, ModelEnd end) {
  if (firstEntry < 1) return std::nullopt;
  const QStringList lines = linesOf(library);
  int entry = 0;
  for (qsizetype l = 0; l < lines.size(); ++l) {
    const QStringList entries = entriesOf(lines[l]);
    if (entry + entries.size() < firstEntry) {
      entry += int(entries.size());
      continue;
    }
    // The model's first entry, then whole lines up to the stop line.
    QString text = entries[firstEntry - entry - 1] + QStringLiteral("\n");
    for (qsizetype k = l + 1; k < lines.size(); ++k) {
      const QString& line = lines[k];
      text += line + QStringLiteral("\n");
      const bool stop = end == ModelEnd::Ends ? line.startsWith(QLatin1String(".ENDS"))
                                              : line.contains(QLatin1String("END MODEL"));
      if (stop) return text;
    }
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace spice
