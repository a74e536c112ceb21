// datasheetgen LIBRARY FOLDER: writes FOLDER/<part number in lower case>.pdf, one A4 page per
// op-amp model of LIBRARY, from the figures the model's comment block documents.
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <cstdio>

#include "parts/datasheets.h"
#include "parts/partnumbers.h"

namespace {

constexpr int kDpi = 300;
constexpr double kMm = kDpi / 25.4;

// The library's common note on the pins (the line "* Pins: ...").
QString pinNote(const QByteArray& library) {
  for (const QString& line : QString::fromLatin1(library).split(QLatin1Char('\n'))) {
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1String("* Pins:"))) return t.mid(2).trimmed();
  }
  return {};
}

QFont font(double points, bool bold = false) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPointSizeF(points);
  f.setBold(bold);
  return f;
}

// The op-amp symbol with its five pins named, in a box at (x, y) of width w.
void drawSymbol(QPainter& p, double x, double y, double w) {
  const double h = w * 0.7;
  const double left = x + w * 0.28, right = x + w * 0.72, mid = y + h / 2;
  QPainterPath triangle;
  triangle.moveTo(left, y + h * 0.1);
  triangle.lineTo(right, mid);
  triangle.lineTo(left, y + h * 0.9);
  triangle.closeSubpath();
  p.setPen(QPen(Qt::black, 0.5 * kMm));
  p.drawPath(triangle);
  const double inP = y + h * 0.32, inN = y + h * 0.68;
  p.drawLine(QPointF(x + w * 0.08, inP), QPointF(left, inP));
  p.drawLine(QPointF(x + w * 0.08, inN), QPointF(left, inN));
  p.drawLine(QPointF(right, mid), QPointF(x + w * 0.92, mid));
  const double cx = left + (right - left) * 0.45;
  p.drawLine(QPointF(cx, y + h * 0.28), QPointF(cx, y));
  p.drawLine(QPointF(cx, y + h * 0.72), QPointF(cx, y + h));
  p.setFont(font(9));
  p.drawText(QPointF(left + 2 * kMm, inP + 1.5 * kMm), QStringLiteral("+"));
  p.drawText(QPointF(left + 2 * kMm, inN + 1.5 * kMm), QStringLiteral("\u2212"));
  p.setFont(font(7));
  p.drawText(QPointF(x, inP - 1.5 * kMm), QStringLiteral("1  in+"));
  p.drawText(QPointF(x, inN - 1.5 * kMm), QStringLiteral("2  in\u2212"));
  p.drawText(QPointF(cx + 1.5 * kMm, y + 3 * kMm), QStringLiteral("3  V+"));
  p.drawText(QPointF(cx + 1.5 * kMm, y + h - 1 * kMm), QStringLiteral("4  V\u2212"));
  p.drawText(QPointF(x + w * 0.8, mid - 1.5 * kMm), QStringLiteral("5  out"));
}

