#pragma once
// The design state of the main window: every member that several parts of the program share,
// with its start value. The texts, list positions and check marks of the controls are the rest
// of the state (MainWindowControls).
//
// Section arrays run 0..20 and are used from index 1 (section 1 is the first section of the
// cascade); stage arrays follow the five stage rows of the window (0..4 = stages A..E) and
// element 5 where a total is kept.
#include <QChar>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/sections.h"
#include "forms/color.h"

namespace spice {
class SpiceEngine;
}

namespace mainwindow {

using SectionArray = engine::SectionArray;
using SectionFlags = std::array<int, 21>;
using StageTexts = std::array<QString, 6>;
using StageValues = std::array<float, 6>;
using SweepArray = std::array<double, 601>;

// The frequency boxes across a change of their unit ("Rad/s"): the texts the last toggle
// replaced and the ones it wrote (a toggle back restores boxes not edited in between), and the
// exact frequency in hertz each box stands for while it still shows what the toggle wrote, so
// that a change of unit alone never moves the design. Boxes: Text34, Text2, RespF.
struct FrequencyUnitMemory {
  bool valid = false;
  int checkedAfter = 0;  // the box's value the toggle converted to
  std::array<QString, 3> before, after;
  std::array<std::optional<double>, 3> hertz;
};

// A custom amplitude-axis limit: empty until the user enters one.
struct AxisLimit {
  bool set = false;
  float value = 0;
};

// What the window is doing: the busy flag, the half being computed, the answer to the last
// message.
struct PassControl {
  // update control and busy flag
  bool SuppressUpdate = false;  // while true no handler runs the recompute sequence
  bool DesignLoaded = false;    // a design file was read completely (and recomputed itself)
  int HighPassHalf = 0;         // 0 low-pass design or half, 1 high-pass
  bool BothHalvesDone = false;  // the combining pass of a two-half total view

  // message answer
  int MsgAnswer = 0;  // the button that closed the last message box
};

// The design as entered: the values the entry handlers store, and the entry and prompt state.
struct DesignEntries {
  // design inputs
  int PoleCount = 0;         // poles; stages for band-pass and notch designs
  float ScaleResistor = 0;   // ohms, sets the impedance level
  float RespFreq = 0;        // Hz of the response readout; 0 is taken as 1000
  float RippleDb = 0;        // pass-band ripple of the Chebychev response
  int ResponseCode = 0;      // 0 Butterworth .. 5 Gaussian 12dB, 7 Custom Fn&Q
  int BaseResponseCode = 0;  // last standard response chosen ("Custom Q" uses it)
  QString ResponseName;      // long name of the response, as in the design file
  int CircuitMode = 0;       // 1 Sallen-Key, 0 MFB
  int CapDivisor = 0;        // 2 for the fully differential MFB circuit, else 1
  int ValueDisplay = 0;      // stage labels show 0 component values, 2 sensitivities
  float CustomQScale = 0;    // scales the section Qs of a "Custom Q" design
  float CustomQProduct = 0;  // product of the section Qs before scaling
  int DisplayDigits = 0;     // significant digits of displayed values (3 once started)
  int StageCount = 0;        // band-pass or notch stages

  // entry and prompt
  int PromptTopic = 1;
  QString LastEntry;       // name of the entry box that last got the focus
  int PrevPoles = 0, PrevPolesHP = 0;
  int MinPoles = 0;
  QChar DecimalSep = QLatin1Char('.');
  QString LastPassband;
  QString LastResponse;  // the response the response list's handler last acted on
  QString DesignFile;
  bool ShowAboutSetting = true;
};

// The design as computed by the last display pass: sections, components, gains.
struct DesignResults {
  SectionArray PoleB0{}, PoleB1{};
  int SectionCount = 0;
  int SectionIndex = 0;
  int OddOrder = 0;       // -1 when PoleCount is odd
  int RealPoleShift = 0;  // 1 when the order is odd
  SectionArray SectionC1{}, SectionC2{};
  SectionArray C1Max{}, C2Min{};
  SectionArray EnteredC1{}, EnteredC2{};
  SectionFlags C1Edited{}, C2Edited{};
  SectionArray StageGainRef{};  // by stage: the gain a gain box change is measured from
  // The spacing box's text when it got the focus: left as it was, it spreads nothing.
  std::optional<QString> SpacingAtFocus;
  SectionArray SectionGain = [] {
    SectionArray a{};
    a[2] = 1.0f;
    return a;
  }();
  float StageGain = 0;
  float StageQ = 0;  // Q of the band-pass or notch stage being laid out or synthesised
  // Band-pass and notch stages as synthesised, by stage (0 = stage A): the resistors in the
  // places of the R1 .. R5 labels and, for the notch stage, BpC in the place of R6. Their
  // capacitors are SectionC1 and SectionC2.
  StageValues BpR1{}, BpR2{}, BpR3{}, BpR4{}, BpR5{}, BpC{};
  StageValues StageGainActual{};
  // The gain of each stage position as its gain readout (DCgain) shows it, rounded as shown;
  // empty where the readout is empty. The required gain-bandwidth and the passband gain use it.
  std::array<std::optional<double>, 6> ShownStageGain{};
  StageValues StageF0{};
  float TotalGainDb = 0;
  int CapSeriesSize = 0;

