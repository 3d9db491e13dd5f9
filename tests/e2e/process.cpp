#include "process.h"

#include "support/wait.h"

#include <QDir>

namespace zbtest {

GameProcess::GameProcess(const QString& runtimeDir) {
    runtimeDir_ = runtimeDir.isEmpty() ? home_.path() + "/runtime" : runtimeDir;
    QDir().mkpath(runtimeDir_);
    QFile::setPermissions(runtimeDir_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", runtimeDir_);
    env.insert("HOME", home_.path());
    env.insert("XDG_DATA_HOME", home_.path() + "/data");
    env.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

GameProcess::~GameProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

void GameProcess::start(const QString& program, const QStringList& args) {
    process_.start(program, args);
    process_.waitForStarted(10000);
}

bool GameProcess::waitForExit(int ms) {
    return waitFor([&] { return process_.state() == QProcess::NotRunning; },
                   std::chrono::milliseconds(ms));
}

} // namespace zbtest
