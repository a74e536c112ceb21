// The entry boxes in the real window: typing and leaving with Tab, pressing Enter, and
// clicking the graph with an entry pending give what the model gives.
#include <QLineEdit>
#include <algorithm>
#include <gtest/gtest.h>

#include "designview/sequence.h"
#include "fakes/fake_services.h"
#include "guitest.h"
#include "shownmainwindow.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/handlers.h"
#include "mainwindow/startup.h"

namespace {

TEST(EntryBoxesInTheWindow, TabbingOutValidatesAsTheModelDoes) {
  ShownMainWindow s;
  struct Case {
    forms::TextBox& box;
    const char* typed;
    const char* shown;
  };
  for (const Case& c : std::vector<Case>{{s.f.Text34, "-5k", "5.00k"},
                                         {s.f.Text34, "300M", "200M"},
                                         {s.f.Text12, "50", "100"},
                                         {s.f.Text12, "20M", "10.0M"},
                                         {s.f.RespF, "1234", "1.23k"},
                                         {s.f.Text18, "4.7", "4"},
                                         {s.f.Text18, "12", "10"}}) {
    s.sequences = 0;
    s.type(c.box, c.typed, Qt::Key_Tab);
    EXPECT_EQ(c.box.Text, c.shown) << c.typed;
    EXPECT_EQ(s.edit(c.box)->text(), c.shown) << c.typed;
    EXPECT_GE(s.sequences, 1) << c.typed;
  }
  EXPECT_TRUE(s.fake.messages.shown.empty());

  // Unreadable resistor text: the message and an empty box.
  s.type(s.f.Text12, "abc", Qt::Key_Tab);
  EXPECT_EQ(s.f.Text12.Text, "");
  EXPECT_EQ(s.edit(s.f.Text12)->text(), "");
  EXPECT_EQ(s.fake.messages.texts(), QStringList{"Entry is not understood."});
}

TEST(EntryBoxesInTheWindow, EnterCommitsAndAGraphClickCommitsThePendingEntry) {
  ShownMainWindow s;
  s.type(s.f.Text34, "2500", Qt::Key_Return);
  EXPECT_EQ(s.f.Text34.Text, "2.50k");
  EXPECT_EQ(s.edit(s.f.Text34)->text(), "2.50k");
  EXPECT_EQ(s.f.PromptTopic, 7);
  EXPECT_EQ(s.f.LastEntry, "Text34");

  // Typed but not left: a click on the graph validates it, then recomputes once more.
  QLineEdit* e = s.edit(s.f.Text34);
  e->selectAll();
  QTest::keyClicks(e, "50k");
  s.sequences = 0;
  QWidget* graph = s.window->view().widgetFor(s.f.Graph);
  ASSERT_NE(graph, nullptr);
  QTest::mouseClick(graph, Qt::LeftButton, {}, QPoint(20, 20));
  QApplication::processEvents();
  EXPECT_EQ(s.f.Text34.Text, "50.0k");
  EXPECT_EQ(e->text(), "50.0k");
  EXPECT_EQ(s.sequences, 2);
}

}  // namespace

namespace {

// Hostile text in every entry box with the real recompute sequence behind it: no crash, no
// "inf" or "nan" anywhere in the window, and never a display pass inside another.
TEST(EntryBoxesWithTheRealSequence, HostileTextNeverNestsPassesOrShowsNonNumbers) {
  const QStringList inputs = {"", "   ", "abc", "1e999", "-0", "nan", "inf", "0",
                              QString(10000, QLatin1Char('9')), QString::fromUtf8("µ５€")};
  const char* boxes[] = {"Text34", "Text2", "SpacF", "Text12", "RespF", "SigDig",
                         "Text18", "Text1", "Text19", "Text3", "Qtotal"};
  for (const char* band : {"Low-Pass", "Band-Pass", "Wide Band-Pass"}) {
    auto window = std::make_unique<RealMainWindow>(QLatin1Char(','));
    mainwindow::CalverdonForm& f = window->f;
    f.Passband.SetText(band);
    int depth = 0, deepest = 0;
    auto pass = f.hub.updatescreen;
    f.hub.updatescreen = [&] {
      ++depth;
      deepest = std::max(deepest, depth);
      const int rc = pass();
      --depth;
      return rc;
    };
    f.TypeFilter.SetText("Chebychev");
    for (const char* name : boxes) {
      auto* box = static_cast<forms::TextBox*>(f.find(name));
      for (const QString& input : inputs) {
        box->Text = input;
        forms::EventArgs args;
        f.raise(*box, forms::Event::Validate, args);
        const std::string where =
            std::string(band) + " " + name + " <- " + input.left(12).toStdString();
        ASSERT_EQ(guitest::firstNonNumber(f), "") << where;
        ASSERT_LE(box->Text.size(), 12) << where;
      }
    }
    EXPECT_EQ(deepest, 1) << band;
    EXPECT_FALSE(f.SuppressUpdate) << band;
  }
}

}  // namespace
