// What every binding does (placing its widget from the model's twips, copying the font,
// colours, tip, tab stop, enabled state and visibility when they change) and the choice of
// binding by control kind.
#include <QApplication>
#include <algorithm>
#include <cmath>

#include "gui/bindings_p.h"
#include "gui/colors.h"
#include "gui/fonts_p.h"

namespace gui::detail {

using forms::ControlKind;

Qt::Alignment alignmentOf(int a) {
  switch (a) {
    case forms::AlignRight: return Qt::AlignRight;
    case forms::AlignCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

void setRole(QWidget* w, QPalette::ColorRole role, const QColor& c) {
  QPalette p = w->palette();
  // The disabled look stays the style's own.
  p.setColor(QPalette::Active, role, c);
  p.setColor(QPalette::Inactive, role, c);
  w->setPalette(p);
}

bool insideContainers(const forms::Control& c, const forms::Form& form) {
  // The control's rectangle in its container's coordinates, cut down to each container's
  // area on the way up (a frame or picture box shows only what lies within it), and at last to
  // the window's client area.
  QRect r(c.Left, c.Top, std::max(1, c.Width), std::max(1, c.Height));
  for (const forms::Control* box = c.Container; box; box = box->Container) {
    r &= QRect(0, 0, box->Width, box->Height);
    if (r.isEmpty()) return false;
    r.translate(box->Left, box->Top);
  }
  if (form.Width > 0 && form.Height > 0) r &= QRect(0, 0, form.Width, form.Height);
  return !r.isEmpty();
}

// ---------------------------------------------------------------- Binding

Binding::Binding(FormView& view, forms::Control& control) : view_(view), control_(control) {}

void Binding::applyColors(const QColor& back, const QColor& fore) {
  setRole(widget_, QPalette::Window, back);
  setRole(widget_, QPalette::WindowText, fore);
}

QRect Binding::rectFromTwips(const Scale& s, int left, int top, int width, int height) const {
  const QPoint o = onForm_ ? s.origin : QPoint();
  const auto px = [&](double twips) { return static_cast<int>(std::lround(twips * s.k)); };
  const int x0 = px(left), y0 = px(top);
  const int x1 = px(static_cast<double>(left) + width), y1 = px(static_cast<double>(top) + height);
  return QRect(o.x() + x0, o.y() + y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
}

QRect Binding::geometryFor(const Scale& s) const {
  return rectFromTwips(s, control_.Left, control_.Top, control_.Width, control_.Height);
}

bool Binding::geometryChanged() const {
  return control_.Left != left_ || control_.Top != top_ || control_.Width != width_ ||
         control_.Height != height_;
}

void Binding::rememberGeometry() {
  left_ = control_.Left;
  top_ = control_.Top;
  width_ = control_.Width;
  height_ = control_.Height;
}

void Binding::sync(const Scale& s, bool all) {
  if (!widget_) return;
  forms::Control& c = control_;
  const bool rescaled = all || s.generation != generation_;
  if (rescaled || geometryChanged()) {
    rememberGeometry();
    widget_->setGeometry(geometryFor(s));
  }
  if (rescaled || !(c.font == font_)) {
    font_ = c.font;
    widget_->setFont(makeFont(c.font, s.factor));
  }
  if (all || c.BackColor != back_ || c.ForeColor != fore_) {
    back_ = c.BackColor;
    fore_ = c.ForeColor;
    const QPalette& app = QApplication::palette();
    applyColors(toQColor(c.BackColor, app), toQColor(c.ForeColor, app));
  }
  if (all || c.ToolTipText != tip_) {
    tip_ = c.ToolTipText;
    widget_->setToolTip(c.ToolTipText);
  }
  if (focusable()) {
    // A control that lies wholly outside what its containers show can be neither seen nor
    // clicked, so the Tab key passes it by as it passes hidden and disabled ones.
    const bool shown = insideContainers(c, view_.form());
    if (all || c.TabStop != tabStop_ || shown != shown_) {
      tabStop_ = c.TabStop;
      shown_ = shown;
      widget_->setFocusPolicy(!shown ? Qt::NoFocus : c.TabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
  }
  syncOwn(s, all, rescaled);
  generation_ = s.generation;
  if (all || c.Enabled != enabled_) {
    enabled_ = c.Enabled;
    widget_->setEnabled(c.Enabled);
  }
  if (all || c.Visible != visible_) {
    visible_ = c.Visible;
    widget_->setVisible(c.Visible);
  }
}

std::unique_ptr<Binding> makeBinding(FormView& view, forms::Control& c) {
  switch (c.kind) {
    case ControlKind::TextBox: return bindTextBox(view, static_cast<forms::TextBox&>(c));
    case ControlKind::Label: return bindLabel(view, static_cast<forms::Label&>(c));
    case ControlKind::ComboBox: return bindComboBox(view, static_cast<forms::ComboBox&>(c));
    case ControlKind::CheckBox: return bindCheckBox(view, static_cast<forms::CheckBox&>(c));
    case ControlKind::OptionButton:
      return bindOptionButton(view, static_cast<forms::OptionButton&>(c));
    case ControlKind::CommandButton:
      return bindCommandButton(view, static_cast<forms::CommandButton&>(c));
    case ControlKind::Frame: return bindFrame(view, static_cast<forms::Frame&>(c));
    case ControlKind::Image: return bindImage(view, static_cast<forms::Image&>(c));
    case ControlKind::Line: return bindLine(view, static_cast<forms::Line&>(c));
    case ControlKind::PictureBox: return bindPictureBox(view, static_cast<forms::PictureBox&>(c));
    case ControlKind::Grid: return bindGrid(view, static_cast<forms::Grid&>(c));
    case ControlKind::MenuItem: return nullptr;
  }
  return nullptr;
}

}  // namespace gui::detail
