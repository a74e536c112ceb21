// A saved design comes back whole: every pass band, the two halves of a wide band-pass or
// band-reject design with the texts each half keeps, and the view the design was saved in.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine/engnotation.h"
#include "designfiles/twohalves.h"
#include "files_fixture.h"
#include "mainwindow/listchoices.h"

using designfiles::HalfView;
using designfiles::OpenFile;
using designfiles::RecordOf;

namespace {

// A design that differs from the factory design in every entry the file holds.
struct Design {
  const char* name;
  const char* band;
  const char* response;
  int circuit, resistors, capacitors;
  bool sensitivities;
  const char *poles, *edge;      // Text18, Text34: the design's, or the low-pass half's
  const char *hpPoles, *hpEdge;  // Text1, Text2: the high-pass design's or half's
  const char* bandQ;             // Text3
  const char *seed, *respF;      // Text12, RespF
  HalfView view = HalfView::Total;  // two-half designs
};

const Design kDesigns[] = {
    {.name = "low-pass", .band = "Low-Pass", .response = "Chebychev", .circuit = 1,
     .resistors = 2, .capacitors = 1, .sensitivities = true, .poles = "6", .edge = "2.5k",
     .hpPoles = "3", .hpEdge = "10.0k", .bandQ = "1", .seed = "4.7k", .respF = "3.3k"},
    {.name = "high-pass", .band = "High-Pass", .response = "Bessel", .circuit = 2,
     .resistors = 5, .capacitors = 2, .sensitivities = false, .poles = "3", .edge = "1.00k",
     .hpPoles = "5", .hpEdge = "470", .bandQ = "1", .seed = "22k", .respF = "200"},
    {.name = "band-pass", .band = "Band-Pass", .response = "Butterworth", .circuit = 1,
     .resistors = 0, .capacitors = 2, .sensitivities = true, .poles = "3", .edge = "5.00k",
     .hpPoles = "3", .hpEdge = "10.0k", .bandQ = "4.5", .seed = "15k", .respF = "5.0k"},
    {.name = "notch", .band = "Notch", .response = "Butterworth", .circuit = 0,
     .resistors = 3, .capacitors = 1, .sensitivities = false, .poles = "2", .edge = "60",
     .hpPoles = "3", .hpEdge = "10.0k", .bandQ = "8", .seed = "33k", .respF = "55"},
    {.name = "wide band-pass, custom, low-pass sections", .band = "Wide Band-Pass",
     .response = "Custom Fn&Q", .circuit = 1, .resistors = 1, .capacitors = 2,
     .sensitivities = true, .poles = "4", .edge = "20.0k", .hpPoles = "2", .hpEdge = "500",
     .bandQ = "1", .seed = "6.8k", .respF = "2.0k", .view = HalfView::LowPassSections},
    {.name = "wide band-pass, total view", .band = "Wide Band-Pass", .response = "Linear Phase, 0.5",
     .circuit = 2, .resistors = 3, .capacitors = 1, .sensitivities = false, .poles = "5",
     .edge = "12.0k", .hpPoles = "3", .hpEdge = "300", .bandQ = "1", .seed = "12k",
     .respF = "1.5k", .view = HalfView::Total},
    {.name = "band-reject, total view", .band = "Band-Reject", .response = "Chebychev",
     .circuit = 0, .resistors = 5, .capacitors = 2, .sensitivities = true, .poles = "4",
     .edge = "5.0k", .hpPoles = "6", .hpEdge = "22.0k", .bandQ = "1", .seed = "8.2k",
     .respF = "10k", .view = HalfView::Total},
    {.name = "band-reject, custom, high-pass sections", .band = "Band-Reject",
     .response = "Custom Fn&Q", .circuit = 1, .resistors = 2, .capacitors = 1,
     .sensitivities = false, .poles = "3", .edge = "800", .hpPoles = "5", .hpEdge = "9.0k",
     .bandQ = "1", .seed = "27k", .respF = "3.0k", .view = HalfView::HighPassSections},
};

bool twoHalves(const Design& d) {
  const auto band = mainwindow::PassBandOf(QString::fromLatin1(d.band));
  return band && engine::IsTwoHalves(*band);
}

// A box typed into and left, as the user does.
void enter(mainwindow::CalverdonForm& f, forms::TextBox& box, const QString& text) {
  box.Text = text;
  f.raise(box, forms::Event::Validate);
}

// A view of a two-half design, as its view buttons leave it, and the recompute they run.
void showView(mainwindow::CalverdonForm& f, HalfView view) {
  designfiles::ShowHalfView(f, view);
  f.SequenceUpdateScreen();
}

// Section texts entered into the boxes on show; the section entries keep them for the half
// on show as they are validated.
void enterSections(mainwindow::CalverdonForm& f, const Design& d, int variant) {
  const bool high = f.HighPassHalf != 0;
  const bool custom = QLatin1String(d.response) == QLatin1String("Custom Fn&Q");
  const QString sep(f.DecimalSep);
  for (int k = 0; k < 2; ++k) {
    const QString gain = QStringLiteral("1") + sep + QString::number(2 + k + variant);
    const QString fn = QString::number(3 + variant + k) + sep + QStringLiteral("30kHz");
    const QString q = QStringLiteral("0") + sep + QStringLiteral("%1").arg(61 + 7 * k + variant);
    f.GainTB[k].Text = gain;
    (high ? f.HighPassGainText : f.LowPassGainText)[k] = gain;
    if (custom) {
      f.FnInput[k].Text = fn;
      f.QInput[k].Text = q;
      (high ? f.HighPassFnText : f.LowPassFnText)[k] = fn;
      (high ? f.QTextHP : f.QTextLP)[k] = q;
    }
  }
  f.C1Entry[0].Text = QStringLiteral("%1").arg(variant + 2) + sep + QStringLiteral("20n");
  f.C2Entry[1].Text = QStringLiteral("%1").arg(variant + 1) + sep + QStringLiteral("50n");
  f.SequenceUpdateScreen();
}

// Builds design i from the factory design, entry by entry. Texts that every design has
// differ from one design to the next.
void build(FilesFixture& x, int i) {
  const Design& d = kDesigns[i];
  auto& f = x.f;
  designfiles::LoadNoDefaultFile(f);
  const auto text = [&f](const char* t) {
    QString s = QString::fromLatin1(t);
    return s.replace(QLatin1Char('.'), f.DecimalSep);
  };
  f.Passband.SetText(QString::fromLatin1(d.band));
  if (twoHalves(d)) showView(f, HalfView::Total);
  // Pole counts and edges first: a custom response keeps them.
  enter(f, f.Text18, text(d.poles));
  enter(f, f.Text34, text(d.edge));
  enter(f, f.Text1, text(d.hpPoles));
  enter(f, f.Text2, text(d.hpEdge));
  f.TypeFilter.SetText(QString::fromLatin1(d.response));
  f.CircuitType.SetListIndex(d.circuit);
  f.ResistorList.SetListIndex(d.resistors);
  f.CapacitorList.SetListIndex(d.capacitors);
  (d.sensitivities ? f.SensTrue : f.CompValue).SetValue(true);
  enter(f, f.Text3, text(d.bandQ));
  enter(f, f.Text12, text(d.seed));
  enter(f, f.RespF, text(d.respF));
  if (QLatin1String(d.response) == QLatin1String("Chebychev")) enter(f, f.Text19, text("0.25"));
  f.TopAmp.Visible = true;
  f.TopAmp.Text = QString::number(10 + 5 * i);
  f.BotAmp.Visible = true;
  f.BotAmp.Text = QString::number(-50 - 5 * i);
  if (twoHalves(d)) {
    // Each half gets sections of its own, then the design is shown in its view.
    showView(f, HalfView::LowPassSections);
    enterSections(f, d, 2 * i);
    showView(f, HalfView::HighPassSections);
    enterSections(f, d, 2 * i + 1);
    showView(f, d.view);
  } else {
    enterSections(f, d, 2 * i);
  }
}

bool shown(const forms::Control* c) {
  for (; c != nullptr; c = c->Container)
    if (!c->Visible) return false;
  return true;
}

// Every control of the window as the user sees it: a hidden one only as hidden, a box not in
// use only as that, the others with their text, caption, selection or check mark.
std::map<std::string, std::string> windowState(const mainwindow::CalverdonForm& f) {
  std::map<std::string, std::string> state;
  for (const forms::Control* c : f.controls()) {
    const std::string name = c->displayName().toStdString();
    if (!shown(c) && c->kind != forms::ControlKind::MenuItem) {
      state[name] = "hidden";
      continue;
    }
    if (c->kind == forms::ControlKind::TextBox && !c->Enabled) {
      state[name] = "not in use";
      continue;
    }
    QString v;
    switch (c->kind) {
      case forms::ControlKind::TextBox:
        v += static_cast<const forms::TextBox*>(c)->Text;
        break;
      case forms::ControlKind::Label:
        v += static_cast<const forms::Label*>(c)->Caption;
        break;
      case forms::ControlKind::CommandButton:
        v += static_cast<const forms::CommandButton*>(c)->Caption;
        break;
      case forms::ControlKind::Frame:
        v += static_cast<const forms::Frame*>(c)->Caption;
        break;
      case forms::ControlKind::ComboBox:
        v += QString::number(static_cast<const forms::ComboBox*>(c)->ListIndex()) +
             QLatin1Char(' ') + static_cast<const forms::ComboBox*>(c)->Text();
        break;
      case forms::ControlKind::CheckBox:
        v += QString::number(static_cast<const forms::CheckBox*>(c)->Value());
        break;
      case forms::ControlKind::OptionButton:
        v += QString::number(static_cast<const forms::OptionButton*>(c)->Value());
        break;
      case forms::ControlKind::MenuItem:
        v += QString::number(static_cast<const forms::MenuItem*>(c)->Checked);
        break;
      default:
        break;
    }
    state[name] = v.toStdString();
  }
  return state;
}

// The controls whose values differ between two states.
std::map<std::string, std::pair<std::string, std::string>> differences(
    const std::map<std::string, std::string>& want, const std::map<std::string, std::string>& got) {
  std::map<std::string, std::pair<std::string, std::string>> out;
  for (const auto& [name, value] : want) {
    const auto it = got.find(name);
    const std::string other = it == got.end() ? std::string("(none)") : it->second;
    if (other != value) out[name] = {value, other};
  }
  return out;
}

}  // namespace

