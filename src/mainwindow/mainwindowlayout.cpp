#include "mainwindow/mainwindowlayout.h"

#include <QStringList>

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
//  | x 60..2970      | x 3030..7875          | x 8370..14970                      |
//  | y 60..3135      | y 60..3180            | y 60..2805, settings, prompt below |
//  +-- schematic panel: two rows of stage pictures, x 15..7530, y 3240..7545 ---+
//  | simulation model and its buttons, y 7620..8820                              |
//  +---------------------------------------------------------------------------- +
//  values table below kWindowHeight, seen while the window is enlarged.

constexpr int kMargin = 60;

// Standard heights.
constexpr int kBoxH = 285;     // text box
constexpr int kComboH = 315;   // list
constexpr int kLabelH = 195;   // one line of text
constexpr int kOptionH = 240;  // option button, check box
constexpr int kButtonH = 375;  // command button

// Entry panel (left column).
constexpr int kPanelLeft = kMargin;
constexpr int kPanelWidth = 2910;
constexpr int kHalfLeft = 1440;   // second half of the panel: HPFrame, Frame2
constexpr int kLPWidthSingle = 1290;  // LPFrame width of a low-pass design
constexpr int kLPWidthBand = 2610;    // LPFrame width of a band-pass or notch design

// Graph. The legend labels are centred on their axis position: label left =
// kLegendLeft + fraction of the axis * kGraphWidth, which puts Gfreq(1) at 4395 twips for
// a third of the axis and at 4995 for a half.
constexpr int kLegendWidth = 900;
constexpr int kLegendLeft = 3195;
constexpr int kGraphLeft = kLegendLeft + kLegendWidth / 2;  // 3645
constexpr int kGraphTop = 495;
constexpr int kGraphWidth = 3600;
constexpr int kGraphHeight = 2400;
constexpr int kGridStep = kGraphHeight / 8;  // one of the eight gain divisions

// Right column.
constexpr int kRightLeft = 8370;
constexpr int kRightWidth = 6600;
constexpr int kTableRowTop = 540;  // first readout row
constexpr int kTableRowStep = 345;

// Schematic panel: stage pictures side by side (15 twips apart) in two rows of three slots.
// Row 1 holds the real-pole section (odd orders) and stages A, B; row 2 holds stages C, D, E.
// The view buttons of a two-half design are moved right after the last stage shown.
constexpr int kPictureWidth = 2385;
constexpr int kPictureHeight = 1500;
constexpr int kRow1Top = 3450;  // picture top of row 1
constexpr int kRowStep = 2250;  // row 2 is this much lower
constexpr int kRealLeft = 810;  // real-pole picture, joined to stage A
constexpr int kRealWidth = 2655 - kRealLeft;
constexpr int kSlotLeft[5] = {2670, 5070, 270, 2670, 5070};  // stages A..E
constexpr int kStripOffset = 1590;  // entry boxes under the picture
constexpr int kSecLabelOffset = -210;  // stage title over the picture
constexpr int kGapY = 5370;  // row change connectors run along this line

int pictureTop(int stage) { return kRow1Top + (stage >= 2 ? kRowStep : 0); }
// Single-ended stage pictures take the signal in at the left edge and give it out at the
// right edge, both at this height; fully differential ones at +/- 150 around it.
int signalY(int stage) { return pictureTop(stage) + kPictureHeight / 2; }

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

