#pragma once
// The op-amp model of the simulation and its supply.
#include <QChar>
#include <QString>

#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

// The supply text of a model: "±15" (or "30" on a single supply) for the ideal amplifier and
// for a name without a supply code; otherwise from the two characters after the model
// name's first "/": "10", "30", "40" are the total supply in volts, "1_", "3_", "5_" a
// single digit of volts.
QString SupplyTextForModel(const QString& model, bool singleSupply, QChar decimalSep);

// The model list and the "Single Supply" box: writes the supply box, then re-checks the pole
// count against the model's simulation limits. A band-pass or notch design is simulated again
// with the new choice (one display pass, unless busy; none more when the pole count's check
// ran one); other designs are not recomputed.
void OpAmpModel_Click(CalverdonForm& f);

// The simulator choice (any of the XSver buttons): a band-pass or notch design is simulated
// again with it, unless busy.
void XSver_Click(CalverdonForm& f);

// Leaving the supply box (or Enter in it) with a text other than the one it held before: a
// band-pass or notch design is simulated again with it, unless busy.
void Vs_Validate(CalverdonForm& f, bool& cancel);

}  // namespace mainwindow
