#include "designfiles/designfile.h"

#include <algorithm>
#include <cmath>

#include "designfiles/fitboxes.h"
#include "designfiles/twohalves.h"
#include "engine/engnotation.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/datafiles.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/frequencyboxes.h"
#include "mainwindow/listchoices.h"
#include "mainwindow/poleboxes.h"
#include "mainwindow/savefiles.h"
#include "mainwindow/version.h"

namespace designfiles {

namespace {

class SaveFileWriter : public FileWriter {
 public:
  bool write(const QString& path, const QByteArray& bytes) override {
    return mainwindow::WriteWholeFile(path, bytes);
  }
};

FileWriter*& writerSlot() {
  static FileWriter* writer = nullptr;
  return writer;
}

// The boxes whose texts the file holds, set without running any handler.
void applyBoxTexts(CalverdonForm& f, const DesignRecord& r) {
  for (int k = 0; k < 5; ++k) {
    f.C1Entry[k].Text = r.c1[k];
    f.C2Entry[k].Text = r.c2[k];
    f.GainTB[k].Text = r.gain[k];
  }
  f.C1RealEntry.Text = r.c1Real;
  f.RespF.Text = r.respF;
  f.Text19.Text = r.ripple;
  for (int k = 0; k < 5; ++k) {
    f.FnInput[k].Text = r.fn[k];
    f.QInput[k].Text = r.q[k];
  }
}

void setIndex(forms::ComboBox& list, int index) {
  if (index >= 0) list.SetListIndex(index);
}

// The file does not hold the pole-count and cutoff boxes; items 2 and 3 record the pole
// count and design frequency the saved design was computed with. A low-pass design takes
// both back, a band-pass or notch design its stage count (its cutoff box holds the centre
// frequency, which the file does not keep apart). The other pass bands keep their own
// boxes in the file (Text1, Text2) and leave these as they are.
void restorePolesAndCutoff(CalverdonForm& f, const DesignRecord& r) {
  const std::optional<engine::PassBand> band =
      mainwindow::PassBandOf(f.Passband.List(r.passbandIndex));
  const bool lowPass = band == engine::PassBand::LowPass;
  const bool stages = band && engine::IsBandPassOrNotch(*band);
  // The record's numbers are within the limits (FitRecordNumbers).
  if (lowPass || stages)
    f.Text18.Text = QString::number(stages ? std::min(r.poleCount, mainwindow::kMaxStages)
                                           : r.poleCount);
  if (lowPass && r.cutoff > 0) {
    const double unit = f.Rad.Value() == 1 ? 2 * engine::Pi : 1.0;
    const int digits = f.DisplayDigits > 0 ? f.DisplayDigits : 3;
    f.Text34.Text = engine::Engsuffix(engine::Sng(r.cutoff * unit), digits, QString(), f.DecimalSep);
  }
}

bool twoHalves(const CalverdonForm& f, int passbandIndex) {
  const std::optional<engine::PassBand> band =
      mainwindow::PassBandOf(f.Passband.List(passbandIndex));
  return band && engine::IsTwoHalves(*band);
}

// The low-pass half's boxes, before and after the list handlers run, like the high-pass
// half's boxes that the record holds.
void applyLowPassBoxes(CalverdonForm& f, const DesignRecord& r) {
  if (!r.halves || !twoHalves(f, r.passbandIndex)) return;
  f.Text18.Text = r.halves->lowPassPoles;
  f.Text34.Text = r.halves->lowPassEdge;
}

// What the two halves keep, once every list handler has run (they keep section texts of
// their own while the file is applied), and the view the design was saved in.
void applyHalves(CalverdonForm& f, const DesignRecord& r) {
  if (r.halves && twoHalves(f, r.passbandIndex)) ApplyHalves(f, *r.halves);
}

// Chooses the saved response. The response handler lays out the custom section boxes for the
// pole count of the design on show: make that the saved design's (the half the file was
// saved in), not the count of the design the window held before; every pass sets it again.
void chooseResponse(CalverdonForm& f, const DesignRecord& r) {
  const QString& poles = r.highPassHalf != 0 ? f.Text1.Text : f.Text18.Text;
  f.PoleCount = engine::CInt(engine::NumberIn(poles, f.DecimalSep));
  f.TypeFilter.SetText(r.typeFilter);
}

void apply(CalverdonForm& f, const DesignRecord& r) {
  // The halves of a two-half design start empty; a file without the lines of the halves
  // starts them again from the boxes the record holds, as a design read at start-up does,
  // and the lines of the halves replace them once the list handlers have run.
  for (auto* kept : {&f.LowPassGainText, &f.LowPassFnText, &f.QTextLP, &f.HighPassGainText,
                     &f.HighPassFnText, &f.QTextHP})
    for (QString& t : *kept) t.clear();
  f.LowPassC1RealText.clear();
  f.HighPassC1RealText.clear();

  f.StageCount = r.poleCount;
  f.ScaleResistor = r.scaleResistor;
  f.Text12.Text = engine::SingleText(r.scaleResistor, f.DecimalSep);
  f.RespFreq = r.respFreq;
  f.RespF.Text = engine::SingleText(r.respFreq, f.DecimalSep);
  restorePolesAndCutoff(f, r);
  applyLowPassBoxes(f, r);
  // The handlers that the list changes below run recompute with the boxes as they stand:
  // give them the saved edges and Q from the start, not the previous design's.
  f.Text1.Text = r.text1;
  f.Text2.Text = r.text2;
  f.Text3.Text = r.text3;

  // Each assignment below is an ordinary change of its control, with its handlers.
  setIndex(f.CircuitType, r.circuitMode);
  chooseResponse(f, r);
  f.ResponseName = r.responseName;
  f.BaseResponseCode = r.baseResponseCode;
  setIndex(f.CapacitorList, r.capacitorIndex);
  setIndex(f.ResistorList, r.resistorIndex);
  setIndex(f.CircuitType, r.circuitIndex);
  if (r.compValue)
    f.CompValue.SetValue(true);
  else
    f.SensTrue.SetValue(true);
  applyBoxTexts(f, r);
  f.Gfreq[0].Caption = r.gfreqStart;
  f.TopAmp.Visible = r.topAmpVisible;
  f.TopAmp.Text = r.topAmp;
  f.BotAmp.Visible = r.botAmpVisible;
  f.BotAmp.Text = r.botAmp;
  f.HighPassHalf = r.highPassHalf;
  setIndex(f.Passband, r.passbandIndex);

  // The pass-band handler lays the window out for its band: it may reset the response, pick
  // the first topology and clear the section and capacitor boxes. Put back what the file
  // holds, so the design that is recomputed is the saved one.
  if (f.TypeFilter.Text() != r.typeFilter) chooseResponse(f, r);
  f.ResponseName = r.responseName;
  f.BaseResponseCode = r.baseResponseCode;
  if (r.circuitIndex >= 0 && f.CircuitType.ListIndex() != r.circuitIndex)
    f.CircuitType.SetListIndex(r.circuitIndex);
  applyBoxTexts(f, r);
  restorePolesAndCutoff(f, r);
  applyLowPassBoxes(f, r);

  f.Text1.Text = r.text1;
  f.Text2.Text = r.text2;
  f.Text3.Text = r.text3;
  f.AxisDecades = r.axisDecades;
  f.Gfreq[0].Caption = r.gfreqStartAgain;
  f.Gfreq[3].Caption = r.gfreqEnd;

  // The passes run by the list handlers while the file was applied may have computed these
  // from a half-applied design; a band-pass or notch pass never computes them again. Take
  // the saved ones, which a cascade pass then recomputes from the boxes just set.
  f.ScaleResistor = r.scaleResistor;
  f.DesignCutoff = r.cutoff;
  f.CircuitMode = r.circuitMode;
  applyHalves(f, r);
  // The design computed is the one the boxes show: a number no box takes becomes what the
  // box would make of it.
  FitBoxesToLimits(f);
  // A band-pass or notch stage count beyond the stages there are is read as the most there
  // are, and those stages are spread round the centre anew, as a typed count spreads them.
  const std::optional<engine::PassBand> band =
      mainwindow::PassBandOf(f.Passband.List(r.passbandIndex));
  if (band && engine::IsBandPassOrNotch(*band) && r.poleCount > mainwindow::kMaxStages)
    mainwindow::SpreadStagesFromCentre(f, mainwindow::kMaxStages);

  // The counts the pole boxes compare a new entry with: the loaded ones, so that entering
  // another count recomputes and entering the same one does not.
  f.PrevPoles = static_cast<int>(
      engine::Int(engine::NumberIn(f.Text18.Text, f.DecimalSep)));
  f.PrevPolesHP = static_cast<int>(
      engine::Int(engine::NumberIn(f.Text1.Text, f.DecimalSep)));
}

// Ends a read: the pointer back and the window no longer busy.
bool endRead(CalverdonForm& f, bool ok) {
  f.SuppressUpdate = false;
  f.SetMousePointer(forms::kPointerDefault);
  return ok;
}

// The resistor seed the design is computed from: the seed box's value. The member keeps the
// value of the last section a cascade pass built (a three-pole section scales it), and a
// band-pass or notch pass reads the box without setting the member.
float seedOf(const CalverdonForm& f) {
  const std::optional<float> seed = mainwindow::EngSingle(f, f.Text12.Text);
  return seed && *seed > 0 && std::isfinite(*seed) ? *seed : f.ScaleResistor;
}

}  // namespace

FileWriter& CurrentFileWriter() {
  static SaveFileWriter atomic;
  FileWriter* w = writerSlot();
  return w ? *w : atomic;
}

void SetFileWriter(FileWriter* writer) { writerSlot() = writer; }

DesignRecord RecordOf(const CalverdonForm& f) {
  DesignRecord r;
  r.version = mainwindow::FileVersionText();
  r.poleCount = f.PoleCount;
  r.cutoff = f.DesignCutoff;
  r.scaleResistor = seedOf(f);
  r.respFreq = f.RespFreq;
  r.circuitMode = f.CircuitMode;
  r.typeFilter = f.TypeFilter.Text();
  r.responseName = f.ResponseName;
  r.baseResponseCode = f.BaseResponseCode;
  r.capacitorIndex = f.CapacitorList.ListIndex();
  r.resistorIndex = f.ResistorList.ListIndex();
  r.circuitIndex = f.CircuitType.ListIndex();
  r.compValue = f.CompValue.Value();
  for (int k = 0; k < 5; ++k) {
    r.c1[k] = f.C1Entry[k].Text;
    r.c2[k] = f.C2Entry[k].Text;
    r.gain[k] = f.GainTB[k].Text;
    r.fn[k] = f.FnInput[k].Text;
    r.q[k] = f.QInput[k].Text;
  }
  r.c1Real = f.C1RealEntry.Text;
  r.respF = f.RespF.Text;
  r.ripple = f.Text19.Text;
  r.gfreqStart = f.Gfreq[0].Caption;
  r.topAmpVisible = f.TopAmp.Visible;
  r.topAmp = f.TopAmp.Text;
  r.botAmpVisible = f.BotAmp.Visible;
  r.botAmp = f.BotAmp.Text;
  r.highPassHalf = f.HighPassHalf;
  r.passbandIndex = f.Passband.ListIndex();
  r.text1 = f.Text1.Text;
  r.text2 = f.Text2.Text;
  r.text3 = f.Text3.Text;
  r.axisDecades = f.AxisDecades;
  r.gfreqStartAgain = f.Gfreq[0].Caption;
  r.gfreqEnd = f.Gfreq[3].Caption;
  if (twoHalves(f, r.passbandIndex)) r.halves = HalvesOf(f);
  return r;
}

bool SaveSub(CalverdonForm& f, const QString& path) {
  const QByteArray bytes = WriteDesignRecord(RecordOf(f));
  if (!CurrentFileWriter().write(path, bytes)) {
    f.Message(kSaveFailed + QStringLiteral("\r\n") + path, platform::Buttons::Ok,
              platform::Icon::Exclamation);
    return false;
  }
  f.DesignFile = path;
  mainwindow::MarkDesignUnchanged(f);
  return true;
}

bool OpenFile(CalverdonForm& f, const QString& path) {
  f.SetMousePointer(forms::kPointerHourglass);
  // Only a regular file can be a design: a named pipe or a device is never opened, and a
  // design file is a few hundred bytes, so anything far larger is not one either.
  const mainwindow::DataFile file = mainwindow::ReadDataFile(path, mainwindow::kDesignFileLimit);
  if (mainwindow::IsRefused(file.state)) {
    f.Message(kDamagedFile, platform::Buttons::Ok, platform::Icon::Exclamation);
    return endRead(f, false);
  }
  if (file.state != mainwindow::FileState::Regular) {
    f.Message(kUnreadableFile + QStringLiteral("\r\n") + path, platform::Buttons::Ok,
              platform::Icon::Exclamation);
    return endRead(f, false);
  }
  const QByteArray& bytes = file.bytes;

  const ReadResult result = ReadDesignRecord(bytes);
  if (result.status == ReadStatus::Unsupported) {
    f.Message(kUnsupportedFile);
    return endRead(f, false);
  }
  DesignRecord record = result.record;
  if (result.status != ReadStatus::Ok || !FitRecordNumbers(record)) {
    f.Message(kDamagedFile, platform::Buttons::Ok, platform::Icon::Exclamation);
    return endRead(f, false);
  }

  // The list handlers recompute while the file is applied, with the edges of the file beside
  // the pass band the window had: those passes must not exchange the edges. The recompute
  // below puts the saved design's edges in order as any recompute does.
  const bool autoSwap = f.AutoSwapHPandLP.Checked;
  f.AutoSwapHPandLP.Checked = false;
  apply(f, record);
  f.AutoSwapHPandLP.Checked = autoSwap;
  f.DisplayDigits = 3;
  bool cancel = false;
  mainwindow::RespF_Validate(f, cancel);  // the response-frequency box, validated again
  f.SuppressUpdate = false;
  f.SequenceUpdateScreen();
  f.DesignLoaded = true;
  mainwindow::MarkDesignUnchanged(f);
  return endRead(f, true);
}

}  // namespace designfiles
