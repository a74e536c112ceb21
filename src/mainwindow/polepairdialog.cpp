#include "mainwindow/polepairdialog.h"

#include <array>
#include <cmath>
#include <memory>
#include <optional>

#include "engine/engnotation.h"
#include "engine/rounding.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/entryboxes.h"
#include "mainwindow/frequencyboxes.h"
#include "mainwindow/listchoices.h"
#include "mainwindow/poleboxes.h"

namespace mainwindow {

namespace {

constexpr int kDigits = 5;
const QString kHertz = QStringLiteral("Hz");

struct EntryNames {
  const char* first;
  const char* second;
};
// The names of the two entries, by format.
constexpr EntryNames kEntryNames[] = {{"-a", "\u00B1j\u00DF"}, {"b0", "b1"}, {"Fn", "Q"}};

std::optional<PoleEntryFormat> chosenFormat(const PolePairEntryForm& d) {
  const int index = d.DataType.ListIndex();
  if (index < 0 || index > 2) return std::nullopt;
  return static_cast<PoleEntryFormat>(index);
}

// A positive finite value that a box can hold in single precision.
std::optional<double> usable(double v) {
  const float s = engine::Sng(v);
  if (!std::isfinite(s) || !(s > 0)) return std::nullopt;
  return v;
}

// A new frequency or Q within the limits of the section boxes, as they clamp a typed one.
std::optional<double> withinBoxLimits(std::optional<double> v) {
  if (!v) return v;
  if (BelowLimit(*v, kMinFrequency)) return kMinFrequency;
  if (AboveLimit(*v, kMaxFrequency)) return kMaxFrequency;
  return v;
}

QString plainText(const CalverdonForm& f, double v) { return EngText(f, v, kDigits); }
QString hertzText(const CalverdonForm& f, double v) {
  return engine::Engsuffix(engine::Sng(v), kDigits, kHertz, f.DecimalSep);
}

// The Q row: its names, entry and values are shown only for a section with Q.
void showQRow(PolePairEntryForm& d, bool shown) {
  for (forms::Control* c : std::initializer_list<forms::Control*>{
           &d.Label3, &d.Label4, &d.Text2, &d.Label13, &d.Label8, &d.Label11})
    c->Visible = shown;
}

// The new frequency and Q of the entries, by format; nothing when they give no real, stable
// section.
struct NewValues {
  QString fn, q;
};
std::optional<NewValues> newValues(const CalverdonForm& f, const PolePairEntryForm& d,
                                   PoleEntryFormat format) {
  const double fc = f.DesignCutoff;
  if (!usable(fc)) return std::nullopt;
  const std::optional<double> x = EngNumber(f, d.Text1.Text);
  const std::optional<double> y = EngNumber(f, d.Text2.Text);
  if (!x || !(*x > 0)) return std::nullopt;

  if (!d.HasQ()) {
    // As a frequency the text is taken as typed, unless it lies beyond the box limits; the
    // real pole -a, or the coefficient b0, are both Fn / fc.
    const bool asTyped = format == PoleEntryFormat::FnAndQ;
    const std::optional<double> typed = usable(asTyped ? *x : *x * fc);
    const std::optional<double> fn = withinBoxLimits(typed);
    if (!fn) return std::nullopt;
    return NewValues{asTyped && *fn == *typed ? d.Text1.Text : hertzText(f, *fn),
                     d.Label8.Caption};
  }
  if (!y) return std::nullopt;
  std::optional<double> fn, q;
  switch (format) {
    case PoleEntryFormat::ComplexTerms: {
      const double radius = std::hypot(*x, *y);
      fn = usable(radius * fc);
      q = usable(radius / (2 * *x));
      break;
    }
    case PoleEntryFormat::PoleLocations:
      if (!(*y > 0)) return std::nullopt;
      fn = usable(std::sqrt(*x) * fc);
      q = usable(std::sqrt(*x) / *y);
      break;
    case PoleEntryFormat::FnAndQ:
      fn = usable(*x);
      q = usable(*y);
      break;
  }
  fn = withinBoxLimits(fn);
  q = withinBoxLimits(q);
  if (!fn || !q) return std::nullopt;
  return NewValues{hertzText(f, *fn), plainText(f, *q)};
}

void registerHandlers(CalverdonForm& f, PolePairEntryForm& d) {
  auto change = [&f, &d](forms::EventArgs&) { DataType_Change(f, d); };
  d.on(QStringLiteral("DataType"), forms::Event::Click, change);
  d.on(QStringLiteral("DataType"), forms::Event::LostFocus, change);
  auto recalc = [&f, &d](forms::EventArgs&) { calculate(f, d, true); };
  d.on(QStringLiteral("Text1"), forms::Event::Validate, recalc);
  d.on(QStringLiteral("Text2"), forms::Event::Validate, recalc);
  d.on(QStringLiteral("Command1"), forms::Event::Click,
       [&f, &d](forms::EventArgs&) { Command1_Click(f, d); });
  d.on(QStringLiteral("Command2"), forms::Event::Click,
       [&f, &d](forms::EventArgs&) { Command2_Click(f, d); });
  d.on(QStringLiteral("Apply"), forms::Event::Click,
       [&f, &d](forms::EventArgs&) { Apply_Click(f, d); });
}

}  // namespace

PolePairEntryForm::PolePairEntryForm() : forms::Form(QStringLiteral("PolePairEntryForm")) {
  Caption = QStringLiteral("Calverdon Custom Pole Entry");
  Width = 5520;
  Height = 2640;
  place(Label6, QStringLiteral("Label6"), nullptr, 120, 210, 1200, 255)
      .text(QStringLiteral("Entry format"));
  place(DataType, QStringLiteral("DataType"), nullptr, 1440, 165, 2415, 315).tab(0);
  for (const char* format : {"Complex Terms", "Pole Locations", "Fn & Q"})
    DataType.AddItem(QLatin1String(format));

  constexpr int kHead = 720, kFnRow = 1080, kQRow = 1500;
  static constexpr int kLabelDrop = 30, kEntry = 120, kPresent = 2040, kNew = 3780,
                       kValue = 360, kW = 1260;
  place(Label7, QStringLiteral("Label7"), nullptr, kEntry, kHead, 1740, 255)
      .text(QStringLiteral("Entry"));
  place(Label5, QStringLiteral("Label5"), nullptr, kPresent, kHead, 1620, 255)
      .text(QStringLiteral("Present values"));
  place(Label12, QStringLiteral("Label12"), nullptr, kNew, kHead, 1620, 255)
      .text(QStringLiteral("New values"));

  // One row per value: the entry, the present and the new value, each after its name.
  struct Named {
    forms::Control& control;
    const char* name;
  };
  auto row = [this](int top, const char* caption, int tab, const std::array<Named, 6>& c) {
    auto at = [this](const Named& n, int left, int y, int width, int height) {
      return place(n.control, QLatin1String(n.name), nullptr, left, y, width, height);
    };
    at(c[0], kEntry, top + kLabelDrop, 480, 255).text(QLatin1String(caption));
    at(c[1], kEntry + 480, top, kW, 285).tab(tab);
    at(c[2], kPresent, top + kLabelDrop, kValue, 255).text(QLatin1String(caption));
    at(c[3], kPresent + kValue, top, kW, 285);
    at(c[4], kNew, top + kLabelDrop, kValue, 255).text(QLatin1String(caption));
    at(c[5], kNew + kValue, top, kW, 285);
  };
  row(kFnRow, "Fn", 1,
      {{{Label14, "Label14"}, {Text1, "Text1"}, {Label1, "Label1"}, {Label2, "Label2"},
        {Label10, "Label10"}, {Label9, "Label9"}}});
  row(kQRow, "Q", 2,
      {{{Label13, "Label13"}, {Text2, "Text2"}, {Label4, "Label4"}, {Label3, "Label3"},
        {Label11, "Label11"}, {Label8, "Label8"}}});
  for (forms::Label* value : {&Label2, &Label3, &Label9, &Label8}) {
    value->BorderStyle = 1;
    value->BackColor = forms::kWhite;
  }

  constexpr int kButtonTop = 2040, kButtonW = 1095, kButtonH = 405;
  place(Command1, QStringLiteral("Command1"), nullptr, 1860, kButtonTop, kButtonW, kButtonH)
      .text(QStringLiteral("OK"))
      .tab(3);
  Command1.Default = true;
  place(Command2, QStringLiteral("Command2"), nullptr, 3060, kButtonTop, kButtonW, kButtonH)
      .text(QStringLiteral("Cancel"))
      .tab(4);
  place(Apply, QStringLiteral("Apply"), nullptr, 4260, kButtonTop, kButtonW, kButtonH)
      .text(QStringLiteral("Apply"))
      .tab(5);
}

PolePairEntryForm& PolePairDialog(CalverdonForm& f) {
  if (!f.PolePairEntry) {
    f.PolePairEntry = std::make_shared<PolePairEntryForm>();
    PolePairEntryForm& d = *f.PolePairEntry;
    registerHandlers(f, d);
    // Loaded with the frequency-and-Q format chosen.
    d.DataType.SetListIndex(static_cast<int>(PoleEntryFormat::FnAndQ));
  }
  return *f.PolePairEntry;
}

void OpenPolePairDialog(CalverdonForm& f, int row) {
  if (row < 0 || row >= kMaxStages) return;
  PolePairEntryForm& d = PolePairDialog(f);
  f.PoleEntrySection = row;
  d.Label2.Caption = f.FnInput[row].Text;
  const bool hasQ = f.QInput[row].Visible;
  if (hasQ) d.Label3.Caption = f.QInput[row].Text;
  showQRow(d, hasQ);
  DataType_Change(f, d);
  f.requestSync();
  if (f.svc.windows) f.svc.windows->show(d, false);
}

void DataType_Change(CalverdonForm& f, PolePairEntryForm& d) {
  const std::optional<PoleEntryFormat> format = chosenFormat(d);
  if (format) {
    const EntryNames& names = kEntryNames[static_cast<int>(*format)];
    d.Label14.Caption = QString::fromUtf8(names.first);
    d.Label13.Caption = QString::fromUtf8(names.second);

    // Present values that give no real entry leave it empty.
    const double fc = f.DesignCutoff;
    const std::optional<double> fn = EngNumber(f, d.Label2.Caption);
    const std::optional<double> u =
        fn && usable(fc) ? usable(*fn / fc) : std::optional<double>();
    const std::optional<double> q = EngNumber(f, d.Label3.Caption);
    auto entry = [&f](std::optional<double> v) {
      return v && std::isfinite(engine::Sng(*v)) ? plainText(f, *v) : QString();
    };
    if (*format == PoleEntryFormat::FnAndQ) {
      d.Text1.Text = d.Label2.Caption;
      if (d.HasQ()) d.Text2.Text = d.Label3.Caption;
    } else if (!d.HasQ()) {
      d.Text1.Text = entry(u);
    } else if (*format == PoleEntryFormat::ComplexTerms) {
      const bool complexPair = u && q && *q >= 0.5;
      d.Text1.Text = entry(complexPair ? std::optional(*u / (2 * *q)) : std::nullopt);
      d.Text2.Text =
          entry(complexPair ? std::optional(*u * std::sqrt(1 - 0.25 / (*q * *q))) : std::nullopt);
    } else {
      const bool positiveQ = u && q && *q > 0;
      d.Text1.Text = entry(u ? std::optional(*u * *u) : std::nullopt);
      d.Text2.Text = entry(positiveQ ? std::optional(*u / *q) : std::nullopt);
    }
  }
  calculate(f, d, false);
}

bool calculate(CalverdonForm& f, PolePairEntryForm& d, bool answer) {
  const std::optional<PoleEntryFormat> format = chosenFormat(d);
  if (!format) return false;
  const std::optional<NewValues> values = newValues(f, d, *format);
  d.ResultValid = values.has_value();
  if (!values) {
    d.Label9.Caption.clear();
    if (d.HasQ()) d.Label8.Caption.clear();
    if (answer) f.Message(kNotUnderstood);
    return false;
  }
  d.Label9.Caption = values->fn;
  d.Label8.Caption = values->q;
  return true;
}

void Apply_Click(CalverdonForm& f, PolePairEntryForm& d) {
  // The design may have changed while the dialog was open: a section that can no longer be
  // edited here takes nothing.
  const int row = f.PoleEntrySection;
  if (!d.ResultValid || !PolePairEditable(f, row)) return;
  const bool high = f.HighPassHalf == 1;
  f.FnInput[row].Text = d.Label9.Caption;
  (high ? f.HighPassFnText : f.LowPassFnText)[row] = d.Label9.Caption;
  if (d.HasQ()) {
    f.QInput[row].Text = d.Label8.Caption;
    (high ? f.QTextHP : f.QTextLP)[row] = d.Label8.Caption;
  }
  // One display pass, whatever the busy flag.
  f.updatescreen();
}

void Command1_Click(CalverdonForm& f, PolePairEntryForm& d) {
  if (!calculate(f, d, true)) return;
  Apply_Click(f, d);
  if (f.svc.windows) f.svc.windows->close(d);
}

void Command2_Click(CalverdonForm& f, PolePairEntryForm& d) {
  if (f.svc.windows) f.svc.windows->close(d);
}

bool PolePairEditable(const CalverdonForm& f, int i) {
  if (i < 0 || i >= kMaxStages) return false;
  const std::optional<engine::PassBand> band = ChosenPassBand(f);
  if (!band || engine::IsBandPassOrNotch(*band)) return false;
  // The total view combines the two halves: no section of it is edited there.
  if (engine::IsTwoHalves(*band) && f.LowPassViewT.Visible) return false;
  if (!f.FnInput[i].Visible) return false;
  // Every format is normalised to the design frequency.
  return f.DesignCutoff > 0 && std::isfinite(f.DesignCutoff);
}

void FnInput_DblClick(CalverdonForm& f, int i) {
  if (!PolePairEditable(f, i) || f.FnInput[i].Text.trimmed().isEmpty()) return;
  OpenPolePairDialog(f, i);
}

}  // namespace mainwindow
