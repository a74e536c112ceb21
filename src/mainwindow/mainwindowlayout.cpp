#include "mainwindow/mainwindowlayout.h"

#include <QStringList>

#include "mainwindow/listchoices.h"

namespace mainwindow {

using forms::AlignCenter;
using forms::AlignLeft;
using forms::AlignRight;
using forms::Control;
using forms::Form;
using forms::LayoutRow;

namespace {

// ---- geometry of the window (twips) ----
//
//  +-- entry panel --+-- graph --------------+-- stage readouts ------------------+
//  | x 60..2970      | x 3105..7950          | x 8370..14970, y 60..2880          |
//  | y 60..2865      | y 60..3020            | choices and settings, prompt field |
//  +-- schematic panel: two rows of stage pictures,   |                           |
//  |   x 15..8235, y 3100..7860                       |                           |
//  +-- simulation model, y 7920..8820 ----------------+---------------------------+
//  The values table lies below kWindowHeight and is seen while the window is enlarged.

constexpr int kMargin = 60;

// Standard heights.
constexpr int kBoxH = 285;     // text box
constexpr int kComboH = 315;   // list
constexpr int kLabelH = 195;   // one line of text
constexpr int kOptionH = 240;  // option button, check box
constexpr int kButtonH = 375;  // command button
constexpr int kLabelDrop = 45;  // a caption beside a box sits this much lower

// Entry panel (left column).
constexpr int kPanelLeft = kMargin;
constexpr int kPanelWidth = 2910;
constexpr int kHPLeft = 1440;         // HPFrame, right of the low-pass frame
constexpr int kLPWidthSingle = 1290;  // LPFrame width of a low-pass design
constexpr int kFrameTop = 1650;       // LPFrame and HPFrame

// Graph. The legend labels are centred on their axis position: label left =
// kLegendLeft + fraction of the axis * kGraphWidth, which puts Gfreq(1) at 4395 twips for
// a third of the axis and at 4995 for a half, where the axis code moves it.
constexpr int kLegendWidth = 1050;
constexpr int kLegendLeft = 3195;
constexpr int kGraphLeft = kLegendLeft + kLegendWidth / 2;
constexpr int kGraphTop = 480;
constexpr int kGraphWidth = 3600;
constexpr int kGraphHeight = 2240;
constexpr int kGridStep = kGraphHeight / 8;  // one of the eight gain divisions

// Right column.
constexpr int kRightLeft = 8370;
constexpr int kRightWidth = 6600;
constexpr int kTableRowTop = 540;  // first readout row
constexpr int kTableRowStep = 345;

// Schematic panel: stage pictures side by side (15 twips apart) in two rows of three slots.
// Row 1 holds the real-pole section (odd orders) and stages A, B; row 2 holds stages C, D, E.
// The view buttons of a two-half design are moved right after the last stage shown, and the
// blocks of its total view lie between the rows (y 5445..7140), where no entry box is.
constexpr int kPictureWidth = 2385;
constexpr int kPictureHeight = 1500;
constexpr int kRowTop[2] = {3325, 5740};  // picture tops of rows 1 and 2
// The real-pole picture, next to stage A, reaches lower than the stage pictures: its
// capacitor label is placed at 4950 twips.
constexpr int kRealLeft = 810;
constexpr int kRealTop = 3325;
constexpr int kRealWidth = 2655 - kRealLeft;
constexpr int kRealHeight = 1800;
constexpr int kSlotLeft[5] = {2670, 5070, 270, 2670, 5070};  // stages A..E
// Each stage's title and entries sit in two lines under its picture.
constexpr int kStripOffset = 1535;
constexpr int kStripLine = 300;
constexpr int kGapY = 5475;  // row change connectors run along this line
constexpr int kValueLabelWidth = 960;
constexpr int kViewButtonW = 780, kViewButtonH = 660;

int pictureTop(int stage) { return kRowTop[stage >= 2 ? 1 : 0]; }
// Single-ended stage pictures take the signal in at the left edge and give it out at the
// right edge, both at this height; fully differential ones carry their + wire at this height
// and their - wire kMinusDrop lower. Pictures that no connector joins reach 15 twips into
// their neighbour: stage A's pictures start at the real-pole picture's right edge, and fully
// differential pictures reach into the next one of their row.
int signalY(int stage) { return pictureTop(stage) + kPictureHeight / 2; }
constexpr int kMinusDrop = 450;
constexpr int kJoinOverlap = 15;
int pictureLeft(int stage) { return kSlotLeft[stage] - (stage == 0 ? kJoinOverlap : 0); }
int pictureWidth(int stage) { return kPictureWidth + (stage == 0 ? kJoinOverlap : 0); }
// Band-pass and notch stages carry value labels left of their pictures (the gain divider's
// R4 and R5 reach 270 twips out). Their second row starts further right, so that stage C's
// labels stand inside the window and the row change comes down left of them, then runs into
// the stage along its signal wire.
constexpr int kBandPassRowShift = 240;
constexpr int kBandPassRiserX = 120;
int bandPassPictureLeft(int stage) {
  return pictureLeft(stage) + (stage >= 2 ? kBandPassRowShift : 0);
}

const forms::Font kTableFont{QStringLiteral("Courier New"), 8.0f, false, false};
const forms::Font kBoldFont{QStringLiteral("MS Sans Serif"), 8.25f, true, false};

// Small helpers that keep each layout row on one line.
struct Layout {
  Form& f;
  int tabIndex = 0;

