#include "gui/formview.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

#include "gui/colors.h"
#include "gui/formview_p.h"
#include "gui/inputcodes_p.h"

namespace gui {

using forms::Event;

namespace {

std::vector<FormView*>& liveViews() {
  static std::vector<FormView*> views;
  return views;
}

struct FlagGuard {
  bool& flag;
  bool old;
  explicit FlagGuard(bool& f) : flag(f), old(f) { flag = true; }
  ~FlagGuard() { flag = old; }
};

// The form's client area in pixels at 100 %; a form without a size takes its controls' extent.
QSize designSizeOf(const forms::Form& form) {
  int w = form.Width, h = form.Height;
  if (w <= 0 || h <= 0) {
    int right = 0, bottom = 0;
    for (const forms::Control* c : form.controls()) {
      if (c->Container != nullptr || c->kind == forms::ControlKind::MenuItem) continue;
      right = std::max(right, c->Left + c->Width);
      bottom = std::max(bottom, c->Top + c->Height);
    }
    if (w <= 0) w = right;
    if (h <= 0) h = bottom;
  }
  return QSize(std::max(1, static_cast<int>(std::lround(w / 15.0))),
               std::max(1, static_cast<int>(std::lround(h / 15.0))));
}

}  // namespace

// ---------------------------------------------------------------- construction

FormView::FormView(forms::Form& form, QWidget* parent) : QWidget(parent), form_(form) {
  liveViews().push_back(this);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::NoFocus);

  oldSetFocus_ = form.onSetFocus;
  oldMousePointer_ = form.onMousePointer;
  oldSyncRequest_ = form.onSyncRequest;
  form.onSetFocus = [this](forms::Control& c) { focusFromCode(c); };
  form.onMousePointer = [this](int pointer) { setPointer(pointer); };
  form.onSyncRequest = [] { FormView::syncAll(); };

  build();
  buildMenus();
  designSize_ = designSizeOf(form);
  resize(designSize_);
  updateScale();
  syncWith(true);
  setPointer(form.MousePointer());
}

FormView::~FormView() {
  auto& views = liveViews();
  views.erase(std::remove(views.begin(), views.end(), this), views.end());
  form_.onSetFocus = oldSetFocus_;
  form_.onMousePointer = oldMousePointer_;
  form_.onSyncRequest = oldSyncRequest_;
  if (waitCursor_) QApplication::restoreOverrideCursor();
  for (auto& [object, binding] : byObject_) const_cast<QObject*>(object)->removeEventFilter(this);
  byObject_.clear();
  focused_ = nullptr;
  pressed_ = nullptr;
  // The widgets go before their bindings, so that no signal reaches a binding that is gone.
  qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
  if (!menuBarTaken_) delete menuBar_.data();
}

void FormView::build() {
  for (forms::Control* c : form_.controls()) {
    if (c->kind == forms::ControlKind::MenuItem) continue;
    std::unique_ptr<detail::Binding> b = detail::makeBinding(*this, *c);
    if (!b || !b->widget()) continue;
    byControl_[c] = b.get();
    bindings_.push_back(std::move(b));
  }
  // Controls sit in their frame or picture box. Graphical controls (labels, images, lines)
  // go first so that the windowed ones stack above them, as on the designed window.
  for (int pass = 0; pass < 2; ++pass) {
    for (auto& b : bindings_) {
      if (b->graphical() != (pass == 0)) continue;
      QWidget* host = this;
      if (forms::Control* container = b->control().Container) {
        auto it = byControl_.find(container);
        if (it != byControl_.end() && it->second->childHost()) host = it->second->childHost();
      }
      b->setOnForm(host == this);
      if (b->widget()->parentWidget() != host) b->widget()->setParent(host);
      b->widget()->raise();
    }
  }
  for (auto& b : bindings_)
    for (QObject* o : b->inputObjects()) {
      o->installEventFilter(this);
      byObject_[o] = b.get();
    }
  applyTabOrder();
}

