#pragma once
// Every control of the main window, under the name the program's logic addresses it by.
// Control arrays follow the stage rows and stage pictures of the window: element 0..4 is
// stage A..E (for the readouts, display position 0..4); where a row also has a total,
// element 5 holds it.
#include <array>

#include "forms/controls.h"

namespace mainwindow {

struct MainWindowControls {
  // ---- design choice lists ----
  forms::ComboBox Passband;       // in Frame7 "Passband"
  forms::ComboBox TypeFilter;     // editable: "Custom Q" may be typed
  forms::ComboBox CircuitType;    // in Frame2 "Circuit Type"
  forms::ComboBox ResistorList;   // in Frame3 "Components"
  forms::ComboBox CapacitorList;  // in Frame3 "Components"
  forms::ComboBox OpAmpModel;     // simulation model, in XSpiceModelInfo
  forms::ComboBox Decades;        // decades of the frequency axis, in Frame5 "Settings"

  // ---- entry boxes ----
  forms::TextBox Text18;       // poles of the design or of the low-pass half
  forms::TextBox Text1;        // poles of the high-pass half
  forms::TextBox Text34;       // cutoff, centre or low-pass edge frequency
  forms::TextBox Text2;        // high-pass edge frequency
  forms::TextBox Text19;       // pass-band ripple (Chebychev)
  forms::TextBox Text12;       // resistor seed
  forms::TextBox Text3;        // Q of band-pass and notch stages
  forms::TextBox SpacF;        // spacing of band-pass and notch stage frequencies
  forms::TextBox Qtotal;       // total Q (product of the section Qs; "Custom Q" entry)
  forms::TextBox C1RealEntry;  // capacitor of the real-pole section
  forms::TextBox RespF;        // response-readout frequency (also the graph cursor)
  forms::TextBox SigDig;       // significant digits
  forms::TextBox Vs;           // supply voltage of the simulation
  forms::TextBox Vin;          // source amplitude of the simulation
  std::array<forms::TextBox, 5> GainTB;   // gain of stage A..E
  std::array<forms::TextBox, 5> C1Entry;  // C1 of stage A..E
  std::array<forms::TextBox, 5> C2Entry;  // C2 of stage A..E
  std::array<forms::TextBox, 5> C3Entry;  // third capacitor of a stage (never enabled)
  std::array<forms::TextBox, 5> FnInput;  // section frequency entries, by display position
  std::array<forms::TextBox, 5> QInput;   // section Q entries, by display position

  // ---- graph limits (hidden until used) ----
  forms::TextBox TopAmp, BotAmp;  // custom top and bottom of the gain axis
  forms::TextBox StartF, EndF;    // custom start and end of the frequency window

  // ---- values table (shown when the window is enlarged) ----
  forms::Label Label40;  // header
  forms::TextBox Text41, Text42, Text43, Text44, Text45;
  // The table row box TextNN for NN = 41..45, nullptr otherwise.
  forms::TextBox* ValuesTableRow(int n) {
    switch (n) {
      case 41: return &Text41;
      case 42: return &Text42;
      case 43: return &Text43;
      case 44: return &Text44;
      case 45: return &Text45;
      default: return nullptr;
    }
  }

  // ---- stage readouts, by display position (element 5 is the total where there is one) ----
  std::array<forms::Label, 6> PhaseF;
  std::array<forms::Label, 6> GainF;
  std::array<forms::Label, 6> DCgain;
  std::array<forms::Label, 5> FSFreq;
  std::array<forms::Label, 5> Qdisp;
  std::array<forms::Label, 5> GBPreq;

  // ---- labels addressed by the logic ----
  forms::Label Label2, Label3, Label4, Label5, Label6;  // stage letters of the readout rows
  forms::Label Label8;                   // graph title ("Filter description")
  forms::Label Label9;                   // unit of RespF
  forms::Label Label26;                  // unit of Text34
  forms::Label Label47;                  // unit of Text2
  forms::Label Label35;                  // "Response at ..." heading of the readouts
  forms::Label Label17;                  // note on the phase response
  forms::Label Label18;                  // "Cutoff Freq." / "Center Freq."
  forms::Label Prompt;                   // context prompt field

  // ---- captions that only label other controls ----
  forms::Label lblPoles, lblHPPoles, lblHPCutoff, lblSpacing, lblSpacingUnit, lblBandQ;
  forms::Label lblRipple, lblRippleUnit;
  forms::Label lblResistors, lblCapacitors;
  forms::Label lblSeed;
  forms::Label lblSigDig, lblDecades;
  forms::Label lblOpAmp, lblVs, lblVin, lblSimulator;
  forms::Label lblStage, lblFn, lblQ, lblGain, lblGBP, lblRespGain, lblRespPhase, lblTotal;
  std::array<forms::Label, 5> lblC1, lblC2, lblGainTB;  // under each stage picture
  forms::Label lblC1Real;

