#pragma once
// A top-level window showing one form: its FormView as the central area and the form's menus
// as the menu bar. It opens at the form's designed size and scales the form when enlarged.
#include <QMainWindow>
#include <functional>

#include "forms/form.h"

namespace gui {

class FormView;

class FormWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit FormWindow(forms::Form& form, QWidget* parent = nullptr);
  ~FormWindow() override;

  forms::Form& form() const { return form_; }
  FormView& view() const { return *view_; }

  // Runs when the user asks to close the window (its close box, the keyboard): the program
  // decides what a close means. Without one the window simply hides.
  std::function<void()> onCloseRequested;

  // The window's size for the form at a scale (1 = 100 %).
  QSize sizeForScale(double factor) const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  forms::Form& form_;
  FormView* view_;
};

}  // namespace gui