void FormView::applyTabOrder() {
  std::vector<detail::Binding*> order;
  for (auto& b : bindings_)
    if (b->focusable()) order.push_back(b.get());
  std::stable_sort(order.begin(), order.end(), [](detail::Binding* a, detail::Binding* b) {
    const int ta = a->control().TabIndex < 0 ? INT_MAX : a->control().TabIndex;
    const int tb = b->control().TabIndex < 0 ? INT_MAX : b->control().TabIndex;
    return ta < tb;
  });
  for (size_t i = 1; i < order.size(); ++i)
    QWidget::setTabOrder(order[i - 1]->widget(), order[i]->widget());
}

// ---------------------------------------------------------------- menus

void FormView::buildMenus() {
  std::vector<forms::MenuItem*> items;
  std::map<const forms::Control*, bool> holdsItems;
  for (forms::Control* c : form_.controls()) {
    if (c->kind != forms::ControlKind::MenuItem) continue;
    items.push_back(static_cast<forms::MenuItem*>(c));
    if (c->Container) holdsItems[c->Container] = true;
  }
  if (items.empty()) return;
  menuBar_ = new QMenuBar;
  for (forms::MenuItem* item : items) {
    auto m = std::make_unique<detail::MenuBinding>(*item);
    // The menu this item belongs to: its container's submenu, or the menu bar.
    QWidget* parentMenu = menuBar_;
    if (item->Container) {
      auto it = menuOf_.find(static_cast<const forms::MenuItem*>(item->Container));
      if (it != menuOf_.end() && it->second->menu) parentMenu = it->second->menu;
    }
    if (holdsItems.count(item)) {
      auto* menu = new QMenu(parentMenu);
      m->menu = menu;
      m->action = menu->menuAction();
      if (auto* bar = qobject_cast<QMenuBar*>(parentMenu))
        bar->addMenu(menu);
      else
        static_cast<QMenu*>(parentMenu)->addMenu(menu);
      // A menu's own Click runs as it opens, so that it can prepare its items.
      connect(menu, &QMenu::aboutToShow, this, [this, item] { raiseFromUser(*item, Event::Click); });
    } else {
      auto* action = new QAction(parentMenu);
      m->action = action;
      parentMenu->addAction(action);
      connect(action, &QAction::triggered, this, [this, item] { raiseFromUser(*item, Event::Click); });
    }
    menuOf_[item] = m.get();
    menus_.push_back(std::move(m));
  }
}

void detail::MenuBinding::sync() {
  if (!action) return;
  const bool separator = item.Caption == QLatin1String("-");
  if (first || item.Caption != caption) {
    caption = item.Caption;
    // A separator is a line with no text: a style such as Fusion paints the text of a
    // separator action, so it gets none.
    action->setSeparator(separator && !menu);
    if (menu)
      menu->setTitle(caption);
    else
      action->setText(separator ? QString() : caption);
  }
  if (first || item.Shortcut != shortcut) {
    shortcut = item.Shortcut;
    action->setShortcut(QKeySequence::fromString(shortcut, QKeySequence::PortableText));
  }
  if (!menu) {
    // A checkable action toggles itself when triggered; the model's Checked decides, so the
    // action follows it after every event (without a second toggle).
    if (item.Checked && !action->isCheckable()) action->setCheckable(true);
    if (action->isCheckable() && action->isChecked() != item.Checked) {
      QSignalBlocker block(action);
      action->setChecked(item.Checked);
    }
  }
  if (first || item.Enabled != enabled) action->setEnabled(enabled = item.Enabled);
  if (first || item.Visible != visible) action->setVisible(visible = item.Visible);
  first = false;
}

QMenuBar* FormView::takeMenuBar() {
  if (menuBarTaken_ || !menuBar_) return nullptr;
  menuBarTaken_ = true;
  return menuBar_;
}

