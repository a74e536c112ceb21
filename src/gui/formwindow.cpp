#include "gui/formwindow.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <cmath>

#include "gui/formview.h"

namespace gui {

FormWindow::FormWindow(forms::Form& form, QWidget* parent)
    : QMainWindow(parent), form_(form), view_(new FormView(form, this)) {
  setCentralWidget(view_);
  if (QMenuBar* bar = view_->takeMenuBar()) setMenuBar(bar);
  setWindowTitle(view_->windowTitle());
  setWindowModified(form.Modified);
  connect(view_, &FormView::captionChanged, this, &QWidget::setWindowTitle);
  connect(view_, &FormView::modifiedChanged, this, &QWidget::setWindowModified);
  // When code changes the form's size the window follows, keeping the present scale.
  connect(view_, &FormView::designSizeChanged, this,
          [this](QSize) { resize(sizeForScale(view_->scaleFactor())); });
  resize(sizeForScale(1));
}

FormWindow::~FormWindow() = default;

QSize FormWindow::sizeForScale(double factor) const {
  const QSize d = view_->designSize();
  const int menu = menuWidget() && !menuWidget()->isHidden() ? menuWidget()->sizeHint().height() : 0;
  return QSize(static_cast<int>(std::lround(d.width() * factor)),
               static_cast<int>(std::lround(d.height() * factor)) + menu);
}

void FormWindow::closeEvent(QCloseEvent* event) {
  if (onCloseRequested) {
    event->ignore();
    onCloseRequested();
    return;
  }
  QMainWindow::closeEvent(event);
}

}  // namespace gui
