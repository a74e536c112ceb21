#include "gui/qtprint.h"

#include <QApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <algorithm>

#include "gui/formview.h"

namespace gui {

QtPrintService::QtPrintService() = default;

QtPrintService::~QtPrintService() { endDocument(); }

QPrinter& QtPrintService::printer() {
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // A window image needs no more than 300 dots per inch; more only slows the rendering.
    printer_->setResolution(300);
    printer_->setPageOrientation(QPageLayout::Landscape);
  }
  return *printer_;
}

std::optional<int> QtPrintService::askCopies() {
  endDocument();
  QPrinter& p = printer();
  p.setPageOrientation(QPageLayout::Landscape);
  p.setCopyCount(1);
  FormView::syncAll();
  QPrintDialog dialog(&p, QApplication::activeWindow());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  // The program prints each copy itself: the printer makes one of each page.
  const int copies = std::max(1, p.copyCount());
  p.setCopyCount(1);
  return copies;
}

void QtPrintService::endDocument() {
  if (painter_ && painter_->isActive()) painter_->end();
  painter_.reset();
}

bool QtPrintService::printWindowImage(const forms::Form& form) {
  FormView* view = FormView::viewOf(form);
  if (!view) return false;
  // The image shows what the handler has built up to now.
  view->sync();
  QPrinter& p = printer();
  if (painter_ && painter_->isActive()) {
    // Every copy is a landscape page, whatever the dialog's page setup said.
    p.setPageOrientation(QPageLayout::Landscape);
    if (!p.newPage()) return false;
  } else {
    p.setPageOrientation(QPageLayout::Landscape);
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&p)) {
      painter_.reset();
      return false;
    }
    QTimer::singleShot(0, &context_, [this] { endDocument(); });
  }
  const QRect page = painter_->viewport();
  const QSize size = view->size();
  if (size.isEmpty() || page.isEmpty()) return false;
  const double scale = std::min(static_cast<double>(page.width()) / size.width(),
                                static_cast<double>(page.height()) / size.height());
  painter_->save();
  painter_->translate((page.width() - size.width() * scale) / 2, 0);
  painter_->scale(scale, scale);
  view->render(painter_.get(), QPoint(), QRegion(),
               QWidget::DrawWindowBackground | QWidget::DrawChildren);
  painter_->restore();
  return true;
}

}  // namespace gui
