#include "mainwindow/entryhandlers.h"

#include "forms/events.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/frequencyboxes.h"
#include "mainwindow/prompts.h"

namespace mainwindow {

namespace {

using Validator = void (*)(CalverdonForm&, bool&);

// Every entry box follows one pattern: a click shows its prompt, the focus records it as
// the last entry, Enter commits it, and leaving it validates it.
void entryBox(CalverdonForm& f, const QString& name, int topic, bool recordsLastEntry,
              Validator validate) {
  f.on(name, forms::Event::Click, [&f, topic](forms::EventArgs&) { ShowPrompt(f, topic); });
  if (recordsLastEntry)
    f.on(name, forms::Event::GotFocus, [&f, name](forms::EventArgs&) { f.LastEntry = name; });
  f.on(name, forms::Event::KeyDown, [&f, topic, validate](forms::EventArgs& e) {
    if (e.KeyCode != forms::kKeyReturn) return;
    f.PromptTopic = topic;
    bool cancel = false;
    validate(f, cancel);
  });
  f.on(name, forms::Event::Validate,
       [&f, validate](forms::EventArgs& e) { validate(f, e.Cancel); });
}

}  // namespace

void RegisterEntryHandlers(CalverdonForm& f) {
  entryBox(f, QStringLiteral("Text34"), 7, true, &Text34_Validate);
  entryBox(f, QStringLiteral("RespF"), 8, false, &RespF_Validate);
}

}  // namespace mainwindow