QAction* FormView::actionFor(const forms::MenuItem& item) const {
  auto it = menuOf_.find(&item);
  return it == menuOf_.end() ? nullptr : it->second->action.data();
}

QWidget* FormView::widgetFor(const forms::Control& control) const {
  auto it = byControl_.find(&control);
  return it == byControl_.end() ? nullptr : it->second->widget();
}

FormView* FormView::viewOf(const forms::Form& form) {
  for (FormView* v : liveViews())
    if (&v->form_ == &form) return v;
  return nullptr;
}

// ---------------------------------------------------------------- scale and sync

void FormView::updateScale() {
  const double fw = static_cast<double>(width()) / designSize_.width();
  const double fh = static_cast<double>(height()) / designSize_.height();
  double f = std::min(fw, fh);
  if (!(f > 0) || !std::isfinite(f)) f = 1;
  f = std::clamp(f, 0.1, 10.0);
  // The form keeps to the top of the view and is centred across it.
  const QPoint origin(
      std::max(0, static_cast<int>(std::lround((width() - designSize_.width() * f) / 2))), 0);
  if (f == scale_.factor && origin == scale_.origin && scale_.generation > 0) return;
  scale_.factor = f;
  scale_.k = f / 15.0;
  scale_.origin = origin;
  ++scale_.generation;
}

void FormView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int before = scale_.generation;
  updateScale();
  if (scale_.generation != before) sync();
}

void FormView::sync() { syncWith(false); }

void FormView::prepareDrawing() {
  drawingLines_.prepare(form_.drawing, scale_.k, scale_.factor, scale_.origin,
                        QApplication::palette());
}

void FormView::paintEvent(QPaintEvent* event) {
  if (form_.drawing.lines.empty()) return;
  // Most of the window's own drawing lies under opaque controls (the graph picture): when none
  // of it is exposed, nothing is painted.
  prepareDrawing();
  drawingExtent_ = drawingLines_.extent();
  if (!event->region().intersects(drawingExtent_)) return;
  QPainter p(this);
  drawingLines_.paint(p);
}

void FormView::syncWith(bool all) {
  if (syncing_) return;
  FlagGuard guard(syncing_);
  syncForm(all);
  for (auto& b : bindings_) b->sync(scale_, all);
  for (auto& m : menus_) m->sync();
}

void FormView::syncForm(bool all) {
  if (all || form_.Caption != caption_) {
    caption_ = form_.Caption;
    // The placeholder where the window shows its changed mark.
    const QString title = form_.MarksChanges ? caption_ + QStringLiteral("[*]") : caption_;
    setWindowTitle(title);
    emit captionChanged(title);
  }
  if (all || form_.Modified != modified_) {
    modified_ = form_.Modified;
    setWindowModified(modified_);
    emit modifiedChanged(modified_);
  }
  if (all || form_.BackColor != backColor_) {
    backColor_ = form_.BackColor;
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(backColor_));
    setPalette(p);
  }
  if (all || form_.drawing.revision != drawingRevision_) {
    // Only where the drawing was and is now, so the controls elsewhere are not repainted.
    drawingRevision_ = form_.drawing.revision;
    prepareDrawing();
    const QRect extent = drawingLines_.extent();
    update(all ? rect() : drawingExtent_.united(extent));
    drawingExtent_ = extent;
  }
  const QSize size = designSizeOf(form_);
  if (size != designSize_) {
    designSize_ = size;
    updateGeometry();
    // The window resizes first, at the present scale; then the scale follows the new size.
    emit designSizeChanged(size);
    updateScale();
  }
}

void FormView::syncAll() {
  const std::vector<FormView*> views = liveViews();
  for (FormView* v : views) v->sync();
}

// ---------------------------------------------------------------- events

