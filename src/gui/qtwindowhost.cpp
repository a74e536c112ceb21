#include "gui/qtwindowhost.h"

#include <QApplication>
#include <QEventLoop>
#include <QMetaObject>

#include "forms/form.h"
#include "gui/formwindow.h"

namespace gui {

QtWindowHost::QtWindowHost() {
  // The program's forms usually outlive the event loop but not this host: the windows, which
  // refer to their forms, go as soon as the loop has ended.
  if (QCoreApplication::instance()) {
    context_ = std::make_unique<QObject>();
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     context_.get(), [this] { destroyWindows(); });
  }
}

QtWindowHost::~QtWindowHost() { destroyWindows(); }

void QtWindowHost::destroyWindows() {
  for (auto& [form, entry] : entries_) {
    if (entry.modalLoop) entry.modalLoop->quit();
    entry.window.reset();
  }
}

QtWindowHost::Entry& QtWindowHost::entryFor(forms::Form& form) {
  Entry& e = entries_[&form];
  if (!e.window) {
    e.window = std::make_unique<FormWindow>(form);
    e.window->onCloseRequested = [this, &form] {
      Entry& entry = entries_[&form];
      if (entry.onClose)
        entry.onClose();
      else
        close(form);
    };
  }
  return e;
}

void QtWindowHost::show(forms::Form& form, bool modal) {
  Entry& e = entryFor(form);
  FormWindow& w = *e.window;
  form.Visible = true;
  if (!w.isVisible()) {
    if (modal) {
      w.setWindowFlag(Qt::Dialog, true);
      w.setWindowModality(Qt::ApplicationModal);
    } else {
      w.setWindowModality(Qt::NonModal);
    }
    // A second window opens over the window the user is in.
    if (QWidget* active = QApplication::activeWindow(); active && active != &w) {
      QRect r(QPoint(), w.size());
      r.moveCenter(active->frameGeometry().center());
      w.move(r.topLeft());
    }
  }
  w.show();
  w.raise();
  w.activateWindow();
  if (!modal || e.modalLoop) return;
  QEventLoop loop;
  e.modalLoop = &loop;
  if (w.isVisible()) loop.exec(QEventLoop::DialogExec);
  entries_[&form].modalLoop = nullptr;
}

void QtWindowHost::close(forms::Form& form) {
  form.Visible = false;
  auto it = entries_.find(&form);
  if (it == entries_.end()) return;
  if (it->second.window) it->second.window->hide();
  if (it->second.modalLoop) it->second.modalLoop->quit();
}

void QtWindowHost::quit() {
  // Leaves the loops that run now (a modal one included) and, when the main loop has not
  // started yet, the main loop as soon as it does.
  QCoreApplication::exit(0);
  QMetaObject::invokeMethod(
      qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

FormWindow* QtWindowHost::windowOf(const forms::Form& form) const {
  auto it = entries_.find(&form);
  return it == entries_.end() ? nullptr : it->second.window.get();
}

void QtWindowHost::setCloseHandler(const forms::Form& form, std::function<void()> handler) {
  entries_[&form].onClose = std::move(handler);
}

}  // namespace gui
