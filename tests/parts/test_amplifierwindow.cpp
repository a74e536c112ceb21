// The amplifier record window on a real SQLite database made from the shipped record table.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtGlobal>

#include "fakes/fake_services.h"
#include "parts/amplifierwindow.h"
#include "parts/sqliterecords.h"

namespace {

const QString kShippedTable = QStringLiteral(CALVERDON_RESOURCES "/amplifiers.tsv");

// A record that passes every check; tests change one field of it.
QStringList validRecord() {
  QStringList f(QList<QString>(parts::kAmplifierFieldCount, QStringLiteral("x")));
  f[0] = "ZZ100";
  f[3] = "10";
  f[4] = "5";
  f[5] = "1";
  f[6] = "2";
  f[7] = "1";
  f[12] = "0.1";
  f[13] = "12";
  f[14] = "SM";
  return f;
}

// Another program's connection to a record database: plain SQL, no code of the program.
class OtherProgram {
 public:
  explicit OtherProgram(const QString& path)
      : name_(QStringLiteral("other-program-%1").arg(++count_)) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db.setDatabaseName(path);
    EXPECT_TRUE(db.open());
  }
  ~OtherProgram() {
    QSqlDatabase::database(name_, false).close();
    QSqlDatabase::removeDatabase(name_);
  }
  void exec(const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(name_));
    EXPECT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
  }
  // Every field of the record with this device name, as stored.
  QStringList record(const QString& device) {
    QSqlQuery q(QSqlDatabase::database(name_));
    q.prepare(QStringLiteral("SELECT * FROM amplifiers WHERE device_name = ?"));
    q.addBindValue(device);
    QStringList fields;
    if (q.exec() && q.next())
      for (int c = 1; c < q.record().count(); ++c) fields << q.value(c).toString();  // 0: id
    return fields;
  }

 private:
  static inline int count_ = 0;
  QString name_;
};

struct RecordWindow : ::testing::Test {
  QTemporaryDir dir;
  std::unique_ptr<parts::SqliteAmplifierRecords> store;
  fakes::FakeMessages messages;
  fakes::FakeWindows windows;
  QStringList logged;
  parts::AmplifierRecordWindow w;

  void SetUp() override {
    QString error;
    store = parts::SqliteAmplifierRecords::Open(databasePath(), kShippedTable, error);
    ASSERT_TRUE(store) << error.toStdString();
  }
  QString databasePath() const { return dir.filePath("amplifiers.sqlite"); }
  void open(const QString& selection = {}) {
    parts::RecordWindowCaller caller;
    caller.records = store.get();
    caller.messages = &messages;
    caller.windows = &windows;
    caller.log = [this](const QString& line) { logged << line; };
    parts::OpenKVRampsForm(w, caller, selection);
  }
  QStringList column(int c) const {
    QStringList values;
    for (const QStringList& row : w.DBGrid1.Rows) values << row.value(c);
    return values;
  }
  std::vector<parts::AmplifierRecord> stored() { return store->Records(std::nullopt); }
  void exec(const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(store->connectionName()));
    ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
  }
  // Adds a row through the menu and types the fields into it, as the grid does.
  void typeNewRecord(const QStringList& fields) {
    w.raise(w.mnuMenuAdd, forms::Event::Click);
    ASSERT_GE(w.DBGrid1.EditRow, 0);
    w.DBGrid1.Rows[w.DBGrid1.EditRow] = fields;
  }
  void clickEdit() { w.raise(w.cbEdit, forms::Event::Click); }
};

TEST_F(RecordWindow, OpensOnTheShippedRecordsAtTheCallersSelection) {
  open(QStringLiteral(" MQ4400 "));
  ASSERT_EQ(windows.shown.size(), 1u);
  EXPECT_FALSE(windows.shown[0].modal);
  EXPECT_EQ(w.Caption, "High Speed Amplifier Database");
  EXPECT_EQ(w.DBGrid1.Rows.size(), 14u);
  EXPECT_EQ(w.lblNumAmps.Caption, "Qty = 14");
  EXPECT_EQ(logged, (QStringList{"  KVRamps record count = 14", "  Current KVRamps = MQ4400"}));
  ASSERT_GE(w.DBGrid1.Row, 0);
  EXPECT_EQ(w.DBGrid1.Rows[w.DBGrid1.Row][0], "MQ4400");
  EXPECT_EQ(w.DBGrid1.EditRow, -1);  // read-only

  ASSERT_EQ(w.DBGrid1.Columns.size(), 35);
  EXPECT_EQ(w.DBGrid1.Columns[4], "RR Input\rT/F");
  EXPECT_EQ(w.DBGrid1.Columns[34], "Height");
  EXPECT_EQ(std::vector<int>(w.DBGrid1.ColumnWidths.begin(), w.DBGrid1.ColumnWidths.begin() + 8),
            (std::vector<int>{1000, 700, 2000, 1000, 900, 900, 900, 1500}));
  EXPECT_EQ(parts::ShownFieldText(13, "0.5"), "0.500");
  EXPECT_EQ(parts::ShownFieldText(20, "2"), "2.00");
  EXPECT_EQ(parts::ShownFieldText(20, "-"), "-");
}

