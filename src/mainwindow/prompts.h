#pragma once
// The context prompts of the prompt field.
namespace mainwindow {
struct CalverdonForm;
}

namespace mainwindow {

using mainwindow::CalverdonForm;

// Shows the prompt of a topic in the prompt field.
void ShowPrompt(CalverdonForm& f, int topic);

}  // namespace mainwindow
