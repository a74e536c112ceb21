#pragma once
// The widgets the view makes for the control kinds that Qt has no fitting widget for, or
// whose Qt widget looks or reacts differently from the designed window.
#include <QCheckBox>
#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QPointF>
#include <QRadioButton>
#include <QWidget>

#include "forms/controls.h"
#include "gui/paintedlines_p.h"

namespace gui::detail {

// An Image control: paints its named drawing over the whole widget.
class ImageWidget : public QWidget {
 public:
  ImageWidget(const forms::Image& image, QWidget* parent) : QWidget(parent), image_(image) {}

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  const forms::Image& image_;
};

// A Line control: one line between two points of the widget; the mouse passes through it.
class LineWidget : public QWidget {
 public:
  explicit LineWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  QPointF from, to;
  QColor color;
  double width = 1;

 protected:
  void paintEvent(QPaintEvent*) override;
};

// A label painting its caption itself. One-line labels are as tall as the designed face's
// line; a face that stands in with a taller line would push its descenders out of the label,
// so its caption moves up by the overflow, as far as the empty space above the capitals goes.
class LabelWidget : public QLabel {
 public:
  explicit LabelWidget(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

 protected:
  void paintEvent(QPaintEvent*) override;
};

// Check boxes and option buttons react to a click anywhere on the control, not only on
// their mark and caption.
class WholeCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

class WholeRadioButton : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A frame drawn flat in its own background colour, with an etched border and its caption
// over the top edge (the style's group box adds a shaded panel of its own).
class FrameWidget : public QGroupBox {
 public:
  explicit FrameWidget(QWidget* parent) : QGroupBox(parent) {}
  bool bordered = true;

 protected:
  void paintEvent(QPaintEvent*) override;
};

// A picture box: its background, its named drawing, then the lines and texts that code drew
// on it, at the view's scale (k pixels per twip, factor for pens and fonts).
class PictureWidget : public QWidget {
 public:
  PictureWidget(const forms::PictureBox& box, QWidget* parent) : QWidget(parent), box_(box) {
    // The box paints all of itself, so nothing under it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  double k = 1.0 / 15;
  double factor = 1;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  const forms::PictureBox& box_;
  PaintedLines lines_;  // the drawing's lines as painted last
};

}  // namespace gui::detail
