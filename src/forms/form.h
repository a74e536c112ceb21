#pragma once
// A form of the window model: its own properties, its layout table (the controls in design
// order with their container, designed position, size, caption or text and tab order) and
// its event table (which handler runs for which control and event).
#include <QString>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

#include "forms/controls.h"
#include "forms/events.h"

namespace forms {

// Mouse pointers of a form.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerHourglass = 11;

class Form;

// One row of a form's layout table, returned by Form::place so that a row reads like a line
// of a form description: place(Text34, "Text34", LPFrame, 120, 480, 1095, 285).text("1k").tab(3)
class LayoutRow {
 public:
  LayoutRow(Control& c) : c_(c) {}
  LayoutRow& text(const QString& t) {
    c_.setDesignText(t);
    return *this;
  }
  LayoutRow& tab(int index) {
    c_.TabIndex = index;
    return *this;
  }
  LayoutRow& hidden() {
    c_.Visible = false;
    return *this;
  }
  LayoutRow& disabled() {
    c_.Enabled = false;
    return *this;
  }
  LayoutRow& back(VbColor color) {
    c_.BackColor = color;
    return *this;
  }
  LayoutRow& fore(VbColor color) {
    c_.ForeColor = color;
    return *this;
  }
  LayoutRow& font(const Font& f) {
    c_.font = f;
    return *this;
  }
  LayoutRow& tip(const QString& t) {
    c_.ToolTipText = t;
    return *this;
  }
  Control& control() { return c_; }

 private:
  Control& c_;
};

class Form {
 public:
  explicit Form(QString name) : Name(std::move(name)) {}
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form() = default;

  QString Name;
  QString Caption;
  // Whether the window's content changed since it was last saved. A form that keeps such
  // content (MarksChanges) shows the mark in its caption.
  bool Modified = false;
  bool MarksChanges = false;
  int Width = 0, Height = 0;  // client area in twips
  VbColor BackColor = kSysButtonFace;
  bool Visible = false;
  Font font;
  // Lines drawn directly on the window (outside any picture box), in twips.
  DisplayList drawing;

  // ---- layout table ----
  // Adds a control in design order. index -1 for a single control; container nullptr for
  // the form itself. Left/Top are relative to the container.
  LayoutRow place(Control& c, const QString& name, int index, Control* container, int left,
                  int top, int width, int height);
  LayoutRow place(Control& c, const QString& name, Control* container, int left, int top,
                  int width, int height) {
    return place(c, name, -1, container, left, top, width, height);
  }
  // A menu item: container is its menu (nullptr for a menu-bar entry).
  LayoutRow menu(MenuItem& m, const QString& name, MenuItem* parent, const QString& caption,
                 const QString& shortcut = {});
  // A line on the window or a frame, by its two end points.
  LayoutRow line(Line& l, const QString& name, int index, Control* container, int x1, int y1,
                 int x2, int y2);

  const std::vector<Control*>& controls() const { return controls_; }
  Control* find(const QString& name, int index = -1) const;
  // The designed position and size of a control (as placed), for tests and for the view's
  // start-up placement.
  struct Designed {
    int Left, Top, Width, Height;
  };
  Designed designed(const Control& c) const;

  // ---- event table ----
  // A handler for one event of a control or of every element of a control array
  // (the handler receives the element in EventArgs::Index), or of the form itself under its
  // Name. Throws std::logic_error for a name the form holds no control of: place the
  // controls before their handlers are registered.
  void on(const QString& name, Event ev, Handler h);
  // Whether the form is called name or holds a control (or control array) of that name.
  bool holds(const QString& name) const;
  bool hasHandler(const QString& name, Event ev) const;
  // Runs the handler of c for ev, if there is one. Returns whether a handler ran.
  bool raise(Control& c, Event ev, EventArgs& args);
  bool raise(Control& c, Event ev) {
    EventArgs args;
    return raise(c, ev, args);
  }
  // Runs the form's own handler for ev, registered under the form's Name (a click on the
  // window's background is the form's Click). Returns whether a handler ran.
  bool raiseOwn(Event ev, EventArgs& args);
  bool raiseOwn(Event ev) {
    EventArgs args;
    return raiseOwn(ev, args);
  }
  // Nesting depth of running handlers: 0 outside any event.
  int eventDepth() const { return depth_; }

  // ---- focus and pointer ----
  Control* ActiveControl = nullptr;
  // Code moves the focus (no events run; the view moves the real focus).
  void SetFocus(Control& c);
  int MousePointer() const { return mousePointer_; }
  void SetMousePointer(int pointer);

  // ---- hooks for the view ----
  // Called when code moves the focus or changes the mouse pointer, so the view can follow at
  // once (a display pass does not return to the event loop before it ends).
  std::function<void(Control&)> onSetFocus;
  std::function<void(int)> onMousePointer;
  // Called before a message box or dialog opens inside a handler, so the view can show the
  // state the handler has built so far.
  std::function<void()> onSyncRequest;
  void requestSync() {
    if (onSyncRequest) onSyncRequest();
  }

 private:
  std::vector<Control*> controls_;
  std::map<std::pair<QString, int>, Control*> byName_;
  std::map<const Control*, Designed> designed_;
  std::map<std::pair<QString, Event>, Handler> handlers_;
  bool run(const QString& name, Event ev, EventArgs& args);
  int depth_ = 0;
  int mousePointer_ = kPointerDefault;
};

}  // namespace forms
