#pragma once
// The pole-pair dialog: one section of a "Custom Fn&Q" design entered as its complex pole
// terms, its section coefficients, or its natural frequency and Q. It shows the section's
// present values, turns the entry into a new frequency and Q, and writes them back into the
// section's boxes on OK or Apply. It is not modal: the main window stays usable while it is
// open, and a double click on another section points it at that one.
//
// The complex terms and coefficients are normalised to the design frequency fc: with
// u = Fn / fc a pole pair at -a +/- jb has a = u / 2Q, b = u sqrt(1 - 1/4Q^2), and its section
// s^2 + b1 s + b0 has b0 = u^2, b1 = u / Q. A first-order section holds its pole -a = -u, its
// coefficient b0 = u, in both of those formats.
#include "forms/form.h"
#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

// The entry formats, in the order of the format list.
enum class PoleEntryFormat { ComplexTerms = 0, PoleLocations = 1, FnAndQ = 2 };

struct PolePairEntryForm : forms::Form {
  PolePairEntryForm();

  forms::Label Label6;        // "Entry format"
  forms::ComboBox DataType;   // the entry format
  forms::Label Label7;        // "Entry"
  forms::Label Label14;       // name of the first entry
  forms::TextBox Text1;       // first entry
  forms::Label Label13;       // name of the second entry
  forms::TextBox Text2;       // second entry
  forms::Label Label5;        // "Present values"
  forms::Label Label1, Label2;   // "Fn", the present frequency
  forms::Label Label4, Label3;   // "Q", the present Q (shown only for a section with Q)
  forms::Label Label12;       // "New values"
  forms::Label Label10, Label9;  // "Fn", the new frequency
  forms::Label Label11, Label8;  // "Q", the new Q
  forms::CommandButton Command1, Command2, Apply;  // OK, Cancel, Apply

  // True while the new-value captions hold a result of the entries; Apply writes nothing
  // otherwise.
  bool ResultValid = false;

  // Whether the section has a Q (the present-Q caption is shown).
  bool HasQ() const { return Label3.Visible; }
};

// The window's dialog, created (with its handlers) at the first call and kept after it
// closes, so its format stays for the next opening.
PolePairEntryForm& PolePairDialog(CalverdonForm& f);

// Points the dialog at section row i (its present values from the row's boxes), converts them
// into the chosen format and shows the dialog, not modal.
void OpenPolePairDialog(CalverdonForm& f, int row);

// Converts the present values into the entries of the chosen format, then calculates.
void DataType_Change(CalverdonForm& f, PolePairEntryForm& d);
// Converts the entries into the new frequency and Q. Entries that give no real section leave
// the new values empty; with `answer` the user is told so ("Entry is not understood.").
// Returns whether there is a result.
bool calculate(CalverdonForm& f, PolePairEntryForm& d, bool answer);
// Writes the new values into the section's boxes (and the half's kept copies) and runs one
// display pass; nothing without a result or when the section can no longer be edited.
void Apply_Click(CalverdonForm& f, PolePairEntryForm& d);
// OK: calculate, apply and close; an entry without a result keeps the dialog open.
void Command1_Click(CalverdonForm& f, PolePairEntryForm& d);
// Cancel: close, writing nothing.
void Command2_Click(CalverdonForm& f, PolePairEntryForm& d);

// Whether the pole-pair dialog may edit section row i: not in band-pass and notch designs or
// the total view of a two-half design, not for a hidden frequency box, and not before a design
// frequency is known.
bool PolePairEditable(const CalverdonForm& f, int i);
// Opens the pole-pair dialog on section row i where it may edit it and the row's frequency box
// holds a frequency.
void FnInput_DblClick(CalverdonForm& f, int i);

}  // namespace mainwindow