// ---- entry panel: pass band, topology, response, poles and frequencies, series ----
void layOutEntryPanel(Layout& L, MainWindowControls& c) {
  const int x0 = kPanelLeft;
  L.frame(c.Frame7, "Frame7", nullptr, x0, 60, kHalfLeft - x0 - 45, 600, "Passband");
  L.list(c.Passband, "Passband", &c.Frame7, 75, 225, 1185,
         {"Low-Pass", "High-Pass", "Band-Pass", "Notch", "Wide Band-Pass", "Band-Reject"}, 0);
  L.frame(c.Frame2, "Frame2", nullptr, kHalfLeft, 60, x0 + kPanelWidth - kHalfLeft, 600,
          "Circuit Type");
  L.list(c.CircuitType, "CircuitType", &c.Frame2, 75, 225, 1380,
         {"MFB Single-Ended", "Sallen -Key", "MFB Fully Differential"}, 0);

  L.frame(c.FilterTypeFrame, "FilterTypeFrame", nullptr, x0, 720, kPanelWidth, 600,
          "Filter Type");
  L.list(c.TypeFilter, "TypeFilter", &c.FilterTypeFrame, 75, 225, 1545,
         {"Butterworth", "Bessel", "Chebychev", "Linear Phase, 0.05", "Linear Phase, 0.5",
          "Gaussian 12dB", "Custom Fn&Q"},
         0, /*style=*/0);
  L.label(c.lblRipple, "lblRipple", &c.FilterTypeFrame, 1710, 270, 480, "Ripple", AlignRight);
  L.box(c.Text19, "Text19", &c.FilterTypeFrame, 2220, 240, 450).back(kWindowBackColor);
  L.label(c.lblRippleUnit, "lblRippleUnit", &c.FilterTypeFrame, 2715, 270, 180, "dB");

  // Low-pass (or single filter) frame. Its right part, beyond the single-filter width, holds
  // the spacing and Q boxes of band-pass and notch designs: the display pass widens the
  // frame to show them and hides the high-pass frame that sits there otherwise.
  L.frame(c.LPFrame, "LPFrame", nullptr, x0, 1380, kLPWidthSingle, 1095, "Low-Pass");
  L.label(c.Label18, "Label18", &c.LPFrame, 90, 210, 1170, "Cutoff Freq.");
  L.box(c.Text34, "Text34", &c.LPFrame, 90, 420, 765, "1.00 k");
  L.label(c.Label26, "Label26", &c.LPFrame, 900, 465, 375, "Hz");
  L.label(c.lblPoles, "lblPoles", &c.LPFrame, 90, 795, 600, "Poles");
  L.box(c.Text18, "Text18", &c.LPFrame, 705, 750, 480, "3");
  L.label(c.lblSpacing, "lblSpacing", &c.LPFrame, 1380, 210, 1170, "Spacing");
  L.box(c.SpacF, "SpacF", &c.LPFrame, 1380, 420, 765, "0");
  L.label(c.lblSpacingUnit, "lblSpacingUnit", &c.LPFrame, 2190, 465, 375, "Hz");
  L.label(c.lblBandQ, "lblBandQ", &c.LPFrame, 1380, 795, 600, "Q");
  L.box(c.Text3, "Text3", &c.LPFrame, 1995, 750, 480, "1");

  L.frame(c.HPFrame, "HPFrame", nullptr, kHalfLeft, 1380, 1230, 1095, "High-Pass");
  L.label(c.lblHPCutoff, "lblHPCutoff", &c.HPFrame, 90, 210, 1050, "Cutoff Freq.");
  L.box(c.Text2, "Text2", &c.HPFrame, 90, 420, 720, "100");
  L.label(c.Label47, "Label47", &c.HPFrame, 855, 465, 345, "Hz");
  L.label(c.lblHPPoles, "lblHPPoles", &c.HPFrame, 90, 795, 600, "Poles");
  L.box(c.Text1, "Text1", &c.HPFrame, 705, 750, 480, "3");

  L.frame(c.Frame3, "Frame3", nullptr, x0, 2535, kPanelWidth, 600, "Components");
  L.label(c.lblResistors, "lblResistors", &c.Frame3, 90, 270, 630, "Resistors");
  L.list(c.ResistorList, "ResistorList", &c.Frame3, 735, 225, 765,
         {"Exact", "E12", "E24", "E48", "E96", "E192"}, 4);
  L.label(c.lblCapacitors, "lblCapacitors", &c.Frame3, 1590, 270, 690, "Capacitors");
  L.list(c.CapacitorList, "CapacitorList", &c.Frame3, 2295, 225, 540, {"E6", "E12", "E24"}, 0);
}

