#pragma once
// Printing the window image in landscape.
#include <optional>

namespace forms {
class Form;
}

namespace platform {

class PrintService {
 public:
  virtual ~PrintService() = default;
  // The printer dialog: the number of copies, or nothing when cancelled.
  virtual std::optional<int> askCopies() = 0;
  // Prints the window's image once on a landscape page; false when printing failed.
  virtual bool printWindowImage(const forms::Form& form) = 0;
};

}  // namespace platform
