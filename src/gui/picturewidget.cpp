// The painting of a picture box: its background, its named drawing, the lines and texts that
// code drew on it, and its sunken border.
#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>

#include "gui/colors.h"
#include "gui/drawings.h"
#include "gui/fonts_p.h"
#include "gui/widgets_p.h"

namespace gui::detail {

namespace {

// Width in pixels of the sunken border of a bordered picture box.
constexpr int kPictureBorder = 2;

}  // namespace

void PictureWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& app = QApplication::palette();
  p.fillRect(rect(), toQColor(box_.BackColor, app));
  const int border = box_.BorderStyle != 0 ? kPictureBorder : 0;
  const QRectF inner = QRectF(rect()).adjusted(border, border, -border, -border);
  p.save();
  p.setClipRect(inner);
  drawings().paint(box_.Picture, p, inner);
  p.translate(border, border);
  lines_.prepare(box_.drawing, k, factor, QPointF(), app);
  lines_.paint(p);
  p.setRenderHint(QPainter::Antialiasing, false);
  for (const forms::DrawnText& t : box_.drawing.texts) {
    forms::Font f = box_.font;
    f.Size = t.fontSize;
    f.Bold = t.bold;
    const QFont qf = makeFont(f, factor);
    p.setFont(qf);
    p.setPen(toQColor(t.color, app));
    const QFontMetricsF m(qf);
    p.drawText(QPointF(t.x * k, t.y * k + m.ascent()), t.text);
  }
  p.restore();
  if (border) {
    // A sunken border: dark at the top left, light at the bottom right.
    const QRect r = rect();
    p.setPen(app.color(QPalette::Dark));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(app.color(QPalette::Light));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(app.color(QPalette::Shadow));
    p.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));
    p.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -1));
  }
}

}  // namespace gui::detail
