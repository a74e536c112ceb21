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

bool hasTable(QSqlDatabase& db) { return db.tables().contains(kTable); }

// Runs `change` inside a transaction: committed when it succeeds, rolled back otherwise.
template <class Change>
bool inTransaction(QSqlDatabase& db, QString& error, Change change) {
  if (!db.transaction()) {
    error = db.lastError().text();
    return false;
  }
  if (!change(error) || !db.commit()) {
    if (error.isEmpty()) error = db.lastError().text();
    db.rollback();
    return false;
  }
  return true;
}

bool insertRecord(QSqlDatabase& db, const QStringList& fields, QString& error,
                  qint64* id = nullptr) {
  QSqlQuery q(db);
  q.prepare(insertStatement());
  for (int c = 0; c < kAmplifierFieldCount; ++c) q.addBindValue(fields.value(c));
  if (!q.exec()) {
    error = q.lastError().text();
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
  std::unique_ptr<SqliteAmplifierRecords> store(new SqliteAmplifierRecords(name));
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
  db.setDatabaseName(databasePath);
  if (!db.open()) {
    error = db.lastError().text();
    return nullptr;
  }
  if (hasTable(db)) return store;
  std::vector<QStringList> shipped;
  if (!ReadRecordTable(shippedTable, shipped, error)) return nullptr;
  const bool filled = inTransaction(db, error, [&](QString& e) {
    QSqlQuery create(db);
    if (!create.exec(createStatement())) {
      e = create.lastError().text();
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
  return Open(paths.userFolder() + QLatin1Char('/') + kRecordDatabase,
              paths.programFolder() + QLatin1Char('/') + kShippedRecordTable, error);
}

SqliteAmplifierRecords::~SqliteAmplifierRecords() {
  {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (db.isOpen()) db.close();
  }
  QSqlDatabase::removeDatabase(connection_);
}

std::vector<AmplifierRecord> SqliteAmplifierRecords::Records(std::optional<SortKey> order) {
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
  if (!q.exec(sql)) return records;
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

bool SqliteAmplifierRecords::Update(qint64 id, const QStringList& fields, QString& error) {
  QSqlDatabase db = QSqlDatabase::database(connection_);
  return inTransaction(db, error, [&](QString& e) {
    QStringList sets;
    for (int c = 0; c < kAmplifierFieldCount; ++c) sets << fieldName(c) + QStringLiteral(" = ?");
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE id = ?").arg(kTable, sets.join(", ")));
    for (int c = 0; c < kAmplifierFieldCount; ++c) q.addBindValue(fields.value(c));
    q.addBindValue(id);
    if (!q.exec()) {
      e = q.lastError().text();
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
