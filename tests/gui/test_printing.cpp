// Printing the real main window through Qt's print dialog into a PDF file: one landscape page
// per copy showing the window, and the window given back after printing and after a cancel.
#include <QFile>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "fakes/fake_services.h"
#include "gui/formview.h"
#include "gui/formwindow.h"
#include "gui/qtprint.h"
#include "guitest.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/mainwindowlayout.h"
#include "mainwindow/startup.h"
#include "wiring/mainwindowwiring.h"

namespace {

// Acts on the print dialog once it is open.
void whenPrintDialog(std::function<void(QPrintDialog&)> act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    auto* d = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (!d) return;
    timer->stop();
    timer->deleteLater();
    act(*d);
  });
  timer->start();
}

struct PdfPages {
  int count = 0;
  bool landscape = false;
};

PdfPages pagesOf(const QString& pdf) {
  QFile f(pdf);
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QString text = QString::fromLatin1(f.readAll());
  PdfPages pages;
  pages.count = static_cast<int>(text.count(QRegularExpression("/Type /Page[^s]")));
  const auto m = QRegularExpression("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]").match(text);
  pages.landscape = m.hasMatch() && m.captured(1).toDouble() > m.captured(2).toDouble();
  return pages;
}

// The first page rendered as an image by poppler.
QImage firstPage(const QString& pdf, const QString& folder) {
  const QString base = folder + "/page";
  QProcess::execute("pdftoppm",
                    {"-f", "1", "-l", "1", "-r", "100", "-png", "-singlefile", pdf, base});
  return QImage(base + ".png");
}

struct PrintWindow {
  fakes::FakeServices fake;
  gui::QtPrintService printer;
  mainwindow::CalverdonForm f{withPrinter()};
  std::unique_ptr<gui::FormWindow> window;

  platform::Services withPrinter() {
    platform::Services s = fake.services();
    s.printer = &printer;
    return s;
  }
  PrintWindow() {
    mainwindow::SetStartDefaults(f, QLatin1Char('.'));
    wiring::WireMainWindow(f, {});
    f.SequenceUpdateScreen();
    window = std::make_unique<gui::FormWindow>(f);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  // File menu "&Print", as the user chooses it.
  void print() { window->view().raiseFromUser(f.Print, forms::Event::Click); }
  void expectGivenBack(forms::VbColor back) {
    QApplication::processEvents();
    EXPECT_EQ(f.BackColor, back);
    EXPECT_EQ(f.Frame7.BackColor, back);
    EXPECT_EQ(f.Height, mainwindow::kWindowHeight);
    EXPECT_EQ(window->view().designSize().height(), mainwindow::kWindowHeight / 15);
    EXPECT_EQ(window->view().palette().color(QPalette::Window).rgb() & 0xFFFFFF, 0xE0E0E0u);
  }
};

}  // namespace

TEST(PrintToPdf, EachCopyIsALandscapePageShowingTheWindowAndTheWindowIsGivenBack) {
  QTemporaryDir dir;
  const QString pdf = dir.filePath("window.pdf");
  PrintWindow w;
  const forms::VbColor back = w.f.BackColor;
  w.printer.printer().setOutputFormat(QPrinter::PdfFormat);
  w.printer.printer().setOutputFileName(pdf);

  int whiteWhileAsked = -1, heightWhileAsked = -1;
  whenPrintDialog([&](QPrintDialog& d) {
    whiteWhileAsked = w.window->view().palette().color(QPalette::Window) == Qt::white;
    heightWhileAsked = w.window->view().designSize().height();
    auto* copies = d.findChild<QSpinBox*>("copies");
    ASSERT_NE(copies, nullptr);
    copies->setValue(2);
    d.accept();
  });
  w.print();
  EXPECT_EQ(whiteWhileAsked, 1);
  EXPECT_EQ(heightWhileAsked, mainwindow::kWindowHeightWithTable / 15);
  w.expectGivenBack(back);

  const PdfPages pages = pagesOf(pdf);
  EXPECT_EQ(pages.count, 2);
  EXPECT_TRUE(pages.landscape);

  // The page shows the window on white: mostly white, with text and lines on it, the graph's
  // green gain trace, and the values table below the window's usual height.
  const QImage page = firstPage(pdf, dir.path());
  ASSERT_FALSE(page.isNull());
  EXPECT_GT(page.width(), page.height());
  int white = 0, dark = 0, green = 0, table = 0;
  const int tableTop =
      page.height() * mainwindow::kWindowHeight / mainwindow::kWindowHeightWithTable;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) {
      const QColor c = page.pixelColor(x, y);
      if (c.lightness() > 245) ++white;
      if (c.lightness() < 160) ++dark;
      if (c.lightness() < 160 && y > tableTop) ++table;
      if (c.green() > c.red() + 40 && c.green() > c.blue() + 40) ++green;
    }
  const int all = page.width() * page.height();
  EXPECT_GT(white, all / 2);
  EXPECT_GT(dark, all / 200);
  EXPECT_GT(green, 20);
  EXPECT_GT(table, all / 1000);

  // Cancelled: no file, the window as it was.
  QFile::remove(pdf);
  whenPrintDialog([](QPrintDialog& d) { d.reject(); });
  w.print();
  w.expectGivenBack(back);
  EXPECT_FALSE(QFile::exists(pdf));
}
