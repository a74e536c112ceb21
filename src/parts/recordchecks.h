#pragma once
// The checks an edited amplifier record must pass before it is stored, field by field in
// column order: every field filled, and the fields with a rule inside their range.
#include <QString>
#include <QStringList>
#include <optional>

namespace parts {

// The message of the first check the fields fail, or nothing when they pass. Numbers are
// written with "." as the decimal separator.
std::optional<QString> FirstFailedCheck(const QStringList& fields);

}  // namespace parts
