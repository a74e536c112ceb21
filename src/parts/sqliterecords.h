#pragma once
// The amplifier records in an SQLite database (Qt SQL): table "amplifiers", one text field per
// column. A new database is filled from the shipped record table in the same transaction that
// creates it. Sorting is the database's; every change runs in a transaction.
//
// A database that another program holds locked, that is damaged or not a database, or whose
// record table lacks a field is refused with one message that names the database file, and
// nothing in it is changed.
#include <QString>
#include <memory>

#include "parts/amplifierrecords.h"

namespace platform {
class Paths;
}

namespace parts {

// The record table shipped in the program folder, and the database in the per-user folder.
inline const QString kShippedRecordTable = QStringLiteral("amplifiers.tsv");
inline const QString kRecordDatabase = QStringLiteral("amplifiers.sqlite");
// How long a change waits for another program's lock on the database before it gives up.
inline constexpr int kRecordBusyWaitMs = 1000;

class SqliteAmplifierRecords : public AmplifierRecords {
 public:
  // Opens the database at databasePath; when it holds no table at all yet, creates the record
  // table from the shipped table (tab-separated: a heading line, then one record per line).
  // Nothing, with the reason in error, when the database cannot be opened or used (see above)
  // or a new one cannot be filled; a database that could not be filled is left without a
  // record table.
  static std::unique_ptr<SqliteAmplifierRecords> Open(const QString& databasePath,
                                                      const QString& shippedTable,
                                                      QString& error);
  // The program's records: the per-user database, created from the shipped table on first use.
  static std::unique_ptr<SqliteAmplifierRecords> OpenForUser(platform::Paths& paths,
                                                             QString& error);
  ~SqliteAmplifierRecords() override;

  std::vector<AmplifierRecord> Records(std::optional<SortKey> order,
                                       QString* error = nullptr) override;
  int Count() override;
  std::optional<qint64> Add(const QStringList& fields, QString& error) override;
  bool Update(qint64 id, const std::map<int, QString>& changed, QString& error) override;

  // The Qt SQL connection name of this store (tests reach the same database through it).
  const QString& connectionName() const { return connection_; }

 private:
  SqliteAmplifierRecords(QString connection, QString path)
      : connection_(std::move(connection)), path_(std::move(path)) {}
  QString connection_;
  QString path_;  // the database file, named in every message
};

// Reads a shipped record table; false with the reason in error when a line does not hold one
// text per field.
bool ReadRecordTable(const QString& path, std::vector<QStringList>& records, QString& error);

}  // namespace parts
