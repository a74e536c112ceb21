#include "parts/sqliterecords.h"

#include <QAtomicInt>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "platform/paths.h"

namespace parts {

namespace {

const QString kTable = QStringLiteral("amplifiers");

QString fieldName(int column) { return QString::fromLatin1(AmplifierColumns()[column].field); }

QString fieldList() {
  QStringList names;
  for (int c = 0; c < kAmplifierFieldCount; ++c) names << fieldName(c);
  return names.join(QStringLiteral(", "));
}

QString placeholders() {
  QStringList marks;
  for (int c = 0; c < kAmplifierFieldCount; ++c) marks << QStringLiteral("?");
  return marks.join(QStringLiteral(", "));
}

QString createStatement() {
  QStringList fields{QStringLiteral("id INTEGER PRIMARY KEY AUTOINCREMENT")};
  for (int c = 0; c < kAmplifierFieldCount; ++c)
    fields << fieldName(c) + QStringLiteral(" TEXT NOT NULL");
  return QStringLiteral("CREATE TABLE %1 (%2)").arg(kTable, fields.join(QStringLiteral(", ")));
}

QString insertStatement() {
  return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(kTable, fieldList(), placeholders());
}

// SQLite's result codes that say why a database cannot be used.
constexpr int kSqliteBusy = 5, kSqliteLocked = 6, kSqliteCorrupt = 11, kSqliteNotADatabase = 26;

// The one message of a database that cannot be used, naming its file.
QString databaseError(const QString& path, const QSqlError& e) {
  const int code = e.nativeErrorCode().toInt();
  if (code == kSqliteBusy || code == kSqliteLocked)
    return QStringLiteral("The amplifier database %1 is in use by another program. Nothing in "
                          "it was changed.")
        .arg(path);
  if (code == kSqliteCorrupt || code == kSqliteNotADatabase)
    return QStringLiteral("The amplifier database %1 is damaged or is not a database. Nothing "
                          "in it was changed.")
        .arg(path);
  return QStringLiteral("The amplifier database %1 could not be used: %2").arg(path, e.text());
}

QString layoutError(const QString& path, const QString& missing) {
  return QStringLiteral("The amplifier database %1 has another layout (no field %2). Nothing in "
                        "it was changed.")
      .arg(path, missing);
}

// What the database holds: no table at all (a new database), the record table with these
// fields, or another program's tables. Nothing, with the reason in error, when it cannot be read.
struct Layout {
  bool empty = false;
  QStringList recordFields;  // the record table's fields (none: no record table)
};

std::optional<Layout> layoutOf(QSqlDatabase& db, const QString& path, QString& error) {
  Layout layout;
  QSqlQuery tables(db);
  if (!tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
    error = databaseError(path, tables.lastError());
    return std::nullopt;
  }
  bool hasRecords = false, any = false;
  while (tables.next()) {
    any = true;
    hasRecords = hasRecords || tables.value(0).toString() == kTable;
  }
  layout.empty = !any;
  if (!hasRecords) return layout;
  QSqlQuery fields(db);
  if (!fields.exec(QStringLiteral("PRAGMA table_info(%1)").arg(kTable))) {
    error = databaseError(path, fields.lastError());
    return std::nullopt;
  }
  while (fields.next()) layout.recordFields << fields.value(1).toString();
  return layout;
}

// Runs `change` inside a transaction: committed when it succeeds, rolled back otherwise.
// The write lock is taken at the start ("BEGIN IMMEDIATE"), so a database another program
// holds is refused before anything is written.
template <class Change>
bool inTransaction(QSqlDatabase& db, QString& error, Change change) {
  const QString path = db.databaseName();
  QSqlQuery begin(db);
  if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
    error = databaseError(path, begin.lastError());
    return false;
  }
  if (change(error)) {
    QSqlQuery commit(db);
    if (commit.exec(QStringLiteral("COMMIT"))) return true;
    error = databaseError(path, commit.lastError());
  }
  QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
  return false;
}

bool insertRecord(QSqlDatabase& db, const QStringList& fields, QString& error,
                  qint64* id = nullptr) {
  QSqlQuery q(db);
  q.prepare(insertStatement());
  for (int c = 0; c < kAmplifierFieldCount; ++c) q.addBindValue(fields.value(c));
  if (!q.exec()) {
    error = databaseError(db.databaseName(), q.lastError());
    return false;
  }
  if (id) *id = q.lastInsertId().toLongLong();
  return true;
}

}  // namespace

bool ReadRecordTable(const QString& path, std::vector<QStringList>& records, QString& error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = QStringLiteral("The record table %1 cannot be read.").arg(path);
    return false;
  }
  QString text = QString::fromUtf8(file.readAll());
  text.remove(QLatin1Char('\r'));
  const QStringList lines = text.split(QLatin1Char('\n'));
  records.clear();
  for (qsizetype i = 1; i < lines.size(); ++i) {  // line 0 names the fields
    if (lines[i].trimmed().isEmpty()) continue;
    const QStringList fields = lines[i].split(QLatin1Char('\t'));
    if (fields.size() != kAmplifierFieldCount) {
      error = QStringLiteral("Line %1 of the record table %2 holds %3 fields, not %4.")
                  .arg(i + 1)
                  .arg(path)
                  .arg(fields.size())
                  .arg(kAmplifierFieldCount);
      return false;
    }
    records.push_back(fields);
  }
  return true;
}

