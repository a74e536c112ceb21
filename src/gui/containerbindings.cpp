// The bindings of the container kinds (frames and picture boxes): the controls placed in them
// are children of their widget.
#include "gui/bindings_p.h"
#include "gui/widgets_p.h"

namespace gui::detail {

namespace {

class FrameBinding : public Binding {
 public:
  FrameBinding(FormView& v, forms::Frame& f) : Binding(v, f), frame_(f) {
    auto* w = new FrameWidget(&v);
    w->setAutoFillBackground(true);
    widget_ = w;
    q_ = w;
    addInput(w);
  }
  QWidget* childHost() const override { return widget_; }
  bool clicksOnRelease() const override { return true; }

 protected:
  void syncOwn(const Scale&, bool all, bool) override {
    if (all || frame_.Caption != caption_) q_->setTitle(caption_ = frame_.Caption);
    if (all || frame_.BorderStyle != border_) {
      border_ = frame_.BorderStyle;
      q_->bordered = border_ != 0;
      q_->update();
    }
  }

 private:
  forms::Frame& frame_;
  FrameWidget* q_;
  QString caption_;
  int border_ = 1;
};

class PictureBoxBinding : public Binding {
 public:
  PictureBoxBinding(FormView& v, forms::PictureBox& p) : Binding(v, p), box_(p) {
    q_ = new PictureWidget(p, &v);
    widget_ = q_;
    addInput(q_);
  }
  QWidget* childHost() const override { return widget_; }
  bool clicksOnRelease() const override { return true; }

 protected:
  void applyColors(const QColor&, const QColor&) override { q_->update(); }
  void syncOwn(const Scale& s, bool all, bool rescaled) override {
    if (all || box_.drawing.revision != revision_ || box_.Picture != picture_ ||
        box_.BorderStyle != border_) {
      revision_ = box_.drawing.revision;
      picture_ = box_.Picture;
      border_ = box_.BorderStyle;
      q_->update();
    }
    if (all || rescaled) {
      q_->k = s.k;
      q_->factor = s.factor;
      q_->update();
    }
  }

 private:
  forms::PictureBox& box_;
  PictureWidget* q_;
  unsigned revision_ = 0;
  QString picture_;
  int border_ = -1;
};

}  // namespace

std::unique_ptr<Binding> bindFrame(FormView& view, forms::Frame& frame) {
  return std::make_unique<FrameBinding>(view, frame);
}

std::unique_ptr<Binding> bindPictureBox(FormView& view, forms::PictureBox& box) {
  return std::make_unique<PictureBoxBinding>(view, box);
}

}  // namespace gui::detail
