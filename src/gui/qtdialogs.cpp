#include "gui/qtdialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <algorithm>
#include <vector>

#include "gui/colors.h"
#include "gui/formview.h"

namespace gui {

DialogFilter qtFilter(const QString& filter) {
  if (!filter.contains(QLatin1Char('|'))) return {filter, false};
  const QStringList parts = filter.split(QLatin1Char('|'));
  struct Entry {
    QString name, patterns;
  };
  std::vector<Entry> entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& p : patterns) p = p.trimmed();
    entries.push_back({parts[i].trimmed(), patterns.join(QLatin1Char(' '))});
  }
  // A description that ends in a pattern list of its own ("Calverdon Filter (*.cvf)") is shown
  // as it is written while the dialog lists what its pattern matches; Qt shows the description
  // alone when every entry has one.
  const bool named = !entries.empty() && std::all_of(entries.begin(), entries.end(), [](const Entry& e) {
    return e.name.endsWith(QLatin1Char(')')) && e.name.contains(QLatin1Char('('));
  });
  QStringList out;
  for (const Entry& e : entries) {
    const bool same = e.name.endsWith(QLatin1Char('(') + e.patterns + QLatin1Char(')'));
    out << (same && !named ? e.name : QStringLiteral("%1 (%2)").arg(e.name, e.patterns));
  }
  if (parts.size() % 2 == 1 && !parts.back().trimmed().isEmpty()) out << parts.back().trimmed();
  return {out.join(QStringLiteral(";;")), named && parts.size() % 2 == 0};
}

namespace {

std::optional<QString> runDialog(const platform::FileDialogRequest& r, bool save) {
  FormView::syncAll();
  const DialogFilter filter = qtFilter(r.filter);
  QFileDialog dialog(QApplication::activeWindow(), r.title, r.initialFolder);
  dialog.setOption(QFileDialog::HideNameFilterDetails, filter.descriptionsOnly);
  dialog.setNameFilter(filter.filter);
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