  LayoutRow label(forms::Label& l, const QString& name, int index, Control* in, int x, int y,
                  int w, int h, const QString& caption, int align = AlignLeft) {
    l.Alignment = align;
    return f.place(l, name, index, in, x, y, w, h).text(caption);
  }
  LayoutRow label(forms::Label& l, const QString& name, Control* in, int x, int y, int w,
                  const QString& caption, int align = AlignLeft) {
    return label(l, name, -1, in, x, y, w, kLabelH, caption, align);
  }
  LayoutRow box(forms::TextBox& t, const QString& name, int index, Control* in, int x, int y,
                int w, const QString& text = {}) {
    return f.place(t, name, index, in, x, y, w, kBoxH).text(text).tab(tabIndex++);
  }
  LayoutRow box(forms::TextBox& t, const QString& name, Control* in, int x, int y, int w,
                const QString& text = {}) {
    return box(t, name, -1, in, x, y, w, text);
  }
  LayoutRow list(forms::ComboBox& cb, const QString& name, Control* in, int x, int y, int w,
                 const QStringList& entries, int selected, int style = 2) {
    cb.Style = style;
    for (const QString& e : entries) cb.AddItem(e);
    if (selected >= 0) cb.setFromUser(selected, entries.value(selected));
    return f.place(cb, name, in, x, y, w, kComboH).tab(tabIndex++);
  }
  LayoutRow frame(forms::Frame& fr, const QString& name, Control* in, int x, int y, int w, int h,
                  const QString& caption) {
    return f.place(fr, name, in, x, y, w, h).text(caption);
  }
  LayoutRow button(forms::CommandButton& b, const QString& name, Control* in, int x, int y,
                   int w, int h, const QString& caption) {
    return f.place(b, name, in, x, y, w, h).text(caption).tab(tabIndex++);
  }
  LayoutRow option(forms::OptionButton& o, const QString& name, int index, Control* in, int x,
                   int y, int w, const QString& caption) {
    return f.place(o, name, index, in, x, y, w, kOptionH).text(caption).tab(tabIndex++);
  }
  LayoutRow check(forms::CheckBox& cb, const QString& name, Control* in, int x, int y, int w,
                  const QString& caption) {
    return f.place(cb, name, in, x, y, w, kOptionH).text(caption).tab(tabIndex++);
  }
  LayoutRow image(forms::Image& im, const QString& name, int index, int x, int y, int w, int h) {
    im.Picture = name;
    return f.place(im, name, index, nullptr, x, y, w, h).hidden();
  }
  LayoutRow hline(forms::Line& l, const QString& name, int index, int x1, int x2, int y) {
    return f.line(l, name, index, nullptr, x1, y, x2, y).hidden();
  }
  LayoutRow vline(forms::Line& l, const QString& name, int index, int x, int y1, int y2) {
    return f.line(l, name, index, nullptr, x, y1, x, y2).hidden();
  }
  LayoutRow menu(forms::MenuItem& m, const QString& name, forms::MenuItem* parent,
                 const QString& caption, const QString& shortcut = {}) {
    return f.menu(m, name, parent, caption, shortcut);
  }
};

// ---- entry panel: pass band, response, poles and frequencies ----
void layOutEntryPanel(Layout& L, MainWindowControls& c) {
  const int x0 = kPanelLeft;
  L.frame(c.Frame7, "Frame7", nullptr, x0, 60, kPanelWidth, 600, "Passband");
  L.list(c.Passband, "Passband", &c.Frame7, 75, 225, 1800,
         PassBandEntries(), 0);

  L.frame(c.FilterTypeFrame, "FilterTypeFrame", nullptr, x0, 720, kPanelWidth, 870,
          "Filter Type");
  L.list(c.TypeFilter, "TypeFilter", &c.FilterTypeFrame, 75, 225, 2010,
         ResponseEntries(), 0, /*style=*/0);
  L.label(c.lblRipple, "lblRipple", &c.FilterTypeFrame, 75, 600, 540, "Ripple");
  L.box(c.Text19, "Text19", &c.FilterTypeFrame, 660, 555, 450).back(kWindowBackColor);
  L.label(c.lblRippleUnit, "lblRippleUnit", &c.FilterTypeFrame, 1155, 600, 300, "dB");

  // Low-pass (or single filter) frame. Its right part, beyond the single-filter width, holds
  // the spacing and Q boxes of band-pass and notch designs: the display pass widens the
  // frame to show them and hides the high-pass frame that sits there otherwise.
  const int rowLabel = 255, rowBox = 465, rowPoles = 825;
  L.frame(c.LPFrame, "LPFrame", nullptr, x0, kFrameTop, kLPWidthSingle, 1215, "Low-Pass");
  L.label(c.Label18, "Label18", &c.LPFrame, 75, rowLabel, 1170, "Cutoff Freq.");
  L.box(c.Text34, "Text34", &c.LPFrame, 75, rowBox, 705, "1.00 k");
  L.label(c.Label26, "Label26", &c.LPFrame, 810, rowBox + kLabelDrop, 450, "Hz");
  L.label(c.lblPoles, "lblPoles", &c.LPFrame, 75, rowPoles + kLabelDrop, 570, "Poles");
  L.box(c.Text18, "Text18", &c.LPFrame, 690, rowPoles, 480, "3");
  L.label(c.lblSpacing, "lblSpacing", &c.LPFrame, 1380, rowLabel, 1170, "Spacing");
  L.box(c.SpacF, "SpacF", &c.LPFrame, 1380, rowBox, 705, "0");
  L.label(c.lblSpacingUnit, "lblSpacingUnit", &c.LPFrame, 2115, rowBox + kLabelDrop, 450, "Hz");
  L.label(c.lblBandQ, "lblBandQ", &c.LPFrame, 1380, rowPoles + kLabelDrop, 570, "Q");
  L.box(c.Text3, "Text3", &c.LPFrame, 1995, rowPoles, 480, "1");

  L.frame(c.HPFrame, "HPFrame", nullptr, kHPLeft, kFrameTop, x0 + kPanelWidth - kHPLeft, 1215,
          "High-Pass");
  L.label(c.lblHPCutoff, "lblHPCutoff", &c.HPFrame, 75, rowLabel, 1380, "Cutoff Freq.");
  L.box(c.Text2, "Text2", &c.HPFrame, 75, rowBox, 780, "100");
  L.label(c.Label47, "Label47", &c.HPFrame, 885, rowBox + kLabelDrop, 480, "Hz");
  L.label(c.lblHPPoles, "lblHPPoles", &c.HPFrame, 75, rowPoles + kLabelDrop, 570, "Poles");
  L.box(c.Text1, "Text1", &c.HPFrame, 690, rowPoles, 480, "3");
}

// ---- response graph with its axes, legend and limit boxes ----
void layOutGraph(Layout& L, MainWindowControls& c) {
  L.label(c.Label8, "Label8", -1, nullptr, kGraphLeft, 60, kGraphWidth + 630, 390,
          "Filter description", AlignCenter)
      .font(kBoldFont);
  c.Label8.WordWrap = true;

  L.f.place(c.Graph, "Graph", nullptr, kGraphLeft, kGraphTop, kGraphWidth, kGraphHeight)
      .back(forms::kWhite);
  c.Graph.TabStop = false;
  L.f.place(c.Form1, "Form1", nullptr, kGraphLeft, kGraphTop, kGraphWidth, kGraphHeight)
      .hidden();
  // The cursor stands at the response frequency: 10 kHz on the 100 Hz - 100 kHz axis.
  L.f.line(c.Cursor, "Cursor", -1, &c.Graph, 2 * kGraphWidth / 3, 0, 2 * kGraphWidth / 3,
           kGraphHeight);
  c.Cursor.BorderColor = forms::kBlue;

  static const char* const kAmpl[9] = {"+10dB", "0dB",   "-10dB", "-20dB", "-30dB",
                                       "-40dB", "-50dB", "-60dB", "-70dB"};
  const int amplLeft = kGraphLeft - 615, gdLeft = kGraphLeft + kGraphWidth + 45;
  for (int k = 0; k < 9; ++k) {
    const int y = kGraphTop + k * kGridStep - kLabelH / 2;
    L.label(c.Ampl[k], "Ampl", k, nullptr, amplLeft, y, 570, kLabelH, kAmpl[k], AlignRight);
    L.label(c.GroupDelay[k], "GroupDelay", k, nullptr, gdLeft, y, 585, kLabelH, QString());
  }
  L.box(c.TopAmp, "TopAmp", nullptr, amplLeft, kGraphTop - kBoxH / 2, 570).hidden();
  L.box(c.BotAmp, "BotAmp", nullptr, amplLeft, kGraphTop + kGraphHeight - kBoxH / 2, 570)
      .hidden();

  static const char* const kFreq[4] = {"100 Hz", "1.00 kHz", "10.0 kHz", "100 kHz"};
  const int legendTop = kGraphTop + kGraphHeight + 105;
  for (int k = 0; k < 4; ++k)
    L.label(c.Gfreq[k], "Gfreq", k, nullptr, kLegendLeft + k * kGraphWidth / 3, legendTop,
            kLegendWidth, kLabelH, kFreq[k], AlignCenter);
  L.box(c.StartF, "StartF", nullptr, kLegendLeft, legendTop - 45, kLegendWidth).hidden();
  L.box(c.EndF, "EndF", nullptr, kLegendLeft + kGraphWidth, legendTop - 45, kLegendWidth)
      .hidden();
}

// ---- stage readouts: one row per display position, the totals ----
// The section frequency and Q columns sit in Frame4; with "Custom Fn&Q" (and for band-pass
// and notch stages) their entry boxes are shown over the readouts of the same row.
void layOutStageTable(Layout& L, MainWindowControls& c) {
  const int x0 = kRightLeft, gap = 45;
  const int wLetter = 480, wFn = 1080, wQ = 810;
  const int xFrame = x0 + wLetter + gap, wFrame = 60 + wFn + gap + wQ + 60;
  const int xGain = xFrame + wFrame + gap, wGain = 690;
  const int xGbp = xGain + wGain + gap, wGbp = 840;
  const int xRespGain = xGbp + wGbp + gap, wRespGain = 930;
  const int xRespPhase = xRespGain + wRespGain + gap, wRespPhase = x0 + kRightWidth - xRespPhase;
  const int headTop = 285, frameTop = 60;
  const int totalTop = kTableRowTop + 5 * kTableRowStep;
  const auto rowTop = [](int r) { return kTableRowTop + r * kTableRowStep; };

  L.label(c.Label35, "Label35", -1, nullptr, xGbp, frameTop, x0 + kRightWidth - xGbp, kLabelH,
          "Response at 1.00 k Hz.", AlignCenter);
  L.label(c.lblStage, "lblStage", nullptr, x0, headTop, wLetter, "Stage").font(kBoldFont);
  L.label(c.lblGain, "lblGain", nullptr, xGain, headTop, wGain, "Gain", AlignCenter)
      .font(kBoldFont);
  L.label(c.lblGBP, "lblGBP", nullptr, xGbp, headTop, wGbp, "GBP", AlignCenter).font(kBoldFont);
  L.label(c.lblRespGain, "lblRespGain", nullptr, xRespGain, headTop, wRespGain, "Gain",
          AlignCenter)
      .font(kBoldFont);
  L.label(c.lblRespPhase, "lblRespPhase", nullptr, xRespPhase, headTop, wRespPhase, "Phase",
          AlignCenter)
      .font(kBoldFont);

  L.frame(c.Frame4, "Frame4", nullptr, xFrame, frameTop, wFrame,
          totalTop + kBoxH + 75 - frameTop, "Section Fn and Q");
  const int fnLeft = 60, qLeft = fnLeft + wFn + gap;
  const auto inFrame = [&](int y) { return y - frameTop; };
  L.label(c.lblFn, "lblFn", &c.Frame4, fnLeft, inFrame(headTop), wFn, "Fn", AlignCenter)
      .font(kBoldFont);
  L.label(c.lblQ, "lblQ", &c.Frame4, qLeft, inFrame(headTop), wQ, "Q", AlignCenter)
      .font(kBoldFont);

  forms::Label* letters[5] = {&c.Label2, &c.Label3, &c.Label4, &c.Label5, &c.Label6};
  static const char* const kLetter[5] = {"A ", "B ", "C ", "D ", "E "};
  for (int r = 0; r < 5; ++r) {
    const int y = rowTop(r) + kLabelDrop;
    L.label(*letters[r], QStringLiteral("Label%1").arg(r + 2), -1, nullptr, x0, y, wLetter,
            kLabelH, kLetter[r], AlignCenter)
        .font(kBoldFont);
    L.label(c.FSFreq[r], "FSFreq", r, &c.Frame4, fnLeft, inFrame(y), wFn, kLabelH, QString(),
            AlignCenter);
    L.label(c.Qdisp[r], "Qdisp", r, &c.Frame4, qLeft, inFrame(y), wQ, kLabelH, QString(),
            AlignCenter);
    L.label(c.DCgain[r], "DCgain", r, nullptr, xGain, y, wGain, kLabelH, QString(), AlignCenter);
    L.label(c.GBPreq[r], "GBPreq", r, nullptr, xGbp, y, wGbp, kLabelH, QString(), AlignCenter);
    L.label(c.GainF[r], "GainF", r, nullptr, xRespGain, y, wRespGain, kLabelH, QString(),
            AlignCenter);
    L.label(c.PhaseF[r], "PhaseF", r, nullptr, xRespPhase, y, wRespPhase, kLabelH, QString(),
            AlignCenter);
  }
  // The entry boxes come after the readouts, so that they lie over them.
  for (int r = 0; r < 5; ++r) {
    L.box(c.FnInput[r], "FnInput", r, &c.Frame4, fnLeft, inFrame(rowTop(r)), wFn).hidden();
    L.box(c.QInput[r], "QInput", r, &c.Frame4, qLeft, inFrame(rowTop(r)), wQ).hidden();
  }

  const int totalLabel = totalTop + kLabelDrop;
  L.label(c.lblTotal, "lblTotal", nullptr, x0, totalLabel, wLetter, "Total", AlignCenter)
      .font(kBoldFont);
  L.box(c.Qtotal, "Qtotal", &c.Frame4, qLeft, inFrame(totalTop), wQ);
  L.label(c.DCgain[5], "DCgain", 5, nullptr, xGain, totalLabel, wGain, kLabelH, QString(),
          AlignCenter);
  L.label(c.GainF[5], "GainF", 5, nullptr, xRespGain, totalLabel, wRespGain, kLabelH, QString(),
          AlignCenter);
  L.label(c.PhaseF[5], "PhaseF", 5, nullptr, xRespPhase, totalLabel, wRespPhase, kLabelH,
          QString(), AlignCenter);

  L.label(c.Label17, "Label17", nullptr, x0, totalTop + kBoxH + 135, kRightWidth,
          QStringLiteral("* Note: Phase response is not corrected 180%1 for inverting stages.")
              .arg(QChar(0x00BA)));
}

// ---- choices and settings (right column, below the readouts), the prompt field ----
void layOutSettings(Layout& L, MainWindowControls& c) {
  const int x0 = kRightLeft, h = 870, gap = 60;
  const int row1 = 2940, row2 = row1 + h + gap;

  // Row 1: topology, component series, value display.
  int x = x0;
  L.frame(c.Frame2, "Frame2", nullptr, x, row1, 2400, h, "Circuit Type");
  L.list(c.CircuitType, "CircuitType", &c.Frame2, 75, 330, 2250,
         TopologyEntries(), 0);
  x += 2400 + gap;
  L.frame(c.Frame3, "Frame3", nullptr, x, row1, 2055, h, "Components");
  L.label(c.lblResistors, "lblResistors", &c.Frame3, 75, 225 + kLabelDrop, 900, "Resistors");
  L.list(c.ResistorList, "ResistorList", &c.Frame3, 990, 225, 990,
         ResistorSeriesEntries(), 4);
  L.label(c.lblCapacitors, "lblCapacitors", &c.Frame3, 75, 540 + kLabelDrop, 900, "Capacitors");
  L.list(c.CapacitorList, "CapacitorList", &c.Frame3, 990, 540, 990, CapacitorSeriesEntries(), 0);
  x += 2055 + gap;
  L.frame(c.Frame1, "Frame1", nullptr, x, row1, x0 + kRightWidth - x, h, "Value Display");
  L.option(c.CompValue, "CompValue", -1, &c.Frame1, 105, 270, 1860, "Component Values");
  c.CompValue.setFromUser(true);
  L.option(c.SensTrue, "SensTrue", -1, &c.Frame1, 105, 570, 1860, "Sensitivities");

  // Row 2: resistor seed, response frequency, display settings, two buttons.
  x = x0;
  L.frame(c.Frame6, "Frame6", nullptr, x, row2, 1440, h, "Optional Entry");
  L.label(c.lblSeed, "lblSeed", &c.Frame6, 75, 255, 1320, "Resistor (ohms)");
  L.box(c.Text12, "Text12", &c.Frame6, 75, 480, 1095, "10.00 k");
  x += 1440 + gap;
  L.frame(c.Frame8, "Frame8", nullptr, x, row2, 1755, h, "Response Freq.");
  L.box(c.RespF, "RespF", &c.Frame8, 75, 255, 1095, "1.00 k");
  L.label(c.Label9, "Label9", &c.Frame8, 1215, 255 + kLabelDrop, 480, "Hz");
  L.check(c.Rad, "Rad", &c.Frame8, 75, 585, 1200, "Rad/s");
  x += 1755 + gap;
  L.frame(c.Frame5, "Frame5", nullptr, x, row2, 1650, h, "Settings");
  L.label(c.lblSigDig, "lblSigDig", &c.Frame5, 75, 225 + kLabelDrop, 750, "Digits");
  L.box(c.SigDig, "SigDig", &c.Frame5, 825, 225, 750, "4");
  L.label(c.lblDecades, "lblDecades", &c.Frame5, 75, 540 + kLabelDrop, 750, "Decades");
  L.list(c.Decades, "Decades", &c.Frame5, 825, 540, 750,
         {"3", "4", "5", "6", "7", "8", "9", "10"}, 0);
  x += 1650 + gap;
  const int wButton = x0 + kRightWidth - x;
  L.button(c.ShowPartList, "ShowPartList", nullptr, x, row2 + 30, wButton, kButtonH,
           "Show Part List");
  L.button(c.PlotResponse, "PlotResponse", nullptr, x, row2 + h - 30 - kButtonH, wButton,
           kButtonH, "Plot Response");

  const int promptTop = row2 + h + 90;
  L.label(c.Prompt, "Prompt", -1, nullptr, x0, promptTop, kRightWidth, 8820 - promptTop,
          QString())
      .back(forms::kWhite)
      .tip("The prompt field provides context sensitive information.");
  c.Prompt.BorderStyle = 1;
  c.Prompt.WordWrap = true;
  c.Prompt.UseMnemonic = false;  // prompts name "Custom Fn&Q" as written
}

// ---- schematic panel: stage pictures, their value labels and entries, connectors ----
void layOutSchematicPanel(Layout& L, MainWindowControls& c) {
  // Pictures first, so that labels, lines and buttons lie over them.
  struct PictureArray {
    std::array<forms::Image, 5>& images;
    const char* name;
  };
  const PictureArray arrays[] = {
      {c.SK, "SK"},         {c.SKg1, "SKg1"},         {c.SKhp, "SKhp"},
      {c.SKg1HP, "SKg1HP"}, {c.MFBsch, "MFBsch"},     {c.MFBschHP, "MFBschHP"},
      {c.FDAsch, "FDAsch"}, {c.FDAschHP, "FDAschHP"}, {c.MFBbpwres, "MFBbpwres"},
      {c.MFBbpnores, "MFBbpnores"}, {c.Fleige, "Fleige"},
  };
  for (const PictureArray& a : arrays) {
    const bool differential = &a.images == &c.FDAsch || &a.images == &c.FDAschHP;
    const bool bandPass =
        &a.images == &c.MFBbpwres || &a.images == &c.MFBbpnores || &a.images == &c.Fleige;
    for (int i = 0; i < 5; ++i)
      L.image(a.images[i], a.name, i, bandPass ? bandPassPictureLeft(i) : pictureLeft(i),
              pictureTop(i), pictureWidth(i) + (differential ? kJoinOverlap : 0),
              kPictureHeight);
  }

  struct RealPicture {
    forms::Image& image;
    const char* name;
  };
  const RealPicture reals[] = {
      {c.RealPole, "RealPole"},   {c.RealHP, "RealHP"},
      {c.RealNoAmp, "RealNoAmp"}, {c.RealNoAmpHP, "RealNoAmpHP"},
      {c.FDA1p, "FDA1p"},         {c.FDARealHP, "FDARealHP"},
      {c.FDARealNoAmpLP, "FDARealNoAmpLP"}, {c.FDARealNoAmpHP, "FDARealNoAmpHP"},
  };
  for (const RealPicture& r : reals)
    L.image(r.image, r.name, -1, kRealLeft, kRealTop, kRealWidth, kRealHeight);

  // Value labels at their designed places; the schematic panel moves each one beside its own
  // component on the picture shown.
  for (int i = 0; i < 5; ++i) {
    const int x = pictureLeft(i), y = pictureTop(i);
    struct ValueLabel {
      std::array<forms::Label, 5>& labels;
      const char* name;
      int dy, dx;
    };
    const ValueLabel values[] = {
        {c.R1, "R1", 380, 30},    {c.R2, "R2", 230, 550},  {c.R3, "R3", 1235, 250},
        {c.R4, "R4", 1050, 1500}, {c.R5, "R5", 900, 30},   {c.R6, "R6", 1325, 1325},
        {c.C1L, "C1L", 915, 220}, {c.C2L, "C2L", -175, 1100},
    };
    for (const ValueLabel& v : values) {
      L.label(v.labels[i], v.name, i, nullptr, x + v.dx, y + v.dy, kValueLabelWidth, kLabelH,
              QString())
          .hidden();
      v.labels[i].BackStyle = 0;
    }
  }
  L.label(c.RealPlabel, "RealPlabel", nullptr, kRealLeft + 60, kRealTop - 225, 1500,
          "Real Pole Section ")
      .font(kBoldFont)
      .hidden();
  L.label(c.RealR, "RealR", nullptr, kRealLeft + 150, 4290, kValueLabelWidth, QString()).hidden();
  L.label(c.RealC, "RealC", nullptr, kRealLeft + 600, 4950, kValueLabelWidth, QString()).hidden();
  c.RealR.BackStyle = 0;
  c.RealC.BackStyle = 0;

  // Connectors. Within a row these short pieces join neighbouring pictures across the gap
  // between them.
  L.hline(c.schLine[0], "schLine", 0, kSlotLeft[1] - 30, kSlotLeft[1] + 30, signalY(1));
  L.hline(c.schLine[2], "schLine", 2, kSlotLeft[3] - 30, kSlotLeft[3] + 30, signalY(3));
  L.hline(c.schLine[3], "schLine", 3, kSlotLeft[4] - 30, kSlotLeft[4] + 30, signalY(4));
  // Row change from stage B (right end of row 1) to stage C (left end of row 2): down the
  // right edge of B, back along the gap between the rows, down the left edge of C.
  const int bRight = kSlotLeft[1] + kPictureWidth, cLeft = kSlotLeft[2];
  L.vline(c.Line2, "Line2", -1, bRight, signalY(1), kGapY);
  L.hline(c.Line3, "Line3", -1, bRight, cLeft, kGapY);
  L.vline(c.schLine[1], "schLine", 1, cLeft, kGapY, signalY(2));
  // Band-pass and notch rows: down the right edge of B (Line2), back along the gap to left of
  // stage C's labels, down to C's signal wire and along it into C; and the joins across the
  // gaps of their second row.
  const int bandPassC = bandPassPictureLeft(2);
  L.hline(c.schLine[4], "schLine", 4, bRight, kBandPassRiserX, kGapY);
  L.vline(c.schLine[5], "schLine", 5, kBandPassRiserX, kGapY, signalY(2));
  L.hline(c.schLine[6], "schLine", 6, kBandPassRiserX, bandPassC + 30, signalY(2));
  for (int stage : {3, 4}) {
    const int x = bandPassPictureLeft(stage);
    L.hline(c.schLine[stage + 4], "schLine", stage + 4, x - 30, x + 30, signalY(stage));
  }
  // Fully differential row change: the + wire as above, the - wire outside it.
  const int plusB = signalY(1), minusB = signalY(1) + kMinusDrop;
  const int plusC = signalY(2), minusC = signalY(2) + kMinusDrop;
  L.vline(c.FDAschLine[0], "FDAschLine", 0, bRight, plusB, kGapY);
  L.hline(c.FDAschLine[1], "FDAschLine", 1, bRight, cLeft, kGapY);
  L.vline(c.FDAschLine[2], "FDAschLine", 2, cLeft, kGapY, plusC);
  L.hline(c.FDAschLine[3], "FDAschLine", 3, bRight, bRight + 60, minusB);
  L.vline(c.FDAschLine[4], "FDAschLine", 4, bRight + 60, minusB, kGapY + 60);
  L.hline(c.FDAschLine[5], "FDAschLine", 5, bRight + 60, cLeft - 60, kGapY + 60);
  L.vline(c.FDAschLine[6], "FDAschLine", 6, cLeft - 60, kGapY + 60, minusC);
  L.hline(c.FDAschLine[7], "FDAschLine", 7, cLeft - 60, cLeft, minusC);

  // Under each stage picture: its title and gain, then its two capacitors (the third
  // capacitor box is never in use and stays hidden). The real-pole section has its
  // capacitor only.
  const int realLine = kRowTop[0] + kStripOffset + kStripLine;
  L.label(c.lblC1Real, "lblC1Real", nullptr, kRealLeft + 60, realLine + kLabelDrop, 240, "C1");
  // The stage boxes start out of use; each display pass enables those of its stages.
  L.box(c.C1RealEntry, "C1RealEntry", nullptr, kRealLeft + 330, realLine, 810)
      .disabled()
      .back(forms::kGreyedEntry);
  for (int i = 0; i < 5; ++i) {
    const int x = kSlotLeft[i], y1 = pictureTop(i) + kStripOffset, y2 = y1 + kStripLine;
    L.label(c.SecLabel[i], "SecLabel", i, nullptr, x, y1 + kLabelDrop, 1020, kLabelH,
            QStringLiteral("Section %1 ").arg(QChar('A' + i)))
        .font(kBoldFont)
        .hidden();
    L.label(c.lblGainTB[i], "lblGainTB", i, nullptr, x + 1095, y1 + kLabelDrop, 570, kLabelH,
            "Gain", AlignRight);
    L.box(c.GainTB[i], "GainTB", i, nullptr, x + 1710, y1, 645).disabled().back(forms::kGreyedEntry);
    L.label(c.lblC1[i], "lblC1", i, nullptr, x, y2 + kLabelDrop, 240, kLabelH, "C1");
    L.box(c.C1Entry[i], "C1Entry", i, nullptr, x + 270, y2, 810).disabled().back(forms::kGreyedEntry);
    L.label(c.lblC2[i], "lblC2", i, nullptr, x + 1095, y2 + kLabelDrop, 570, kLabelH, "C2",
            AlignRight);
    L.box(c.C2Entry[i], "C2Entry", i, nullptr, x + 1710, y2, 645).disabled().back(forms::kGreyedEntry);
    L.box(c.C3Entry[i], "C3Entry", i, nullptr, x + 270, y1, 810).hidden().disabled();
  }
}

// ---- total view of a two-half design and the view buttons ----
void layOutWideBandViews(Layout& L, MainWindowControls& c) {
  // Summing stage of the band-reject drawing: input split on the left, the two halves'
  // outputs added on the right.
  L.image(c.BRinput, "BRinput", -1, 1710, 5445, 825, 1695);
  L.image(c.FDABRinput, "FDABRinput", -1, 1710, 5445, 825, 1695);
  L.image(c.SummingAmp, "SummingAmp", -1, 3930, 5445, 1830, 1695);
  L.image(c.FDASummingAmp, "FDASummingAmp", -1, 3930, 5445, 1830, 1695);
  L.label(c.FDAsummerR1, "FDAsummerR1", nullptr, 4080, 5490, kValueLabelWidth, QString())
      .hidden();
  L.label(c.FDAsummerR2, "FDAsummerR2", nullptr, 4080, 6450, kValueLabelWidth, QString())
      .hidden();
  // The feedback resistor's value, under it, clear of the amplifier.
  L.label(c.FDAsummerR3, "FDAsummerR3", nullptr, 3930 + 1000, 5445 + 200, kValueLabelWidth,
          QString())
      .hidden();
  c.FDAsummerR1.BackStyle = 0;
  c.FDAsummerR2.BackStyle = 0;
  c.FDAsummerR3.BackStyle = 0;

  // Wide band-pass: input -> high-pass half -> low-pass half -> output; the band-reject view
  // moves the low-pass half under the high-pass one, beside the summing stage.
  L.button(c.HighPassViewT, "HighPassViewT", nullptr, 3030, 5445, 900, 735,
           "Show High-Pass Sections")
      .hidden();
  L.button(c.LowPassViewT, "LowPassViewT", nullptr, 4425, 5445, 900, 735,
           "Show Low-Pass Sections")
      .hidden();
  L.hline(c.Line8, "Line8", -1, 2535, 3060, 5700);
  L.hline(c.Line9, "Line9", -1, 2535, 3060, 5925);
  L.hline(c.Line5, "Line5", -1, 3900, 4455, 5700);
  L.hline(c.Line4, "Line4", -1, 3900, 4455, 5925);
  L.hline(c.Line6, "Line6", -1, 5295, 5820, 5700);
  L.hline(c.Line7, "Line7", -1, 5295, 5820, 5925);

  // Section views: one button offers the other half, one the total view.
  L.button(c.ShowTotal, "ShowTotal", nullptr, 15, 3240, kViewButtonW, 735,
           "Show Total Response")
      .hidden();
  L.button(c.HighPassView, "HighPassView", nullptr, 1800, 4470, kViewButtonW, kViewButtonH,
           "Show High-Pass Sections")
      .hidden();
  L.button(c.LowPassView, "LowPassView", nullptr, 2655, 4395, kViewButtonW, kViewButtonH,
           "Show Low-Pass Sections")
      .hidden();
}

// ---- simulation model, supply and simulator choice (below the schematic panel) ----
void layOutSimulation(Layout& L, MainWindowControls& c) {
  const int top = 7920;
  L.frame(c.XSpiceModelInfo, "XSpiceModelInfo", nullptr, kMargin, top, 6150, 8820 - top,
          "Simulation Model");
  forms::Control* in = &c.XSpiceModelInfo;
  const int row1 = 225, row2 = 570;
  L.label(c.lblOpAmp, "lblOpAmp", in, 75, row1 + kLabelDrop, 660, "Op Amp");
  L.list(c.OpAmpModel, "OpAmpModel", in, 780, row1, 2400, {"Ideal Op Amp"}, 0);
  L.label(c.lblVs, "lblVs", in, 3270, row1 + kLabelDrop, 600, "Supply", AlignRight);
  L.box(c.Vs, "Vs", in, 3915, row1, 660, QStringLiteral("%1%2").arg(QChar(0x00B1)).arg(5));
  L.check(c.SScheck, "SScheck", in, 4665, row1 + 30, 1425, "Single Supply");
  L.label(c.lblVin, "lblVin", in, 75, row2 + kLabelDrop, 690, "Input (V)");
  L.box(c.Vin, "Vin", in, 780, row2, 660, "1");
  L.label(c.lblSimulator, "lblSimulator", in, 1530, row2 + kLabelDrop, 840, "Simulator",
          AlignRight);
  static const char* const kSimulator[3] = {"ASXS", "XSCL", "MQIM"};
  for (int i = 0; i < 3; ++i)
    L.option(c.XSver[i], "XSver", i, in, 2460 + i * 900, row2 + 30, 840, kSimulator[i]);
  c.XSver[2].setFromUser(true);

  const int x = kMargin + 6150 + 90;
  L.button(c.RunSpice, "RunSpice", nullptr, x, top + 90, 1350, kButtonH, "Test Spice");
  L.button(c.PlotChart, "PlotChart", nullptr, x, top + 90 + kButtonH + 60, 1350, kButtonH,
           "Plot Chart");
}

// ---- values table: seen only while the window is enlarged ----
void layOutValuesTable(Layout& L, MainWindowControls& c) {
  const int top = kWindowHeight + 60, width = 10140;
  L.label(c.Label40, "Label40", -1, nullptr, kMargin, top, width, kLabelH,
          "Section       R1               R2               R3               C1               C2")
      .font(kTableFont);
  forms::TextBox* rows[5] = {&c.Text41, &c.Text42, &c.Text43, &c.Text44, &c.Text45};
  for (int r = 0; r < 5; ++r) {
    L.box(*rows[r], QStringLiteral("Text%1").arg(41 + r), nullptr, kMargin,
          top + 240 + r * 300, width)
        .font(kTableFont);
    rows[r]->Locked = true;
  }
}

void layOutMenus(Layout& L, MainWindowControls& c) {
  L.menu(c.mnuFile, "mnuFile", nullptr, "&File");
  L.menu(c.mnuFileNew, "mnuFileNew", &c.mnuFile, "New");
  L.menu(c.mnuFileOpen, "mnuFileOpen", &c.mnuFile, "&Open   ", "Ctrl+O");
  L.menu(c.mnuFileSave, "mnuFileSave", &c.mnuFile, "&Save", "Ctrl+S");
  L.menu(c.mnuFileSaveAs, "mnuFileSaveAs", &c.mnuFile, "Save &As", "Ctrl+A");
  L.menu(c.mnuFileSep1, "mnuFileSep1", &c.mnuFile, "-");
  L.menu(c.Print, "Print", &c.mnuFile, "&Print");
  L.menu(c.SaveChartData, "SaveChartData", &c.mnuFile, "Save chart data");
  L.menu(c.Export, "Export", &c.mnuFile, "Export to Vantreo7-MQ");
  L.menu(c.mnuFileSep2, "mnuFileSep2", &c.mnuFile, "-");
  L.menu(c.exitmnu, "exitmnu", &c.mnuFile, "Close");

  L.menu(c.mnuOptions, "mnuOptions", nullptr, "&Options");
  L.menu(c.AutoSwapHPandLP, "AutoSwapHPandLP", &c.mnuOptions, "Auto Swap Hp and LP");
  c.AutoSwapHPandLP.Checked = true;
  L.menu(c.ThreePole, "ThreePole", &c.mnuOptions, "Use 3 pole section");
  L.menu(c.UseSpice, "UseSpice", &c.mnuOptions, "Use Spice");
  L.menu(c.mnuOptionsSep1, "mnuOptionsSep1", &c.mnuOptions, "-");
  L.menu(c.SADmnu, "SADmnu", &c.mnuOptions, "Save as default");

  L.menu(c.mnuView, "mnuView", nullptr, "&View");
  L.menu(c.ShowGainTrace, "ShowGainTrace", &c.mnuView, "Show Gain Trace");
  L.menu(c.ShowPhaseTrace, "ShowPhaseTrace", &c.mnuView, "Show Phase Trace");
  L.menu(c.ShowGDTrace, "ShowGDTrace", &c.mnuView, "Show Group Delay Trace");
  c.ShowGainTrace.Checked = c.ShowPhaseTrace.Checked = c.ShowGDTrace.Checked = true;
  L.menu(c.Hide360PhaseHop, "Hide360PhaseHop", &c.mnuView, "Hide 360 Deg. Phase Hop");
  L.menu(c.mnuViewSep1, "mnuViewSep1", &c.mnuView, "-");
  L.menu(c.ConfigGraph, "ConfigGraph", &c.mnuView, "Configure Graph");
  L.menu(c.ShowValuesTable, "ShowValuesTable", &c.mnuView, "Show values table");

  L.menu(c.mnuHelp, "mnuHelp", nullptr, "&Help");
  L.menu(c.HelpCont, "HelpCont", &c.mnuHelp, "Help Contents");
  L.menu(c.mnuHelpSep1, "mnuHelpSep1", &c.mnuHelp, "-");
  L.menu(c.FormLoad, "FormLoad", &c.mnuHelp, "&About Calverdon");
  L.menu(c.NewScreen, "NewScreen", &c.mnuHelp, "&What's New?");
}

}  // namespace

void layOutMainWindow(Form& form, MainWindowControls& c) {
  form.Caption = kWindowCaption;
  form.Width = kWindowWidth;
  form.Height = kWindowHeight;
  form.BackColor = kWindowBackColor;

  // Regions in tab order: design entries and choices, stage entries, section entries.
  Layout L{form};
  layOutEntryPanel(L, c);
  layOutSettings(L, c);
  layOutSchematicPanel(L, c);
  layOutStageTable(L, c);
  layOutGraph(L, c);
  layOutWideBandViews(L, c);
  layOutSimulation(L, c);
  layOutValuesTable(L, c);
  layOutMenus(L, c);

  // Frames, captions, option buttons and check boxes show the window's background.
  for (Control* ctl : form.controls()) {
    switch (ctl->kind) {
      case forms::ControlKind::Frame:
      case forms::ControlKind::Label:
      case forms::ControlKind::OptionButton:
      case forms::ControlKind::CheckBox:
        if (ctl->BackColor == forms::kSysButtonFace) ctl->BackColor = kWindowBackColor;
        break;
      default:
        break;
    }
    if (ctl->kind == forms::ControlKind::Label || ctl->kind == forms::ControlKind::Frame ||
        ctl->kind == forms::ControlKind::Line || ctl->kind == forms::ControlKind::Image ||
        ctl->kind == forms::ControlKind::MenuItem)
      ctl->TabStop = false;
  }
}

}  // namespace mainwindow
