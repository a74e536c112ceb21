#include "gui/qtdialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>

#include "gui/colors.h"
#include "gui/formview.h"

namespace gui {

QString qtFilter(const QString& filter) {
  if (!filter.contains(QLatin1Char('|'))) return filter;
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString name = parts[i].trimmed();
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& p : patterns) p = p.trimmed();
    const QString list = patterns.join(QLatin1Char(' '));
    entries << (name.endsWith(QLatin1Char('(') + list + QLatin1Char(')'))
                    ? name
                    : QStringLiteral("%1 (%2)").arg(name, list));
  }
  if (parts.size() % 2 == 1 && !parts.back().trimmed().isEmpty()) entries << parts.back().trimmed();
  return entries.join(QStringLiteral(";;"));
}

namespace {

std::optional<QString> runDialog(const platform::FileDialogRequest& r, bool save) {
  FormView::syncAll();
  QFileDialog dialog(QApplication::activeWindow(), r.title, r.initialFolder, qtFilter(r.filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (save) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!r.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(r.defaultSuffix);
  if (!r.initialName.isEmpty())
    dialog.selectFile(r.initialFolder.isEmpty() ? r.initialName
                                                : QDir(r.initialFolder).filePath(r.initialName));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(files.front());
}

}  // namespace

std::optional<QString> QtFileDialogs::openFile(const platform::FileDialogRequest& request) {
  return runDialog(request, false);
}

std::optional<QString> QtFileDialogs::saveFile(const platform::FileDialogRequest& request) {
  return runDialog(request, true);
}

std::optional<forms::VbColor> QtColorChooser::chooseColor(forms::VbColor initial) {
  FormView::syncAll();
  const QColor c = QColorDialog::getColor(toQColor(initial), QApplication::activeWindow());
  if (!c.isValid()) return std::nullopt;
  return fromQColor(c);
}

}  // namespace gui
