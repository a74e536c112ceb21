#include "designview/valuestable.h"

#include <cmath>

#include "designview/sensitivities.h"
#include "engine/engnotation.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/listchoices.h"

namespace designview {

namespace {

using engine::BuiltStage;
using engine::Part;

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

// "--; --" with blanks around it: the cell of a component the stage does not have.
QString none(int before, int after) {
  return blanks(before) + QStringLiteral("--; --") + blanks(after);
}
QString none3(int a, int b, int c, int d) {
  return blanks(a) + QStringLiteral("--; --") + blanks(b) + QStringLiteral("--; --") + blanks(c) +
         QStringLiteral("--; --") + blanks(d);
}
QString none2(int a, int b, int c) {
  return blanks(a) + QStringLiteral("--; --") + blanks(b) + QStringLiteral("--; --") + blanks(c);
}

const char* const kRowNames[5] = {"A    ", "B    ", "C    ", "D    ", "E    "};

// The part of the high-pass stage that replaces a prototype part: a capacitor C becomes the
// resistor 1/(2 pi f0 C), a resistor R the capacitor 1/(2 pi fh R), with fh = fc^2 / f0.
double exchanged(double value, double freq) {
  const double v = 1.0 / (2.0 * engine::Pi * freq * value);
  return std::isfinite(v) ? v : 0.0;
}

struct Formatter {
  const CalverdonForm& f;
  QString eng(double v, const QString& units) const {
    return engine::Engsuffix(engine::Sng(v), f.DisplayDigits, units, f.DecimalSep);
  }
};

}  // namespace

QString SensitivityCell(const CalverdonForm& f, const BuiltStage& s, Part part) {
  const bool highPass = f.HighPassHalf == 1;
  const std::optional<engine::RealisedSection> a =
      engine::AnalyzeBuiltStage(engine::WithPartRaised(s, part, highPass));
  if (!a) return QString();
  return SensitivityText(f.PoleB0[s.Section], f.PoleB1[s.Section], a->b0, a->b1, f.DecimalSep,
                         highPass);
}

QString ValuesTableHeader(int circuitMode, int highPassHalf) {
  const QString s = QStringLiteral("Section");
  if (circuitMode == 1)
    return s + blanks(7) + "R1" + blanks(14) + "R2" + blanks(15) + "R3" + blanks(15) + "R4" +
           blanks(15) + "C1" + blanks(15) + "C2";
  if (highPassHalf == 1)
    return s + blanks(7) + "R1" + blanks(15) + "R2" + blanks(15) + "C1" + blanks(15) + "C2" +
           blanks(15) + "C3";
  return s + blanks(7) + "R1" + blanks(15) + "R2" + blanks(15) + "R3" + blanks(15) + "C1" +
         blanks(15) + "C2";
}

void ValuesTableRow(CalverdonForm& f, const BuiltStage& s) {
  const int k = s.Section;
  if (k < 1 || k > 5) return;
  f.DisplayDigits = 3;
  const bool sk = f.CircuitMode == 1;
  const bool mfb = f.CircuitMode == 0;
  const bool highPass = f.HighPassHalf == 1;
  const bool fd = mainwindow::FullyDifferentialChosen(f);
  const int q = f.SectionCount - k + 1 - f.RealPoleShift;
  const bool real = f.PoleCount % 2 != 0 && k == f.SectionCount;
  const QString rowName = real ? QStringLiteral("Real")
                               : (q >= 1 && q <= 5 ? QLatin1String(kRowNames[q - 1]) : QString());
  const int i = f.SectionCount - k - f.RealPoleShift;  // label element
  forms::TextBox* row = f.ValuesTableRow(46 - k);

  f.Label40.Caption = ValuesTableHeader(f.CircuitMode, f.HighPassHalf);

  const Formatter fm{f};
  const double f0 = s.F0;
  const double fh = f0 > 0 ? double(f.DesignCutoff) * f.DesignCutoff / f0 : 0.0;
  const double c2Shown = fd ? s.C2 / 2.0 : s.C2;

  if (f.ValueDisplay == 2) {
    // Labels: sensitivities of the prototype part of the same name.
    if (sk || mfb) {
      auto cell = [&](Part p) { return SensitivityCell(f, s, p); };
      if (real) {
        f.RealR.Caption = cell(Part::R1);
        f.RealC.Caption = cell(Part::C1);
      } else if (i >= 0 && i < 5) {
        f.R1[i].Caption = cell(Part::R1);
        f.R2[i].Caption = cell(Part::R2);
        f.R3[i].Caption = cell(Part::R3);
        if (sk) f.R4[i].Caption = cell(Part::R4);
        f.C1L[i].Caption = cell(Part::C1);
        f.C2L[i].Caption = cell(Part::C2);
      }
    }
    // Table: component values.
    auto res = [&](double v) { return fm.eng(v, QStringLiteral(" ")); };
    auto cap = [&](double v) { return fm.eng(v, QString()); };
    QString text;
    if (!highPass) {
      if (real) {
        text = rowName + blanks(6) + res(s.R1) + (sk ? none3(9, 13, 12, 10) : none2(10, 13, 8)) +
               cap(s.C1);
      } else {
        text = rowName + blanks(6) + res(s.R1) + blanks(9) + res(s.R2) + blanks(9) +
               (s.R3 != 0 ? res(s.R3) : none(2, 4));
        if (sk) {
          // A stage without a gain network has no R4 (its value text would be "0").
          const bool noR4 = s.R4 == 0.0f || !std::isfinite(s.R4);
          text += blanks(5) + blanks(4) + (noR4 ? none(3, 2) : res(s.R4));
        }
        text += blanks(8) + cap(s.C1) + blanks(8) + cap(c2Shown);
      }
    } else if (real) {
      text = rowName + blanks(5) + res(exchanged(s.C1, f0)) +
             (sk ? none3(9, 13, 12, 8) : none2(10, 13, 8)) + cap(exchanged(s.R1, fh)) + blanks(5);
    } else if (mfb) {
      text = rowName + blanks(7) + res(exchanged(s.C1, f0)) + blanks(8) +
             res(exchanged(c2Shown, f0)) + blanks(8) + cap(exchanged(s.R1, fh)) + blanks(9) +
             cap(exchanged(s.R2, fh)) +
             (s.R3 != 0 ? blanks(9) + cap(exchanged(s.R3, fh)) : none2(9, 12, 5));
    } else {
      text = rowName + blanks(7) + res(exchanged(s.C1, f0)) + blanks(8) +
             res(exchanged(c2Shown, f0)) +
             (s.R3 != 0 ? blanks(9) + res(s.R3) : none2(9, 12, 5)) +
             (s.R4 != 0 ? blanks(7) + res(s.R4) : QString()) + blanks(8) +
             cap(exchanged(s.R1, fh)) + blanks(9) + cap(exchanged(s.R2, fh));
    }
    if (row) row->Text = text;
    return;
  }

  if (f.ValueDisplay != 0) return;

  // Table: sensitivities.
  if (sk || mfb) {
    auto S = [&](Part p) { return SensitivityCell(f, s, p); };
    const bool gainNetwork = s.Gain > 1.0f;
    QString text = rowName;
    if (!highPass && sk) {
      text += blanks(5) + S(Part::R1);
      if (real) {
        text += none3(7, 10, 10, 8) + blanks(2) + S(Part::C1);
      } else {
        text += blanks(2) + S(Part::R2) +
                (gainNetwork ? blanks(2) + S(Part::R3) + blanks(2) + S(Part::R4)
                             : none2(6, 13, 6)) +
                blanks(2) + S(Part::C1) + blanks(2) + S(Part::C2);
      }
    } else if (!highPass) {
      text += blanks(5) + S(Part::R1);
      if (real)
        text += none2(5, 10, 8) + blanks(4) + S(Part::C1);
      else
        text += blanks(4) + S(Part::R2) + blanks(4) + S(Part::R3) + blanks(4) + S(Part::C1) +
                blanks(4) + S(Part::C2);
    } else if (sk) {
      text += blanks(5) + S(Part::C1);
      if (real) {
        text += none3(7, 11, 11, 8) + blanks(2) + S(Part::R1);
      } else {
        text += blanks(5) + S(Part::C2) +
                (gainNetwork ? blanks(3) + S(Part::R3) + blanks(3) + S(Part::R4)
                             : none2(6, 13, 6)) +
                blanks(2) + S(Part::R1) + blanks(2) + S(Part::R2);
      }
    } else {
      text += blanks(4) + S(Part::C1);
      if (real)
        text += none2(6, 12, 10) + blanks(4) + S(Part::R1);
      else
        text += blanks(4) + S(Part::C2) + blanks(5) + S(Part::R1) + blanks(4) + S(Part::R2) +
                blanks(4) + S(Part::R3);
    }
    if (row) row->Text = text;
  }

  // Labels: component values.
  const QString rUnits = QStringLiteral("   "), cUnits = QStringLiteral("  ");
  auto res = [&](double v) { return fm.eng(v, rUnits); };
  auto cap = [&](double v) { return fm.eng(v, cUnits); };
  if (!highPass) {
    if (real) {
      f.RealR.Caption = res(s.R1);
      f.RealC.Caption = cap(fd ? s.C1 / 2.0 : s.C1);
    } else if (i >= 0 && i < 5) {
      f.R1[i].Caption = res(s.R1);
      f.R2[i].Caption = res(s.R2);
      f.R3[i].Caption = res(s.R3);
      f.R4[i].Caption = res(s.R4);
      f.C1L[i].Caption = cap(s.C1);
      f.C2L[i].Caption = cap(c2Shown);
    }
    return;
  }
  if (real) {
    f.RealR.Caption = cap(exchanged(s.R1, fh));
    // The fully differential real pole bridges the two lines with the part in C1's place:
    // each line sees half of it to the virtual ground between them. The low-pass bridging
    // capacitor is therefore C1/2, and the high-pass bridging resistor the one exchanged for
    // C1/2, twice the single-ended one (as C2 of the fully differential stages).
    f.RealC.Caption = res(exchanged(fd ? s.C1 / 2.0 : s.C1, f0));
  } else if (i >= 0 && i < 5) {
    f.R1[i].Caption = cap(exchanged(s.R1, fh));
    f.R2[i].Caption = cap(exchanged(s.R2, fh));
    if (sk) {
      if (s.R3 != 0) f.R3[i].Caption = res(s.R3);
      if (s.R4 != 0) f.R4[i].Caption = res(s.R4);
    } else if (s.R3 != 0) {
      f.R3[i].Caption = cap(exchanged(s.R3, fh));
    }
    f.C1L[i].Caption = res(exchanged(s.C1, f0));
    f.C2L[i].Caption = res(exchanged(c2Shown, f0));
  }
}

}  // namespace designview
