#pragma once
// The handlers of the main window's entry boxes, and the commit of a pending entry when an
// area that cannot take the focus is clicked.
#include <QString>
#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

// A box's validation handler; cancel is never set (the focus always moves on).
using EntryValidator = void (*)(CalverdonForm&, bool& cancel);
// The validation handler of a control array, given the element.
using IndexedEntryValidator = void (*)(CalverdonForm&, int index, bool& cancel);

// The pattern every entry box follows: a click shows the box's prompt (topic 0: none), the
// focus records it as the last entry (when recordsLastEntry; "Name" or "Name(i)"), Enter
// sets the prompt topic and commits the entry, and leaving the box validates it.
void RegisterEntryBox(CalverdonForm& f, const QString& name, int topic, bool recordsLastEntry,
                      EntryValidator validate);
// The same for a control array: element i shows topic + i * topicPerIndex.
void RegisterEntryArray(CalverdonForm& f, const QString& name, int topic, int topicPerIndex,
                        bool recordsLastEntry, IndexedEntryValidator validate);

// Registers the handlers of the frequency, pole, ripple and Q boxes, of the stage boxes
// (capacitors, gains, section frequencies and Qs) and of the areas whose click commits the
// pending entry (the graph, the frames of the entry panel, the phase note).
void RegisterEntryHandlers(CalverdonForm& f);

// Commits the pending entry: validates the box named in LastEntry again, but only when its
// text changed since it was last validated.
void ValidateLastEntry(CalverdonForm& f);

// Whether a box's text differs from what its last validation left (true when it was never
// validated).
bool ChangedSinceValidated(CalverdonForm& f, const QString& name);

// Remembers that a box was just validated, with the text its validation left.
void NoteValidated(CalverdonForm& f, const QString& name);

// Clicks on areas that cannot take the focus: commit the pending entry, then recompute unless
// busy; the graph also shows its prompt.
void Graph_Click(CalverdonForm& f);
void Frame_Click(CalverdonForm& f);
void Label17_Click(CalverdonForm& f);

}  // namespace mainwindow
