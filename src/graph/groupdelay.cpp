#include "graph/groupdelay.h"

#include <cmath>

#include "engine/engnotation.h"
#include "engine/rounding.h"
#include "graph/surface.h"
#include "mainwindow/calverdonform.h"

namespace graph {

namespace {

constexpr int kFirstPoint = 3, kLastPoint = 561;
// The normalisation stops here: a delay below 1e-40 s is no delay.
constexpr int kMaxNormalisingSteps = 40;

}  // namespace

float SweptGroupDelay(const mainwindow::GraphState& g, int i) {
  if (i < 1 || i + 1 >= static_cast<int>(g.SweepFreq.size())) return 0;
  const double df = g.SweepFreq[i + 1] - g.SweepFreq[i];
  if (!(df > 0)) return 0;
  const float d = engine::Sng(-(g.SweepPhase[i + 1] - g.SweepPhase[i]) / (df * 360));
  return std::isfinite(d) ? d : 0.0f;
}

double GroupDelayScale(double maxDelay) {
  float m = engine::Sng(maxDelay);
  if (!(m > 0) || !std::isfinite(m)) return 1;
  // m = maxDelay / 10^n with 1 <= m < 10.
  int n = 0;
  while (m < 1 && n > -kMaxNormalisingSteps) {
    m = engine::Sng(10.0 * m);
    --n;
  }
  while (m >= 10 && n < kMaxNormalisingSteps) {
    m = engine::Sng(m / 10.0);
    ++n;
  }
  double scale = std::pow(10.0, -n);
  const double whole = engine::Int(m);
  for (const double limit : {2.0, 4.0, 8.0, 16.0, 32.0}) {
    if (whole <= limit) continue;
    // Scales of a delay below a second stay whole numbers (halved ties to even); the scale of
    // a delay of a second or more is a fraction and is halved exactly, so that the top label,
    // 4 / scale seconds, stays above the delay.
    const double half = scale / 2;
    scale = half >= 1 ? std::nearbyint(half) : half;
  }
  return scale > 0 ? scale : 1;
}

double DrawGroupDelay(CalverdonForm& f) {
  double maxDelay = 0;
  for (int i = kFirstPoint; i <= kLastPoint; ++i) {
    const float tau = std::fabs(SweptGroupDelay(f, i));
    if (tau > maxDelay) maxDelay = tau;
  }
  const double scale = GroupDelayScale(maxDelay);

  if (f.ShowGDTrace.Checked && maxDelay > 0) {
    const double height = double(f.GraphBottomY) - f.GraphTopY;
    const double bottom = f.GraphBottomY;
    // Four label steps fill the plot height: 4 / scale seconds at the top edge.
    const auto y = [&](float delay) { return bottom - delay * scale * height / 4; };
    for (int i = kFirstPoint; i <= kLastPoint; ++i) {
      const double x1 = SweepPointX(f, i), x2 = SweepPointX(f, i + 1);
      const double y1 = y(SweptGroupDelay(f, i)), y2 = y(SweptGroupDelay(f, i + 1));
      if (x2 > f.GraphRightX) continue;
      if (y1 > bottom || y2 > bottom || y1 < -bottom || y2 < -bottom) continue;
      DrawGraphLine(f, x1, y1, x2, y2, f.GroupDelayTraceColor);
    }
  }

  LabelGroupDelayAxis(f, scale);
  return scale;
}

void LabelGroupDelayAxis(CalverdonForm& f, double scale) {
  for (int k = 0; k <= 8; ++k)
    f.GroupDelay[k].Caption = engine::Engsuffix(engine::Sng((1 / scale) * (8 - k) / 2), 2,
                                                QStringLiteral("s"), f.DecimalSep);
}

}  // namespace graph
