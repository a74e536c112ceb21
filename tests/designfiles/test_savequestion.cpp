// A changed design is never dropped without a question: what marks the design changed, and
// File "Close", closing the window, "New" and "Open" on a changed and an unchanged design.
#include <gtest/gtest.h>

#include <functional>

#include "files_fixture.h"
#include "mainwindow/polepairdialog.h"
#include "support/fulldisk.h"

// Readable texts in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using designfiles::kSaveQuestion;

// A box typed into and left, as the user does.
void enter(mainwindow::CalverdonForm& f, forms::TextBox& box, const QString& text) {
  box.Text = text;
  f.raise(box, forms::Event::Validate);
}

void chooseCustom(FilesFixture& x) { x.f.TypeFilter.SetText(QStringLiteral("Custom Fn&Q")); }

// ---- what marks the design changed ----

struct MarkCase {
  const char* name;
  std::function<void(FilesFixture&)> design;  // the design before it is saved
  std::function<void(FilesFixture&)> act;     // what is done to the saved design
  bool changed;
};

void PrintTo(const MarkCase& c, std::ostream* os) { *os << c.name; }

class ChangedMark : public ::testing::TestWithParam<MarkCase> {};

TEST_P(ChangedMark, FollowsWhatAltersTheDesign) {
  const MarkCase& c = GetParam();
  FilesFixture x;
  auto& f = x.f;
  designfiles::LoadNoDefaultFile(f);
  EXPECT_FALSE(f.Modified) << "the factory design";
  if (c.design) c.design(x);
  x.save(QStringLiteral("saved.cvf"));
  ASSERT_FALSE(f.Modified) << "saved";
  c.act(x);
  EXPECT_EQ(f.Modified, c.changed);
}

INSTANTIATE_TEST_SUITE_P(
    Acts, ChangedMark,
    ::testing::Values(
        MarkCase{"EntryThatAltersAValue", {},
                 [](FilesFixture& x) { enter(x.f, x.f.Text34, QStringLiteral("700")); }, true},
        MarkCase{"EntryOfTheSameValue", {},
                 [](FilesFixture& x) { enter(x.f, x.f.Text34, x.f.Text34.Text); }, false},
        MarkCase{"ListChoice", {},
                 [](FilesFixture& x) { x.f.TypeFilter.SetText(QStringLiteral("Bessel")); },
                 true},
        MarkCase{"ListTakingTheFocus", {},
                 [](FilesFixture& x) { x.f.raise(x.f.TypeFilter, forms::Event::GotFocus); },
                 false},
        MarkCase{"CapacitorBox", {},
                 [](FilesFixture& x) { enter(x.f, x.f.C1Entry[0], QStringLiteral("22n")); },
                 true},
        MarkCase{"SectionFrequencyBox", &chooseCustom,
                 [](FilesFixture& x) { enter(x.f, x.f.FnInput[1], QStringLiteral("700")); },
                 true},
        MarkCase{"PolePairDialogApply", &chooseCustom,
                 [](FilesFixture& x) {
                   auto& f = x.f;
                   mainwindow::FnInput_DblClick(f, 1);
                   ASSERT_TRUE(f.PolePairEntry);
                   auto& d = *f.PolePairEntry;
                   d.DataType.SetListIndex(static_cast<int>(mainwindow::PoleEntryFormat::FnAndQ));
                   for (auto [box, text] : {std::pair{&d.Text1, "2k"}, std::pair{&d.Text2, "3"}}) {
                     box->Text = QString::fromLatin1(text);
                     d.raise(*box, forms::Event::Validate);
                   }
                   ASSERT_FALSE(f.Modified) << "the dialog's entries alone";
                   d.raise(d.Apply, forms::Event::Click);
                 },
                 true},
        MarkCase{"GraphCursor", {},
                 [](FilesFixture& x) {
                   forms::EventArgs at;
                   at.X = static_cast<float>(x.f.Graph.Width) * 0.6f;
                   at.Button = forms::kLeftButton;
                   const QString before = x.f.RespF.Text;
                   x.f.raise(x.f.Graph, forms::Event::MouseDown, at);
                   x.f.raise(x.f.Graph, forms::Event::Click);
                   EXPECT_NE(x.f.RespF.Text, before) << "the cursor moved";
                 },
                 false},
        MarkCase{"ViewsOfATwoHalfDesign",
                 [](FilesFixture& x) {
                   x.f.Passband.SetText(QStringLiteral("Wide Band-Pass"));
                   chooseCustom(x);
                 },
                 [](FilesFixture& x) {
                   for (const char* view : {"LowPassViewT", "HighPassView", "ShowTotal"})
                     x.click(QString::fromLatin1(view));
                   EXPECT_TRUE(x.f.LowPassViewT.Visible) << "back in the total view";
                 },
                 false},
        MarkCase{"ValuesTable", {},
                 [](FilesFixture& x) {
                   x.click(QStringLiteral("ShowValuesTable"));
                   x.click(QStringLiteral("ShowValuesTable"));
                 },
                 false},
        MarkCase{"SavingAChangedDesign", {},
                 [](FilesFixture& x) {
                   enter(x.f, x.f.Text34, QStringLiteral("700"));
                   x.click(QStringLiteral("mnuFileSave"));
                 },
                 false},
        MarkCase{"OpeningAFile", {},
                 [](FilesFixture& x) {
                   enter(x.f, x.f.Text34, QStringLiteral("700"));
                   ASSERT_TRUE(designfiles::OpenFile(x.f, x.path(QStringLiteral("saved.cvf"))));
                 },
                 false},
        MarkCase{"StartingUp", {},
                 [](FilesFixture& x) {
                   enter(x.f, x.f.Text34, QStringLiteral("700"));
                   mainwindow::Form_Load(x.f, QLatin1Char('.'));
                   mainwindow::Form_Initialize(x.f, &designfiles::OpenDefault);
                 },
                 false}),
    [](const auto& param) { return std::string(param.param.name); });