TEST(WholeDesign, EveryPassBandComesBackWholeAfterAnotherDesignWasBuilt) {
  const int n = static_cast<int>(std::size(kDesigns));
  for (QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
    for (int i = 0; i < n; ++i) {
      const Design& d = kDesigns[i];
      SCOPED_TRACE(QStringLiteral("%1 %2").arg(d.name).arg(sep).toStdString());
      FilesFixture x(sep);
      auto& f = x.f;
      build(x, i);
      const auto saved = windowState(f);
      const designfiles::DesignRecord record = RecordOf(f);
      const QByteArray first = x.save(QStringLiteral("a.cvf"));
      EXPECT_EQ(first.count("\r\n"), twoHalves(d) ? 49 : 36);

      // Everything changes: another design, of another pass band, is built in the window.
      build(x, (i + 1) % n);
      ASSERT_NE(RecordOf(f), record);
      // Opening shows no message: no edge swap either, which a swap notice would show.
      x.fake.messages.shown.clear();
      f.SwapNoticeShownWBP = f.SwapNoticeShownBR = false;
      ASSERT_TRUE(OpenFile(f, x.path(QStringLiteral("a.cvf"))));
      EXPECT_TRUE(x.fake.messages.shown.empty());

      EXPECT_EQ(RecordOf(f), record);
      auto diff = differences(saved, windowState(f));
      // The resistor seed box shows the seed as a plain number after a load.
      EXPECT_EQ(engine::EngValue(f.Text12.Text, sep),
                engine::EngValue(QString::fromStdString(saved.at("Text12")), sep));
      diff.erase("Text12");
      // The prompt follows the last entry, not the design; the custom Q box is not a part
      // of the file.
      diff.erase("Prompt");
      diff.erase("Qtotal");
      if (QLatin1String(d.band) == QLatin1String("Band-Pass") ||
          QLatin1String(d.band) == QLatin1String("Notch")) {
        // The centre frequency of a band-pass or notch design has no item in the file; its
        // stages keep their frequencies in the section boxes.
        diff.erase("Text34");
        // The graph of such a design is simulated, which this window does not do: its axes
        // stay as the window's last computed graph left them.
        std::erase_if(diff, [](const auto& entry) {
          return entry.first.starts_with("Ampl(") || entry.first.starts_with("GroupDelay(") ||
                 entry.first.starts_with("Phase(");
        });
      }
      for (const auto& [name, values] : diff)
        ADD_FAILURE() << name << ": saved \"" << values.first << "\", opened \"" << values.second
                      << "\"";

      EXPECT_EQ(x.linesOf(x.save(QStringLiteral("b.cvf"))), x.linesOf(first));
    }
  }
}