  // Per-pass work values of the stage readouts.
  SectionArray StageRespDb{}, StageWork{};
  StageValues StageQArray{};
};

// What each half of a wide band-pass or band-reject design keeps while the other is on screen.
struct TwoHalfState {
  StageTexts HighPassFnText, LowPassFnText;
  StageTexts QTextHP, QTextLP;
  StageTexts HighPassGainText, LowPassGainText;
  QString HighPassC1RealText, LowPassC1RealText;
  float HighPassGainDb = 0, LowPassGainDb = 0;
  SweepArray HighPassSweepGain{}, LowPassSweepGain{};
  SweepArray PhaseCopyA{}, PhaseCopyB{};  // phase in degrees of the high-pass, low-pass half
  StageValues HighPassStageGain{}, LowPassStageGain{};
  std::array<float, 7> HighPassRespGain{}, LowPassRespGain{};
  bool SwapNoticeShownWBP = false, SwapNoticeShownBR = false;
};

// The response graph: the computed sweep, the simulated plot points, the axes and limits.
struct GraphState {
  SweepArray SweepFreq{}, SweepGainDb{}, SweepPhase{};
  std::array<double, 301> PlotGain{};
  std::array<float, 302> PlotPhase{};
  std::array<double, 301> PlotGroupDelay{};
  float AxisDecades = 0;
  float PlotStartFreq = 0;
  float AxisRefFreq = 0;
  float GraphLeftX = 0;
  int GraphRightX = 0, GraphTopY = 0, GraphBottomY = 0;
  bool GainHeadroom = false;
  double FreqUnitFactor = 0;  // 1 for hertz, 2 pi for radians per second
  FrequencyUnitMemory FrequencyUnitKept;
  std::array<AxisLimit, 9> AmplLimits{};
  float DbPerDiv = 0;
  bool PlotResponseFocus = false;
};

// The last simulation run that succeeded, kept so that a display pass which would run exactly
// the same again takes its results instead: the engine that ran it, everything the run read
// (spice/runinputs.h) and the results as read back. No engine: no run is kept.
struct KeptRun {
  const spice::SpiceEngine* Engine = nullptr;
  QString Inputs;
  std::vector<std::vector<double>> Real, Imag;
  int Column = -1;
};

// The simulation of a band-pass or notch design: the netlist, the op-amp model and the results
// read back.
struct SimulationState {
  // ModelFirstLine(i): the library entry that starts the model of op-amp list entry i (0 for
  // the ideal op-amp).
  std::vector<int> ModelFirstLine{0};
  QString OpAmpSubckt, SupplyText, NetlistText;
  // The results of the last run read back: the values by point and vector (vector 0 the
  // frequency), and the vector of the design's output node (-1 when there is none).
  std::vector<std::vector<double>> SimReal, SimImag;  // point by output vector
  int SimColumn = -1;
  // True only when the last run and its read-back succeeded, so SimReal and SimImag hold the
  // response of the design the window shows.
  bool SimResultsReady = false;
  // The simulated plot: points 0..PlotPoints, point k at SweepFreq(k + 1), its gain in dB
  // (PlotGain), phase in degrees as drawn (SimPhase) and group delay in seconds
  // (PlotGroupDelay). SimPlotValid is true only while these hold the response of the last
  // simulation run, which succeeded.
  int PlotPoints = 0;
  std::array<double, 301> SimPhase{};
  double GroupDelayMax = 0;
  bool SimPlotValid = false;
  // The simulation fault told last, until a pass succeeds: the same fault is not told again.
  QString SimFaultTold;
  KeptRun LastRun;
};

// The values the dialogs share with the main window: the design frequency, the section the
// pole-pair dialog edits, the trace colours.
struct ModuleValues {
  float DesignCutoff = 0;    // design frequency in Hz
  int PoleEntrySection = 0;  // stage row the pole-pair dialog edits
  forms::VbColor GainTraceColor = forms::kGreen;
  forms::VbColor PhaseTraceColor = forms::kRed;
  forms::VbColor GroupDelayTraceColor = forms::kBlack;
};

// The whole design state. Each concern is a struct of its own, so a function that needs only
// one of them can say so by taking that struct; every member keeps its name on the window.
struct DesignState : PassControl,
                     DesignEntries,
                     DesignResults,
                     TwoHalfState,
                     GraphState,
                     SimulationState,
                     ModuleValues {};

}  // namespace mainwindow
