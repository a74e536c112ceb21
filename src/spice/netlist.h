#pragma once
// SPICE netlists of the designs the window shows: four layouts, each built line by line from
// the component values of the schematic labels, exactly as the simulator reads them.
//
// Every line ends with CR LF. The builder takes texts and numbers only; the caller gathers them
// from the window, checks them (CheckNetlistValue) and writes the files (FramedNetlistFile).
#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace spice {

// The netlist layouts: Sallen-Key low-pass stages with a buffered real pole first for an odd
// order (always with the ideal op-amp); multiple-feedback band-pass stages, either with the
// control statements and op-amp model in a second file or all in one file; two-amplifier
// notch stages.
enum class NetlistLayout { LowPass, BandPassTwoFile, BandPassOneFile, Notch };

// File names of the netlists, in the per-user data folder.
inline const QString kLowPassNetlist = QStringLiteral("10pSK.cir");
inline const QString kLowPassModels = QStringLiteral("10pSKModels.lib");
inline const QString kBandPassNetlist = QStringLiteral("bandpass.cir");
inline const QString kBandPassModels = QStringLiteral("BandPassModels.lib");
inline const QString kBandPassOneFile = QStringLiteral("Model.cir");
inline const QString kNotchNetlist = QStringLiteral("notch.cir");
// Include files shipped beside the program; the netlists include them, nothing writes them.
inline const QString kLowPassInclude = QStringLiteral("10pSK.lib");
inline const QString kBandPassInclude = QStringLiteral("bandpass.lib");
// The name of the ideal op-amp's subcircuit.
inline const QString kIdealSubckt = QStringLiteral("IDEAL_OPAMP_XN");

// The value texts of one stage, as its labels show them. Low-pass stages use R1..R4, C1, C2
// (R3 "0" for a unity-gain stage); band-pass stages R1..R5, C1, C2 (R4 "0" when the input goes
// straight to R1); notch stages R1..R6, C1, C2.
struct StageCaptions {
  // A caption not given is empty: a stage names only the parts its layout has.
  QString R1{}, R2{}, R3{}, R4{}, R5{}, R6{}, C1{}, C2{};
};

struct NetlistRequest {
  NetlistLayout Layout = NetlistLayout::LowPass;
  QString Folder;         // where the netlists are written (no trailing separator)
  QString IncludeFolder;  // where the shipped include files are (no trailing separator)
  QString TimeText;       // the moment of writing, as the "*** Time" line shows it
  // The frequency window of the analysis: AxisDecades decades from PlotStartFreq hertz, with
  // Int(300 / AxisDecades) points per decade.
  float AxisDecades = 3;
  float PlotStartFreq = 10;
  QChar DecimalSep = QLatin1Char('.');
  // Poles of a low-pass design; stages (1..5) of a band-pass or notch design.
  int Count = 0;
  std::array<StageCaptions, 5> Stages{};
  QString RealR, RealC;   // the real-pole section of an odd low-pass order
  // "Use 3 pole section": the real pole is an RC without amplifier feeding stage a.
  bool RealPoleUnbuffered = false;
  QString Supply;         // the supply magnitude, "5" for +/-5 V
  bool SingleSupply = false;
  QString Vin;            // the source's AC amplitude, as typed
  QString OpAmpSubckt = kIdealSubckt;  // the subcircuit on every band-pass and notch op-amp card
  // The op-amp model block of the band-pass and notch layouts: the chosen library model's text
  // (lines ended by "\n" or CR LF), or nothing for the ideal op-amp's subcircuit.
  std::optional<QString> ModelText;
};

struct NetlistFile {
  QString Name;  // file name in Folder
  QString Text;  // the netlist as built, CR LF line ends
};

struct NetlistBuild {
  std::vector<NetlistFile> Files;  // the layout's files in the order they are written
  // Cards whose value text is not a component value, as card name and text ("R1a \"--\"");
  // a netlist with any of these must not be written.
  QStringList UnusableValues;
};

NetlistBuild BuildNetlists(const NetlistRequest& r);

// The netlist form of a value text: "," becomes ".", "µ" becomes "u" (SPICE knows no "µ"), and
// a final "M" gets "eg" (SPICE reads "M" as milli): "1.00M" -> "1.00Meg", "2,20k" -> "2.20k".
QString SpiceValue(const QString& text);

// True when a value text, in its netlist form, is a number SPICE reads as the value shown:
// digits with an optional sign and decimal point, an optional exponent, and at most one
// engineering suffix letter (f p n u m k Meg g G T). Component values must also be above zero.
bool IsSpiceNumber(const QString& netlistValue);
// A SPICE number above zero: what a component card needs.
bool IsComponentValue(const QString& netlistValue);

// The ".AC DEC N F1 F2" line of a frequency window: N = Int(300 / decades) points per decade
// from the start frequency to decades decades above it.
QString AcLine(float decades, float startFreq, QChar decimalSep);

// A netlist file as it is stored: a double quote, the text, a closing double quote and CR LF,
// in Latin-1.
QByteArray FramedNetlistFile(const QString& text);

// The lines of the ideal op-amp's subcircuit (open-loop gain 10^6), CR LF ended.
QString IdealOpAmpText();

}  // namespace spice
