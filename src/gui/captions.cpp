// Captions as the widgets show them.
#include "gui/captions_p.h"

namespace gui::detail {

QString withoutMnemonic(const QString& caption) {
  if (!caption.contains(QLatin1Char('&'))) return caption;
  QString out;
  out.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&')) {
      if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
        out += QLatin1Char('&');
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

}  // namespace gui::detail