QStringList qtLog;
void keepQtLog(QtMsgType, const QMessageLogContext& context, const QString& text) {
  qtLog << QString::fromLatin1(context.category) + ": " + text;
}

TEST_F(RecordWindow, WithoutTheCallersLogTheLinesGoThroughQtLogging) {
  parts::RecordWindowCaller caller;
  caller.records = store.get();
  qtLog.clear();
  const QtMessageHandler previous = qInstallMessageHandler(&keepQtLog);
  parts::OpenKVRampsForm(w, caller, QStringLiteral("KVR1202"));
  qInstallMessageHandler(previous);
  EXPECT_EQ(qtLog, (QStringList{"calverdon.records:   KVRamps record count = 14",
                                "calverdon.records:   Current KVRamps = KVR1202"}));
}

TEST_F(RecordWindow, ASelectionNotListedLeavesNoCurrentRecord) {
  open(QStringLiteral("XYZ"));
  EXPECT_EQ(w.DBGrid1.Row, -1);
  EXPECT_EQ(logged.value(1), "  Current KVRamps = ");
}

TEST(SortWords, SelectAFieldAndItsKind) {
  using parts::SortKey;
  EXPECT_EQ(parts::SortKeyOf("Part Number"), (SortKey{0, false}));
  EXPECT_EQ(parts::SortKeyOf("DeviceName"), (SortKey{0, false}));
  EXPECT_EQ(parts::SortKeyOf("VALUE"), (SortKey{3, true}));
  EXPECT_EQ(parts::SortKeyOf("tol"), (SortKey{12, true}));
  EXPECT_EQ(parts::SortKeyOf("Height"), (SortKey{13, true}));
  EXPECT_EQ(parts::SortKeyOf("area"), (SortKey{17, true}));
  EXPECT_EQ(parts::SortKeyOf("region"), (SortKey{20, false}));
  // Headings that are no sort word sort their own column.
  EXPECT_EQ(parts::SortKeyOf("Supplier"), (SortKey{1, false}));
  EXPECT_EQ(parts::SortKeyOf("Min Vcc\r(V)"), (SortKey{6, true}));
  EXPECT_EQ(parts::SortKeyOf("BW"), (SortKey{9, true}));
  EXPECT_EQ(parts::SortKeyOf("nonsense"), std::nullopt);
}

TEST_F(RecordWindow, TheDatabaseSortsByTheWordInTheSortBox) {
  open();
  w.txtSortBy.Text = "DeviceName";
  w.raise(w.txtSortBy, forms::Event::Change);
  QStringList names = column(0);
  EXPECT_EQ(names.first(), "KVR1202");
  EXPECT_EQ(names.last(), "ZLN3150X");
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));

  // A heading click puts its caption in the box; the bandwidths sort as numbers, not as texts.
  w.DBGrid1.Col = 9;
  w.raise(w.DBGrid1, forms::Event::HeadClick);
  EXPECT_EQ(w.txtSortBy.Text, "BW");
  names = column(0);
  EXPECT_EQ(names.first(), "ZLN0910");  // 1 MHz
  EXPECT_EQ(names.value(1), "KVR1202");  // 1.2 MHz
  EXPECT_EQ(names.last(), "ZLN3150X");   // 1 GHz
}

struct CheckCase {
  int column;
  const char* text;
  const char* message;  // nullptr: the record is stored
};
void PrintTo(const CheckCase& c, std::ostream* os) {
  *os << "column " << c.column << " '" << c.text << "'";
}

