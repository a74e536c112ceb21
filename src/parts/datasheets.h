#pragma once
// Datasheet lookup: a part's PDF in "datasheets/" in the program folder, opened with the
// program the desktop associates with PDF files.
#include <QString>

#include "mainwindow/calverdonform_fwd.h"

namespace platform {
class DocumentOpener;
}

namespace parts {

using mainwindow::CalverdonForm;

inline const QString kDatasheetFolder = QStringLiteral("datasheets");
inline const QString kMakerAddress = QStringLiteral("www.marquenta.example");

// The datasheet's file name for a part list text: trimmed, lower case, ".pdf" appended.
QString DatasheetName(const QString& partText);

// Shell result codes: above 32 the document was opened.
inline constexpr int kShellOpened = 42;
inline constexpr int kShellFileNotFound = 2;
inline constexpr int kShellNoAssociation = 31;

// Opens path with its associated program. kShellOpened when it opened, kShellFileNotFound
// when there is no such file, kShellNoAssociation when nothing could open it.
int ShellOpenDocument(platform::DocumentOpener* opener, const QString& path);

// Opens the datasheet `name` from the datasheet folder. A part of the KVR family that has no
// datasheet of its own falls back to its family's generic ones: its seventh character set to
// "1", then to "0". Reports the opened sheet, or that none was found; a sheet that is there
// but that no program could open is named in a message of its own, and no other name is tried.
void ShowDatasheet(CalverdonForm& f, const QString& name);

}  // namespace parts
