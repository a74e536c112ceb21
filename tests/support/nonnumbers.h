#pragma once
// The check that no text box or label of a form shows "inf" or "nan".
//
// Header-only: the test support library itself does not link the window layers.
#include <QRegularExpression>
#include <QString>

#include "forms/form.h"

// The first text box or label of the form whose text shows "inf" or "nan", as
// "Name = text"; empty when there is none.
inline QString FirstNonNumber(const forms::Form& form) {
  static const QRegularExpression nonNumber(QStringLiteral("\\b(inf(inity)?|nan)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
  for (const forms::Control* c : form.controls()) {
    QString text;
    if (c->kind == forms::ControlKind::TextBox) text = static_cast<const forms::TextBox*>(c)->Text;
    if (c->kind == forms::ControlKind::Label) text = static_cast<const forms::Label*>(c)->Caption;
    if (text.contains(nonNumber)) return c->displayName() + QStringLiteral(" = ") + text;
  }
  return {};
}
