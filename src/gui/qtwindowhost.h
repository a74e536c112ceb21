#pragma once
// Shows the program's forms in FormWindows: one window per form, created when the form is
// first shown and kept (hidden) after it closes. The windows go when the application's event
// loop ends (or at destroyWindows), so before the forms they show.
#include <functional>
#include <map>
#include <memory>

#include "platform/windowhost.h"

class QEventLoop;
class QObject;

namespace gui {

class FormWindow;

class QtWindowHost : public platform::WindowHost {
 public:
  QtWindowHost();
  ~QtWindowHost() override;

  // A modal form blocks the other windows and returns when it is closed.
  void show(forms::Form& form, bool modal) override;
  void close(forms::Form& form) override;
  // Leaves every event loop once the running handler returns.
  void quit() override;

  // The window of a form, nullptr until the form is first shown.
  FormWindow* windowOf(const forms::Form& form) const;
  // What the user's request to close a form's window does; by default it closes the form
  // as close() does.
  void setCloseHandler(const forms::Form& form, std::function<void()> handler);
  // Destroys every window; a form shown later gets a new one.
  void destroyWindows();

 private:
  struct Entry {
    std::unique_ptr<FormWindow> window;
    std::function<void()> onClose;
    QEventLoop* modalLoop = nullptr;
  };
  Entry& entryFor(forms::Form& form);
  std::map<const forms::Form*, Entry> entries_;
  std::unique_ptr<QObject> context_;  // for the end of the event loop
};

}  // namespace gui