bool FormView::guardedRaise(const std::function<bool()>& raise) {
  QPointer<FormView> self(this);
  bool ran = false;
  try {
    ran = raise();
  } catch (const std::exception& e) {
    qWarning("Calverdon: a handler failed: %s", e.what());
  } catch (...) {
    qWarning("Calverdon: a handler failed");
  }
  if (self) afterEvent();
  return ran;
}

bool FormView::raiseFromUser(forms::Control& control, Event ev, forms::EventArgs& args) {
  return guardedRaise([&] { return form_.raise(control, ev, args); });
}

bool FormView::raiseOwnFromUser(Event ev) {
  return guardedRaise([&] { return form_.raiseOwn(ev); });
}

void FormView::afterEvent() {
  if (form_.eventDepth() == 0) syncAll();
}

detail::Binding* FormView::bindingOf(QObject* object) const {
  for (QObject* o = object; o && o != this; o = o->parent()) {
    auto it = byObject_.find(o);
    if (it != byObject_.end()) return it->second;
  }
  return nullptr;
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
  auto it = byObject_.find(watched);
  if (it == byObject_.end()) return QWidget::eventFilter(watched, event);
  detail::Binding* b = it->second;
  switch (event->type()) {
    case QEvent::FocusIn:
      onFocusIn(b, static_cast<QFocusEvent*>(event)->reason());
      break;
    case QEvent::FocusOut:
      onFocusOut(b, static_cast<QFocusEvent*>(event)->reason());
      break;
    case QEvent::KeyPress:
      return onKeyPress(b, watched, static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      return onMouse(b, watched, static_cast<QMouseEvent*>(event));
    case QEvent::Wheel:
      // The wheel does not turn a list the user is not in.
      if (b->control().kind == forms::ControlKind::ComboBox && !b->widget()->hasFocus())
        return true;
      break;
    default:
      break;
  }
  return false;
}

// ---------------------------------------------------------------- focus

void FormView::onFocusIn(detail::Binding* b, Qt::FocusReason) {
  if (viewMovesFocus_ || syncing_) {
    // The view moved the focus itself: the model learns where it is, no event runs.
    focused_ = b;
    form_.ActiveControl = &b->control();
    return;
  }
  if (focusTarget_ || inFocusChange_ || b == focused_) return;
  focused_ = b;
  form_.ActiveControl = &b->control();
  FlagGuard guard(inFocusChange_);
  raiseFromUser(b->control(), Event::GotFocus);
}

void FormView::onFocusOut(detail::Binding* b, Qt::FocusReason reason) {
  if (viewMovesFocus_ || syncing_ || focusTarget_ || inFocusChange_) return;
  if (b != focused_) return;
  // A message box, a menu or another window taking the focus validates nothing.
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
      reason == Qt::MenuBarFocusReason)
    return;
  QWidget* dest = QApplication::focusWidget();
  detail::Binding* to = dest ? bindingOf(dest) : nullptr;
  if (to == b) return;
  FlagGuard guard(inFocusChange_);
  forms::Control& c = b->control();
  if (to) {
    forms::EventArgs args;
    raiseFromUser(c, Event::Validate, args);
    if (args.Cancel) {
      // The focus stays in the box: it goes back once Qt has finished this move.
      queueFocus(b->widget());
      return;
    }
    if (focused_ != b) return;  // the handler moved the focus itself
  }
  focused_ = nullptr;
  raiseFromUser(c, Event::LostFocus);
  if (focusTarget_) return;
  // Qt sends the focus-in to the destination only when it still has the focus. When a
  // handler moved the focus, or a message box took the window's activation (the focus
  // returns to the destination when the window is active again), the GotFocus runs here.
  QWidget* now = QApplication::focusWidget();
  if (now == dest) return;
  QWidget* next = now;
  if (!next && dest && dest->window()->focusWidget() == dest) next = dest;
  detail::Binding* nb = next ? bindingOf(next) : nullptr;
  if (nb && nb != focused_) {
    focused_ = nb;
    form_.ActiveControl = &nb->control();
    raiseFromUser(nb->control(), Event::GotFocus);
  }
}

