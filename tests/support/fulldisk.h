#pragma once
// A folder on a disk with no space left, for the tests of writes that must not lose the old
// file. Run as root (as CI runs), the folder is a small tmpfs mounted for the test and filled
// to its last byte while a write runs, so the write meets a real ENOSPC. Otherwise no file may
// grow beyond a few bytes while the write runs (a file size limit, EFBIG): the same refused
// write from the kernel, without a mount.
//
// Header-only: the test support library itself does not link Qt's file classes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class FullDisk {
 public:
  FullDisk() {
    folder_ = dir_.filePath(QStringLiteral("disk"));
    QDir().mkpath(folder_);
    mounted_ = ::geteuid() == 0 &&
               ::mount("tmpfs", QFile::encodeName(folder_).constData(), "tmpfs", MS_NOSUID,
                       "size=64k,mode=0700") == 0;
  }
  ~FullDisk() {
    if (mounted_) ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

  QString folder() const { return folder_; }
  QString path(const QString& name) const { return folder_ + QLatin1Char('/') + name; }
  // Whether the disk is a real tmpfs (else a file size limit stands for it).
  bool isTmpfs() const { return mounted_; }

  // Runs `write` with the disk full; afterwards the disk has room again.
  template <class Write>
  void whileFull(Write&& write) {
    if (mounted_) {
      fill();
      write();
      QFile::remove(path(kFiller));
      return;
    }
    struct rlimit before {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    struct rlimit full = before;
    full.rlim_cur = 4;
    const sighandler_t signal = ::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &full), 0);
    write();
    ::setrlimit(RLIMIT_FSIZE, &before);
    ::signal(SIGXFSZ, signal);
  }

  // The names in the folder, hidden ones included (a left-over temporary file shows here).
  QStringList entries() const {
    QStringList names = QDir(folder_).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.removeAll(kFiller);
    return names;
  }

 private:
  static inline const QString kFiller = QStringLiteral("filler");

  void fill() {
    QFile filler(path(kFiller));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(512, 'x');
    while (filler.write(block) == block.size()) {
    }
    while (filler.write("x", 1) == 1) {
    }
  }

  QTemporaryDir dir_;
  QString folder_;
  bool mounted_ = false;
};
