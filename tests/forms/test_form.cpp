// The window model: layout table, event table, and which property changes run handlers.
#include <gtest/gtest.h>

#include "forms/form.h"

using namespace forms;

namespace {

struct SmallForm : Form {
  Frame frame;
  ComboBox list;
  ComboBox typed;
  CheckBox check;
  OptionButton optA, optB, optOther;
  std::array<TextBox, 3> boxes;
  std::vector<QString> log;

  SmallForm() : Form("Small") {
    place(frame, "Frame1", nullptr, 0, 0, 3000, 2000).text("Frame");
    place(list, "List", &frame, 100, 100, 1500, 300);
    place(typed, "Typed", nullptr, 100, 2100, 1500, 300);
    typed.Style = 0;
    place(check, "Check", nullptr, 100, 2500, 1500, 300).text("Check me");
    place(optA, "OptA", &frame, 100, 500, 1500, 300);
    place(optB, "OptB", &frame, 100, 800, 1500, 300);
    place(optOther, "OptOther", nullptr, 100, 2900, 1500, 300);
    for (int i = 0; i < 3; ++i) place(boxes[i], "Box", i, nullptr, 3100, 300 * i, 900, 285);
    for (const char* item : {"Low-Pass", "High-Pass", "Band-Pass"}) {
      list.AddItem(item);
      typed.AddItem(item);
    }
    auto record = [this](const char* what) {
      return [this, what](EventArgs& e) { log.push_back(QString("%1:%2").arg(what).arg(e.Index)); };
    };
    on("List", Event::Click, record("ListClick"));
    on("Typed", Event::Click, record("TypedClick"));
    on("Typed", Event::Change, record("TypedChange"));
    on("Check", Event::Click, record("CheckClick"));
    on("OptA", Event::Click, record("OptAClick"));
    on("OptB", Event::Click, record("OptBClick"));
    on("Box", Event::Validate, record("BoxValidate"));
  }
};

TEST(WindowModel, FillingAListRunsNoHandlerSettingItRunsItOnce) {
  SmallForm f;
  f.list.Clear();
  f.list.AddItem("Low-Pass");
  f.list.AddItem("Notch");
  f.list.RemoveItem(0);
  EXPECT_TRUE(f.log.empty());

  f.list.SetListIndex(0);
  EXPECT_EQ(f.list.Text(), "Notch");
  f.list.SetListIndex(0);  // the same index again still runs the handler
  f.list.SetText("Notch");
  EXPECT_EQ(f.log, (std::vector<QString>{"ListClick:-1", "ListClick:-1", "ListClick:-1"}));

  f.log.clear();
  f.list.SetText("not an entry");  // a drop-down list ignores a foreign text
  EXPECT_TRUE(f.log.empty());
  EXPECT_EQ(f.list.Text(), "Notch");
}

TEST(WindowModel, TypedComboTakesAnyTextAndSelectsAMatchingEntry) {
  SmallForm f;
  f.typed.SetText("Custom Q");
  EXPECT_EQ(f.typed.ListIndex(), -1);
  EXPECT_EQ(f.typed.Text(), "Custom Q");
  f.typed.SetText("High-Pass");
  EXPECT_EQ(f.typed.ListIndex(), 1);
  EXPECT_EQ(f.log, (std::vector<QString>{"TypedChange:-1", "TypedChange:-1"}));
}

TEST(WindowModel, CheckAndOptionValuesFromCodeRunClickOnlyOnChange) {
  SmallForm f;
  f.check.SetValue(1);
  f.check.SetValue(1);
  f.check.SetValue(0);
  EXPECT_EQ(f.log, (std::vector<QString>{"CheckClick:-1", "CheckClick:-1"}));

  f.log.clear();
  f.optOther.SetValue(true);
  f.optA.SetValue(true);
  f.optB.SetValue(true);  // clears OptA: same frame
  f.optB.SetValue(true);  // already set: no click
  EXPECT_FALSE(f.optA.Value());
  EXPECT_TRUE(f.optB.Value());
  EXPECT_TRUE(f.optOther.Value()) << "an option button in another container is independent";
  EXPECT_EQ(f.log, (std::vector<QString>{"OptAClick:-1", "OptBClick:-1"}));
}

TEST(WindowModel, ArrayHandlersReceiveTheElementAndCancel) {
  SmallForm f;
  f.on("Box", Event::Validate, [](EventArgs& e) { e.Cancel = e.Index == 2; });
  EventArgs a;
  EXPECT_TRUE(f.raise(f.boxes[1], Event::Validate, a));
  EXPECT_FALSE(a.Cancel);
  EventArgs b;
  f.raise(f.boxes[2], Event::Validate, b);
  EXPECT_TRUE(b.Cancel);
  EXPECT_FALSE(f.raise(f.boxes[0], Event::DblClick)) << "no handler for this event";
}

TEST(WindowModel, LayoutTableKeepsDesignAndRefusesDuplicates) {
  SmallForm f;
  EXPECT_EQ(f.find("Box", 2), &f.boxes[2]);
  EXPECT_EQ(f.find("Box"), nullptr);
  EXPECT_EQ(f.find("List")->Container, &f.frame);
  EXPECT_EQ(f.frame.Caption, "Frame");
  f.boxes[0].Left = 5000;
  EXPECT_EQ(f.designed(f.boxes[0]).Left, 3100);
  TextBox again;
  EXPECT_THROW(f.place(again, "Box", 1, nullptr, 0, 0, 1, 1), std::logic_error);
}

// A handler can only be registered for what the form holds: a control, a control array (by
// its name, any element) or the form itself. A misspelt name would never run.
TEST(WindowModel, HandlersForControlsTheFormDoesNotHoldAreRefused) {
  SmallForm f;
  auto none = [](EventArgs&) {};
  EXPECT_NO_THROW(f.on("Box", Event::Click, none));
  EXPECT_NO_THROW(f.on("Small", Event::Click, none));
  for (const char* name : {"Bx", "box", "Box ", "", "Frame"}) {
    EXPECT_THROW(f.on(name, Event::Click, none), std::logic_error) << name;
    EXPECT_FALSE(f.hasHandler(name, Event::Click)) << name;
  }
}

TEST(WindowModel, EventDepthCountsNestedHandlers) {
  SmallForm f;
  int depthInside = -1;
  f.on("Check", Event::Click, [&](EventArgs&) {
    depthInside = f.eventDepth();
    f.list.SetListIndex(1);  // a handler that sets a list runs the list's handler inside
  });
  f.on("List", Event::Click, [&](EventArgs&) { f.log.push_back(QString::number(f.eventDepth())); });
  f.raise(f.check, Event::Click);
  EXPECT_EQ(depthInside, 1);
  EXPECT_EQ(f.log, (std::vector<QString>{"2"}));
  EXPECT_EQ(f.eventDepth(), 0);
}

}  // namespace
