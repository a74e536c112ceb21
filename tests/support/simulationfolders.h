#pragma once
// The folders a simulated design runs in, set on the fake paths: the model library and the
// netlists' include files in a program folder of their own, netlists and simulator output in a
// user folder of their own. Header-only; CALVERDON_RESOURCES names the source's resources.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fakes/fake_services.h"

struct SimulationFolders {
  QTemporaryDir programDir, userDir;

  explicit SimulationFolders(fakes::FakeServices& fake) {
    QDir(programDir.path()).mkpath(QStringLiteral("models"));
    install(QStringLiteral("models/marquenta.lib"), QStringLiteral("models/marquenta.lib"));
    install(QStringLiteral("spice/10pSK.lib"), QStringLiteral("10pSK.lib"));
    install(QStringLiteral("spice/bandpass.lib"), QStringLiteral("bandpass.lib"));
    fake.paths.program = programDir.path();
    fake.paths.user = userDir.path();
  }

  void install(const QString& from, const QString& to) {
    QFile::copy(QStringLiteral(CALVERDON_RESOURCES "/") + from, programDir.path() + "/" + to);
  }
  QString userFile(const QString& name) const { return userDir.path() + "/" + name; }
};
