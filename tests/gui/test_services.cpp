// The Qt platform services, the window host and the screenshot helper.
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QSysInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "gui/qtdialogs.h"
#include "gui/qtservices.h"
#include "gui/screenshot.h"
#include "guitest.h"
#include "support/writtenfile.h"

using forms::Event;

TEST(QtServices, MessageBoxAnswersAreTheProgramsNumbers) {
  gui::QtMessageService messages;
  struct Case {
    platform::Buttons buttons;
    QString press;  // empty: the Escape key
    int answer;
  };
  const Case cases[] = {
      {platform::Buttons::Ok, "OK", platform::AnswerOk},
      {platform::Buttons::OkCancel, "Cancel", platform::AnswerCancel},
      {platform::Buttons::YesNoCancel, "Yes", platform::AnswerYes},
      {platform::Buttons::YesNoCancel, "", platform::AnswerCancel},
      {platform::Buttons::YesNo, "No", platform::AnswerNo},
      {platform::Buttons::YesNo, "", platform::AnswerNo},
      {platform::Buttons::SaveDiscardCancel, "Save", platform::AnswerSave},
      {platform::Buttons::SaveDiscardCancel, "Discard", platform::AnswerDiscard},
      {platform::Buttons::SaveDiscardCancel, "", platform::AnswerCancel},
  };
  for (const Case& c : cases) {
    guitest::answerNextBox(c.press);
    EXPECT_EQ(messages.show("File already exists. <b>Overwrite</b>?", "Calverdon", c.buttons,
                            platform::Icon::Exclamation),
              c.answer)
        << c.press.toStdString();
  }
}

TEST(QtServices, SettingsAreStoredPerUserBySectionAndKey) {
  QTemporaryDir dir;
  gui::QtSettingsService settings(nullptr, dir.path());
  EXPECT_EQ(settings.fileOf("Calverdon"), dir.path() + "/Calverdon/Calverdon.conf");
  EXPECT_EQ(settings.get("Calverdon", "ShowAbout", "Value", "True"), "True");
  settings.set("Calverdon", "ShowAbout", "Value", "False");
  EXPECT_EQ(settings.get("Calverdon", "ShowAbout", "Value", "True"), "False");
  QSettings raw(dir.path() + "/Calverdon/Calverdon.conf", QSettings::IniFormat);
  EXPECT_EQ(raw.value("ShowAbout/Value").toString(), "False");
}

TEST(QtServices, ClockWaitKeepsEventsFlowingAndIgnoresBadTimes) {
  gui::QtClock clock;
  bool fired = false;
  QTimer::singleShot(10, [&] { fired = true; });
  QElapsedTimer t;
  t.start();
  clock.wait(0.1);
  EXPECT_TRUE(fired);
  EXPECT_GE(t.elapsed(), 95);
  t.restart();
  clock.wait(-1);
  clock.wait(std::nan(""));
  EXPECT_LT(t.elapsed(), 50);
}

TEST(QtServices, ProcessRunnerReportsExitCodeOutputAndTimeOut) {
  QTemporaryDir dir;
  gui::QtProcessRunner runner;
  platform::ProcessResult r = runner.run(
      "/bin/sh", {"-c", "pwd; echo to-stderr 1>&2; exit 3"}, dir.path(), 10000);
  EXPECT_TRUE(r.started);
  EXPECT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_TRUE(r.output.contains(QDir(dir.path()).canonicalPath())) << r.output.toStdString();
  EXPECT_TRUE(r.output.contains("to-stderr"));

  // Arguments are passed as they are, never through a command text.
  r = runner.run("/bin/echo", {"a b", "$HOME;x"}, {}, 10000);
  EXPECT_EQ(r.output.trimmed(), "a b $HOME;x");

  QElapsedTimer t;
  t.start();
  r = runner.run("/bin/sleep", {"10"}, {}, 200);
  EXPECT_TRUE(r.started);
  EXPECT_FALSE(r.finished);
  EXPECT_LT(t.elapsed(), 5000);

  r = runner.run(dir.path() + "/no-such-program", {}, {}, 1000);
  EXPECT_FALSE(r.started);
  EXPECT_FALSE(r.finished);
}

TEST(QtServices, FoldersDocumentsAndHelp) {
  QStandardPaths::setTestModeEnabled(true);
  gui::QtPaths paths;
  EXPECT_EQ(paths.programFolder(), QDir::cleanPath(QCoreApplication::applicationDirPath()));
  const QString user = paths.userFolder();
  EXPECT_FALSE(user.isEmpty());
  EXPECT_TRUE(QDir(user).exists());
  QStandardPaths::setTestModeEnabled(false);

  gui::QtHelpService help;
  gui::QtDocumentOpener documents;
  EXPECT_FALSE(help.showHelp("/nonexistent/Calverdon2.html"));
  EXPECT_FALSE(help.showHelp(""));
  EXPECT_FALSE(documents.open("/nonexistent/datasheets/OPA123.pdf"));
  EXPECT_FALSE(documents.open(""));
}

