#include "forms/controls.h"

#include "forms/form.h"

namespace forms {

const char* kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox: return "TextBox";
    case ControlKind::Label: return "Label";
    case ControlKind::ComboBox: return "ComboBox";
    case ControlKind::CheckBox: return "CheckBox";
    case ControlKind::OptionButton: return "OptionButton";
    case ControlKind::CommandButton: return "CommandButton";
    case ControlKind::Frame: return "Frame";
    case ControlKind::Image: return "Image";
    case ControlKind::Line: return "Line";
    case ControlKind::MenuItem: return "MenuItem";
    case ControlKind::PictureBox: return "PictureBox";
    case ControlKind::Grid: return "Grid";
  }
  return "Control";
}

QString Control::displayName() const {
  return Index < 0 ? Name : QStringLiteral("%1(%2)").arg(Name).arg(Index);
}

// ---- ComboBox ----

QString ComboBox::List(int i) const {
  return i >= 0 && i < items_.size() ? items_[i] : QString();
}

void ComboBox::SetListIndex(int index) {
  if (index < -1 || index >= items_.size()) index = -1;
  listIndex_ = index;
  text_ = index >= 0 ? items_[index] : (Style == 2 ? QString() : text_);
  if (owner) owner->raise(*this, Event::Click);
}

void ComboBox::SetText(const QString& text) {
  const int match = static_cast<int>(items_.indexOf(text));
  if (Style == 2) {
    if (match < 0) return;
    SetListIndex(match);
    return;
  }
  // A typed combo runs its Change handler only; a matching entry becomes the selection.
  text_ = text;
  listIndex_ = match;
  if (owner) owner->raise(*this, Event::Change);
}

void ComboBox::AddItem(const QString& item) { items_.append(item); }

void ComboBox::RemoveItem(int index) {
  if (index < 0 || index >= items_.size()) return;
  items_.removeAt(index);
  if (listIndex_ == index) {
    listIndex_ = -1;
    if (Style == 2) text_.clear();
  } else if (listIndex_ > index) {
    --listIndex_;
  }
}

void ComboBox::Clear() {
  items_.clear();
  listIndex_ = -1;
  if (Style == 2) text_.clear();
}

// ---- CheckBox, OptionButton ----

void CheckBox::SetValue(int v) {
  if (v == value_) return;
  value_ = v;
  if (owner) owner->raise(*this, Event::Click);
}

void OptionButton::setFromUser(bool v) {
  value_ = v;
  if (!v || !owner) return;
  for (Control* c : owner->controls()) {
    if (c != this && c->kind == ControlKind::OptionButton && c->Container == Container)
      static_cast<OptionButton*>(c)->value_ = false;
  }
}

void OptionButton::SetValue(bool v) {
  const bool was = value_;
  setFromUser(v);
  if (v && !was && owner) owner->raise(*this, Event::Click);
}

// ---- PictureBox ----

void PictureBox::Cls() {
  drawing.clear();
  CurrentX = 0;
  CurrentY = 0;
}

void PictureBox::DrawLine(float x1, float y1, float x2, float y2, VbColor color) {
  drawing.lines.push_back({x1, y1, x2, y2, color, DrawWidth});
  ++drawing.revision;
  CurrentX = x2;
  CurrentY = y2;
}

void PictureBox::Print(const QString& text) {
  drawing.texts.push_back({CurrentX, CurrentY, text, ForeColor, font.Size, font.Bold});
  ++drawing.revision;
}

}  // namespace forms
