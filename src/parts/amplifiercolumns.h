#pragma once
// The fields of an amplifier record, in the order the record window's grid shows them: the
// grid's caption (two lines joined by a carriage return), its width in twips, its number format
// and the field's name in the record table.
#include <QString>
#include <array>
#include <optional>

namespace parts {

inline constexpr int kAmplifierFieldCount = 35;
// The columns from "Min Vcc" on hold numbers; the ones before hold texts.
inline constexpr int kFirstNumberColumn = 6;

struct AmplifierColumn {
  const char* caption;
  int width;           // twips
  int decimals;        // number format: -1 shows the text as stored, else fixed decimals
  const char* field;   // the record table's field name
};

const std::array<AmplifierColumn, kAmplifierFieldCount>& AmplifierColumns();

// The shown text of a stored field: a number in a column with a number format is written with
// that many decimals; anything else is shown as stored.
QString ShownFieldText(int column, const QString& stored);

// A sort order of the records: a field and whether it sorts as text or as a number.
struct SortKey {
  int field = 0;
  bool numeric = false;
  bool operator==(const SortKey&) const = default;
};

// The sort key a word of the sort box selects: the record window's sort words (in any case),
// else a column's caption (its lines joined by a carriage return or a blank), which sorts that
// column by its kind. Nothing for any other word.
std::optional<SortKey> SortKeyOf(const QString& word);

}  // namespace parts
