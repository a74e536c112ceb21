// The bindings of the graphical kinds (labels, images and lines): they paint on their
// container below its windowed controls and never take the focus.
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "gui/bindings_p.h"
#include "gui/captions_p.h"
#include "gui/colors.h"
#include "gui/fonts_p.h"
#include "gui/widgets_p.h"

namespace gui::detail {

namespace {

class LabelBinding : public Binding {
 public:
  LabelBinding(FormView& v, forms::Label& l) : Binding(v, l), label_(l) {
    auto* w = new LabelWidget(&v);
    w->setTextFormat(Qt::PlainText);
    w->setIndent(0);
    w->setMargin(0);
    widget_ = w;
    q_ = w;
    addInput(w);
  }
  bool clicksOnRelease() const override { return true; }
  bool graphical() const override { return true; }

 protected:
  QRect geometryFor(const Scale& s) const override {
    QRect r = Binding::geometryFor(s);
    if (label_.AutoSize && !label_.WordWrap) {
      // An auto-sized label grows to its caption.
      const QFontMetrics m(makeFont(label_.font, s.factor));
      const QString shown = label_.UseMnemonic ? withoutMnemonic(label_.Caption) : label_.Caption;
      r.setWidth(std::max(r.width(), m.horizontalAdvance(shown) + 2));
    }
    return r;
  }
  void syncOwn(const Scale& s, bool all, bool) override {
    if (all || label_.Caption != caption_) {
      caption_ = label_.Caption;
      q_->setText(label_.UseMnemonic ? withoutMnemonic(caption_) : caption_);
      if (label_.AutoSize) q_->setGeometry(geometryFor(s));
    }
    if (all || label_.Alignment != alignment_ || label_.WordWrap != wrap_) {
      alignment_ = label_.Alignment;
      wrap_ = label_.WordWrap;
      q_->setAlignment(alignmentOf(alignment_) | Qt::AlignTop);
      q_->setWordWrap(wrap_);
    }
    if (all || label_.BorderStyle != border_) {
      border_ = label_.BorderStyle;
      q_->setFrameStyle(border_ ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame);
    }
    if (all || label_.BackStyle != backStyle_) {
      backStyle_ = label_.BackStyle;
      q_->setAutoFillBackground(backStyle_ != 0);
    }
  }

 private:
  forms::Label& label_;
  LabelWidget* q_;
  QString caption_;
  int alignment_ = 0, border_ = 0, backStyle_ = 1;
  bool wrap_ = false;
};

class ImageBinding : public Binding {
 public:
  ImageBinding(FormView& v, forms::Image& i) : Binding(v, i), image_(i) {
    widget_ = new ImageWidget(i, &v);
    addInput(widget_);
  }
  bool clicksOnRelease() const override { return true; }
  bool graphical() const override { return true; }

 protected:
  void applyColors(const QColor&, const QColor&) override {}
  void syncOwn(const Scale&, bool all, bool) override {
    if (all || image_.Picture != picture_) {
      picture_ = image_.Picture;
      widget_->update();
    }
  }

 private:
  forms::Image& image_;
  QString picture_;
};

class LineBinding : public Binding {
 public:
  LineBinding(FormView& v, forms::Line& l) : Binding(v, l), line_(l) {
    q_ = new LineWidget(&v);
    widget_ = q_;
  }
  bool graphical() const override { return true; }

 protected:
  bool geometryChanged() const override {
    return line_.X1 != x1_ || line_.Y1 != y1_ || line_.X2 != x2_ || line_.Y2 != y2_ ||
           line_.BorderWidth != width_;
  }
  void rememberGeometry() override {
    x1_ = line_.X1;
    y1_ = line_.Y1;
    x2_ = line_.X2;
    y2_ = line_.Y2;
    width_ = line_.BorderWidth;
  }
  QRect geometryFor(const Scale& s) const override {
    const QPoint o = onForm_ ? s.origin : QPoint();
    const double pen = std::max(1.0, line_.BorderWidth * s.factor);
    const double margin = std::ceil(pen / 2) + 1;
    const QPointF a(line_.X1 * s.k, line_.Y1 * s.k), b(line_.X2 * s.k, line_.Y2 * s.k);
    const double left = std::floor(std::min(a.x(), b.x()) - margin);
    const double top = std::floor(std::min(a.y(), b.y()) - margin);
    const double right = std::ceil(std::max(a.x(), b.x()) + margin);
    const double bottom = std::ceil(std::max(a.y(), b.y()) + margin);
    // The end points relative to the widget; straight lines on pixel centres.
    const auto snap = [&](double v, double origin) {
      return std::round(v - origin - 0.5) + (static_cast<int>(std::lround(pen)) % 2 ? 0.5 : 0.0);
    };
    const bool vertical = a.x() == b.x(), horizontal = a.y() == b.y();
    q_->from = QPointF(vertical ? snap(a.x(), left) : a.x() - left,
                       horizontal ? snap(a.y(), top) : a.y() - top);
    q_->to = QPointF(vertical ? snap(b.x(), left) : b.x() - left,
                     horizontal ? snap(b.y(), top) : b.y() - top);
    q_->width = pen;
    return QRect(o.x() + static_cast<int>(left), o.y() + static_cast<int>(top),
                 static_cast<int>(right - left), static_cast<int>(bottom - top));
  }
  void applyColors(const QColor&, const QColor&) override {}
  void syncOwn(const Scale&, bool all, bool) override {
    if (all || line_.BorderColor != color_) {
      color_ = line_.BorderColor;
      q_->color = toQColor(color_);
      q_->update();
    }
  }

 private:
  forms::Line& line_;
  LineWidget* q_;
  int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0, width_ = 0;
  forms::VbColor color_ = 0;
};

}  // namespace

std::unique_ptr<Binding> bindLabel(FormView& view, forms::Label& label) {
  return std::make_unique<LabelBinding>(view, label);
}

std::unique_ptr<Binding> bindImage(FormView& view, forms::Image& image) {
  return std::make_unique<ImageBinding>(view, image);
}

std::unique_ptr<Binding> bindLine(FormView& view, forms::Line& line) {
  return std::make_unique<LineBinding>(view, line);
}

}  // namespace gui::detail
