// Closing the main window as the window manager asks for it: a changed design is offered for
// saving in a real message box first, and the caption marks it.
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "designfiles/filecommands.h"
#include "guitest.h"
#include "gui/qtmessages.h"
#include "gui/qtwindowhost.h"
#include "shownmainwindow.h"

TEST(MainWindowClose, AChangedDesignAsksBeforeTheWindowClosesAndCancelKeepsIt) {
  RealMainWindow x;
  auto& f = x.f;
  gui::QtMessageService messages;
  f.svc.messages = &messages;
  designfiles::LoadNoDefaultFile(f);

  // The window the program shows, closed the way main() wires it.
  gui::QtWindowHost host;
  host.setCloseHandler(f, [&f] { designfiles::CloseProgram(f); });
  host.show(f, false);
  gui::FormWindow* window = host.windowOf(f);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Marquenta Calverdon[*]"));
  EXPECT_FALSE(window->isWindowModified());

  // Unchanged: the program ends at once, with no question.
  window->close();
  EXPECT_EQ(x.fake.windows.quits, 1);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  // The cutoff typed and entered: the caption marks the design.
  auto* edit = qobject_cast<QLineEdit*>(window->view().widgetFor(f.Text34));
  ASSERT_NE(edit, nullptr);
  QTest::mouseClick(edit, Qt::LeftButton);
  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("700"));
  QTest::keyClick(edit, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_TRUE(f.Modified);
  EXPECT_TRUE(window->isWindowModified());

  // Cancel (and Escape) keep the window and the design; Discard ends the program.
  for (const char* press : {"Cancel", ""}) {
    guitest::answerNextBox(QString::fromLatin1(press));
    window->close();
    EXPECT_EQ(x.fake.windows.quits, 1) << press;
    EXPECT_TRUE(window->isVisible()) << press;
    EXPECT_EQ(f.Text34.Text, QStringLiteral("700")) << press;
    EXPECT_TRUE(window->isWindowModified()) << press;
  }
  guitest::answerNextBox(QStringLiteral("Discard"));
  window->close();
  EXPECT_EQ(x.fake.windows.quits, 2);
}
