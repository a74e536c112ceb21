#pragma once
// The about and what's-new windows, the splash window, and the "ShowAbout" setting.
#include <QChar>
#include <QString>

#include "forms/form.h"
#include "mainwindow/calverdonform_fwd.h"

namespace platform {
class SettingsService;
struct Services;
}  // namespace platform

namespace mainwindow {

// The about window: its text, the start-up switch and OK.
struct AboutCalverdon : forms::Form {
  AboutCalverdon();
  forms::Label Label1;
  forms::CheckBox ShowOnStartup;
  forms::CommandButton Ok;
};

// The what's-new window: the version notes and OK.
struct WhatsNew : forms::Form {
  WhatsNew();
  forms::TextBox WhatsNewText;
  forms::CommandButton OKButton;
};

// The window shown while the program starts.
struct SplashWindow : forms::Form {
  SplashWindow();
  forms::Label Title, Subtitle, Version;
};

// The setting "ShowAbout" (absent, or any text but "False", is true) and its store.
bool ReadShowAbout(platform::SettingsService& settings);
void WriteShowAbout(platform::SettingsService& settings, bool show);

// The texts of the two windows, lines joined by CR LF.
QString AboutText();
QString WhatsNewNotes(QChar decimalSep);

// The about window, shown modally; its OK stores the start-up switch.
void ShowAboutWindow(CalverdonForm& f);
// The what's-new window, shown modally.
void NewScreen_Click(CalverdonForm& f);
// The about window as last shown (one per process, as windows are reused), for tests.
AboutCalverdon& AboutWindow();
WhatsNew& WhatsNewWindow();

// Shows the splash window, waits 1.0 s from start when the about window will be shown and
// 0.1 s when not (the clock's wait keeps events flowing), then closes it. Returns the setting.
bool RunSplash(SplashWindow& splash, const platform::Services& services);

}  // namespace mainwindow
