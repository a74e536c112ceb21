#include "graph/graphsettings.h"

#include "mainwindow/calverdonform.h"

namespace graph {

namespace {

constexpr int kSwatchLeft = 2760, kSwatchWidth = 1080, kRowHeight = 285, kRowStep = 420;

void toggle(CalverdonForm& f, forms::MenuItem& item) {
  item.Checked = !item.Checked;
  f.SequenceUpdateScreen();
}

// A dialog check box reverses its menu switch, then shows the switch again.
void boxClicked(CalverdonForm& f, forms::CheckBox& box, forms::MenuItem& item) {
  toggle(f, item);
  box.setFromUser(item.Checked ? 1 : 0);
}

void registerDialog(ConfigureGraph& d, CalverdonForm& f) {
  using forms::EventArgs;
  const auto onClick = [&d](const char* name, std::function<void()> h) {
    d.on(QLatin1String(name), forms::Event::Click, [h](EventArgs&) { h(); });
  };
  onClick("ShowGain", [&] { boxClicked(f, d.ShowGain, f.ShowGainTrace); });
  onClick("ShowPhase", [&] { boxClicked(f, d.ShowPhase, f.ShowPhaseTrace); });
  onClick("ShowGroupDelay", [&] { boxClicked(f, d.ShowGroupDelay, f.ShowGDTrace); });
  onClick("GainColor", [&] { ChooseSwatchColor(f, d.GainColor, f.GainTraceColor); });
  onClick("PhaseColor", [&] { ChooseSwatchColor(f, d.PhaseColor, f.PhaseTraceColor); });
  onClick("GroupDelayColor",
          [&] { ChooseSwatchColor(f, d.GroupDelayColor, f.GroupDelayTraceColor); });
  onClick("GraphBack", [&] { ChooseSwatchColor(f, d.GraphBack, f.Graph.BackColor); });
  onClick("Ok", [&] {
    if (f.svc.windows) f.svc.windows->close(d);
  });
}

}  // namespace

ConfigureGraph::ConfigureGraph() : forms::Form(QStringLiteral("ConfigureGraph")) {
  Caption = QStringLiteral("Configure Graph Calverdon");
  Width = 4080;
  Height = 2280;
  struct Row {
    forms::CheckBox* box;
    const char* name;
    const char* caption;
    forms::PictureBox* swatch;
    const char* swatchName;
  };
  const Row rows[] = {{&ShowGain, "ShowGain", "Show Gain Trace", &GainColor, "GainColor"},
                      {&ShowPhase, "ShowPhase", "Show Phase Trace", &PhaseColor, "PhaseColor"},
                      {&ShowGroupDelay, "ShowGroupDelay", "Show Group Delay Trace",
                       &GroupDelayColor, "GroupDelayColor"}};
  int top = 120, tab = 0;
  for (const Row& r : rows) {
    place(*r.box, QLatin1String(r.name), nullptr, 120, top, 2520, kRowHeight)
        .text(QLatin1String(r.caption))
        .tab(tab++);
    place(*r.swatch, QLatin1String(r.swatchName), nullptr, kSwatchLeft, top, kSwatchWidth,
          kRowHeight);
    r.swatch->TabStop = false;
    r.box->setFromUser(1);
    top += kRowStep;
  }
  place(lblGraphBack, QStringLiteral("lblGraphBack"), nullptr, 120, top + 45, 2520, 195)
      .text(QStringLiteral("Graph Background Color"));
  place(GraphBack, QStringLiteral("GraphBack"), nullptr, kSwatchLeft, top, kSwatchWidth,
        kRowHeight);
  GraphBack.TabStop = false;
  place(Ok, QStringLiteral("Ok"), nullptr, kSwatchLeft, top + 480, kSwatchWidth, 375)
      .text(QStringLiteral("OK"))
      .tab(tab);
  Ok.Default = true;
}

ConfigureGraph& ConfigureGraphWindow() {
  static ConfigureGraph dialog;
  return dialog;
}

void ConfigureGraph_Load(ConfigureGraph& d, const CalverdonForm& f) {
  d.GainColor.BackColor = f.GainTraceColor;
  d.GroupDelayColor.BackColor = f.GroupDelayTraceColor;
  d.PhaseColor.BackColor = f.PhaseTraceColor;
  d.GraphBack.BackColor = f.Graph.BackColor;
  d.ShowGain.setFromUser(f.ShowGainTrace.Checked ? 1 : 0);
  d.ShowPhase.setFromUser(f.ShowPhaseTrace.Checked ? 1 : 0);
  d.ShowGroupDelay.setFromUser(f.ShowGDTrace.Checked ? 1 : 0);
}

void Graph_DblClick(CalverdonForm& f) {
  ConfigureGraph& d = ConfigureGraphWindow();
  registerDialog(d, f);
  ConfigureGraph_Load(d, f);
  f.requestSync();
  if (f.svc.windows) f.svc.windows->show(d, true);
}

void ShowGainTrace_Click(CalverdonForm& f) { toggle(f, f.ShowGainTrace); }
void ShowPhaseTrace_Click(CalverdonForm& f) { toggle(f, f.ShowPhaseTrace); }
void ShowGDTrace_Click(CalverdonForm& f) { toggle(f, f.ShowGDTrace); }
void Hide360PhaseHop_Click(CalverdonForm& f) { toggle(f, f.Hide360PhaseHop); }

void ChooseSwatchColor(CalverdonForm& f, forms::PictureBox& swatch, forms::VbColor& target) {
  if (!f.svc.colors) return;
  const std::optional<forms::VbColor> chosen = f.svc.colors->chooseColor(swatch.BackColor);
  if (!chosen) return;
  swatch.BackColor = *chosen;
  target = *chosen;
  f.SequenceUpdateScreen();
}

void RegisterGraphSettings(CalverdonForm& f) {
  for (auto [name, handler] : {std::pair{"ShowGainTrace", &ShowGainTrace_Click},
                               std::pair{"ShowPhaseTrace", &ShowPhaseTrace_Click},
                               std::pair{"ShowGDTrace", &ShowGDTrace_Click},
                               std::pair{"Hide360PhaseHop", &Hide360PhaseHop_Click},
                               std::pair{"ConfigGraph", &Graph_DblClick}})
    f.on(QLatin1String(name), forms::Event::Click, [&f, handler](forms::EventArgs&) { handler(f); });
}

}  // namespace graph