  // ---- frames ----
  forms::Frame Frame7;           // "Passband"
  forms::Frame FilterTypeFrame;  // "Filter Type"
  forms::Frame LPFrame;          // "Low-Pass" (also "Band-Pass", "Notch")
  forms::Frame HPFrame;          // "High-Pass"
  forms::Frame Frame2;           // "Circuit Type"
  forms::Frame Frame3;           // "Components"
  forms::Frame Frame1;           // "Value Display"
  forms::Frame Frame6;           // "Optional Entry"
  forms::Frame Frame8;           // response frequency
  forms::Frame Frame5;           // "Settings"
  forms::Frame Frame4;           // section Fn and Q: readouts, and the entries over them
  forms::Frame XSpiceModelInfo;  // simulation model and supply

  // ---- options, check boxes, buttons ----
  forms::OptionButton CompValue, SensTrue;  // in Frame1
  std::array<forms::OptionButton, 3> XSver;  // simulator choice
  forms::CheckBox Rad;      // "Rad/s"
  forms::CheckBox SScheck;  // "Single Supply"
  forms::CommandButton LowPassViewT, HighPassViewT;  // the two halves in the total view
  forms::CommandButton LowPassView, HighPassView;    // switch between the two section views
  forms::CommandButton ShowTotal;                    // back to the total view
  forms::CommandButton PlotResponse;
  forms::CommandButton RunSpice;  // "Test Spice"
  forms::CommandButton PlotChart;
  forms::CommandButton ShowPartList;

  // ---- graph ----
  forms::PictureBox Graph;
  forms::Image Form1;  // outline laid over the graph; its Left/Top offset the window drawing
  forms::Line Cursor;  // response-frequency cursor, inside Graph
  std::array<forms::Label, 4> Gfreq;       // frequency legend: 0 start .. 3 end
  std::array<forms::Label, 9> Ampl;        // gain axis: 0 top .. 8 bottom
  std::array<forms::Label, 9> GroupDelay;  // group-delay axis: 0 top .. 8 bottom

  // ---- schematic panel: stage pictures (by stage A..E) ----
  std::array<forms::Image, 5> SK, SKg1, SKhp, SKg1HP;  // Sallen-Key
  std::array<forms::Image, 5> MFBsch, MFBschHP;       // MFB single-ended
  std::array<forms::Image, 5> FDAsch, FDAschHP;       // MFB fully differential
  std::array<forms::Image, 5> MFBbpwres, MFBbpnores;  // band-pass with / without R4, R5
  std::array<forms::Image, 5> Fleige;                 // notch
  // Real-pole section pictures.
  forms::Image RealPole, RealHP, RealNoAmp, RealNoAmpHP;
  forms::Image FDA1p, FDARealHP, FDARealNoAmpLP, FDARealNoAmpHP;
  // Band-reject input and summing stage of the total view.
  forms::Image SummingAmp, FDASummingAmp, BRinput, FDABRinput;

  // ---- schematic panel: value labels ----
  std::array<forms::Label, 5> R1, R2, R3, R4, R5, R6, C1L, C2L;
  std::array<forms::Label, 5> SecLabel;  // "Section A " .. "Section E "
  forms::Label RealR, RealC, RealPlabel;
  forms::Label FDAsummerR1, FDAsummerR2, FDAsummerR3;  // summing resistors, feedback

  // ---- schematic panel: connectors ----
  std::array<forms::Line, 9> schLine;     // single-ended stage connectors
  std::array<forms::Line, 8> FDAschLine;  // fully differential row change
  forms::Line Line2, Line3;                 // from the first picture row to the second
  forms::Line Line4, Line5, Line6, Line7, Line8, Line9;  // total view of a two-half design

  // ---- menus ----
  forms::MenuItem mnuFile, mnuFileNew, mnuFileOpen, mnuFileSave, mnuFileSaveAs, mnuFileSep1,
      Print, SaveChartData, Export, mnuFileSep2, exitmnu;
  forms::MenuItem mnuOptions, AutoSwapHPandLP, ThreePole, UseSpice, mnuOptionsSep1, SADmnu;
  forms::MenuItem mnuView, ShowGainTrace, ShowPhaseTrace, ShowGDTrace, Hide360PhaseHop,
      mnuViewSep1, ConfigGraph, ShowValuesTable;
  forms::MenuItem mnuHelp, HelpCont, mnuHelpSep1, FormLoad, NewScreen;
};

}  // namespace mainwindow
