// The record form of a design file: writing and the reader's item rules.
#include <gtest/gtest.h>

#include <QByteArrayList>

#include "designfiles/designrecord.h"

using designfiles::DesignRecord;
using designfiles::ReadDesignRecord;
using designfiles::ReadStatus;
using designfiles::WriteDesignRecord;

namespace {

// A record with a value in every item, none of them a default.
DesignRecord sample() {
  DesignRecord r;
  r.version = QStringLiteral("2000017");
  r.poleCount = 4;
  r.cutoff = 2200;
  r.scaleResistor = 4700;
  r.respFreq = 1.5e-3f;
  r.circuitMode = 1;
  r.typeFilter = QStringLiteral("Linear Phase, 0.05");
  r.responseName = QStringLiteral("Linear Phase, 0.05 deg.");
  r.baseResponseCode = 3;
  r.capacitorIndex = 2;
  r.resistorIndex = 5;
  r.circuitIndex = 1;
  r.compValue = false;
  for (int k = 0; k < 5; ++k) {
    r.c1[k] = QStringLiteral("%1n").arg(k + 1);
    r.c2[k] = QStringLiteral("%1,5p").arg(k + 1);
    r.gain[k] = QStringLiteral("1.%1").arg(k);
    r.fn[k] = QStringLiteral("%1 k").arg(k + 2);
    r.q[k] = QStringLiteral("0,7%1").arg(k);
  }
  r.c1Real = QStringLiteral("4,70 n");
  r.respF = QStringLiteral("2,20 k");
  r.ripple = QStringLiteral("0,5");
  r.gfreqStart = QStringLiteral("100 Hz");
  r.topAmpVisible = true;
  r.topAmp = QStringLiteral("10");
  r.botAmpVisible = false;
  r.botAmp = QStringLiteral("-60");
  r.highPassHalf = 1;
  r.passbandIndex = 4;
  r.text1 = QStringLiteral("5");
  r.text2 = QStringLiteral("12,0 k");
  r.text3 = QStringLiteral("0,51");
  r.axisDecades = 4.5f;
  r.gfreqStartAgain = QStringLiteral("100 Hz");
  r.gfreqEnd = QStringLiteral("3,16 MHz");
  return r;
}

QByteArrayList lines(const QByteArray& bytes) {
  QByteArrayList l = bytes.split('\n');
  if (!l.isEmpty() && l.back().isEmpty()) l.removeLast();
  return l;
}

QByteArray withVersion(const QByteArray& file, const QByteArray& versionItem) {
  const qsizetype comma = file.indexOf(',');
  return versionItem + file.mid(comma);
}

}  // namespace

TEST(DesignRecord, WritesThirtySixCrLfLinesOfQuotedTextsAndPlainNumbers) {
  const QByteArray bytes = WriteDesignRecord(sample());
  const QByteArrayList l = lines(bytes);
  ASSERT_EQ(l.size(), designfiles::kLineCount);
  for (const QByteArray& line : l) EXPECT_TRUE(line.endsWith('\r')) << line.constData();
  EXPECT_EQ(bytes.count("\r\n"), 36);
  EXPECT_EQ(l[0], "\"2000017\",4,2200,4700,0.0015,1\r");
  EXPECT_EQ(l[1], "\"Linear Phase, 0.05\"\r");
  EXPECT_EQ(l[3], "\"3\"\r");
  EXPECT_EQ(l[4], "2,5\r");
  EXPECT_EQ(l[6], "#FALSE#\r");
  EXPECT_EQ(l[7], "\"1n\",\"1,5p\",\"1.0\"\r");
  EXPECT_EQ(l[15], "\"2 k\",\"0,70\"\r");
  EXPECT_EQ(l[21], "#TRUE#,\"10\",#FALSE#,\"-60\",1\r");
  EXPECT_EQ(l[26], "4.5\r");
  EXPECT_EQ(l[28], "\"3,16 MHz\"\r");
  for (int i = 29; i < 36; ++i) EXPECT_EQ(l[i], "\"3\"\r");
}

