#pragma once
// Plays the compiled-in sounds through QSoundEffect on one channel: starting a sound stops the
// one still playing. The channel lives in the sound module (soundmodule.h), which is read in on
// a thread of its own when the program asks for it after its first window is up, or at the
// first sound: a sound asked for while it loads plays once it is in (only the latest, since
// there is one channel). Without an audio output, or without the module, the player does
// nothing at all, and the back end's complaints about a missing output are filtered out.

#include "shell/soundplayer.h"

#include <QObject>
#include <QString>
#include <memory>

namespace zb {

class SoundChannel;
class SoundModule;

class SoundEffectPlayer final : public SoundPlayer {
public:
    enum class Output {
        WhenAvailable, // play only while the system reports an audio output
        Always,        // drive QSoundEffect even without one (tests of the channel rule)
    };

    // module: where the channel comes from; null is the program's own.
    explicit SoundEffectPlayer(Output output = Output::WhenAvailable,
                               SoundModule* module = nullptr);
    ~SoundEffectPlayer() override;

    // A name without a recording sounds the system's default alert instead.
    void play(const QString& name) override;

    // The name most recently started, and whether that sound is still playing.
    const QString& current() const { return currentName_; }
    bool isPlaying(const QString& name) const;
    // The module is being read in, or a sound decoded in the background (on its first use).
    bool isLoading() const;
    // The module is in: sounds start at once from now on.
    bool ready() const;
    // Whether the system reports an audio output; false while the module is not in.
    bool hasOutput() const;

private:
    // Takes a channel from the module once it is in.
    void attach() const;
    void start(const QString& name);

    Output output_;
    SoundModule* module_;
    mutable std::unique_ptr<SoundChannel> channel_;
    QObject waiting_; // the context of the wait for the module: gone with the player
    bool pending_ = false;
    QString pendingName_;
    QString currentName_;
};

} // namespace zb
