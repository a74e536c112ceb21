// The band-pass and notch schematic panel: each value label it shows sits beside its own
// component on the stage picture shown, for every stage count.
#include <gtest/gtest.h>

#include <QPointF>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "designview/bpnotchschematic.h"
#include "designview/schematicanchors.h"
#include "label_geometry.h"
#include "mainwindow/calverdonform.h"
#include "support/windowfixture.h"

using designview::Part;
using mainwindow::CalverdonForm;

namespace {

// The value labels of stage i, by the component each names.
struct ValueLabel {
  Part part;
  const forms::Label* label;
};
std::vector<ValueLabel> valueLabels(const CalverdonForm& f, int i) {
  return {{Part::R1, &f.R1[i]}, {Part::R2, &f.R2[i]}, {Part::R3, &f.R3[i]},
          {Part::R4, &f.R4[i]}, {Part::R5, &f.R5[i]}, {Part::R6, &f.R6[i]},
          {Part::C1, &f.C1L[i]}, {Part::C2, &f.C2L[i]}};
}

// For band-pass stages with and without the gain divider and for notch stages, one to five of
// them: every value label shown has its text near the anchor of its own component, and nearer
// to it than to any other component of the picture; a label is shown exactly for the
// components the picture draws, and nothing is shown past the last stage.
TEST(BPNotchLabels, EachValueLabelSitsBesideItsOwnComponent) {
  // What the eye pairs with a component is the value text, which starts at the label's left
  // edge; a value such as "10.0k" or "15.8n" ends within this width.
  constexpr int kValueTextWidth = 500;
  constexpr double kNear = 300;  // 20 pixels at 100 %
  struct Design {
    const char* band;
    const char* gain;  // the stages' gain boxes; the Q is 5
    const char* picture;
  };
  const Design designs[] = {
      // A stage at a gain other than its Q needs the gain divider; at its Q it has none.
      {"Band-Pass", "2", "MFBbpwres"},
      {"Band-Pass", "5", "MFBbpnores"},
      {"Notch", "", "Fleige"},
  };
  for (const Design& d : designs) {
    for (int stages = 1; stages <= 5; ++stages) {
      SCOPED_TRACE(testing::Message() << d.band << ", gain " << d.gain << ", " << stages
                                      << " stages");
      // The window model is large: kept off the stack.
      auto window = std::make_unique<WindowFixture>();
      CalverdonForm& f = window->f;
      window->showPassBandWithoutHandler(d.band);
      f.Text18.Text = QString::number(stages);
      f.Text3.Text = QStringLiteral("5");
      for (forms::TextBox& gain : f.GainTB) gain.Text = QString::fromLatin1(d.gain);

      designview::ShowBPNotchSchematic(f);

      for (int i = 0; i < 5; ++i) {
        const forms::Image* picture = ShownStagePicture(f, i);
        if (i >= stages) {
          EXPECT_EQ(picture, nullptr) << "stage " << i;
          for (const auto& [part, label] : valueLabels(f, i))
            EXPECT_FALSE(label->Visible) << label->displayName().toStdString();
          continue;
        }
        ASSERT_NE(picture, nullptr) << "stage " << i;
        EXPECT_EQ(picture->Picture, QLatin1String(d.picture));
        const designview::PartAnchors parts = designview::SchematicAnchors(picture->Picture);
        ASSERT_FALSE(parts.empty());
        const auto where = [picture](const designview::PartAnchor& a) {
          return QPointF(picture->Left + a.x, picture->Top + a.y);
        };
        for (const auto& [part, label] : valueLabels(f, i)) {
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
    }
  }
}

}  // namespace
