// The op-amp model and supply, the frequency unit, the Options toggles, "Plot Response", the
// gain-bandwidth readouts and the help command.
#include <cmath>

#include "engine/engnotation.h"
#include "engine/vbmath.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/choicelists.h"
#include "mainwindow/prompts.h"

namespace mainwindow {

namespace {

const QChar kPlusMinus(0x00B1);

// Half a supply figure as the locale writes it: 15, 0.5 -> "0,5" with a comma.
QString halfOf(int volts, QChar decimalSep) {
  QString t = QString::number(volts / 2.0, 'g', 6);
  t.replace(QLatin1Char('.'), decimalSep);
  return t;
}

}  // namespace

// ---------------------------------------------------------------- op-amp model and supply

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
  // The pole limits of the simulation depend on the model's family.
  forms::EventArgs args;
  f.raise(f.Text18, forms::Event::Validate, args);
  f.Vs.Text = SupplyTextForModel(f.OpAmpModel.Text(), f.SScheck.Value() == 1, f.DecimalSep);
}

// ---------------------------------------------------------------- frequency unit

double FreqUnitFactorOf(const CalverdonForm& f) {
  const double k = f.FreqUnitFactor;
  return std::isfinite(k) && k > 0 ? k : 1.0;
}

std::optional<double> FrequencyBoxHertz(const CalverdonForm& f, const forms::TextBox& box) {
  const auto v = engine::EngValue(box.Text, f.DecimalSep);
  if (!v) return std::nullopt;
  return *v / FreqUnitFactorOf(f);
}

void Rad_Click(CalverdonForm& f, FrequencyUnitMemory& memory) {
  const int checked = f.Rad.Value() == 1 ? 1 : 0;
  const double factor = 2 * engine::Pi;
  // The spacing box is not among them: it stays in hertz (its unit label never changes),
  // like the section frequency boxes the stage frequencies are written into.
  forms::TextBox* boxes[3] = {&f.Text34, &f.Text2, &f.RespF};
  // A toggle back restores what the last toggle replaced, where the box still shows what
  // that toggle wrote; anything else is converted.
  const bool toggleBack = memory.valid && memory.checkedAfter != checked;

  FrequencyUnitMemory next;
  next.valid = true;
  next.checkedAfter = checked;
  for (int k = 0; k < 3; ++k) {
    forms::TextBox& box = *boxes[k];
    next.before[k] = box.Text;
    if (toggleBack && box.Text == memory.after[k]) {
      box.Text = memory.before[k];
    } else if (const auto v = engine::EngValue(box.Text, f.DecimalSep)) {
      // A value that has no single-precision result in the other unit stays as it is.
      const float converted = engine::Sng(checked ? *v * factor : *v / factor);
      if (std::isfinite(converted))
        box.Text = engine::Engsuffix(converted, f.DisplayDigits, QString(), f.DecimalSep);
    }
    next.after[k] = box.Text;
  }
  memory = next;

  // The boxes now hold this unit; the design reads them back in hertz.
  f.FreqUnitFactor = checked ? factor : 1.0;
  f.RecomputeUnlessBusy();
}

// ---------------------------------------------------------------- options, buttons, help

void AutoSwapHPandLP_Click(CalverdonForm& f) {
  f.AutoSwapHPandLP.Checked = !f.AutoSwapHPandLP.Checked;
  f.SequenceUpdateScreen();
}

void ThreePole_Click(CalverdonForm& f) {
  f.ThreePole.Checked = !f.ThreePole.Checked;
  f.SequenceUpdateScreen();
}

void PlotResponse_Click(CalverdonForm& f) { f.SequenceUpdateScreen(); }

void GBPreq_Click(CalverdonForm& f, int) { ShowPrompt(f, 18); }

QString HelpFilePath(const CalverdonForm& f) {
  const QString folder = f.svc.paths ? f.svc.paths->programFolder() : QString();
  return folder + QStringLiteral("/Calverdon2.chm");
}

void HelpCont_Click(CalverdonForm& f) {
  if (f.svc.help) f.svc.help->showHelp(HelpFilePath(f));
}

}  // namespace mainwindow
