#pragma once
// The single-instance guard "vidro5". The first copy holds a lock and a local server under that
// name. A second copy finds the lock taken, asks the first (through the local server) to restore
// and raise its window, and ends: it creates no window and writes no file.

#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

namespace zb {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // folder: where the guard lives (the per-user runtime folder by default).
    explicit SingleInstance(QString folder = QString(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only copy; the guard is then held until destruction.
    // False when another copy runs: it has been asked to come forward.
    bool acquire();

    // Called in the first copy when a second copy asks it to come forward.
    void setOnRaise(std::function<void()> onRaise) { onRaise_ = std::move(onRaise); }

    static QString defaultFolder();

private:
    void onNewConnection();

    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    std::function<void()> onRaise_;
};

} // namespace zb
