#include "parts/partlist.h"


#include "mainwindow/calverdonform.h"
#include "parts/datasheets.h"
#include "parts/partnumbers.h"
#include "spice/modellibrary.h"

namespace parts {

PartList::PartList() : forms::Form(QStringLiteral("PartList")) {
  Caption = QStringLiteral("Part List");
  Width = 9480;
  Height = 5400;
  place(OpAmpInfo, QStringLiteral("OpAmpInfo"), nullptr, 120, 120, 9240, 1320)
      .text(QStringLiteral("Op Amp Information"));
  place(Label8, QStringLiteral("Label8"), &OpAmpInfo, 240, 300, 2400, 255)
      .text(QStringLiteral("Op Amp Selection"));
  place(OpAmpSelection, QStringLiteral("OpAmpSelection"), &OpAmpInfo, 240, 600, 2400, 315)
      .tab(0);
  OpAmpSelection.Style = 0;
  place(cmdDS, QStringLiteral("cmdDS"), &OpAmpInfo, 3000, 540, 2000, 420)
      .text(QStringLiteral("Data Sheet"))
      .tab(1);
  place(ShowDeviceSpecs, QStringLiteral("ShowDeviceSpecs"), &OpAmpInfo, 5280, 540, 2400, 420)
      .text(QStringLiteral("Device Specifications"))
      .tab(2);
  place(DBGrid1, QStringLiteral("DBGrid1"), nullptr, 120, 1560, 9240, 3720).tab(3);
  DBGrid1.Columns = {QStringLiteral("Item"),   QStringLiteral("Qty."),
                     QStringLiteral("Desig."), QStringLiteral("Value"),
                     QStringLiteral("Part #"), QStringLiteral("Source"),
                     QStringLiteral("Description")};
  DBGrid1.ColumnWidths = {600, 600, 900, 1100, 1500, 1500, 2700};
}

PartList& PartListWindow() {
  static PartList window;
  return window;
}

namespace {

// A fresh window: the part numbers of the library, nothing chosen.
void load(CalverdonForm& f, PartList& w) {
  w.OpAmpSelection.Clear();
  if (const std::optional<QByteArray> library = spice::ReadModelLibrary(f))
    for (const QString& number : PartNumbers(*library)) w.OpAmpSelection.AddItem(number);
  w.OpAmpSelection.setFromUser(-1, QString());
  w.DBGrid1.Rows.clear();
  w.DBGrid1.Row = -1;
  w.on(QStringLiteral("cmdDS"), forms::Event::Click,
         [&f, &w](forms::EventArgs&) { cmdDS_Click(f, w); });
  w.Loaded = true;
}

}  // namespace

void ShowPartList_Click(CalverdonForm& f) {
  PartList& w = PartListWindow();
  if (!w.Loaded || !w.Visible) load(f, w);
  if (f.svc.windows) f.svc.windows->show(w, false);
}

void cmdDS_Click(CalverdonForm& f, PartList& list) {
  ShowDatasheet(f, DatasheetName(list.OpAmpSelection.Text()));
}

void RegisterPartList(CalverdonForm& f) {
  f.on(QStringLiteral("ShowPartList"), forms::Event::Click,
       [&f](forms::EventArgs&) { ShowPartList_Click(f); });
}

}  // namespace parts