void FormView::focusFromCode(forms::Control& c) {
  auto it = byControl_.find(&c);
  if (it == byControl_.end()) return;
  focused_ = it->second;
  form_.ActiveControl = &c;
  queueFocus(it->second->widget());
}

void FormView::queueFocus(QWidget* target) {
  focusTarget_ = target;
  if (focusQueued_) return;
  focusQueued_ = true;
  QTimer::singleShot(0, this, [this] { applyQueuedFocus(); });
}

void FormView::applyQueuedFocus() {
  focusQueued_ = false;
  QPointer<QWidget> target = focusTarget_;
  if (!target) return;
  // The handler that chose the target may have made it visible just before.
  sync();
  {
    FlagGuard guard(viewMovesFocus_);
    target->setFocus(Qt::OtherFocusReason);
  }
  focusTarget_ = nullptr;
  if (target && target->window()->isActiveWindow()) {
    QWidget* now = QApplication::focusWidget();
    if (now != target.data()) focused_ = now ? bindingOf(now) : nullptr;
  }
}

// ---------------------------------------------------------------- keys

bool FormView::pressDefaultButton() {
  for (auto& b : bindings_) {
    if (b->control().kind != forms::ControlKind::CommandButton) continue;
    const auto& button = static_cast<const forms::CommandButton&>(b->control());
    if (!button.Default || !button.Visible || !button.Enabled) continue;
    auto* w = qobject_cast<QPushButton*>(b->widget());
    if (!w || !w->isVisible()) continue;
    w->click();
    return true;
  }
  return false;
}

bool FormView::onKeyPress(detail::Binding* b, QObject* watched, QKeyEvent* e) {
  if (replayingKey_) return false;
  forms::Control& c = b->control();
  const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  const bool multiLine =
      c.kind == forms::ControlKind::TextBox && static_cast<forms::TextBox&>(c).MultiLine;
  // Enter presses the window's default button wherever the focus is.
  if (enter && c.kind != forms::ControlKind::CommandButton && !multiLine && pressDefaultButton())
    return true;
  QPointer<QObject> target(watched);
  const int code = detail::keyCodeOf(*e);
  if (code != 0 && form_.hasHandler(c.Name, Event::KeyDown)) {
    forms::EventArgs args;
    args.KeyCode = code;
    args.Shift = detail::shiftOf(e->modifiers());
    raiseFromUser(c, Event::KeyDown, args);
  }
  const int ascii = detail::keyAsciiOf(*e);
  if (ascii != 0 && form_.hasHandler(c.Name, Event::KeyPress)) {
    forms::EventArgs args;
    args.KeyAscii = ascii;
    raiseFromUser(c, Event::KeyPress, args);
    if (args.KeyAscii == 0) return true;  // the handler swallowed the key
    if (args.KeyAscii != ascii && target) {
      // The handler replaced the character: the widget gets the replacement instead.
      const int k = args.KeyAscii;
      const int qtKey = k == 13 ? Qt::Key_Return : k == 8 ? Qt::Key_Backspace : 0;
      QKeyEvent replacement(QEvent::KeyPress, qtKey, e->modifiers(),
                            k == 13 || k == 8 ? QString() : QString(QChar(k)));
      FlagGuard guard(replayingKey_);
      QCoreApplication::sendEvent(target, &replacement);
      return true;
    }
  }
  // Enter in a list's text commits nothing: the list neither takes the text as an entry
  // nor raises a choice.
  if (enter && c.kind == forms::ControlKind::ComboBox) return true;
  if (enter && c.kind == forms::ControlKind::CommandButton) {
    // Enter on a button presses it, as the space bar does.
    if (auto* w = qobject_cast<QPushButton*>(b->widget())) w->click();
    return true;
  }
  return false;
}

// ---------------------------------------------------------------- mouse

