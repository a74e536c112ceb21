// The form view: focus and validation, keys, the sync after events, lists, check boxes and
// option buttons, menus, scaling, painting and the mouse.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <array>
#include <stdexcept>
#include <gtest/gtest.h>

#include "gui/drawings.h"
#include "gui/qtmessages.h"
#include "guitest.h"
#include "support/bigform.h"

using forms::Event;
using guitest::Shown;

namespace {

// Puts the real focus in a widget by the keyboard's route and forgets what that logged.
void startIn(Shown& s, const forms::Control& c) {
  s.w(c)->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), s.w(c));
  s.form.log.clear();
}

}  // namespace

TEST(FormViewFocus, LeavingABoxValidatesOnceThenLosesFocusThenTheNextGetsIt) {
  Shown s;
  for (const char* n : {"Text1", "Text2", "Button"})
    s.form.logEvents(n, {Event::Change, Event::Validate, Event::LostFocus, Event::GotFocus,
                         Event::Click});
  QString validatedText;
  s.form.on("Text1", Event::Validate, [&](forms::EventArgs&) {
    s.form.log << "Text1.Validate";
    validatedText = s.form.Text1.Text;
  });
  startIn(s, s.form.Text1);

  QTest::keyClicks(s.w(s.form.Text1), "22");
  QTest::keyClick(s.w(s.form.Text1), Qt::Key_Tab);
  EXPECT_EQ(validatedText, "1k22");  // the typed text reached the model before Validate
  EXPECT_EQ(s.form.log, QStringList({"Text1.Change", "Text1.Change", "Text1.Validate",
                                     "Text1.LostFocus", "Text2.GotFocus"}));
  EXPECT_EQ(s.form.ActiveControl, &s.form.Text2);

  // A mouse click on a button: the box is validated before the button's Click.
  s.form.log.clear();
  QTest::mouseClick(s.w(s.form.Button), Qt::LeftButton);
  EXPECT_EQ(s.form.log, QStringList({"Text2.Validate", "Text2.LostFocus", "Button.GotFocus",
                                     "Button.Click"}));
}

TEST(FormViewFocus, CancelledValidationKeepsTheFocusAndSwallowsTheClick) {
  Shown s;
  for (const char* n : {"Text1", "Text2", "Button"})
    s.form.logEvents(n, {Event::LostFocus, Event::GotFocus, Event::Click});
  bool refuse = true;
  s.form.on("Text1", Event::Validate, [&](forms::EventArgs& a) {
    s.form.log << "Text1.Validate";
    a.Cancel = refuse;
  });
  startIn(s, s.form.Text1);

  QTest::keyClick(s.w(s.form.Text1), Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), s.w(s.form.Text1));
  QTest::mouseClick(s.w(s.form.Button), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), s.w(s.form.Text1));
  EXPECT_EQ(s.form.log, QStringList({"Text1.Validate", "Text1.Validate"}));

  // Once the box accepts, the focus moves on with the usual events.
  refuse = false;
  s.form.log.clear();
  QTest::keyClick(s.w(s.form.Text1), Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), s.w(s.form.Text2));
  EXPECT_EQ(s.form.log, QStringList({"Text1.Validate", "Text1.LostFocus", "Text2.GotFocus"}));
}

