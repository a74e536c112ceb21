// The bindings of the button kinds: command buttons raise Click; check boxes and option
// buttons write their new value to the model, then raise Click.
#include <QCheckBox>
#include <QFontMetrics>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringList>

#include "gui/bindings_p.h"
#include "gui/widgets_p.h"

namespace gui::detail {

using forms::Event;

namespace {

class CommandButtonBinding : public Binding {
 public:
  CommandButtonBinding(FormView& v, forms::CommandButton& b) : Binding(v, b), button_(b) {
    auto* w = new QPushButton(&v);
    w->setAutoDefault(false);
    widget_ = w;
    q_ = w;
    addInput(w);
    QObject::connect(w, &QPushButton::clicked, w,
                     [this] { view_.raiseFromUser(button_, Event::Click); });
  }
  bool focusable() const override { return true; }

 protected:
  void applyColors(const QColor& back, const QColor& fore) override {
    setRole(widget_, QPalette::Button, back);
    setRole(widget_, QPalette::ButtonText, fore);
  }
  void syncOwn(const Scale&, bool all, bool) override {
    // A caption wider than its button is broken into lines, as the window's narrow view
    // buttons need; the break follows the button's width at every scale.
    if (all || button_.Caption != caption_ || q_->width() != wrappedWidth_) {
      caption_ = button_.Caption;
      wrappedWidth_ = q_->width();
      q_->setText(wrappedCaption(caption_, q_->fontMetrics(), wrappedWidth_ - 6));
    }
  }

 private:
  static QString wrappedCaption(const QString& caption, const QFontMetrics& m, int width) {
    if (width <= 0 || m.horizontalAdvance(caption) <= width) return caption;
    QStringList lines;
    QString line;
    for (const QString& word : caption.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
      if (!line.isEmpty() && m.horizontalAdvance(longer) > width) {
        lines << line;
        line = word;
      } else {
        line = longer;
      }
    }
    if (!line.isEmpty()) lines << line;
    return lines.join(QLatin1Char('\n'));
  }

  forms::CommandButton& button_;
  QPushButton* q_;
  QString caption_;
  int wrappedWidth_ = -1;
};

class CheckBoxBinding : public Binding {
 public:
  CheckBoxBinding(FormView& v, forms::CheckBox& c) : Binding(v, c), box_(c) {
    auto* w = new WholeCheckBox(&v);
    w->setAutoFillBackground(true);
    widget_ = w;
    q_ = w;
    addInput(w);
    QObject::connect(w, &QCheckBox::clicked, w, [this] {
      // A click checks a box that is clear or grey, and clears a checked one.
      box_.setFromUser(box_.Value() == 1 ? 0 : 1);
      value_ = q_->checkState() == Qt::Checked ? 1 : q_->checkState() == Qt::PartiallyChecked ? 2 : 0;
      view_.raiseFromUser(box_, Event::Click);
    });
  }
  bool focusable() const override { return true; }
  bool changesOnRelease() const override { return true; }

 protected:
  void syncOwn(const Scale&, bool all, bool) override {
    QSignalBlocker block(q_);
    if (all || box_.Caption != caption_) q_->setText(caption_ = box_.Caption);
    if (all || box_.Value() != value_) {
      value_ = box_.Value();
      q_->setTristate(value_ == 2);
      q_->setCheckState(value_ == 1 ? Qt::Checked : value_ == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    }
  }

 private:
  forms::CheckBox& box_;
  QCheckBox* q_;
  QString caption_;
  int value_ = 0;
};

class OptionButtonBinding : public Binding {
 public:
  OptionButtonBinding(FormView& v, forms::OptionButton& o) : Binding(v, o), option_(o) {
    auto* w = new WholeRadioButton(&v);
    // The model keeps the buttons of a container exclusive; the widget only shows it.
    w->setAutoExclusive(false);
    w->setAutoFillBackground(true);
    widget_ = w;
    q_ = w;
    addInput(w);
    QObject::connect(w, &QRadioButton::clicked, w, [this] {
      if (option_.Value()) {
        // Clicking the chosen button keeps it chosen.
        QSignalBlocker block(q_);
        q_->setChecked(true);
        return;
      }
      option_.setFromUser(true);
      value_ = true;
      view_.raiseFromUser(option_, Event::Click);
    });
  }
  bool focusable() const override { return true; }
  bool changesOnRelease() const override { return true; }

 protected:
  void syncOwn(const Scale&, bool all, bool) override {
    QSignalBlocker block(q_);
    if (all || option_.Caption != caption_) q_->setText(caption_ = option_.Caption);
    if (all || option_.Value() != value_ || q_->isChecked() != option_.Value()) {
      value_ = option_.Value();
      q_->setChecked(value_);
    }
  }

 private:
  forms::OptionButton& option_;
  QRadioButton* q_;
  QString caption_;
  bool value_ = false;
};

}  // namespace

std::unique_ptr<Binding> bindCommandButton(FormView& view, forms::CommandButton& button) {
  return std::make_unique<CommandButtonBinding>(view, button);
}

std::unique_ptr<Binding> bindCheckBox(FormView& view, forms::CheckBox& box) {
  return std::make_unique<CheckBoxBinding>(view, box);
}

std::unique_ptr<Binding> bindOptionButton(FormView& view, forms::OptionButton& option) {
  return std::make_unique<OptionButtonBinding>(view, option);
}

}  // namespace gui::detail