bool writeSheet(const parts::DocumentedModel& m, const QString& pins, const QString& path) {
  QPdfWriter pdf(path);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  pdf.setResolution(kDpi);
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  pdf.setTitle(m.PartNumber + QStringLiteral(" datasheet"));
  pdf.setCreator(QStringLiteral("Calverdon"));
  QPainter p;
  if (!p.begin(&pdf)) return false;
  const double pageW = 210 * kMm, margin = 20 * kMm, width = pageW - 2 * margin;
  const QColor band(0x1f, 0x3a, 0x5f);

  // Heading band: maker, document kind, part number and what it is.
  p.fillRect(QRectF(0, 0, pageW, 42 * kMm), band);
  p.setPen(Qt::white);
  p.setFont(font(11, true));
  p.drawText(QRectF(margin, 8 * kMm, width, 8 * kMm), Qt::AlignLeft, QStringLiteral("MARQUENTA"));
  p.setFont(font(9));
  p.drawText(QRectF(margin, 8 * kMm, width, 8 * kMm), Qt::AlignRight,
             QStringLiteral("Operational amplifier datasheet"));
  p.setFont(font(26, true));
  p.drawText(QRectF(margin, 17 * kMm, width, 14 * kMm), Qt::AlignLeft, m.PartNumber);
  p.setFont(font(12));
  QString what = m.Description;
  if (!what.isEmpty()) what[0] = what[0].toUpper();
  p.drawText(QRectF(margin, 31 * kMm, width, 8 * kMm), Qt::AlignLeft, what);

  // Typical figures.
  double y = 54 * kMm;
  p.setPen(Qt::black);
  p.setFont(font(13, true));
  p.drawText(QPointF(margin, y), QStringLiteral("Typical characteristics"));
  y += 4 * kMm;
  p.setFont(font(8));
  p.setPen(Qt::darkGray);
  p.drawText(QRectF(margin, y, width, 6 * kMm), Qt::AlignLeft,
             QStringLiteral("Figures of the simulation macromodel %1 (ambient 25 \u00b0C).")
                 .arg(m.ModelName));
  y += 9 * kMm;
  const double rowH = 8 * kMm;
  p.fillRect(QRectF(margin, y, width, rowH), QColor(0xdd, 0xe4, 0xee));
  p.setPen(Qt::black);
  p.setFont(font(10, true));
  p.drawText(QRectF(margin + 3 * kMm, y, width * 0.5, rowH), Qt::AlignVCenter,
             QStringLiteral("Parameter"));
  p.drawText(QRectF(margin + width * 0.45, y, width * 0.55, rowH), Qt::AlignVCenter,
             QStringLiteral("Value"));
  y += rowH;
  p.setFont(font(10));
  for (std::size_t i = 0; i < m.Figures.size(); ++i) {
    if (i % 2 == 1) p.fillRect(QRectF(margin, y, width, rowH), QColor(0xf3, 0xf5, 0xf8));
    p.setPen(Qt::black);
    p.drawText(QRectF(margin + 3 * kMm, y, width * 0.45, rowH), Qt::AlignVCenter,
               m.Figures[i].first);
    p.drawText(QRectF(margin + width * 0.45, y, width * 0.55, rowH), Qt::AlignVCenter,
               m.Figures[i].second);
    y += rowH;
  }
  p.setPen(QPen(band, 0.4 * kMm));
  p.drawLine(QPointF(margin, y), QPointF(margin + width, y));

  // Connections.
  y += 14 * kMm;
  p.setPen(Qt::black);
  p.setFont(font(13, true));
  p.drawText(QPointF(margin, y), QStringLiteral("Connections"));
  y += 6 * kMm;
  drawSymbol(p, margin, y, 80 * kMm);
  p.setFont(font(9));
  p.drawText(QRectF(margin + 90 * kMm, y, width - 90 * kMm, 50 * kMm),
             Qt::TextWordWrap,
             pins + QStringLiteral("\n\nThe model refers its gain stage to the mid-point of the "
                                   "supplies; the load current returns to ground."));

  // Footer.
  p.setPen(Qt::darkGray);
  p.setFont(font(8));
  p.drawText(QRectF(margin, 280 * kMm, width, 6 * kMm), Qt::AlignLeft,
             QStringLiteral("Datasheet made with Calverdon from the model library."));
  p.drawText(QRectF(margin, 280 * kMm, width, 6 * kMm), Qt::AlignRight, parts::kMakerAddress);
  return p.end();
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: datasheetgen LIBRARY FOLDER\n");
    return 2;
  }
  QFile file(QString::fromLocal8Bit(argv[1]));
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "datasheetgen: cannot read %s\n", argv[1]);
    return 1;
  }
  const QByteArray library = file.readAll();
  const QString folder = QString::fromLocal8Bit(argv[2]);
  if (!QDir().mkpath(folder)) return 1;
  const QString pins = pinNote(library);
  int written = 0;
  for (const parts::DocumentedModel& m : parts::DocumentedModels(library)) {
    const QString path = folder + QLatin1Char('/') + parts::DatasheetName(m.PartNumber);
    if (QFile::exists(path)) continue;  // one sheet per part number: the first model's
    if (!writeSheet(m, pins, path)) {
      std::fprintf(stderr, "datasheetgen: cannot write %s\n", qPrintable(path));
      return 1;
    }
    ++written;
  }
  std::printf("datasheetgen: %d datasheets in %s\n", written, qPrintable(folder));
  return written > 0 ? 0 : 1;
}
