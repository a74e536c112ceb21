#pragma once
// The cascade design pass of low-pass, high-pass and two-half designs.
namespace mainwindow {
struct CalverdonForm;
}

namespace designview {

using mainwindow::CalverdonForm;

// Pole pairs, scaling, and the synthesis, analysis and readouts of every section.
void CascadePass(CalverdonForm& f);

}  // namespace designview
