#pragma once
// The single-instance guard "vidro5". The first copy holds a lock and a local server under that
// name. A second copy finds the lock taken, asks the first (through the local server) to restore
// and raise its window, and ends: it creates no window and writes no file.
//
// The lock is a kernel lock (flock) on the file vidro5.lock, held for the life of the process.
// The kernel drops it when its holder ends, however it ends, so "held" means exactly "a live
// copy holds it": a file left behind, empty, garbled or written on another machine, never keeps
// the game from starting, and no age has to be guessed at to tell a dead lock from a live one.
// The file is never removed (removing a lock file races with a copy that is just taking it).
//
// The guard's folder must be this user's alone (owned by him, mode 0700): in a folder that
// another local user can write, or that he created first, he could stop the game from starting.
// Where no such folder can be had, or the lock cannot be taken for any other reason than a live
// copy, the guard cannot tell whether another copy runs: the game then starts anyway.

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace zb {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Only,         // this is the only copy; the guard is held until destruction
        Running,      // a live copy holds the guard; it has been asked to come forward
        Undetectable, // the guard cannot be taken; problem() says why
    };

    // folder: where the guard lives (defaultFolder() when empty).
    explicit SingleInstance(QString folder = QString(), QObject* parent = nullptr);
    ~SingleInstance() override;

    Outcome acquire();

    const QString& folder() const { return folder_; }
    // Why the guard could not be taken (Undetectable).
    const QString& problem() const { return problem_; }
    // Whether the running copy took the request to come forward (Running).
    bool raised() const { return raised_; }

    // Called in the first copy when a second copy asks it to come forward.
    void setOnRaise(std::function<void()> onRaise) { onRaise_ = std::move(onRaise); }

    // The per-user runtime folder, or else a folder of this user's own in the temporary folder.
    static QString defaultFolder();
    // Empty when folder is fit to hold the guard: a directory (not a link) owned by this user
    // with mode 0700. One that does not exist yet is created so; one of his own that others can
    // read but not write is closed to them. Otherwise the reason it is refused.
    static QString unfitFolder(const QString& folder);

private:
    Outcome fail(const QString& problem);
    void listen(const QString& base);
    void askToRaise(const QString& base);
    void onNewConnection();

    QString folder_;
    QString problem_;
    int fd_ = -1;
    bool raised_ = false;
    QLocalServer* server_ = nullptr;
    std::function<void()> onRaise_;
};

} // namespace zb
