// The real main window in the view: every control gets its widget, the widgets show the
// model after a full recompute and after an entry, and a picture of it is written for people
// to look at (/tmp/mainwindow.png).
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <gtest/gtest.h>

#include "designview/sequence.h"
#include "fakes/fake_services.h"
#include "gui/screenshot.h"
#include "guitest.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/handlers.h"
#include "mainwindow/startup.h"

namespace {

// Every text box, label and list shows exactly what the model holds; the first mismatch.
QString firstMismatch(gui::FormView& view) {
  for (forms::Control* c : view.form().controls()) {
    QWidget* w = view.widgetFor(*c);
    if (c->kind == forms::ControlKind::MenuItem) continue;
    if (!w) return c->displayName() + " has no widget";
    if (w->isHidden() == c->Visible) return c->displayName() + " visibility";
    if (c->kind == forms::ControlKind::TextBox) {
      auto* e = qobject_cast<QLineEdit*>(w);
      if (e && e->text() != static_cast<forms::TextBox*>(c)->Text) return c->displayName();
    } else if (c->kind == forms::ControlKind::Label) {
      const QString caption = static_cast<forms::Label*>(c)->Caption;
      if (qobject_cast<QLabel*>(w)->text() != caption && !caption.contains('&'))
        return c->displayName();
    } else if (c->kind == forms::ControlKind::ComboBox) {
      auto* list = static_cast<forms::ComboBox*>(c);
      auto* q = qobject_cast<QComboBox*>(w);
      if (q->count() != list->ListCount() || q->currentIndex() != list->ListIndex())
        return c->displayName();
    }
  }
  return {};
}

}  // namespace

TEST(MainWindowView, TheMainWindowShowsItsModelBeforeAndAfterAnEntry) {
  fakes::FakeServices fake;
  mainwindow::CalverdonForm f(fake.services());
  designview::install(f);
  mainwindow::SetStartDefaults(f, QLatin1Char('.'));
  mainwindow::RegisterHandlers(f);
  f.SequenceUpdateScreen();

  gui::FormWindow window(f);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  gui::FormView& view = window.view();
  EXPECT_EQ(view.designSize(), QSize(1002, 592));
  EXPECT_EQ(window.menuBar()->actions().size(), 4);
  EXPECT_EQ(firstMismatch(view), "");

  // An entry typed by the user and left with the Tab key: the validated text is shown.
  auto* box = qobject_cast<QLineEdit*>(view.widgetFor(f.Text34));
  ASSERT_NE(box, nullptr);
  box->setFocus(Qt::MouseFocusReason);
  box->selectAll();
  QTest::keyClicks(box, "2500");
  QTest::keyClick(box, Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_NE(f.Text34.Text, "2500");  // rewritten by its validation
  EXPECT_EQ(box->text(), f.Text34.Text);
  EXPECT_EQ(firstMismatch(view), "");

  EXPECT_TRUE(gui::saveFormPng(f, "/tmp/mainwindow.png"));
}
