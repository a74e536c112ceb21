// The binding of a text box: a line edit, or a plain-text editor for a multi-line box. The
// user's typing becomes the model's Text and a Change event; the model's Text, lock, length
// limit, alignment and selection reach the widget.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <algorithm>

#include "gui/bindings_p.h"

namespace gui::detail {

using forms::Event;

namespace {

class TextBoxBinding : public Binding {
 public:
  TextBoxBinding(FormView& v, forms::TextBox& box) : Binding(v, box), box_(box) {
    if (box.MultiLine) {
      auto* e = new QPlainTextEdit(&v);
      plain_ = e;
      widget_ = e;
      addInput(e);
      addInput(e->viewport());
      QObject::connect(e, &QPlainTextEdit::textChanged, e, [this] {
        // Only the user's typing arrives here: syncs block the signal.
        QString typed = plain_->toPlainText();
        text_ = typed;
        box_.Text = typed.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        view_.raiseFromUser(box_, Event::Change);
      });
    } else {
      auto* e = new QLineEdit(&v);
      line_ = e;
      widget_ = e;
      addInput(e);
      QObject::connect(e, &QLineEdit::textEdited, e, [this](const QString& typed) {
        text_ = typed;
        box_.Text = typed;
        box_.SelStart = static_cast<int>(line_->cursorPosition());
        box_.SelLength = 0;
        selStart_ = box_.SelStart;
        selLength_ = 0;
        view_.raiseFromUser(box_, Event::Change);
      });
    }
  }
  bool focusable() const override { return true; }
  bool clicksOnRelease() const override { return true; }
  bool ownsMouse() const override { return false; }

 protected:
  void applyColors(const QColor& back, const QColor& fore) override {
    setRole(widget_, QPalette::Base, back);
    setRole(widget_, QPalette::Text, fore);
  }
  void syncOwn(const Scale&, bool all, bool) override {
    QSignalBlocker block(widget_);
    if (line_) {
      if (all || box_.Text != text_) {
        text_ = box_.Text;
        line_->setText(box_.Text);
      }
      if (all || box_.Locked != locked_) line_->setReadOnly(locked_ = box_.Locked);
      if (all || box_.MaxLength != maxLength_) {
        maxLength_ = box_.MaxLength;
        line_->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
      }
      if (all || box_.Alignment != alignment_) {
        alignment_ = box_.Alignment;
        line_->setAlignment(alignmentOf(alignment_) | Qt::AlignVCenter);
      }
      if (box_.SelStart != selStart_ || box_.SelLength != selLength_) {
        selStart_ = box_.SelStart;
        selLength_ = box_.SelLength;
        const int len = static_cast<int>(line_->text().size());
        const int start = std::clamp(selStart_, 0, len);
        line_->setSelection(start, std::clamp(selLength_, 0, len - start));
      }
    } else {
      if (all || box_.Text != modelText_) {
        modelText_ = box_.Text;
        QString shown = box_.Text;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (shown != text_ || all) {
          text_ = shown;
          plain_->setPlainText(shown);
        }
      }
      if (all || box_.Locked != locked_) plain_->setReadOnly(locked_ = box_.Locked);
    }
  }

 private:
  forms::TextBox& box_;
  QLineEdit* line_ = nullptr;
  QPlainTextEdit* plain_ = nullptr;
  QString text_, modelText_;
  bool locked_ = false;
  int maxLength_ = 0, alignment_ = 0, selStart_ = 0, selLength_ = 0;
};

}  // namespace

std::unique_ptr<Binding> bindTextBox(FormView& view, forms::TextBox& box) {
  return std::make_unique<TextBoxBinding>(view, box);
}

}  // namespace gui::detail
