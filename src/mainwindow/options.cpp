#include "mainwindow/options.h"

#include "mainwindow/calverdonform.h"
#include "mainwindow/prompts.h"

namespace mainwindow {

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
  const QString folder = f.ProgramFolder();
  return folder + QStringLiteral("/Calverdon2.chm");
}

void HelpCont_Click(CalverdonForm& f) {
  if (f.svc.help) f.svc.help->showHelp(HelpFilePath(f));
}

}  // namespace mainwindow