// ---- response graph with its axes, legend and limit boxes ----
void layOutGraph(Layout& L, MainWindowControls& c) {
  L.label(c.Label8, "Label8", -1, nullptr, kGraphLeft, 60, 4230, 405, "Filter description",
          AlignCenter)
      .font(kBoldFont);
  c.Label8.WordWrap = true;

  L.f.place(c.Graph, "Graph", nullptr, kGraphLeft, kGraphTop, kGraphWidth, kGraphHeight)
      .back(forms::kWhite)
      .tab(L.tabIndex++);
  L.f.place(c.Form1, "Form1", nullptr, kGraphLeft, kGraphTop, kGraphWidth, kGraphHeight)
      .hidden();
  // The cursor stands at the response frequency: 10 kHz on the 100 Hz - 100 kHz axis.
  L.f.line(c.Cursor, "Cursor", -1, &c.Graph, 2 * kGraphWidth / 3, 0, 2 * kGraphWidth / 3,
           kGraphHeight);
  c.Cursor.BorderColor = forms::kBlue;

  static const char* const kAmpl[9] = {"+10dB", "0dB",   "-10dB", "-20dB", "-30dB",
                                       "-40dB", "-50dB", "-60dB", "-70dB"};
  for (int k = 0; k < 9; ++k) {
    const int y = kGraphTop + k * kGridStep - kLabelH / 2;
    L.label(c.Ampl[k], "Ampl", k, nullptr, kGraphLeft - 615, y, 570, kLabelH, kAmpl[k],
            AlignRight);
    L.label(c.GroupDelay[k], "GroupDelay", k, nullptr, kGraphLeft + kGraphWidth + 45, y, 585,
            kLabelH, QString());
  }
  L.box(c.TopAmp, "TopAmp", nullptr, kGraphLeft - 615, kGraphTop - kBoxH / 2, 570).hidden();
  L.box(c.BotAmp, "BotAmp", nullptr, kGraphLeft - 615, kGraphTop + kGraphHeight - kBoxH / 2,
        570)
      .hidden();

  static const char* const kFreq[4] = {"100 Hz", "1.00 kHz", "10.0 kHz", "100 kHz"};
  const int legendTop = kGraphTop + kGraphHeight + 45;
  for (int k = 0; k < 4; ++k)
    L.label(c.Gfreq[k], "Gfreq", k, nullptr, kLegendLeft + k * kGraphWidth / 3, legendTop,
            kLegendWidth, kLabelH, kFreq[k], AlignCenter);
  L.box(c.StartF, "StartF", nullptr, kLegendLeft, legendTop - 45, kLegendWidth).hidden();
  L.box(c.EndF, "EndF", nullptr, kLegendLeft + kGraphWidth, legendTop - 45, kLegendWidth)
      .hidden();
}

