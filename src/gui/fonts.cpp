// The faces that stand in for the model's font names, and the condensing that keeps captions
// as wide as the window was laid out for.
#include "gui/fonts_p.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace gui::detail {

static bool isFixedPitchName(const QString& name) {
  return name.contains(QLatin1String("Courier"), Qt::CaseInsensitive) ||
         name.contains(QLatin1String("Mono"), Qt::CaseInsensitive) ||
         name.compare(QLatin1String("Terminal"), Qt::CaseInsensitive) == 0;
}

QStringList fontFamilies(const QString& name) {
  // The window was laid out for a narrow sans-serif face: the faces of that width (the
  // Arial-metric ones) go first where a system has them, the desktop's own font last.
  static const QStringList designFaces = [] {
    QStringList faces;
    const QStringList wanted = {QStringLiteral("MS Sans Serif"),
                                QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                                QStringLiteral("Helvetica")};
    for (const QString& f : wanted)
      if (QFontDatabase::hasFamily(f)) faces << f;
    faces << QApplication::font().family();
    return faces;
  }();
  if (name.isEmpty() || name.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
    return designFaces;
  if (isFixedPitchName(name)) {
    // A fixed-width face keeps table columns aligned: the metric-compatible ones first.
    static const QStringList fixedFaces = {QStringLiteral("Courier New"),
                                           QStringLiteral("Liberation Mono"),
                                           QStringLiteral("DejaVu Sans Mono"),
                                           QStringLiteral("Nimbus Mono PS"),
                                           QStringLiteral("Monospace")};
    return QStringList{name} + fixedFaces;
  }
  return QStringList{name} + designFaces;
}

namespace {

bool isDesignFace(const QString& name) {
  return name.isEmpty() || name.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0;
}

// The window's captions were fitted to the designed face, about a tenth narrower than the
// Arial-metric faces: "Resistors" is 41 pixels wide at 11 pixels. Whatever face stands in is
// condensed to that width, so that captions fit their labels as designed.
int designStretch(const QFont& font) {
  static std::map<std::pair<QString, int>, int> cache;
  const auto key = std::make_pair(font.families().join(QLatin1Char(',')), font.pixelSize());
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  QFont probe = font;
  probe.setBold(false);
  probe.setItalic(false);
  probe.setStretch(QFont::Unstretched);
  const double width = QFontMetricsF(probe).horizontalAdvance(QStringLiteral("Resistors"));
  const double target = 41.0 * font.pixelSize() / 11.0;
  int stretch = 100;
  if (width > target && width > 0)
    stretch = std::clamp(static_cast<int>(std::floor(100.0 * target / width)), 75, 100);
  cache[key] = stretch;
  return stretch;
}

}  // namespace

QFont makeFont(const forms::Font& font, double factor) {
  QFont f;
  f.setFamilies(fontFamilies(font.Name));
  f.setStyleHint(isFixedPitchName(font.Name) ? QFont::TypeWriter : QFont::SansSerif);
  f.setFixedPitch(isFixedPitchName(font.Name));
  const double size = (font.Size > 0 && std::isfinite(font.Size)) ? font.Size : 8.25;
  // Whole pixel sizes keep the text crisp; 8.25 points are 11 pixels at 100 %.
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(size * 96.0 / 72.0 * factor))));
  if (isDesignFace(font.Name)) f.setStretch(designStretch(f));
  f.setBold(font.Bold);
  f.setItalic(font.Italic);
  return f;
}

}  // namespace gui::detail
