// The op-amp model list read from the model library, and the copy of a model's text.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "mainwindow/calverdonform.h"
#include "spice/opampmodels.h"
#include "support/windowfixture.h"

namespace {

using spice::ModelEnd;

// A small library: three models of the families, a subcircuit of no family in between (whose
// own entries are read one by one), a model name in the wrong case, and an entry line holding
// two entries.
const QByteArray kLibrary =
    "* test library\r\n"                         // entry 1
    ".subckt KVR1000/30 1 2 3 4 5\r\n"           // 2: taken
    "R1 1 2 1MEG\r\n"                            // 3
    ".ENDS\r\n"                                  // 4
    "* after the subcircuit\r\n"                 // 5
    "* END MODEL KVR1000\r\n"                    // 6
    ".SUBCKT helper a b\r\n"                     // 7: no family
    "  .subckt ZLN2000X/5_ 1 2 3 4 5\r\n"        // 8: taken (leading blanks skipped)
    "R1 1 2 1MEG, extra\r\n"                     // 9, 10: a comma makes two entries
    ".ENDS ZLN\r\n"                              // 11
    "* END MODEL\r\n"                            // 12
    ".subckt kvr3000 1 2 3 4 5\r\n"              // 13: wrong case, not taken
    ".ENDS\r\n"                                  // 14
    ".subckt MQ4000/40 1 2 3 4 5\r\n"            // 15: taken
    "C1 1 2 1p\r\n"                              // 16
    ".ENDS\r\n"                                  // 17
    "* END MODEL MQ4000\r\n";                    // 18

// The library with each kind of line end: CR LF, LF and a lone CR; the list and the copy read
// all three alike.
std::vector<std::pair<const char*, QByteArray>> everyLineEnd() {
  return {{"CR LF", kLibrary},
          {"LF", QByteArray(kLibrary).replace("\r\n", "\n")},
          {"CR", QByteArray(kLibrary).replace("\r\n", "\r")}};
}

TEST(OpAmpModels, TheLibraryListsItsModelsInOrderWithTheirFirstEntries) {
  for (const auto& [lineEnd, library] : everyLineEnd()) {
    SCOPED_TRACE(lineEnd);
    const std::vector<spice::LibraryModel> models = spice::ListModels(library);
    ASSERT_EQ(models.size(), 3u);
    EXPECT_EQ(models[0].Name, "KVR1000/30");
    EXPECT_EQ(models[0].FirstEntry, 2);
    EXPECT_EQ(models[1].Name, "ZLN2000X/5_");
    EXPECT_EQ(models[1].FirstEntry, 8);
    EXPECT_EQ(models[2].Name, "MQ4000/40");
    EXPECT_EQ(models[2].FirstEntry, 15);
  }
  EXPECT_TRUE(spice::ListModels(QByteArray()).empty());
}

TEST(OpAmpModels, ACopyRunsFromTheFirstEntryToItsStopLine) {
  struct Case {
    int firstEntry;
    ModelEnd end;
    std::optional<QString> text;
  };
  const Case cases[] = {
      {.firstEntry = 2, .end = ModelEnd::Ends,
       .text = ".subckt KVR1000/30 1 2 3 4 5\nR1 1 2 1MEG\n.ENDS\n"},
      // The copy to "END MODEL" also holds the lines between ".ENDS" and it.
      {.firstEntry = 2, .end = ModelEnd::EndModel,
       .text = ".subckt KVR1000/30 1 2 3 4 5\nR1 1 2 1MEG\n.ENDS\n* after the subcircuit\n"
               "* END MODEL KVR1000\n"},
      // The model's own entry without its leading blanks; the lines after it whole.
      {.firstEntry = 8, .end = ModelEnd::Ends,
       .text = ".subckt ZLN2000X/5_ 1 2 3 4 5\nR1 1 2 1MEG, extra\n.ENDS ZLN\n"},
      {.firstEntry = 15, .end = ModelEnd::EndModel,
       .text = ".subckt MQ4000/40 1 2 3 4 5\nC1 1 2 1p\n.ENDS\n* END MODEL MQ4000\n"},
      // No such entry, or no stop line after it.
      {.firstEntry = 0, .end = ModelEnd::Ends, .text = std::nullopt},
      {.firstEntry = 99, .end = ModelEnd::Ends, .text = std::nullopt},
      {.firstEntry = 18, .end = ModelEnd::Ends, .text = std::nullopt},
  };
  for (const auto& [lineEnd, library] : everyLineEnd())
    for (const Case& c : cases)
      EXPECT_EQ(spice::ModelText(library, c.firstEntry, c.end), c.text)
          << lineEnd << ", entry " << c.firstEntry;
}

struct LibraryWindow : WindowFixture {
  QTemporaryDir folder;
  LibraryWindow() { fake.paths.program = folder.path(); }
  void writeLibrary(const QByteArray& text) {
    QDir(folder.path()).mkpath(QStringLiteral("models"));
    QFile file(folder.path() + QStringLiteral("/models/marquenta.lib"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
};

TEST(OpAmpModels, TheListIsRebuiltExactlyAndKeepsTheChosenModelByName) {
  LibraryWindow w;
  forms::ComboBox& list = w.f.OpAmpModel;
  w.writeLibrary(kLibrary);
  spice::LoadOpAmpModels(w.f);
  EXPECT_EQ(list.items(), QStringList({"Ideal Op Amp", "KVR1000/30", "ZLN2000X/5_", "MQ4000/40"}));
  EXPECT_EQ(w.f.ModelFirstLine, (std::vector<int>{0, 2, 8, 15}));
  EXPECT_EQ(list.ListIndex(), 0);

  // The chosen model stays chosen where the library now lists it, and no entry of a longer
  // earlier list is left behind.
  list.setFromUser(3, QStringLiteral("MQ4000/40"));
  w.writeLibrary(".subckt MQ4000/40 1 2 3 4 5\n.ENDS\n* END MODEL\n");
  int clicks = 0;
  w.f.on(QStringLiteral("OpAmpModel"), forms::Event::Click, [&](forms::EventArgs&) { ++clicks; });
  spice::LoadOpAmpModels(w.f);
  EXPECT_EQ(list.items(), QStringList({"Ideal Op Amp", "MQ4000/40"}));
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.Text(), "MQ4000/40");
  EXPECT_EQ(w.f.ModelFirstLine, (std::vector<int>{0, 1}));

  // A model the library no longer lists gives way to the ideal op-amp; a missing library lists
  // the ideal op-amp alone, without a message. No handler runs.
  w.writeLibrary(".subckt KVR1000/30 1 2 3 4 5\n.ENDS\n* END MODEL\n");
  spice::LoadOpAmpModels(w.f);
  EXPECT_EQ(list.Text(), "Ideal Op Amp");
  list.setFromUser(1, QStringLiteral("KVR1000/30"));
  QFile::remove(w.folder.path() + QStringLiteral("/models/marquenta.lib"));
  spice::LoadOpAmpModels(w.f);
  EXPECT_EQ(list.items(), QStringList({"Ideal Op Amp"}));
  EXPECT_EQ(list.ListIndex(), 0);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(w.fake.messages.shown.empty());
}

}  // namespace

namespace {

// The shipped library lists every model it holds, and each one's text copies whole.
TEST(OpAmpModels, TheShippedLibraryListsAndCopiesEveryModel) {
  QFile file(QStringLiteral(CALVERDON_MODEL_LIBRARY));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray library = file.readAll();
  const std::vector<spice::LibraryModel> models = spice::ListModels(library);
  EXPECT_EQ(int(models.size()), int(library.count(".subckt ")));
  for (const spice::LibraryModel& m : models) {
    SCOPED_TRACE(m.Name.toStdString());
    const std::optional<QString> model = spice::ModelText(library, m.FirstEntry, ModelEnd::Ends);
    ASSERT_TRUE(model.has_value());
    EXPECT_TRUE(model->startsWith(QStringLiteral(".subckt ") + m.Name + QLatin1Char(' ')));
    const QStringList lines = model->trimmed().split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.last().startsWith(QLatin1String(".ENDS")));
    EXPECT_EQ(lines.filter(QStringLiteral(".subckt")).size(), 1);
    const std::optional<QString> withEnd =
        spice::ModelText(library, m.FirstEntry, ModelEnd::EndModel);
    ASSERT_TRUE(withEnd.has_value());
    EXPECT_TRUE(withEnd->trimmed().split(QLatin1Char('\n')).last().contains("END MODEL"));
  }
}

}  // namespace