// ---- stage readouts: one row per display position, the totals, the section entries ----
void layOutStageTable(Layout& L, MainWindowControls& c) {
  const int x0 = kRightLeft;
  // Column lefts and widths.
  const int xLetter = x0, wLetter = 390;
  const int xFn = x0 + 420, wFn = 870;
  const int xQ = x0 + 1320, wQ = 690;
  const int xGain = x0 + 2040, wGain = 570;
  const int xGbp = x0 + 2640, wGbp = 810;
  const int xRespGain = x0 + 3480, wRespGain = 780;
  const int xRespPhase = x0 + 4290, wRespPhase = 660;
  const int headTop = 285;

  L.label(c.Label35, "Label35", -1, nullptr, xRespGain - 330, 60, 1800, kLabelH,
          "Response at 1.00 k Hz.", AlignCenter);
  L.label(c.lblStage, "lblStage", nullptr, xLetter, headTop, wLetter, "Stage").font(kBoldFont);
  L.label(c.lblFn, "lblFn", nullptr, xFn, headTop, wFn, "Fn", AlignCenter).font(kBoldFont);
  L.label(c.lblQ, "lblQ", nullptr, xQ, headTop, wQ, "Q", AlignCenter).font(kBoldFont);
  L.label(c.lblGain, "lblGain", nullptr, xGain, headTop, wGain, "Gain", AlignCenter)
      .font(kBoldFont);
  L.label(c.lblGBP, "lblGBP", nullptr, xGbp, headTop, wGbp, "GBP", AlignCenter).font(kBoldFont);
  L.label(c.lblRespGain, "lblRespGain", nullptr, xRespGain, headTop, wRespGain, "Gain",
          AlignCenter)
      .font(kBoldFont);
  L.label(c.lblRespPhase, "lblRespPhase", nullptr, xRespPhase, headTop, wRespPhase, "Phase",
          AlignCenter)
      .font(kBoldFont);

  forms::Label* letters[5] = {&c.Label2, &c.Label3, &c.Label4, &c.Label5, &c.Label6};
  static const char* const kLetter[5] = {"A ", "B ", "C ", "D ", "E "};
  for (int r = 0; r < 5; ++r) {
    const int y = kTableRowTop + r * kTableRowStep + 45;
    L.label(*letters[r], QStringLiteral("Label%1").arg(r + 2), -1, nullptr, xLetter, y, wLetter,
            kLabelH, kLetter[r], AlignCenter)
        .font(kBoldFont);
    L.label(c.FSFreq[r], "FSFreq", r, nullptr, xFn, y, wFn, kLabelH, QString(), AlignCenter);
    L.label(c.Qdisp[r], "Qdisp", r, nullptr, xQ, y, wQ, kLabelH, QString(), AlignCenter);
    L.label(c.DCgain[r], "DCgain", r, nullptr, xGain, y, wGain, kLabelH, QString(), AlignCenter);
    L.label(c.GBPreq[r], "GBPreq", r, nullptr, xGbp, y, wGbp, kLabelH, QString(), AlignCenter);
    L.label(c.GainF[r], "GainF", r, nullptr, xRespGain, y, wRespGain, kLabelH, QString(),
            AlignCenter);
    L.label(c.PhaseF[r], "PhaseF", r, nullptr, xRespPhase, y, wRespPhase, kLabelH, QString(),
            AlignCenter);
  }
  const int totalTop = kTableRowTop + 5 * kTableRowStep;
  L.label(c.lblTotal, "lblTotal", nullptr, xLetter, totalTop + 45, wLetter + 30, "Total")
      .font(kBoldFont);
  L.box(c.Qtotal, "Qtotal", nullptr, xQ, totalTop, wQ);
  L.label(c.DCgain[5], "DCgain", 5, nullptr, xGain, totalTop + 45, wGain, kLabelH, QString(),
          AlignCenter);
  L.label(c.GainF[5], "GainF", 5, nullptr, xRespGain, totalTop + 45, wRespGain, kLabelH,
          QString(), AlignCenter);
  L.label(c.PhaseF[5], "PhaseF", 5, nullptr, xRespPhase, totalTop + 45, wRespPhase, kLabelH,
          QString(), AlignCenter);

  // Section frequency and Q entries, in the same rows as the readouts.
  const int frameLeft = x0 + 4980;
  L.frame(c.Frame4, "Frame4", nullptr, frameLeft, 60, x0 + kRightWidth - frameLeft, 2175,
          "Fn and Q Entry");
  L.label(c.lblFnEntry, "lblFnEntry", &c.Frame4, 75, headTop - 60, 870, "Fn", AlignCenter)
      .font(kBoldFont);
  L.label(c.lblQEntry, "lblQEntry", &c.Frame4, 990, headTop - 60, 570, "Q", AlignCenter)
      .font(kBoldFont);
  for (int r = 0; r < 5; ++r) {
    const int y = kTableRowTop + r * kTableRowStep - 60;
    L.box(c.FnInput[r], "FnInput", r, &c.Frame4, 75, y, 870).hidden();
    L.box(c.QInput[r], "QInput", r, &c.Frame4, 990, y, 570).hidden();
  }

  L.label(c.Label17, "Label17", nullptr, x0, totalTop + kBoxH + 60, kRightWidth,
          QStringLiteral("* Note: Phase response is not corrected 180%1 for inverting stages.")
              .arg(QChar(0x00BA)));
}

