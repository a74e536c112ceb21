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

// Re-checks the pole count against the model's simulation limits and writes the supply box.
// Never recomputes.
void OpAmpModel_Click(CalverdonForm& f);

}  // namespace mainwindow
