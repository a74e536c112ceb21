#pragma once
// The file open and save dialogs and the colour chooser. An empty optional is a cancel.
#include <QString>
#include <optional>

#include "forms/color.h"

namespace platform {

struct FileDialogRequest {
  QString title;
  QString filter;        // e.g. "Filter design (*.cvf)"
  QString initialFolder;
  QString initialName;
  QString defaultSuffix;  // e.g. "cvf"
};

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
  // The save dialog asks nothing about overwriting; the program asks that itself.
  virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
};

class ColorChooser {
 public:
  virtual ~ColorChooser() = default;
  virtual std::optional<forms::VbColor> chooseColor(forms::VbColor initial) = 0;
};

}  // namespace platform
