#pragma once
// The amplifier record set the record window works on: read in an order, add a record, change
// a record. Each change is all or nothing: a change the store refuses leaves every stored record
// as it was.
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

#include "parts/amplifiercolumns.h"

namespace parts {

struct AmplifierRecord {
  qint64 Id = 0;       // the store's key of the record
  QStringList Fields;  // kAmplifierFieldCount texts, in column order
  bool operator==(const AmplifierRecord&) const = default;
};

class AmplifierRecords {
 public:
  virtual ~AmplifierRecords() = default;
  // Every record, ordered by the key (ties and no key: in the order they were stored). When the
  // records cannot be read: none, with the reason in *error when it is given.
  virtual std::vector<AmplifierRecord> Records(std::optional<SortKey> order,
                                               QString* error = nullptr) = 0;
  virtual int Count() = 0;
  // Stores a new record; its key, or nothing with the reason in error.
  virtual std::optional<qint64> Add(const QStringList& fields, QString& error) = 0;
  // Changes the given fields (column -> text) of record id and no other; false with the reason
  // in error.
  virtual bool Update(qint64 id, const std::map<int, QString>& changed, QString& error) = 0;
};

}  // namespace parts
