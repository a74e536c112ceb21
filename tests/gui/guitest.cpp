#include "guitest.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include "support/nonnumbers.h"

namespace guitest {

namespace {

// One application object for the whole test program, on the offscreen platform.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_gui";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

QString firstNonNumber(const forms::Form& form) { return FirstNonNumber(form); }

QString eventName(forms::Event ev) {
  using forms::Event;
  switch (ev) {
    case Event::Click: return "Click";
    case Event::DblClick: return "DblClick";
    case Event::Change: return "Change";
    case Event::GotFocus: return "GotFocus";
    case Event::LostFocus: return "LostFocus";
    case Event::Validate: return "Validate";
    case Event::KeyPress: return "KeyPress";
    case Event::KeyDown: return "KeyDown";
    case Event::MouseDown: return "MouseDown";
    case Event::MouseUp: return "MouseUp";
    case Event::MouseMove: return "MouseMove";
    case Event::HeadClick: return "HeadClick";
  }
  return "?";
}

TestForm::TestForm() : Form("TestForm") {
  Caption = "Test window";
  Width = 6000;
  Height = 4500;
  place(Text1, "Text1", nullptr, 120, 120, 1200, 285).text("1k").tab(0);
  place(Text2, "Text2", nullptr, 120, 480, 1200, 285).tab(1);
  place(List, "List", nullptr, 1500, 120, 1500, 315).tab(2);
  for (const char* s : {"Low-Pass", "High-Pass", "Band-Pass", "Notch"}) List.AddItem(s);
  List.SetListIndex(0);
  place(Edit, "Edit", nullptr, 1500, 480, 1500, 315).tab(3);
  Edit.Style = 0;
  for (const char* s : {"E12", "E24", "E96"}) Edit.AddItem(s);
  place(Check, "Check", nullptr, 3200, 120, 1500, 255).text("Rad/s").tab(4);
  place(Button, "Button", nullptr, 120, 900, 1200, 375).text("&Go").tab(5);
  place(Note, "Note", nullptr, 120, 1400, 1800, 255).text("A note");
  place(Frame1, "Frame1", nullptr, 3200, 480, 2400, 1200).text("Circuit");
  place(OptA, "OptA", &Frame1, 120, 240, 1800, 255).text("MFB").tab(6);
  place(OptB, "OptB", &Frame1, 120, 600, 1800, 255).text("Sallen-Key").tab(7);
  place(OptC, "OptC", nullptr, 3200, 1800, 1800, 255).text("Other").tab(8);
  OptA.SetValue(true);
  OptC.SetValue(true);
  place(Graph, "Graph", nullptr, 120, 2000, 3000, 1500);
  place(Schematic, "Schematic", nullptr, 3300, 2200, 1500, 1200);
  menu(mnuView, "mnuView", nullptr, "&View");
  menu(mnuShowGain, "mnuShowGain", &mnuView, "Show &gain", "Ctrl+G");
  menu(mnuSep, "mnuSep", &mnuView, "-");
  menu(mnuSpare, "mnuSpare", &mnuView, "Spare").hidden();
}

void TestForm::logEvents(const QString& name, std::initializer_list<forms::Event> events) {
  for (forms::Event ev : events)
    on(name, ev, [this, name, ev](forms::EventArgs&) { log << name + "." + eventName(ev); });
}

Shown::Shown() {
  window = std::make_unique<gui::FormWindow>(form);
  window->show();
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window.get())) ADD_FAILURE() << "the window did not activate";
  QApplication::processEvents();
}

void answerNextBox(const QString& buttonText, std::function<void()> after) {
  // Polls until the box is there: it opens inside a handler, after this call.
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, buttonText, after] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    timer->stop();
    timer->deleteLater();
    EXPECT_EQ(box->textFormat(), Qt::PlainText);  // the program's texts are never markup
    QAbstractButton* button = nullptr;
    for (QAbstractButton* b : box->buttons())
      if (b->text().remove('&') == buttonText) button = b;
    if (buttonText.isEmpty())
      QTest::keyClick(box, Qt::Key_Escape);
    else if (button)
      button->click();
    else {
      ADD_FAILURE() << "no button " << buttonText.toStdString();
      box->reject();
    }
    if (after) after();
  });
  timer->start();
}

void reactivate(QWidget* window) {
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window)) ADD_FAILURE() << "the window did not activate";
  QApplication::processEvents();
}

}  // namespace guitest
