#pragma once
// A window of six hundred controls (300 labels, 200 text boxes and 100 lists of 12 entries),
// about as many as the main window has: for the view's sync, in a test and a benchmark.
#include <QString>
#include <array>

#include "forms/form.h"

struct SixHundredControls : forms::Form {
  std::array<forms::Label, 300> labels;
  std::array<forms::TextBox, 200> boxes;
  std::array<forms::ComboBox, 100> lists;
  SixHundredControls() : Form("Big") {
    Width = 12000;
    Height = 9000;
    for (int i = 0; i < 300; ++i)
      place(labels[i], "Label", i, nullptr, (i % 20) * 600, (i / 20) * 300, 550, 255).text("x");
    for (int i = 0; i < 200; ++i)
      place(boxes[i], "Box", i, nullptr, (i % 20) * 600, 4500 + (i / 20) * 300, 550, 285);
    for (int i = 0; i < 100; ++i) {
      place(lists[i], "List", i, nullptr, (i % 20) * 600, 7500 + (i / 20) * 300, 550, 315);
      for (int k = 0; k < 12; ++k) lists[i].AddItem(QString("Entry %1").arg(k));
    }
  }
};
