#pragma once
// The main window with only the choice handlers registered. The recompute sequence, the pole
// boxes' validation and the section-view buttons are stand-ins that log their runs, so a test
// sees what a choice set off and in which order.
#include <QStringList>

#include "mainwindow/listhandlers.h"
#include "support/windowfixture.h"
#include "support/recomputestandin.h"

struct ChoiceFixture : WindowFixture {
  QStringList log;  // "recompute", "Text18", "Text1", "LowPassView", "ShowTotal"

  explicit ChoiceFixture(QChar sep = QLatin1Char('.')) : WindowFixture(sep) {
    mainwindow::RegisterListHandlers(f);
    InstallRecomputeStandIn(f).sequence = [this] {
      log << QStringLiteral("recompute");
      return 0;
    };
    for (const char* name : {"Text18", "Text1"})
      f.on(QLatin1String(name), forms::Event::Validate,
           [this, name](forms::EventArgs&) { log << QLatin1String(name); });
    for (const char* name : {"LowPassView", "ShowTotal"})
      f.on(QLatin1String(name), forms::Event::Click,
           [this, name](forms::EventArgs&) { log << QLatin1String(name); });
  }

  int count(const QString& entry) const { return static_cast<int>(log.count(entry)); }
  int recomputes() const { return count(QStringLiteral("recompute")); }

  // Puts the window into a pass band as the user's choice does, then forgets the log.
  void startIn(const QString& band) {
    choosePassBand(band);
    log.clear();
  }
  // Chooses a response as the user does: an entry of the list, or a typed text.
  void chooseResponse(const QString& response) {
    const int index = static_cast<int>(f.TypeFilter.items().indexOf(response));
    if (index >= 0)
      f.TypeFilter.SetListIndex(index);
    else
      f.TypeFilter.SetText(response);
  }
  // Shows a response in the list without running its handler.
  void showResponse(const QString& response) {
    f.TypeFilter.setFromUser(static_cast<int>(f.TypeFilter.items().indexOf(response)),
                             response);
  }
};