TEST(QtServices, EachInstanceWorksInAFolderOfItsOwnAndAFreedOneIsTakenAgain) {
  QTemporaryDir dir;
  const QString shared = dir.filePath("user");
  auto first = std::make_unique<gui::InstanceFolder>(shared);
  gui::InstanceFolder second(shared), third(shared);
  EXPECT_EQ(first->own(), shared);  // a single instance keeps the shared folder
  EXPECT_EQ(second.own(), shared + "/instance-2");
  EXPECT_EQ(third.own(), shared + "/instance-3");
  EXPECT_TRUE(QDir(second.own()).exists());
  EXPECT_EQ(second.own(), shared + "/instance-2");  // kept once chosen
  EXPECT_EQ(second.shared(), shared);

  // The first instance ends: the next one takes the shared folder again.
  first.reset();
  EXPECT_EQ(gui::InstanceFolder(shared).own(), shared);

  // A lock left by an instance that died is taken over: the lock names the dead process.
  QProcess gone;
  gone.start("/bin/true");
  ASSERT_TRUE(gone.waitForStarted(10000));
  const qint64 pid = gone.processId();
  ASSERT_TRUE(gone.waitForFinished(10000));
  QFile stale(shared + "/instance-4.lock");
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.write(QByteArray::number(pid) + "\ncalverdon\n" +
              QSysInfo::machineHostName().toUtf8() + "\n");
  stale.close();
  EXPECT_EQ(gui::InstanceFolder(shared).own(), shared);
  {
    gui::InstanceFolder firstAgain(shared);
    EXPECT_EQ(firstAgain.own(), shared);
    EXPECT_EQ(gui::InstanceFolder(shared).own(), shared + "/instance-4");
  }

  // A folder that cannot be locked at all: the shared one.
  EXPECT_EQ(gui::InstanceFolder("/proc/calverdon").own(), "/proc/calverdon");
}

TEST(QtServices, AnInstanceFolderThatCannotBeMadeIsPassedOverNeverForTheSharedOne) {
  QTemporaryDir dir;
  const QString shared = dir.filePath("user");
  gui::InstanceFolder first(shared);
  ASSERT_EQ(first.own(), shared);
  // instance-2 is a file, instance-3 a link into the first instance's folder, and the lock of
  // instance-4 a named pipe, which a lock would wait on for ever.
  ASSERT_TRUE(WriteTestFile(shared + "/instance-2", "not a folder"));
  ASSERT_TRUE(QFile::link(shared, shared + "/instance-3"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(shared + "/instance-4.lock").constData(), 0600), 0);
  gui::InstanceFolder second(shared);
  EXPECT_EQ(second.own(), shared + "/instance-5");
  EXPECT_TRUE(QFileInfo(shared + "/instance-2").isFile());

  // Every instance folder held or blocked: none at all rather than the shared one.
  for (int n = 6; n <= 99; ++n)
    ASSERT_TRUE(WriteTestFile(shared + QStringLiteral("/instance-%1").arg(n), ""));
  EXPECT_EQ(gui::InstanceFolder(shared).own(), QString());
}

// A file that is there but that no program of the desktop takes is not for the opener: the
// desktop's type query (here a stand-in on the PATH) names a program or nothing.
TEST(QtServices, TheDesktopIsAskedForAProgramBeforeADocumentOpens) {
  QTemporaryDir dir;
  const QString sheet = dir.filePath("sheet.pdf");
  ASSERT_TRUE(WriteTestFile(sheet, "%PDF-1.4\n"));
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", dir.path().toLocal8Bit() + ':' + path);
  for (const auto& [answer, hasProgram] :
       {std::pair{"", false}, std::pair{"viewer.desktop", true}}) {
    ASSERT_TRUE(WriteTestFile(dir.filePath("xdg-mime"),
                              QByteArray("#!/bin/sh\n[ \"$3\" = application/pdf ] && echo ") +
                                  answer + "\n",
                              /*executable=*/true));
    EXPECT_EQ(gui::DesktopHasProgramFor(sheet), hasProgram) << answer;
  }
  qputenv("PATH", path);
}

TEST(QtServices, FileDialogFiltersInBothNotations) {
  struct Case {
    const char* given;
    const char* qt;
    bool descriptionsOnly;
  };
  for (const Case& c : {
           Case{"Filter design (*.cvf)", "Filter design (*.cvf)", false},
           // Descriptions that name a pattern are shown alone; the dialog lists every file.
           Case{"Comma Separated Value (*.csv)|*.*", "Comma Separated Value (*.csv) (*.*)", true},
           Case{"Designs (*.cvf)|*.cvf|Old (*.cv)|*.cv", "Designs (*.cvf) (*.cvf);;Old (*.cv) (*.cv)",
                true},
           Case{"Designs (*.cvf)|*.cvf|All files|*.*;*", "Designs (*.cvf);;All files (*.* *)", false},
       }) {
    const gui::DialogFilter f = gui::qtFilter(c.given);
    EXPECT_EQ(f.filter, c.qt) << c.given;
    EXPECT_EQ(f.descriptionsOnly, c.descriptionsOnly) << c.given;
  }
}

