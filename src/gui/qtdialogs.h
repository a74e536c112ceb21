#pragma once
// The file open and save dialogs (QFileDialog) and the colour chooser (QColorDialog).
#include "platform/filedialogs.h"

namespace gui {

class QtFileDialogs : public platform::FileDialogService {
 public:
  std::optional<QString> openFile(const platform::FileDialogRequest& request) override;
  // Asks nothing about an existing file: the program asks that itself.
  std::optional<QString> saveFile(const platform::FileDialogRequest& request) override;
};

class QtColorChooser : public platform::ColorChooser {
 public:
  std::optional<forms::VbColor> chooseColor(forms::VbColor initial) override;
};

// A file dialog's filter in Qt's form ("Name (*.a *.b);;Other (*)") and how the dialog shows it.
// A filter written as "description|pattern" pairs (patterns separated by ";") is converted:
// "Designs|*.cvf" becomes "Designs (*.cvf)". When every description names a pattern of its own,
// as "Comma Separated Value (*.csv)|*.*" does, each entry becomes "description (pattern)"
// ("Comma Separated Value (*.csv) (*.*)") and the dialog shows the descriptions only, so the
// user reads "Comma Separated Value (*.csv)" once while every file ("*.*") is listed.
struct DialogFilter {
  QString filter;
  bool descriptionsOnly = false;  // QFileDialog::HideNameFilterDetails
};
DialogFilter qtFilter(const QString& filter);

}  // namespace gui
