#include "spice/netlist.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

#include "engine/numbertext.h"

namespace spice {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kLetters = QStringLiteral("abcde");

// A netlist being built: every line ends with CR LF; `gap` lines are followed by an empty one.
// Cards whose value is not a component value are noted in `unusable`.
class Text {
 public:
  explicit Text(QStringList& unusable) : unusable_(unusable) {}
  void line(const QString& s) { text_ += s + kCrLf; }
  void gap(const QString& s) { text_ += s + kCrLf + kCrLf; }
  void block(const QString& lines) { text_ += lines; }
  QString take() { return std::move(text_); }

  // A card: its name and nodes ending in a blank, then the value in its netlist form.
  QString card(const QString& prefix, const QString& value) {
    const QString v = SpiceValue(value.trimmed());
    if (!IsComponentValue(v))
      unusable_ << prefix.section(QLatin1Char(' '), 0, 0) + QStringLiteral(" \"") + value.trimmed() +
                       QLatin1Char('"');
    return prefix + v;
  }
  QString capCard(const QString& prefix, const QString& value) {
    return card(prefix, value) + QStringLiteral(" IC=0");
  }

 private:
  QString text_;
  QStringList& unusable_;
};

QString node(int n) { return QStringLiteral("Node") + QString::number(n); }

void title(Text& t, const NetlistRequest& r, const QString& name) {
  t.gap(QStringLiteral("*** ") + r.Folder + QLatin1Char('/') + name);
}
void timeLine(Text& t, const NetlistRequest& r) {
  t.gap(QStringLiteral("*** Time ") + r.TimeText + QStringLiteral(" ***"));
}
void controlBlock(Text& t, const NetlistRequest& r) {
  t.gap(QStringLiteral("*** Spice Control Statements Start ***"));
  t.gap(AcLine(r.AxisDecades, r.PlotStartFreq, r.DecimalSep));
  t.gap(QStringLiteral("*** Spice Control Statements End ***"));
}
// The control block of a models file: temperature and operating point before the analysis.
void modelsControlBlock(Text& t, const NetlistRequest& r) {
  t.gap(QStringLiteral("*** Spice Control Statements Start ***"));
  t.line(QStringLiteral(".Options Temp = 27"));
  t.line(QStringLiteral(".op"));
  t.gap(AcLine(r.AxisDecades, r.PlotStartFreq, r.DecimalSep));
  t.gap(QStringLiteral("*** Spice Control Statements End ***"));
}
void netListStart(Text& t) { t.gap(QStringLiteral("*** Component Net List Start ***")); }
void netListEnd(Text& t) { t.gap(QStringLiteral("*** Component Net List End ***")); }
void endLine(Text& t) { t.gap(QStringLiteral(".END")); }
void controlTail(Text& t) {
  t.line(QStringLiteral(".control"));
  t.line(QStringLiteral("set filetype=ascii"));
  t.line(QStringLiteral(".endc"));
}
// The library and include blocks: the shipped include file, then the models file written
// beside the netlist. Paths are quoted, so folders with blanks are read whole.
void includeBlocks(Text& t, const NetlistRequest& r, const QString& shipped,
                   const QString& models) {
  t.gap(QStringLiteral("*** Spice Libary Statements Start ***"));
  t.gap(QStringLiteral("*** Spice Libary Statements End ***"));
  t.gap(QStringLiteral("*** Spice Include  Statements Start ***"));
  t.line(QStringLiteral(".INCLUDE \"") + r.IncludeFolder + QLatin1Char('/') + shipped +
         QLatin1Char('"'));
  t.gap(QStringLiteral(".INCLUDE \"") + r.Folder + QLatin1Char('/') + models + QLatin1Char('"'));
  t.gap(QStringLiteral("*** Spice Include  Statements End ***"));
}

void sources(Text& t, const NetlistRequest& r) {
  const QString supply = SpiceValue(r.Supply);
  t.line(QStringLiteral("V2 Node10 0 DC ") + supply + QStringLiteral(" DISTOF1 0 DISTOF2 0"));
  t.line(QStringLiteral("V1 Node20 0 DC -") + (r.SingleSupply ? QStringLiteral("0") : supply) +
         QStringLiteral(" DISTOF1 0 DISTOF2 0"));
  t.line(QStringLiteral("V3 Node90 0 DC 0 AC ") + SpiceValue(r.Vin) +
         QStringLiteral(" SIN 0 5 1K 0 0 DISTOF1 0 DISTOF2 0"));
}

// The op-amp model: the chosen library model's lines, or the ideal op-amp.
void modelBlock(Text& t, const NetlistRequest& r) {
  if (!r.ModelText) {
    t.block(IdealOpAmpText());
    return;
  }
  QString model = *r.ModelText;
  model.remove(QLatin1Char('\r'));
  QStringList lines = model.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  for (const QString& l : lines) t.line(l);
}

// ---- low-pass layout ----

// The nodes of the low-pass stage cards, by stage a..e: op-amp (follower and gain form), R3,
// R4, C1, C2, R1, R2.
struct LowPassNodes {
  const char* follower;
  const char* gain;
  const char *r3, *r4, *c1, *c2, *r1, *r2;
};
constexpr LowPassNodes kLowPassNodes[5] = {
    {"Xa Node250 Node290 Node10 Node20 Node290 ", "Xa Node250 Node260 Node10 Node20 Node290 ",
     "R3a Node260 0 ", "R4a Node290 Node260 ", "C1a 0 Node250 ", "C2a Node240 Node290 ",
     "R1a Node190 Node240 ", "R2a Node250 Node240 "},
    {"Xb Node350 Node390 Node10 Node20 Node390 ", "Xb Node350 Node360 Node10 Node20 Node390 ",
     "R3b Node360 0 ", "R4b Node390 Node360 ", "C1b 0 Node350 ", "C2b Node340 Node390 ",
     "R1b Node290 Node340 ", "R2b Node340 Node350 "},
    {"Xc Node450 Node490 Node10 Node20 Node490 ", "Xc Node450 Node460 Node10 Node20 Node490 ",
     "R3c Node460 0 ", "R4c Node490 Node460 ", "C1c 0 Node450 ", "C2c Node440 Node490 ",
     "R1c Node440 Node390 ", "R2c Node450 Node440 "},
    {"Xd Node550 Node590 Node10 Node20 Node590 ", "Xd Node550 Node560 Node10 Node20 Node590 ",
     "R3d Node560 0 ", "R4d Node590 Node560 ", "C1d 0 Node550 ", "C2d Node540 Node590 ",
     "R1d Node540 Node490 ", "R2d Node550 Node540 "},
    {"Xe Node650 Node690 Node10 Node20 Node690 ", "Xe Node650 Node660 Node10 Node20 Node690 ",
     "R3e Node660 0 ", "R4e Node690 Node660 ", "C1e 0 Node650 ", "C2e Node640 Node690 ",
     "R1e Node640 Node590 ", "R2e Node650 Node640 "},
};

bool oddOrder(const NetlistRequest& r) { return r.Count % 2 != 0; }
// Low-pass stage k (1..5) is written for more than 2k - 1 poles.
bool lowPassStageWritten(const NetlistRequest& r, int k) { return r.Count > 2 * k - 1; }
bool unityGain(const StageCaptions& s) { return s.R3.trimmed() == QLatin1String("0"); }

void lowPassCards(Text& t, const NetlistRequest& r) {
  if (oddOrder(r) && r.RealPoleUnbuffered && lowPassStageWritten(r, 1)) {
    // The RC drives stage a's input node directly.
    t.line(t.capCard(QStringLiteral("C1r 0 Node190 "), r.RealC));
    t.line(t.card(QStringLiteral("R1r Node90 Node190 "), r.RealR));
  } else if (oddOrder(r)) {
    t.line(QStringLiteral("Xr Node50 Node190 Node10 Node20 Node190 ") + kIdealSubckt);
    t.line(t.capCard(QStringLiteral("C1r 0 Node50 "), r.RealC));
    t.line(t.card(QStringLiteral("R1r Node90 Node50 "), r.RealR));
  }
  for (int k = 1; k <= 5 && lowPassStageWritten(r, k); ++k) {
    const StageCaptions& s = r.Stages[size_t(k - 1)];
    const LowPassNodes& n = kLowPassNodes[k - 1];
    const bool follower = unityGain(s);
    t.line(QLatin1String(follower ? n.follower : n.gain) + kIdealSubckt);
    if (!follower) {
      t.line(t.card(QLatin1String(n.r3), s.R3));
      t.line(t.card(QLatin1String(n.r4), s.R4));
    }
    t.line(t.capCard(QLatin1String(n.c1), s.C1));
    t.line(t.capCard(QLatin1String(n.c2), s.C2));
    t.line(t.card(QLatin1String(n.r1), s.R1));
    t.line(t.card(QLatin1String(n.r2), s.R2));
  }
}

void lowPassSaves(Text& t, const NetlistRequest& r) {
  if (oddOrder(r)) t.line(QStringLiteral(".SAVE @C1r[i] @C1r[p] @R1r[i] @R1r[p]"));
  for (int k = 1; k <= 5 && lowPassStageWritten(r, k); ++k) {
    const QChar x = kLetters[k - 1];
    QString s = QStringLiteral(".SAVE @C1%1[i] @C1%1[p] @C2%1[i] @C2%1[p] @R1%1[i] @R1%1[p] "
                               "@R2%1[i] @R2%1[p] ")
                    .arg(x);
    if (!unityGain(r.Stages[size_t(k - 1)]))
      s += QStringLiteral("@R3%1[i] @R3%1[p] @R4%1[i] @R4%1[p]").arg(x);
    if (k == 5)
      t.gap(s);
    else
      t.line(s);
  }
}

std::vector<NetlistFile> lowPass(const NetlistRequest& r, QStringList& unusable) {
  Text t(unusable);
  title(t, r, kLowPassNetlist);
  timeLine(t, r);
  netListStart(t);
  t.line(QStringLiteral("V3 ") + (oddOrder(r) ? QStringLiteral("Node90") : QStringLiteral("Node190")) +
         QStringLiteral(" 0 DC 0 AC 1 SIN 0 100m 100K 0 0 DISTOF1 1 DISTOF2 1"));
  t.line(QStringLiteral("V10 Node20 0 DC -10 DISTOF1 0 DISTOF2 0"));
  t.line(QStringLiteral("V1 Node10 0 DC 10 DISTOF1 0 DISTOF2 0"));
  lowPassCards(t, r);
  netListEnd(t);
  includeBlocks(t, r, kLowPassInclude, kLowPassModels);
  t.line(QStringLiteral(".SAVE all"));
  lowPassSaves(t, r);
  endLine(t);
  controlTail(t);
  const QString netlist = t.take();

  title(t, r, QStringLiteral("CVcirTestModels.lib"));
  timeLine(t, r);
  modelsControlBlock(t, r);
  t.block(IdealOpAmpText());
  return {{kLowPassNetlist, netlist}, {kLowPassModels, t.take()}};
}

// ---- band-pass and notch layouts ----

// Band-pass and notch stage k (1..5) is written for more than k - 1 stages; its input is the
// source for stage a, else the output of the stage before.
QString stageInput(int k) { return k == 1 ? node(90) : node(100 * k - 10); }
bool dividerForm(const StageCaptions& s) { return s.R4.trimmed() != QLatin1String("0"); }

void bandPassCards(Text& t, const NetlistRequest& r) {
  for (int k = 1; k <= 5 && r.Count > k - 1; ++k) {
    const StageCaptions& s = r.Stages[size_t(k - 1)];
    const QChar x = kLetters[k - 1];
    const int h = 100 * k;
    const QString in = stageInput(k);
    auto name = [x](const char* c) { return QLatin1String(c) + x + QLatin1Char(' '); };
    t.line(name("X1") + QStringLiteral("0 ") + node(h + 50) + QStringLiteral(" Node10 Node20 ") +
           node(h + 90) + QLatin1Char(' ') + r.OpAmpSubckt);
    t.line(t.card(name("R2") + node(h + 90) + QLatin1Char(' ') + node(h + 50) + QLatin1Char(' '), s.R2));
    t.line(t.card(name("R3") + QStringLiteral("0 ") + node(h + 40) + QLatin1Char(' '), s.R3));
    if (dividerForm(s)) {
      t.line(t.card(name("R4") + node(h + 30) + QLatin1Char(' ') + in + QLatin1Char(' '), s.R4));
      t.line(t.card(name("R5") + QStringLiteral("0 ") + node(h + 30) + QLatin1Char(' '), s.R5));
      t.line(t.card(name("R1") + node(h + 40) + QLatin1Char(' ') + node(h + 30) + QLatin1Char(' '), s.R1));
    } else {
      t.line(t.card(name("R1") + node(h + 40) + QLatin1Char(' ') + in + QLatin1Char(' '), s.R1));
    }
    t.line(t.capCard(name("C1") + node(h + 40) + QLatin1Char(' ') + node(h + 90) + QLatin1Char(' '), s.C1));
    t.line(t.capCard(name("C2") + node(h + 40) + QLatin1Char(' ') + node(h + 50) + QLatin1Char(' '), s.C2));
  }
}

void bandPassSaves(Text& t, const NetlistRequest& r) {
  for (int k = 1; k <= 5 && r.Count > k - 1; ++k) {
    const QChar x = kLetters[k - 1];
    t.line(QStringLiteral(".SAVE @R1%1[i] @R1%1[p] @R2%1[i] @R2%1[p] @R3%1[i] @R3%1[p]").arg(x));
    t.line(QStringLiteral(".SAVE @C1%1[i] @C1%1[p] @C2%1[i] @C2%1[p]").arg(x));
    if (dividerForm(r.Stages[size_t(k - 1)]))
      t.line(QStringLiteral(".SAVE @R4%1[i] @R4%1[p] @R5%1[i] @R5%1[p]").arg(x));
  }
}

void notchCards(Text& t, const NetlistRequest& r) {
  for (int k = 1; k <= 5 && r.Count > k - 1; ++k) {
    const StageCaptions& s = r.Stages[size_t(k - 1)];
    const QChar x = kLetters[k - 1];
    const int h = 100 * k;
    const QString in = stageInput(k);
    auto name = [x](const char* c) { return QLatin1String(c) + x + QLatin1Char(' '); };
    auto nodes = [](const QString& a, const QString& b) { return a + QLatin1Char(' ') + b + QLatin1Char(' '); };
    t.line(name("X1") + node(h + 50) + QLatin1Char(' ') + node(h + 70) +
           QStringLiteral(" Node10 Node20 ") + node(h + 90) + QLatin1Char(' ') + r.OpAmpSubckt);
    t.line(name("X2") + node(h + 80) + QLatin1Char(' ') + node(h + 70) +
           QStringLiteral(" Node10 Node20 ") + node(h + 60) + QLatin1Char(' ') + r.OpAmpSubckt);
    t.line(t.card(name("R1") + nodes(node(h + 50), in), s.R1));
    t.line(t.card(name("R2") + nodes(QStringLiteral("0"), node(h + 50)), s.R2));
    t.line(t.card(name("R3") + nodes(node(h + 60), node(h + 50)), s.R3));
    t.line(t.card(name("R4") + nodes(node(h + 90), node(h + 70)), s.R4));
    t.line(t.card(name("R5") + nodes(node(h + 80), node(h + 90)), s.R5));
    t.line(t.card(name("R6") + nodes(in, node(h + 80)), s.R6));
    t.line(t.capCard(name("C1") + nodes(in, node(h + 50)), s.C1));
    t.line(t.capCard(name("C2") + nodes(node(h + 60), node(h + 70)), s.C2));
  }
}

std::vector<NetlistFile> bandPassTwoFile(const NetlistRequest& r, QStringList& unusable) {
  Text t(unusable);
  title(t, r, QStringLiteral("BandPass.cir"));
  timeLine(t, r);
  netListStart(t);
  sources(t, r);
  bandPassCards(t, r);
  netListEnd(t);
  includeBlocks(t, r, kBandPassInclude, kBandPassModels);
  t.line(QStringLiteral(".SAVE all"));
  t.line(QStringLiteral(".SAVE @V1[i] @V1[p] @V2[i] @V2[p] @V3[i] @V3[p]"));
  bandPassSaves(t, r);
  endLine(t);
  controlTail(t);
  const QString netlist = t.take();

  title(t, r, QStringLiteral("CVcirTestModels.lib"));
  timeLine(t, r);
  modelsControlBlock(t, r);
  modelBlock(t, r);
  return {{kBandPassNetlist, netlist}, {kBandPassModels, t.take()}};
}

std::vector<NetlistFile> bandPassOneFile(const NetlistRequest& r, QStringList& unusable) {
  Text t(unusable);
  title(t, r, QStringLiteral("BandPass.cir"));
  timeLine(t, r);
  controlBlock(t, r);
  netListStart(t);
  sources(t, r);
  bandPassCards(t, r);
  netListEnd(t);
  endLine(t);
  modelBlock(t, r);
  return {{kBandPassOneFile, t.take()}};
}

std::vector<NetlistFile> notch(const NetlistRequest& r, QStringList& unusable) {
  Text t(unusable);
  title(t, r, kNotchNetlist);
  timeLine(t, r);
  controlBlock(t, r);
  netListStart(t);
  sources(t, r);
  notchCards(t, r);
  netListEnd(t);
  endLine(t);
  t.gap(QStringLiteral("*** Spice Control Statements Start ***"));
  modelBlock(t, r);
  return {{kNotchNetlist, t.take()}};
}

}  // namespace