TEST(WholeDesign, ATwoHalfFileWithoutTheLinesOfTheHalvesOpensAsBefore) {
  // A band-reject design saved before the halves had lines of their own: the record alone.
  FilesFixture x;
  build(x, 6);
  const QByteArray bytes = x.save(QStringLiteral("new.cvf"));
  const QByteArray record = bytes.left(bytes.indexOf("\"Both Halves\""));
  ASSERT_EQ(record.count("\r\n"), 36);
  x.write(x.path(QStringLiteral("old.cvf")), record);

  build(x, 5);
  const QString text18 = x.f.Text18.Text, text34 = x.f.Text34.Text;
  x.fake.messages.shown.clear();
  x.f.SwapNoticeShownWBP = x.f.SwapNoticeShownBR = false;
  ASSERT_TRUE(OpenFile(x.f, x.path(QStringLiteral("old.cvf"))));
  EXPECT_TRUE(x.fake.messages.shown.empty());
  EXPECT_EQ(x.f.Passband.Text(), QStringLiteral("Band-Reject"));
  EXPECT_EQ(x.f.Text1.Text, QStringLiteral("6"));
  // The record has no item for the low-pass half's boxes, nor for what the halves keep: the
  // boxes stay, and the halves start again from the boxes the record holds.
  EXPECT_EQ(x.f.Text18.Text, text18);
  EXPECT_EQ(x.f.Text34.Text, text34);
  for (int k = 0; k < 2; ++k) {
    EXPECT_NE(x.f.LowPassGainText[k], QStringLiteral("1.%1").arg(2 + k + 12));
    EXPECT_NE(x.f.HighPassGainText[k], QStringLiteral("1.%1").arg(2 + k + 13));
  }
  // Saved again, the design gets the lines of its halves.
  const QByteArray again = x.save(QStringLiteral("again.cvf"));
  EXPECT_EQ(x.linesOf(again)[36].substr(0, 14), "\"Both Halves\",");
}
