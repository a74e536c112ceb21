#include "support/spicesim.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <array>
#include <cmath>

#ifndef NGSPICE_PROGRAM
#define NGSPICE_PROGRAM "ngspice"
#endif

namespace spicetest {

namespace {

// The columns of the first plot of an ASCII raw file, by lower-case vector name; the first
// column (the sweep: frequency or time) under its own name. A real plot reads as complex
// values with no imaginary part.
struct RawPlot {
  QStringList Names;
  std::vector<std::vector<Complex>> Columns;
};

std::optional<RawPlot> ParseRaw(const QString& text, bool wantComplex, QString* error) {
  const QStringList lines = text.split(QLatin1Char('\n'));
  int vars = -1, points = -1, line = 0;
  bool complexPlot = false;
  QStringList names;
  for (; line < lines.size(); ++line) {
    const QString l = lines[line].trimmed();
    if (l.startsWith(QLatin1String("Flags:"))) complexPlot = l.contains(QLatin1String("complex"));
    if (l.startsWith(QLatin1String("No. Variables:"))) vars = l.mid(14).trimmed().toInt();
    if (l.startsWith(QLatin1String("No. Points:"))) points = l.mid(11).trimmed().toInt();
    if (l == QLatin1String("Variables:")) {
      for (int v = 0; v < vars && line + 1 < lines.size(); ++v) {
        const QStringList f = lines[++line].split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        names << (f.size() > 1 ? f[1].toLower() : QString());
      }
    }
    if (l == QLatin1String("Values:")) break;
  }
  if (vars < 1 || points < 1 || complexPlot != wantComplex || names.size() != vars ||
      line >= lines.size()) {
    *error = QStringLiteral("raw file header not understood");
    return std::nullopt;
  }
  QStringList tokens;
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  for (++line; line < lines.size() && tokens.size() < points * (vars + 1); ++line)
    tokens << lines[line].split(blanks, Qt::SkipEmptyParts);
  if (tokens.size() < points * (vars + 1)) {
    *error = QStringLiteral("raw file has fewer values than its header says");
    return std::nullopt;
  }
  RawPlot plot{names, std::vector<std::vector<Complex>>(vars)};
  for (int p = 0; p < points; ++p) {
    for (int v = 0; v < vars; ++v) {
      const QStringList pair = tokens[p * (vars + 1) + 1 + v].split(QLatin1Char(','));
      bool okRe = false, okIm = false;
      const double re = pair.value(0).toDouble(&okRe);
      double im = pair.value(1).toDouble(&okIm);
      // The frequency vector's imaginary part is not written by the simulator and may read
      // as anything, "nan" included: only its real part is used.
      if (v == 0 || !complexPlot) {
        okIm = true;
        im = 0;
      }
      if (!okRe || !okIm) {
        *error = QStringLiteral("raw file value not understood");
        return std::nullopt;
      }
      plot.Columns[v].push_back({re, im});
    }
  }
  return plot;
}

// Runs the netlist with the ngspice program in a temporary folder and returns the ASCII raw
// file's text.
std::optional<QString> RunRaw(const QString& netlist, QString* error) {
  QTemporaryDir dir;
  if (!dir.isValid()) {
    *error = QStringLiteral("no temporary folder");
    return std::nullopt;
  }
  const QString cir = dir.filePath(QStringLiteral("stage.cir"));
  const QString raw = dir.filePath(QStringLiteral("stage.raw"));
  QFile f(cir);
  if (!f.open(QIODevice::WriteOnly) || f.write(netlist.toUtf8()) < 0) {
    *error = QStringLiteral("netlist not written");
    return std::nullopt;
  }
  f.close();
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("SPICE_ASCIIRAWFILE"), QStringLiteral("1"));
  if (!env.contains(QStringLiteral("HOME"))) env.insert(QStringLiteral("HOME"), dir.path());
  p.setProcessEnvironment(env);
  p.setWorkingDirectory(dir.path());
  p.start(QStringLiteral(NGSPICE_PROGRAM), {QStringLiteral("-b"), QStringLiteral("-r"), raw, cir});
  if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    *error = QStringLiteral("ngspice failed: ") + QString::fromLocal8Bit(p.readAll());
    if (p.state() != QProcess::NotRunning) p.kill();
    p.waitForFinished(1000);
    return std::nullopt;
  }
  QFile r(raw);
  if (!r.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("no raw file");
    return std::nullopt;
  }
  return QString::fromLatin1(r.readAll());
}

// Solves the n x n system a x = b in place (partial pivoting); false when singular.
template <std::size_t N>
bool Solve(std::array<std::array<double, N>, N>& a, std::array<double, N>& b) {
  for (std::size_t c = 0; c < N; ++c) {
    std::size_t p = c;
    for (std::size_t r = c + 1; r < N; ++r)
      if (std::fabs(a[r][c]) > std::fabs(a[p][c])) p = r;
    if (a[p][c] == 0.0) return false;
    std::swap(a[p], a[c]);
    std::swap(b[p], b[c]);
    for (std::size_t r = c + 1; r < N; ++r) {
      const double f = a[r][c] / a[c][c];
      for (std::size_t k = c; k < N; ++k) a[r][k] -= f * a[c][k];
      b[r] -= f * b[c];
    }
  }
  for (std::size_t c = N; c-- > 0;) {
    for (std::size_t k = c + 1; k < N; ++k) b[c] -= a[c][k] * b[k];
    b[c] /= a[c][c];
  }
  return true;
}

}  // namespace

