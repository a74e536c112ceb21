#pragma once
// The main window with the entry handlers registered (no list handlers). The recompute sequence
// is a counter that also records how deeply sequences nest; the axis decades follow the
// legend captions as the graph computes them.
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <ostream>

#include "engine/engnotation.h"
#include "forms/events.h"
#include "mainwindow/entryhandlers.h"
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

  explicit EntryFixture(QChar sep = QLatin1Char('.')) : WindowFixture(sep) {
    mainwindow::RegisterEntryHandlers(f);
    f.hub.SequenceUpdateScreen = [this] {
      ++sequences;
      ++depth;
      deepest = std::max(deepest, depth);
      --depth;
      return 0;
    };
    f.hub.CalcDecades = [this] {
      const double start = engine::EngValue(f.Gfreq[0].Caption, f.DecimalSep).value_or(0);
      const double end = engine::EngValue(f.Gfreq[3].Caption, f.DecimalSep).value_or(0);
      f.AxisDecades = start != 0 && end != 0 ? static_cast<float>(std::log10(end / start)) : 3;
      if (f.AxisDecades == 0) f.AxisDecades = 3;
    };
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
