#include "forms/form.h"

#include <limits>
#include <stdexcept>

namespace forms {

LayoutRow Form::place(Control& c, const QString& name, int index, Control* container, int left,
                      int top, int width, int height) {
  if (byName_.count({name, index}) != 0)
    throw std::logic_error("control placed twice: " + name.toStdString());
  c.Name = name;
  c.Index = index;
  c.owner = this;
  c.Container = container;
  c.Left = left;
  c.Top = top;
  c.Width = width;
  c.Height = height;
  controls_.push_back(&c);
  byName_[{name, index}] = &c;
  designed_[&c] = Designed{left, top, width, height};
  return LayoutRow(c);
}

LayoutRow Form::menu(MenuItem& m, const QString& name, MenuItem* parent, const QString& caption,
                     const QString& shortcut) {
  LayoutRow row = place(m, name, -1, parent, 0, 0, 0, 0);
  m.Caption = caption;
  m.Shortcut = shortcut;
  return row;
}

LayoutRow Form::line(Line& l, const QString& name, int index, Control* container, int x1, int y1,
                     int x2, int y2) {
  LayoutRow row = place(l, name, index, container, 0, 0, 0, 0);
  l.X1 = x1;
  l.Y1 = y1;
  l.X2 = x2;
  l.Y2 = y2;
  return row;
}

Control* Form::find(const QString& name, int index) const {
  auto it = byName_.find({name, index});
  return it == byName_.end() ? nullptr : it->second;
}

Form::Designed Form::designed(const Control& c) const {
  auto it = designed_.find(&c);
  return it == designed_.end() ? Designed{c.Left, c.Top, c.Width, c.Height} : it->second;
}

bool Form::holds(const QString& name) const {
  if (name == Name) return true;
  // Any element of a control array, or the single control (index -1), of that name.
  auto it = byName_.lower_bound({name, std::numeric_limits<int>::min()});
  return it != byName_.end() && it->first.first == name;
}

void Form::on(const QString& name, Event ev, Handler h) {
  // A handler under a name no control has would never run: a misspelt name is a wiring fault.
  if (!holds(name))
    throw std::logic_error("handler for a control the form does not hold: " +
                           Name.toStdString() + "." + name.toStdString());
  handlers_[{name, ev}] = std::move(h);
}

bool Form::hasHandler(const QString& name, Event ev) const {
  return handlers_.count({name, ev}) != 0;
}

bool Form::raise(Control& c, Event ev, EventArgs& args) {
  args.Index = c.Index;
  return run(c.Name, ev, args);
}

bool Form::raiseOwn(Event ev, EventArgs& args) {
  args.Index = -1;
  return run(Name, ev, args);
}

bool Form::run(const QString& name, Event ev, EventArgs& args) {
  auto it = handlers_.find({name, ev});
  if (it == handlers_.end()) return false;
  // Copy the handler: a handler may replace entries of the table while it runs.
  Handler h = it->second;
  struct Depth {
    int& d;
    explicit Depth(int& x) : d(x) { ++d; }
    ~Depth() { --d; }
  } guard(depth_);
  h(args);
  return true;
}

void Form::SetFocus(Control& c) {
  ActiveControl = &c;
  if (onSetFocus) onSetFocus(c);
}

void Form::SetMousePointer(int pointer) {
  if (pointer == mousePointer_) return;
  mousePointer_ = pointer;
  if (onMousePointer) onMousePointer(pointer);
}

}  // namespace forms
