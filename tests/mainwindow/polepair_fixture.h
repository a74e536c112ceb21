#pragma once
// A "Custom Fn&Q" design of 7 poles on the entry fixture's window, design frequency 1 kHz:
// rows 1..3 are sections with a Q, row 0 is the real pole. Display passes are counted.
#include "entry_fixture.h"
#include "mainwindow/polepairdialog.h"

struct PolePairFixture : EntryFixture {
  int passes = 0;

  explicit PolePairFixture(QChar sep = QLatin1Char('.'), const char* band = "Low-Pass")
      : EntryFixture(sep) {
    recompute.pass = [this] {
      ++passes;
      return 0;
    };
    showPassBandWithoutHandler(band);
    f.DesignCutoff = 1000;
    for (int r = 0; r < 4; ++r) {
      f.FnInput[r].Visible = true;
      f.FnInput[r].Text = QStringLiteral("%1").arg(r + 1) + sep + QStringLiteral("0000kHz");
      f.QInput[r].Visible = r > 0;
      f.QInput[r].Text = r > 0 ? QStringLiteral("1") + sep + QStringLiteral("5000") : QString();
    }
  }

  // The dialog as the last double click left it.
  mainwindow::PolePairEntryForm& dialog() { return *f.PolePairEntry; }
  bool dialogShown() const {
    return !fake.windows.shown.empty() && f.PolePairEntry &&
           fake.windows.shown.back().form == f.PolePairEntry.get();
  }
  bool dialogClosed() const {
    return !fake.windows.closed.empty() && fake.windows.closed.back() == f.PolePairEntry.get();
  }
  void doubleClick(forms::TextBox& box) { f.raise(box, forms::Event::DblClick); }
  // Types into an entry of the dialog and leaves it.
  void enter(forms::TextBox& box, const QString& text) {
    box.Text = text;
    dialog().raise(box, forms::Event::Validate);
  }
  void choose(mainwindow::PoleEntryFormat format) {
    dialog().DataType.SetListIndex(static_cast<int>(format));
  }
  void press(forms::CommandButton& button) { dialog().raise(button, forms::Event::Click); }
};
