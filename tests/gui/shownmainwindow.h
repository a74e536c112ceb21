#pragma once
// The main window in the widget tests: wired as the program wires it (without simulators) on
// fake services, and that window after a first recompute, shown and active, counting sequences.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "fakes/fake_services.h"
#include "gui/formview.h"
#include "gui/formwindow.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/startup.h"
#include "support/observedsequence.h"
#include "wiring/mainwindowwiring.h"

// The main window wired as the program wires it, without simulators, on fake services.
struct RealMainWindow {
  fakes::FakeServices fake;
  mainwindow::CalverdonForm f{fake.services()};

  explicit RealMainWindow(QChar sep = QLatin1Char('.')) {
    mainwindow::SetStartDefaults(f, sep);
    wiring::WireMainWindow(f, {});
  }
};

struct ShownMainWindow : RealMainWindow {
  std::unique_ptr<gui::FormWindow> window;
  int sequences = 0;

  ShownMainWindow() {
    f.SequenceUpdateScreen();
    ObserveSequence(f).wrapSequence([this](const ObservedSequence::Step& sequence) {
      ++sequences;
      return sequence();
    });
    window = std::make_unique<gui::FormWindow>(f);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  QWidget* widget(const forms::Control& c) { return window->view().widgetFor(c); }
  QLineEdit* edit(const forms::TextBox& box) { return qobject_cast<QLineEdit*>(widget(box)); }
  // Clicks into a box, replaces its text by typing, and ends with a key.
  void type(const forms::TextBox& box, const QString& text, Qt::Key end) {
    QLineEdit* e = edit(box);
    ASSERT_NE(e, nullptr) << box.Name.toStdString();
    ASSERT_TRUE(e->isEnabled()) << box.Name.toStdString();
    QTest::mouseClick(e, Qt::LeftButton);
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, text);
    QTest::keyClick(e, end);
    QApplication::processEvents();
  }
};
