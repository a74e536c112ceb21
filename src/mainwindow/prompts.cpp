#include "mainwindow/prompts.h"

#include <QStringList>

#include "engine/engnotation.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/listchoices.h"

namespace mainwindow {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString lines(const QStringList& l) { return l.join(kCrLf); }

// The capacitor value of a section as the prompts show it: engineering notation with the
// display digits and no unit.
QString capacitorText(const CalverdonForm& f, float value) {
  return engine::Engsuffix(value, f.DisplayDigits, QString(), f.DecimalSep);
}

bool isDesignSection(const CalverdonForm& f, int section) {
  return section >= 1 && section <= f.SectionCount &&
         section < static_cast<int>(f.SectionC1.size());
}

// C1 (row 0..4) or C2 (row 5..9 as topic - 105) of the section a stage row shows. Row 0 holds
// the last second-order section; the first-order section of an odd order has its own box.
QString stageCapacitorPrompt(const CalverdonForm& f, int row, bool secondCapacitor) {
  const int section = f.SectionCount - row - f.RealPoleShift;
  if (!isDesignSection(f, section)) return QString();
  float value = secondCapacitor ? f.SectionC2[section] : f.SectionC1[section];
  // The fully differential circuit splits C2 into two capacitors of half the value.
  if (secondCapacitor && FullyDifferentialChosen(f)) value /= 2;
  return QStringLiteral("The current value of this capacitor is ") + capacitorText(f, value) +
         QStringLiteral("F.") + kCrLf + QStringLiteral("You may enter a new value...") + kCrLf;
}

QString realPoleCapacitorPrompt(const CalverdonForm& f) {
  if (!isDesignSection(f, f.SectionCount)) return QString();
  return lines({QStringLiteral("The current value of this capacitor is ") +
                    capacitorText(f, f.SectionC1[f.SectionCount]) +
                    QStringLiteral(".  You may enter a new value..."),
                QString(),
                QStringLiteral("The value you enter will change the R1 value for the Real Pole "
                               "Section")});
}

QString gainPrompt(const CalverdonForm& f) {
  const QString head = QStringLiteral(
      "Gain of this section is 1 if no entry has been made. Make an entry to change this gain.");
  if (f.CircuitMode == 1)
    return lines({head, QString(),
                  QStringLiteral("Gain must be 1 or greater for the Sallen-Key circuit.Changing "
                                 "the gain will clear entered values of C1 and C2.")});
  return lines(
      {head, QString(),
       QStringLiteral(
           "Although MFB circuit is inverting, gains are entered and displayed as positive "
           "numbers."),
       QString(),
       QStringLiteral("Although the MFB circuit will operate with a gain of less then 1, most "
                      "amplifiers will not operate correctly in this region.  Changing the gain "
                      "will clear entered values of C1 and C2.")});
}

QString fixedPrompt(const CalverdonForm& f, int topic) {
  const QString sep(f.DecimalSep);
  switch (topic) {
    case 1:
      return lines(
          {QStringLiteral("                 WELCOME"),
           QStringLiteral("This program can be used to design Multiple-Feedback (MFB) and "
                          "Sallen-Key active filters.  The default type is MFB.  Press the radio "
                          "button to change the circuit type."),
           QString(), QStringLiteral("  See Marquenta Application Bulletin"),
           QStringLiteral("  AB-027 for details."),
           QStringLiteral("Marquenta designs precision amplifiers for active filters and "
                          "measurement.")});
    case 2:
      return lines({QStringLiteral("Butterworth filters have the flattest possible passband "
                                   "response and a smooth transition into the stopband."),
                    QString(),
                    QStringLiteral("They have moderate pulse-response overshoot which increases "
                                   "with increasing number of poles.")});
    case 3:
      return lines(
          {QStringLiteral("Chebyshev filters have a steep cutoff in the transition from "
                          "pass-band to stopband.  The penalty is amplitude variation or RIPPLE "
                          "in the passband.  The ripple magnitude can be specified causing more "
                          "ripple for steeper rolloff."),
           QString(),
           QStringLiteral("Cutoff frequency of a Chebyshev is the frequency at which the "
                          "response leaves the desired ripple band.")});
    case 4:
      return lines({QStringLiteral("  Enter ripple in dB..."),
                    QStringLiteral("      greater than zero"), QStringLiteral("      up to 10dB"),
                    QStringLiteral("   ** CHEBYSHEV FILTERS ONLY **"),
                    QStringLiteral("Ripple is the peak-to-peak amplitude variation in the "
                                   "passband.  There is a trade-off between rate of rolloff and "
                                   "ripple.  For a given number of poles, you can achieve faster "
                                   "rolloff by allowing more passband ripple.")});
    case 5:
      return lines(
          {QStringLiteral("The Bessel (or Thomson) filter has maximum phase flatness through the "
                          "passband.  Its gain response is not as flat as the Butterworth, "
                          "'sagging' smoothly through the passband.  Attenuation into the "
                          "stopband is not as steep as the Butterworth for a given number of "
                          "poles."),
           QString(),
           QStringLiteral("The Bessel filter has very little pulse response overshoot because "
                          "of its linear group delay through the passband.")});
    case 6:
      return lines({QStringLiteral("Enter number of poles") + QChar(0x2014),
                    QStringLiteral("   1, 2, 3... to 10"), QString(),
                    QStringLiteral("The number of poles affects the rolloff rate of the filter.  "
                                   "The greater the number of poles, the better the filter "
                                   "approximates an ideal brick-wall response.  Complexity "
                                   "increases proportionally. The maximum number of poles for "
                                   "bandpass and notch is 5.")});
    case 7:
      return lines({QStringLiteral("Enter cutoff frequency in Hz"),
                    QStringLiteral("    e.g.       1000"), QStringLiteral("          or   1k"),
                    QStringLiteral("For Butterworth and Bessel, this is the -3dB frequency."),
                    QString(),
                    QStringLiteral("For a Chebyshev filter it is the frequency at which the "
                                   "response leaves the ripple band.")});
    case 8:
      return lines({QStringLiteral("   Enter a frequency in Hz"),
                    QStringLiteral("       e.g.       2000"),
                    QStringLiteral("             or   2k"),
                    QStringLiteral("Displays the filter's gain and phase response at the desired "
                                   "frequency. The response of each section is shown "
                                   "individually in the Response fields to facilitate testing."),
                    QString()}) +
             kCrLf;
    case 9:
      return lines({QStringLiteral("Enter resistor value in ohms") + QChar(0x2014),
                    QStringLiteral("     e.g.     20000"), QStringLiteral("        or    20k"),
                    QStringLiteral("This entry allows you to scale the network impedance to "
                                   "match the application.  A higher input impedance value will "
                                   "reduce the loading of the source signal, reduce the power "
                                   "dissipated by the resistors but will increase the circuit "
                                   "noise.  The 10k ohm default value is good for many "
                                   "applications.")});
    case 12:
      return QStringLiteral(
          "E48, E96, and E192 resistor values are purchased with 48, 96, or 192 values per "
          "decade respectively.E48 are usually 2%, E96 are usually 1% and E192 are usually .5% "
          "tolerances.");
    case 13:
      return QStringLiteral(
                 "E6, E12, and E24 capacitor values are those with 6, 12, or 24 values per "
                 "decade respectively.  E6 are usually 20%, E12 are usually 10% and E24 are "
                 "usually 5% tolerances.  The E6 values include 1, 1") +
             sep + QStringLiteral("5, 2") + sep + QStringLiteral("2, 3") + sep +
             QStringLiteral("3, 4") + sep + QStringLiteral("7, and 6") + sep +
             QStringLiteral(
                 "8.   Actual capacitor values are multiples (times 10^n) of these values");
    case 18:
      return QStringLiteral(
          "Calverdon approximates the recommended GBP (gain bandwidth product) for each "
          "amplifier. This value is generally adequate but may not be sufficient for all "
          "applications.");
    case 19:
      return QStringLiteral(
          "Clicking the graph moves the location for the blue response cursor to the location "
          "that is clicked. ");
    case 20: return QStringLiteral("Enter a custom value for the bottom of the graph.");
    case 21: return QStringLiteral("Enter a custom value for the top of the graph.");
    case 22:
      return QStringLiteral(
          "Custom Q is an option that allows for a Q value to be entered in the total Q field.  "
          "The resulting filter will use the same natural frequency values but with scaled Q "
          "values as the design previously selected.  It can be useful when a slope is desired "
          "in the passband.");
    case 23:
      return QStringLiteral(
          "Custom Fn&Q is an option that allows for entered values to be used in the Fn and Q "
          "fields.  This is useful for calculating component values when Fn and Q are known.");
    case 24:
      return lines(
          {QStringLiteral("The Linear Phase with equaripple error of 0.05 degree filter has "
                          "phase flatness within 0.05 degree significantly beyond the passband "
                          "with multiple stages.  Its gain response is not as flat as the "
                          "Butterworth, 'sagging' smoothly through the passband.  Attenuation "
                          "into the stopband is nearly as steep as the Butterworth for a given "
                          "number of poles."),
           QString(),
           QStringLiteral("This filter has very little pulse response overshoot because of its "
                          "linear group delay through the passband.")});
    case 25:
      return lines(
          {QStringLiteral("The Linear Phase with equaripple error of 0.5 degree filter has phase "
                          "flatness within 0.5 degree significantly beyond the passband with "
                          "multiple stages.  Its gain response is not as flat as the "
                          "Butterworth, 'sagging' smoothly through the passband.  Attenuation "
                          "into the stopband is nearly as steep as the Butterworth for a given "
                          "number of poles."),
           QString(),
           QStringLiteral("This filter may have a little pulse response overshoot because of "
                          "its linear group delay error through the passband.")});
    case 26:
      return QStringLiteral(
          "The Transitional Gaussian filter is a compromise between a Gaussian filter, similar "
          "to Bessel, and a Chebychev filter. It has the steep rolloff charactaristics of a "
          "Chebychev filter while having not nearly as much pulse response overshoot. When the "
          "gain response has dropped to -12 dB then the gain response drops sharply.");
    case 31:
      return QStringLiteral(
          "The circuit type list box contains circuit types that can be selected for an active "
          "filter design.");
    case 40: return QStringLiteral("A Low-Pass filter attenuates signals of higher frequencies.");
    case 41: return QStringLiteral("A High-Pass filter attenuates signals of lower frequencies.");
    case 42:
      return QStringLiteral(
          "A Band-Pass filter attenuates signals above and below a center frequency.  The "
          "algorithm used for this filter ties gain to Q to reduce response variation due to "
          "device sensitivity.  For a Band-Pass that has multiple sections the total Q "
          "increases for the increased number of sections because each section uses the "
          "entered value for its Q..");
    case 43:
      return QStringLiteral(
          "A Notch filter attenuates signals at and about a center frequency.  The dual "
          "amplifier circuit type Notch filter was chosen over the Twin-Tee  circuit because it "
          "is much less sensitive to component tolerences.  For a Notch filter that has multiple "
          "sections the total Q decrease for the increased number of sections because each "
          "section uses the entered value for its Q.");
    case 44:
      return QStringLiteral(
          "A Wide Band-Pass filter is a High-Pass filter followed by a Low-Pass filter. "
          "Generally the cutoff frequency of the High-Pass filter is lower than the cutoff "
          "frequency of the Low-Pass filter.");
    case 45:
      return QStringLiteral(
          "A Band-Reject filter is High-Pass and Low-Pass filters whose inputs are the same "
          "signal source and the outputs are summed.  Generally the cutoff frequency of the "
          "High-Pass filter is higher than the cutoff frequency of the Low-Pass filter.");
    case 46:
      return QStringLiteral(
          "The Q field for the Band-Pass or Notch filter is a ''Quality Factor''.  It is the "
          "parameter of a filter that defines its bandwidth.  Q = center frequency divided by "
          "-3dB bandwidth.  For a multiple section Band-Pass or Notch filter each section will "
          "be designed with this Q.");
    case 203:
      return lines({QStringLiteral(
                        "Displays component values required to construct the desired filter."),
                    QString()}) +
             kCrLf;
    case 205:
      return lines(
          {QStringLiteral("Displays sensitivities of filter section parameters with variation "
                          "in component values.  A 1% increment is made in each component "
                          "value.  The resulting percentage change in fn and Q is shown.  e.g.  "
                          "-0") +
               sep + QStringLiteral("5; 1") + sep +
               QStringLiteral("0 indicates that a +1% increase in the value of that component "
                              "produces a 0") +
               sep +
               QStringLiteral("5% lower natural frequency and 1% higher Q."),
           QStringLiteral("Keep in mind that capacitors generally have a wider tolerance.  For "
                          "this reason, when precision is desired, buy precision capacitors or "
                          "enter measured values.")});
    default: return QString();
  }
}

}  // namespace

QString PromptText(const CalverdonForm& f, int topic) {
  if (topic >= 100 && topic <= 104) return stageCapacitorPrompt(f, topic - 100, false);
  if (topic >= 105 && topic <= 109) return stageCapacitorPrompt(f, topic - 105, true);
  if (topic == 110) return realPoleCapacitorPrompt(f);
  if (topic == 403) return gainPrompt(f);
  return fixedPrompt(f, topic);
}

void ShowPrompt(CalverdonForm& f, int topic) { f.Prompt.Caption = PromptText(f, topic); }

}  // namespace mainwindow
