// The about and what's-new windows and the start-up switch they keep.
#include <gtest/gtest.h>

#include "fakes/fake_services.h"
#include "mainwindow/aboutwindows.h"
#include "mainwindow/startup.h"
#include "support/recomputestandin.h"
#include "support/windowfixture.h"

using mainwindow::AboutWindow;

namespace {

const QString kSettingKey = fakes::FakeSettings::key("Calverdon", "ShowAbout", "Value");

struct AboutFixture : WindowFixture {
  AboutFixture() { mainwindow::RegisterStartupHandlers(f); }
  void clickHelp(const char* item) { f.raise(*f.find(QString::fromLatin1(item)), forms::Event::Click); }
};

}  // namespace

TEST(AboutWindows, AboutTextLines) {
  const QStringList lines = mainwindow::AboutText().split(QStringLiteral("\r\n"));
  ASSERT_GE(lines.size(), 6);
  EXPECT_EQ(lines[0], QString(62, ' ') + "Calverdon(TM)");
  EXPECT_EQ(lines[1], QString(44, ' ') + "FILTER DESIGN PROGRAM");
  EXPECT_EQ(lines[2], QString());
  EXPECT_EQ(lines[3], QString(50, ' ') + "Version 2.00.0017");
  EXPECT_EQ(lines[4], QString());
  EXPECT_EQ(mainwindow::AboutText().count(QLatin1Char('\n')),
            mainwindow::AboutText().count(QStringLiteral("\r\n")));
}

TEST(AboutWindows, WhatsNewUsesTheLocalesSeparatorInItsVersionHeadings) {
  for (QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
    const QString text = mainwindow::WhatsNewNotes(sep);
    EXPECT_TRUE(text.endsWith(QStringLiteral(" 10. Your design may be saved as the default design. \r\n")));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 25);  // 24 lines and the final line break
    EXPECT_EQ(lines[0], QString(45, ' ') + "Calverdon(TM)");
    EXPECT_EQ(lines[1], QString(41, ' ') + "Version Notes");
    EXPECT_TRUE(lines[2].isEmpty() && lines[3].isEmpty());
    const QString s(sep);
    EXPECT_EQ(lines[4], QString(44, ' ') + "Version 1" + s + "03" + s + "0012");
    EXPECT_EQ(lines[11], QString(44, ' ') + "Version 1" + s + "03" + s + "0004");
    EXPECT_EQ(lines[21], QStringLiteral("        This is useful for entering values from tables."));
  }
  // The about window's version is written with points in every locale.
  EXPECT_TRUE(mainwindow::AboutText().contains(QStringLiteral("Version 2.00.0017")));
}

TEST(AboutWindows, TheSwitchShowsTheSettingAndOkStoresIt) {
  AboutFixture x;
  // Absent: checked. Clear it and press OK: "False".
  x.fake.windows.whileModal = [](forms::Form& form) {
    auto& about = static_cast<mainwindow::AboutCalverdon&>(form);
    EXPECT_EQ(about.ShowOnStartup.Value(), 1);
    EXPECT_EQ(about.Caption, QStringLiteral("About Calverdon"));
    EXPECT_EQ(about.ShowOnStartup.Caption,
              QStringLiteral("Show this window next time Calverdon starts."));
    about.ShowOnStartup.setFromUser(0);
    about.raise(about.Ok, forms::Event::Click);
  };
  x.clickHelp("FormLoad");
  EXPECT_EQ(x.fake.settings.values.value(kSettingKey), QStringLiteral("False"));
  ASSERT_EQ(x.fake.windows.closed.size(), 1u);
  EXPECT_EQ(x.fake.windows.closed[0], &AboutWindow());
  EXPECT_TRUE(x.fake.windows.shown.back().modal);
  EXPECT_EQ(AboutWindow().Label1.Caption, mainwindow::AboutText());

  // Stored "False": clear; check it and press OK: "True".
  x.fake.windows.whileModal = [](forms::Form& form) {
    auto& about = static_cast<mainwindow::AboutCalverdon&>(form);
    EXPECT_EQ(about.ShowOnStartup.Value(), 0);
    about.ShowOnStartup.setFromUser(1);
    about.raise(about.Ok, forms::Event::Click);
  };
  x.clickHelp("FormLoad");
  EXPECT_EQ(x.fake.settings.values.value(kSettingKey), QStringLiteral("True"));

  // Closed without OK: the setting stays.
  const int writes = x.fake.settings.writes;
  x.fake.windows.whileModal = [](forms::Form& form) {
    static_cast<mainwindow::AboutCalverdon&>(form).ShowOnStartup.setFromUser(0);
  };
  x.clickHelp("FormLoad");
  EXPECT_EQ(x.fake.settings.writes, writes);
  EXPECT_EQ(x.fake.settings.values.value(kSettingKey), QStringLiteral("True"));
}

