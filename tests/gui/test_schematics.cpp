// The stage schematics: every picture the schematic panel shows is one of our drawings, each
// drawing joins its neighbours at the agreed wire heights without painting outside its
// rectangle, and it draws each labelled component at the anchor the value labels go by.
#include <QImage>
#include <QSet>
#include <cmath>
#include <memory>
#include <optional>
#include <utility>
#include <vector>
#include <QPainter>
#include <gtest/gtest.h>

#include "designview/bpnotchschematic.h"
#include "designview/lphpschematic.h"
#include "designview/schematicanchors.h"
#include "fakes/fake_services.h"
#include "gui/drawings.h"
#include "gui/schematics.h"
#include "gui/summingstage.h"
#include "guitest.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/startup.h"

namespace {

// The pictures visible on the window.
QSet<QString> visiblePictures(const mainwindow::CalverdonForm& f) {
  QSet<QString> names;
  for (const forms::Control* c : f.controls())
    if (c->kind == forms::ControlKind::Image && c->Visible)
      names.insert(static_cast<const forms::Image*>(c)->Picture);
  return names;
}

// Every picture name the schematic panel shows for some design: the stages and real-pole
// sections of low-pass and high-pass designs, and the band-pass and notch stages.
QSet<QString> picturesThePanelShows() {
  // The window model is large: kept off the stack.
  auto fake = std::make_unique<fakes::FakeServices>();
  auto form = std::make_unique<mainwindow::CalverdonForm>(fake->services());
  mainwindow::CalverdonForm& f = *form;
  mainwindow::SetStartDefaults(f, QLatin1Char('.'));
  QSet<QString> names;
  for (int poles = 1; poles <= 10; ++poles)
    for (int circuit = 0; circuit < 3; ++circuit)
      for (int highPass = 0; highPass < 2; ++highPass)
        for (bool threePole : {false, true})
          for (float gain : {1.0f, 2.0f}) {
            f.PoleCount = poles;
            f.CircuitMode = circuit == 1 ? 1 : 0;
            f.CircuitType.setFromUser(circuit, f.CircuitType.List(circuit));
            f.HighPassHalf = highPass;
            f.ThreePole.Checked = threePole;
            for (int k = 1; k <= 5; ++k) f.SectionGain[k] = gain;
            designview::HideSchematics(f);
            designview::ShowLPHPSchematic(f);
            names += visiblePictures(f);
          }
  // A band-pass stage at a gain other than its Q has the gain divider, at its Q none.
  for (const auto& [band, gain] : {std::pair{"Band-Pass", "2"}, std::pair{"Band-Pass", "5"},
                                   std::pair{"Notch", ""}}) {
    designview::HideSchematics(f);
    f.Passband.setFromUser(static_cast<int>(f.Passband.items().indexOf(band)), band);
    f.Text18.Text = "2";
    f.Text3.Text = "5";
    for (forms::TextBox& box : f.GainTB) box.Text = gain;
    designview::ShowBPNotchSchematic(f);
    names += visiblePictures(f);
  }
  return names;
}

TEST(Schematics, EveryPictureThePanelShowsIsDrawn) {
  gui::RegisterSchematics();
  gui::RegisterSchematics();  // a second call changes nothing
  const QSet<QString> shown = picturesThePanelShows();
  EXPECT_EQ(shown.size(), 19);
  for (const QString& name : shown) {
    EXPECT_FALSE(name.isEmpty());
    EXPECT_TRUE(gui::drawings().contains(name)) << name.toStdString();
  }
  for (const QString& name : gui::SchematicNames())
    EXPECT_TRUE(shown.contains(name)) << name.toStdString() << " is never shown";
}

bool dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 100; }

// A picture painted into a w x h pixel rectangle inside a white margin; nothing when it is not
// drawn or paints outside its rectangle (noted as a test failure).
std::optional<QImage> painted(const QString& name, int w, int h, int margin) {
  QImage image(w + 2 * margin, h + 2 * margin, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter p(&image);
    if (!gui::drawings().paint(name, p, QRectF(margin, margin, w, h))) {
      ADD_FAILURE() << name.toStdString() << " is not drawn";
      return std::nullopt;
    }
  }
  for (int x = 0; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if ((x < margin || y < margin || x >= margin + w || y >= margin + h) && dark(image, x, y)) {
        ADD_FAILURE() << name.toStdString() << " paints outside its rectangle at " << x << "," << y;
        return std::nullopt;
      }
    }
  }
  return image;
}

