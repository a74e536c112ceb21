// The pole-pair dialog in windows of its own: a double click on a section box of the real
// main window opens it without blocking the main window, the user's choice of format and
// typing in it are taken, and OK writes back, recomputes and hides it.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "fakes/fake_services.h"
#include "gui/qtwindowhost.h"
#include "guitest.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/polepairdialog.h"
#include "mainwindow/startup.h"
#include "support/observedsequence.h"
#include "wiring/mainwindowwiring.h"

namespace {

struct ShownCustomDesign {
  fakes::FakeServices fake;
  gui::QtWindowHost host;
  std::unique_ptr<mainwindow::CalverdonForm> form;
  int passes = 0;

  ShownCustomDesign() {
    platform::Services services = fake.services();
    services.windows = &host;
    form = std::make_unique<mainwindow::CalverdonForm>(services);
    mainwindow::CalverdonForm& f = *form;
    mainwindow::SetStartDefaults(f, QLatin1Char('.'));
    wiring::WireMainWindow(f, {});
    f.Passband.SetText("Low-Pass");
    f.Text18.Text = "6";
    f.raise(f.Text18, forms::Event::Validate);
    f.TypeFilter.SetText("Custom Fn&Q");
    ObserveSequence(f).wrapPass([this](const ObservedSequence::Step& pass) {
      ++passes;
      return pass();
    });
    host.show(f, false);
    EXPECT_TRUE(QTest::qWaitForWindowActive(host.windowOf(f)));
  }
  ~ShownCustomDesign() {
    // The windows go before the forms they show.
    host.destroyWindows();
    form.reset();
  }

  gui::FormView& mainView() { return host.windowOf(*form)->view(); }
  gui::FormWindow* dialogWindow() {
    return form->PolePairEntry ? host.windowOf(*form->PolePairEntry) : nullptr;
  }
  template <class W>
  W* dialogWidget(const forms::Control& c) {
    return qobject_cast<W*>(dialogWindow()->view().widgetFor(c));
  }
  void typeInDialog(const forms::TextBox& box, const QString& text) {
    QLineEdit* e = dialogWidget<QLineEdit>(box);
    ASSERT_NE(e, nullptr);
    QTest::mouseClick(e, Qt::LeftButton);
    e->selectAll();
    QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Tab);
    QApplication::processEvents();
  }
};

TEST(PolePairWindow, OpensBesideTheMainWindowAndOkWritesTheSectionBack) {
  ShownCustomDesign s;
  mainwindow::CalverdonForm& f = *s.form;
  ASSERT_TRUE(f.FnInput[1].Visible);
  auto* fn = qobject_cast<QLineEdit*>(s.mainView().widgetFor(f.FnInput[1]));
  ASSERT_NE(fn, nullptr);
  QTest::mouseDClick(fn, Qt::LeftButton);
  QApplication::processEvents();

  gui::FormWindow* dialog = s.dialogWindow();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_NE(dialog, s.host.windowOf(f));
  EXPECT_EQ(dialog->windowTitle(), "Calverdon Custom Pole Entry");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(s.host.windowOf(f)->isEnabled());
  mainwindow::PolePairEntryForm& d = *f.PolePairEntry;
  EXPECT_EQ(s.dialogWidget<QLineEdit>(d.Text1)->text(), f.FnInput[1].Text);

  // The user picks "Pole Locations" and types a section of 2 kHz, Q 2.
  dialog->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
  QComboBox* format = s.dialogWidget<QComboBox>(d.DataType);
  ASSERT_NE(format, nullptr);
  format->setFocus(Qt::TabFocusReason);
  QTest::keyClick(format, Qt::Key_Up);
  QApplication::processEvents();
  EXPECT_EQ(d.DataType.Text(), "Pole Locations");
  s.typeInDialog(d.Text1, "4");
  s.typeInDialog(d.Text2, "1");
  EXPECT_EQ(d.Label9.Caption, "2.0000kHz");
  EXPECT_EQ(d.Label8.Caption, "2.0000");

  s.passes = 0;
  QTest::mouseClick(s.dialogWidget<QPushButton>(d.Command1), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(f.FnInput[1].Text, "2.0000kHz");
  EXPECT_EQ(f.QInput[1].Text, "2.0000");
  EXPECT_EQ(fn->text(), "2.0000kHz");
  EXPECT_EQ(s.passes, 1);
  EXPECT_TRUE(s.fake.messages.shown.empty());

  // Opened again: the same window with the format of last time.
  QTest::mouseDClick(fn, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(s.dialogWindow(), dialog);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(format->currentText(), "Pole Locations");

  // Enter in an entry presses OK, which takes the entry as typed.
  dialog->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
  QLineEdit* b0 = s.dialogWidget<QLineEdit>(d.Text1);
  QTest::mouseClick(b0, Qt::LeftButton);
  b0->selectAll();
  QTest::keyClicks(b0, "9");
  QTest::keyClick(b0, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(f.FnInput[1].Text, "3.0000kHz");
  EXPECT_EQ(f.QInput[1].Text, "3.0000");
}

}  // namespace
