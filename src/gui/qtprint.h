#pragma once
// Printing the window image: the printer dialog asks for the copies, each printed copy is the
// form's view rendered onto one landscape page, scaled to fit. The copies printed during one
// handler make one document, which ends when the handler ends it, or else when the program
// returns to its event loop.
#include <QObject>
#include <memory>

#include "platform/printing.h"

class QPainter;
class QPrinter;

namespace gui {

class QtPrintService : public platform::PrintService {
 public:
  QtPrintService();
  ~QtPrintService() override;

  std::optional<int> askCopies() override;
  bool printWindowImage(const forms::Form& form) override;

  // The printer pages go to (tests send it to a PDF file).
  QPrinter& printer();
  void endDocument() override;

 private:
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QPainter> painter_;
  QObject context_;  // for the deferred end of the document
};

}  // namespace gui
