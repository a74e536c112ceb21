#pragma once
// Printing the window image in landscape, one page per copy, as one printer document.
#include <optional>

namespace forms {
class Form;
}

namespace platform {

class PrintService {
 public:
  virtual ~PrintService() = default;
  // The printer dialog (a printer, or a file to print into, and the copies): the number of
  // copies, or nothing when cancelled.
  virtual std::optional<int> askCopies() = 0;
  // Prints the window's image as it is drawn now on one landscape page of the document being
  // printed (the first page starts it); false when printing failed.
  virtual bool printWindowImage(const forms::Form& form) = 0;
  // Ends the document being printed, if any: its pages go to the printer or file.
  virtual void endDocument() = 0;
};

}  // namespace platform
