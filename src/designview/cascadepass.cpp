#include "designview/cascadepass.h"

#include <algorithm>
#include <cmath>

#include "designview/sensitivities.h"
#include "designview/stagereadout.h"
#include "designview/valuestable.h"
#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/polepairs.h"
#include "engine/scalefreq.h"
#include "engine/stagesynthesis.h"
#include "engine/stdvalues.h"
#include "engine/vbmath.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/passband.h"
#include "mainwindow/entryboxes.h"

namespace designview {

namespace {

using mainwindow::passband::IsCascade;

bool usable(double v) { return std::isfinite(v) && v > 0.0; }

// Frequencies on the window are in the unit of the Rad/s box; the design works in hertz.
double unitFactor(const CalverdonForm& f) {
  return usable(f.FreqUnitFactor) ? f.FreqUnitFactor : 1.0;
}

// The value a box holds in engineering notation; nothing when it holds none.
std::optional<double> engValue(const QString& text, QChar sep) {
  std::optional<double> v = engine::EngValue(text, sep);
  if (v && !std::isfinite(*v)) return std::nullopt;
  return v;
}

void setUpChoices(CalverdonForm& f) {
  f.DisplayDigits = 3;
  f.CircuitMode = f.CircuitType.ListIndex() == 1 ? 1 : 0;
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
  const QChar sep = f.DecimalSep;
  setUpChoices(f);
  readSectionGains(f);

  if (!f.Text19.Text.trimmed().isEmpty()) {
    if (const auto v = engValue(f.Text19.Text, sep)) f.RippleDb = engine::Sng(*v);
  }
  const QString& cutoffText = f.HighPassHalf == 1 ? f.Text2.Text : f.Text34.Text;
  if (const auto v = engValue(cutoffText, sep)) {
    const float fc = engine::Sng(*v / unitFactor(f));
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
  const bool fullyDifferential = f.CircuitMode == 0 && f.CircuitType.ListIndex() == 2;
  for (int j = 0; j < m && j < 5; ++j) {
    const int box = m - 1 - j;
    const double c1 = engValue(f.C1Entry[box].Text, sep).value_or(0.0);
    if (c1 != 0.0) f.SectionC1[j + 1] = engine::Sng(c1);
    const double c2 = engValue(f.C2Entry[box].Text, sep).value_or(0.0);
    if (c2 != 0.0) f.SectionC2[j + 1] = engine::Sng(fullyDifferential ? 2.0 * c2 : c2);
  }
  if (f.RealPoleShift == 1 && f.SectionCount >= 1) {
    const double c = engValue(f.C1RealEntry.Text, sep).value_or(0.0);
    f.SectionC1[f.SectionCount] = engine::Sng(c);
  }
}

engine::PolePairInputs polePairInputs(const CalverdonForm& f) {
  engine::PolePairInputs in;
  in.ResponseCode = f.ResponseCode;
  in.TypeFilter = f.TypeFilter.Text();
  in.HighPassHalf = f.HighPassHalf;
  in.DesignCutoff = f.DesignCutoff;
  in.CustomQScale = f.CustomQScale;
  in.Text18 = f.Text18.Text;
  in.Text1 = f.Text1.Text;
  for (int r = 0; r < 5; ++r) {
    in.FnInput[r] = f.FnInput[r].Text;
    in.QInput[r] = f.QInput[r].Text;
    in.FnInputVisible[r] = f.FnInput[r].Visible;
    in.QInputVisible[r] = f.QInput[r].Visible;
  }
  in.DecimalSep = f.DecimalSep;
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
    const double b0 = f.PoleB0[k], b1 = f.PoleB1[k];
    if (!usable(b0)) continue;
    // A real pole holds b0 = wn, a pair b0 = wn^2.
    const double wn = b1 == 0.0 ? b0 : std::sqrt(b0);
    const float fn = engine::Sng(f.HighPassHalf == 1 ? fc / wn : wn * fc);
    if (!std::isfinite(fn)) continue;
    f.FSFreq[p].Caption = engine::Engsuffix(fn, f.DisplayDigits + 2, QStringLiteral("Hz"), sep);
    f.StageF0[p] = fn;
    if (b1 != 0.0) {
      const float q = engine::Sng(std::sqrt(b0) / b1);
      if (!std::isfinite(q)) continue;
      f.Qdisp[p].Caption = engine::Engsuffix(q, f.DisplayDigits + 2, QString(), sep);
      f.StageQArray[p] = q;
      qProduct *= q;
    }
  }
  f.Qtotal.Visible = f.PoleCount > 1;
  f.Qtotal.Text = engine::Engsuffix(engine::Sng(qProduct), f.DisplayDigits + 2, QString(), sep);
  f.TotalGainDb = 0;
  if (f.RealPoleShift == 1) f.DCgain[0].Caption = QStringLiteral(" 1") + sep + QLatin1Char('0');

  const engine::ScaledSections scaled = engine::ScaleFreq(f.DesignCutoff, f.PoleB0, f.PoleB1);
  f.PoleB0 = scaled.PoleB0;
  f.PoleB1 = scaled.PoleB1;
}

// The resistor seed of section k, read again for every section.
void readSeed(CalverdonForm& f) {
  const QChar sep = f.DecimalSep;
  const QString fallback = QStringLiteral("10") + sep + QStringLiteral("00 k");
  if (f.Text12.Text.trimmed().isEmpty()) f.Text12.Text = fallback;
  std::optional<double> v = engValue(f.Text12.Text, sep);
  if (!v || !usable(engine::Sng(*v))) {
    f.Text12.Text = fallback;
    v = 10000.0;
  }
  f.ScaleResistor = engine::Sng(*v);
  f.Text12.Text = engine::Engsuffix(f.ScaleResistor, f.DisplayDigits, QString(), sep);
}

engine::SeriesChoice seriesOf(const CalverdonForm& f, float stageF0) {
  engine::SeriesChoice s;
  s.ResistorList = f.ResistorList.Text();
  s.CapacitorList = f.CapacitorList.Text();
  s.HighPassHalf = f.HighPassHalf;
  s.StageF0 = stageF0;
  s.DesignCutoff = f.DesignCutoff;
  return s;
}

void applyBox(forms::TextBox& box, float& entered, const engine::CapBoxUpdate& u) {
  if (u.Text) box.Text = *u.Text;
  if (u.Entered) entered = *u.Entered;
}

float rounded(float c, int capdiv, const engine::SeriesChoice& series) {
  const float r = engine::StdCaps(c, engine::CapNearest, capdiv, series);
  return usable(r) ? r : c;
}

// The high-pass stage is built from its prototype through the exchange of resistors and
// capacitors, whose rounding moves it off its target; ten rounds of sensitivity-guided
// correction bring the rounded capacitors back towards the target fn and Q. Each round takes
// its sensitivities about the stage as last realised (PoleB0(k), PoleB1(k)).
void correctHighPassCapacitors(CalverdonForm& f, BuiltStage& s, double targetB0,
                               double targetB1, int capdivC2,
                               const engine::SeriesChoice& series) {
  const int k = s.Section;
  if (!usable(targetB0) || !usable(targetB1)) return;
  const double wt = std::sqrt(targetB0), qt = wt / targetB1;
  auto perturbed = [&s, &f, k](float BuiltStage::*part) {
    BuiltStage p = s;
    p.*part = engine::Sng(p.*part * 1.01);
    const auto a = AnalyzeBuiltStage(p);
    if (!a) return std::optional<Sensitivity>();
    return SectionSensitivity(f.PoleB0[k], f.PoleB1[k], a->b0, a->b1);
  };
  // The relative errors of the realised stage; nothing when it is not a usable pair.
  auto errors = [&]() -> std::optional<std::pair<double, double>> {
    const auto a = AnalyzeBuiltStage(s);
    if (!a || !usable(a->b0) || !usable(a->b1)) return std::nullopt;
    const double wa = std::sqrt(double(a->b0)), qa = wa / a->b1;
    return std::make_pair((qt - qa) / qt, (wa - wt) / wt);
  };
  auto scaled = [](float c, double by) {
    const float v = engine::Sng(c * by);
    return usable(v) ? v : c;
  };
  for (int round = 0; round < 10; ++round) {
    const std::optional<Sensitivity> sC2 = perturbed(&BuiltStage::C2);
    const std::optional<Sensitivity> sC1 = perturbed(&BuiltStage::C1);
    auto e = errors();
    if (!sC1 || !sC2 || !e) break;
    if (sC2->QPercent != 0.0f) s.C2 = scaled(s.C2, 1.0 - e->first / sC2->QPercent);
    s.C2 = rounded(s.C2, capdivC2, series);
    e = errors();
    if (!e) break;
    if (sC1->FnPercent != 0.0f) s.C1 = scaled(s.C1, 1.0 - 0.5 * e->second / sC1->FnPercent);
    if (sC2->FnPercent != 0.0f) s.C2 = scaled(s.C2, 1.0 - 0.5 * e->second / sC2->FnPercent);
    s.C1 = rounded(s.C1, 1, series);
    s.C2 = rounded(s.C2, capdivC2, series);
    const auto a = AnalyzeBuiltStage(s);
    if (!a) break;
    f.PoleB0[k] = a->b0;
    f.PoleB1[k] = a->b1;
  }
}

// The numbers of the stage gain captions: "0.0##".
QString gainText(double g, QChar sep) { return FixedText(g, 1, 3, sep); }

// Gain-bandwidth each amplifier needs, for every display position up to the last two-pole one.
void requiredGainBandwidth(CalverdonForm& f) {
  const QChar sep = f.DecimalSep;
  const int m = f.SectionCount - f.RealPoleShift;
  for (int q = std::min(m, 5); q >= 0; --q) {
    std::optional<double> gbp;
    if (q == 0 && f.RealPoleShift == 1) {
      gbp = 50.0 * f.StageF0[0];
    } else if (!f.DCgain[q].Caption.trimmed().isEmpty()) {
      const std::optional<double> g = engine::ParseNumber(f.DCgain[q].Caption, sep);
      const double Q = f.StageQArray[q], f0 = f.StageF0[q];
      if (g) {
        if (f.CircuitMode == 1)
          gbp = Q > 1.0 ? 100.0 * *g * Q * Q * Q * f0 : 100.0 * *g * f0;
        else
          gbp = 100.0 * *g * Q * f0;
      }
    }
    if (q < 5) {
      const float v = gbp ? engine::Sng(*gbp) : 0.0f;
      f.GBPreq[q].Caption = gbp && std::isfinite(v)
                                ? engine::Engsuffix(v, f.DisplayDigits, QStringLiteral("Hz"), sep)
                                : QString();
    }
  }
  if (f.RealPoleShift == 0 && f.SectionCount < 5) f.GBPreq[f.SectionCount].Caption.clear();
}

// Synthesis, analysis and readouts of section k; false when the section is not built.
bool buildSection(CalverdonForm& f, int k, BuiltStage& s, float& threePoleR1) {
  const QChar sep = f.DecimalSep;
  const int p = f.SectionCount - k;
  const int box = p - f.RealPoleShift;  // its stage boxes; -1 for the real pole
  const bool firstOrder = f.RealPoleShift == 1 && k == f.SectionCount;
  const bool mfb = f.CircuitMode == 0;
  const bool fullyDifferential = f.CircuitType.ListIndex() == 2;

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
  const float seriesR1 =
      mfb && f.RealPoleShift == 1 && k == f.SectionCount - 1 ? threePoleR1 : 0.0f;
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
  in.Text18Poles = mainwindow::NumberIn(f.Text18.Text, sep);
  in.Text1Poles = mainwindow::NumberIn(f.Text1.Text, sep);
  in.FullyDifferential = mfb && fullyDifferential;
  in.ThreePole = f.ThreePole.Checked;
  in.ThreePoleR1 = firstOrder ? threePoleR1 : seriesR1;
  in.ScaleResistor = f.ScaleResistor;
  in.DisplayDigits = f.DisplayDigits;
  in.DecimalSep = sep;
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
    applyBox(f.C1Entry[box], f.EnteredC1[box], r.C1Box);
    applyBox(f.C2Entry[box], f.EnteredC2[box], r.C2Box);
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
  std::optional<engine::RealisedSection> a = AnalyzeBuiltStage(s);
  if (!a) return unrealised();
  if (!mfb) f.StageGain = engine::AnalyzeSallenStage(s.R1, s.R2, s.R3, s.R4, s.C1, s.C2).K;
  f.PoleB0[k] = a->b0;
  f.PoleB1[k] = a->b1;

  // The stage's own realised gain.
  const double inputR = double(s.R1) + s.SeriesR1;
  double gain = 1.0;
  if (mfb && s.R2 != 0) gain = s.R2 / inputR;
  if (!mfb && s.R4 != 0 && s.R3 > 0) gain = 1.0 + double(s.R4) / s.R3;
  if (!usable(gain)) gain = 1.0;
  s.Gain = engine::Sng(gain);
  f.StageGainActual[k] = s.Gain;
  if (!firstOrder) {
    if (mfb)
      f.DCgain[p].Caption = gainText(gain, sep);
    else
      f.DCgain[p].Caption = s.R3 > 0 ? gainText(gain, sep) : QStringLiteral("1");
  }

  if (f.HighPassHalf == 1 && s.R2 != 0) {
    const int capdivC2 = mfb && fullyDifferential ? 2 : 1;
    correctHighPassCapacitors(f, s, targetB0, targetB1, capdivC2, in.Series);
    f.SectionC1[k] = s.C1;
    f.SectionC2[k] = s.C2;
    a = AnalyzeBuiltStage(s);
    if (!a) return unrealised();
    f.PoleB0[k] = a->b0;
    f.PoleB1[k] = a->b1;
  }
  return true;
}

}  // namespace

void PrepareCascade(CalverdonForm& f) {
  if (!IsCascade(f.Passband.Text())) return;
  setUpChoices(f);
  readSectionGains(f);
}

void CascadePass(CalverdonForm& f, std::vector<BuiltStage>* built) {
  setUp(f);
  if (f.BothHalvesDone) return;
  polePairs(f);
  float threePoleR1 = 0;  // R1 of a real pole merged into the next stage
  for (int k = std::min(f.SectionCount, 5); k >= 1; --k) {
    f.SectionIndex = k;
    BuiltStage s;
    if (!buildSection(f, k, s, threePoleR1)) {
      // Nothing to show for a section that could not be built.
      clearStageCaptions(f, k);
      continue;
    }
    requiredGainBandwidth(f);
    StageReadout(f, k);
    ValuesTableRow(f, s);
    if (built) built->push_back(s);
  }
}

}  // namespace designview
