// Runs a fixed grid of designs through the whole window model (lists and boxes set as a design
// file sets them, then the recompute sequence) and writes everything the window shows and keeps:
// every control's properties and drawings, the section coefficients, the sweep, the plotted
// points, the messages and the saved design file. Two builds that write the same text show the
// same designs; structural changes are checked by comparing the output before and after.
//
//   designdump OUTPUT-FILE
#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdio>
#include <memory>
#include <vector>

#include "designfiles/designfile.h"
#include "fakes/fake_services.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/startup.h"
#include "wiring/mainwindowwiring.h"

namespace {

struct Capture : designfiles::FileWriter {
  QByteArray bytes;
  bool write(const QString&, const QByteArray& b) override {
    bytes = b;
    return true;
  }
};

struct Case {
  const char* band;
  QString response;
  int poles;
  int highPoles;
  int circuit;
  int resistors;
  int capacitors;
  bool values;
  QChar sep;
  QString cutoff, edge2, ripple;
  std::vector<QString> gains;
  std::vector<QString> fn, q;  // custom sections, stage A first
  bool threePole = false;
  QString c1 = {}, c2 = {}, c1Real = {};  // entered capacitors of every stage and of the real pole
};

class Writer {
 public:
  explicit Writer(QByteArray& out) : out_(out) {}
  void line(const QString& s) {
    out_ += s.toUtf8();
    out_ += '\n';
  }
  static QString num(double v) { return QString::asprintf("%.17g", v); }
  static QString numf(float v) { return QString::asprintf("%.9g", double(v)); }

