#pragma once
// The design file's record form: 61 items on 36 lines of Latin-1 text ended by CR LF.
// Texts are quoted, numbers are written with "." whatever the locale, Booleans as #TRUE# or
// #FALSE#. The reader splits items as the file's line-oriented input rules do (a line end
// separates items like a comma), so only the order of the items matters to it.
//
// This file knows nothing of the window: the main window's values are gathered into a
// DesignRecord and applied from one (designfile.h).
#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace designfiles {

inline constexpr int kItemCount = 61;
inline constexpr int kLineCount = 36;

// Versions this program reads, as numbers (major, two-digit minor, four-digit revision).
inline constexpr double kOldestVersion = 2000001;
inline constexpr double kNewestVersion = 2009999;

// A wide band-pass or band-reject design is two filters, a low-pass and a high-pass half,
// that share the window's section boxes. The record holds the high-pass half's pole count and
// edge (items 49, 50) and the section boxes on show; what else the two halves need comes after
// the record's 36 lines, in lines of the same form, which a reader of the record alone skips:
//
//   "Both Halves",view,"low-pass pole count","low-pass edge",section-box poles
//   "Low-Pass Half","real-pole C1"
//   "gain","Fn","Q"          five lines, sections A to E of the low-pass half
//   "High-Pass Half","real-pole C1"
//   "gain","Fn","Q"          five lines, sections A to E of the high-pass half
//
// view is 0 for the total view, 1 when the low-pass sections are shown, 2 for the high-pass
// sections. Section-box poles (0 to 10) is the pole count the custom section frequency and Q
// boxes are laid out for, 0 when none is shown: the two halves share the boxes, and the
// layout follows the half on show when the custom response was chosen. The texts are the
// boxes' texts and the texts each half keeps for its sections.
enum class HalfView { Total = 0, LowPassSections = 1, HighPassSections = 2 };

// The section texts one half keeps.
struct HalfTexts {
  QString c1Real;
  std::array<QString, 5> gain, fn, q;  // by section A..E
  bool operator==(const HalfTexts&) const = default;
};

struct TwoHalves {
  HalfView view = HalfView::Total;
  QString lowPassPoles;  // the pole-count box of the low-pass half
  QString lowPassEdge;   // the edge-frequency box of the low-pass half
  int sectionBoxPoles = 0;
  HalfTexts lowPass, highPass;
  bool operator==(const TwoHalves&) const = default;
};

// The members by item number. Which items share a line, and each item's kind and accepted
// range, are set by the field list that both the writer and the reader walk (designrecord.cpp).
struct DesignRecord {
  QString version;         // item 1
  int poleCount = 0;       // item 2
  float cutoff = 0;        // item 3: design frequency in hertz
  float scaleResistor = 0; // item 4
  float respFreq = 0;      // item 5
  int circuitMode = 0;     // item 6
  QString typeFilter;      // item 7
  QString responseName;    // item 8
  int baseResponseCode = 0;  // item 9 (written as a text)
  // List indexes are -1 for a list with nothing selected; reading leaves such a list alone.
  int capacitorIndex = 0;  // item 10
  int resistorIndex = 0;   // item 11
  int circuitIndex = 0;    // item 12
  bool compValue = true;   // item 13
  std::array<QString, 5> c1, c2, gain;  // items 14-28, by row: C1, C2, gain
  QString c1Real;          // item 29
  QString respF;           // item 30
  QString ripple;          // item 31
  std::array<QString, 5> fn, q;  // items 32-41, by row: Fn, Q
  QString gfreqStart;      // item 42
  bool topAmpVisible = false;  // item 43
  QString topAmp;          // item 44
  bool botAmpVisible = false;  // item 45
  QString botAmp;          // item 46
  int highPassHalf = 0;    // item 47
  int passbandIndex = 0;   // item 48
  QString text1, text2, text3;  // items 49-51
  float axisDecades = 0;   // item 52
  QString gfreqStartAgain; // item 53
  QString gfreqEnd;        // item 54
  // items 55-61: filler, written as the text of item 9 and not used when read

  // The lines after the record; only a two-half design has them.
  std::optional<TwoHalves> halves;

  bool operator==(const DesignRecord&) const = default;
};

// The file's bytes for a record. A double quote inside a text (which the form cannot
// escape) is written as a single quote; characters outside Latin-1 become "?".
QByteArray WriteDesignRecord(const DesignRecord& record);

enum class ReadStatus {
  Ok,
  Unsupported,  // the version item is empty, not a number, or outside the accepted window
  Corrupt,      // an empty file, fewer than 61 items, an item that does not convert to
                // what it must be, or lines of the two halves that are incomplete or damaged
};

struct ReadResult {
  ReadStatus status = ReadStatus::Corrupt;
  DesignRecord record;  // complete only when status is Ok
};

// Parses and checks every item; nothing is partially valid. Lines after the record are
// ignored unless they begin with "Both Halves"; then they must be whole.
ReadResult ReadDesignRecord(const QByteArray& bytes);

}  // namespace designfiles
