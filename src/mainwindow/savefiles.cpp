#include "mainwindow/savefiles.h"

#include <QFileInfo>
#include <QSaveFile>
#include <unistd.h>

#include "mainwindow/calverdonform.h"

namespace mainwindow {

bool MayWriteFile(CalverdonForm& f, const QString& path) {
  if (!QFileInfo::exists(path)) return true;
  f.MsgAnswer = f.svc.messages ? f.svc.messages->show(kOverwriteQuestion, QStringLiteral("title"),
                                                      platform::Buttons::YesNo,
                                                      platform::Icon::Exclamation)
                               : platform::AnswerNo;
  return f.MsgAnswer == platform::AnswerYes;
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  // The bytes wait in the file's buffer until it is flushed, and a full disk may refuse them
  // only then or when they go to the disk: the commit does not look at either, so both are
  // checked here, and a refused write never replaces the old file.
  if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace mainwindow
