// The part list and the datasheet lookup with its family fallback.
#include <gtest/gtest.h>

#include <ostream>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include "parts/datasheets.h"
#include "parts/partlist.h"
#include "parts/partnumbers.h"
#include "support/windowfixture.h"
#include "support/writtenfile.h"

namespace {

const QString kSheets = QStringLiteral("/programs/calverdon/datasheets/");

// A document opener that opens only the given files and records every path it was asked for.
class SomeDocuments : public platform::DocumentOpener {
 public:
  QSet<QString> present;
  QStringList asked;
  bool open(const QString& path) override {
    asked << path.mid(kSheets.size());
    return present.contains(path.mid(kSheets.size()));
  }
};

struct LookupCase {
  const char* partText;
  QStringList present;
  QStringList expectedTries;
  bool found;
};
void PrintTo(const LookupCase& c, std::ostream* os) { *os << '"' << c.partText << '"'; }

class Lookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(Lookup, TriesTheNamesInOrderAndReportsOnce) {
  const LookupCase& c = GetParam();
  WindowFixture w;
  SomeDocuments docs;
  docs.present = QSet<QString>(c.present.begin(), c.present.end());
  w.f.svc.documents = &docs;
  w.fake.paths.program = QStringLiteral("/programs/calverdon");
  parts::ShowDatasheet(w.f, parts::DatasheetName(QString::fromLatin1(c.partText)));
  EXPECT_EQ(docs.asked, c.expectedTries);
  ASSERT_EQ(w.fake.messages.shown.size(), 1u);
  EXPECT_EQ(w.fake.messages.shown[0].title, "Calverdon");
  EXPECT_EQ(w.fake.messages.shown[0].text,
            c.found ? QStringLiteral("Datasheet is the latest available at software release.\r"
                                     " For the latest version, check at www.marquenta.example.")
                    : QStringLiteral("No datasheet found on your computer."));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Lookup,
    ::testing::Values(
        LookupCase{"", {}, {".pdf"}, false},
        LookupCase{"KVR1202 ", {"kvr1202.pdf"}, {"kvr1202.pdf"}, true},
        LookupCase{"  Mq4400\t", {"mq4400.pdf"}, {"mq4400.pdf"}, true},
        LookupCase{"kvr1200", {}, {"kvr1200.pdf"}, false},
        LookupCase{"KVR120A", {}, {"kvr120a.pdf", "kvr1201.pdf", "kvr1200.pdf"}, false},
        LookupCase{"kvr1202", {"kvr1201.pdf"}, {"kvr1202.pdf", "kvr1201.pdf"}, true},
        LookupCase{"kvr1205", {"kvr1200.pdf"}, {"kvr1205.pdf", "kvr1201.pdf", "kvr1200.pdf"},
                   true},
        LookupCase{"kvr1211", {}, {"kvr1211.pdf", "kvr1210.pdf"}, false},
        LookupCase{"MQ4402", {"mq4401.pdf", "mq4400.pdf"}, {"mq4402.pdf"}, false},
        // A name with a folder in it names no sheet of the datasheet folder.
        LookupCase{"KVR1202/30", {}, {}, false}));

// A sheet that is on the disk but that the opener cannot open (no PDF viewer) is named in a
// message of its own, and the lookup stops there: the family's sheets are not tried after it.
TEST(DatasheetOnDisk, NoViewerGivesItsOwnMessageNamingTheFile) {
  struct Case {
    const char* partText;
    const char* onDisk;
    QStringList expectedTries;
  };
  for (const Case& c : {Case{"KVR1202", "kvr1202.pdf", {"kvr1202.pdf"}},
                        Case{"kvr1205", "kvr1201.pdf", {"kvr1205.pdf", "kvr1201.pdf"}}}) {
    QTemporaryDir program;
    ASSERT_TRUE(QDir(program.path()).mkdir(parts::kDatasheetFolder));
    const QString sheets = program.path() + QStringLiteral("/datasheets/");
    ASSERT_TRUE(WriteTestFile(sheets + QLatin1String(c.onDisk), "%PDF-1.4\n"));
    WindowFixture w;
    w.fake.paths.program = program.path();
    w.fake.documents.succeed = false;
    parts::ShowDatasheet(w.f, parts::DatasheetName(QString::fromLatin1(c.partText)));
    QStringList tries;
    for (const QString& path : w.fake.documents.opened) tries << path.mid(sheets.size());
    EXPECT_EQ(tries, c.expectedTries) << c.partText;
    EXPECT_EQ(w.fake.messages.texts(),
              QStringList{"No viewer could open the datasheet " + sheets + c.onDisk +
                          ". Install a PDF viewer to read it."})
        << c.partText;
  }
}

TEST(ShellOpen, TellsAMissingFileFromAFileNothingOpens) {
  fakes::FakeDocuments docs;
  docs.succeed = false;
  EXPECT_EQ(parts::ShellOpenDocument(&docs, QStringLiteral("/nonexistent/x.pdf")), 2);
  EXPECT_EQ(parts::ShellOpenDocument(&docs, QDir::currentPath()), parts::kShellFileNotFound);
  EXPECT_EQ(parts::ShellOpenDocument(&docs, QStringLiteral(CALVERDON_MODEL_LIBRARY)),
            parts::kShellNoAssociation);
  docs.succeed = true;
  EXPECT_GT(parts::ShellOpenDocument(&docs, QStringLiteral("/nonexistent/x.pdf")), 32);
}

QByteArray shippedLibrary() {
  QFile f(QStringLiteral(CALVERDON_MODEL_LIBRARY));
  EXPECT_TRUE(f.open(QIODevice::ReadOnly));
  return f.readAll();
}

TEST(PartListWindow, ListsThePartNumbersOfTheModelLibraryAndOpensWithoutBlocking) {
  WindowFixture w;
  w.fake.paths.program = QStringLiteral(CALVERDON_RESOURCES);
  parts::ShowPartList_Click(w.f);
  parts::PartList& list = parts::PartListWindow();
  ASSERT_EQ(w.fake.windows.shown.size(), 1u);
  EXPECT_EQ(w.fake.windows.shown[0].form, &list);
  EXPECT_FALSE(w.fake.windows.shown[0].modal);
  EXPECT_EQ(list.Caption, "Part List");
  EXPECT_EQ(list.OpAmpSelection.items().size(), 14);
  EXPECT_EQ(list.OpAmpSelection.List(0), "KVR1202");
  EXPECT_TRUE(list.OpAmpSelection.items().contains("ZLN3150X"));
  EXPECT_EQ(list.DBGrid1.Columns.size(), 7);
  EXPECT_TRUE(list.DBGrid1.Rows.empty());

  // "Data Sheet" opens the sheet of what the list shows.
  list.OpAmpSelection.setFromUser(2, list.OpAmpSelection.List(2));
  list.raise(list.cmdDS, forms::Event::Click);
  EXPECT_EQ(w.fake.documents.opened,
            QStringList{QStringLiteral(CALVERDON_RESOURCES) + "/datasheets/kvr4020.pdf"});
}

// Every listed part has a one-page datasheet made from its documented figures at build time.
TEST(ShippedDatasheets, OneSheetPerListedPart) {
  const QByteArray library = shippedLibrary();
  const QStringList numbers = parts::PartNumbers(library);
  ASSERT_FALSE(numbers.isEmpty());
  for (const QString& n : numbers) {
    QFile sheet(QStringLiteral(CALVERDON_BUILD_BIN) + "/datasheets/" + parts::DatasheetName(n));
    ASSERT_TRUE(sheet.open(QIODevice::ReadOnly)) << n.toStdString();
    const QByteArray pdf = sheet.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF")) << n.toStdString();
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r"), 1) << n.toStdString();
  }
  for (const parts::DocumentedModel& m : parts::DocumentedModels(library)) {
    EXPECT_FALSE(m.Description.isEmpty()) << m.ModelName.toStdString();
    EXPECT_GE(m.Figures.size(), 5u) << m.ModelName.toStdString();
  }
}

TEST(DocumentedModels, ReadsTheFiguresOfTheModelsCommentBlock) {
  const std::vector<parts::DocumentedModel> models = parts::DocumentedModels(shippedLibrary());
  ASSERT_FALSE(models.empty());
  const parts::DocumentedModel& m = models[0];
  EXPECT_EQ(m.ModelName, "KVR1202/30");
  EXPECT_EQ(m.PartNumber, "KVR1202");
  EXPECT_EQ(m.Description, "general-purpose bipolar op-amp");
  ASSERT_EQ(m.Figures.size(), 6u);
  EXPECT_EQ(m.Figures[1].first, "Gain-bandwidth");
  EXPECT_EQ(m.Figures[1].second, "1.2 MHz");
  EXPECT_EQ(m.Figures[3].second, "+/-5 V to +/-18 V (10 V to 36 V total)");
}

}  // namespace