TEST(QtServices, FileDialogsGiveTheChosenPathOrNothingOnCancel) {
  QTemporaryDir dir;
  QFile existing(dir.filePath("design.cvf"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  gui::QtFileDialogs dialogs;
  const auto whenOpen = [](std::function<void(QFileDialog&)> act) {
    QTimer::singleShot(50, [act] {
      auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(d, nullptr);
      act(*d);
    });
  };
  // Saving over an existing file asks nothing here; the suffix is added.
  platform::FileDialogRequest save{"Save Design", "Calverdon Filter (*.cvf)|*.*", dir.path(),
                                   "design", "cvf"};
  whenOpen([](QFileDialog& d) {
    // The filter reads as its description says it once, and matches every file.
    auto* types = d.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(types->count(), 1);
    EXPECT_EQ(types->itemText(0), "Calverdon Filter (*.cvf)");
    auto* files = d.findChild<QFileSystemModel*>();
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files->nameFilters(), QStringList{"*.*"});
    QMetaObject::invokeMethod(&d, "accept");
    // An overwrite question would keep the dialog open: answer it and fail.
    QTimer::singleShot(1000, [dialog = QPointer<QFileDialog>(&d)] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box && dialog) {
        ADD_FAILURE() << "the save dialog asked about the existing file";
        box->reject();
        dialog->reject();
      }
    });
  });
  EXPECT_EQ(dialogs.saveFile(save), dir.filePath("design.cvf"));
  whenOpen([](QFileDialog& d) { d.reject(); });
  EXPECT_EQ(dialogs.openFile(save), std::nullopt);
}

TEST(QtServices, PrintingRendersTheFormOnLandscapePagesOfOneDocument) {
  QTemporaryDir dir;
  guitest::Shown s;
  gui::QtPrintService printer;
  const QString pdf = dir.filePath("window.pdf");
  printer.printer().setOutputFormat(QPrinter::PdfFormat);
  printer.printer().setOutputFileName(pdf);
  s.form.BackColor = forms::kWhite;  // printing whitens the window first; the page shows it
  EXPECT_TRUE(printer.printWindowImage(s.form));
  EXPECT_TRUE(printer.printWindowImage(s.form));
  QApplication::processEvents();  // the document ends when the handler is over
  QFile f(pdf);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                bytes.count("/Type /Page "),
            2)
      << bytes.left(400).toStdString();
  const QRegularExpression box("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]");
  const auto m = box.match(QString::fromLatin1(bytes));
  ASSERT_TRUE(m.hasMatch());
  EXPECT_GT(m.captured(1).toDouble(), m.captured(2).toDouble());  // landscape

  forms::Form unshown("Unshown");
  EXPECT_FALSE(printer.printWindowImage(unshown));
}

TEST(QtWindowHost, ModalFormsReturnWhenClosedAndCloseRequestsGoToTheProgram) {
  gui::QtWindowHost host;
  guitest::TestForm main, dialog;
  host.show(main, false);
  ASSERT_NE(host.windowOf(main), nullptr);
  EXPECT_TRUE(main.Visible);
  EXPECT_TRUE(host.windowOf(main)->isVisible());
  EXPECT_EQ(host.windowOf(main)->windowTitle(), "Test window");

  // A dialog's handler closes it; show() returns then.
  bool returned = false;
  dialog.on("Button", Event::Click, [&](forms::EventArgs&) { host.close(dialog); });
  QTimer::singleShot(20, [&] {
    EXPECT_FALSE(returned);
    EXPECT_TRUE(host.windowOf(dialog)->isModal());
    QTest::mouseClick(host.windowOf(dialog)->view().widgetFor(dialog.Button), Qt::LeftButton);
  });
  host.show(dialog, true);
  returned = true;
  EXPECT_FALSE(dialog.Visible);
  EXPECT_FALSE(host.windowOf(dialog)->isVisible());

  // The user closing a window: the program's handler decides; without one the form closes.
  int requests = 0;
  host.setCloseHandler(main, [&] { ++requests; });
  host.windowOf(main)->close();
  EXPECT_EQ(requests, 1);
  EXPECT_TRUE(host.windowOf(main)->isVisible());
  host.show(dialog, false);
  host.windowOf(dialog)->close();
  EXPECT_FALSE(dialog.Visible);
  EXPECT_FALSE(host.windowOf(dialog)->isVisible());

  // Without its windows a form has its own hooks back; showing it again makes a new window.
  host.destroyWindows();
  EXPECT_FALSE(main.onSetFocus);
  EXPECT_FALSE(main.onSyncRequest);
  host.show(main, false);
  EXPECT_TRUE(host.windowOf(main)->isVisible());
}

TEST(Screenshot, AFormIsWrittenAsAPngOfItsWindow) {
  QTemporaryDir dir;
  guitest::TestForm form;
  const QString png = dir.filePath("form.png");
  ASSERT_TRUE(gui::saveFormPng(form, png));
  QImage image(png);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 400);
  EXPECT_GT(image.height(), 300);  // the form and its menu bar
  EXPECT_EQ(gui::FormView::viewOf(form), nullptr);  // the window was only for the picture
}
