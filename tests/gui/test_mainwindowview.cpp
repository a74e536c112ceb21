// The real main window in the view: every control gets its widget, the widgets show the
// model after a full recompute and after an entry, and a picture of it is written for people
// to look at (/tmp/mainwindow.png); its menus' separators, and the Tab key's way through the
// controls of every pass band.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <map>
#include <set>
#include <gtest/gtest.h>

#include "fakes/fake_services.h"
#include "gui/screenshot.h"
#include "guitest.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/startup.h"
#include "shownmainwindow.h"
#include "wiring/mainwindowwiring.h"

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
  mainwindow::SetStartDefaults(f, QLatin1Char('.'));
  wiring::WireMainWindow(f, {});
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

namespace {

// Every action of a menu and of the menus below it.
void collectActions(const QList<QAction*>& actions, std::vector<QAction*>& out) {
  for (QAction* a : actions) {
    out.push_back(a);
    if (a->menu()) collectActions(a->menu()->actions(), out);
  }
}

// Why a widget could not be seen or used: hidden, disabled, or wholly outside the area of one
// of the frames or pictures it sits in (measured on the widgets themselves); empty when none.
QString unseenReason(QWidget* w, QWidget* top) {
  if (!w->isVisible()) return "hidden";
  if (!w->isEnabled()) return "disabled";
  QRect shown = w->rect();
  for (QWidget* at = w; at != top && at->parentWidget(); at = at->parentWidget()) {
    shown.translate(at->pos());
    shown &= at->parentWidget()->rect();
    if (shown.isEmpty()) return "outside its frame";
  }
  return {};
}

}  // namespace

TEST(MainWindowView, MenuSeparatorsAreLinesWithoutText) {
  ShownMainWindow s;
  std::vector<QAction*> actions;
  collectActions(s.window->menuBar()->actions(), actions);
  int separators = 0;
  for (QAction* a : actions) {
    if (!a->isSeparator()) continue;
    ++separators;
    EXPECT_EQ(a->text(), "");
  }
  EXPECT_GT(separators, 0);
}

// From every box of each pass band, the Tab key goes to a control a user can see and use; one
// round of the Tab key visits only such controls and reaches every box, list and button of them.
TEST(MainWindowView, TabVisitsOnlyVisibleEnabledControlsInsideTheirFrames) {
  ShownMainWindow s;
  gui::FormView& view = s.window->view();
  std::map<QWidget*, forms::Control*> controlOf;
  for (forms::Control* c : s.f.controls())
    if (QWidget* w = view.widgetFor(*c)) controlOf[w] = c;
  // The control whose widget holds the focus (a list's line edit holds it for its list).
  const auto focused = [&]() -> QWidget* {
    QWidget* w = QApplication::focusWidget();
    while (w && !controlOf.count(w)) w = w->parentWidget();
    return w;
  };
  const auto name = [&](QWidget* w) {
    return w ? controlOf[w]->displayName().toStdString() : std::string("nothing");
  };
  for (const char* band :
       {"Low-Pass", "High-Pass", "Band-Pass", "Notch", "Wide Band-Pass", "Band-Reject"}) {
    s.f.Passband.SetText(band);
    view.sync();
    QApplication::processEvents();
    // The boxes, lists and buttons a user can see and use (entering some of them changes
    // which others are in use, so they are counted again after the round).
    const auto usable = [&](bool boxesOnly) {
      std::vector<QWidget*> found;
      for (auto [w, c] : controlOf) {
        if (!c->TabStop || !unseenReason(w, &view).isEmpty()) continue;
        using K = forms::ControlKind;
        if (c->kind == K::TextBox ||
            (!boxesOnly && (c->kind == K::ComboBox || c->kind == K::CommandButton)))
          found.push_back(w);
      }
      return found;
    };
    const std::vector<QWidget*> boxes = usable(true);
    ASSERT_FALSE(boxes.empty()) << band;

    for (QWidget* box : boxes) {
      box->setFocus(Qt::TabFocusReason);
      QApplication::processEvents();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QApplication::processEvents();
      QWidget* next = focused();
      ASSERT_NE(next, nullptr) << band << " from " << name(box);
      EXPECT_EQ(unseenReason(next, &view), "") << band << " " << name(box) << " -> " << name(next);
    }

    QWidget* start = boxes.front();
    start->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    std::set<QWidget*> visited;
    for (size_t step = 0; step <= controlOf.size(); ++step) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QApplication::processEvents();
      QWidget* now = focused();
      ASSERT_NE(now, nullptr) << band;
      ASSERT_EQ(unseenReason(now, &view), "") << band << " -> " << name(now);
      visited.insert(now);
      if (now == start) break;
    }
    for (QWidget* w : usable(false))
      EXPECT_TRUE(visited.count(w)) << band << " never reaches " << name(w);
  }
}
