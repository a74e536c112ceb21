#pragma once
// Saving the main window's design to a design file and reading one back into the window.
#include <QByteArray>
#include <QString>

#include "designfiles/designrecord.h"
#include "mainwindow/calverdonform_fwd.h"

namespace designfiles {

using mainwindow::CalverdonForm;

// Writes a file whole or not at all.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // False when the file could not be written; an existing file is then left as it was.
  virtual bool write(const QString& path, const QByteArray& bytes) = 0;
};

// The writer every save goes through: the atomic one unless a test put another in.
FileWriter& CurrentFileWriter();
// Replaces the writer (nullptr restores the atomic one).
void SetFileWriter(FileWriter* writer);

// The messages of the reader and writer.
inline const QString kUnsupportedFile =
    QStringLiteral("This file is not supported by this version of Calverdon.");
inline const QString kUnreadableFile = QStringLiteral("The file could not be opened.");
inline const QString kDamagedFile =
    QStringLiteral("This file is damaged or incomplete and cannot be opened.");
inline const QString kSaveFailed = QStringLiteral("The design could not be saved.");

// The design's entries as the file records them.
DesignRecord RecordOf(const CalverdonForm& f);

// Writes the design to path; on success DesignFile names it. A failure is reported and
// changes nothing. Returns whether the file was written.
bool SaveSub(CalverdonForm& f, const QString& path);

// Reads the design file at path into the window and recomputes. The whole file is read and
// checked first: a missing, damaged or unsupported file, or one that is not a regular file (a
// folder, a named pipe, a device) of at most 1 MB, or one with a box text holding a number
// beyond the single range (which no box reads), is reported once and changes nothing
// but the busy flag, which is always cleared. A number that its box would not take is
// applied as the box would take it typed (fitboxes.h), so the boxes show the design computed.
// Returns whether the design was read.
bool OpenFile(CalverdonForm& f, const QString& path);

}  // namespace designfiles