// The whole file of sample(), every item in its place; the writer and the reader walk one
// field list, so reading back what was written cannot show an item written in the wrong place.
TEST(DesignRecord, EveryItemHasItsPlaceInTheFile) {
  QByteArray file =
      "\"2000017\",4,2200,4700,0.0015,1\r\n"
      "\"Linear Phase, 0.05\"\r\n"
      "\"Linear Phase, 0.05 deg.\"\r\n"
      "\"3\"\r\n"
      "2,5\r\n"
      "1\r\n"
      "#FALSE#\r\n";
  for (int k = 0; k < 5; ++k)
    file += QStringLiteral("\"%1n\",\"%1,5p\",\"1.%2\"\r\n").arg(k + 1).arg(k).toLatin1();
  file += "\"4,70 n\"\r\n\"2,20 k\"\r\n\"0,5\"\r\n";
  for (int k = 0; k < 5; ++k)
    file += QStringLiteral("\"%1 k\",\"0,7%2\"\r\n").arg(k + 2).arg(k).toLatin1();
  file +=
      "\"100 Hz\"\r\n"
      "#TRUE#,\"10\",#FALSE#,\"-60\",1\r\n"
      "4\r\n"
      "\"5\"\r\n"
      "\"12,0 k\"\r\n"
      "\"0,51\"\r\n"
      "4.5\r\n"
      "\"100 Hz\"\r\n"
      "\"3,16 MHz\"\r\n";
  const QByteArray body = file;
  for (int k = 0; k < 7; ++k) file += "\"3\"\r\n";

  EXPECT_EQ(lines(WriteDesignRecord(sample())), lines(file));
  const auto read = ReadDesignRecord(file);
  ASSERT_EQ(read.status, ReadStatus::Ok);
  EXPECT_EQ(read.record, sample());

  // The seven filler items carry nothing: any text there, or a number, reads the same.
  QByteArray filler = body;
  for (int k = 0; k < 7; ++k) filler += k % 2 ? "\"x\"\r\n" : "7\r\n";
  const auto other = ReadDesignRecord(filler);
  ASSERT_EQ(other.status, ReadStatus::Ok);
  EXPECT_EQ(other.record, sample());
}

TEST(DesignRecord, ReadsBackWhatItWrote) {
  DesignRecord none = sample();  // lists with nothing selected
  none.capacitorIndex = none.resistorIndex = none.circuitIndex = none.passbandIndex = -1;
  for (const DesignRecord& r : {sample(), none}) {
    const auto result = ReadDesignRecord(WriteDesignRecord(r));
    ASSERT_EQ(result.status, ReadStatus::Ok);
    EXPECT_EQ(result.record, r);
  }
}

TEST(DesignRecord, TextsAreLatin1AndADoubleQuoteIsWrittenAsASingleOne) {
  DesignRecord r = sample();
  r.gain[0] = QStringLiteral("2\"");
  r.c1[1] = QString::fromUtf8("4.7µ");
  const QByteArray bytes = WriteDesignRecord(r);
  EXPECT_TRUE(bytes.contains("\"2'\"\r\n")) << bytes.constData();
  EXPECT_TRUE(bytes.contains(QByteArray("\"4.7\xB5\"")));
  const auto back = ReadDesignRecord(bytes);
  ASSERT_EQ(back.status, ReadStatus::Ok);
  EXPECT_EQ(back.record.gain[0], QStringLiteral("2'"));
  EXPECT_EQ(back.record.c1[1], QString::fromUtf8("4.7µ"));
}

TEST(DesignRecord, VersionWindow) {
  const QByteArray file = WriteDesignRecord(sample());
  const struct {
    const char* item;
    ReadStatus status;
  } cases[] = {
      {"\"2000001\"", ReadStatus::Ok},          {"\"2009999\"", ReadStatus::Ok},
      {"2000017", ReadStatus::Ok},              {"\"2000000\"", ReadStatus::Unsupported},
      {"\"2010000\"", ReadStatus::Unsupported}, {"\"0\"", ReadStatus::Unsupported},
      {"\"\"", ReadStatus::Unsupported},        {"", ReadStatus::Unsupported},
      {"\"v2000017\"", ReadStatus::Unsupported}, {"\"1e99999\"", ReadStatus::Unsupported},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadDesignRecord(withVersion(file, c.item)).status, c.status) << c.item;
  // An empty file is damaged, not of another version.
  for (const char* empty : {"", "\r\n", "  \r\n\t\n"})
    EXPECT_EQ(ReadDesignRecord(QByteArray(empty)).status, ReadStatus::Corrupt) << empty;
  EXPECT_EQ(ReadDesignRecord(QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11)).status,
            ReadStatus::Unsupported);
}

