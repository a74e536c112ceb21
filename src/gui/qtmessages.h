#pragma once
// Message boxes with QMessageBox.
#include "platform/messages.h"

namespace gui {

class QtMessageService : public platform::MessageService {
 public:
  // Brings every window up to date first (the handler asking may be half-way through a
  // change), then shows the box modally over the active window. The text is plain text.
  int show(const QString& text, const QString& title, platform::Buttons buttons,
           platform::Icon icon) override;
};

}  // namespace gui
