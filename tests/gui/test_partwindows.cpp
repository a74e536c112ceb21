// The part list and the amplifier record window in the view: the grids show their columns,
// a heading click sorts, and typing reaches only the row being edited. Pictures of both are
// written for people to look at (/tmp/partlist.png, /tmp/amplifierrecords.png).
#include <QComboBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "fakes/fake_services.h"
#include "gui/screenshot.h"
#include "guitest.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/startup.h"
#include "parts/amplifierwindow.h"
#include "parts/partlist.h"
#include "parts/sqliterecords.h"

TEST(PartWindowsView, ThePartListShowsThePartNumbersAndAnEmptyGrid) {
  fakes::FakeServices fake;
  fake.paths.program = QStringLiteral(CALVERDON_RESOURCES);
  mainwindow::CalverdonForm f(fake.services());
  mainwindow::SetStartDefaults(f, QLatin1Char('.'));
  parts::ShowPartList_Click(f);
  parts::PartList& list = parts::PartListWindow();
  gui::FormWindow window(list);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto* combo = qobject_cast<QComboBox*>(window.view().widgetFor(list.OpAmpSelection));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->count(), 14);
  auto* grid = qobject_cast<QTableWidget*>(window.view().widgetFor(list.DBGrid1));
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->columnCount(), 7);
  EXPECT_EQ(grid->horizontalHeaderItem(4)->text(), "Part #");
  EXPECT_EQ(grid->rowCount(), 0);
  EXPECT_TRUE(gui::saveFormPng(list, "/tmp/partlist.png"));
}

TEST(PartWindowsView, TheRecordGridSortsOnAHeadingAndTakesTypingInTheEditedRowOnly) {
  QTemporaryDir dir;
  QString error;
  auto store = parts::SqliteAmplifierRecords::Open(
      dir.filePath("a.sqlite"), QStringLiteral(CALVERDON_RESOURCES "/amplifiers.tsv"), error);
  ASSERT_TRUE(store) << error.toStdString();
  fakes::FakeMessages messages;
  parts::AmplifierRecordWindow w;
  parts::RecordWindowCaller caller;
  caller.records = store.get();
  caller.messages = &messages;
  caller.log = [](const QString&) {};
  parts::OpenKVRampsForm(w, caller, QStringLiteral("MQ4400"));

  gui::FormWindow window(w);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  auto* grid = qobject_cast<QTableWidget*>(window.view().widgetFor(w.DBGrid1));
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->columnCount(), 35);
  EXPECT_EQ(grid->horizontalHeaderItem(4)->text(), "RR Input\nT/F");
  EXPECT_EQ(grid->columnWidth(0), qRound(1000 / 15.0));
  EXPECT_EQ(grid->columnWidth(1), qRound(700 / 15.0));

  // A click on the "Device Name" heading sorts by it.
  const QHeaderView* header = grid->horizontalHeader();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
  EXPECT_EQ(w.txtSortBy.Text, "Device Name");
  EXPECT_EQ(grid->item(0, 0)->text(), "KVR1202");

  // Shown rows are read-only; the new row from "Add" takes typing into the model.
  EXPECT_FALSE(grid->item(0, 0)->flags() & Qt::ItemIsEditable);
  w.raise(w.mnuMenuAdd, forms::Event::Click);
  gui::FormView::syncAll();
  QApplication::processEvents();  // the focus the handler gave the grid
  const int row = w.DBGrid1.EditRow;
  ASSERT_EQ(row, 14);
  EXPECT_TRUE(grid->item(row, 0)->flags() & Qt::ItemIsEditable);
  EXPECT_FALSE(grid->item(0, 0)->flags() & Qt::ItemIsEditable);
  grid->item(row, 2)->setText("typed in the grid");
  EXPECT_EQ(w.DBGrid1.Rows[row][2], "typed in the grid");

  // A cell still open in its editor is taken when "Edit" is clicked to store the row.
  grid->setFocus();
  grid->editItem(grid->item(row, 0));
  QWidget* editor = QApplication::focusWidget();
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "ZZ7");
  auto* edit = window.view().widgetFor(w.cbEdit);
  QTest::mouseClick(edit, Qt::LeftButton);
  EXPECT_EQ(w.DBGrid1.Rows[row][0], "ZZ7");
  EXPECT_EQ(messages.texts(), QStringList{"All fields must be filled."});
  EXPECT_TRUE(gui::saveFormPng(w, "/tmp/amplifierrecords.png"));
}
