#include "mainwindow/savefiles.h"

#include <QFileInfo>
#include <QSaveFile>

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
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace mainwindow