// ---- the question before a design is dropped ----

enum class Command { Close, WindowClose, New, Open };
enum class Answer { None, Save, Discard, Cancel, SaveFails, SaveAsCancelled };

struct DropCase {
  std::string name;
  Command command;
  Answer answer;  // None: the design is unchanged
};

void PrintTo(const DropCase& c, std::ostream* os) { *os << c.name; }

class DropQuestion : public ::testing::TestWithParam<DropCase> {};

TEST_P(DropQuestion, AsksOnceForAChangedDesignAndKeepsItUnlessItMayGo) {
  const DropCase& c = GetParam();
  FullDisk disk;
  FilesFixture x;
  auto& f = x.f;
  designfiles::LoadNoDefaultFile(f);
  const QString other = x.path(QStringLiteral("other.cvf"));
  x.save(QStringLiteral("other.cvf"));

  // The design in the window has a file, on a disk that fills for the failing save, unless
  // the save must ask for a name.
  const QString mine = c.answer == Answer::SaveFails ? disk.path(QStringLiteral("mine.cvf"))
                                                     : x.path(QStringLiteral("mine.cvf"));
  if (c.answer == Answer::SaveAsCancelled) {
    x.click(QStringLiteral("mnuFileNew"));
  } else {
    ASSERT_TRUE(designfiles::SaveSub(f, mine));
    f.Caption = designfiles::kCaptionPrefix + QStringLiteral("mine.cvf");
  }
  const QString caption = f.Caption;
  const QByteArray before = FilesFixture::read(mine);
  const QString started = f.Text34.Text;
  if (c.answer != Answer::None) enter(f, f.Text34, QStringLiteral("700"));
  const QByteArray changed = designfiles::WriteDesignRecord(designfiles::RecordOf(f));
  x.fake.messages.shown.clear();
  x.fake.fileDialogs.openAnswer = other;
  x.fake.fileDialogs.saveAnswer = std::nullopt;
  switch (c.answer) {
    case Answer::Save: case Answer::SaveFails: case Answer::SaveAsCancelled:
      x.fake.messages.answers = {platform::AnswerSave};
      break;
    case Answer::Discard: x.fake.messages.answers = {platform::AnswerDiscard}; break;
    case Answer::Cancel: x.fake.messages.answers = {platform::AnswerCancel}; break;
    case Answer::None: break;
  }

  auto run = [&] {
    switch (c.command) {
      case Command::Close: x.click(QStringLiteral("exitmnu")); break;
      case Command::WindowClose: designfiles::CloseProgram(f); break;
      case Command::New: x.click(QStringLiteral("mnuFileNew")); break;
      case Command::Open: x.click(QStringLiteral("mnuFileOpen")); break;
    }
  };
  if (c.answer == Answer::SaveFails) {
    disk.whileFull(run);
  } else {
    run();
  }

  // The question, once, for a changed design only; a failed save adds its own message.
  QStringList told = x.fake.messages.texts();
  if (c.answer == Answer::None) {
    EXPECT_TRUE(told.isEmpty()) << told.join(" | ").toStdString();
  } else {
    ASSERT_FALSE(told.isEmpty());
    EXPECT_EQ(told.count(kSaveQuestion), 1);
    EXPECT_EQ(told[0], kSaveQuestion);
    EXPECT_EQ(x.fake.messages.shown[0].buttons, platform::Buttons::SaveDiscardCancel);
    EXPECT_EQ(x.fake.messages.shown[0].icon, platform::Icon::Exclamation);
    EXPECT_EQ(x.fake.messages.shown[0].title, QStringLiteral("Calverdon"));
    EXPECT_EQ(told.size(), c.answer == Answer::SaveFails ? 2 : 1)
        << told.join(" | ").toStdString();
    if (c.answer == Answer::SaveFails) {
      EXPECT_TRUE(told[1].startsWith(designfiles::kSaveFailed));
    }
  }

  // Saved: the file holds the changed design; otherwise it keeps its bytes.
  EXPECT_EQ(FilesFixture::read(mine), c.answer == Answer::Save ? changed : before);

  const bool goesOn =
      c.answer == Answer::None || c.answer == Answer::Save || c.answer == Answer::Discard;
  const bool closes = c.command == Command::Close || c.command == Command::WindowClose;
  EXPECT_EQ(x.fake.windows.quits, goesOn && closes ? 1 : 0);
  if (goesOn && c.command == Command::New) {
    EXPECT_TRUE(f.DesignFile.isEmpty());
  }
  if (goesOn && c.command == Command::Open) {
    EXPECT_EQ(f.DesignFile, other);
  }
  if (!goesOn || closes) {
    // The window, its design and its file name exactly as they were.
    EXPECT_EQ(f.Text34.Text, c.answer == Answer::None ? started : QStringLiteral("700"));
    EXPECT_EQ(f.DesignFile, c.answer == Answer::SaveAsCancelled ? QString() : mine);
    EXPECT_EQ(f.Caption, caption);
    EXPECT_EQ(f.Modified, !goesOn || c.answer == Answer::Discard);
  }
  // A kept design was not offered another file.
  if (!goesOn) {
    EXPECT_TRUE(x.fake.fileDialogs.opened.empty());
  }
}

std::vector<DropCase> dropCases() {
  const std::pair<Command, const char*> commands[] = {{Command::Close, "Close"},
                                                      {Command::WindowClose, "WindowClose"},
                                                      {Command::New, "New"},
                                                      {Command::Open, "Open"}};
  const std::pair<Answer, const char*> answers[] = {
      {Answer::None, "Unchanged"}, {Answer::Save, "Save"},           {Answer::Discard, "Discard"},
      {Answer::Cancel, "Cancel"},  {Answer::SaveFails, "SaveFails"}, {Answer::SaveAsCancelled, "SaveAsCancelled"}};
  std::vector<DropCase> cases;
  for (auto [command, commandName] : commands)
    for (auto [answer, answerName] : answers)
      cases.push_back({std::string(commandName) + answerName, command, answer});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Commands, DropQuestion, ::testing::ValuesIn(dropCases()),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
