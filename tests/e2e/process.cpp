#include "process.h"

#include "support/wait.h"

#include <QDir>

namespace zbtest {

GameProcess::GameProcess(const QString& runtimeDir) {
    runtimeDir_ = runtimeDir.isEmpty() ? home_.path() + "/runtime" : runtimeDir;
    QDir().mkpath(runtimeDir_);
    QFile::setPermissions(runtimeDir_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env_ = QProcessEnvironment::systemEnvironment();
    env_.insert("QT_QPA_PLATFORM", "offscreen");
    env_.insert("XDG_RUNTIME_DIR", runtimeDir_);
    env_.insert("HOME", home_.path());
    env_.insert("XDG_DATA_HOME", home_.path() + "/data");
    env_.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

void GameProcess::setEnv(const QString& name, const QString& value) {
    env_.insert(name, value);
}

void GameProcess::unsetEnv(const QString& name) {
    env_.remove(name);
}

void GameProcess::captureErrors() {
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.setStandardOutputFile(QProcess::nullDevice());
}

QByteArray GameProcess::errors() {
    errors_ += process_.readAllStandardError();
    return errors_;
}

namespace {

// unshare's own way in: plain as root, mapped to root in a user namespace otherwise.
QStringList unshareArgs() {
    for (const QStringList& args : {QStringList{"-m"}, QStringList{"-r", "-m"}}) {
        QProcess probe;
        probe.start("unshare", args + QStringList{"--", "true"});
        if (probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit &&
            probe.exitCode() == 0)
            return args;
    }
    return {};
}

} // namespace

bool GameProcess::startWithReadOnlyFolder(const QString& folder, const QString& program) {
    static const QStringList args = unshareArgs();
    if (args.isEmpty())
        return false;
    const QString script = QStringLiteral(
        "mount --bind \"$1\" \"$1\" && mount -o remount,bind,ro \"$1\" && exec \"$0\"");
    start("unshare", args + QStringList{"--", "sh", "-c", script, program, folder});
    return true;
}

GameProcess::~GameProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

void GameProcess::start(const QString& program, const QStringList& args) {
    process_.setProcessEnvironment(env_);
    process_.start(program, args);
    process_.waitForStarted(10000);
}

bool GameProcess::waitForExit(int ms) {
    return waitFor([&] { return process_.state() == QProcess::NotRunning; },
                   std::chrono::milliseconds(ms));
}

} // namespace zbtest
