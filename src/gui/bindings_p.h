#pragma once
// The bindings of the control kinds, each in the file of its family (text boxes, buttons,
// lists, graphical controls, containers), and the helpers they share. makeBinding chooses
// among them by the control's kind.
#include <QColor>
#include <QPalette>
#include <QWidget>
#include <memory>

#include "forms/controls.h"
#include "gui/formview_p.h"

namespace gui::detail {

// Sets a colour role of a widget's active and inactive palette; the disabled look stays the
// style's own.
void setRole(QWidget* w, QPalette::ColorRole role, const QColor& c);
// The horizontal alignment of a model Alignment value.
Qt::Alignment alignmentOf(int alignment);

std::unique_ptr<Binding> bindTextBox(FormView& view, forms::TextBox& box);
std::unique_ptr<Binding> bindCommandButton(FormView& view, forms::CommandButton& button);
std::unique_ptr<Binding> bindCheckBox(FormView& view, forms::CheckBox& box);
std::unique_ptr<Binding> bindOptionButton(FormView& view, forms::OptionButton& option);
std::unique_ptr<Binding> bindComboBox(FormView& view, forms::ComboBox& combo);
std::unique_ptr<Binding> bindGrid(FormView& view, forms::Grid& grid);
std::unique_ptr<Binding> bindLabel(FormView& view, forms::Label& label);
std::unique_ptr<Binding> bindImage(FormView& view, forms::Image& image);
std::unique_ptr<Binding> bindLine(FormView& view, forms::Line& line);
std::unique_ptr<Binding> bindFrame(FormView& view, forms::Frame& frame);
std::unique_ptr<Binding> bindPictureBox(FormView& view, forms::PictureBox& box);

}  // namespace gui::detail
