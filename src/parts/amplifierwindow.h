#pragma once
// The amplifier record window: the records in a 35-column grid, sorted by the word in the sort
// box, with adding and editing of records and the pick of one for the caller. No command of
// the main window opens it; a caller hands in the record set, its sort window and its log.
//
// Browse mode: the grid is read-only and shows numbers in their columns' formats; "Edit" starts
// editing the current row. Edit mode (a new row from the menu's "Add", or the current row): the
// row shows its fields as stored and takes typing, "Edit" stores it when every check passes,
// "Cancel" leaves it; "Select Amplifier" and "Close" wait meanwhile. A commit stores the fields
// whose text was changed, as typed (trimmed), and leaves every other field exactly as stored.
#include <QString>
#include <functional>
#include <vector>

#include "forms/form.h"
#include "parts/amplifierrecords.h"

namespace platform {
class MessageService;
class WindowHost;
}  // namespace platform

namespace parts {

// Writes one log line through Qt's logging (category "calverdon.records").
void QtRecordLog(const QString& line);

struct RecordWindowCaller {
  AmplifierRecords* records = nullptr;
  platform::MessageService* messages = nullptr;
  platform::WindowHost* windows = nullptr;
  std::function<void()> showSortWindow;                     // the menu's "Sort"
  std::function<void(const QString&)> log = &QtRecordLog;  // the window's log lines
};

struct AmplifierRecordWindow : forms::Form {
  AmplifierRecordWindow();
  forms::Grid DBGrid1;
  forms::CommandButton cbSelect, cbEdit, cbCancel, cbClose;
  forms::Label lblSortBy;
  forms::TextBox txtSortBy;
  forms::Label lblNumAmps;
  forms::MenuItem mnuMenu, mnuMenuAdd, mnuMenuSort;

  RecordWindowCaller caller;
  QString SelectedDevice;         // the device name SelectNewKVRamps took, for the caller
  bool Editing = false;
  bool AddingNew = false;         // the edited row is a new record
  std::vector<qint64> RowIds;     // the stored key of each grid row (0 for the new row)
  std::vector<QStringList> RowFields;  // the stored fields of each grid row (none for the new row)
};

// Sorts the records by the sort box's word, lays out the grid (captions, widths, formats,
// read-only), moves to the record whose device name is `opAmpSelection` (trimmed), writes the
// record count and the current device to the log, shows the count and the window.
void OpenKVRampsForm(AmplifierRecordWindow& w, const RecordWindowCaller& caller,
                     const QString& opAmpSelection);
// Takes the current row's device name (trimmed) as the caller's selection and hides the window.
void SelectNewKVRamps(AmplifierRecordWindow& w);

void mnuMenuAdd_Click(AmplifierRecordWindow& w);
void mnuMenuSort_Click(AmplifierRecordWindow& w);
void cbEdit_Click(AmplifierRecordWindow& w);
void cbCancel_Click(AmplifierRecordWindow& w);
void cbClose_Click(AmplifierRecordWindow& w);
void DBGrid1_HeadClick(AmplifierRecordWindow& w);
void txtSortBy_Change(AmplifierRecordWindow& w);

}  // namespace parts
