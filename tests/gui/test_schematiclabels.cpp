// The value labels of the Sallen-Key, MFB and fully differential stage pictures and of their
// real-pole sections, and of the band-pass and notch stages, as the eye reads them: for designs
// that show their sensitivities (the widest texts) and their values, at 100 % and enlarged, the
// ink of each label's text lies inside the window, touches no wire or symbol of the drawings and
// no other label's text, and stays clear of the entry boxes, captions and connectors of the
// panel.
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>
#include <gtest/gtest.h>

#include "designview/sequence.h"
#include "fakes/fake_services.h"
#include "gui/drawings.h"
#include "gui/fonts_p.h"
#include "gui/schematics.h"
#include "guitest.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/startup.h"

namespace {

using mainwindow::CalverdonForm;

struct Design {
  const char* what;
  const char* band;
  int circuit;  // list index: 0 MFB single-ended, 1 Sallen-Key, 2 MFB fully differential
  int poles;
  int response;  // 0 Butterworth, 1 Bessel, 2 Chebychev
  bool sensitivities = true;
  bool threePole = false;
};

const char* const kResponses[] = {"Butterworth", "Bessel", "Chebychev"};
const char* const kCircuits[] = {"MFB Single-Ended", "Sallen -Key", "MFB Fully Differential"};

void setUp(CalverdonForm& f, const Design& d) {
  f.Text18.Text = f.Text1.Text = QString::number(d.poles);
  f.Text34.Text = f.Text2.Text = QStringLiteral("10k");
  f.Text19.Text = QStringLiteral("3");  // dB of Chebychev ripple
  f.ResponseCode = d.response;
  f.TypeFilter.setFromUser(d.response, QLatin1String(kResponses[d.response]));
  f.CircuitType.setFromUser(d.circuit, QLatin1String(kCircuits[d.circuit]));
  for (int i = 0; i < 5; ++i) f.GainTB[i].Text = i % 2 ? QStringLiteral("2") : QStringLiteral("1");
  f.CompValue.setFromUser(!d.sensitivities);
  f.SensTrue.setFromUser(d.sensitivities);
  f.ThreePole.Checked = d.threePole;
  f.Passband.setFromUser(static_cast<int>(f.Passband.items().indexOf(d.band)), d.band);
  f.SequenceUpdateScreen();
}

// The value labels of the stage pictures and the real-pole section.
std::vector<const forms::Label*> valueLabels(const CalverdonForm& f) {
  std::vector<const forms::Label*> labels = {&f.RealR, &f.RealC};
  for (int i = 0; i < 5; ++i)
    for (const auto* array : {&f.R1, &f.R2, &f.R3, &f.R4, &f.R5, &f.R6, &f.C1L, &f.C2L})
      labels.push_back(&(*array)[i]);
  return labels;
}

// Where the ink of a label's text lies, in pixels at the scale: the label's text starts at its
// top-left corner (left aligned, top aligned).
QRectF ink(const forms::Label& l, double scale) {
  const QFont font = gui::detail::makeFont(l.font, scale);
  const QFontMetricsF m(font);
  // Trailing blanks have no ink (the tight rectangle would count their advance).
  QString text = l.Caption;
  while (text.endsWith(QLatin1Char(' '))) text.chop(1);
  const QRectF tight = m.tightBoundingRect(text);
  const double k = scale / 15;
  return tight.translated(l.Left * k, l.Top * k + m.ascent());
}

QRectF twipsRect(const forms::Control& c, double scale) {
  const double k = scale / 15;
  return QRectF(c.Left * k, c.Top * k, c.Width * k, c.Height * k);
}

int darkPixelsIn(const QImage& image, const QRectF& r) {
  int n = 0;
  const QRect px = r.toAlignedRect().intersected(image.rect());
  for (int y = px.top(); y <= px.bottom(); ++y)
    for (int x = px.left(); x <= px.right(); ++x) n += qGray(image.pixel(x, y)) < 160;
  return n;
}

TEST(SchematicLabels, ValueTextsTouchNoWireAndNoOtherText) {
  gui::RegisterSchematics();
  const Design designs[] = {
      {"MFB 6-pole low-pass", "Low-Pass", 0, 6, 0},
      {"MFB 5-pole Chebychev high-pass", "High-Pass", 0, 5, 2},
      {"MFB 3-pole section", "Low-Pass", 0, 7, 1, true, true},
      {"fully differential 6-pole low-pass", "Low-Pass", 2, 6, 0},
      {"fully differential 5-pole Chebychev high-pass", "High-Pass", 2, 5, 2},
      {"fully differential 3-pole low-pass", "Low-Pass", 2, 3, 1, true, true},
      {"fully differential values", "Low-Pass", 2, 5, 2, false},
      {"MFB values", "High-Pass", 0, 5, 2, false},
      {"MFB 3-pole section values", "High-Pass", 0, 3, 0, false, true},
      {"fully differential 3-pole section high-pass", "High-Pass", 2, 3, 2, true, true},
      // Sallen-Key stages alternate between unity gain (no gain network) and gain 2.
      {"Sallen-Key 2-pole low-pass", "Low-Pass", 1, 2, 0},
      {"Sallen-Key 3-pole low-pass", "Low-Pass", 1, 3, 0},
      {"Sallen-Key 7-pole Chebychev low-pass", "Low-Pass", 1, 7, 2},
      {"Sallen-Key 10-pole Chebychev high-pass", "High-Pass", 1, 10, 2},
      {"Sallen-Key 10-pole Chebychev low-pass", "Low-Pass", 1, 10, 2},
      {"Sallen-Key 4-pole high-pass", "High-Pass", 1, 4, 0},
      {"Sallen-Key 9-pole Bessel high-pass", "High-Pass", 1, 9, 1},
      {"Sallen-Key 6-pole Chebychev high-pass", "High-Pass", 1, 6, 2},
      {"Sallen-Key 3-pole section high-pass", "High-Pass", 1, 3, 2, true, true},
      {"Sallen-Key values", "Low-Pass", 1, 10, 2, false},
      {"Sallen-Key high-pass values", "High-Pass", 1, 10, 1, false},
      // Band-pass stages alternate between gain 1 (no divider at Q 1) and gain 2 (divider).
      {"3-stage band-pass", "Band-Pass", 0, 3, 0, false},
      {"4-stage band-pass", "Band-Pass", 0, 4, 0, false},
      {"5-stage band-pass", "Band-Pass", 0, 5, 0, false},
      {"3-stage notch", "Notch", 0, 3, 0, false},
      {"4-stage notch", "Notch", 0, 4, 0, false},
      {"5-stage notch", "Notch", 0, 5, 0, false},
  };
  for (const Design& d : designs) {
    auto fake = std::make_unique<fakes::FakeServices>();
    auto form = std::make_unique<CalverdonForm>(fake->services());
    CalverdonForm& f = *form;
    designview::install(f);
    mainwindow::SetStartDefaults(f, QLatin1Char('.'));
    setUp(f, d);
    for (const double scale : {1.0, 1.5, 2.0}) {
      SCOPED_TRACE(testing::Message() << d.what << " at " << scale * 100 << " %");
      // The panel's drawings as the window paints them.
      const double k = scale / 15;
      QImage panel(static_cast<int>(8300 * k), static_cast<int>(8000 * k), QImage::Format_RGB32);
      panel.fill(Qt::white);
      {
        QPainter p(&panel);
        for (const forms::Control* c : f.controls()) {
          if (c->kind != forms::ControlKind::Image || !c->Visible) continue;
          const auto* image = static_cast<const forms::Image*>(c);
          if (gui::drawings().contains(image->Picture))
            gui::drawings().paint(image->Picture, p, twipsRect(*c, scale));
        }
      }
      std::vector<std::pair<const forms::Label*, QRectF>> texts;
      for (const forms::Label* l : valueLabels(f))
        if (l->Visible && !l->Caption.trimmed().isEmpty()) texts.emplace_back(l, ink(*l, scale));
      ASSERT_GE(texts.size(), 4u);  // a unity-gain Sallen-Key stage has four
      for (std::size_t a = 0; a < texts.size(); ++a) {
        const auto& [label, r] = texts[a];
        const std::string name =
            label->displayName().toStdString() + " \"" + label->Caption.toStdString() + "\"";
        // A pixel of clearance all round, inside the window.
        const QRectF clear = r.adjusted(-1, -1, 1, 1);
        EXPECT_TRUE(QRectF(0, 0, f.Width * k, f.Height * k).contains(clear))
            << name << " is cut off by the window's edge";
        EXPECT_EQ(darkPixelsIn(panel, clear), 0) << name << " touches the drawing";
        for (std::size_t b = a + 1; b < texts.size(); ++b) {
          EXPECT_FALSE(clear.intersects(texts[b].second))
              << name << " touches " << texts[b].first->displayName().toStdString();
        }
        // Nothing else of the window under it: boxes, captions, connectors.
        for (const forms::Control* c : f.controls()) {
          if (!c->Visible || c == label || c->Container) continue;
          QRectF other;
          if (c->kind == forms::ControlKind::TextBox || c->kind == forms::ControlKind::ComboBox) {
            other = twipsRect(*c, scale);
          } else if (c->kind == forms::ControlKind::Label) {
            const auto* l = static_cast<const forms::Label*>(c);
            if (l->Caption.trimmed().isEmpty()) continue;
            other = ink(*l, scale);
          } else if (c->kind == forms::ControlKind::Line) {
            const auto* l = static_cast<const forms::Line*>(c);
            other = QRectF(QPointF(l->X1 * k, l->Y1 * k), QPointF(l->X2 * k, l->Y2 * k))
                        .normalized()
                        .adjusted(-0.5, -0.5, 0.5, 0.5);
          } else {
            continue;
          }
          // Pairs of value labels were compared above.
          if (std::find_if(texts.begin(), texts.end(), [c](const auto& t) { return t.first == c; }) !=
              texts.end())
            continue;
          EXPECT_FALSE(clear.intersects(other)) << name << " lies over " << c->displayName().toStdString();
        }
      }
    }
  }
}

}  // namespace
