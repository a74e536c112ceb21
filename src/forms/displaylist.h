#pragma once
// What code drew on a picture box: lines and texts with their colours, in the box's units.
#include <QString>
#include <vector>

#include "forms/color.h"

namespace forms {

struct DrawnLine {
  float x1, y1, x2, y2;
  VbColor color;
  int width;
};

struct DrawnText {
  float x, y;  // top-left corner
  QString text;
  VbColor color;
  float fontSize;
  bool bold;
};

struct DisplayList {
  std::vector<DrawnLine> lines;
  std::vector<DrawnText> texts;
  unsigned revision = 0;  // changes with every drawing call, so the view repaints only then

  void clear() {
    lines.clear();
    texts.clear();
    ++revision;
  }
  bool empty() const { return lines.empty() && texts.empty(); }
};

}  // namespace forms
