#include "parts/amplifiercolumns.h"

#include "engine/numbertext.h"

namespace parts {

const std::array<AmplifierColumn, kAmplifierFieldCount>& AmplifierColumns() {
  static const std::array<AmplifierColumn, kAmplifierFieldCount> columns = {{
      {"Device Name", 1000, -1, "device_name"},
      {"Supplier", 700, -1, "supplier"},
      {"Description", 2000, -1, "description"},
      {"Function", 1000, -1, "function"},
      {"RR Input\rT/F", 900, -1, "rr_input"},
      {"RR Output\rT/F", 900, -1, "rr_output"},
      {"Min Vcc\r(V)", 900, -1, "min_vcc"},
      {"Max Vcc.", 1500, -1, "max_vcc"},
      {"Min Gain", 1500, -1, "min_gain"},
      {"BW", 1500, -1, "bw"},
      {"Slew Rate", 1500, -1, "slew_rate"},
      {"Ts at 0.1%", 1500, -1, "ts_01"},
      {"Ts at 0.01%", 1500, -1, "ts_001"},
      {"Diff. Gain", 1500, 3, "diff_gain"},
      {"Diff. Phase", 1500, -1, "diff_phase"},
      {"Vn", 1500, -1, "vn"},
      {"THD at 1 MHz", 1500, -1, "thd_1mhz"},
      {"THD at 10 MHz", 1500, -1, "thd_10mhz"},
      {"THD at 100 MHz", 1500, -1, "thd_100mhz"},
      {"Vos", 1500, -1, "vos"},
      {"Ib", 1500, 2, "ib"},
      {"IsPerAmp", 1500, -1, "is_per_amp"},
      {"Iout", 1500, -1, "iout"},
      {"IntroYear", 1500, -1, "intro_year"},
      {"Rout", 1500, -1, "rout"},
      {"Voh", 1500, -1, "voh"},
      {"Vol", 1500, -1, "vol"},
      {"RL", 1500, -1, "rl"},
      {"Iio", 1500, -1, "iio"},
      {"CMRR", 1500, -1, "cmrr"},
      {"PSRR", 1500, -1, "psrr"},
      {"NumberOfChannels", 1500, -1, "number_of_channels"},
      {"Approx1KUPrice", 1500, -1, "approx_1ku_price"},
      {"Area", 1500, -1, "area"},
      {"Height", 1500, -1, "height"},
  }};
  return columns;
}

QString ShownFieldText(int column, const QString& stored) {
  if (column < 0 || column >= kAmplifierFieldCount) return stored;
  const int decimals = AmplifierColumns()[column].decimals;
  if (decimals < 0) return stored;
  const std::optional<double> v = engine::ParseNumber(stored, QLatin1Char('.'));
  if (!v) return stored;
  return QString::number(*v, 'f', decimals);
}

namespace {

struct SortWord {
  const char* word;
  int field;
  bool numeric;
};

constexpr SortWord kSortWords[] = {
    {"devicename", 0, false}, {"part number", 0, false}, {"mfr", 1, false},
    {"type", 2, false},       {"ctype", 2, false},       {"value", 3, true},
    {"voltage", 4, true},     {"volts", 4, true},        {"min_esr", 5, true},
    {"minesr", 5, true},      {"max_esr", 6, true},      {"maxesr", 6, true},
    {"iripple", 7, true},     {"esl", 8, true},          {"thermalres", 9, true},
    {"cost1k", 10, true},     {"cost1m", 11, true},      {"tolerance", 12, true},
    {"tol", 12, true},        {"height", 13, true},      {"sp1", 14, true},
    {"sp2", 15, true},        {"sp3", 16, true},         {"area", 17, true},
    {"mount", 18, false},     {"size", 19, false},       {"region", 20, false},
};

}  // namespace

std::optional<SortKey> SortKeyOf(const QString& word) {
  const QString w = word.toLower();
  for (const SortWord& s : kSortWords)
    if (w == QLatin1String(s.word)) return SortKey{s.field, s.numeric};
  for (int c = 0; c < kAmplifierFieldCount; ++c) {
    const QString caption = QString::fromLatin1(AmplifierColumns()[c].caption).toLower();
    QString oneLine = caption;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' '));
    if (w == caption || w == oneLine) return SortKey{c, c >= kFirstNumberColumn};
  }
  return std::nullopt;
}

}  // namespace parts
