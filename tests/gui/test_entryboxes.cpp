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
#include "mainwindow/entryboxes.h"
#include "mainwindow/handlers.h"
#include "mainwindow/startup.h"
#include "support/observedsequence.h"

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
  const std::pair<const char*, int> boxes[] = {
      {"Text34", -1}, {"Text2", -1},  {"SpacF", -1},  {"Text12", -1}, {"RespF", -1},
      {"SigDig", -1}, {"Text18", -1}, {"Text1", -1},  {"Text19", -1}, {"Text3", -1},
      {"Qtotal", -1}, {"C1Entry", 0}, {"C2Entry", 1}, {"C1RealEntry", -1},
      {"GainTB", 1},  {"FnInput", 0}, {"QInput", 1}};
  for (const char* band : {"Low-Pass", "Band-Pass", "Wide Band-Pass", "High-Pass"}) {
    auto window = std::make_unique<RealMainWindow>(QLatin1Char(','));
    mainwindow::CalverdonForm& f = window->f;
    f.Passband.SetText(band);
    int depth = 0, deepest = 0;
    ObserveSequence(f).wrapPass([&](const ObservedSequence::Step& pass) {
      ++depth;
      deepest = std::max(deepest, depth);
      const int rc = pass();
      --depth;
      return rc;
    });
    // The high-pass design has its sections entered by hand.
    const bool custom = band == std::string("High-Pass");
    f.TypeFilter.SetText(custom ? "Custom Fn&Q" : "Chebychev");
    for (auto [name, index] : boxes) {
      if (custom && name == std::string("Text19")) continue;  // a ripple only Chebychev reads
      auto* box = static_cast<forms::TextBox*>(f.find(name, index));
      for (const QString& input : inputs) {
        box->Text = input;
        forms::EventArgs args;
        f.raise(*box, forms::Event::Validate, args);
        const std::string where =
            std::string(band) + " " + name + " <- " + input.left(12).toStdString();
        // A section Q box keeps a text it cannot read, for the engineer to mend.
        if (box == &f.QInput[1] && !mainwindow::EngNumber(f, box->Text)) box->Text.clear();
        ASSERT_EQ(guitest::firstNonNumber(f), "") << where;
        ASSERT_LE(box->Text.size(), 12) << where;
      }
    }
    EXPECT_EQ(deepest, 1) << band;
    EXPECT_FALSE(f.SuppressUpdate) << band;
  }
}

}  // namespace
