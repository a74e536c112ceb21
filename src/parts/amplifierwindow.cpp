#include "parts/amplifierwindow.h"

#include <QLoggingCategory>

#include "parts/recordchecks.h"
#include "platform/messages.h"
#include "platform/windowhost.h"

Q_LOGGING_CATEGORY(lcRecords, "calverdon.records")

namespace parts {

void QtRecordLog(const QString& line) { qCInfo(lcRecords).noquote() << line; }

AmplifierRecordWindow::AmplifierRecordWindow() : forms::Form(QStringLiteral("frmKVRamps")) {
  Caption = QStringLiteral("High Speed Amplifier Database");
  Width = 15000;
  Height = 7200;
  menu(mnuMenu, QStringLiteral("mnuMenu"), nullptr, QStringLiteral("&Menu"));
  menu(mnuMenuAdd, QStringLiteral("mnuMenuAdd"), &mnuMenu, QStringLiteral("&Add Amplifier"));
  menu(mnuMenuSort, QStringLiteral("mnuMenuSort"), &mnuMenu, QStringLiteral("&Sort..."));
  place(DBGrid1, QStringLiteral("DBGrid1"), nullptr, 120, 120, 14760, 6000).tab(0);
  place(lblSortBy, QStringLiteral("lblSortBy"), nullptr, 120, 6390, 720, 255)
      .text(QStringLiteral("Sort by"));
  place(txtSortBy, QStringLiteral("txtSortBy"), nullptr, 840, 6330, 1800, 315)
      .text(QStringLiteral("Value"))
      .tab(1);
  place(lblNumAmps, QStringLiteral("lblNumAmps"), nullptr, 2880, 6390, 1800, 255)
      .text(QStringLiteral("Qty = "));
  place(cbSelect, QStringLiteral("cbSelect"), nullptr, 7920, 6270, 1920, 420)
      .text(QStringLiteral("Select Amplifier"))
      .tab(2);
  place(cbEdit, QStringLiteral("cbEdit"), nullptr, 9960, 6270, 1560, 420)
      .text(QStringLiteral("Edit"))
      .tab(3);
  place(cbCancel, QStringLiteral("cbCancel"), nullptr, 11640, 6270, 1560, 420)
      .text(QStringLiteral("Cancel"))
      .tab(4)
      .hidden();
  place(cbClose, QStringLiteral("cbClose"), nullptr, 13320, 6270, 1560, 420)
      .text(QStringLiteral("Close"))
      .tab(5);
  for (const AmplifierColumn& c : AmplifierColumns()) {
    DBGrid1.Columns << QString::fromLatin1(c.caption);
    DBGrid1.ColumnWidths.push_back(c.width);
  }
}

namespace {

void message(AmplifierRecordWindow& w, const QString& text) {
  w.requestSync();
  if (w.caller.messages)
    w.caller.messages->show(text, QStringLiteral("Calverdon"), platform::Buttons::Ok,
                            platform::Icon::None);
}

void log(AmplifierRecordWindow& w, const QString& line) {
  if (w.caller.log) w.caller.log(line);
}

int recordCount(AmplifierRecordWindow& w) {
  return w.caller.records ? w.caller.records->Count() : 0;
}

void showCount(AmplifierRecordWindow& w) {
  w.lblNumAmps.Caption = QStringLiteral("Qty = ") + QString::number(recordCount(w));
}

// Fills the grid from the store in the sort box's order; the row of record `current` (if it is
// still stored) becomes the current row.
void refill(AmplifierRecordWindow& w, qint64 current) {
  w.DBGrid1.Rows.clear();
  w.RowIds.clear();
  w.RowFields.clear();
  w.DBGrid1.Row = -1;
  if (!w.caller.records) return;
  QString error;
  for (const AmplifierRecord& r : w.caller.records->Records(SortKeyOf(w.txtSortBy.Text), &error)) {
    QStringList shown;
    for (int c = 0; c < kAmplifierFieldCount; ++c) shown << ShownFieldText(c, r.Fields.value(c));
    if (r.Id == current) w.DBGrid1.Row = static_cast<int>(w.RowIds.size());
    w.DBGrid1.Rows.push_back(shown);
    w.RowIds.push_back(r.Id);
    w.RowFields.push_back(r.Fields);
  }
  if (!error.isEmpty()) message(w, error);
}

// The record to store from the edited row: for a changed record the fields whose text differs
// from the stored one, as typed (trimmed); every other field stays as stored, so a number shown
// in a column's format is never written back in it.
struct EditedRecord {
  QStringList fields;               // every field as it will be stored, for the checks
  std::map<int, QString> changed;   // column -> the typed text
};

EditedRecord editedRecord(const AmplifierRecordWindow& w, int row) {
  const QStringList& typed = w.DBGrid1.Rows[row];
  const QStringList stored =
      w.AddingNew || row >= static_cast<int>(w.RowFields.size()) ? QStringList() : w.RowFields[row];
  EditedRecord e;
  for (int c = 0; c < kAmplifierFieldCount; ++c) {
    const QString text = typed.value(c);
    if (!w.AddingNew && c < stored.size() && text == stored[c]) {
      e.fields << stored[c];
      continue;
    }
    e.fields << text.trimmed();
    e.changed[c] = text.trimmed();
  }
  return e;
}

qint64 currentId(const AmplifierRecordWindow& w) {
  const int row = w.DBGrid1.Row;
  return row >= 0 && row < static_cast<int>(w.RowIds.size()) ? w.RowIds[row] : 0;
}

// The buttons and menu of browse mode or of edit mode. "Edit" stays shown in both: in edit mode
// it stores the row.
void showMode(AmplifierRecordWindow& w, bool editing) {
  w.Editing = editing;
  w.cbCancel.Visible = editing;
  w.cbEdit.Visible = true;
  w.cbSelect.Enabled = !editing;
  w.cbClose.Enabled = !editing;
  w.mnuMenuAdd.Enabled = !editing;
}

void browseMode(AmplifierRecordWindow& w) {
  showMode(w, false);
  w.AddingNew = false;
  w.DBGrid1.EditRow = -1;
}

void editMode(AmplifierRecordWindow& w, int row, bool adding) {
  showMode(w, true);
  w.AddingNew = adding;
  // The row being edited shows what is stored, not the columns' display formats.
  if (!adding && row >= 0 && row < static_cast<int>(w.RowFields.size()))
    w.DBGrid1.Rows[row] = w.RowFields[row];
  w.DBGrid1.Row = row;
  w.DBGrid1.Col = 0;
  w.DBGrid1.EditRow = row;
  w.SetFocus(w.DBGrid1);
}

void registerHandlers(AmplifierRecordWindow& w) {
  using forms::Event;
  auto on = [&w](const char* name, Event ev, void (*handler)(AmplifierRecordWindow&)) {
    w.on(QString::fromLatin1(name), ev, [&w, handler](forms::EventArgs&) { handler(w); });
  };
  on("mnuMenuAdd", Event::Click, &mnuMenuAdd_Click);
  on("mnuMenuSort", Event::Click, &mnuMenuSort_Click);
  on("cbEdit", Event::Click, &cbEdit_Click);
  on("cbCancel", Event::Click, &cbCancel_Click);
  on("cbClose", Event::Click, &cbClose_Click);
  on("DBGrid1", Event::HeadClick, &DBGrid1_HeadClick);
  on("txtSortBy", Event::Change, &txtSortBy_Change);
}

}  // namespace

void OpenKVRampsForm(AmplifierRecordWindow& w, const RecordWindowCaller& caller,
                     const QString& opAmpSelection) {
  w.caller = caller;
  registerHandlers(w);
  browseMode(w);
  refill(w, 0);
  const QString wanted = opAmpSelection.trimmed();
  w.DBGrid1.Row = -1;  // past the last record unless one matches
  for (int r = 0; r < static_cast<int>(w.DBGrid1.Rows.size()); ++r)
    if (w.DBGrid1.Rows[r].value(0).trimmed() == wanted) {
      w.DBGrid1.Row = r;
      break;
    }
  const int count = recordCount(w);
  const int row = w.DBGrid1.Row;
  log(w, QStringLiteral("  KVRamps record count = ") + QString::number(count));
  log(w, QStringLiteral("  Current KVRamps = ") + (row >= 0 ? w.DBGrid1.Rows[row].value(0) : QString()));
  showCount(w);
  if (w.caller.windows) w.caller.windows->show(w, false);
}

void SelectNewKVRamps(AmplifierRecordWindow& w) {
  const int row = w.DBGrid1.Row;
  if (row >= 0 && row < static_cast<int>(w.DBGrid1.Rows.size()))
    w.SelectedDevice = w.DBGrid1.Rows[row].value(0).trimmed();
  if (w.caller.windows) w.caller.windows->close(w);
}

void mnuMenuAdd_Click(AmplifierRecordWindow& w) {
  if (w.Editing) return;
  if (!w.caller.records) {
    browseMode(w);
    return;
  }
  w.DBGrid1.Rows.push_back(QStringList(QList<QString>(kAmplifierFieldCount)));
  w.RowIds.push_back(0);
  w.RowFields.emplace_back();
  editMode(w, static_cast<int>(w.DBGrid1.Rows.size()) - 1, true);
}

void mnuMenuSort_Click(AmplifierRecordWindow& w) {
  if (w.caller.showSortWindow) w.caller.showSortWindow();
}

void cbEdit_Click(AmplifierRecordWindow& w) {
  const int row = w.DBGrid1.EditRow;
  if (!w.Editing) {
    if (w.caller.records && currentId(w) != 0) editMode(w, w.DBGrid1.Row, false);
    return;
  }
  if (row < 0 || row >= static_cast<int>(w.DBGrid1.Rows.size())) {
    browseMode(w);
    return;
  }
  const EditedRecord edited = editedRecord(w, row);
  if (const std::optional<QString> failed = FirstFailedCheck(edited.fields)) {
    message(w, *failed);
    return;  // the row stays in edit mode with what was typed
  }
  // The record is stored in one transaction; a refusal keeps the row in edit mode and every
  // stored record as it was.
  QString error;
  qint64 id = w.RowIds[row];
  if (w.AddingNew) {
    const std::optional<qint64> added = w.caller.records->Add(edited.fields, error);
    if (!added) {
      message(w, QStringLiteral("The record could not be stored: ") + error);
      return;
    }
    id = *added;
    log(w, QStringLiteral("  KVRamps added to KVRamps.bin file, ") +
               QStringLiteral("  New record count = ") + QString::number(recordCount(w)));
  } else {
    if (!w.caller.records->Update(id, edited.changed, error)) {
      message(w, QStringLiteral("The record could not be stored: ") + error);
      return;
    }
    log(w, QStringLiteral("  Cap updated in KVRamps.bin file, "));
  }
  browseMode(w);
  refill(w, id);
  showCount(w);
}

void cbCancel_Click(AmplifierRecordWindow& w) {
  const qint64 keep = w.AddingNew ? 0 : currentId(w);
  browseMode(w);
  refill(w, keep);  // what was typed goes; the stored records show again
}

void cbClose_Click(AmplifierRecordWindow& w) {
  if (w.caller.windows) w.caller.windows->close(w);
}

void DBGrid1_HeadClick(AmplifierRecordWindow& w) {
  const int col = w.DBGrid1.Col;
  if (col < 0 || col >= w.DBGrid1.Columns.size()) return;
  w.txtSortBy.Text = w.DBGrid1.Columns[col];
  w.raise(w.txtSortBy, forms::Event::Change);
}

void txtSortBy_Change(AmplifierRecordWindow& w) {
  // While a row is edited the new order waits for the end of the edit, so nothing typed is lost.
  if (w.Editing) return;
  refill(w, currentId(w));
}

}  // namespace parts
