// The painting of the view's own widgets (the picture box paints in picturewidget.cpp).
#include "gui/widgets_p.h"

#include <QPainter>
#include <QPen>
#include <QStyle>
#include <algorithm>

#include "gui/captions_p.h"
#include "gui/drawings.h"

namespace gui::detail {

void ImageWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  drawings().paint(image_.Picture, p, QRectF(rect()));
}

void LineWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QPen pen(color, width);
  pen.setCapStyle(Qt::FlatCap);
  p.setPen(pen);
  const bool straight = from.x() == to.x() || from.y() == to.y();
  p.setRenderHint(QPainter::Antialiasing, !straight);
  p.drawLine(from, to);
}

void LabelWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  drawFrame(&p);
  const QFontMetrics m = fontMetrics();
  QRect r = contentsRect();
  const int overflow = m.height() - r.height();
  if (overflow > 0) r.translate(0, -std::min(overflow, std::max(0, m.ascent() - m.capHeight() - 1)));
  const int flags = static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
  style()->drawItemText(&p, r, flags, palette(), isEnabled(), text(), foregroundRole());
}

void FrameWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFontMetrics m(font());
  const QString caption = withoutMnemonic(title());
  const int top = caption.isEmpty() ? 0 : m.height() / 2;
  if (bordered) {
    const QRect r = rect().adjusted(0, top, -1, -1);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(r.adjusted(1, 1, 0, 0));
  }
  if (caption.isEmpty()) return;
  const int indent = std::max(4, m.averageCharWidth());
  const QRect textRect(indent, 0, m.horizontalAdvance(caption) + 4, m.height());
  p.fillRect(textRect, palette().color(QPalette::Window));
  style()->drawItemText(&p, textRect.adjusted(2, 0, 0, 0),
                        Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, palette(),
                        isEnabled(), title(), QPalette::WindowText);
}

}  // namespace gui::detail