 private:
  QByteArray& out_;
};

QString bools(bool v) { return v ? QStringLiteral("1") : QStringLiteral("0"); }

void dumpDrawing(Writer& w, const QString& who, const forms::DisplayList& d) {
  for (const auto& l : d.lines)
    w.line(who + " L " + Writer::numf(l.x1) + ' ' + Writer::numf(l.y1) + ' ' + Writer::numf(l.x2) +
           ' ' + Writer::numf(l.y2) + ' ' + QString::number(l.color) + ' ' +
           QString::number(l.width));
  for (const auto& t : d.texts)
    w.line(who + " T " + Writer::numf(t.x) + ' ' + Writer::numf(t.y) + " [" + t.text + "] " +
           QString::number(t.color) + ' ' + Writer::numf(t.fontSize) + ' ' + bools(t.bold));
}

void dumpForm(Writer& w, mainwindow::CalverdonForm& f) {
  w.line("caption " + f.Caption + " pointer " + QString::number(f.MousePointer()));
  dumpDrawing(w, QStringLiteral("form"), f.drawing);
  for (const forms::Control* c : f.controls()) {
    QString s = c->displayName() + " v" + bools(c->Visible) + " e" + bools(c->Enabled) + " b" +
                QString::number(c->BackColor) + " f" + QString::number(c->ForeColor) + " @" +
                QString::number(c->Left) + ',' + QString::number(c->Top) + ',' +
                QString::number(c->Width) + ',' + QString::number(c->Height) + " tip[" +
                c->ToolTipText + ']';
    switch (c->kind) {
      case forms::ControlKind::TextBox:
        s += " [" + static_cast<const forms::TextBox*>(c)->Text + ']';
        break;
      case forms::ControlKind::Label:
        s += " [" + static_cast<const forms::Label*>(c)->Caption + ']';
        break;
      case forms::ControlKind::CommandButton:
        s += " [" + static_cast<const forms::CommandButton*>(c)->Caption + ']';
        break;
      case forms::ControlKind::Frame:
        s += " [" + static_cast<const forms::Frame*>(c)->Caption + ']';
        break;
      case forms::ControlKind::ComboBox: {
        const auto* cb = static_cast<const forms::ComboBox*>(c);
        s += " " + QString::number(cb->ListIndex()) + " [" + cb->Text() + "] {" +
             cb->items().join('|') + '}';
        break;
      }
      case forms::ControlKind::CheckBox:
        s += " " + QString::number(static_cast<const forms::CheckBox*>(c)->Value());
        break;
      case forms::ControlKind::OptionButton:
        s += " " + bools(static_cast<const forms::OptionButton*>(c)->Value());
        break;
      case forms::ControlKind::Image:
        s += " pic[" + static_cast<const forms::Image*>(c)->Picture + ']';
        break;
      case forms::ControlKind::Line: {
        const auto* l = static_cast<const forms::Line*>(c);
        s += " " + QString::number(l->X1) + ',' + QString::number(l->Y1) + ',' +
             QString::number(l->X2) + ',' + QString::number(l->Y2);
        break;
      }
      case forms::ControlKind::MenuItem:
        s += " [" + static_cast<const forms::MenuItem*>(c)->Caption + "] " +
             bools(static_cast<const forms::MenuItem*>(c)->Checked);
        break;
      case forms::ControlKind::PictureBox: {
        const auto* p = static_cast<const forms::PictureBox*>(c);
        s += " pic[" + p->Picture + ']';
        w.line(s);
        dumpDrawing(w, c->displayName(), p->drawing);
        continue;
      }
      default:
        break;
    }
    w.line(s);
  }
  auto arrF = [&w](const char* name, const auto& a) {
    QString s = QString::fromLatin1(name);
    for (auto v : a) s += ' ' + Writer::numf(float(v));
    w.line(s);
  };
  auto arrD = [&w](const char* name, const auto& a) {
    QString s = QString::fromLatin1(name);
    for (auto v : a) s += ' ' + Writer::num(double(v));
    w.line(s);
  };
  arrF("PoleB0", f.PoleB0);
  arrF("PoleB1", f.PoleB1);
  arrF("SectionC1", f.SectionC1);
  arrF("SectionC2", f.SectionC2);
  arrF("SectionGain", f.SectionGain);
  arrF("StageF0", f.StageF0);
  arrF("StageGainActual", f.StageGainActual);
  arrD("SweepFreq", f.SweepFreq);
  arrD("SweepGainDb", f.SweepGainDb);
  arrD("SweepPhase", f.SweepPhase);
  arrD("PlotGain", f.PlotGain);
  arrF("PlotPhase", f.PlotPhase);
  arrD("PlotGroupDelay", f.PlotGroupDelay);
  w.line("state " + QString::number(f.SectionCount) + ' ' + QString::number(f.PoleCount) + ' ' +
         Writer::numf(f.DesignCutoff) + ' ' + Writer::numf(f.ScaleResistor) + ' ' +
         QString::number(f.CircuitMode) + ' ' + QString::number(f.CapDivisor) + ' ' +
         Writer::numf(f.TotalGainDb) + ' ' + Writer::numf(f.CustomQProduct));
}

void runCase(Writer& w, const Case& c, int number) {
  fakes::FakeServices fake;
  auto form = std::make_unique<mainwindow::CalverdonForm>(fake.services());
  mainwindow::CalverdonForm& f = *form;
  wiring::WireMainWindow(f, {});
  mainwindow::SetStartDefaults(f, c.sep);
  auto sep = [&c](QString t) {
    t.replace(QLatin1Char('.'), c.sep);
    return t;
  };

  f.SuppressUpdate = true;
  f.Passband.SetText(QString::fromLatin1(c.band));
  f.TypeFilter.SetText(c.response);
  f.CircuitType.SetListIndex(c.circuit);
  f.ResistorList.SetListIndex(c.resistors);
  f.CapacitorList.SetListIndex(c.capacitors);
  f.Text18.Text = QString::number(c.poles);
  f.Text1.Text = QString::number(c.highPoles);
  f.Text34.Text = sep(c.cutoff);
  f.Text2.Text = sep(c.edge2);
  f.Text19.Text = sep(c.ripple);
  for (int i = 0; i < 5; ++i) {
    f.GainTB[i].Text = i < int(c.gains.size()) ? sep(c.gains[i]) : QString();
    if (i < int(c.fn.size())) f.FnInput[i].Text = sep(c.fn[i]);
    if (i < int(c.q.size())) f.QInput[i].Text = sep(c.q[i]);
  }
  for (int i = 0; i < 5; ++i) {
    f.C1Entry[i].Text = sep(c.c1);
    f.C2Entry[i].Text = sep(c.c2);
  }
  f.C1RealEntry.Text = sep(c.c1Real);
  f.ThreePole.Checked = c.threePole;
  if (c.values)
    f.CompValue.SetValue(true);
  else
    f.SensTrue.SetValue(true);
  f.SuppressUpdate = false;

  w.line(QStringLiteral("=== case %1 %2 | %3 | %4/%5 poles | circuit %6 | R%7 C%8 | %9")
             .arg(number)
             .arg(QString::fromLatin1(c.band), c.response)
             .arg(c.poles)
             .arg(c.highPoles)
             .arg(c.circuit)
             .arg(c.resistors)
             .arg(c.capacitors)
             .arg(c.values ? "values" : "sensitivities"));
  w.line("rc " + QString::number(f.SequenceUpdateScreen()));
  dumpForm(w, f);

  // A second edit on the same window: the cutoff moves, the design is computed again with
  // whatever the first pass left in the boxes.
  f.Text34.Text = sep(QStringLiteral("1.37k"));
  w.line("--- second edit rc " + QString::number(f.SequenceUpdateScreen()));
  dumpForm(w, f);

  Capture capture;
  designfiles::SetFileWriter(&capture);
  const bool saved = designfiles::SaveSub(f, QStringLiteral("/nonexistent/design.cvf"));
  designfiles::SetFileWriter(nullptr);
  w.line("--- saved " + bools(saved));
  w.line(QString::fromLatin1(capture.bytes.toHex()));
  w.line("messages " + fake.messages.texts().join(QStringLiteral(" || ")));
}

std::vector<Case> grid() {
  std::vector<Case> cases;
  const QString responses[6] = {"Butterworth",        "Bessel",
                                "Chebychev",          "Linear Phase, 0.05",
                                "Linear Phase, 0.5", "Gaussian 12dB"};
  const QChar dot = QLatin1Char('.'), comma = QLatin1Char(',');
  // Low-pass and high-pass: every response, 1..10 poles, three circuits, three resistor series,
  // both value displays.
  for (const char* band : {"Low-Pass", "High-Pass"})
    for (int r = 0; r < 6; ++r)
      for (int n = 1; n <= 10; ++n)
        for (int circuit = 0; circuit < 3; ++circuit)
          for (int res : {0, 2, 4})
            for (bool values : {true, false}) {
              Case c{band, responses[r], n, n, circuit, res, (n + res) % 3, values,
                     (n + circuit) % 4 == 0 ? comma : dot, "1k", "5k", "0.5", {}, {}, {}};
              if (n % 3 == 0) c.gains = {"2", "1.5", "3", "1", "2.5"};
              if (n % 4 == 1) c.threePole = true;
              c.cutoff = n % 2 ? "2.2k" : "150";
              cases.push_back(c);
            }
  // Wide band-pass and band-reject total views.
  for (const char* band : {"Wide Band-Pass", "Band-Reject"})
    for (int r = 0; r < 6; ++r)
      for (int n : {2, 3, 4, 5, 8})
        for (int circuit = 0; circuit < 3; ++circuit)
          for (int res : {1, 2, 3, 5}) {
            Case c{band, responses[r], n, 10 - n, circuit, res, circuit, res != 2,
                   circuit == 2 ? comma : dot, "", "", "1", {}, {}, {}};
            const bool wbp = band[0] == 'W';
            c.cutoff = wbp ? "10k" : "300";  // low-pass edge
            c.edge2 = wbp ? "300" : "10k";   // high-pass edge
            if (n == 4) std::swap(c.cutoff, c.edge2);  // out of order: swapped with a notice
            if (n == 3) c.gains = {"2"};
            cases.push_back(c);
          }
  // Custom responses, band-pass and notch (their panels), and odd entries.
  for (const char* band : {"Low-Pass", "High-Pass"})
    for (int n = 2; n <= 10; ++n)
      for (int circuit = 0; circuit < 3; ++circuit) {
        Case q{band, "Custom Q", n, n, circuit, 4, 1, true, dot, "1k", "5k", "1", {}, {}, {}};
        cases.push_back(q);
        Case fq{band, "Custom Fn&Q", n, n, circuit, 3, 2, circuit != 1, dot, "1k", "5k", "1",
                {}, {"1.2k", "900", "1.5k", "700", "2k"}, {"0.7", "1.3", "", "2.5", "0.6"}};
        if (n % 2) fq.q[0] = "";
        cases.push_back(fq);
      }
  for (const char* band : {"Band-Pass", "Notch"})
    for (int n = 1; n <= 5; ++n)
      for (int circuit = 0; circuit < 2; ++circuit)
        cases.push_back(Case{band, "Butterworth", n, n, circuit, 4, 0, true, dot, "1k", "5k",
                             "1", {"2", "1", "3"}, {}, {}});
  // Capacitors entered in the stage boxes: values that fit, and values outside their limits,
  // which the synthesis replaces (emptying their boxes).
  for (const char* band : {"Low-Pass", "High-Pass"})
    for (int n = 2; n <= 10; ++n)
      for (int circuit = 0; circuit < 3; ++circuit)
        for (int set = 0; set < 2; ++set)
          for (bool useComma : {false, true}) {
            Case c{band, responses[(n + set) % 6], n, n, circuit, 4, set, true, useComma ? comma : dot,
                   "1k", "5k", "1", {}, {}, {}};
            c.c1 = set == 0 ? "10n" : "1u";
            c.c2 = set == 0 ? "100n" : "1p";
            c.c1Real = set == 0 ? "22n" : "";
            if (n % 2 == 0) c.gains = {"2", "1", "1.5"};
            cases.push_back(c);
          }
  for (const char* cutoff : {"", "abc", "0", "-5", "1e999", "200M", "0.001", "1.5 MHz", "10 k"})
    for (int circuit = 0; circuit < 3; ++circuit)
      cases.push_back(Case{"Low-Pass", "Chebychev", 5, 5, circuit, 4, 2, true, comma, cutoff,
                           "5k", "3", {"x", "0", "-2", "1e30"}, {}, {}});
  return cases;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: designdump OUTPUT-FILE\n");
    return 2;
  }
  QByteArray out;
  Writer w(out);
  const std::vector<Case> cases = grid();
  for (size_t i = 0; i < cases.size(); ++i) runCase(w, cases[i], int(i));
  QFile file(QString::fromLocal8Bit(argv[1]));
  if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size()) {
    std::fprintf(stderr, "designdump: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%zu designs written to %s\n", cases.size(), argv[1]);
  return 0;
}
