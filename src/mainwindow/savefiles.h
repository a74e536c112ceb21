#pragma once
// What every command that writes a file the engineer chose shares: the question before an
// existing file is replaced, and writing the file whole or not at all.
#include <QByteArray>
#include <QString>

#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

inline const QString kOverwriteQuestion =
    QStringLiteral("File already exists. Do you want to overwrite it?");

// True when path may be written: it does not exist, or the engineer answered Yes to the
// overwrite question (title "title", Yes and No, warning icon). MsgAnswer keeps the answer.
bool MayWriteFile(CalverdonForm& f, const QString& path);

// Writes bytes to path through a temporary file that replaces the old one only when all of it
// reached the disk; false on failure (a full disk, a folder that cannot be written), with an
// existing file left as it was and no temporary file left behind.
bool WriteWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace mainwindow