NetlistBuild BuildNetlists(const NetlistRequest& r) {
  NetlistBuild b;
  switch (r.Layout) {
    case NetlistLayout::LowPass: b.Files = lowPass(r, b.UnusableValues); break;
    case NetlistLayout::BandPassTwoFile: b.Files = bandPassTwoFile(r, b.UnusableValues); break;
    case NetlistLayout::BandPassOneFile: b.Files = bandPassOneFile(r, b.UnusableValues); break;
    case NetlistLayout::Notch: b.Files = notch(r, b.UnusableValues); break;
  }
  return b;
}

QString SpiceValue(const QString& text) {
  QString s = text;
  s.replace(QLatin1Char(','), QLatin1Char('.'));
  s.replace(QChar(0x00B5), QLatin1Char('u'));  // micro sign
  s.replace(QChar(0x03BC), QLatin1Char('u'));  // Greek mu
  if (s.endsWith(QLatin1Char('M'))) s += QStringLiteral("eg");
  return s;
}

bool IsSpiceNumber(const QString& netlistValue) {
  static const QRegularExpression number(QStringLiteral(
      "^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?(Meg|[fpnumkgGT])?$"));
  return number.match(netlistValue).hasMatch();
}

bool IsComponentValue(const QString& netlistValue) {
  if (!IsSpiceNumber(netlistValue) || netlistValue.startsWith(QLatin1Char('-'))) return false;
  // Above zero: some digit other than 0 before the exponent.
  for (const QChar c : netlistValue) {
    if (c == QLatin1Char('e') || c == QLatin1Char('E') || c.isLetter()) break;
    if (c.isDigit() && c != QLatin1Char('0')) return true;
  }
  return false;
}