bool FormView::onMouse(detail::Binding* b, QObject* watched, QMouseEvent* e) {
  QWidget* w = b->widget();
  QPointF pos = e->position();
  if (watched != w) pos = static_cast<QWidget*>(watched)->mapTo(w, pos);
  forms::Control& c = b->control();
  forms::EventArgs args;
  args.Button = detail::buttonOf(e->button());
  args.Shift = detail::shiftOf(e->modifiers());
  args.X = static_cast<float>(toTwips(pos.x()));
  args.Y = static_cast<float>(toTwips(pos.y()));

  switch (e->type()) {
    case QEvent::MouseButtonPress:
      // The press that moved the focus from a box whose validation failed goes nowhere.
      if (focusTarget_) return true;
      pressed_ = b;
      afterDblClick_ = false;
      if (form_.hasHandler(c.Name, Event::MouseDown)) raiseFromUser(c, Event::MouseDown, args);
      return b->ownsMouse();
    case QEvent::MouseButtonDblClick:
      if (focusTarget_) return true;
      pressed_ = b;
      afterDblClick_ = true;
      if (e->button() == Qt::LeftButton) raiseFromUser(c, Event::DblClick, args);
      return b->ownsMouse();
    case QEvent::MouseButtonRelease: {
      const bool wasPressed = pressed_ == b;
      const bool afterDouble = afterDblClick_;
      pressed_ = nullptr;
      afterDblClick_ = false;
      const bool mouseUp = form_.hasHandler(c.Name, Event::MouseUp);
      if (mouseUp && b->changesOnRelease()) {
        // Check boxes and option buttons change on the release; MouseUp sees the new value.
        static_cast<QObject*>(watched)->event(e);
        raiseFromUser(c, Event::MouseUp, args);
        return true;
      }
      if (mouseUp) raiseFromUser(c, Event::MouseUp, args);
      if (wasPressed && !afterDouble && b->clicksOnRelease() && e->button() == Qt::LeftButton &&
          QRectF(w->rect()).contains(pos))
        raiseFromUser(c, Event::Click);
      return b->ownsMouse();
    }
    case QEvent::MouseMove:
      if (form_.hasHandler(c.Name, Event::MouseMove)) {
        args.Button = (e->buttons() & Qt::LeftButton ? forms::kLeftButton : 0) |
                      (e->buttons() & Qt::RightButton ? forms::kRightButton : 0) |
                      (e->buttons() & Qt::MiddleButton ? 4 : 0);
        raiseFromUser(c, Event::MouseMove, args);
      }
      return false;
    default:
      return false;
  }
}

void FormView::mousePressEvent(QMouseEvent* e) {
  pressedOnForm_ = e->button() == Qt::LeftButton && !focusTarget_;
  e->accept();
}

void FormView::mouseReleaseEvent(QMouseEvent* e) {
  const bool click = pressedOnForm_ && e->button() == Qt::LeftButton &&
                     QRectF(rect()).contains(e->position());
  pressedOnForm_ = false;
  e->accept();
  if (click) raiseOwnFromUser(Event::Click);
}

void FormView::mouseDoubleClickEvent(QMouseEvent* e) {
  pressedOnForm_ = false;
  e->accept();
  if (e->button() == Qt::LeftButton) raiseOwnFromUser(Event::DblClick);
}

// ---------------------------------------------------------------- pointer

void FormView::setPointer(int pointer) {
  // 11 is the hourglass, 13 the arrow with an hourglass; everything else the usual arrow.
  const bool busy = pointer == forms::kPointerHourglass || pointer == 13;
  if (busy && !waitCursor_) {
    QApplication::setOverrideCursor(pointer == 13 ? Qt::BusyCursor : Qt::WaitCursor);
    waitCursor_ = true;
  } else if (!busy && waitCursor_) {
    QApplication::restoreOverrideCursor();
    waitCursor_ = false;
  }
}

}  // namespace gui
