#pragma once
// Inside the form view: one binding per control, holding its widget and the snapshot of the
// model properties last copied into it, so that a sync touches only what changed.
#include <QColor>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "forms/controls.h"
#include "gui/formview.h"

class QAction;
class QMenu;

namespace gui::detail {

class Binding {
 public:
  Binding(FormView& view, forms::Control& control);
  virtual ~Binding() = default;
  Binding(const Binding&) = delete;
  Binding& operator=(const Binding&) = delete;

  forms::Control& control() const { return control_; }
  QWidget* widget() const { return widget_; }
  // The objects whose input events belong to this control (the widget and, for some kinds,
  // its viewport or line edit).
  const std::vector<QObject*>& inputObjects() const { return inputs_; }
  // The widget that holds the controls placed in this one (frames, picture boxes).
  virtual QWidget* childHost() const { return nullptr; }
  // Whether the control can hold the focus.
  virtual bool focusable() const { return false; }
  // Whether the view raises Click itself when the left button is released over it
  // (buttons and lists raise it from their own signals).
  virtual bool clicksOnRelease() const { return false; }
  // Whether the mouse press is the view's alone (the widget does nothing with it).
  virtual bool ownsMouse() const { return clicksOnRelease(); }
  // Whether the widget changes its value on the mouse release (MouseUp follows that).
  virtual bool changesOnRelease() const { return false; }
  // Graphical controls sit below the windowed ones of the same container.
  virtual bool graphical() const { return false; }

  // Copies what changed in the model into the widget; all copies everything.
  void sync(const Scale& s, bool all);
  // The parent widget is the view itself: the form's origin applies.
  void setOnForm(bool onForm) { onForm_ = onForm; }

 protected:
  // The kind's own properties; rescaled tells that the scale changed since the last sync.
  virtual void syncOwn(const Scale& s, bool all, bool rescaled) = 0;
  // Colours: the default puts BackColor on the window role and ForeColor on the text role.
  virtual void applyColors(const QColor& back, const QColor& fore);
  // The widget's rectangle in its parent.
  virtual QRect geometryFor(const Scale& s) const;
  virtual bool geometryChanged() const;
  virtual void rememberGeometry();
  QRect rectFromTwips(const Scale& s, int left, int top, int width, int height) const;

  void addInput(QObject* o) { inputs_.push_back(o); }
  FormView& view_;
  forms::Control& control_;
  QPointer<QWidget> widget_;
  bool onForm_ = true;

 private:
  std::vector<QObject*> inputs_;
  bool visible_ = false, enabled_ = false, tabStop_ = true, shown_ = true;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  forms::VbColor back_ = 0, fore_ = 0;
  forms::Font font_;
  QString tip_;
  int generation_ = -1;
};

// Whether some part of a control lies within the area of every container it sits in and
// within the form's client area.
bool insideContainers(const forms::Control& control, const forms::Form& form);

// The binding and widget for a control (nullptr for a menu item).
std::unique_ptr<Binding> makeBinding(FormView& view, forms::Control& control);

// A menu item's action (or submenu) and the snapshot of its properties.
struct MenuBinding {
  forms::MenuItem& item;
  QPointer<QAction> action;
  QPointer<QMenu> menu;  // set when the item holds other items
  QString caption, shortcut;
  bool visible = true, enabled = true, first = true;
  explicit MenuBinding(forms::MenuItem& m) : item(m) {}
  void sync();
};

}  // namespace gui::detail
