#include "spice/schematichandover.h"

#include <QFileInfo>

#include "mainwindow/calverdonform.h"
#include "mainwindow/listchoices.h"

namespace spice {

namespace {

QString topologyCode(std::optional<engine::Topology> topology) {
  if (!topology) return {};
  switch (*topology) {
    case engine::Topology::MfbSingleEnded: return QStringLiteral("MFBse");
    case engine::Topology::SallenKey: return QStringLiteral("SK");
    case engine::Topology::MfbFullyDifferential: return QStringLiteral("MFBfd");
  }
  return {};
}

QString passBandWord(std::optional<engine::PassBand> band) {
  if (!band) return {};
  switch (*band) {
    case engine::PassBand::LowPass: return QStringLiteral("LowPass");
    case engine::PassBand::HighPass: return QStringLiteral("HighPass");
    case engine::PassBand::BandPass: return QStringLiteral("BandPass");
    case engine::PassBand::Notch: return QStringLiteral("NotchPass");
    case engine::PassBand::WideBandPass: return QStringLiteral("WBPass");
    case engine::PassBand::BandReject: return QStringLiteral("BandReject");
  }
  return {};
}

QString schematicProgram(CalverdonForm& f) {
  if (!f.svc.settings) return kDefaultSchematicProgram;
  const QString program = f.svc.settings->get(mainwindow::kProductName, kSchematicProgramSection,
                                               kSchematicProgramKey, kDefaultSchematicProgram);
  return program.trimmed().isEmpty() ? kDefaultSchematicProgram : program.trimmed();
}

}  // namespace

QString SchematicFileName(std::optional<engine::PassBand> band,
                          std::optional<engine::Topology> topology, int poleCount,
                          bool threePole) {
  QString code;
  if (band != engine::PassBand::BandPass) {
    code = topologyCode(topology);
    if (!code.isEmpty() && poleCount % 2 != 0 && threePole) code += QStringLiteral("3ps");
  }
  return code + passBandWord(band) + QString::number(poleCount) + QStringLiteral("p.VSC");
}

QString SchematicFileName(CalverdonForm& f) {
  return SchematicFileName(mainwindow::ChosenPassBand(f), mainwindow::ChosenTopology(f),
                           f.PoleCount, f.ThreePole.Checked);
}

void Export_Click(CalverdonForm& f) {
  f.Message(QStringLiteral("This feature is under construction."));
  const QString folder = f.ProgramFolder();
  const QString file = folder + QLatin1Char('/') + kSchematicFolder + QLatin1Char('/') +
                       SchematicFileName(f);
  if (!QFileInfo(file).isFile()) {
    f.Message(QStringLiteral("The prepared schematic \"%1\" was not found.").arg(file));
    return;
  }
  const QString program = schematicProgram(f);
  if (!f.svc.launcher || !f.svc.launcher->launch(program, {file}, folder))
    f.Message(QStringLiteral("The schematic program \"%1\" could not be started.").arg(program));
}

void RegisterSchematicHandover(CalverdonForm& f) {
  f.on(QStringLiteral("Export"), forms::Event::Click, [&f](forms::EventArgs&) { Export_Click(f); });
}

}  // namespace spice