TEST(FormViewFocus, AMessageBoxInsideAHandlerValidatesNothingMore) {
  Shown s;
  gui::QtMessageService messages;
  for (const char* n : {"Text1", "Text2"})
    s.form.logEvents(n, {Event::Validate, Event::LostFocus, Event::GotFocus});
  int answer = 0;
  const auto complain = [&] {
    // The window becomes active again before the box's loop ends, as on a desktop.
    guitest::answerNextBox("OK", [&] { guitest::reactivate(s.window.get()); });
    answer = messages.show("Entry is not understood.", "Calverdon", platform::Buttons::Ok,
                           platform::Icon::Exclamation);
  };
  s.form.on("Text1", Event::Validate, [&](forms::EventArgs&) {
    s.form.log << "Text1.Validate";
    s.form.Text1.Text = "1.00 k";  // shown before the box opens
    complain();
  });
  startIn(s, s.form.Text1);

  // Leaving the box: its Validate shows the box; one Validate, then the usual order.
  QTest::keyClick(s.w(s.form.Text1), Qt::Key_Tab);
  guitest::reactivate(s.window.get());
  EXPECT_EQ(answer, platform::AnswerOk);
  EXPECT_EQ(s.form.log, QStringList({"Text1.Validate", "Text1.LostFocus", "Text2.GotFocus"}));
  EXPECT_EQ(QApplication::focusWidget(), s.w(s.form.Text2));
  EXPECT_EQ(s.as<QLineEdit>(s.form.Text1)->text(), "1.00 k");

  // Enter validates through the box's key handler: the box taking the focus and giving it
  // back is no focus move.
  s.form.on("Text2", Event::KeyDown, [&](forms::EventArgs& a) {
    if (a.KeyCode == forms::kKeyReturn) {
      s.form.log << "Text2.KeyDown";
      complain();
    }
  });
  s.form.log.clear();
  QTest::keyClick(s.w(s.form.Text2), Qt::Key_Return);
  guitest::reactivate(s.window.get());
  EXPECT_EQ(s.form.log, QStringList({"Text2.KeyDown"}));
  EXPECT_EQ(QApplication::focusWidget(), s.w(s.form.Text2));
}

TEST(FormViewFocus, CodeMovesTheRealFocusWithoutEvents) {
  Shown s;
  for (const char* n : {"Text1", "Text2"})
    s.form.logEvents(n, {Event::Validate, Event::LostFocus, Event::GotFocus});
  startIn(s, s.form.Text1);
  s.form.Text2.Visible = false;
  s.form.on("Button", Event::Click, [&](forms::EventArgs&) {
    s.form.Text2.Visible = true;  // made visible by the same handler
    s.form.SetFocus(s.form.Text2);
  });
  s.view().raiseFromUser(s.form.Button, Event::Click);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), s.w(s.form.Text2));
  EXPECT_EQ(s.form.ActiveControl, &s.form.Text2);
  EXPECT_TRUE(s.form.log.isEmpty()) << s.form.log.join(' ').toStdString();
  // The next move by the user starts from there.
  QTest::keyClick(s.w(s.form.Text2), Qt::Key_Backtab);
  EXPECT_EQ(s.form.log, QStringList({"Text2.Validate", "Text2.LostFocus", "Text1.GotFocus"}));
}

TEST(FormViewKeys, EnterRaisesKeyDownAndKeyPress13AndHandlersCanSwallowOrReplaceKeys) {
  Shown s;
  QList<int> codes, asciis;
  s.form.on("Text1", Event::KeyDown, [&](forms::EventArgs& a) { codes << a.KeyCode; });
  s.form.on("Text1", Event::KeyPress, [&](forms::EventArgs& a) {
    asciis << a.KeyAscii;
    if (a.KeyAscii == 'x') a.KeyAscii = 0;
    if (a.KeyAscii == ',') a.KeyAscii = '.';
  });
  startIn(s, s.form.Text1);
  QTest::keyClick(s.w(s.form.Text1), Qt::Key_Return);
  EXPECT_EQ(codes, QList<int>({13}));
  EXPECT_EQ(asciis, QList<int>({13}));

  s.form.Text1.Text.clear();
  s.view().sync();
  QTest::keyClicks(s.w(s.form.Text1), "1x,5");
  EXPECT_EQ(s.form.Text1.Text, "1.5");
  EXPECT_EQ(s.as<QLineEdit>(s.form.Text1)->text(), "1.5");
  EXPECT_EQ(codes.mid(1), QList<int>({'1', 'X', '5'}));  // no key code for the comma
}

