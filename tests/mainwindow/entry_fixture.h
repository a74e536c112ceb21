#pragma once
// The main window with the entry handlers registered (no list handlers). The recompute sequence
// is a counter that also records how deeply sequences nest; the axis decades follow the
// legend captions as the graph computes them.
#include <QStringList>
#include <vector>
#include <algorithm>
#include <cmath>
#include <ostream>

#include "engine/engnotation.h"
#include "forms/events.h"
#include "graph/frequencywindow.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/entryhandlers.h"
#include "support/nonnumbers.h"
#include "support/recomputestandin.h"
#include "support/windowfixture.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
  *os << '{' << l.join(QStringLiteral(" | ")).toStdString() << '}';
}

// A text written with "." as separator, in the form for the separator `sep`.
inline QString withSep(QString text, QChar sep) {
  text.replace(QLatin1Char('.'), sep);
  return text;
}

struct EntryFixture : WindowFixture {
  int sequences = 0;
  int depth = 0, deepest = 0;
  RecomputeStandIn& recompute = InstallRecomputeStandIn(f);

  explicit EntryFixture(QChar sep = QLatin1Char('.')) : WindowFixture(sep) {
    mainwindow::RegisterEntryHandlers(f);
    recompute.sequence = [this] {
      ++sequences;
      ++depth;
      deepest = std::max(deepest, depth);
      --depth;
      return 0;
    };
    // The graph's own frequency axis: the boxes move its window and its cursor line.
    f.axis = std::make_unique<graph::WindowAxis>(f);
    f.Gfreq[0].Caption = QStringLiteral("100 Hz");
    f.Gfreq[3].Caption = QStringLiteral("100 kHz");
    f.AxisDecades = 3;
    f.FreqUnitFactor = 1;
  }

  // Selects an entry of a list without running its handlers.
  static void showWithoutHandler(forms::ComboBox& list, const QString& text) {
    list.setFromUser(static_cast<int>(list.items().indexOf(text)), text);
  }

  // Types a text into a box and leaves it (its Validate event).
  void leave(forms::TextBox& box, const QString& text) {
    box.Text = text;
    forms::EventArgs args;
    f.raise(box, forms::Event::Validate, args);
  }
  // Presses a key in a box.
  void key(forms::TextBox& box, int keyCode) {
    forms::EventArgs args;
    args.KeyCode = keyCode;
    f.raise(box, forms::Event::KeyDown, args);
  }
  void click(forms::Control& c) { f.raise(c, forms::Event::Click); }

  QStringList messages() const { return fake.messages.texts(); }
  // Forgets what earlier steps recorded.
  void reset() {
    sequences = 0;
    fake.messages.shown.clear();
  }
};

// One row of a box's table: what is typed, what the box then shows, the message and the
// number of recomputes.
struct BoxCase {
  const char* typed;     // "." stands for the locale's separator; "~" for the other one
  const char* expected;  // "." stands for the locale's separator
  bool notUnderstood;    // the message is "Entry is not understood."
  int recomputes;
  const char* message = nullptr;  // another message, when not notUnderstood
};

// A typed text of a table row for the separator sep.
inline QString typedText(const char* typed, QChar sep) {
  QString t = withSep(QString::fromUtf8(typed), sep);
  t.replace(QLatin1Char('~'), sep == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.'));
  return t;
}

// Types each case into the box (a fresh window per case) with both separators.
template <class PickBox>
void RunBoxTable(PickBox box, const std::vector<BoxCase>& cases,
                 void (*setUp)(EntryFixture&) = nullptr) {
  for (QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
    for (const BoxCase& c : cases) {
      EntryFixture s(sep);
      if (setUp) setUp(s);
      s.reset();
      const QString typed = typedText(c.typed, sep);
      s.leave(box(s.f), typed);
      SCOPED_TRACE(QStringLiteral("typed \"%1\" with separator %2").arg(typed, sep).toStdString());
      EXPECT_EQ(box(s.f).Text, withSep(QString::fromUtf8(c.expected), sep));
      QStringList expected;
      if (c.notUnderstood) expected << mainwindow::kNotUnderstood;
      if (c.message) expected << QString::fromUtf8(c.message);
      EXPECT_EQ(s.messages(), expected);
      EXPECT_EQ(s.sequences, c.recomputes);
    }
  }
}

// Texts no entry box should choke on.
inline QStringList HostileTexts() {
  return {"", " ", "   ", "abc", "1e999", "-1e999", "1e-999", "-0", "nan",
          "inf", "-inf", "0x1F", "k", "1k2k3", "..", ",", "-", "1e38k",
          QString(10000, QLatin1Char('9')), QString(10000, QLatin1Char('x')),
          QString::fromUtf8("µµ"), QString::fromUtf8("１２３"),
          QString::fromUtf8("2,5€"), QString::fromUtf8("😀5")};
}
