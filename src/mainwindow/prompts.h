#pragma once
// The context prompts of the prompt field.
#include <QString>
#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

using mainwindow::CalverdonForm;

// The text of a prompt topic; empty for a topic that has none (and for a capacitor topic
// whose section is not part of the design).
QString PromptText(const CalverdonForm& f, int topic);

// Shows the prompt of a topic in the prompt field, replacing what was there.
void ShowPrompt(CalverdonForm& f, int topic);

}  // namespace mainwindow
