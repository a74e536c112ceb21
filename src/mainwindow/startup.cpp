#include "mainwindow/startup.h"

#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "mainwindow/aboutwindows.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/entryboxes.h"

namespace mainwindow {

QChar DecimalSepOf(const QString& textOfHalf) {
  return textOfHalf.size() >= 2 ? textOfHalf.at(1) : QLatin1Char('.');
}

void SetStartDefaults(CalverdonForm& f, QChar decimalSep) {
  f.DecimalSep = decimalSep;
  f.DisplayDigits = 3;
  f.PhaseTraceColor = forms::kRed;
  f.GainTraceColor = forms::kGreen;
  f.GroupDelayTraceColor = forms::kBlack;

  auto startText = [&f](float value) {
    return engine::Engsuffix(value, 4, QString(), f.DecimalSep);
  };
  f.Text34.Text = startText(1000);
  f.Text2.Text = startText(10000);
  f.Text12.Text = startText(10000);
  f.RespF.Text = f.Text12.Text;

  f.SectionGain[2] = 1.0f;
  // The ripple box looks inactive until a response with ripple is chosen.
  f.Text19.BackColor = f.BackColor;
  f.PromptTopic = 1;
  const forms::TextBox& poles = f.HighPassHalf != 0 ? f.Text1 : f.Text18;
  f.PrevPoles = engine::CInt(engine::NumberIn(poles.Text, f.DecimalSep));
}

void Form_Load(CalverdonForm& f, QChar decimalSep) {
  f.DecimalSep = decimalSep;
  f.ShowAboutSetting = f.svc.settings ? ReadShowAbout(*f.svc.settings) : true;
  if (f.ShowAboutSetting) ShowAboutWindow(f);
  f.SuppressUpdate = true;
  // The window's own click: busy, so it does nothing.
  f.raiseOwn(forms::Event::Click);
}

void Form_Initialize(CalverdonForm& f, const std::function<void(CalverdonForm&)>& openDefault) {
  if (f.OpAmpModel.ListCount() > 0) f.OpAmpModel.SetListIndex(0);
  // The trace switches live in the View menu; a fresh design shows all three traces.
  f.ShowGainTrace.Checked = true;
  f.ShowPhaseTrace.Checked = true;
  f.ShowGDTrace.Checked = true;
  SetStartDefaults(f, f.DecimalSep);
  f.DesignLoaded = false;
  if (openDefault) openDefault(f);
  if (!f.DesignLoaded && !f.SuppressUpdate) f.SequenceUpdateScreen();
  MarkDesignUnchanged(f);
}

void EndProgram(CalverdonForm& f) {
  if (f.svc.windows) f.svc.windows->quit();
}

void RegisterStartupHandlers(CalverdonForm& f) {
  auto recompute = [&f](forms::EventArgs&) { f.RecomputeUnlessBusy(); };
  f.on(f.Name, forms::Event::Click, recompute);
  f.on(f.Name, forms::Event::GotFocus, recompute);
  f.on(QStringLiteral("FormLoad"), forms::Event::Click,
       [&f](forms::EventArgs&) { ShowAboutWindow(f); });
  f.on(QStringLiteral("NewScreen"), forms::Event::Click,
       [&f](forms::EventArgs&) { NewScreen_Click(f); });
}

}  // namespace mainwindow
