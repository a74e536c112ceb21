#include "mainwindow/designchanges.h"

#include "mainwindow/calverdonform.h"

namespace mainwindow {

namespace {

// Takes the design as it is now as the one later passes compare with; true when it differs
// from the one before. The first one taken is the one to compare with: a window that was
// never started, opened or saved has no design of its own to differ from.
bool retake(CalverdonForm& f) {
  if (!f.Snapshots.take) return false;
  QByteArray now = f.Snapshots.take(f);
  const bool differs = !f.Snapshots.last.isEmpty() && now != f.Snapshots.last;
  f.Snapshots.last = std::move(now);
  return differs;
}

}  // namespace

void NoteDesignChange(CalverdonForm& f) {
  if (retake(f)) f.Modified = true;
}

void MarkDesignUnchanged(CalverdonForm& f) {
  retake(f);
  f.Modified = false;
}

void KeepDesignMark(CalverdonForm& f, const std::function<void()>& show) {
  const bool changed = f.Modified;
  show();
  retake(f);
  f.Modified = changed;
}

}  // namespace mainwindow