// ---- settings frames, buttons and the prompt field (right column, below the readouts) ----
void layOutSettings(Layout& L, MainWindowControls& c) {
  const int x0 = kRightLeft;
  const int top = 2895, h = 870, w = 1605, step = w + 60;

  L.frame(c.Frame1, "Frame1", nullptr, x0, top, w, h, "Value Display");
  L.option(c.CompValue, "CompValue", -1, &c.Frame1, 90, 255, w - 150, "Component Values");
  c.CompValue.setFromUser(true);
  L.option(c.SensTrue, "SensTrue", -1, &c.Frame1, 90, 555, w - 150, "Sensitivities");

  L.frame(c.Frame6, "Frame6", nullptr, x0 + step, top, w, h, "Optional Entry");
  L.label(c.lblSeed, "lblSeed", &c.Frame6, 90, 255, w - 150, "Resistor (ohms)");
  L.box(c.Text12, "Text12", &c.Frame6, 90, 480, 1005, "10.00 k");

  L.frame(c.Frame8, "Frame8", nullptr, x0 + 2 * step, top, w, h, "Response Freq.");
  L.box(c.RespF, "RespF", &c.Frame8, 90, 255, 975, "1.00 k");
  L.label(c.Label9, "Label9", &c.Frame8, 1110, 300, 420, "Hz");
  L.check(c.Rad, "Rad", &c.Frame8, 90, 570, 1200, "Rad/s");

  L.frame(c.Frame5, "Frame5", nullptr, x0 + 3 * step, top, w, h, "Settings");
  L.label(c.lblSigDig, "lblSigDig", &c.Frame5, 90, 270, 720, "Digits");
  L.box(c.SigDig, "SigDig", &c.Frame5, 870, 225, 615, "4");
  L.label(c.lblDecades, "lblDecades", &c.Frame5, 90, 585, 720, "Decades");
  L.list(c.Decades, "Decades", &c.Frame5, 870, 540, 615,
         {"3", "4", "5", "6", "7", "8", "9", "10"}, 0);

  const int buttonTop = top + h + 90;
  L.button(c.ShowPartList, "ShowPartList", nullptr, x0, buttonTop, w, kButtonH,
           "Show Part List");
  L.button(c.PlotResponse, "PlotResponse", nullptr, x0 + step, buttonTop, w, kButtonH,
           "Plot Response");

  const int promptTop = buttonTop + kButtonH + 90;
  L.label(c.Prompt, "Prompt", -1, nullptr, x0, promptTop, kRightWidth, 8820 - promptTop,
          QString())
      .back(forms::kWhite)
      .tip("The prompt field provides context sensitive information.");
  c.Prompt.BorderStyle = 1;
  c.Prompt.WordWrap = true;
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
  for (const PictureArray& a : arrays)
    for (int i = 0; i < 5; ++i)
      L.image(a.images[i], a.name, i, kSlotLeft[i], pictureTop(i), kPictureWidth,
              kPictureHeight);

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
    L.image(r.image, r.name, -1, kRealLeft, kRow1Top, kRealWidth, kPictureHeight);

  // Stage titles and value labels. R1 and R4 keep these places on every picture; the
  // others are moved onto the picture shown.
  for (int i = 0; i < 5; ++i) {
    const int x = kSlotLeft[i], y = pictureTop(i);
    L.label(c.SecLabel[i], "SecLabel", i, nullptr, x + 60, y + kSecLabelOffset, 840, kLabelH,
            QStringLiteral("Section %1 ").arg(QChar('A' + i)))
        .font(kBoldFont)
        .hidden();
    struct ValueLabel {
      std::array<forms::Label, 5>& labels;
      const char* name;
      int dy, dx;
    };
    const ValueLabel values[] = {
        {c.R1, "R1", 330, 30},   {c.R2, "R2", 230, 550},    {c.R3, "R3", 1235, 250},
        {c.R4, "R4", 1050, 1500}, {c.R5, "R5", 900, 30},    {c.R6, "R6", 1325, 1325},
        {c.C1L, "C1L", 915, 220}, {c.C2L, "C2L", -175, 1100},
    };
    for (const ValueLabel& v : values) {
      L.label(v.labels[i], v.name, i, nullptr, x + v.dx, y + v.dy, 840, kLabelH, QString())
          .hidden();
      v.labels[i].BackStyle = 0;
    }
  }
  L.label(c.RealPlabel, "RealPlabel", nullptr, kRealLeft + 60, kRow1Top + kSecLabelOffset, 1500,
          "Real Pole Section ")
      .font(kBoldFont)
      .hidden();
  L.label(c.RealR, "RealR", nullptr, kRealLeft + 150, 4290, 840, QString()).hidden();
  L.label(c.RealC, "RealC", nullptr, kRealLeft + 600, 4950, 840, QString()).hidden();
  c.RealR.BackStyle = 0;
  c.RealC.BackStyle = 0;

  // Connectors. Within a row these short pieces join neighbouring pictures.
  L.hline(c.schLine[0], "schLine", 0, kSlotLeft[1] - 90, kSlotLeft[1] + 90, signalY(1));
  L.hline(c.schLine[2], "schLine", 2, kSlotLeft[3] - 90, kSlotLeft[3] + 90, signalY(3));
  L.hline(c.schLine[3], "schLine", 3, kSlotLeft[4] - 90, kSlotLeft[4] + 90, signalY(4));
  // Row change from stage B (right end of row 1) to stage C (left end of row 2): down the
  // right edge of B, back along the gap between the rows, down the left edge of C.
  const int bRight = kSlotLeft[1] + kPictureWidth, cLeft = kSlotLeft[2];
  L.vline(c.Line2, "Line2", -1, bRight, signalY(1), kGapY);
  L.hline(c.Line3, "Line3", -1, bRight, cLeft, kGapY);
  L.vline(c.schLine[1], "schLine", 1, cLeft, kGapY, signalY(2));
  // The band-pass and notch row changes use the same route, drawn in pieces.
  L.hline(c.schLine[4], "schLine", 4, bRight, kSlotLeft[4], kGapY);
  L.hline(c.schLine[5], "schLine", 5, kSlotLeft[4], kSlotLeft[3], kGapY);
  L.hline(c.schLine[6], "schLine", 6, kSlotLeft[3], cLeft, kGapY);
  L.vline(c.schLine[7], "schLine", 7, cLeft, kGapY, kGapY + 300);
  L.vline(c.schLine[8], "schLine", 8, bRight, kGapY - 300, kGapY);
  // Fully differential row change: the + wire as above, the - wire outside it.
  const int plusB = signalY(1) - 150, minusB = signalY(1) + 150;
  const int plusC = signalY(2) - 150, minusC = signalY(2) + 150;
  L.vline(c.FDAschLine[0], "FDAschLine", 0, bRight, plusB, kGapY);
  L.hline(c.FDAschLine[1], "FDAschLine", 1, bRight, cLeft, kGapY);
  L.vline(c.FDAschLine[2], "FDAschLine", 2, cLeft, kGapY, plusC);
  L.hline(c.FDAschLine[3], "FDAschLine", 3, bRight, bRight + 60, minusB);
  L.vline(c.FDAschLine[4], "FDAschLine", 4, bRight + 60, minusB, kGapY + 60);
  L.hline(c.FDAschLine[5], "FDAschLine", 5, bRight + 60, cLeft - 60, kGapY + 60);
  L.vline(c.FDAschLine[6], "FDAschLine", 6, cLeft - 60, kGapY + 60, minusC);
  L.hline(c.FDAschLine[7], "FDAschLine", 7, cLeft - 60, cLeft, minusC);

  // Entries of each stage under its picture: C1, C2, gain (the third capacitor box is
  // never in use and stays hidden).
  for (int i = 0; i < 5; ++i) {
    const int x = kSlotLeft[i], y = pictureTop(i) + kStripOffset;
    L.label(c.lblC1[i], "lblC1", i, nullptr, x, y + 45, 225, kLabelH, "C1", AlignRight);
    L.box(c.C1Entry[i], "C1Entry", i, nullptr, x + 240, y, 510);
    L.label(c.lblC2[i], "lblC2", i, nullptr, x + 795, y + 45, 225, kLabelH, "C2", AlignRight);
    L.box(c.C2Entry[i], "C2Entry", i, nullptr, x + 1035, y, 510);
    L.box(c.C3Entry[i], "C3Entry", i, nullptr, x + 1035, y + kBoxH + 15, 510).hidden().disabled();
    L.label(c.lblGainTB[i], "lblGainTB", i, nullptr, x + 1590, y + 45, 300, kLabelH, "Gain",
            AlignRight);
    L.box(c.GainTB[i], "GainTB", i, nullptr, x + 1905, y, 330);
  }
  const int realStrip = kRow1Top + kStripOffset;
  L.label(c.lblC1Real, "lblC1Real", nullptr, 1890, realStrip + 45, 225, "C1", AlignRight);
  L.box(c.C1RealEntry, "C1RealEntry", nullptr, 2130, realStrip, 510);
}