TEST(Schematics, WiresMeetTheNeighboursAtTheEdgesAndStayInside) {
  gui::RegisterSchematics();
  const int margin = 8;
  for (const QString& name : gui::SchematicNames()) {
    const bool real = name.startsWith("Real") || name.startsWith("FDA1p") ||
                      name.startsWith("FDAReal");
    const bool differential = name.startsWith("FDA");
    const double height = real ? gui::kRealPictureHeight : gui::kStagePictureHeight;
    const double designed = real ? gui::kRealPictureWidth : gui::kStagePictureWidth;
    // A picture may be given a rectangle that reaches into its neighbour.
    for (const auto& [width, scale] : {std::pair{designed, 1.0}, std::pair{designed, 2.0},
                                       std::pair{designed + 30, 1.0}}) {
      SCOPED_TRACE(testing::Message() << name.toStdString() << " at scale " << scale
                                      << ", width " << width);
      const int w = static_cast<int>(std::lround(width * scale / 15));
      const int h = static_cast<int>(std::lround(height * scale / 15));
      const std::optional<QImage> drawn = painted(name, w, h, margin);
      ASSERT_TRUE(drawn);
      const QImage& image = *drawn;
      // The output wires reach the right edge where the next picture takes them; stage
      // pictures also take their input at the left edge.
      std::vector<int> heights = {gui::kSignalY};
      if (differential) heights.push_back(gui::kDifferentialMinusY);
      for (int wireY : heights) {
        const int y = margin + static_cast<int>(std::floor(wireY * scale / 15));
        EXPECT_TRUE(dark(image, margin + w - 1, y)) << "right edge, wire at " << wireY;
        if (!real) {
          EXPECT_TRUE(dark(image, margin, y)) << "left edge, wire at " << wireY;
        }
      }
    }
  }
}

const char* partName(designview::LabelledPart part) {
  static const char* const names[] = {"R1", "R2", "R3", "R4", "R5", "R6", "C1", "C2"};
  return names[static_cast<int>(part)];
}

// A resistor's body is a box around its anchor and a capacitor's two plates stand either side
// of it: at three times the 100 % size the anchor itself stays blank, and the box's edges or
// the plates pass 30 twips along the run and 45 across it from the anchor, on both sides.
// The body is centred on the anchor: 120 twips along the run either way, 45 across, a box
// reaches both sides alike and plates leave both sides blank.
TEST(Schematics, EachLabelledComponentIsDrawnAtItsAnchor) {
  gui::RegisterSchematics();
  const double scale = 3.0 / 15;  // pixels per twip
  for (const QString& name : gui::SchematicNames()) {
    SCOPED_TRACE(name.toStdString());
    const designview::PartAnchors parts = designview::SchematicAnchors(name);
    EXPECT_FALSE(parts.empty());
    const bool real = name.startsWith("Real") || name.startsWith("FDA1p") ||
                      name.startsWith("FDAReal");
    const double width = real ? gui::kRealPictureWidth : gui::kStagePictureWidth;
    const double height = real ? gui::kRealPictureHeight : gui::kStagePictureHeight;
    QImage image(static_cast<int>(std::lround(width * scale)),
                 static_cast<int>(std::lround(height * scale)), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter p(&image);
      ASSERT_TRUE(gui::drawings().paint(name, p, QRectF(0, 0, image.width(), image.height())));
    }
    const auto darkAt = [&](double x, double y) {
      const QPoint px(static_cast<int>(std::floor(x * scale)),
                      static_cast<int>(std::floor(y * scale)));
      EXPECT_TRUE(image.rect().contains(px)) << x << "," << y << " lies outside";
      return image.rect().contains(px) && dark(image, px.x(), px.y());
    };
    for (const designview::PartAnchor& a : parts) {
      SCOPED_TRACE(testing::Message() << partName(a.part) << " at " << a.x << "," << a.y);
      const double along = 30, across = 45;
      const double dx = a.vertical ? across : along, dy = a.vertical ? along : across;
      EXPECT_FALSE(darkAt(a.x, a.y));
      EXPECT_TRUE(darkAt(a.x - dx, a.y - dy));
      EXPECT_TRUE(darkAt(a.x + dx, a.y + dy));
      const double far = 120;
      const double fx = a.vertical ? across : far, fy = a.vertical ? far : across;
      EXPECT_EQ(darkAt(a.x - fx, a.y - fy), darkAt(a.x + fx, a.y + fy));
    }
  }
}

}  // namespace

namespace {

// The band-reject view's input and summing pictures meet the two blocks' wires at their
// edges (the input on its right, the summing amplifier on its left) and stay inside.
TEST(SummingStage, PicturesMeetTheBlocksWiresAndStayInside) {
  gui::RegisterSchematics();
  const int margin = 8;
  for (const QString& name : gui::SummingStageNames()) {
    SCOPED_TRACE(name.toStdString());
    const bool summing = name.contains("Summing"), differential = name.startsWith("FDA");
    const double width = summing ? gui::kSummingPictureWidth : gui::kInputPictureWidth;
    const int w = static_cast<int>(std::lround(width / 15));
    const int h = static_cast<int>(std::lround(gui::kSummingPictureHeight / 15.0));
    const std::optional<QImage> drawn = painted(name, w, h, margin);
    ASSERT_TRUE(drawn);
    const QImage& image = *drawn;
    const int edgeX = summing ? margin : margin + w - 1;
    for (int wireY : gui::kSummingWireY) {
      for (int drop : {0, gui::kSummingMinusDrop}) {
        if (drop && !differential) continue;
        const int y = margin + (wireY + drop) / 15;
        EXPECT_TRUE(dark(image, edgeX, y)) << "wire at " << wireY + drop;
      }
    }
    // A single-ended picture has no second wire.
    if (!differential) {
      EXPECT_FALSE(dark(image, edgeX, margin + (gui::kSummingWireY[0] + gui::kSummingMinusDrop) / 15));
    }
  }
}

}  // namespace
