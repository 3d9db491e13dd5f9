#include "env.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdlib>

namespace zbtest {

void prepareEnvironment() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Always a private runtime folder: the table window's marker must never touch a real
    // user's session folder.
    const QString dir = QDir::tempPath() + "/zorbinet-test-runtime";
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

} // namespace zbtest
