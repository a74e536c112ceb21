#include "mainwindow/calverdonform.h"

#include "mainwindow/mainwindowlayout.h"

namespace mainwindow {

CalverdonForm::CalverdonForm(const platform::Services& services)
    : forms::Form(QStringLiteral("CalverdonForm")), svc(services) {
  layOutMainWindow(*this, *this);
  // The design is saved to files: the caption marks a changed one.
  MarksChanges = true;
}

int CalverdonForm::Message(const QString& text, platform::Buttons buttons, platform::Icon icon) {
  requestSync();
  MsgAnswer = svc.messages ? svc.messages->show(text, kProductName, buttons, icon)
                           : platform::AnswerOk;
  return MsgAnswer;
}

}  // namespace mainwindow
