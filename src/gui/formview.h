#pragma once
// The Qt view of a window-model form: real widgets for every control, placed from the form's
// twips (15 twips = 1 pixel at 100 %) and scaled uniformly with the view's size (the form
// keeps to the top of the view and is centred across it). User input
// becomes a model write plus the model's event; after every outermost event the view copies
// what changed in the model back into its widgets, with their signals blocked.
#include <QPointer>
#include <QSize>
#include <QWidget>
#include <map>
#include <memory>
#include <vector>

#include "forms/form.h"
#include "gui/paintedlines_p.h"

class QAction;
class QMenuBar;

namespace gui {

namespace detail {
class Binding;
struct MenuBinding;
struct Scale {
  double factor = 1;   // 1 = 100 %
  double k = 1.0 / 15;  // pixels per twip
  QPoint origin;       // where the form's area starts inside the view
  int generation = 0;  // changes with every change of factor or origin
};
}  // namespace detail

class FormView : public QWidget {
  Q_OBJECT

 public:
  // The form must outlive the view. The view installs itself in the form's hooks (sync
  // request, code focus, mouse pointer) and gives the previous hooks back when it goes.
  explicit FormView(forms::Form& form, QWidget* parent = nullptr);
  ~FormView() override;

  forms::Form& form() const { return form_; }

  // Copies every model property that changed since the last sync into the widgets.
  void sync();
  // Syncs every view of the program (before a message box, after every outermost event).
  static void syncAll();
  // The view showing form, or nullptr.
  static FormView* viewOf(const forms::Form& form);

  // The widget rendering a control (nullptr for menu items and controls the view lacks).
  QWidget* widgetFor(const forms::Control& control) const;
  // The action of a menu item.
  QAction* actionFor(const forms::MenuItem& item) const;
  // The menu bar built from the form's menu items, for the window to take over (ownership
  // passes to the caller); nullptr when the form has no menu or it was taken already.
  QMenuBar* takeMenuBar();

  // The form's client area at 100 %, in pixels.
  QSize designSize() const { return designSize_; }
  // The present uniform scale (1 = 100 %).
  double scaleFactor() const { return scale_.factor; }
  QSize sizeHint() const override { return designSize_; }
  QSize minimumSizeHint() const override { return designSize_ / 4; }

  // Raises ev of control as user input does (the model write has been made already), then
  // brings every view up to date when it was the outermost event. A handler that throws is
  // reported on the debug output; the view stays usable.
  bool raiseFromUser(forms::Control& control, forms::Event ev, forms::EventArgs& args);
  bool raiseFromUser(forms::Control& control, forms::Event ev) {
    forms::EventArgs args;
    return raiseFromUser(control, ev, args);
  }

  // Pixels in the widget of a control to twips of the control.
  double toTwips(double pixels) const { return pixels / scale_.k; }

 signals:
  void designSizeChanged(QSize size);
  // The window title: the form's caption, with the changed mark's placeholder when it has one.
  void captionChanged(const QString& title);
  void modifiedChanged(bool modified);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Paints what code drew on the window itself (Form::drawing), under the controls.
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  friend class detail::Binding;

  void build();
  void buildMenus();
  void applyTabOrder();
  void updateScale();
  void syncWith(bool all);
  void syncForm(bool all);
  void prepareDrawing();
  void afterEvent();
  bool raiseOwnFromUser(forms::Event ev);
  bool guardedRaise(const std::function<bool()>& raise);

  // focus
  void onFocusIn(detail::Binding* b, Qt::FocusReason reason);
  void onFocusOut(detail::Binding* b, Qt::FocusReason reason);
  void focusFromCode(forms::Control& c);
  void queueFocus(QWidget* target);
  void applyQueuedFocus();

  // input
  bool onKeyPress(detail::Binding* b, QObject* watched, QKeyEvent* e);
  bool onMouse(detail::Binding* b, QObject* watched, QMouseEvent* e);
  bool pressDefaultButton();
  void setPointer(int pointer);

  detail::Binding* bindingOf(QObject* object) const;

  forms::Form& form_;
  std::vector<std::unique_ptr<detail::Binding>> bindings_;
  std::map<const forms::Control*, detail::Binding*> byControl_;
  std::map<const QObject*, detail::Binding*> byObject_;
  std::vector<std::unique_ptr<detail::MenuBinding>> menus_;
  std::map<const forms::MenuItem*, detail::MenuBinding*> menuOf_;
  QPointer<QMenuBar> menuBar_;
  bool menuBarTaken_ = false;

  detail::Scale scale_;
  QSize designSize_;
  QString caption_;
  bool modified_ = false;
  forms::VbColor backColor_ = 0;
  unsigned drawingRevision_ = 0;
  QRect drawingExtent_;  // where the window's own drawing was painted last, in pixels
  detail::PaintedLines drawingLines_;  // the window's own drawing as painted last
  bool formSynced_ = false;

  // The control that has the focus as the model sees it (its GotFocus ran).
  detail::Binding* focused_ = nullptr;
  bool inFocusChange_ = false;  // the handlers of a focus move are running
  bool syncing_ = false;
  bool viewMovesFocus_ = false;  // the view itself is moving the real focus
  QPointer<QWidget> focusTarget_;  // the focus goes here next (cancelled validation, code)
  bool focusQueued_ = false;
  bool replayingKey_ = false;
  detail::Binding* pressed_ = nullptr;  // mouse pressed on it, for the Click on release
  bool afterDblClick_ = false;
  bool pressedOnForm_ = false;
  bool waitCursor_ = false;

  std::function<void(forms::Control&)> oldSetFocus_;
  std::function<void(int)> oldMousePointer_;
  std::function<void()> oldSyncRequest_;
};

}  // namespace gui
