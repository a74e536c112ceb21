#pragma once
// Showing and closing the program's windows (forms) and ending the program.
namespace forms {
class Form;
}

namespace platform {

class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // Shows a form; a modal one returns when it is closed.
  virtual void show(forms::Form& form, bool modal) = 0;
  // Closes (unloads) a form.
  virtual void close(forms::Form& form) = 0;
  // Ends the program after the running handler returns.
  virtual void quit() = 0;
};

}  // namespace platform