std::unique_ptr<SqliteAmplifierRecords> SqliteAmplifierRecords::Open(const QString& databasePath,
                                                                     const QString& shippedTable,
                                                                     QString& error) {
  static QAtomicInt counter;
  const QString name = QStringLiteral("calverdon-records-%1").arg(counter.fetchAndAddRelaxed(1));
  std::unique_ptr<SqliteAmplifierRecords> store(new SqliteAmplifierRecords(name, databasePath));
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
  db.setDatabaseName(databasePath);
  db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kRecordBusyWaitMs));
  if (!db.open()) {
    error = databaseError(databasePath, db.lastError());
    return nullptr;
  }
  const std::optional<Layout> layout = layoutOf(db, databasePath, error);
  if (!layout) return nullptr;
  if (!layout->recordFields.isEmpty()) {
    for (int c = 0; c < kAmplifierFieldCount; ++c)
      if (!layout->recordFields.contains(fieldName(c))) {
        error = layoutError(databasePath, fieldName(c));
        return nullptr;
      }
    return store;
  }
  if (!layout->empty) {  // another program's database: its tables are not ours to add to
    error = layoutError(databasePath, kTable);
    return nullptr;
  }
  std::vector<QStringList> shipped;
  if (!ReadRecordTable(shippedTable, shipped, error)) return nullptr;
  const bool filled = inTransaction(db, error, [&](QString& e) {
    QSqlQuery create(db);
    if (!create.exec(createStatement())) {
      e = databaseError(databasePath, create.lastError());
      return false;
    }
    for (const QStringList& r : shipped)
      if (!insertRecord(db, r, e)) return false;
    return true;
  });
  return filled ? std::move(store) : nullptr;
}

std::unique_ptr<SqliteAmplifierRecords> SqliteAmplifierRecords::OpenForUser(
    platform::Paths& paths, QString& error) {
  return Open(paths.sharedUserFolder() + QLatin1Char('/') + kRecordDatabase,
              paths.programFolder() + QLatin1Char('/') + kShippedRecordTable, error);
}

SqliteAmplifierRecords::~SqliteAmplifierRecords() {
  {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (db.isOpen()) db.close();
  }
  QSqlDatabase::removeDatabase(connection_);
}

std::vector<AmplifierRecord> SqliteAmplifierRecords::Records(std::optional<SortKey> order,
                                                             QString* error) {
  QString sql = QStringLiteral("SELECT id, %1 FROM %2").arg(fieldList(), kTable);
  if (order && order->field >= 0 && order->field < kAmplifierFieldCount) {
    const QString f = fieldName(order->field);
    sql += order->numeric ? QStringLiteral(" ORDER BY CAST(%1 AS REAL), id").arg(f)
                          : QStringLiteral(" ORDER BY %1 COLLATE NOCASE, id").arg(f);
  } else {
    sql += QStringLiteral(" ORDER BY id");
  }
  std::vector<AmplifierRecord> records;
  QSqlQuery q(QSqlDatabase::database(connection_));
  if (!q.exec(sql)) {
    if (error) *error = databaseError(path_, q.lastError());
    return records;
  }
  while (q.next()) {
    AmplifierRecord r;
    r.Id = q.value(0).toLongLong();
    for (int c = 0; c < kAmplifierFieldCount; ++c) r.Fields << q.value(c + 1).toString();
    records.push_back(std::move(r));
  }
  return records;
}

int SqliteAmplifierRecords::Count() {
  QSqlQuery q(QSqlDatabase::database(connection_));
  if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(kTable)) || !q.next()) return 0;
  return q.value(0).toInt();
}

std::optional<qint64> SqliteAmplifierRecords::Add(const QStringList& fields, QString& error) {
  QSqlDatabase db = QSqlDatabase::database(connection_);
  qint64 id = 0;
  if (!inTransaction(db, error, [&](QString& e) { return insertRecord(db, fields, e, &id); }))
    return std::nullopt;
  return id;
}

bool SqliteAmplifierRecords::Update(qint64 id, const std::map<int, QString>& changed,
                                    QString& error) {
  QSqlDatabase db = QSqlDatabase::database(connection_);
  return inTransaction(db, error, [&](QString& e) {
    QStringList sets;
    for (const auto& [column, text] : changed)
      if (column >= 0 && column < kAmplifierFieldCount)
        sets << fieldName(column) + QStringLiteral(" = ?");
    QSqlQuery q(db);
    // No field changed: the statement only checks that the record is still stored.
    q.prepare(sets.isEmpty()
                  ? QStringLiteral("UPDATE %1 SET id = id WHERE id = ?").arg(kTable)
                  : QStringLiteral("UPDATE %1 SET %2 WHERE id = ?")
                        .arg(kTable, sets.join(QStringLiteral(", "))));
    for (const auto& [column, text] : changed)
      if (column >= 0 && column < kAmplifierFieldCount) q.addBindValue(text);
    q.addBindValue(id);
    if (!q.exec()) {
      e = databaseError(path_, q.lastError());
      return false;
    }
    if (q.numRowsAffected() != 1) {
      e = QStringLiteral("The record is no longer stored.");
      return false;
    }
    return true;
  });
}

}  // namespace parts