const std::vector<Complex>* AcSweep::Node(const QString& node) const {
  const auto it = Vectors.find(QStringLiteral("v(") + node.toLower() + QLatin1Char(')'));
  return it == Vectors.end() ? nullptr : &it->second;
}

const std::vector<double>* TranRun::Node(const QString& node) const {
  const auto it = Vectors.find(QStringLiteral("v(") + node.toLower() + QLatin1Char(')'));
  return it == Vectors.end() ? nullptr : &it->second;
}

QString Num(double v) { return QString::number(v, 'g', 9); }

std::optional<AcSweep> RunAc(const QString& netlist, QString* error) {
  const std::optional<QString> raw = RunRaw(netlist, error);
  if (!raw) return std::nullopt;
  std::optional<RawPlot> plot = ParseRaw(*raw, true, error);
  if (!plot) return std::nullopt;
  AcSweep sweep;
  for (const Complex& f : plot->Columns[0]) sweep.Freq.push_back(f.real());
  for (qsizetype v = 1; v < plot->Names.size(); ++v)
    sweep.Vectors[plot->Names[v]] = std::move(plot->Columns[static_cast<std::size_t>(v)]);
  return sweep;
}

std::optional<TranRun> RunTran(const QString& netlist, QString* error) {
  const std::optional<QString> raw = RunRaw(netlist, error);
  if (!raw) return std::nullopt;
  const std::optional<RawPlot> plot = ParseRaw(*raw, false, error);
  if (!plot) return std::nullopt;
  TranRun run;
  for (const Complex& t : plot->Columns[0]) run.Time.push_back(t.real());
  for (qsizetype v = 1; v < plot->Names.size(); ++v) {
    std::vector<double>& values = run.Vectors[plot->Names[v]];
    for (const Complex& x : plot->Columns[static_cast<std::size_t>(v)]) values.push_back(x.real());
  }
  return run;
}

double SecondOrderFit::F0() const { return std::sqrt(a0) / (2.0 * M_PI); }
double SecondOrderFit::Q() const { return std::sqrt(a0) / a1; }
double SecondOrderFit::DcGain() const { return c0 / a0; }
double SecondOrderFit::CentreGain() const { return c1 / a1; }
double SecondOrderFit::NullFreq() const { return std::sqrt(c0 / c2) / (2.0 * M_PI); }

std::optional<SecondOrderFit> FitSecondOrder(const std::vector<double>& freq,
                                             const std::vector<Complex>& h, double fGuess,
                                             double span) {
  // Unknowns x = (a1, a0, c2, c1, c0) in units of w0 = 2 pi fGuess:
  // H s a1 + H a0 - s^2 c2 - s c1 - c0 = -H s^2, one complex equation per point.
  constexpr std::size_t N = 5;
  std::array<std::array<double, N>, N> ata{};
  std::array<double, N> atb{};
  std::vector<std::pair<std::array<Complex, N>, Complex>> rows;
  for (std::size_t i = 0; i < freq.size() && i < h.size(); ++i) {
    if (freq[i] < fGuess / span || freq[i] > fGuess * span) continue;
    const Complex s(0.0, freq[i] / fGuess);
    rows.push_back({{h[i] * s, h[i], -s * s, -s, Complex(-1.0)}, -h[i] * s * s});
  }
  if (rows.size() < N) return std::nullopt;
  for (const auto& [a, b] : rows) {
    for (std::size_t j = 0; j < N; ++j) {
      for (std::size_t k = 0; k < N; ++k)
        ata[j][k] += (std::conj(a[j]) * a[k]).real();
      atb[j] += (std::conj(a[j]) * b).real();
    }
  }
  if (!Solve(ata, atb)) return std::nullopt;
  const double w = 2.0 * M_PI * fGuess;
  SecondOrderFit fit;
  fit.a1 = atb[0] * w;
  fit.a0 = atb[1] * w * w;
  fit.c2 = atb[2];
  fit.c1 = atb[3] * w;
  fit.c0 = atb[4] * w * w;
  double misfit = 0, size = 0;
  for (std::size_t i = 0; i < freq.size() && i < h.size(); ++i) {
    if (freq[i] < fGuess / span || freq[i] > fGuess * span) continue;
    const Complex s(0.0, 2.0 * M_PI * freq[i]);
    const Complex model = (fit.c2 * s * s + fit.c1 * s + fit.c0) / (s * s + fit.a1 * s + fit.a0);
    misfit += std::norm(model - h[i]);
    size += std::norm(h[i]);
  }
  fit.RelResidual = size > 0 ? std::sqrt(misfit / size) : 0.0;
  return fit;
}

}  // namespace spicetest
