#pragma once
// The sound module (zorbinet-sound.so, see soundchannel.h), loaded at most once per SoundModule on
// a thread of its own: neither the first window nor a sound waits while Qt Multimedia, its back
// end and PulseAudio are read in. If the module cannot be loaded, it stays so (unless it is
// given other places to look in), and nothing is said about it: the game just has no sound.

#include "shell/soundchannel.h"

#include <QObject>
#include <QStringList>
#include <atomic>
#include <memory>
#include <thread>

namespace zb {

class SoundModule : public QObject {
    Q_OBJECT
public:
    enum class State { Idle, Loading, Ready, Failed };

    // files: where the module may be, tried in this order.
    explicit SoundModule(QStringList files, QObject* parent = nullptr);
    // Waits for a load under way: a library is never left half loaded.
    ~SoundModule() override;

    // The program's module, looked for in defaultFiles() of the program's folder.
    static SoundModule& process();
    // Beside the program (the build tree), then in ../lib/zorbinet from it (an install).
    static QStringList defaultFiles(const QString& programFolder);
    static constexpr char kFileName[] = "zorbinet-sound.so";

    // The places to look in. Ignored while loading or once loaded; after a failed load the next
    // load() tries the new places.
    void setFiles(QStringList files);
    const QStringList& files() const { return files_; }

    // Starts loading unless that has been done already; finished() tells the end.
    void load();
    State state() const { return state_; }
    // Why the load failed (empty otherwise).
    const QString& error() const { return error_; }
    // A new channel; null unless the module is Ready.
    std::unique_ptr<SoundChannel> makeChannel() const;

signals:
    void finished(bool loaded);

private:
    void done(MakeSoundChannel make, const QString& error);

    QStringList files_;
    State state_ = State::Idle;
    MakeSoundChannel make_ = nullptr;
    QString error_;
    std::thread worker_;
    std::atomic<bool> ending_{false};
};

} // namespace zb
