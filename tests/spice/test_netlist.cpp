// The netlists of the four layouts, line by line against netlists typed out here, and the
// value and number texts they are made of.
#include <gtest/gtest.h>

#include <QStringList>

#include "spice/netlist.h"

namespace {

using spice::NetlistLayout;
using spice::NetlistRequest;

QStringList linesOf(const QString& text) {
  EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
  QStringList lines = text.split(QStringLiteral("\r\n"));
  lines.removeLast();  // after the last CR LF
  for (const QString& l : lines) EXPECT_FALSE(l.contains(QLatin1Char('\n'))) << l.toStdString();
  return lines;
}

void expectLines(const QString& text, const QStringList& expected) {
  const QStringList lines = linesOf(text);
  for (qsizetype i = 0; i < std::max(lines.size(), expected.size()); ++i)
    EXPECT_EQ(lines.value(i).toStdString(), expected.value(i).toStdString()) << "line " << i + 1;
}

NetlistRequest request(NetlistLayout layout, int count) {
  NetlistRequest r;
  r.Layout = layout;
  r.Folder = QStringLiteral("/home/eng/data");
  r.IncludeFolder = QStringLiteral("/opt/cv");
  r.TimeText = QStringLiteral("12/10/2026 8:15 PM");
  r.AxisDecades = 3;
  r.PlotStartFreq = 10;
  r.Count = count;
  r.Supply = QStringLiteral("5");
  r.Vin = QStringLiteral("1");
  return r;
}

const QStringList kIdeal = {
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

TEST(Netlist, LowPassOfFivePolesHasTheRealPoleAndTwoStages) {
  NetlistRequest r = request(NetlistLayout::LowPass, 5);
  r.RealR = QStringLiteral("15,9k   ");  // labels carry their unit blanks, and "," in some locales
  r.RealC = QStringLiteral("10,0n  ");
  r.Stages[0] = {.R1 = "11.0k", .R2 = "22.1k", .R3 = "0", .C1 = "4.70n", .C2 = "10.0n"};
  r.Stages[1] = {.R1 = "12.1k", .R2 = "12.1k", .R3 = "10.0k", .R4 = "1.00M", .C1 = "1.00n",
                 .C2 = "2.20µ"};
  const spice::NetlistBuild b = spice::BuildNetlists(r);
  EXPECT_TRUE(b.UnusableValues.isEmpty()) << b.UnusableValues.join(", ").toStdString();
  ASSERT_EQ(b.Files.size(), 2u);
  EXPECT_EQ(b.Files[0].Name, "10pSK.cir");
  EXPECT_EQ(b.Files[1].Name, "10pSKModels.lib");
  expectLines(b.Files[0].Text,
              {"*** /home/eng/data/10pSK.cir", "", "*** Time 12/10/2026 8:15 PM ***", "",
               "*** Component Net List Start ***", "",
               "V3 Node90 0 DC 0 AC 1 SIN 0 100m 100K 0 0 DISTOF1 1 DISTOF2 1",
               "V10 Node20 0 DC -10 DISTOF1 0 DISTOF2 0",
               "V1 Node10 0 DC 10 DISTOF1 0 DISTOF2 0",
               "Xr Node50 Node190 Node10 Node20 Node190 IDEAL_OPAMP_XN",
               "C1r 0 Node50 10.0n IC=0",
               "R1r Node90 Node50 15.9k",
               "Xa Node250 Node290 Node10 Node20 Node290 IDEAL_OPAMP_XN",
               "C1a 0 Node250 4.70n IC=0",
               "C2a Node240 Node290 10.0n IC=0",
               "R1a Node190 Node240 11.0k",
               "R2a Node250 Node240 22.1k",
               "Xb Node350 Node360 Node10 Node20 Node390 IDEAL_OPAMP_XN",
               "R3b Node360 0 10.0k",
               "R4b Node390 Node360 1.00Meg",
               "C1b 0 Node350 1.00n IC=0",
               "C2b Node340 Node390 2.20u IC=0",
               "R1b Node290 Node340 12.1k",
               "R2b Node340 Node350 12.1k",
               "*** Component Net List End ***", "",
               "*** Spice Libary Statements Start ***", "",
               "*** Spice Libary Statements End ***", "",
               "*** Spice Include  Statements Start ***", "",
               ".INCLUDE \"/opt/cv/10pSK.lib\"",
               ".INCLUDE \"/home/eng/data/10pSKModels.lib\"", "",
               "*** Spice Include  Statements End ***", "",
               ".SAVE all",
               ".SAVE @C1r[i] @C1r[p] @R1r[i] @R1r[p]",
               ".SAVE @C1a[i] @C1a[p] @C2a[i] @C2a[p] @R1a[i] @R1a[p] @R2a[i] @R2a[p] ",
               ".SAVE @C1b[i] @C1b[p] @C2b[i] @C2b[p] @R1b[i] @R1b[p] @R2b[i] @R2b[p] "
               "@R3b[i] @R3b[p] @R4b[i] @R4b[p]",
               ".END", "",
               ".control", "set filetype=ascii", ".endc"});
  QStringList models = {"*** /home/eng/data/CVcirTestModels.lib", "",
                        "*** Time 12/10/2026 8:15 PM ***", "",
                        "*** Spice Control Statements Start ***", "",
                        ".Options Temp = 27", ".op", ".AC DEC 100 10 10000", "",
                        "*** Spice Control Statements End ***", ""};
  expectLines(b.Files[1].Text, models + kIdeal);
}

TEST(Netlist, LowPassOfFourPolesDrivesNode190AndOfOnePoleHasTheRealPoleAlone) {
  NetlistRequest r = request(NetlistLayout::LowPass, 4);
  for (int i = 0; i < 2; ++i) r.Stages[size_t(i)] = {.R1 = "1k", .R2 = "1k", .R3 = "0", .C1 = "1n", .C2 = "1n"};
  QStringList lines = linesOf(spice::BuildNetlists(r).Files[0].Text);
  EXPECT_TRUE(lines.contains("V3 Node190 0 DC 0 AC 1 SIN 0 100m 100K 0 0 DISTOF1 1 DISTOF2 1"));
  EXPECT_FALSE(lines.join("\n").contains("Xr ")) << "no real pole for an even order";
  EXPECT_TRUE(lines.contains("R1b Node290 Node340 1k"));
  EXPECT_FALSE(lines.join("\n").contains("Xc "));

  r.Count = 1;
  r.RealR = "1k";
  r.RealC = "1n";
  lines = linesOf(spice::BuildNetlists(r).Files[0].Text);
  EXPECT_TRUE(lines.contains("R1r Node90 Node50 1k"));
  EXPECT_FALSE(lines.join("\n").contains("Xa "));
}

// "Use 3 pole section": the netlist is the circuit drawn, the RC driving stage a directly.
TEST(Netlist, ThreePoleSectionHasTheRealPoleWithoutAmplifier) {
  NetlistRequest r = request(NetlistLayout::LowPass, 3);
  r.RealR = "2.00k";
  r.RealC = "68.0n";
  r.RealPoleUnbuffered = true;
  r.Stages[0] = {.R1 = "10.0k", .R2 = "15.0k", .R3 = "0", .C1 = "4.70n", .C2 = "22.0n"};
  const QStringList lines = linesOf(spice::BuildNetlists(r).Files[0].Text);
  EXPECT_TRUE(lines.contains("V3 Node90 0 DC 0 AC 1 SIN 0 100m 100K 0 0 DISTOF1 1 DISTOF2 1"));
  EXPECT_TRUE(lines.contains("C1r 0 Node190 68.0n IC=0"));
  EXPECT_TRUE(lines.contains("R1r Node90 Node190 2.00k"));
  EXPECT_TRUE(lines.contains("R1a Node190 Node240 10.0k"));
  EXPECT_FALSE(lines.join("\n").contains("Xr ")) << "no amplifier in the real pole";
  // A one-pole design has no stage to feed: its real pole keeps its amplifier.
  r.Count = 1;
  EXPECT_TRUE(linesOf(spice::BuildNetlists(r).Files[0].Text).contains("R1r Node90 Node50 2.00k"));
}

TEST(Netlist, BandPassKeepsItsModelsInASecondFile) {
  NetlistRequest r = request(NetlistLayout::BandPassTwoFile, 2);
  r.Stages[0] = {.R1 = "15.9k", .R2 = "31.8k", .R3 = "1.00k", .R4 = "7.50k", .R5 = "3.30k",
                 .C1 = "10.0n", .C2 = "10.0n"};
  r.Stages[1] = {.R1 = "8.20k", .R2 = "16.2k", .R3 = "499", .R4 = "0", .R5 = "0",
                 .C1 = "4.70n", .C2 = "4.70n"};
  const spice::NetlistBuild b = spice::BuildNetlists(r);
  ASSERT_EQ(b.Files.size(), 2u);
  EXPECT_EQ(b.Files[0].Name, "bandpass.cir");
  EXPECT_EQ(b.Files[1].Name, "BandPassModels.lib");
  expectLines(b.Files[0].Text,
              {"*** /home/eng/data/BandPass.cir", "", "*** Time 12/10/2026 8:15 PM ***", "",
               "*** Component Net List Start ***", "",
               "V2 Node10 0 DC 5 DISTOF1 0 DISTOF2 0",
               "V1 Node20 0 DC -5 DISTOF1 0 DISTOF2 0",
               "V3 Node90 0 DC 0 AC 1 SIN 0 5 1K 0 0 DISTOF1 0 DISTOF2 0",
               "X1a 0 Node150 Node10 Node20 Node190 IDEAL_OPAMP_XN",
               "R2a Node190 Node150 31.8k",
               "R3a 0 Node140 1.00k",
               "R4a Node130 Node90 7.50k",
               "R5a 0 Node130 3.30k",
               "R1a Node140 Node130 15.9k",
               "C1a Node140 Node190 10.0n IC=0",
               "C2a Node140 Node150 10.0n IC=0",
               "X1b 0 Node250 Node10 Node20 Node290 IDEAL_OPAMP_XN",
               "R2b Node290 Node250 16.2k",
               "R3b 0 Node240 499",
               "R1b Node240 Node190 8.20k",
               "C1b Node240 Node290 4.70n IC=0",
               "C2b Node240 Node250 4.70n IC=0",
               "*** Component Net List End ***", "",
               "*** Spice Libary Statements Start ***", "",
               "*** Spice Libary Statements End ***", "",
               "*** Spice Include  Statements Start ***", "",
               ".INCLUDE \"/opt/cv/bandpass.lib\"",
               ".INCLUDE \"/home/eng/data/BandPassModels.lib\"", "",
               "*** Spice Include  Statements End ***", "",
               ".SAVE all",
               ".SAVE @V1[i] @V1[p] @V2[i] @V2[p] @V3[i] @V3[p]",
               ".SAVE @R1a[i] @R1a[p] @R2a[i] @R2a[p] @R3a[i] @R3a[p]",
               ".SAVE @C1a[i] @C1a[p] @C2a[i] @C2a[p]",
               ".SAVE @R4a[i] @R4a[p] @R5a[i] @R5a[p]",
               ".SAVE @R1b[i] @R1b[p] @R2b[i] @R2b[p] @R3b[i] @R3b[p]",
               ".SAVE @C1b[i] @C1b[p] @C2b[i] @C2b[p]",
               ".END", "",
               ".control", "set filetype=ascii", ".endc"});

  // A library model goes into the models file up to its "END MODEL" line.
  r.OpAmpSubckt = "KVR1202/30";
  r.ModelText = ".subckt KVR1202/30 1 2 3 4 5\nR1 1 2 1MEG\n.ENDS\n* END MODEL KVR1202\n";
  const QStringList models = linesOf(spice::BuildNetlists(r).Files[1].Text);
  EXPECT_EQ(models.mid(models.size() - 4),
            QStringList({".subckt KVR1202/30 1 2 3 4 5", "R1 1 2 1MEG", ".ENDS",
                         "* END MODEL KVR1202"}));
  EXPECT_TRUE(linesOf(spice::BuildNetlists(r).Files[0].Text)
                  .contains("X1b 0 Node250 Node10 Node20 Node290 KVR1202/30"));
}

TEST(Netlist, BandPassInOneFileAndNotchCarryTheirModelAfterTheEnd) {
  NetlistRequest r = request(NetlistLayout::BandPassOneFile, 1);
  r.Supply = "12";
  r.SingleSupply = true;
  r.Vin = "0,5";
  r.Stages[0] = {.R1 = "15.9k", .R2 = "31.8k", .R3 = "1.00k", .R4 = "0", .C1 = "10.0n",
                 .C2 = "10.0n"};
  const spice::NetlistBuild bp = spice::BuildNetlists(r);
  ASSERT_EQ(bp.Files.size(), 1u);
  EXPECT_EQ(bp.Files[0].Name, "Model.cir");
  expectLines(bp.Files[0].Text,
              QStringList{"*** /home/eng/data/BandPass.cir", "",
                          "*** Time 12/10/2026 8:15 PM ***", "",
                          "*** Spice Control Statements Start ***", "",
                          ".AC DEC 100 10 10000", "",
                          "*** Spice Control Statements End ***", "",
                          "*** Component Net List Start ***", "",
                          "V2 Node10 0 DC 12 DISTOF1 0 DISTOF2 0",
                          "V1 Node20 0 DC -0 DISTOF1 0 DISTOF2 0",
                          "V3 Node90 0 DC 0 AC 0.5 SIN 0 5 1K 0 0 DISTOF1 0 DISTOF2 0",
                          "X1a 0 Node150 Node10 Node20 Node190 IDEAL_OPAMP_XN",
                          "R2a Node190 Node150 31.8k",
                          "R3a 0 Node140 1.00k",
                          "R1a Node140 Node90 15.9k",
                          "C1a Node140 Node190 10.0n IC=0",
                          "C2a Node140 Node150 10.0n IC=0",
                          "*** Component Net List End ***", "",
                          ".END", ""} +
                  kIdeal);

  r = request(NetlistLayout::Notch, 3);
  for (int i = 0; i < 3; ++i)
    r.Stages[size_t(i)] = {.R1 = "1", .R2 = "2", .R3 = "3", .R4 = "4", .R5 = "5", .R6 = "6",
                           .C1 = "7n", .C2 = "8n"};
  const spice::NetlistBuild n = spice::BuildNetlists(r);
  ASSERT_EQ(n.Files.size(), 1u);
  EXPECT_EQ(n.Files[0].Name, "notch.cir");
  const QStringList lines = linesOf(n.Files[0].Text);
  const qsizetype c = lines.indexOf("X1c Node350 Node370 Node10 Node20 Node390 IDEAL_OPAMP_XN");
  ASSERT_GE(c, 0);
  EXPECT_EQ(lines.mid(c, 10),
            QStringList({"X1c Node350 Node370 Node10 Node20 Node390 IDEAL_OPAMP_XN",
                         "X2c Node380 Node370 Node10 Node20 Node360 IDEAL_OPAMP_XN",
                         "R1c Node350 Node290 1", "R2c 0 Node350 2", "R3c Node360 Node350 3",
                         "R4c Node390 Node370 4", "R5c Node380 Node390 5",
                         "R6c Node290 Node380 6", "C1c Node290 Node350 7n IC=0",
                         "C2c Node360 Node370 8n IC=0"}));
  EXPECT_TRUE(lines.contains("R1a Node150 Node90 1"));
  EXPECT_FALSE(lines.join("\n").contains("X1d"));
  const qsizetype end = lines.indexOf(".END");
  EXPECT_EQ(lines.mid(end, 4), QStringList({".END", "", "*** Spice Control Statements Start ***", ""}));
  EXPECT_EQ(lines.mid(end + 4), kIdeal);
}

TEST(Netlist, ValuesThatAreNoComponentValuesAreNamed) {
  NetlistRequest r = request(NetlistLayout::BandPassOneFile, 2);
  r.Stages[0] = {.R1 = "15.9k", .R2 = "", .R3 = "1.00k", .R4 = "0", .C1 = "-0.5; 1.0",
                 .C2 = "10.0n"};
  r.Stages[1] = {.R1 = "1k", .R2 = "1k", .R3 = "0", .R4 = "0", .C1 = "1n", .C2 = "1n"};
  EXPECT_EQ(spice::BuildNetlists(r).UnusableValues,
            QStringList({"R2a \"\"", "C1a \"-0.5; 1.0\"", "R3b \"0\""}));
}

TEST(Netlist, SpiceValueAndNumberTexts) {
  struct Row {
    const char* text;
    const char* spice;
    bool component;
  };
  for (const Row& row : {Row{"1.00M", "1.00Meg", true}, Row{"2,20k", "2.20k", true},
                         Row{"1.00m", "1.00m", true}, Row{"10.0k", "10.0k", true},
                         Row{"4.70µ", "4.70u", true}, Row{"1E-07", "1E-07", true},
                         Row{"100g", "100g", true}, Row{"0", "0", false}, Row{"-5", "-5", false},
                         Row{"", "", false}, Row{"12 V", "12 V", false}, Row{"k", "k", false},
                         Row{"1.2.3", "1.2.3", false}}) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(spice::SpiceValue(QString::fromUtf8(row.text)), QString::fromUtf8(row.spice));
    EXPECT_EQ(spice::IsComponentValue(spice::SpiceValue(QString::fromUtf8(row.text))), row.component);
  }
  EXPECT_EQ(spice::AcLine(3, 10, '.'), ".AC DEC 100 10 10000");
  EXPECT_EQ(spice::AcLine(7, 1, ','), ".AC DEC 42 1 10000000");
  EXPECT_EQ(spice::AcLine(3, 0.5f, ','), ".AC DEC 100 0.5 500");
}

TEST(Netlist, AFileIsTheTextInDoubleQuotes) {
  const QByteArray file = spice::FramedNetlistFile(QStringLiteral("*** a\r\n.END\r\n"));
  EXPECT_EQ(file, QByteArray("\"*** a\r\n.END\r\n\"\r\n"));
  EXPECT_TRUE(file.startsWith("\"***"));
  EXPECT_TRUE(file.endsWith("\r\n\"\r\n")) << "the last line is a lone double quote";
}

}  // namespace
