// The program's one wiring of the main window: every handler it registers names a control the
// window holds, and every command of the window's menus runs something.
#include <gtest/gtest.h>

#include <QStringList>
#include <set>

#include "fakes/fake_services.h"
#include "mainwindow/calverdonform.h"
#include "wiring/mainwindowwiring.h"

namespace {

TEST(Wiring, EveryHandlerReachesAControlAndEveryMenuCommandRuns) {
  fakes::FakeServices fake;
  mainwindow::CalverdonForm f(fake.services());
  // A registration under a name the window does not hold throws.
  ASSERT_NO_THROW(wiring::WireMainWindow(f, {}));

  // A menu command is an item no other item hangs below.
  std::set<const forms::Control*> menus;
  for (const forms::Control* c : f.controls())
    if (c->kind == forms::ControlKind::MenuItem && c->Container) menus.insert(c->Container);
  QStringList unwired;
  int commands = 0;
  for (const forms::Control* c : f.controls()) {
    if (c->kind != forms::ControlKind::MenuItem || menus.count(c) != 0) continue;
    const auto* item = static_cast<const forms::MenuItem*>(c);
    if (item->Caption == QLatin1String("-")) continue;  // a separator
    ++commands;
    if (!f.hasHandler(c->Name, forms::Event::Click)) unwired << c->Name;
  }
  EXPECT_GT(commands, 10);
  EXPECT_TRUE(unwired.isEmpty()) << unwired.join(QStringLiteral(", ")).toStdString();
}

}  // namespace
