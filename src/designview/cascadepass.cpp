#include "designview/cascadepass.h"

#include <algorithm>
#include <cmath>

#include "designview/stagereadout.h"
#include "designview/valuestable.h"
#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/polepairs.h"
#include "engine/realisedstage.h"
#include "engine/rounding.h"
#include "engine/scalefreq.h"
#include "engine/stagesynthesis.h"
#include "engine/stdvalues.h"
#include "engine/threepole.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/frequencyunit.h"
#include "mainwindow/listchoices.h"

namespace designview {

namespace {

using engine::BuiltStage;

bool usable(double v) { return std::isfinite(v) && v > 0.0; }

void setUpChoices(CalverdonForm& f) {
  f.DisplayDigits = 3;
  f.CircuitMode = mainwindow::ChosenTopology(f) == engine::Topology::SallenKey ? 1 : 0;
  const int n = std::clamp(f.PoleCount, 0, 10);
  const bool odd = n % 2 != 0;
  f.OddOrder = odd ? -1 : 0;
  f.RealPoleShift = odd ? 1 : 0;
  f.SectionCount = static_cast<int>(engine::Int(n / 2.0 + 0.5));
}

// Section gains from the gain boxes of the two-pole stages; an empty or unreadable box is 1.
void readSectionGains(CalverdonForm& f) {
  if (f.BothHalvesDone) return;
  const int last = std::min<int>(engine::CInt(f.PoleCount / 2.0 - 1.0), 4);
  for (int i = 0; i <= last; ++i) {
    forms::TextBox& box = f.GainTB[i];
    float gain = 1.0f;
    if (!box.Text.trimmed().isEmpty()) {
      const std::optional<double> v = engine::ParseNumber(box.Text, f.DecimalSep);
      const float g = v ? engine::Sng(*v) : 0.0f;
      if (v && std::isfinite(g)) {
        gain = g;
        box.Text = engine::SingleText(g, f.DecimalSep);
      }
    }
    f.SectionGain[i + 1] = gain;
  }
}

// Nothing to show for section k: its readouts, its value labels and its table row are empty.
void clearStageCaptions(CalverdonForm& f, int k) {
  const int p = f.SectionCount - k;
  if (p < 0 || p > 4) return;
  f.DCgain[p].Caption.clear();
  f.ShownStageGain[p].reset();
  f.GainF[p].Caption.clear();
  f.PhaseF[p].Caption.clear();
  f.GBPreq[p].Caption.clear();
  if (f.RealPoleShift == 1 && k == f.SectionCount) {
    f.RealR.Caption.clear();
    f.RealC.Caption.clear();
  } else if (const int i = p - f.RealPoleShift; i >= 0 && i < 5) {
    for (forms::Label* label : {&f.R1[i], &f.R2[i], &f.R3[i], &f.R4[i], &f.C1L[i], &f.C2L[i]})
      label->Caption.clear();
  }
  if (forms::TextBox* row = f.ValuesTableRow(46 - k)) row->Text.clear();
}

// Set-up of every pass: ripple, design frequency, value display and the entered capacitors.
void setUp(CalverdonForm& f) {
  setUpChoices(f);
  readSectionGains(f);

  if (!f.Text19.Text.trimmed().isEmpty()) {
    if (const auto v = mainwindow::EngNumber(f, f.Text19.Text)) f.RippleDb = engine::Sng(*v);
  }
  const forms::TextBox& cutoffBox = f.HighPassHalf == 1 ? f.Text2 : f.Text34;
  if (const auto v = mainwindow::FrequencyBoxHertz(f, cutoffBox)) {
    const float fc = engine::Sng(*v);
    if (usable(fc)) f.DesignCutoff = fc;
  }
  f.ValueDisplay = f.CompValue.Value() ? 0 : 2;
  mainwindow::SetInUse(f.C1RealEntry, f.RealPoleShift == 1);

  // The combining pass of a two-half design leaves the section arrays to the halves.
  if (f.BothHalvesDone) {
    mainwindow::SetInUse(f.C1RealEntry, false);
    return;
  }
  const int m = f.SectionCount - f.RealPoleShift;
  const bool fullyDifferential = f.CircuitMode == 0 && mainwindow::FullyDifferentialChosen(f);
  for (int j = 0; j < m && j < 5; ++j) {
    const int box = m - 1 - j;
    const double c1 = mainwindow::EngNumber(f, f.C1Entry[box].Text).value_or(0.0);
    if (c1 != 0.0) f.SectionC1[j + 1] = engine::Sng(c1);
    const double c2 = mainwindow::EngNumber(f, f.C2Entry[box].Text).value_or(0.0);
    if (c2 != 0.0) f.SectionC2[j + 1] = engine::Sng(fullyDifferential ? 2.0 * c2 : c2);
  }
  if (f.RealPoleShift == 1 && f.SectionCount >= 1) {
    const double c = mainwindow::EngNumber(f, f.C1RealEntry.Text).value_or(0.0);
    f.SectionC1[f.SectionCount] = engine::Sng(c);
  }
}

engine::PolePairInputs polePairInputs(const CalverdonForm& f) {
  const QChar sep = f.DecimalSep;
  engine::PolePairInputs in;
  in.ResponseCode = f.ResponseCode;
  in.Chosen = mainwindow::ChosenResponse(f);
  in.HighPassHalf = f.HighPassHalf;
  in.DesignCutoff = f.DesignCutoff;
  in.CustomQScale = f.CustomQScale;
  in.PolesLowPass = engine::NumberIn(f.Text18.Text, sep);
  in.PolesHighPass = engine::NumberIn(f.Text1.Text, sep);
  for (int r = 0; r < 5; ++r) {
    engine::SectionEntry& e = in.Sections[r];
    e.FnShown = f.FnInput[r].Visible;
    e.QShown = f.QInput[r].Visible;
    e.Fn = mainwindow::EngSingle(f, f.FnInput[r].Text);
    e.Q = mainwindow::EngSingle(f, f.QInput[r].Text);
    e.QEmpty = f.QInput[r].Text.isEmpty();
  }
  return in;
}

// Normalised pole pairs, the section frequency and Q readouts, and the scaling.
void polePairs(CalverdonForm& f) {
  const QChar sep = f.DecimalSep;
  const engine::PolePairs pairs = engine::polepairs(f.PoleCount, f.RippleDb, polePairInputs(f));
  f.PoleB0 = pairs.PoleB0;
  f.PoleB1 = pairs.PoleB1;
  if (pairs.CustomQProduct) f.CustomQProduct = *pairs.CustomQProduct;
  if (pairs.HideQInput0) f.QInput[0].Visible = false;

  double qProduct = 1.0;
  const double fc = f.DesignCutoff;
  for (int k = 1; k <= f.SectionCount; ++k) {
    const int p = f.SectionCount - k;
    const std::optional<engine::SectionFnQ> s =
        engine::SectionFrequencyAndQ(f.PoleB0[k], f.PoleB1[k], fc, f.HighPassHalf == 1);
    if (!s) continue;
    f.FSFreq[p].Caption = engine::Engsuffix(s->Fn, f.DisplayDigits + 2, QStringLiteral("Hz"), sep);
    f.StageF0[p] = s->Fn;
    if (s->Q) {
      f.Qdisp[p].Caption = engine::Engsuffix(*s->Q, f.DisplayDigits + 2, QString(), sep);
      f.StageQArray[p] = *s->Q;
      qProduct *= *s->Q;
    }
  }
  f.Qtotal.Visible = f.PoleCount > 1;
  f.Qtotal.Text = engine::Engsuffix(engine::Sng(qProduct), f.DisplayDigits + 2, QString(), sep);
  f.TotalGainDb = 0;
  if (f.RealPoleShift == 1) {
    f.DCgain[0].Caption = QStringLiteral(" 1") + sep + QLatin1Char('0');
    f.ShownStageGain[0] = 1.0;
  }

  const engine::ScaledSections scaled = engine::ScaleFreq(f.DesignCutoff, f.PoleB0, f.PoleB1);
  f.PoleB0 = scaled.PoleB0;
  f.PoleB1 = scaled.PoleB1;
}

// The resistor seed of section k, read again for every section.
void readSeed(CalverdonForm& f) {
  const QChar sep = f.DecimalSep;
  const QString fallback = QStringLiteral("10") + sep + QStringLiteral("00 k");
  if (f.Text12.Text.trimmed().isEmpty()) f.Text12.Text = fallback;
  std::optional<double> v = mainwindow::EngNumber(f, f.Text12.Text);
  if (!v || !usable(engine::Sng(*v))) {
    f.Text12.Text = fallback;
    v = 10000.0;
  }
  f.ScaleResistor = engine::Sng(*v);
  f.Text12.Text = engine::Engsuffix(f.ScaleResistor, f.DisplayDigits, QString(), sep);
}

engine::SeriesChoice seriesOf(const CalverdonForm& f, float stageF0) {
  engine::SeriesChoice s;
  s.Resistors = mainwindow::ChosenResistorSeries(f);
  s.Capacitors = mainwindow::ChosenCapacitorSeries(f);
  s.HighPassHalf = f.HighPassHalf;
  s.StageF0 = stageF0;
  s.DesignCutoff = f.DesignCutoff;
  return s;
}

void applyBox(const CalverdonForm& f, forms::TextBox& box, float& entered,
              const engine::CapBoxUpdate& u) {
  using Change = engine::CapBoxUpdate::Change;
  if (u.Box == Change::Emptied) box.Text.clear();
  if (u.Box == Change::Shows)
    box.Text = engine::Engsuffix(u.Shown, f.DisplayDigits, QString(), f.DecimalSep);
  if (u.Entered) entered = *u.Entered;
}

// The stage gain caption: "0.0##", with the figure it shows kept beside it.
void showStageGain(CalverdonForm& f, int p, double gain) {
  f.DCgain[p].Caption = engine::FormatFixed(gain, 1, 3, true, f.DecimalSep);
  f.ShownStageGain[p] = engine::ShownGain(gain);
}

// Gain-bandwidth each amplifier needs, for every display position up to the last two-pole one.
void requiredGainBandwidth(CalverdonForm& f) {
  const QChar sep = f.DecimalSep;
  const int m = f.SectionCount - f.RealPoleShift;
  for (int q = std::min(m, 4); q >= 0; --q) {
    std::optional<double> gbp;
    if (q == 0 && f.RealPoleShift == 1) {
      gbp = engine::RealPoleGainBandwidth(f.StageF0[0]);
    } else if (const std::optional<double> g = f.ShownStageGain[q]) {
      gbp = engine::RequiredGainBandwidth(f.CircuitMode == 1, *g, f.StageQArray[q],
                                          f.StageF0[q]);
    }
    const float v = gbp ? engine::Sng(*gbp) : 0.0f;
    f.GBPreq[q].Caption = gbp && std::isfinite(v)
                              ? engine::Engsuffix(v, f.DisplayDigits, QStringLiteral("Hz"), sep)
                              : QString();
  }
  if (f.RealPoleShift == 0 && f.SectionCount < 5) f.GBPreq[f.SectionCount].Caption.clear();
}

// The gain caption of a two-pole stage and its realised gain.
void showRealisedGain(CalverdonForm& f, int p, BuiltStage& s) {
  const double gain = engine::RealisedGain(s);
  s.Gain = engine::Sng(gain);
  f.StageGainActual[s.Section] = s.Gain;
  if (s.FirstOrder) return;
  if (s.Mfb || s.R3 > 0) {
    showStageGain(f, p, gain);
  } else {
    f.DCgain[p].Caption = QStringLiteral("1");
    f.ShownStageGain[p] = 1.0;
  }
}

// The frame ratio f0(stage) / f0(real pole) of the three-pole section: the real pole's parts
// in the stage's frame of the high-pass exchange.
double threePoleRho(const CalverdonForm& f) {
  if (f.HighPassHalf != 1) return 1.0;
  const double rho = double(f.StageF0[1]) / f.StageF0[0];
  return usable(rho) ? rho : 1.0;
}

// Synthesis, analysis and readouts of section k; false when the section is not built. A stage
// fed by the real pole of the three-pole section (linkedPair) is finished by linkThreePole.
bool buildSection(CalverdonForm& f, int k, BuiltStage& s, float& threePoleR1, bool linkedPair) {
  const QChar sep = f.DecimalSep;
  const int p = f.SectionCount - k;
  const int box = p - f.RealPoleShift;  // its stage boxes; -1 for the real pole
  const bool firstOrder = f.RealPoleShift == 1 && k == f.SectionCount;
  const bool mfb = f.CircuitMode == 0;
  const bool fullyDifferential = mainwindow::FullyDifferentialChosen(f);

  readSeed(f);
  if (f.ThreePole.Checked && f.RealPoleShift == 1) {
    if (k == f.SectionCount)
      f.ScaleResistor = engine::Sng(f.ScaleResistor / 5.0);
    else if (k == f.SectionCount - 1 && fullyDifferential)
      f.ScaleResistor = engine::Sng(f.ScaleResistor * 5.0);
  }
  f.SectionGain[0] = 1.0f;
  f.StageGain = f.SectionGain[p + 1 - f.RealPoleShift];

  const bool hasBoxes = box >= 0 && box < 5;
  if (hasBoxes) {
    if (f.C1Entry[box].Text.isEmpty() && !f.C2Edited[box]) f.SectionC1[k] = 0;
    if (f.C2Entry[box].Text.isEmpty() && !f.C1Edited[box]) f.SectionC2[k] = 0;
  }
  const float targetB0 = f.PoleB0[k], targetB1 = f.PoleB1[k];
  if (!usable(targetB0)) return false;  // an unset section

  // The merged real pole of the three-pole stage sits in series with the next stage's R1.
  const float seriesR1 = mfb && f.RealPoleShift == 1 && k == f.SectionCount - 1
                            ? engine::Sng(threePoleR1 * threePoleRho(f))
                            : 0.0f;
  engine::StageRequest in;
  in.b0 = targetB0;
  in.b1 = targetB1;
  in.R1 = f.ScaleResistor;
  in.Gain = f.StageGain;
  in.C1 = f.SectionC1[k];
  in.C2 = f.SectionC2[k];
  in.C1Max = f.C1Max[k];
  in.C2Min = f.C2Min[k];
  in.C1Edited = hasBoxes && f.C1Edited[box] != 0;
  in.C2Edited = hasBoxes && f.C2Edited[box] != 0;
  in.PolesLowPass = engine::NumberIn(f.Text18.Text, sep);
  in.PolesHighPass = engine::NumberIn(f.Text1.Text, sep);
  in.FullyDifferential = mfb && fullyDifferential;
  in.ThreePole = f.ThreePole.Checked;
  in.ThreePoleR1 = firstOrder ? threePoleR1 : seriesR1;
  in.ScaleResistor = f.ScaleResistor;
  in.Series = seriesOf(f, f.StageF0[p]);

  const engine::StageResult r = mfb ? engine::MFB(in) : engine::Sallen(in);
  f.SectionC1[k] = r.C1;
  f.SectionC2[k] = r.C2;
  f.C1Max[k] = r.C1Max;
  f.C2Min[k] = r.C2Min;
  f.CapDivisor = r.CapDivisor;
  f.StageGain = r.Gain;
  f.PoleB0[k] = r.b0;
  if (firstOrder) threePoleR1 = r.ThreePoleR1;
  if (hasBoxes) {
    f.C1Edited[box] = r.C1Edited ? 1 : 0;
    f.C2Edited[box] = r.C2Edited ? 1 : 0;
    applyBox(f, f.C1Entry[box], f.EnteredC1[box], r.C1Box);
    applyBox(f, f.C2Entry[box], f.EnteredC2[box], r.C2Box);
  }
  if (!r.Ok) return false;

  s = BuiltStage{};
  s.Section = k;
  s.FirstOrder = firstOrder;
  s.Mfb = mfb;
  s.FullyDifferential = mfb && fullyDifferential;
  s.R1 = r.R1;
  s.R2 = r.R2;
  s.R3 = r.R3;
  s.R4 = r.R4;
  s.SeriesR1 = seriesR1;
  s.C1 = r.C1;
  s.C2 = r.C2;
  s.F0 = f.StageF0[p];
  // A built stage that realises no section (its rounded parts leave it without positive
  // damping, so it would oscillate) counts as unset: b0 = 0 with a positive b1 is a pair that
  // the readout, the sensitivities and the sweep leave out, rather than a first-order or a
  // stable section it is not.
  auto unrealised = [&f, k]() {
    f.PoleB0[k] = 0;
    if (!(f.PoleB1[k] > 0)) f.PoleB1[k] = 1;
    return false;
  };
  std::optional<engine::RealisedSection> a = engine::AnalyzeBuiltStage(s);
  if (!a) return unrealised();
  if (!mfb) f.StageGain = engine::AnalyzeSallenStage(s.R1, s.R2, s.R3, s.R4, s.C1, s.C2).K;
  f.PoleB0[k] = a->b0;
  f.PoleB1[k] = a->b1;

  // The stage's own realised gain.
  showRealisedGain(f, p, s);

  if (f.HighPassHalf == 1 && s.R2 != 0 && !linkedPair) {
    const int capdivC2 = mfb && fullyDifferential ? 2 : 1;
    engine::RealisedSection realised = *a;
    engine::CorrectHighPassCapacitors(s, realised, targetB0, targetB1, capdivC2, in.Series);
    f.PoleB0[k] = realised.b0;
    f.PoleB1[k] = realised.b1;
    f.SectionC1[k] = s.C1;
    f.SectionC2[k] = s.C2;
    a = engine::AnalyzeBuiltStage(s);
    if (!a) return unrealised();
    f.PoleB0[k] = a->b0;
    f.PoleB1[k] = a->b1;
  }
  return true;
}

// The three-pole section: the real pole (built first) feeds `pair` without an amplifier. Their
// parts are chosen again for the loaded circuit to realise the targets, and each realises its
// factor of the loaded section: the real pole the cubic's real pole, the stage its pair. False
// when the loaded section is not stable.
bool linkThreePole(CalverdonForm& f, BuiltStage& real, BuiltStage& pair,
                   const engine::SectionArray& targetB0, const engine::SectionArray& targetB1) {
  const double rho = threePoleRho(f);
  engine::LinkThreePole(real, pair, engine::Sng(rho));
  const engine::ThreePoleParts start = engine::ThreePoleSectionOf(pair);
  engine::ThreePoleTarget target;
  target.Sigma = targetB0[real.Section];
  target.PairB0 = targetB0[pair.Section];
  target.PairB1 = targetB1[pair.Section];
  target.Gain = f.SectionGain[1];
  engine::ThreePoleRounding rounding;
  rounding.Real = seriesOf(f, f.StageF0[0]);
  rounding.Stage = seriesOf(f, f.StageF0[1]);
  rounding.RealCapDiv = real.FullyDifferential ? 2 : 1;
  rounding.C2CapDiv = pair.FullyDifferential ? 2 : 1;
  rounding.Rho = rho;
  const engine::ThreePoleDesign d = engine::DesignThreePole(start, target, rounding);
  if (d.Solved) {
    const engine::ThreePoleParts& q = d.Parts;
    real.R1 = engine::Sng(q.Rr / rho);
    real.C1 = engine::Sng(q.Cr * rho);
    pair.R1 = engine::Sng(q.R1);
    pair.R2 = engine::Sng(q.R2);
    pair.R3 = engine::Sng(q.R3);
    pair.C1 = engine::Sng(q.C1);
    pair.C2 = engine::Sng(q.C2);
    f.SectionC1[pair.Section] = pair.C1;
    f.SectionC2[pair.Section] = pair.C2;
  }
  engine::LinkThreePole(real, pair, engine::Sng(rho));
  // The real pole's resistor is in series with the MFB input resistor at DC.
  pair.SeriesR1 = pair.Mfb ? engine::Sng(real.R1 * rho) : 0.0f;

  bool stable = true;
  for (BuiltStage* x : {&real, &pair}) {
    const std::optional<engine::RealisedSection> a = engine::AnalyzeBuiltStage(*x);
    if (a) {
      f.PoleB0[x->Section] = a->b0;
      f.PoleB1[x->Section] = a->b1;
    } else {
      f.PoleB0[x->Section] = 0;
      f.PoleB1[x->Section] = 1;
      stable = false;
    }
  }
  showRealisedGain(f, 0, real);
  showRealisedGain(f, f.SectionCount - pair.Section, pair);
  return stable;
}

// The readouts, the values-table row and the labels of a built section.
void showSection(CalverdonForm& f, const BuiltStage& s, std::vector<BuiltStage>* built) {
  f.SectionIndex = s.Section;
  requiredGainBandwidth(f);
  StageReadout(f, s.Section);
  ValuesTableRow(f, s);
  if (built) built->push_back(s);
}

}  // namespace

void PrepareCascade(CalverdonForm& f) {
  if (!mainwindow::ChosenPassBandIs(f, engine::IsCascade)) return;
  setUpChoices(f);
  readSectionGains(f);
}

void CascadePass(CalverdonForm& f, std::vector<BuiltStage>* built) {
  setUp(f);
  if (f.BothHalvesDone) return;
  polePairs(f);
  const engine::SectionArray targetB0 = f.PoleB0, targetB1 = f.PoleB1;
  // With "Use 3 pole section" the real pole feeds stage A without an amplifier: it is shown
  // once the two are designed together.
  const bool threePole = f.ThreePole.Checked && f.RealPoleShift == 1 && f.SectionCount >= 2 &&
                         f.SectionCount <= 5;
  std::optional<BuiltStage> realPole;
  float threePoleR1 = 0;  // R1 of a real pole merged into the next stage
  for (int k = std::min(f.SectionCount, 5); k >= 1; --k) {
    f.SectionIndex = k;
    BuiltStage s;
    const bool linkedPair = realPole && k == f.SectionCount - 1;
    if (!buildSection(f, k, s, threePoleR1, linkedPair)) {
      // Nothing to show for a section that could not be built; a real pole waiting for it is
      // shown as it stands.
      clearStageCaptions(f, k);
      if (linkedPair) {
        showSection(f, *realPole, built);
        realPole.reset();
      }
      continue;
    }
    if (threePole && k == f.SectionCount) {
      realPole = s;
      continue;
    }
    if (linkedPair) {
      const bool stable = linkThreePole(f, *realPole, s, targetB0, targetB1);
      if (!stable) {
        clearStageCaptions(f, realPole->Section);
        clearStageCaptions(f, k);
        realPole.reset();
        continue;
      }
      showSection(f, *realPole, built);
      realPole.reset();
    }
    showSection(f, s, built);
  }
}

}  // namespace designview
