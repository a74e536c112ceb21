#include "mainwindow/datafiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "mainwindow/calverdonform.h"

namespace mainwindow {

namespace {

FileState stateOf(const struct stat& st, qint64 limit) {
  if (!S_ISREG(st.st_mode)) return FileState::NotRegular;
  return st.st_size > limit ? FileState::TooLarge : FileState::Regular;
}

QString sizeText(qint64 bytes) {
  constexpr qint64 mega = qint64(1) << 20;
  return bytes % mega == 0 ? QStringLiteral("%1 MB").arg(bytes / mega)
                           : QStringLiteral("%1 bytes").arg(bytes);
}

}  // namespace

FileState CheckDataFile(const QString& path, qint64 limit) {
  const QByteArray name = QFile::encodeName(path);
  struct stat st {};
  if (name.isEmpty() || ::stat(name.constData(), &st) != 0) return FileState::Missing;
  return stateOf(st, limit);
}

DataFile ReadDataFile(const QString& path, qint64 limit) {
  DataFile out;
  out.state = CheckDataFile(path, limit);
  if (out.state != FileState::Regular) return out;
  // Without O_NONBLOCK a pipe put in the file's place since the look above would hold the
  // open until a writer comes.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    out.state = FileState::Unreadable;
    return out;
  }
  struct stat st {};
  out.state = ::fstat(fd, &st) == 0 ? stateOf(st, limit) : FileState::Unreadable;
  QFile file;
  if (out.state != FileState::Regular ||
      !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    if (out.state == FileState::Regular) out.state = FileState::Unreadable;
    return out;
  }
  out.bytes = file.read(limit + 1);
  if (out.bytes.size() > limit) {
    out.state = FileState::TooLarge;
    out.bytes.clear();
  } else if (file.error() != QFileDevice::NoError) {
    out.state = FileState::Unreadable;
    out.bytes.clear();
  }
  return out;
}

QString RefusedFileMessage(const QString& path, FileState state, qint64 limit) {
  const QString why = state == FileState::TooLarge
                          ? QStringLiteral("it is larger than %1").arg(sizeText(limit))
                          : QStringLiteral("it is not a regular file");
  return QStringLiteral("This file is not read: %1.\r\n").arg(why) + path;
}

bool RefusalsTold::tellNow(const QString& path, FileState state) {
  if (!IsRefused(state)) {
    told_.erase(path);
    return false;
  }
  const auto it = told_.find(path);
  if (it != told_.end() && it->second == state) return false;
  told_[path] = state;
  return true;
}

std::optional<QByteArray> ReadWindowDataFile(CalverdonForm& f, const QString& path,
                                             qint64 limit) {
  DataFile file = ReadDataFile(path, limit);
  if (f.DataFileRefusals.tellNow(path, file.state))
    f.Message(RefusedFileMessage(path, file.state, limit), platform::Buttons::Ok,
              platform::Icon::Exclamation);
  if (file.state != FileState::Regular) return std::nullopt;
  return std::move(file.bytes);
}

}  // namespace mainwindow
