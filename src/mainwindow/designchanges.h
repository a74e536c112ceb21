#pragma once
// The changed-design mark: whether the design in the window differs from the one it started
// with, was opened or was last saved as. The window's Modified flag holds it, so the caption
// shows it, and the commands that drop the design ask before they do.
//
// Every display pass compares the design, in the form a save would record it, with the form the
// pass before left; a difference marks the design changed until it is started, opened or saved
// again. So an entry, choice or dialog that alters the design marks it, and a pass that alters
// nothing (a list taking the focus, a view of the same design) does not.
#include <QByteArray>
#include <functional>

#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

struct DesignSnapshots {
  // The design as a save would record it, less what only shows it; installed with the file
  // commands. Without one no change is marked.
  std::function<QByteArray(const CalverdonForm&)> take;
  QByteArray last;  // what the last pass, start, open or save left
};

// After a display pass: marks the design changed when it differs from what the last pass left.
void NoteDesignChange(CalverdonForm& f);
// The design as it is now is the unchanged one (started, opened or saved).
void MarkDesignUnchanged(CalverdonForm& f);
// Runs a command that changes only how the design is shown (which half of a two-half design is
// on show): whatever it alters in the recorded form leaves the mark as it was.
void KeepDesignMark(CalverdonForm& f, const std::function<void()>& show);

}  // namespace mainwindow