class CommitChecks : public RecordWindow, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CommitChecks, RefuseWithTheFirstFailedRuleOrStore) {
  const CheckCase& c = GetParam();
  open();
  const auto before = stored();
  QStringList fields = validRecord();
  fields[c.column] = QString::fromLatin1(c.text);
  typeNewRecord(fields);
  clickEdit();
  if (c.message) {
    EXPECT_EQ(messages.texts(), QStringList{QString::fromLatin1(c.message)});
    EXPECT_EQ(messages.shown[0].title, "Calverdon");
    EXPECT_TRUE(w.Editing);
    EXPECT_EQ(w.DBGrid1.Rows[w.DBGrid1.EditRow], fields);  // nothing typed is lost
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(w.lblNumAmps.Caption, "Qty = 14");
  } else {
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join("|").toStdString();
    EXPECT_FALSE(w.Editing);
    EXPECT_EQ(store->Count(), 15);
    EXPECT_EQ(w.lblNumAmps.Caption, "Qty = 15");
    EXPECT_EQ(logged.last(), "  KVRamps added to KVRamps.bin file,   New record count = 15");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CommitChecks,
    ::testing::Values(
        CheckCase{0, "x", nullptr},
        CheckCase{0, "", "All fields must be filled."},
        CheckCase{34, "  ", "All fields must be filled."},
        CheckCase{3, "0", "Value field must be > 0 and <= 10000 uF."},
        CheckCase{3, "10000", nullptr},
        CheckCase{3, "10000.5", "Value field must be > 0 and <= 10000 uF."},
        CheckCase{3, "ten", "Value field must be > 0 and <= 10000 uF."},
        CheckCase{4, "1000.1", "Voltage field must be > 0  and <= 1000 V."},
        CheckCase{5, "0", "MinESR field must be > 0 and  <= 100 Ohms."},
        CheckCase{6, "101", "MaxESR field must be > 0 and  <= 100 Ohms."},
        CheckCase{7, "100", nullptr},
        CheckCase{7, "100.5", "Iripple field must be > 0 and <= 100 A."},
        CheckCase{12, "0", nullptr},
        CheckCase{12, "1.5", "Tolerance field must be >= 0 and <= 1."},
        CheckCase{12, "-0.1", "Tolerance field must be >= 0 and <= 1."},
        CheckCase{13, "1000.01", "Area field must be > 0 and <= 1000 sq.mm."},
        CheckCase{14, "TH", nullptr},
        CheckCase{14, "sm", "Mount field must be either 'SM' or 'TH'."}));

TEST_F(RecordWindow, TheFirstFieldThatFailsGivesTheMessage) {
  open();
  QStringList fields = validRecord();
  fields[3] = "0";
  fields[20] = "";
  typeNewRecord(fields);
  clickEdit();
  EXPECT_EQ(messages.texts(), QStringList{"Value field must be > 0 and <= 10000 uF."});
}

TEST_F(RecordWindow, EditModeAndCancel) {
  open();
  typeNewRecord(validRecord());
  EXPECT_TRUE(w.cbCancel.Visible);
  EXPECT_TRUE(w.cbEdit.Visible);  // the button that stores the row
  EXPECT_FALSE(w.cbSelect.Enabled);
  EXPECT_FALSE(w.cbClose.Enabled);
  EXPECT_EQ(w.DBGrid1.EditRow, 14);
  EXPECT_EQ(w.DBGrid1.Col, 0);
  EXPECT_EQ(w.ActiveControl, &w.DBGrid1);

  w.raise(w.cbCancel, forms::Event::Click);
  EXPECT_FALSE(w.cbCancel.Visible);
  EXPECT_TRUE(w.cbSelect.Enabled);
  EXPECT_TRUE(w.cbClose.Enabled);
  EXPECT_EQ(w.DBGrid1.EditRow, -1);
  EXPECT_EQ(w.DBGrid1.Rows.size(), 14u);
  EXPECT_EQ(store->Count(), 14);
}

TEST_F(RecordWindow, AStoreThatRefusesTheCommitLosesNothing) {
  open();
  const auto before = stored();
  exec("CREATE TRIGGER refuse BEFORE INSERT ON amplifiers BEGIN SELECT RAISE(ABORT, 'disk full'); END");
  typeNewRecord(validRecord());
  clickEdit();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].text.startsWith("The record could not be stored: "));
  EXPECT_TRUE(messages.shown[0].text.contains("disk full"));
  EXPECT_TRUE(w.Editing);
  EXPECT_EQ(w.DBGrid1.Rows[w.DBGrid1.EditRow], validRecord());
  EXPECT_EQ(stored(), before);

  // Once the store takes it again, the same row is stored.
  exec("DROP TRIGGER refuse");
  clickEdit();
  EXPECT_FALSE(w.Editing);
  EXPECT_EQ(store->Count(), 15);
}

