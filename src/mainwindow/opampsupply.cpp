#include "mainwindow/opampsupply.h"

#include "mainwindow/calverdonform.h"
#include "mainwindow/entryhandlers.h"
#include "mainwindow/listchoices.h"

namespace mainwindow {

namespace {

const QChar kPlusMinus(0x00B1);

// Half a supply figure as the locale writes it: 15, 0.5 -> "0,5" with a comma.
QString halfOf(int volts, QChar decimalSep) {
  QString t = QString::number(volts / 2.0, 'g', 6);
  t.replace(QLatin1Char('.'), decimalSep);
  return t;
}

// The graph shows the simulation of the choices on screen: a band-pass or notch design, the
// designs that are simulated in every pass, is recomputed when one of them changes.
void resimulate(CalverdonForm& f) {
  if (ChosenPassBandIs(f, engine::IsBandPassOrNotch)) f.RecomputeUnlessBusy();
}

}  // namespace

QString SupplyTextForModel(const QString& model, bool singleSupply, QChar decimalSep) {
  const QString ideal = singleSupply ? QStringLiteral("30") : kPlusMinus + QStringLiteral("15");
  if (model == QLatin1String("Ideal Op Amp")) return ideal;

  const qsizetype slash = model.indexOf(QLatin1Char('/'));
  const QString code =
      slash < 0 || model == QLatin1String("Ideal") ? QString() : model.mid(slash, 5);
  const QString figure = code.mid(1, 2);
  if (figure == QLatin1String("10") || figure == QLatin1String("30") ||
      figure == QLatin1String("40")) {
    if (singleSupply) return figure;
    return kPlusMinus + halfOf(figure.toInt(), decimalSep);
  }
  if (figure == QLatin1String("1_") || figure == QLatin1String("3_") ||
      figure == QLatin1String("5_")) {
    const QString digit = figure.left(1);
    if (singleSupply) return digit;
    return kPlusMinus + halfOf(digit.toInt(), decimalSep);
  }
  return ideal;
}

void OpAmpModel_Click(CalverdonForm& f) {
  // The supply first, so a pass the pole count's check starts already simulates with it.
  f.Vs.Text = SupplyTextForModel(f.OpAmpModel.Text(), f.SScheck.Value() == 1, f.DecimalSep);
  NoteValidated(f, QStringLiteral("Vs"));
  const unsigned before = f.SequencesRun;
  // The pole limits of the simulation depend on the model's family.
  forms::EventArgs args;
  f.raise(f.Text18, forms::Event::Validate, args);
  if (f.SequencesRun == before) resimulate(f);
}

void XSver_Click(CalverdonForm& f) { resimulate(f); }

void Vs_Validate(CalverdonForm& f, bool&) {
  if (ChangedSinceValidated(f, QStringLiteral("Vs"))) resimulate(f);
}

}  // namespace mainwindow