TEST(AboutWindows, WhatsNewShowsItsNotesModallyAndOkClosesIt) {
  AboutFixture x;
  x.f.DecimalSep = QLatin1Char(',');
  x.fake.windows.whileModal = [](forms::Form& form) {
    auto& notes = static_cast<mainwindow::WhatsNew&>(form);
    EXPECT_EQ(notes.Caption, QStringLiteral("What's new in this version?"));
    EXPECT_EQ(notes.WhatsNewText.Text, mainwindow::WhatsNewNotes(QLatin1Char(',')));
    notes.raise(notes.OKButton, forms::Event::Click);
  };
  x.clickHelp("NewScreen");
  ASSERT_EQ(x.fake.windows.closed.size(), 1u);
  EXPECT_EQ(x.fake.windows.closed[0], &mainwindow::WhatsNewWindow());
  EXPECT_EQ(x.fake.settings.writes, 0);
}

TEST(AboutWindows, LoadStepReadsTheSettingAndMakesTheWindowBusy) {
  const struct {
    std::optional<QString> stored;
    bool show;
  } cases[] = {{std::nullopt, true}, {QStringLiteral("True"), true},
               {QStringLiteral("False"), false}, {QStringLiteral("garbage"), true}};
  for (const auto& c : cases) {
    AboutFixture x;
    if (c.stored) x.fake.settings.values[kSettingKey] = *c.stored;
    int recomputes = 0;
    InstallRecomputeStandIn(x.f).sequence = [&recomputes] { return ++recomputes, 0; };
    mainwindow::Form_Load(x.f, QLatin1Char(','));
    EXPECT_EQ(x.f.ShowAboutSetting, c.show);
    EXPECT_EQ(x.fake.windows.shown.size(), c.show ? 1u : 0u);
    EXPECT_TRUE(x.f.SuppressUpdate);
    EXPECT_EQ(x.f.DecimalSep, QLatin1Char(','));
    EXPECT_EQ(recomputes, 0);
  }
}

TEST(AboutWindows, SplashWaitsFromItsStartTime) {
  fakes::FakeServices fake;
  mainwindow::SplashWindow splash;
  // Time already spent counts: showing the window took 0.4 s.
  fake.settings.values[kSettingKey] = QStringLiteral("True");
  auto* clock = &fake.clock;
  struct SlowShow : fakes::FakeWindows {
    fakes::FakeClock* c;
    void show(forms::Form& form, bool modal) override {
      FakeWindows::show(form, modal);
      c->current = c->current.addMSecs(400);
    }
  } slow;
  slow.c = clock;
  platform::Services services = fake.services();
  services.windows = &slow;
  EXPECT_TRUE(mainwindow::RunSplash(splash, services));
  ASSERT_EQ(fake.clock.waits.size(), 1u);
  EXPECT_NEAR(fake.clock.waits[0], 0.6, 1e-9);
  ASSERT_EQ(slow.closed.size(), 1u);
  EXPECT_EQ(slow.closed[0], &splash);
}