TEST_F(RecordWindow, ChangingARecordIsOneTransaction) {
  open(QStringLiteral("KVR1450"));
  const auto before = stored();
  clickEdit();  // browse mode: edit the current row
  ASSERT_TRUE(w.Editing);
  const int row = w.DBGrid1.EditRow;
  QStringList fields = validRecord();
  fields[0] = "KVR1450B";
  w.DBGrid1.Rows[row] = fields;

  // A change that fails after the row was written is rolled back as a whole.
  exec("CREATE TRIGGER refuse AFTER UPDATE ON amplifiers BEGIN SELECT RAISE(ABORT, 'locked'); END");
  clickEdit();
  EXPECT_TRUE(w.Editing);
  EXPECT_EQ(stored(), before);

  exec("DROP TRIGGER refuse");
  clickEdit();
  EXPECT_FALSE(w.Editing);
  EXPECT_EQ(logged.last(), "  Cap updated in KVRamps.bin file, ");
  EXPECT_EQ(store->Count(), 14);
  const auto after = stored();
  EXPECT_EQ(after[1].Fields[0], "KVR1450B");
  EXPECT_EQ(w.DBGrid1.Rows[w.DBGrid1.Row][0], "KVR1450B");
}

TEST_F(RecordWindow, SelectTakesTheCurrentDeviceAndCloseHides) {
  open(QStringLiteral("MT7100"));
  parts::SelectNewKVRamps(w);
  EXPECT_EQ(w.SelectedDevice, "MT7100");
  ASSERT_EQ(windows.closed.size(), 1u);
  w.raise(w.cbClose, forms::Event::Click);
  EXPECT_EQ(windows.closed.size(), 2u);
}

TEST(RecordDatabase, IsMadeInTheUserFolderOnFirstUseAndKeptAfterwards) {
  QTemporaryDir user;
  fakes::FakePaths paths;
  paths.user = user.path();
  paths.program = QStringLiteral(CALVERDON_RESOURCES);
  QString error;
  {
    auto store = parts::SqliteAmplifierRecords::OpenForUser(paths, error);
    ASSERT_TRUE(store) << error.toStdString();
    EXPECT_TRUE(QFile::exists(user.filePath("amplifiers.sqlite")));
    EXPECT_EQ(store->Count(), 14);
    ASSERT_TRUE(store->Add(validRecord(), error));
  }
  auto again = parts::SqliteAmplifierRecords::OpenForUser(paths, error);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->Count(), 15);  // not filled a second time
}

TEST(RecordDatabase, ADamagedShippedTableMakesNoRecordTable) {
  QTemporaryDir dir;
  QFile table(dir.filePath("amplifiers.tsv"));
  ASSERT_TRUE(table.open(QIODevice::WriteOnly));
  table.write("device_name\tsupplier\nKVR1\tMarquenta\n");
  table.close();
  QString error;
  EXPECT_FALSE(parts::SqliteAmplifierRecords::Open(dir.filePath("a.sqlite"), table.fileName(), error));
  EXPECT_TRUE(error.contains("Line 2")) << error.toStdString();
  // A later start with a sound table fills the database.
  auto store = parts::SqliteAmplifierRecords::Open(dir.filePath("a.sqlite"), kShippedTable, error);
  ASSERT_TRUE(store);
  EXPECT_EQ(store->Count(), 14);
}

