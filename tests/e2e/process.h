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

    void start(const QString& program, const QStringList& args);
    QProcess& process() { return process_; }
    QString runtimeDir() const { return runtimeDir_; }
    bool running() const { return process_.state() == QProcess::Running; }
    // Waits for the end; returns false at the deadline.
    bool waitForExit(int ms);

private:
    QTemporaryDir home_;
    QString runtimeDir_;
    QProcess process_;
};

} // namespace zbtest
