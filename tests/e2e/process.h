#pragma once
// Starting the real programs for end-to-end tests: each run gets its own runtime, home and
// settings folders so that nothing touches a real user's files.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace zbtest {

class GameProcess {
public:
    // runtimeDir: the folder of the single-instance guard; give two copies the same one to
    // make them meet.
    explicit GameProcess(const QString& runtimeDir = QString());
    ~GameProcess();

    // Changes to the environment that start() gives the program.
    void setEnv(const QString& name, const QString& value);
    void unsetEnv(const QString& name);
    // Keeps the program's standard error for errors() instead of passing it on.
    void captureErrors();
    QByteArray errors();

    void start(const QString& program, const QStringList& args);
    // The program run inside a mount namespace of its own in which folder is read-only (via
    // unshare, as root or in a user namespace). False where this machine cannot do that.
    bool startWithReadOnlyFolder(const QString& folder, const QString& program);
    QProcess& process() { return process_; }
    QString runtimeDir() const { return runtimeDir_; }
    QString home() const { return home_.path(); }
    QString dataFolder() const { return home_.path() + "/data/Zorbinet"; }
    bool running() const { return process_.state() == QProcess::Running; }
    // Waits for the end; returns false at the deadline.
    bool waitForExit(int ms);

private:
    QTemporaryDir home_;
    QString runtimeDir_;
    QProcess process_;
    QProcessEnvironment env_;
    QByteArray errors_;
};

} // namespace zbtest
