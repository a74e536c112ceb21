// The entry pattern every box follows (click, focus, Enter, leaving), the commit of the
// pending entry by clicks on areas that cannot take the focus, and hostile input in every
// box.
#include <gtest/gtest.h>

#include "entry_fixture.h"

namespace {

struct PatternCase {
  const char* box;
  int enterTopic;           // 0: Enter does nothing
  bool recordsLastEntry;
};

// Enter commits the box (its text is normalised) and sets the box's prompt topic; only
// the boxes the commit knows record themselves as the last entry.
TEST(EntryPattern, EnterCommitsAndSetsTheTopicFocusRecordsTheBox) {
  for (const PatternCase& c : std::vector<PatternCase>{{"Text34", 7, true},
                                                       {"Text2", 7, true},
                                                       {"Text12", 9, true},
                                                       {"RespF", 8, false},
                                                       {"Text18", 6, true},
                                                       {"Text1", 6, true},
                                                       {"Text19", 4, true},
                                                       {"Text3", 46, false},
                                                       {"SpacF", 0, false},
                                                       {"SigDig", 0, false},
                                                       {"Qtotal", 0, false}}) {
    EntryFixture s;
    s.showWithoutHandler(s.f.TypeFilter, "Chebychev");
    auto* box = static_cast<forms::TextBox*>(s.f.find(c.box));
    ASSERT_NE(box, nullptr) << c.box;
    s.f.PromptTopic = 1;
    box->Text = "-3.7";
    s.key(*box, forms::kKeyEscape);
    EXPECT_EQ(box->Text, "-3.7") << c.box;  // other keys do nothing
    s.key(*box, forms::kKeyReturn);
    EXPECT_EQ(s.f.PromptTopic, c.enterTopic == 0 ? 1 : c.enterTopic) << c.box;
    EXPECT_EQ(box->Text != "-3.7", c.enterTopic != 0) << c.box;

    s.f.LastEntry = "before";
    s.f.raise(*box, forms::Event::GotFocus);
    EXPECT_EQ(s.f.LastEntry, c.recordsLastEntry ? QString(c.box) : QString("before")) << c.box;
  }
}

TEST(EntryPattern, ClickingTheHighPassPoleBoxCommitsTheDesignsPoleCount) {
  EntryFixture s;
  s.showPassBandWithoutHandler("Wide Band-Pass");
  s.f.PrevPoles = 3;
  s.f.Text18.Text = "4.7";
  s.click(s.f.Text1);
  EXPECT_EQ(s.f.Text18.Text, "4");
  EXPECT_EQ(s.sequences, 1);
}

TEST(EntryPattern, ArraysRecordTheElementAndTakeATopicPerElement) {
  EntryFixture s;
  static std::vector<int> validated;
  validated.clear();
  mainwindow::RegisterEntryArray(s.f, "C1Entry", 100, 1, true,
                                 [](mainwindow::CalverdonForm&, int index, bool&) {
                                   validated.push_back(index);
                                 });
  s.f.raise(s.f.C1Entry[3], forms::Event::GotFocus);
  EXPECT_EQ(s.f.LastEntry, "C1Entry(3)");
  s.key(s.f.C1Entry[3], forms::kKeyReturn);
  EXPECT_EQ(s.f.PromptTopic, 103);
  s.f.C1Entry[3].Text = "10n";
  s.click(s.f.Graph);
  s.click(s.f.Graph);  // nothing typed since
  EXPECT_EQ(validated, (std::vector<int>{3, 3}));
}

// ---- commit of the pending entry ----

TEST(PendingEntry, AClickOnTheGraphFramesOrNoteCommitsTheLastBoxOnce) {
  for (const char* area : {"Graph", "Frame1", "Frame2", "Frame3", "Frame5", "Frame6", "Label17"}) {
    EntryFixture s;
    s.f.raise(s.f.Text34, forms::Event::GotFocus);
    s.f.Text34.Text = "2500";  // typed, not left
    forms::Control* c = s.f.find(area);
    ASSERT_NE(c, nullptr) << area;
    s.click(*c);
    EXPECT_EQ(s.f.Text34.Text, "2.50k") << area;
    EXPECT_EQ(s.sequences, 2) << area;  // the box's and the click's own

    // Clicked again with nothing typed: only the click's own recompute.
    s.f.Gfreq[0].Caption = "100 Hz";
    s.click(*c);
    EXPECT_EQ(s.sequences, 3) << area;
    EXPECT_EQ(s.f.Gfreq[0].Caption, "100 Hz") << area;  // the box was not validated again

    // Typed into again: committed again.
    s.f.Text34.Text = "-7k";
    s.click(*c);
    EXPECT_EQ(s.f.Text34.Text, "7.00k") << area;
    EXPECT_EQ(s.sequences, 5) << area;

    // Busy: the box is committed but nothing recomputes.
    s.f.SuppressUpdate = true;
    s.f.Text34.Text = "3k";
    s.click(*c);
    EXPECT_EQ(s.f.Text34.Text, "3.00k") << area;
    EXPECT_EQ(s.sequences, 5) << area;
  }
}

TEST(PendingEntry, CommitsArrayBoxesByIndexAndIgnoresOtherNames) {
  EntryFixture s;
  std::vector<int> gainValidations;
  s.f.on("GainTB", forms::Event::Validate,
         [&](forms::EventArgs& e) { gainValidations.push_back(e.Index); });
  s.f.LastEntry = "GainTB(2)";
  s.f.GainTB[2].Text = "4";
  s.click(s.f.Graph);
  EXPECT_EQ(gainValidations, std::vector<int>{2});
  s.click(s.f.Graph);  // unchanged since
  EXPECT_EQ(gainValidations, std::vector<int>{2});

  for (const char* name : {"Text3", "SpacF", "GainTB(7)", "GainTB(x)", "Nothing", ""}) {
    EntryFixture t;
    t.f.LastEntry = name;
    t.f.Text3.Text = "0.2";
    t.f.SpacF.Text = "0.2";
    t.click(t.f.Graph);
    EXPECT_EQ(t.f.Text3.Text, "0.2") << name;
    EXPECT_EQ(t.f.SpacF.Text, "0.2") << name;
    EXPECT_EQ(t.sequences, 1) << name;
  }
}

// ---- hostile input ----

TEST(HostileInput, EveryBoxStaysShortNumericAndRecomputesAtMostOnceAtATime) {
  const QStringList inputs = HostileTexts();
  const std::pair<const char*, int> boxes[] = {
      {"Text34", -1}, {"Text2", -1},   {"SpacF", -1},       {"Text12", -1},  {"RespF", -1},
      {"SigDig", -1}, {"Text18", -1},  {"Text1", -1},       {"Text19", -1},  {"Text3", -1},
      {"Qtotal", -1}, {"C1Entry", 0},  {"C2Entry", 4},      {"C1RealEntry", -1},
      {"GainTB", 2},  {"FnInput", 1},  {"QInput", 3}};
  for (QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
    for (const char* band : {"Low-Pass", "Band-Pass", "Notch"}) {
      EntryFixture s(sep);
      s.showPassBandWithoutHandler(band);
      s.showWithoutHandler(s.f.TypeFilter, "Chebychev");
      s.f.OpAmpModel.AddItem("KVR9005");
      s.showWithoutHandler(s.f.OpAmpModel, "KVR9005");
      s.f.PoleCount = 5;
      s.f.CustomQProduct = 1.5f;
      s.f.Graph.Width = 6000;
      for (auto [name, index] : boxes) {
        auto* box = static_cast<forms::TextBox*>(s.f.find(name, index));
        for (const QString& input : inputs) {
          s.leave(*box, input);
          const std::string where = std::string(name) + " <- " + input.left(20).toStdString();
          // A section Q box keeps a text it cannot read, for the engineer to mend.
          if (box == &s.f.QInput[3] && !mainwindow::EngNumber(s.f, box->Text)) box->Text.clear();
          EXPECT_LE(box->Text.size(), 12) << where;
          EXPECT_EQ(FirstNonNumber(s.f), "") << where;
          EXPECT_EQ(s.f.eventDepth(), 0) << where;
        }
      }
      EXPECT_EQ(s.deepest, 1);
      EXPECT_LE(s.f.Cursor.X1, 1000000);
    }
  }
}

}  // namespace