// ---- total view of a two-half design and the view buttons ----
void layOutWideBandViews(Layout& L, MainWindowControls& c) {
  // Summing stage of the band-reject drawing: input split on the left, the two halves'
  // outputs added on the right.
  L.image(c.BRinput, "BRinput", -1, 1710, 5445, 825, 1695);
  L.image(c.FDABRinput, "FDABRinput", -1, 1710, 5445, 825, 1695);
  L.image(c.SummingAmp, "SummingAmp", -1, 3930, 5445, 1830, 1695);
  L.image(c.FDASummingAmp, "FDASummingAmp", -1, 3930, 5445, 1830, 1695);
  L.label(c.FDAsummerR1, "FDAsummerR1", nullptr, 4080, 5490, 840, QString()).hidden();
  L.label(c.FDAsummerR2, "FDAsummerR2", nullptr, 4080, 6450, 840, QString()).hidden();
  c.FDAsummerR1.BackStyle = 0;
  c.FDAsummerR2.BackStyle = 0;

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
  L.button(c.ShowTotal, "ShowTotal", nullptr, 15, 3240, 780, 540, "Show Total Response")
      .hidden();
  L.button(c.HighPassView, "HighPassView", nullptr, 1800, 4470, 780, 540,
           "Show High-Pass Sections")
      .hidden();
  L.button(c.LowPassView, "LowPassView", nullptr, 2655, 4395, 780, 540, "Show Low-Pass Sections")
      .hidden();
}

