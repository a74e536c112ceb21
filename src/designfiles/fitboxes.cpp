#include "designfiles/fitboxes.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/frequencyboxes.h"
#include "mainwindow/frequencyunit.h"
#include "mainwindow/poleboxes.h"
#include "mainwindow/qboxes.h"
#include "mainwindow/sectionboxes.h"

namespace designfiles {

namespace {

using Fit = std::function<double(double)>;
using TextOf = std::function<QString(double)>;

// Rewrites a text whose number the box would take as another value.
void fit(const CalverdonForm& f, QString& text, const Fit& inLimits, const TextOf& textOf) {
  if (text.trimmed().isEmpty()) return;
  const std::optional<double> v = mainwindow::EngNumber(f, text);
  if (!v) return;
  const double fitted = inLimits(*v);
  if (engine::Sng(fitted) != engine::Sng(*v)) text = textOf(fitted);
}

void fitPoleCount(CalverdonForm& f, QString& text, bool designCount) {
  fit(
      f, text,
      [&f, designCount](double v) {
        const double whole = std::clamp(engine::Int(v), -32768.0, 32767.0);
        return double(mainwindow::PoleCountInLimits(f, int(whole), designCount));
      },
      [](double n) { return QString::number(int(n)); });
}

// A frequency box in the unit the window shows (hertz or radians per second).
void fitFrequencyBox(CalverdonForm& f, QString& text) {
  const double unit = mainwindow::FreqUnitFactorOf(f);
  fit(
      f, text,
      [unit](double v) { return mainwindow::FrequencyBoxInLimits(v, unit); },
      [&f, unit](double v) { return mainwindow::FrequencyBoxText(f, v, unit); });
}

// One section's frequency and Q texts.
void fitSection(CalverdonForm& f, QString& fn, QString& q) {
  fit(f, fn, &mainwindow::SectionFrequencyInLimits,
      [&f](double v) { return mainwindow::SectionFrequencyText(f, v); });
  fit(f, q, [&f](double v) { return mainwindow::SectionQInLimits(f, v); },
      [&f](double v) { return mainwindow::SectionQText(f, v); });
}

}  // namespace

bool FitRecordNumbers(DesignRecord& r) {
  std::vector<const QString*> texts = {&r.c1Real, &r.respF, &r.ripple, &r.text1, &r.text2,
                                       &r.text3, &r.topAmp, &r.botAmp};
  for (const auto* row : {&r.c1, &r.c2, &r.gain, &r.fn, &r.q})
    for (const QString& t : *row) texts.push_back(&t);
  if (r.halves) {
    texts.insert(texts.end(), {&r.halves->lowPassPoles, &r.halves->lowPassEdge});
    for (const HalfTexts* half : {&r.halves->lowPass, &r.halves->highPass}) {
      texts.push_back(&half->c1Real);
      for (const auto* row : {&half->gain, &half->fn, &half->q})
        for (const QString& t : *row) texts.push_back(&t);
    }
  }
  // Either separator: the texts keep the one of the locale they were saved in.
  for (const QString* t : texts)
    for (const QChar sep : {QLatin1Char('.'), QLatin1Char(',')})
      if (const auto v = engine::ParseNumber(t->trimmed(), sep); v && !std::isfinite(engine::Sng(*v)))
        return false;

  r.scaleResistor = engine::Sng(mainwindow::SeedInLimits(r.scaleResistor));
  if (r.cutoff > 0)
    r.cutoff = engine::Sng(
        std::clamp(double(r.cutoff), mainwindow::kMinFrequency, mainwindow::kMaxFrequency));
  r.poleCount = std::clamp(r.poleCount, 1, 10);
  return true;
}

void FitBoxesToLimits(CalverdonForm& f) {
  fitPoleCount(f, f.Text18.Text, true);
  fitPoleCount(f, f.Text1.Text, false);
  fitFrequencyBox(f, f.Text34.Text);
  fitFrequencyBox(f, f.Text2.Text);
  // The band Q box answers a number beyond the single range as one it cannot read: "1".
  fit(
      f, f.Text3.Text,
      [](double q) { return std::isfinite(engine::Sng(q)) ? mainwindow::BandQInLimits(q) : 1.0; },
      [&f](double q) { return mainwindow::NumberText(f, q); });
  fit(f, f.Text19.Text, &mainwindow::RippleInLimits,
      [&f](double dB) { return mainwindow::NumberText(f, dB); });
  for (size_t k = 0; k < f.FnInput.size(); ++k) fitSection(f, f.FnInput[k].Text, f.QInput[k].Text);
  for (size_t k = 0; k < f.LowPassFnText.size(); ++k) {
    fitSection(f, f.LowPassFnText[k], f.QTextLP[k]);
    fitSection(f, f.HighPassFnText[k], f.QTextHP[k]);
  }
}

}  // namespace designfiles