TEST(FormViewSync, AHandlersChangesReachTheWidgetsAfterTheEventWithoutNewEvents) {
  Shown s;
  int listClicks = 0, checkClicks = 0;
  s.form.on("List", Event::Click, [&](forms::EventArgs&) { ++listClicks; });
  s.form.on("Check", Event::Click, [&](forms::EventArgs&) { ++checkClicks; });
  QString textDuringHandler;
  s.form.on("Button", Event::Click, [&](forms::EventArgs&) {
    s.form.Text2.Text = "done";
    textDuringHandler = s.as<QLineEdit>(s.form.Text2)->text();
    s.form.Note.Caption = "R&&D &notes";
    s.form.Note.BackColor = forms::kRed;
    s.form.Text1.Enabled = false;
    s.form.Check.Visible = false;
    s.form.List.SetListIndex(2);  // runs the list's Click once, through the model
    s.form.Edit.SetText("E48");
    s.form.List.AddItem("Wide Band-Pass");
    s.form.Frame1.Caption = "Topology";
    s.form.Frame1.Visible = false;
  });
  s.view().raiseFromUser(s.form.Button, Event::Click);

  EXPECT_EQ(textDuringHandler, "");
  EXPECT_EQ(s.as<QLineEdit>(s.form.Text2)->text(), "done");
  EXPECT_EQ(s.as<QLabel>(s.form.Note)->text(), "R&D notes");
  EXPECT_EQ(s.w(s.form.Note)->palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_FALSE(s.w(s.form.Text1)->isEnabled());
  EXPECT_TRUE(s.w(s.form.Check)->isHidden());
  auto* list = s.as<QComboBox>(s.form.List);
  EXPECT_EQ(list->currentIndex(), 2);
  EXPECT_EQ(list->count(), 5);
  EXPECT_EQ(s.as<QComboBox>(s.form.Edit)->currentText(), "E48");
  EXPECT_EQ(listClicks, 1);
  EXPECT_EQ(checkClicks, 0);
  EXPECT_EQ(qobject_cast<QGroupBox*>(s.w(s.form.Frame1))->title(), "Topology");
  // A control in a hidden frame is not shown, but its own Visible stays as it was.
  EXPECT_FALSE(s.w(s.form.OptA)->isVisible());
  EXPECT_TRUE(s.form.OptA.Visible);

  // The same sync again changes nothing and raises nothing.
  s.view().sync();
  EXPECT_EQ(listClicks, 1);
}

TEST(FormViewSync, ASyncRequestShowsTheStateSoFarAndThePointerFollowsAtOnce) {
  Shown s;
  QString seen;
  Qt::CursorShape during = Qt::ArrowCursor;
  s.form.on("Button", Event::Click, [&](forms::EventArgs&) {
    s.form.SetMousePointer(forms::kPointerHourglass);
    during = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                            : Qt::ArrowCursor;
    s.form.Text2.Text = "half-way";
    s.form.requestSync();
    seen = s.as<QLineEdit>(s.form.Text2)->text();
    s.form.SetMousePointer(forms::kPointerDefault);
  });
  s.view().raiseFromUser(s.form.Button, Event::Click);
  EXPECT_EQ(seen, "half-way");
  EXPECT_EQ(during, Qt::WaitCursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(FormViewLists, UserChoicesWriteTheModelAndRaiseOneEvent) {
  Shown s;
  s.form.logEvents("List", {Event::Click, Event::Change});
  s.form.logEvents("Edit", {Event::Click, Event::Change});
  startIn(s, s.form.List);
  QTest::keyClick(s.w(s.form.List), Qt::Key_Down);
  EXPECT_EQ(s.form.List.ListIndex(), 1);
  EXPECT_EQ(s.form.List.Text(), "High-Pass");
  EXPECT_EQ(s.form.log, QStringList({"List.Click"}));

  // Typing into an editable list: Change with the typed text, no completion, no new entry.
  s.form.log.clear();
  startIn(s, s.form.Edit);
  QTest::keyClicks(s.w(s.form.Edit), "E9");
  EXPECT_EQ(s.form.Edit.Text(), "E9");
  EXPECT_EQ(s.form.Edit.ListIndex(), -1);
  QTest::keyClick(s.w(s.form.Edit), Qt::Key_6);
  EXPECT_EQ(s.form.Edit.ListIndex(), 2);
  QTest::keyClick(s.w(s.form.Edit), Qt::Key_Return);
  EXPECT_EQ(s.as<QComboBox>(s.form.Edit)->count(), 3);
  EXPECT_EQ(s.form.log, QStringList({"Edit.Change", "Edit.Change", "Edit.Change"}));
}

TEST(FormViewButtons, CheckAndOptionClicksFollowTheModel) {
  Shown s;
  s.form.logEvents("Check", {Event::Click});
  s.form.logEvents("OptB", {Event::Click});
  s.form.logEvents("OptC", {Event::Click});
  bool refuseCheck = false;
  s.form.on("Check", Event::Click, [&](forms::EventArgs&) {
    s.form.log << "Check.Click";
    if (refuseCheck) s.form.Check.SetValue(0);  // the handler puts it back
  });
  QList<int> valueAtMouseUp;
  s.form.on("Check", Event::MouseUp, [&](forms::EventArgs&) {
    s.form.log << "Check.MouseUp";
    valueAtMouseUp << s.form.Check.Value();
  });
  auto* check = s.as<QCheckBox>(s.form.Check);
  // Anywhere on the control counts, also right of its caption.
  QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(check->width() - 3, check->height() / 2));
  EXPECT_EQ(s.form.Check.Value(), 1);
  // The box has changed when its MouseUp runs.
  EXPECT_EQ(s.form.log, QStringList({"Check.Click", "Check.MouseUp"}));
  EXPECT_EQ(valueAtMouseUp, QList<int>({1}));
  EXPECT_TRUE(check->isChecked());
  refuseCheck = true;
  QTest::mouseClick(check, Qt::LeftButton);  // unchecks, the handler leaves it unchecked
  QTest::mouseClick(check, Qt::LeftButton);  // checks, the handler unchecks again
  EXPECT_EQ(s.form.Check.Value(), 0);
  EXPECT_FALSE(check->isChecked());

  // Option buttons are exclusive within their container only.
  s.form.log.clear();
  QTest::mouseClick(s.w(s.form.OptB), Qt::LeftButton);
  EXPECT_TRUE(s.form.OptB.Value());
  EXPECT_FALSE(s.form.OptA.Value());
  EXPECT_FALSE(s.as<QRadioButton>(s.form.OptA)->isChecked());
  EXPECT_TRUE(s.form.OptC.Value());
  EXPECT_TRUE(s.as<QRadioButton>(s.form.OptC)->isChecked());
  QTest::mouseClick(s.w(s.form.OptB), Qt::LeftButton);  // already chosen: stays, no Click
  EXPECT_TRUE(s.as<QRadioButton>(s.form.OptB)->isChecked());
  EXPECT_EQ(s.form.log, QStringList({"OptB.Click"}));
}

TEST(FormViewMenus, MenuItemsFollowTheModelAndACheckableItemTogglesOnce) {
  Shown s;
  int opened = 0;
  s.form.on("mnuView", Event::Click, [&](forms::EventArgs&) {
    ++opened;
    s.form.mnuShowGain.Enabled = true;
  });
  bool toggles = true;
  s.form.mnuShowGain.Checked = true;
  s.form.on("mnuShowGain", Event::Click, [&](forms::EventArgs&) {
    if (toggles) s.form.mnuShowGain.Checked = !s.form.mnuShowGain.Checked;
  });
  s.view().sync();
  QAction* gain = s.view().actionFor(s.form.mnuShowGain);
  ASSERT_NE(gain, nullptr);
  EXPECT_EQ(gain->text(), "Show &gain");
  EXPECT_EQ(gain->shortcut(), QKeySequence("Ctrl+G"));
  EXPECT_TRUE(s.view().actionFor(s.form.mnuSep)->isSeparator());
  EXPECT_FALSE(s.view().actionFor(s.form.mnuSpare)->isVisible());
  ASSERT_NE(s.window->menuBar(), nullptr);
  EXPECT_EQ(s.window->menuBar()->actions().size(), 1);

  gain->trigger();
  EXPECT_FALSE(s.form.mnuShowGain.Checked);
  EXPECT_FALSE(gain->isChecked());
  gain->trigger();
  EXPECT_TRUE(s.form.mnuShowGain.Checked);
  EXPECT_TRUE(gain->isChecked());
  toggles = false;  // a handler that leaves Checked alone: the mark stays as the model has it
  gain->trigger();
  EXPECT_TRUE(gain->isChecked());

  // The shortcut reaches the item through the window.
  toggles = true;
  QTest::keyClick(s.window.get(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_FALSE(s.form.mnuShowGain.Checked);

  // Opening the menu runs its Click first.
  QMenu* view = s.view().actionFor(s.form.mnuView)->menu();
  ASSERT_NE(view, nullptr);
  emit view->aboutToShow();
  EXPECT_EQ(opened, 1);
}

TEST(FormViewScale, EnlargingTheWindowScalesPositionsSizesAndFonts) {
  Shown s;
  EXPECT_EQ(s.view().size(), QSize(400, 300));
  EXPECT_EQ(s.w(s.form.Text1)->geometry(), QRect(8, 8, 80, 19));
  EXPECT_EQ(s.w(s.form.OptB)->geometry(), QRect(8, 40, 120, 17));  // relative to its frame
  EXPECT_EQ(s.w(s.form.Text1)->font().pixelSize(), 11);

  auto* text1 = s.as<QLineEdit>(s.form.Text1);
  text1->setCursorPosition(1);
  s.window->resize(s.window->sizeForScale(2));
  QApplication::processEvents();
  EXPECT_DOUBLE_EQ(s.view().scaleFactor(), 2);
  EXPECT_EQ(text1->cursorPosition(), 1);  // rescaling rewrites no text
  EXPECT_EQ(s.w(s.form.Text1)->geometry(), QRect(16, 16, 160, 38));
  EXPECT_EQ(s.w(s.form.OptB)->geometry(), QRect(16, 80, 240, 34));
  EXPECT_EQ(s.w(s.form.Text1)->font().pixelSize(), 22);

  // A wider window keeps the proportions and centres the form across it.
  s.view().resize(1000, 300);
  EXPECT_DOUBLE_EQ(s.view().scaleFactor(), 1);
  EXPECT_EQ(s.w(s.form.Text1)->geometry(), QRect(308, 8, 80, 19));

  // Code changing the form's height resizes the window at the present scale.
  s.window->resize(s.window->sizeForScale(1));
  QApplication::processEvents();
  s.form.Height = 6000;
  s.view().sync();
  QApplication::processEvents();
  EXPECT_EQ(s.view().size(), QSize(400, 400));
}

TEST(FormViewPaint, PictureBoxesAndImagesPaintInTheModelsColours) {
  Shown s;
  gui::drawings().add("TestBlock", [](QPainter& p, const QRectF& r) {
    p.fillRect(r.adjusted(10, 10, -10, -10), QColor(0, 0, 255));
  });
  s.form.Graph.BorderStyle = 0;
  s.form.Graph.DrawWidth = 1;
  s.form.Graph.DrawLine(0, 600, 3000, 600, forms::kRed);      // 0x0000FF is red
  s.form.Graph.DrawLine(750, 0, 750, 1500, forms::kGreen);    // 0x00C000 is green
  s.form.Graph.CurrentX = 1500;
  s.form.Graph.CurrentY = 900;
  s.form.Graph.ForeColor = forms::kBlue;
  s.form.Graph.Print("100 Hz");
  s.form.Schematic.Picture = "TestBlock";
  s.view().sync();
  QApplication::processEvents();

  const QImage graph = s.w(s.form.Graph)->grab().toImage();
  EXPECT_EQ(graph.pixelColor(20, 40), QColor(255, 0, 0));
  EXPECT_EQ(graph.pixelColor(50, 80), QColor(0, 0xC0, 0));
  EXPECT_EQ(graph.pixelColor(150, 10), QColor(255, 255, 255));
  bool blueText = false;
  for (int y = 60; y < 75; ++y)
    for (int x = 100; x < 140; ++x) blueText |= graph.pixelColor(x, y).blue() > 200 &&
                                                  graph.pixelColor(x, y).red() < 100;
  EXPECT_TRUE(blueText);

  const QImage schematic = s.w(s.form.Schematic)->grab().toImage();
  EXPECT_EQ(schematic.pixelColor(50, 40), QColor(0, 0, 255));
  // An unknown picture paints nothing: the form shows through.
  s.form.Schematic.Picture = "NoSuchDrawing";
  s.form.BackColor = forms::rgb(0xE0, 0xE0, 0xE0);
  s.view().sync();
  const QImage form = s.view().grab().toImage();
  EXPECT_EQ(form.pixelColor(220 + 50, 146 + 40), QColor(0xE0, 0xE0, 0xE0));

  // System colours resolve from the palette.
  s.form.Graph.BackColor = forms::kSysButtonFace;
  s.view().sync();
  EXPECT_EQ(s.w(s.form.Graph)->grab().toImage().pixelColor(150, 10),
            QApplication::palette().color(QPalette::Button));
}

TEST(FormViewMouse, MouseEventsCarryTwipsAndClicksGoToWhatWasClicked) {
  Shown s;
  QList<QPointF> downs;
  s.form.on("Graph", Event::MouseDown, [&](forms::EventArgs& a) {
    downs << QPointF(a.X, a.Y);
    s.form.log << "Graph.MouseDown";
  });
  s.form.logEvents("Graph", {Event::MouseUp, Event::Click, Event::DblClick});
  s.form.logEvents("Note", {Event::Click});
  s.form.logEvents("Frame1", {Event::Click});
  s.form.logEvents("Text1", {Event::DblClick});
  s.form.logEvents("TestForm", {Event::Click});

  QTest::mouseClick(s.w(s.form.Graph), Qt::LeftButton, {}, QPoint(10, 20));
  EXPECT_EQ(s.form.log, QStringList({"Graph.MouseDown", "Graph.MouseUp", "Graph.Click"}));
  s.window->resize(s.window->sizeForScale(2));
  QApplication::processEvents();
  QTest::mouseClick(s.w(s.form.Graph), Qt::LeftButton, {}, QPoint(20, 40));
  EXPECT_EQ(downs, QList<QPointF>({QPointF(150, 300), QPointF(150, 300)}));

  // A double click as Qt delivers it: press, release, double-click press, release.
  s.form.log.clear();
  QWidget* graph = s.w(s.form.Graph);
  QTest::mousePress(graph, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(graph, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseDClick(graph, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(graph, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(s.form.log, QStringList({"Graph.MouseDown", "Graph.MouseUp", "Graph.Click",
                                     "Graph.DblClick", "Graph.MouseUp"}));

  s.form.log.clear();
  QTest::mouseClick(s.w(s.form.Note), Qt::LeftButton);
  QTest::mouseClick(s.w(s.form.Frame1), Qt::LeftButton, {}, QPoint(200, 150));
  QTest::mouseClick(&s.view(), Qt::LeftButton, {}, QPoint(790, 20));
  QTest::mouseDClick(s.w(s.form.Text1), Qt::LeftButton);
  EXPECT_EQ(s.form.log,
            QStringList({"Note.Click", "Frame1.Click", "TestForm.Click", "Text1.DblClick"}));
}

TEST(FormViewSync, SyncsOfAWindowWithSixHundredControlsKeepTheWidgetsAndShowTheChanges) {
  SixHundredControls big;
  gui::FormView view(big);
  QWidget* first = view.widgetFor(big.labels[0]);
  // One caption changes between syncs (its cost is measured by bench_formviewsync).
  for (int r = 0; r < 50; ++r) {
    big.labels[r].Caption = QString::number(r);
    view.sync();
  }
  EXPECT_EQ(view.widgetFor(big.labels[0]), first);  // widgets are kept, never rebuilt
  EXPECT_EQ(qobject_cast<QLabel*>(view.widgetFor(big.labels[49]))->text(), "49");
}

TEST(FormViewKinds, GridsAndMultiLineBoxesShowTheModelAndReportTheUser) {
  struct Parts : forms::Form {
    forms::Grid PartGrid;
    forms::TextBox Notes;
    Parts() : Form("Parts") {
      Width = 6000;
      Height = 3000;
      place(PartGrid, "PartGrid", nullptr, 0, 0, 6000, 1800).tab(0);
      place(Notes, "Notes", nullptr, 0, 1900, 6000, 900).tab(1);
      Notes.MultiLine = true;
      PartGrid.Columns = {"Part", "GBW"};
      PartGrid.Rows = {{"OPA1", "10M"}, {"OPA2", "3M"}};
      Notes.Text = "line 1\r\nline 2";
    }
  } f;
  QList<int> clicked;
  f.on("PartGrid", Event::Click, [&](forms::EventArgs&) { clicked << f.PartGrid.Row; });
  int changes = 0;
  f.on("Notes", Event::Change, [&](forms::EventArgs&) { ++changes; });
  gui::FormWindow window(f);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto* grid = qobject_cast<QTableWidget*>(window.view().widgetFor(f.PartGrid));
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->rowCount(), 2);
  EXPECT_EQ(grid->item(1, 1)->text(), "3M");
  const QRect cell = grid->visualItemRect(grid->item(1, 0));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(clicked, QList<int>({1}));

  f.PartGrid.Rows.push_back({"OPA3", "1M"});
  f.PartGrid.Row = 2;
  window.view().sync();
  EXPECT_EQ(grid->rowCount(), 3);
  EXPECT_EQ(grid->currentRow(), 2);

  auto* notes = qobject_cast<QPlainTextEdit*>(window.view().widgetFor(f.Notes));
  ASSERT_NE(notes, nullptr);
  EXPECT_EQ(notes->toPlainText(), "line 1\nline 2");
  notes->setFocus();
  notes->moveCursor(QTextCursor::End);
  QTest::keyClicks(notes, "!");
  EXPECT_EQ(f.Notes.Text, "line 1\r\nline 2!");
  EXPECT_EQ(changes, 1);
}

TEST(FormViewEvents, AFailingHandlerLeavesTheWindowUpToDateAndUsable) {
  Shown s;
  s.form.on("Button", Event::Click, [&](forms::EventArgs&) {
    s.form.Text2.Text = "before the failure";
    throw std::runtime_error("no result");
  });
  QTest::mouseClick(s.w(s.form.Button), Qt::LeftButton);
  EXPECT_EQ(s.form.eventDepth(), 0);
  EXPECT_EQ(s.as<QLineEdit>(s.form.Text2)->text(), "before the failure");
  int clicks = 0;
  s.form.on("Button", Event::Click, [&](forms::EventArgs&) { ++clicks; });
  QTest::mouseClick(s.w(s.form.Button), Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
}
