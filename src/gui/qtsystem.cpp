#include "gui/qtsystem.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <cmath>

#include "designfiles/filecommands.h"
#include "mainwindow/datafiles.h"

namespace gui {

// ---- clock

QDateTime QtClock::now() { return QDateTime::currentDateTime(); }

void QtClock::wait(double seconds) {
  if (!(seconds > 0)) return;
  // At most a day: a wait is a pause, never a hang.
  const double ms = std::min(seconds * 1000.0, 86400000.0);
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(std::lround(ms)), Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

// ---- paths

QString QtPaths::programFolder() {
  const QString exeFolder = QCoreApplication::applicationDirPath();
  // In the build tree the data lies beside the executable (its default design shows it);
  // installed, it lies in share/calverdon beside bin/.
  if (QFileInfo::exists(exeFolder + QLatin1Char('/') + designfiles::kDefaultDesignName))
    return QDir::cleanPath(exeFolder);
  const QDir installed(exeFolder + QLatin1Char('/') + QStringLiteral(CALVERDON_DATA_FROM_BIN));
  if (installed.exists()) return QDir::cleanPath(installed.absolutePath());
  return QDir::cleanPath(exeFolder);
}

QString QtPaths::sharedUserFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/.local/share/Calverdon");
  QDir().mkpath(folder);
  return QDir::cleanPath(folder);
}

QString QtPaths::userFolder() {
  if (!instance_) instance_ = std::make_unique<InstanceFolder>(sharedUserFolder());
  return instance_->own();
}

// ---- the instance's own folder

namespace {

// The highest instance number given a folder of its own; an instance beyond it gets none.
constexpr int kMostInstances = 99;
// A lock file holds a process number, a program and a host name.
constexpr qint64 kMostLockBytes = 4096;

// A lock held until the instance ends. The lock file names the process holding it, so a lock
// left by an instance that died is taken over at once; a lock never ages into a stale one
// however long its instance runs.
std::unique_ptr<QLockFile> tryLock(const QString& lockFile, bool& refused) {
  // A lock is a small regular file the lock reads when it is held: a pipe or a device in its
  // place would be waited on for ever. Such a lock counts as held.
  if (mainwindow::IsRefused(mainwindow::CheckDataFile(lockFile, kMostLockBytes))) return nullptr;
  auto lock = std::make_unique<QLockFile>(lockFile);
  lock->setStaleLockTime(0);
  if (lock->tryLock(0)) return lock;
  refused = lock->error() != QLockFile::LockFailedError;
  return nullptr;
}

}  // namespace

InstanceFolder::InstanceFolder(QString sharedFolder) : shared_(QDir::cleanPath(sharedFolder)) {}

InstanceFolder::~InstanceFolder() = default;

QString InstanceFolder::own() {
  if (chosen_) return own_;
  chosen_ = true;
  QDir().mkpath(shared_);
  bool refused = false;
  lock_ = tryLock(shared_ + QStringLiteral("/calverdon.lock"), refused);
  // Held, or no lock can be made in the shared folder at all (then nothing can be written
  // there either, by this instance or another): the shared folder.
  if (lock_ || refused) {
    own_ = shared_;
    return own_;
  }
  for (int n = 2; n <= kMostInstances; ++n) {
    const QString folder = shared_ + QStringLiteral("/instance-%1").arg(n);
    bool lockRefused = false;
    std::unique_ptr<QLockFile> lock = tryLock(folder + QStringLiteral(".lock"), lockRefused);
    // Held by another instance, or its lock cannot be made: the next one.
    if (!lock) continue;
    // A file or anything else by the folder's name (a link could lead into another
    // instance's folder), or a folder that cannot be made: its lock is let go and the next
    // one is tried.
    if (!QDir().mkpath(folder)) continue;
    const QFileInfo made(folder);
    if (made.isDir() && !made.isSymLink()) {
      lock_ = std::move(lock);
      own_ = folder;
      return own_;
    }
  }
  return own_;  // none free: empty
}

// ---- processes

platform::ProcessResult QtProcessRunner::run(const QString& program, const QStringList& arguments,
                                             const QString& workingFolder, int timeoutMs) {
  platform::ProcessResult result;
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  if (!workingFolder.isEmpty()) p.setWorkingDirectory(workingFolder);
  p.start(program, arguments);
  if (!p.waitForStarted(std::max(1000, std::min(timeoutMs, 30000)))) {
    result.output = p.errorString();
    return result;
  }
  result.started = true;
  if (!p.waitForFinished(std::max(0, timeoutMs)) && p.state() != QProcess::NotRunning) {
    // Out of time: the program is stopped and the run counts as unfinished.
    p.kill();
    p.waitForFinished(3000);
    result.output = QString::fromLocal8Bit(p.readAll());
    return result;
  }
  result.output = QString::fromLocal8Bit(p.readAll());
  if (p.exitStatus() == QProcess::NormalExit) {
    result.finished = true;
    result.exitCode = p.exitCode();
  } else {
    result.finished = true;  // it ended, by a crash: no exit code
    result.exitCode = -1;
  }
  return result;
}

bool QtProgramLauncher::launch(const QString& program, const QStringList& arguments,
                               const QString& workingFolder) {
  return QProcess::startDetached(program, arguments, workingFolder);
}

// ---- documents and help

bool DesktopHasProgramFor(const QString& file) {
  const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (query.isEmpty()) return true;
  QProcess p;
  p.start(query, {QStringLiteral("query"), QStringLiteral("default"),
                  QMimeDatabase().mimeTypeForFile(file).name()});
  if (!p.waitForFinished(5000)) {
    p.kill();
    p.waitForFinished();
    return true;
  }
  return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 &&
         !p.readAllStandardOutput().trimmed().isEmpty();
}

bool QtDocumentOpener::open(const QString& path) {
  if (path.isEmpty()) return false;
  const QUrl url(path);
  const QString scheme = url.scheme().toLower();
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
    return QDesktopServices::openUrl(url);
  const QString local = scheme == QLatin1String("file") ? url.toLocalFile() : path;
  if (!QFileInfo(local).isFile()) return false;
  const QString file = QFileInfo(local).absoluteFilePath();
  if (!DesktopHasProgramFor(file)) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

bool QtHelpService::showHelp(const QString& helpFile) {
  if (helpFile.isEmpty() || !QFileInfo(helpFile).isFile()) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath()));
}

}  // namespace gui
