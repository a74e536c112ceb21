#include "gui/screenshot.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include "gui/formview.h"
#include "gui/formwindow.h"

namespace gui {

QImage grabWidget(QWidget& widget) { return widget.grab().toImage(); }

QImage grabForm(forms::Form& form, double scale) {
  if (FormView* view = FormView::viewOf(form)) {
    view->sync();
    QWidget* w = view->window();
    return grabWidget(*w);
  }
  FormWindow window(form);
  window.setAttribute(Qt::WA_DontShowOnScreen);
  window.resize(window.sizeForScale(scale > 0 ? scale : 1));
  window.show();
  QApplication::processEvents();
  QImage image = grabWidget(window);
  window.hide();
  return image;
}

bool saveFormPng(forms::Form& form, const QString& path, double scale) {
  const QImage image = grabForm(form, scale);
  return !image.isNull() && image.save(path, "PNG");
}

}  // namespace gui
