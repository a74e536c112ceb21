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

// A filter in Qt's form ("Name (*.a *.b);;Other (*)"). A filter written as "name|pattern"
// pairs is converted: "Comma Separated Value (*.csv)|*.*" becomes
// "Comma Separated Value (*.csv) (*.*)"; patterns separated by ";" become a list.
QString qtFilter(const QString& filter);

}  // namespace gui
