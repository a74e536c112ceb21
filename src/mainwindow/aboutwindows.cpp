#include "mainwindow/aboutwindows.h"

#include <QStringList>

#include "mainwindow/calverdonform.h"
#include "mainwindow/version.h"

namespace mainwindow {

namespace {

const QString kApplication = QStringLiteral("Calverdon");
const QString kSection = QStringLiteral("ShowAbout");
const QString kKey = QStringLiteral("Value");
const QString kCrLf = QStringLiteral("\r\n");

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

}  // namespace

// ---- windows ----

AboutCalverdon::AboutCalverdon() : forms::Form(QStringLiteral("AboutCalverdon")) {
  Caption = QStringLiteral("About Calverdon");
  Width = 9600;
  Height = 3360;
  place(Label1, QStringLiteral("Label1"), nullptr, 120, 120, 9360, 2520);
  Label1.WordWrap = true;
  place(ShowOnStartup, QStringLiteral("ShowOnStartup"), nullptr, 120, 2820, 5400, 285)
      .text(QStringLiteral("Show this window next time Calverdon starts."))
      .tab(0);
  place(Ok, QStringLiteral("Ok"), nullptr, 8160, 2760, 1320, 405).text(QStringLiteral("OK")).tab(1);
  Ok.Default = true;
}

WhatsNew::WhatsNew() : forms::Form(QStringLiteral("WhatsNew")) {
  Caption = QStringLiteral("What's new in this version?");
  Width = 10200;
  Height = 6600;
  place(WhatsNewText, QStringLiteral("WhatsNewText"), nullptr, 120, 120, 9960, 5700).tab(1);
  WhatsNewText.MultiLine = true;
  WhatsNewText.Locked = true;
  place(OKButton, QStringLiteral("OKButton"), nullptr, 8760, 6000, 1320, 405)
      .text(QStringLiteral("OK"))
      .tab(0);
  OKButton.Default = true;
}

SplashWindow::SplashWindow() : forms::Form(QStringLiteral("frmSplash")) {
  Caption = QStringLiteral("Calverdon");
  Width = 6000;
  Height = 2400;
  forms::Font big;
  big.Size = 20;
  big.Bold = true;
  place(Title, QStringLiteral("Title"), nullptr, 240, 360, 5520, 600)
      .text(QStringLiteral("Calverdon"))
      .font(big);
  Title.Alignment = forms::AlignCenter;
  place(Subtitle, QStringLiteral("Subtitle"), nullptr, 240, 1080, 5520, 300)
      .text(QStringLiteral("FILTER DESIGN PROGRAM"));
  Subtitle.Alignment = forms::AlignCenter;
  place(Version, QStringLiteral("Version"), nullptr, 240, 1560, 5520, 300)
      .text(QStringLiteral("Version ") + VersionText());
  Version.Alignment = forms::AlignCenter;
}

// ---- setting ----

bool ReadShowAbout(platform::SettingsService& settings) {
  const QString v = settings.get(kApplication, kSection, kKey, QStringLiteral("True"));
  return v.trimmed().compare(QLatin1String("False"), Qt::CaseInsensitive) != 0;
}

void WriteShowAbout(platform::SettingsService& settings, bool show) {
  settings.set(kApplication, kSection, kKey, show ? QStringLiteral("True") : QStringLiteral("False"));
}

// ---- texts ----

QString AboutText() {
  QStringList lines;
  lines << blanks(62) + QStringLiteral("Calverdon(TM)") << blanks(44) + QStringLiteral("FILTER DESIGN PROGRAM")
        << QString() << blanks(50) + QStringLiteral("Version ") + VersionText() << QString();
  lines << QStringLiteral("This program is supplied as it is, without any warranty, express or implied, including any")
        << QStringLiteral("warranty that it is fit for a particular purpose. Check every design before you build or")
        << QStringLiteral("rely on it: the makers accept no liability for any loss or damage that comes from its use.")
        << QStringLiteral("By using the program you accept these terms.")
        << QString()
        << QStringLiteral("Calverdon is made and owned by Marquenta. All rights reserved.")
        << QStringLiteral("Written by the Calverdon developers.")
        << QStringLiteral("For support and updates, see the documentation that came with the program.");
  return lines.join(kCrLf);
}

QString WhatsNewNotes(QChar sep) {
  const QString s(sep);
  QStringList lines;
  lines << blanks(45) + QStringLiteral("Calverdon(TM)") << blanks(41) + QStringLiteral("Version Notes")
        << QString() << QString()
        << blanks(44) + QStringLiteral("Version 1") + s + QStringLiteral("03") + s + QStringLiteral("0012")
        << QStringLiteral("Added features:")
        << QStringLiteral("   1. BandPass and Notch filters can now be designed.")
        << QStringLiteral("   2. Wide Band-Pass and Band-Reject filters can now be designed.")
        << QStringLiteral("   3. The Real pole section and the first pole pair can be combined to make a 3-pole section.")
        << QStringLiteral("   4. A context sensitive help file is included.")
        << QString()
        << blanks(44) + QStringLiteral("Version 1") + s + QStringLiteral("03") + s + QStringLiteral("0004")
        << QStringLiteral("Added features:")
        << QStringLiteral("   1. High-pass filters can now be designed.")
        << QStringLiteral("   2. Group delay is a new chart trace.")
        << QStringLiteral("   3. 3 new filter types, Linear Phase 0.05 deg., Linear phase, 0.5 deg. and Gaussian 12dB are now available.")
        << QStringLiteral("   4. Custom Q filter type allows designer to adjust the product of all Q to a different value.")
        << QStringLiteral("   5. Custom Fn and Q filter type allows the designer to enter any value desired and watch the resulting response.")
        << QStringLiteral("   6. Fully-differential filters can be designed.")
        << QStringLiteral("   7. Gain scaling is customizable by clicking on the top or bottom legend values.")
        << QStringLiteral("   8. When using the custom Fn and Q feature, double clicking on Fn or Q brings up a multiple entry format window.")
        << QStringLiteral("        This is useful for entering values from tables.")
        << QStringLiteral("   9. Full save and load capability is available.")
        << QStringLiteral(" 10. Your design may be saved as the default design. ");
  return lines.join(kCrLf) + kCrLf;
}

// ---- showing them ----

AboutCalverdon& AboutWindow() {
  static AboutCalverdon window;
  return window;
}

WhatsNew& WhatsNewWindow() {
  static WhatsNew window;
  return window;
}

void ShowAboutWindow(CalverdonForm& f) {
  AboutCalverdon& about = AboutWindow();
  about.Label1.Caption = AboutText();
  // The window's load step: the switch shows the stored setting.
  const bool show = f.svc.settings ? ReadShowAbout(*f.svc.settings) : true;
  about.ShowOnStartup.setFromUser(show ? 1 : 0);
  about.on(QStringLiteral("Ok"), forms::Event::Click, [&f, &about](forms::EventArgs&) {
    if (f.svc.settings) WriteShowAbout(*f.svc.settings, about.ShowOnStartup.Value() == 1);
    if (f.svc.windows) f.svc.windows->close(about);
  });
  f.requestSync();
  if (f.svc.windows) f.svc.windows->show(about, true);
}

void NewScreen_Click(CalverdonForm& f) {
  WhatsNew& notes = WhatsNewWindow();
  notes.WhatsNewText.Text = WhatsNewNotes(f.DecimalSep);
  notes.on(QStringLiteral("OKButton"), forms::Event::Click, [&f, &notes](forms::EventArgs&) {
    if (f.svc.windows) f.svc.windows->close(notes);
  });
  f.requestSync();
  if (f.svc.windows) f.svc.windows->show(notes, true);
}

bool RunSplash(SplashWindow& splash, const platform::Services& services) {
  const QDateTime start = services.clock ? services.clock->now() : QDateTime();
  if (services.windows) services.windows->show(splash, false);
  const bool showAbout = services.settings ? ReadShowAbout(*services.settings) : true;
  if (services.clock) {
    const double target = showAbout ? 1.0 : 0.1;
    const double elapsed = static_cast<double>(start.msecsTo(services.clock->now())) / 1000.0;
    if (elapsed < target) services.clock->wait(target - elapsed);
  }
  if (services.windows) services.windows->close(splash);
  return showAbout;
}

}  // namespace mainwindow