TEST(DesignRecord, ATruncatedFileIsDamagedAndExtraLinesAreIgnored) {
  const QByteArray file = WriteDesignRecord(sample());
  const QByteArrayList l = lines(file);
  // Cut after each line short of the last, and in the middle of the last item.
  for (int keep : {1, 7, 20, 29, 35}) {
    QByteArray cut;
    for (int i = 0; i < keep; ++i) cut += l[i] + '\n';
    EXPECT_EQ(ReadDesignRecord(cut).status, ReadStatus::Corrupt) << keep;
  }
  // The last item without its line end is complete.
  EXPECT_EQ(ReadDesignRecord(file.left(file.size() - 2)).status, ReadStatus::Ok);
  EXPECT_EQ(ReadDesignRecord(file.left(file.size() - 4)).status, ReadStatus::Ok);

  const auto longer = ReadDesignRecord(file + "\"more\",1,2\r\nrubbish\r\n\r\n");
  ASSERT_EQ(longer.status, ReadStatus::Ok);
  EXPECT_EQ(longer.record, sample());
}

TEST(DesignRecord, ItemsCountNotLines) {
  const DesignRecord r = sample();
  QByteArray file = WriteDesignRecord(r);
  // Every separator a line end, LF alone, blanks before items and after numbers.
  QByteArray spread;
  bool inQuotes = false;
  for (char c : file) {
    if (c == '"') inQuotes = !inQuotes;
    if (c == ',' && !inQuotes) {
      spread += "  \n \t";
    } else if (c == '\r' && !inQuotes) {
      spread += " ";
    } else {
      spread += c;
    }
  }
  const auto a = ReadDesignRecord(spread);
  ASSERT_EQ(a.status, ReadStatus::Ok) << spread.constData();
  EXPECT_EQ(a.record, r);

  // Lines joined by commas; a number also ends at a blank.
  QByteArray joined = file;
  joined.replace("\r\n", ",");
  joined.replace("\"2000017\",4,", "\"2000017\",4 ");
  const auto b = ReadDesignRecord(joined);
  ASSERT_EQ(b.status, ReadStatus::Ok);
  EXPECT_EQ(b.record, r);
}

TEST(DesignRecord, QuotedTextsAndUnquotedItems) {
  QByteArray file = WriteDesignRecord(sample());
  // Whatever follows a closing quote up to the separator is dropped; an unquoted text runs
  // to the separator without its trailing blanks; numbers may be quoted.
  file.replace("\"Linear Phase, 0.05\"\r\n", "\"Linear Phase, 0.05\" junk\r\n");
  file.replace("\"Linear Phase, 0.05 deg.\"\r\n", "Linear Phase  \r\n");
  file.replace("2,5\r\n", "\"2\",5\r\n");
  const auto result = ReadDesignRecord(file);
  ASSERT_EQ(result.status, ReadStatus::Ok);
  EXPECT_EQ(result.record.typeFilter, QStringLiteral("Linear Phase, 0.05"));
  EXPECT_EQ(result.record.responseName, QStringLiteral("Linear Phase"));
  EXPECT_EQ(result.record.capacitorIndex, 2);
}

TEST(DesignRecord, ItemsThatDoNotConvertMakeTheFileDamaged) {
  const QByteArray file = WriteDesignRecord(sample());
  const struct {
    const char* from;
    const char* to;
  } cases[] = {
      {",2200,", ",abc,"},            // design frequency not a number
      {",2200,", ",,"},               // empty number
      {",2200,", ",1e39,"},           // beyond single precision
      {"\r\n2,5\r\n", "\r\n3,5\r\n"}, // capacitor series has 3 entries
      {"\r\n2,5\r\n", "\r\n2,6\r\n"}, // resistor series has 6
      {"\"3\"\r\n2,5", "\"9\"\r\n2,5"},  // base response code
      {"#FALSE#\r\n", "maybe\r\n"},   // Boolean
      {",\"-60\",1\r\n", ",\"-60\",2\r\n"},  // half is 0 or 1
      {"\r\n4\r\n\"5\"", "\r\n6\r\n\"5\""},  // pass band list has 6 entries
      {"\r\n4.5\r\n", "\r\nnan\r\n"},  // decades
  };
  for (const auto& c : cases) {
    QByteArray bad = file;
    ASSERT_TRUE(bad.contains(c.from)) << c.from;
    bad.replace(bad.indexOf(c.from), qstrlen(c.from), c.to);
    EXPECT_EQ(ReadDesignRecord(bad).status, ReadStatus::Corrupt) << c.to;
  }
}

// ---- the lines of a two-half design ----

