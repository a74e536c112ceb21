// The graph in the real window: a click picks the response frequency and moves the cursor,
// the end labels open the limit boxes, and hostile text in those boxes never reaches the
// window as a non-number.
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>

#include "engine/engnotation.h"
#include "graph/graphsettings.h"
#include "gui/qtwindowhost.h"
#include "guitest.h"
#include "shownmainwindow.h"

namespace {

TEST(GraphInTheWindow, AClickMovesTheCursorAndRewritesTheResponseFrequency) {
  ShownMainWindow s;
  QWidget* graph = s.widget(s.f.Graph);
  QWidget* cursor = s.widget(s.f.Cursor);
  ASSERT_NE(graph, nullptr);
  ASSERT_NE(cursor, nullptr);
  const double start = engine::EngValue(s.f.Gfreq[0].Caption, '.').value();
  const double decades = s.f.AxisDecades;
  ASSERT_GT(start, 0);
  const QString before = s.f.RespF.Text;

  for (const double fraction : {0.2, 0.55, 0.9}) {
    const int px = static_cast<int>(graph->width() * fraction);
    QTest::mouseClick(graph, Qt::LeftButton, {}, QPoint(px, graph->height() / 2));
    QApplication::processEvents();

    // The frequency the axis puts under the pointer, and one step of the sweep either side.
    const double x = px * double(s.f.Graph.Width) / graph->width();
    const double expected = start * std::pow(10.0, x * decades / s.f.Graph.Width);
    const double step = decades * 0.012193 / 3;
    const double shown = engine::EngValue(s.f.RespF.Text, '.').value();
    EXPECT_LT(std::fabs(std::log10(shown / expected)), std::log10(1 + step)) << fraction;
    EXPECT_EQ(s.edit(s.f.RespF)->text(), s.f.RespF.Text);
    EXPECT_NEAR(s.f.RespFreq, shown, 1e-3 * shown);
    // The cursor line stands there, in the model and on the screen.
    EXPECT_NEAR(s.f.Cursor.X1, x, s.f.Graph.Width * step / decades + 15);
    const int cursorPx = cursor->mapTo(graph, cursor->rect().center()).x();
    EXPECT_NEAR(cursorPx, px, 3) << fraction;
  }
  EXPECT_NE(s.f.RespF.Text, before);
}

TEST(GraphInTheWindow, TheTopLabelOpensItsBoxAndATypedLimitRedrawsTheAxis) {
  ShownMainWindow s;
  QTest::mouseClick(s.widget(s.f.Ampl[0]), Qt::LeftButton);
  QApplication::processEvents();
  ASSERT_TRUE(s.f.TopAmp.Visible);
  ASSERT_FALSE(s.widget(s.f.TopAmp)->isHidden());
  EXPECT_EQ(s.edit(s.f.TopAmp)->text(), s.f.Ampl[0].Caption);

  s.type(s.f.TopAmp, "6", Qt::Key_Tab);
  EXPECT_EQ(s.f.Ampl[0].Caption, "6.0dB");
  EXPECT_EQ(qobject_cast<QLabel*>(s.widget(s.f.Ampl[0]))->text(), "6.0dB");

  // Refused: the box is emptied and stays; the axis stays as drawn.
  s.type(s.f.TopAmp, "500", Qt::Key_Tab);
  EXPECT_EQ(s.f.TopAmp.Text, "");
  EXPECT_TRUE(s.f.TopAmp.Visible);
  EXPECT_EQ(s.f.Ampl[0].Caption, "6.0dB");
  EXPECT_TRUE(s.fake.messages.shown.empty());
}

// The settings dialog in a modal window of its own: a double click on the graph opens it, a
// swatch takes the chosen colour and the graph is redrawn in it, OK closes the window.
TEST(GraphInTheWindow, TheSettingsDialogOpensInItsOwnModalWindow) {
  ShownMainWindow s;
  gui::QtWindowHost host;
  s.f.svc.windows = &host;
  s.fake.colors.answer = forms::rgb(0, 0, 255);
  graph::ConfigureGraph& d = graph::ConfigureGraphWindow();
  bool ran = false;
  QTimer::singleShot(20, [&] {
    gui::FormWindow* w = host.windowOf(d);
    ASSERT_NE(w, nullptr);
    ran = true;
    EXPECT_TRUE(w->isModal());
    EXPECT_EQ(w->windowTitle(), "Configure Graph Calverdon");
    QWidget* swatch = w->view().widgetFor(d.GainColor);
    QTest::mouseClick(swatch, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(swatch->grab().toImage().pixelColor(swatch->width() / 2, swatch->height() / 2),
              QColor(0, 0, 255));
    QTest::mouseClick(w->view().widgetFor(d.Ok), Qt::LeftButton);
  });
  QTest::mouseDClick(s.widget(s.f.Graph), Qt::LeftButton, {}, QPoint(30, 30));
  QApplication::processEvents();
  EXPECT_TRUE(ran);
  EXPECT_FALSE(d.Visible);
  EXPECT_EQ(s.f.GainTraceColor, forms::rgb(0, 0, 255));
  int blue = 0;
  for (const forms::DrawnLine& l : s.f.Graph.drawing.lines) blue += l.color == s.f.GainTraceColor;
  EXPECT_GT(blue, 100);
  host.destroyWindows();
}

// Hostile text left in every limit and window box with the real sequence behind it.
TEST(GraphInTheWindow, HostileTextInTheGraphBoxesNeverShowsNonNumbers) {
  const QStringList inputs = {"", "   ", "abc", "1e999", "-0", "nan", "inf", "0", "-", ",",
                              QString(400, QLatin1Char('9')), QString::fromUtf8("µ５€"), "1e-40"};
  for (const char* band : {"Low-Pass", "Band-Reject"}) {
    auto window = std::make_unique<RealMainWindow>(QLatin1Char(','));
    mainwindow::CalverdonForm& f = window->f;
    f.Passband.SetText(band);
    for (const char* name : {"TopAmp", "BotAmp", "StartF", "EndF"}) {
      auto* box = static_cast<forms::TextBox*>(f.find(name));
      for (const QString& input : inputs) {
        box->Visible = true;
        box->Text = input;
        f.raise(*box, forms::Event::LostFocus);
        const std::string where = std::string(band) + " " + name + " <- " + input.left(12).toStdString();
        ASSERT_EQ(guitest::firstNonNumber(f), "") << where;
        for (const forms::DrawnLine& l : f.Graph.drawing.lines)
          ASSERT_TRUE(std::isfinite(l.x1 + l.y1 + l.x2 + l.y2)) << where;
        ASSERT_LE(box->Text.size(), 12) << where;
      }
    }
    EXPECT_FALSE(f.SuppressUpdate) << band;
  }
}

// The graph is painted from what its list holds now: a list drawn again with as many lines in
// the same colour, or the window at another scale, never shows the lines as painted before.
TEST(GraphInTheWindow, RepaintsShowTheListAsItIsNow) {
  ShownMainWindow s;
  forms::PictureBox& g = s.f.Graph;
  QWidget* graph = s.widget(g);
  const auto colourAt = [&](double xTwips, double yTwips) {
    const QImage shown = graph->grab().toImage();
    return shown.pixelColor(int(xTwips * graph->width() / g.Width),
                            int(yTwips * graph->height() / g.Height));
  };
  const float w = float(g.Width), h = float(g.Height);
  g.BorderStyle = 0;
  const auto drawOnly = [&](float y) {
    g.Cls();
    g.DrawWidth = 5;
    g.DrawLine(0, y, w, y, forms::kRed);
    s.window->view().sync();
    QApplication::processEvents();
  };
  const QColor red(255, 0, 0);
  drawOnly(h / 4);
  EXPECT_EQ(colourAt(w / 2, h / 4), red);
  drawOnly(3 * h / 4);
  EXPECT_NE(colourAt(w / 2, h / 4), red);
  EXPECT_EQ(colourAt(w / 2, 3 * h / 4), red);
  s.window->resize(s.window->sizeForScale(1.5));
  QApplication::processEvents();
  EXPECT_EQ(colourAt(w / 2, 3 * h / 4), red);
  EXPECT_NE(colourAt(w / 2, h / 4), red);
}

}  // namespace
