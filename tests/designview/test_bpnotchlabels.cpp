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

using designview::LabelledPart;
using mainwindow::CalverdonForm;

namespace {

// The value labels of stage i, by the component each names.
struct ValueLabel {
  LabelledPart part;
  const forms::Label* label;
};
std::vector<ValueLabel> valueLabels(const CalverdonForm& f, int i) {
  return {{LabelledPart::R1, &f.R1[i]}, {LabelledPart::R2, &f.R2[i]}, {LabelledPart::R3, &f.R3[i]},
          {LabelledPart::R4, &f.R4[i]}, {LabelledPart::R5, &f.R5[i]}, {LabelledPart::R6, &f.R6[i]},
          {LabelledPart::C1, &f.C1L[i]}, {LabelledPart::C2, &f.C2L[i]}};
}

// For band-pass stages with and without the gain divider and for notch stages, one to five of
// them: every value label shown has its text near the anchor of its own component, and nearer
// to it than to any other component of the picture; a label is shown exactly for the
// components the picture draws, and nothing is shown past the last stage.
TEST(BPNotchLabels, EachValueLabelSitsBesideItsOwnComponent) {
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
        ExpectLabelsBesideTheirComponents(*picture, valueLabels(f, i));
      }
    }
  }
}

}  // namespace
