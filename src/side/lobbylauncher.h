#pragma once
// What the download window starts: the installer it fetched, and the lobby when it is installed.
// Both are started detached, so they outlive this program, which ends right after. Tests give the
// window a launcher of their own, or the system one with a PATH of their choosing.

#include <QString>
#include <QStringList>

namespace zb {

class LobbyLauncher {
public:
    virtual ~LobbyLauncher() = default;

    // Makes the file executable and starts it with arguments; false when it could not be started.
    virtual bool startInstaller(const QString& path, const QStringList& arguments) = 0;
    // The lobby's executable, or empty when none is installed.
    virtual QString findLobby() = 0;
    virtual bool startLobby(const QString& path) = 0;
};

class SystemLobbyLauncher final : public LobbyLauncher {
public:
    static constexpr char kLobbyName[] = "quon77lobby";
    static constexpr char kFallbackPath[] = "/opt/quon77/quon77lobby";

    // fallback: where the lobby lives when it is not on the PATH.
    explicit SystemLobbyLauncher(QString fallback = QString::fromLatin1(kFallbackPath));

    bool startInstaller(const QString& path, const QStringList& arguments) override;
    // quon77lobby on the PATH, else the fallback path if it is an executable file.
    QString findLobby() override;
    bool startLobby(const QString& path) override;

private:
    QString fallback_;
};

// The process's SystemLobbyLauncher, for windows that are given no other.
LobbyLauncher& systemLobbyLauncher();

} // namespace zb
