#include "parts/datasheets.h"

#include <QFileInfo>

#include "mainwindow/calverdonform.h"

namespace parts {

namespace {

// The generic family sheet to try after `name` failed, or an empty text when there is none.
QString nextFamilyName(const QString& name) {
  if (name.left(3).toLower() != QLatin1String("kvr") || name.size() < 7) return {};
  const QChar seventh = name[6];
  if (seventh == QLatin1Char('0')) return {};
  QString next = name;
  next[6] = seventh == QLatin1Char('1') ? QLatin1Char('0') : QLatin1Char('1');
  return next;
}

}  // namespace

QString DatasheetName(const QString& partText) {
  return partText.trimmed().toLower() + QStringLiteral(".pdf");
}

int ShellOpenDocument(platform::DocumentOpener* opener, const QString& path) {
  if (opener && opener->open(path)) return kShellOpened;
  return QFileInfo(path).isFile() ? kShellNoAssociation : kShellFileNotFound;
}

void ShowDatasheet(CalverdonForm& f, const QString& name) {
  const QString folder = f.ProgramFolder() +
                         QLatin1Char('/') + kDatasheetFolder + QLatin1Char('/');
  // At most three tries: the part's own name, then the family's sheets with 1 and with 0.
  QString n = name;
  for (int attempt = 0; attempt < 3 && !n.isEmpty(); ++attempt) {
    // A name holding a folder separator names no sheet of the datasheet folder.
    const bool inFolder = !n.contains(QLatin1Char('/')) && !n.contains(QLatin1Char('\\'));
    const int opened = inFolder ? ShellOpenDocument(f.svc.documents, folder + n) : 0;
    if (opened > 32) {
      f.Message(QStringLiteral("Datasheet is the latest available at software release.") +
                QLatin1Char('\r') + QStringLiteral(" For the latest version, check at ") +
                kMakerAddress + QLatin1Char('.'));
      return;
    }
    // The sheet is there but nothing opened it: another name would not help.
    if (opened == kShellNoAssociation) {
      f.Message(QStringLiteral("No viewer could open the datasheet ") + folder + n +
                QStringLiteral(". Install a PDF viewer to read it."));
      return;
    }
    n = nextFamilyName(n);
  }
  f.Message(QStringLiteral("No datasheet found on your computer."));
}

}  // namespace parts
