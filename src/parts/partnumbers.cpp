#include "parts/partnumbers.h"

#include "spice/modellibrary.h"

namespace parts {

namespace {

QStringList linesOf(const QByteArray& library) {
  QString text = QString::fromLatin1(library);
  text.remove(QLatin1Char('\r'));
  return text.split(QLatin1Char('\n'));
}

// The comment block that ends just above line `subcktLine`: the heading line naming the model,
// then its figure lines.
void readCommentBlock(const QStringList& lines, qsizetype subcktLine, DocumentedModel& m) {
  qsizetype first = subcktLine;
  while (first > 0 && lines[first - 1].startsWith(QLatin1Char('*'))) --first;
  const QString heading = QStringLiteral("* ") + m.ModelName;
  bool inBlock = false;
  for (qsizetype i = first; i < subcktLine; ++i) {
    const QString& line = lines[i];
    if (line.startsWith(heading) &&
        (line.size() == heading.size() || line[heading.size()] == QLatin1Char(' '))) {
      inBlock = true;
      m.Description = line.mid(heading.size()).trimmed();
      m.Figures.clear();
      continue;
    }
    if (!inBlock) continue;
    const QString body = line.mid(1).trimmed();
    const qsizetype colon = body.indexOf(QLatin1Char(':'));
    if (colon <= 0) continue;
    m.Figures.emplace_back(body.left(colon).trimmed(), body.mid(colon + 1).trimmed());
  }
}

}  // namespace

QString PartNumberOf(const QString& modelName) {
  const qsizetype slash = modelName.indexOf(QLatin1Char('/'));
  return (slash < 0 ? modelName : modelName.left(slash)).trimmed();
}

QStringList PartNumbers(const QByteArray& library) {
  QStringList numbers;
  for (const spice::LibraryModel& m : spice::ListModels(library)) {
    const QString number = PartNumberOf(m.Name);
    if (!number.isEmpty() && !numbers.contains(number)) numbers << number;
  }
  return numbers;
}

std::vector<DocumentedModel> DocumentedModels(const QByteArray& library) {
  const QStringList lines = linesOf(library);
  std::vector<DocumentedModel> models;
  for (const spice::LibraryModel& listed : spice::ListModels(library)) {
    DocumentedModel m;
    m.ModelName = listed.Name;
    m.PartNumber = PartNumberOf(listed.Name);
    for (qsizetype i = 0; i < lines.size(); ++i) {
      const QString line = lines[i].trimmed();
      if (line.left(7).compare(QLatin1String(".subckt"), Qt::CaseInsensitive) == 0 &&
          line.mid(8).startsWith(listed.Name + QLatin1Char(' '))) {
        readCommentBlock(lines, i, m);
        break;
      }
    }
    models.push_back(std::move(m));
  }
  return models;
}

}  // namespace parts