QString AcLine(float decades, float startFreq, QChar decimalSep) {
  const float points = decades > 0 ? std::floor(300.0f / decades) : 0.0f;
  const double end = double(startFreq) * std::pow(10.0, double(decades));
  return QStringLiteral(".AC DEC ") + SpiceValue(engine::SingleText(points, decimalSep)) +
         QLatin1Char(' ') + SpiceValue(engine::SingleText(startFreq, decimalSep)) +
         QLatin1Char(' ') + SpiceValue(engine::DoubleText(end, decimalSep));
}

QByteArray FramedNetlistFile(const QString& text) {
  return (QLatin1Char('"') + text + QLatin1Char('"') + kCrLf).toLatin1();
}

QString IdealOpAmpText() {
  static const char* const kLines[] = {
      ".SUBCKT IDEAL_OPAMP_XN _ssi_pin0_1 _ssi_pin1_2 _ssi_pin2_7 _ssi_pin3_8 _ssi_pin4_3",
      "Vos 4 1 DC 0V",
      "V_ssi_pin4 _ssi_pin4_3  3 0",
      "V_ssi_pin3 _ssi_pin3_8  8 0",
      "V_ssi_pin2 _ssi_pin2_7  7 0",
      "V_ssi_pin1 _ssi_pin1_2  2 0",
      "V_ssi_pin0 _ssi_pin0_1  1 0",
      "Ib1 4 0 0A",
      "Ib2 2 0 0A",
      "G1 0 5 4 2 0.1",
      "G2 0 6 5 0 100",
      "G3 0 3 6 0 100",
      "Ri 4 2 1e+099ohm",
      "R1 5 0 1000ohm",
      "R2 6 0 1ohm",
      "R3 3 0 1ohm",
      "R4 7 8 100meg",
      ".ENDS",
  };
  QString text;
  for (const char* l : kLines) text += QLatin1String(l) + kCrLf;
  return text;
}

}  // namespace spice