namespace {

DesignRecord withHalves() {
  DesignRecord r = sample();
  designfiles::TwoHalves h;
  h.view = designfiles::HalfView::HighPassSections;
  h.lowPassPoles = QStringLiteral("4");
  h.lowPassEdge = QStringLiteral("20,0k");
  h.sectionBoxPoles = 5;
  h.lowPass.c1Real = QStringLiteral("1n");
  h.highPass.c1Real = QString();
  for (int k = 0; k < 5; ++k) {
    h.lowPass.gain[k] = QStringLiteral("1.%1").arg(k);
    h.lowPass.fn[k] = QStringLiteral("%1 kHz").arg(k + 1);
    h.lowPass.q[k] = QStringLiteral("0.6%1").arg(k);
    h.highPass.gain[k] = QStringLiteral("2.%1").arg(k);
    h.highPass.fn[k] = k < 2 ? QStringLiteral("%1 Hz").arg(100 * (k + 1)) : QString();
    h.highPass.q[k] = k < 2 ? QStringLiteral("0.8%1").arg(k) : QString();
  }
  r.halves = h;
  return r;
}

const QByteArray kHalvesLines =
    "\"Both Halves\",2,\"4\",\"20,0k\",5\r\n"
    "\"Low-Pass Half\",\"1n\"\r\n"
    "\"1.0\",\"1 kHz\",\"0.60\"\r\n"
    "\"1.1\",\"2 kHz\",\"0.61\"\r\n"
    "\"1.2\",\"3 kHz\",\"0.62\"\r\n"
    "\"1.3\",\"4 kHz\",\"0.63\"\r\n"
    "\"1.4\",\"5 kHz\",\"0.64\"\r\n"
    "\"High-Pass Half\",\"\"\r\n"
    "\"2.0\",\"100 Hz\",\"0.80\"\r\n"
    "\"2.1\",\"200 Hz\",\"0.81\"\r\n"
    "\"2.2\",\"\",\"\"\r\n"
    "\"2.3\",\"\",\"\"\r\n"
    "\"2.4\",\"\",\"\"\r\n";

}  // namespace

TEST(DesignRecord, TheTwoHalvesFollowTheRecordAndReadBack) {
  const QByteArray record = WriteDesignRecord(sample());
  const QByteArray bytes = WriteDesignRecord(withHalves());
  EXPECT_EQ(lines(bytes), lines(record + kHalvesLines));
  const auto read = ReadDesignRecord(bytes);
  ASSERT_EQ(read.status, ReadStatus::Ok);
  EXPECT_EQ(read.record, withHalves());

  // The record alone reads as it always did: no halves, and other lines after it are
  // ignored, as are lines after the halves.
  const auto alone = ReadDesignRecord(record);
  ASSERT_EQ(alone.status, ReadStatus::Ok);
  EXPECT_FALSE(alone.record.halves.has_value());
  const auto other = ReadDesignRecord(record + "\"Both\",2\r\n" + kHalvesLines);
  ASSERT_EQ(other.status, ReadStatus::Ok);
  EXPECT_FALSE(other.record.halves.has_value());
  const auto more = ReadDesignRecord(bytes + "rubbish\r\n");
  ASSERT_EQ(more.status, ReadStatus::Ok);
  EXPECT_EQ(more.record, withHalves());
}

TEST(DesignRecord, DamagedLinesOfTheTwoHalvesMakeTheFileDamaged) {
  const QByteArray record = WriteDesignRecord(sample());
  const QList<QByteArray> l = lines(kHalvesLines);
  const struct {
    const char* from;
    const char* to;
  } changes[] = {
      {"\"Both Halves\",2,", "\"Both Halves\",3,"},      // no such view
      {"\"Both Halves\",2,", "\"Both Halves\",x,"},      // not a number
      {",\"20,0k\",5\r\n", ",\"20,0k\",11\r\n"},           // more poles than the boxes hold
      {"\"Low-Pass Half\"", "\"Low-Pass\""},             // the half's line is not there
      {"\"High-Pass Half\",\"\"\r\n", "\"2.0\",\"\"\r\n"},  // nor here
  };
  for (const auto& c : changes) {
    QByteArray bad = kHalvesLines;
    ASSERT_TRUE(bad.contains(c.from)) << c.from;
    bad.replace(bad.indexOf(c.from), qstrlen(c.from), c.to);
    EXPECT_EQ(ReadDesignRecord(record + bad).status, ReadStatus::Corrupt) << c.to;
  }
  // Cut after each line short of the last.
  for (int keep = 1; keep < l.size(); ++keep) {
    QByteArray cut = record;
    for (int i = 0; i < keep; ++i) cut += l[i] + '\n';
    EXPECT_EQ(ReadDesignRecord(cut).status, ReadStatus::Corrupt) << keep;
  }
}
