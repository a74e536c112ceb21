#include "spice/netlistexport.h"

#include <QFile>
#include <QLocale>

#include "engine/engnotation.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/frequencyunit.h"
#include "mainwindow/listchoices.h"
#include "spice/opampmodels.h"
#include "spice/simulationfault.h"

namespace spice {

namespace {

using engine::PassBand;

// The supply magnitude: the box's text without a leading "±".
QString supplyText(const QString& vs) {
  return vs.startsWith(QChar(0x00B1)) ? vs.mid(1) : vs;
}

void prepare(CalverdonForm& f) {
  f.SimReal.clear();
  f.SimImag.clear();
  f.SupplyText = supplyText(f.Vs.Text);
}

bool anyTraceShown(const CalverdonForm& f) {
  return f.ShowGainTrace.Checked || f.ShowPhaseTrace.Checked || f.ShowGDTrace.Checked;
}

StageCaptions captionsOf(const CalverdonForm& f, int i) {
  return {f.R1[i].Caption, f.R2[i].Caption, f.R3[i].Caption, f.R4[i].Caption,
          f.R5[i].Caption, f.R6[i].Caption, f.C1L[i].Caption, f.C2L[i].Caption};
}

bool refuse(CalverdonForm& f, const QString& message) {
  TellSimulationFault(f, message);
  return false;
}

// The model block of the band-pass and notch layouts: nothing for the ideal op-amp.
bool modelText(CalverdonForm& f, NetlistLayout layout, NetlistRequest& r) {
  const int index = f.OpAmpModel.ListIndex();
  if (index <= 0 || f.OpAmpModel.Text() == kIdealOpAmp) return true;
  r.OpAmpSubckt = f.OpAmpModel.Text();
  const int first = size_t(index) < f.ModelFirstLine.size() ? f.ModelFirstLine[size_t(index)] : 0;
  if (const std::optional<QByteArray> library = ReadModelLibrary(f))
    r.ModelText = ModelText(*library, first,
                            layout == NetlistLayout::BandPassTwoFile ? ModelEnd::EndModel
                                                                     : ModelEnd::Ends);
  return r.ModelText ? true : refuse(f, ModelNotFound(r.OpAmpSubckt));
}

// Netlists are rewritten on every change of a band-pass or notch design and hold nothing the
// window could not write again, so they are replaced in place without waiting for the disk.
bool writeFile(CalverdonForm& f, const QString& path, const QString& text) {
  QFile file(path);
  const QByteArray bytes = FramedNetlistFile(text);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
      file.flush())
    return true;
  return refuse(f, NetlistNotWritten(path));
}

}  // namespace

std::optional<NetlistLayout> ChosenLayout(const CalverdonForm& f) {
  switch (mainwindow::ChosenPassBand(f).value_or(PassBand::HighPass)) {
    case PassBand::LowPass: return NetlistLayout::LowPass;
    case PassBand::BandPass:
      return f.XSver[0].Value() ? NetlistLayout::BandPassTwoFile : NetlistLayout::BandPassOneFile;
    case PassBand::Notch: return NetlistLayout::Notch;
    default: return std::nullopt;
  }
}

WrittenNetlist WriteNetlist(CalverdonForm& f, const AnalysisWindow& window) {
  WrittenNetlist out;
  prepare(f);
  out.Layout = ChosenLayout(f);
  if (!out.Layout) return out;
  if (!anyTraceShown(f)) {
    out.Outcome = NetlistOutcome::NoTrace;
    return out;
  }
  out.Outcome = NetlistOutcome::Refused;

  NetlistRequest r;
  r.Layout = *out.Layout;
  r.Folder = f.UserFolder();
  r.IncludeFolder = f.ProgramFolder();
  r.TimeText = QLocale().toString(f.svc.clock ? f.svc.clock->now() : QDateTime::currentDateTime(),
                                  QLocale::ShortFormat);
  r.AxisDecades = window.Decades;
  r.PlotStartFreq = window.StartFreq;
  r.DecimalSep = f.DecimalSep;
  r.Count = f.PoleCount;
  for (int i = 0; i < 5; ++i) r.Stages[size_t(i)] = captionsOf(f, i);
  r.RealR = f.RealR.Caption;
  r.RealC = f.RealC.Caption;
  r.RealPoleUnbuffered = f.ThreePole.Checked;
  r.Supply = f.SupplyText;
  r.SingleSupply = f.SScheck.Value() == 1;
  r.Vin = f.Vin.Text;

  if (r.Layout != NetlistLayout::LowPass) {
    if (!IsComponentValue(SpiceValue(r.Supply)))
      return refuse(f, SupplyNotUnderstood(f.Vs.Text)), out;
    if (!IsSpiceNumber(SpiceValue(r.Vin))) return refuse(f, InputNotUnderstood(r.Vin)), out;
    if (!modelText(f, r.Layout, r)) return out;
  }
  // The supply text stays "0" after a single-supply netlist, until the next one.
  if (r.SingleSupply && r.Layout != NetlistLayout::LowPass) f.SupplyText = QStringLiteral("0");

  const NetlistBuild build = BuildNetlists(r);
  if (!build.UnusableValues.isEmpty())
    return refuse(f, ValueNotUnderstood(build.UnusableValues.first())), out;
  for (const NetlistFile& file : build.Files) {
    f.NetlistText = file.Text;
    if (!writeFile(f, r.Folder + QLatin1Char('/') + file.Name, file.Text)) return out;
  }
  if (r.Layout != NetlistLayout::LowPass)
    out.RunFile = r.Folder + QLatin1Char('/') + build.Files.front().Name;
  out.Files = build.Files;
  out.Outcome = NetlistOutcome::Written;
  return out;
}

QString SupplyNotUnderstood(const QString& text) {
  return QStringLiteral("The supply voltage \"%1\" is not understood. No netlist was written.")
      .arg(text);
}
QString InputNotUnderstood(const QString& text) {
  return QStringLiteral("The input voltage \"%1\" is not understood. No netlist was written.")
      .arg(text);
}
QString ValueNotUnderstood(const QString& card) {
  return QStringLiteral("The value of %1 is not a component value. No netlist was written.")
      .arg(card);
}
QString ModelNotFound(const QString& model) {
  return QStringLiteral("The op-amp model %1 could not be read from the model library. No "
                        "netlist was written.")
      .arg(model);
}
QString NetlistNotWritten(const QString& path) {
  return QStringLiteral("The netlist could not be written to %1.").arg(path);
}

}  // namespace spice
