#pragma once
// Reading the files the program relies on (design files, the op-amp model library, the
// settings) only when they are what they stand for: a regular file (a link to one counts) of a
// sane size. A named pipe waits for a writer and a device such as /dev/zero reads for ever, so
// neither is ever opened for reading; a folder has nothing to read, and a file far beyond the
// size its kind ever has is not one of them either.
#include <QByteArray>
#include <QString>
#include <map>
#include <optional>

#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

// The size limits of the files read this way, in bytes.
inline constexpr qint64 kLibraryLimit = qint64(16) << 20;
inline constexpr qint64 kSettingsLimit = qint64(1) << 20;
inline constexpr qint64 kDesignFileLimit = qint64(1) << 20;

enum class FileState {
  Regular,     // a regular file within the limit (read: its bytes were read)
  Missing,     // nothing by that name, or a link that leads nowhere
  Unreadable,  // a regular file within the limit that could not be opened or read
  NotRegular,  // a named pipe, a device, a folder, a socket
  TooLarge,    // a regular file beyond the limit
};

// Whether a file in this state is refused rather than missing: it is there, but is no file of
// the kind the program reads.
inline bool IsRefused(FileState s) { return s == FileState::NotRegular || s == FileState::TooLarge; }

// What is at path, for a file of at most `limit` bytes; nothing is opened (never Unreadable).
FileState CheckDataFile(const QString& path, qint64 limit);

struct DataFile {
  FileState state = FileState::Missing;
  QByteArray bytes;  // the whole file when state is Regular
};

// Reads the whole file when it is a regular file of at most `limit` bytes. The file is opened
// without waiting and looked at again once open, so one that is swapped for a pipe or a
// device in between is still not read; one that grows beyond the limit meanwhile is too large.
DataFile ReadDataFile(const QString& path, qint64 limit);

// The message for a refused file (NotRegular, TooLarge), naming it.
QString RefusedFileMessage(const QString& path, FileState state, qint64 limit);

// The refusals told, by file, so each is told once while it stays the same.
class RefusalsTold {
 public:
  // Whether a file found in `state` is to be told now: a refusal other than the one told last
  // for that file. A state that is no refusal forgets the file's last refusal.
  bool tellNow(const QString& path, FileState state);

 private:
  std::map<QString, FileState> told_;
};

// A data file of the main window: its bytes when it is a regular file of at most `limit`
// bytes; nothing when it is missing or cannot be opened, as if it were not there; nothing and
// one message naming it when it is refused. A refusal is told once: again only after that file
// was read or missing in between, or is refused for another reason, so the passes that read
// the file again and again do not repeat it.
std::optional<QByteArray> ReadWindowDataFile(CalverdonForm& f, const QString& path,
                                             qint64 limit);

}  // namespace mainwindow
