#pragma once
// Message boxes.
#include <QString>

namespace platform {

// Buttons and icon of a message box, and its answers (the numbers the program compares with).
// SaveDiscardCancel and its answers have no number of their own; they only need to differ.
enum class Buttons { Ok = 0, OkCancel = 1, YesNoCancel = 3, YesNo = 4, SaveDiscardCancel = 100 };
enum class Icon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum Answer { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7, AnswerSave = 101,
              AnswerDiscard = 102 };

class MessageService {
 public:
  virtual ~MessageService() = default;
  // Shows a modal message box and returns the button the user chose.
  virtual int show(const QString& text, const QString& title, Buttons buttons = Buttons::Ok,
                   Icon icon = Icon::None) = 0;
};

}  // namespace platform
