#include "spice/ngspiceshared.h"

#include <ngspice/sharedspice.h>

#include <clocale>
#include <string>

namespace spice {

namespace {

// The C numeric locale while ngspice reads and prints numbers; the caller's one afterwards.
class CNumericLocale {
 public:
  CNumericLocale() {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    old_ = old ? old : "C";
    std::setlocale(LC_NUMERIC, "C");
  }
  ~CNumericLocale() { std::setlocale(LC_NUMERIC, old_.c_str()); }
  CNumericLocale(const CNumericLocale&) = delete;
  CNumericLocale& operator=(const CNumericLocale&) = delete;

 private:
  std::string old_;
};

bool isEndLine(const QString& line) {
  return line.trimmed().compare(QLatin1String(".end"), Qt::CaseInsensitive) == 0;
}

QString vectorType(const QString& name) {
  if (name == QLatin1String("frequency")) return name;
  if (name.startsWith(QLatin1Char('@')) || name.contains(QLatin1String("#branch")))
    return QStringLiteral("current");
  return QStringLiteral("voltage");
}

}  // namespace

NgspiceSharedEngine& NgspiceSharedEngine::instance() {
  static NgspiceSharedEngine engine;
  return engine;
}

NgspiceSharedEngine::NgspiceSharedEngine() {
  CNumericLocale c;
  usable_ = ngSpice_Init(&onPrint, &onStatus, &onExit, nullptr, nullptr, &onBackground, this) == 0;
  if (!usable_) return;
  command("set noaskquit");
  command("set nomoremode");
}

void NgspiceSharedEngine::command(const char* text) {
  std::string c(text);
  ngSpice_Command(c.data());
}

QStringList NgspiceSharedEngine::CircuitLines(const QString& netlist) {
  QString text = netlist;
  text.remove(QLatin1Char('\r'));
  QStringList lines = text.split(QLatin1Char('\n'));
  while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
  qsizetype end = -1;
  for (qsizetype i = 0; i < lines.size(); ++i)
    if (isEndLine(lines[i])) {
      end = i;
      break;
    }
  if (end < 0) {
    lines << QStringLiteral(".END");
  } else {
    // Subcircuits and control lines after ".END" go before it.
    const QString endLine = lines.takeAt(end);
    lines << endLine;
  }
  return lines;
}

QString NgspiceSharedEngine::QuitMessage() {
  return QStringLiteral(
      "The simulator inside Calverdon has stopped and cannot run again. Choose one of the "
      "simulator programs, or start Calverdon again.");
}

void NgspiceSharedEngine::putNetlist(const SimulationJob& job) {
  lines_ = CircuitLines(job.NetlistText);
}

SimulationStatus NgspiceSharedEngine::run() {
  results_.clear();
  if (!usable()) return {false, QuitMessage()};
  CNumericLocale c;

  command("destroy all");
  command("remcirc");
  output_.clear();

  std::vector<std::string> storage;
  storage.reserve(size_t(lines_.size()));
  for (const QString& l : lines_) storage.push_back(l.toStdString());
  std::vector<char*> circuit;
  circuit.reserve(storage.size() + 1);
  for (std::string& s : storage) circuit.push_back(s.data());
  circuit.push_back(nullptr);
  ngSpice_Circ(circuit.data());
  if (quit_) return {false, QuitMessage()};
  if (QStringList errors = errorLines(); !errors.isEmpty()) return {false, errors.first()};

  command("run");
  if (quit_) return {false, QuitMessage()};
  if (QStringList errors = errorLines(); !errors.isEmpty()) return {false, errors.first()};

  // The AC analysis's plot ("ac1", ...), whichever analysis ran last.
  char** plots = ngSpice_AllPlots();
  QString plot;
  for (int i = 0; plots && plots[i]; ++i) {
    const QString name = QString::fromLatin1(plots[i]);
    if (name.startsWith(QLatin1String("ac"))) {
      plot = name;
      break;
    }
  }
  if (plot.isEmpty()) return {false, QStringLiteral("the simulator produced no AC analysis")};

  std::string plotName = plot.toStdString();
  char** vecs = ngSpice_AllVecs(plotName.data());
  QStringList names;
  for (int i = 0; vecs && vecs[i]; ++i) names << QString::fromLatin1(vecs[i]);
  // The frequency first, as the values are laid out.
  names.removeAll(QStringLiteral("frequency"));
  names.prepend(QStringLiteral("frequency"));

  // Vectors of the analysis's length; saved device quantities the AC analysis does not
  // compute (an empty or shorter vector) are left out.
  std::vector<std::vector<std::complex<double>>> columns;
  QStringList kept;
  int points = -1;
  for (const QString& n : names) {
    std::string full = (plot + QLatin1Char('.') + n).toStdString();
    const pvector_info info = ngGet_Vec_Info(full.data());
    if (!info || info->v_length <= 0 || (points >= 0 && info->v_length != points)) continue;
    if (points < 0) points = info->v_length;
    // Copy at once: the library reuses the structure on the next call.
    std::vector<std::complex<double>> column(size_t(info->v_length));
    for (int p = 0; p < info->v_length; ++p) {
      if (info->v_compdata)
        column[size_t(p)] = {info->v_compdata[p].cx_real, info->v_compdata[p].cx_imag};
      else if (info->v_realdata)
        column[size_t(p)] = {info->v_realdata[p], 0.0};
    }
    columns.push_back(std::move(column));
    kept << n;
  }
  if (points <= 0 || kept.value(0) != QLatin1String("frequency"))
    return {false, QStringLiteral("the AC analysis has no frequencies")};

  results_.Names = kept;
  for (const QString& n : kept) results_.Types << vectorType(n);
  results_.Values.assign(size_t(points), std::vector<std::complex<double>>(columns.size()));
  for (size_t v = 0; v < columns.size(); ++v)
    for (size_t p = 0; p < size_t(points); ++p) results_.Values[p][v] = columns[v][p];
  return {true, {}};
}

QStringList NgspiceSharedEngine::errorLines() const {
  QStringList errors;
  for (const QString& l : output_) {
    QString text = l;
    if (text.startsWith(QLatin1String("stderr "))) text = text.mid(7);
    else if (text.startsWith(QLatin1String("stdout "))) text = text.mid(7);
    else continue;
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1String("Error"), Qt::CaseInsensitive) ||
        t.contains(QLatin1String("simulation(s) aborted")))
      errors << t;
  }
  return errors;
}

int NgspiceSharedEngine::onPrint(char* text, int, void* self) {
  if (self && text) static_cast<NgspiceSharedEngine*>(self)->output_ << QString::fromLocal8Bit(text);
  return 0;
}

int NgspiceSharedEngine::onStatus(char*, int, void*) { return 0; }

int NgspiceSharedEngine::onExit(int, bool, bool, int, void* self) {
  if (self) static_cast<NgspiceSharedEngine*>(self)->quit_ = true;
  return 0;
}

int NgspiceSharedEngine::onBackground(bool, int, void*) { return 0; }

}  // namespace spice
