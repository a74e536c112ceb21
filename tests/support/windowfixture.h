#pragma once
// The main window on fake services, with the start defaults for a chosen decimal separator.
// Every model test that needs the whole window builds on this one; the layer fixtures add the
// handlers and recompute stand-ins or observers their tests need.
//
// A pass band is put on the window in one of two ways, named for what runs:
//  - choosePassBand: as the user chooses it, so the list's own handler runs (if registered);
//  - showPassBandWithoutHandler: only the list's selection changes, no event is raised.
//
// Header-only: the test support library itself does not link the window layers.
#include <gtest/gtest.h>

#include <QChar>
#include <QString>

#include "fakes/fake_services.h"
#include "forms/events.h"
#include "mainwindow/calverdonform.h"
#include "mainwindow/startup.h"

struct WindowFixture {
  fakes::FakeServices fake;
  mainwindow::CalverdonForm f{fake.services()};

  explicit WindowFixture(QChar sep = QLatin1Char('.')) { mainwindow::SetStartDefaults(f, sep); }

  // Selects the entry `band` of the pass band list and raises the list's Click, as a choice
  // in the open list does: the handler registered for the list runs.
  void choosePassBand(const QString& band) {
    selectPassBand(band);
    f.raise(f.Passband, forms::Event::Click);
  }

  // Selects the entry `band` of the pass band list without raising any event, for a window
  // with no list handlers or a test that runs the handler itself.
  void showPassBandWithoutHandler(const QString& band) { selectPassBand(band); }

 private:
  void selectPassBand(const QString& band) {
    const int index = static_cast<int>(f.Passband.items().indexOf(band));
    EXPECT_GE(index, 0) << "not an entry of the pass band list: " << band.toStdString();
    f.Passband.setFromUser(index, band);
  }
};
