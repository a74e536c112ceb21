#include "designfiles/twohalves.h"

#include "mainwindow/calverdonform.h"

namespace designfiles {

namespace {

// The view of a two-half design, as its view buttons show it: in the total view the buttons
// offer both halves' sections; in a section view the one visible offers the other half.
HalfView viewOf(const CalverdonForm& f) {
  if (f.LowPassViewT.Visible) return HalfView::Total;
  if (f.HighPassView.Visible) return HalfView::LowPassSections;
  if (f.LowPassView.Visible) return HalfView::HighPassSections;
  return f.HighPassHalf != 0 ? HalfView::HighPassSections : HalfView::LowPassSections;
}

HalfTexts keptTexts(const mainwindow::StageTexts& gain, const mainwindow::StageTexts& fn,
                    const mainwindow::StageTexts& q, const QString& c1Real) {
  HalfTexts t;
  t.c1Real = c1Real;
  for (int k = 0; k < 5; ++k) {
    t.gain[k] = gain[k];
    t.fn[k] = fn[k];
    t.q[k] = q[k];
  }
  return t;
}

void keep(const HalfTexts& t, mainwindow::StageTexts& gain, mainwindow::StageTexts& fn,
          mainwindow::StageTexts& q, QString& c1Real) {
  c1Real = t.c1Real;
  for (int k = 0; k < 5; ++k) {
    gain[k] = t.gain[k];
    fn[k] = t.fn[k];
    q[k] = t.q[k];
  }
}

// The custom section boxes show the sections of n poles: a frequency box per section, a Q
// box per two-pole section (an odd order's first row is its real pole).
int sectionBoxPoles(const CalverdonForm& f) {
  int rows = 0;
  while (rows < 5 && f.FnInput[rows].Visible) ++rows;
  return rows > 0 && !f.QInput[0].Visible ? 2 * rows - 1 : 2 * rows;
}

void showSectionBoxes(CalverdonForm& f, int poles) {
  const int rows = (poles + 1) / 2;
  for (int i = 0; i < 5; ++i) {
    f.FnInput[i].Visible = i < rows;
    f.QInput[i].Visible = i < rows && (i > 0 || poles % 2 == 0);
  }
}

// The texts each half keeps while the other is on screen, as the record holds them.
void keptHalves(const mainwindow::TwoHalfState& s, TwoHalves& h) {
  h.lowPass = keptTexts(s.LowPassGainText, s.LowPassFnText, s.QTextLP, s.LowPassC1RealText);
  h.highPass = keptTexts(s.HighPassGainText, s.HighPassFnText, s.QTextHP, s.HighPassC1RealText);
}
void keepHalves(mainwindow::TwoHalfState& s, const TwoHalves& h) {
  keep(h.lowPass, s.LowPassGainText, s.LowPassFnText, s.QTextLP, s.LowPassC1RealText);
  keep(h.highPass, s.HighPassGainText, s.HighPassFnText, s.QTextHP, s.HighPassC1RealText);
}

}  // namespace

void ShowHalfView(CalverdonForm& f, HalfView view) {
  const bool total = view == HalfView::Total;
  f.LowPassViewT.Visible = total;
  f.HighPassViewT.Visible = total;
  f.ShowTotal.Visible = !total;
  f.LowPassView.Visible = view == HalfView::HighPassSections;
  f.HighPassView.Visible = view == HalfView::LowPassSections;
  if (!total) {
    for (forms::Line* l : {&f.Line4, &f.Line5, &f.Line6, &f.Line7, &f.Line8, &f.Line9})
      l->Visible = false;
    f.HighPassHalf = view == HalfView::HighPassSections ? 1 : 0;
  }
}

TwoHalves HalvesOf(const CalverdonForm& f) {
  TwoHalves h;
  h.view = viewOf(f);
  h.lowPassPoles = f.Text18.Text;
  h.lowPassEdge = f.Text34.Text;
  h.sectionBoxPoles = sectionBoxPoles(f);
  keptHalves(f, h);
  return h;
}

void ApplyHalves(CalverdonForm& f, const TwoHalves& h) {
  keepHalves(f, h);
  showSectionBoxes(f, h.sectionBoxPoles);
  ShowHalfView(f, h.view);
}

}  // namespace designfiles
