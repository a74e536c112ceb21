#pragma once
// Shared pieces of the widget tests: a small form with one control of each common kind and an
// event log, and a window showing it.
#include <QApplication>
#include <QStringList>
#include <QTest>
#include <functional>
#include <memory>
#include <ostream>

#include "forms/form.h"
#include "gui/formview.h"
#include "gui/formwindow.h"

// Readable values in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
  *os << '{' << l.join(QStringLiteral(", ")).toStdString() << '}';
}
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << 'x' << s.height(); }
inline void PrintTo(const QRect& r, std::ostream* os) {
  *os << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
}
inline void PrintTo(const QColor& c, std::ostream* os) { *os << c.name().toStdString(); }

namespace guitest {

QString eventName(forms::Event ev);

struct TestForm : forms::Form {
  forms::TextBox Text1, Text2;
  forms::ComboBox List, Edit;
  forms::CheckBox Check;
  forms::CommandButton Button;
  forms::Label Note;
  forms::Frame Frame1;
  forms::OptionButton OptA, OptB, OptC;
  forms::PictureBox Graph;
  forms::Image Schematic;
  forms::MenuItem mnuView, mnuShowGain, mnuSep, mnuSpare;

  QStringList log;

  TestForm();
  // Logs every listed event of a control as "Name.Event".
  void logEvents(const QString& name, std::initializer_list<forms::Event> events);
};

// The test form in a shown, active window.
struct Shown {
  TestForm form;
  std::unique_ptr<gui::FormWindow> window;
  Shown();
  gui::FormView& view() { return window->view(); }
  QWidget* w(const forms::Control& c) { return view().widgetFor(c); }
  template <class T>
  T* as(const forms::Control& c) {
    return qobject_cast<T*>(w(c));
  }
};

// The first text box or label of a form whose text holds "inf" or "nan" as a word, as
// "Name = text"; empty when there is none.
QString firstNonNumber(const forms::Form& form);

// Closes the next modal box that opens by clicking its button with the given text
// (or its escape button when the text is empty), then runs after while the box's own loop
// is still running (as a window manager's activation of the window below arrives).
void answerNextBox(const QString& buttonText, std::function<void()> after = {});
// The window manager's part when a box has gone: the window below becomes active again.
void reactivate(QWidget* window);

}  // namespace guitest