TEST_F(RecordWindow, ACommitStoresWhatWasTypedAndLeavesEveryOtherFieldAsStored) {
  open();
  QStringList typed = validRecord();
  typed[13] = "12.3456";  // Diff. Gain, shown as 0.000
  typed[20] = "0.0012";   // Ib, shown as 0.00
  typeNewRecord(typed);
  clickEdit();
  ASSERT_FALSE(w.Editing) << messages.texts().join("|").toStdString();
  OtherProgram sql(databasePath());
  EXPECT_EQ(sql.record("ZZ100"), typed);
  sql.exec("UPDATE amplifiers SET vn = ' 4.5 nV ' WHERE device_name = 'ZZ100'");
  typed[15] = " 4.5 nV ";  // blanks kept by a field nobody edits

  // Browse mode shows the formats; the row being edited shows what is stored.
  open("ZZ100");
  const int row = w.DBGrid1.Row;
  ASSERT_GE(row, 0);
  EXPECT_EQ(w.DBGrid1.Rows[row][13], "12.346");
  EXPECT_EQ(w.DBGrid1.Rows[row][20], "0.00");
  clickEdit();
  ASSERT_TRUE(w.Editing);
  EXPECT_EQ(w.DBGrid1.Rows[row], typed);

  // Only the description is typed: every other field stays as stored.
  w.DBGrid1.Rows[row][2] = "  a new description ";
  clickEdit();
  ASSERT_FALSE(w.Editing) << messages.texts().join("|").toStdString();
  typed[2] = "a new description";
  EXPECT_EQ(sql.record("ZZ100"), typed);

  // Typing over a shown format stores what was typed.
  open("ZZ100");
  clickEdit();
  w.DBGrid1.Rows[w.DBGrid1.EditRow][20] = "0.0015";
  clickEdit();
  typed[20] = "0.0015";
  EXPECT_EQ(sql.record("ZZ100"), typed);
  EXPECT_TRUE(messages.shown.empty()) << messages.texts().join("|").toStdString();
}

TEST_F(RecordWindow, ADatabaseAnotherProgramHoldsRefusesTheCommitWithOneMessageNamingIt) {
  open();
  typeNewRecord(validRecord());
  clickEdit();
  ASSERT_FALSE(w.Editing) << messages.texts().join("|").toStdString();
  const auto before = stored();
  auto other = std::make_unique<OtherProgram>(databasePath());
  other->exec("BEGIN EXCLUSIVE");
  clickEdit();
  w.DBGrid1.Rows[w.DBGrid1.EditRow][2] = "changed";
  clickEdit();
  ASSERT_EQ(messages.shown.size(), 1u) << messages.texts().join("|").toStdString();
  EXPECT_TRUE(messages.shown[0].text.contains(databasePath()));
  EXPECT_TRUE(messages.shown[0].text.contains("in use by another program"));
  EXPECT_TRUE(w.Editing);
  EXPECT_EQ(w.DBGrid1.Rows[w.DBGrid1.EditRow][2], "changed");  // nothing typed is lost

  other->exec("ROLLBACK");
  other.reset();
  EXPECT_EQ(stored(), before);
  clickEdit();
  EXPECT_FALSE(w.Editing);
  EXPECT_EQ(stored().back().Fields[2], "changed");
}

TEST(RecordDatabase, AnUnusableDatabaseIsRefusedWithOneMessageNamingItAndLeftAsItWas) {
  QStringList oldFields;
  for (int c = 0; c < parts::kAmplifierFieldCount - 1; ++c)  // no "height"
    oldFields << QString::fromLatin1(parts::AmplifierColumns()[c].field) + " TEXT";
  const struct {
    const char* name;
    std::function<void(const QString& path)> make;
    const char* says;
  } cases[] = {
      {"held by another program",
       [](const QString& path) {
         QString error;
         ASSERT_TRUE(parts::SqliteAmplifierRecords::Open(path, kShippedTable, error));
       },
       "is in use by another program"},
      {"damaged",
       [](const QString& path) {
         QFile file(path);
         ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         file.write(QByteArray(4096, '\x5a'));
       },
       "is damaged or is not a database"},
      {"an older layout",
       [&oldFields](const QString& path) {
         OtherProgram sql(path);
         sql.exec("CREATE TABLE amplifiers (id INTEGER PRIMARY KEY, " + oldFields.join(", ") + ")");
         sql.exec("INSERT INTO amplifiers (device_name) VALUES ('OLD1')");
       },
       "has another layout (no field height)"},
      {"another program's",
       [](const QString& path) { OtherProgram(path).exec("CREATE TABLE notes (text TEXT)"); },
       "has another layout (no field amplifiers)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    const QString path = dir.filePath("amplifiers.sqlite");
    c.make(path);
    std::optional<OtherProgram> holder;
    if (QString::fromLatin1(c.says).contains("in use")) {
      holder.emplace(path);
      holder->exec("BEGIN EXCLUSIVE");
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();

    QString error;
    EXPECT_FALSE(parts::SqliteAmplifierRecords::Open(path, kShippedTable, error));
    EXPECT_TRUE(error.contains(path + " " + c.says)) << error.toStdString();
    EXPECT_TRUE(error.endsWith("Nothing in it was changed.")) << error.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
  }
}

}  // namespace
