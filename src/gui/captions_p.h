#pragma once
// Captions as the widgets show them.
#include <QString>

namespace gui::detail {

// A label's caption without its mnemonic marks ("&&" stays one "&").
QString withoutMnemonic(const QString& caption);

}  // namespace gui::detail
