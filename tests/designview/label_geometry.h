#pragma once
// Where things stand on the schematic panel, for the tests that check each value label sits
// beside its own component.
#include <gtest/gtest.h>

#include <QPointF>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <string>

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

// Every value label of `labels` ({component, label} pairs of one stage) sits beside its own
// component in the picture shown: it is shown exactly when the picture draws that component,
// and its value text is near the component's anchor and nearer to it than to any other
// component of the picture. What the eye pairs with a component is the value text, which
// starts at the label's left edge; a value such as "4.70k" or "15.8n" ends within 500 twips.
template <typename Labels>
void ExpectLabelsBesideTheirComponents(const forms::Image& picture, const Labels& labels) {
  constexpr int kValueTextWidth = 500;
  constexpr double kNear = 300;  // 20 pixels at 100 %
  const designview::PartAnchors parts = designview::SchematicAnchors(picture.Picture);
  ASSERT_FALSE(parts.empty()) << picture.Picture.toStdString();
  const auto where = [&picture](const designview::PartAnchor& a) {
    return QPointF(picture.Left + a.x, picture.Top + a.y);
  };
  for (const auto& [part, label] : labels) {
    const std::string name = label->displayName().toStdString();
    const designview::PartAnchor* own = designview::FindPart(parts, part);
    EXPECT_EQ(label->Visible, own != nullptr) << name;
    if (!label->Visible || !own) continue;
    EXPECT_EQ(label->Alignment, forms::AlignLeft) << name;
    const QRectF text(label->Left, label->Top, kValueTextWidth, label->Height);
    const double gap = DistanceToRect(text, where(*own));
    EXPECT_LE(gap, kNear) << name;
    for (const designview::PartAnchor& other : parts) {
      if (other.part != part) {
        EXPECT_LT(gap, DistanceToRect(text, where(other)))
            << name << " is as near to another component";
      }
    }
  }
}
