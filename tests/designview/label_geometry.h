#pragma once
// Where things stand on the schematic panel, for the tests that check each value label sits
// beside its own component.
#include <gtest/gtest.h>

#include <QPointF>
#include <QRectF>
#include <algorithm>
#include <cmath>

#include "designview/schematicanchors.h"
#include "mainwindow/calverdonform.h"

// The stage picture shown in place i (i = -1: the real-pole section), among the pictures whose
// components are listed; nullptr when none is. Two pictures shown in one place fail the test.
inline const forms::Image* ShownStagePicture(const mainwindow::CalverdonForm& f, int i) {
  const forms::Image* shown = nullptr;
  for (const forms::Control* c : f.controls()) {
    if (c->kind != forms::ControlKind::Image || !c->Visible || c->Index != i) continue;
    const auto* image = static_cast<const forms::Image*>(c);
    if (designview::SchematicAnchors(image->Picture).empty()) continue;
    EXPECT_EQ(shown, nullptr) << "two pictures shown in one place";
    shown = image;
  }
  return shown;
}

// The distance from a point to the nearest point of a rectangle (0 inside it).
inline double DistanceToRect(const QRectF& r, const QPointF& p) {
  const double dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
  const double dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
  return std::hypot(dx, dy);
}
