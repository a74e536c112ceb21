#pragma once
// The design passes of band-pass and notch designs.
namespace mainwindow {
struct CalverdonForm;
}

namespace designview {

using mainwindow::CalverdonForm;

void BandPassPass(CalverdonForm& f);
void NotchPass(CalverdonForm& f);

}  // namespace designview
