#pragma once
// The design choices of the main window: pass band, response, circuit type, component series,
// value display, op-amp model and supply, frequency unit, the Options toggles, "Plot
// Response" and the help command. Each handler stores its choice in the design state,
// reconfigures the entries that depend on it and recomputes by its own rule.
#include <QChar>
#include <QString>
#include <array>
#include <optional>

namespace forms {
struct TextBox;
}

namespace mainwindow {

struct CalverdonForm;

// ---- pass band and response ----

// Reconfigures the window for the pass band in the list (run by its focus, click, change
// and validation). Recomputes whether or not the window is busy.
void Passband_GotFocus(CalverdonForm& f);

// Sets the response codes and the boxes that belong to the response in the list (run by its
// focus, click and change), then recomputes unless busy.
void TypeFilter_GotFocus(CalverdonForm& f);
void TypeFilter_LostFocus(CalverdonForm& f);

// Copies the section frequencies and Qs on screen into the custom Fn and Q entry boxes.
void TransferFn(CalverdonForm& f);

// Forgets every entered capacitor: the section capacitors, the stage boxes and the entered
// values. Does not recompute.
void ClearCapEntries(CalverdonForm& f);

// ---- circuit, series and value display ----
void CircuitType_GotFocus(CalverdonForm& f);
void ResistorList_GotFocus(CalverdonForm& f);
void CapacitorList_GotFocus(CalverdonForm& f);
void SensTrue_Click(CalverdonForm& f);
void CompValue_Click(CalverdonForm& f);

// ---- op-amp model and supply ----

// The supply text of a model: "±15" (or "30" on a single supply) for the ideal amplifier and
// for a name without a supply code; otherwise from the two characters after the model
// name's first "/": "10", "30", "40" are the total supply in volts, "1_", "3_", "5_" a
// single digit of volts.
QString SupplyTextForModel(const QString& model, bool singleSupply, QChar decimalSep);

// Re-checks the pole count against the model's simulation limits and writes the supply box.
// Never recomputes.
void OpAmpModel_Click(CalverdonForm& f);

// ---- frequency unit ----

// The texts the last unit toggle replaced and the ones it wrote, so that a toggle back can
// restore boxes that were not edited in between instead of rounding twice.
struct FrequencyUnitMemory {
  bool valid = false;
  int checkedAfter = 0;  // the box's value the toggle converted to
  std::array<QString, 3> before, after;  // Text34, Text2, RespF
};

// Converts the three frequency boxes between hertz and radians per second after the "Rad/s"
// box changed, then recomputes unless busy.
void Rad_Click(CalverdonForm& f, FrequencyUnitMemory& memory);

// The factor between the unit the frequency boxes are written in and hertz (1 or 2 pi).
double FreqUnitFactorOf(const CalverdonForm& f);
// The frequency a box holds, in hertz: its number divided by the unit factor; nothing when
// the box cannot be read.
std::optional<double> FrequencyBoxHertz(const CalverdonForm& f, const forms::TextBox& box);

// ---- options, buttons, help ----
void AutoSwapHPandLP_Click(CalverdonForm& f);
void ThreePole_Click(CalverdonForm& f);
void PlotResponse_Click(CalverdonForm& f);
void GBPreq_Click(CalverdonForm& f, int index);
void HelpCont_Click(CalverdonForm& f);

// The help file of the program: "Calverdon2.chm" in the program's folder.
QString HelpFilePath(const CalverdonForm& f);

}  // namespace mainwindow