// ---- simulation model, supply and simulator choice (below the schematic panel) ----
void layOutSimulation(Layout& L, MainWindowControls& c) {
  L.frame(c.XSpiceModelInfo, "XSpiceModelInfo", nullptr, kMargin, 7620, 6300, 1200,
          "Simulation Model");
  forms::Control* in = &c.XSpiceModelInfo;
  L.label(c.lblOpAmp, "lblOpAmp", in, 105, 300, 660, "Op Amp");
  L.list(c.OpAmpModel, "OpAmpModel", in, 780, 255, 2700, {"Ideal Op Amp"}, 0);
  L.label(c.lblVs, "lblVs", in, 3570, 300, 600, "Supply", AlignRight);
  L.box(c.Vs, "Vs", in, 4230, 270, 720, QStringLiteral("%1%2").arg(QChar(0x00B1)).arg(5));
  L.check(c.SScheck, "SScheck", in, 5070, 285, 1155, "Single Supply");
  L.label(c.lblVin, "lblVin", in, 105, 735, 660, "Input (V)");
  L.box(c.Vin, "Vin", in, 780, 705, 720, "1");
  L.label(c.lblSimulator, "lblSimulator", in, 1590, 735, 780, "Simulator", AlignRight);
  static const char* const kSimulator[3] = {"ASXS", "XSCL", "MQIM"};
  for (int i = 0; i < 3; ++i)
    L.option(c.XSver[i], "XSver", i, in, 2460 + i * 900, 720, 840, kSimulator[i]);
  c.XSver[2].setFromUser(true);

  L.button(c.RunSpice, "RunSpice", nullptr, 6480, 7695, 1350, kButtonH, "Test Spice");
  L.button(c.PlotChart, "PlotChart", nullptr, 6480, 8160, 1350, kButtonH, "Plot Chart");
}

// ---- values table: seen only while the window is enlarged ----
void layOutValuesTable(Layout& L, MainWindowControls& c) {
  const int top = kWindowHeight + 60, width = 9900;
  L.label(c.Label40, "Label40", -1, nullptr, kMargin, top, width, kLabelH,
          "Section       R1               R2               R3               C1               C2")
      .font(kTableFont);
  forms::TextBox* rows[5] = {&c.Text41, &c.Text42, &c.Text43, &c.Text44, &c.Text45};
  for (int r = 0; r < 5; ++r) {
    L.box(*rows[r], QStringLiteral("Text%1").arg(41 + r), nullptr, kMargin,
          top + 225 + r * 300, width)
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
  form.Caption = QStringLiteral("Marquenta Calverdon");
  form.Width = kWindowWidth;
  form.Height = kWindowHeight;
  form.BackColor = kWindowBackColor;

  Layout L{form};
  layOutEntryPanel(L, c);
  layOutSchematicPanel(L, c);
  layOutStageTable(L, c);
  layOutSettings(L, c);
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
