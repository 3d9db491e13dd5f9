#pragma once
// Plays the compiled-in sounds through QSoundEffect on one channel: starting a sound stops the
// one still playing. Each sound is loaded on its first use and kept. Without an audio output the
// player does nothing at all, and the back end's complaints about it are filtered out.

#include "shell/soundplayer.h"

#include <QString>
#include <map>
#include <memory>

class QSoundEffect;

namespace zb {

class SoundEffectPlayer final : public SoundPlayer {
public:
    enum class Output {
        WhenAvailable, // play only while the system reports an audio output
        Always,        // drive QSoundEffect even without one (tests of the channel rule)
    };

    explicit SoundEffectPlayer(Output output = Output::WhenAvailable);
    ~SoundEffectPlayer() override;

    // A name without a recording sounds the system's default alert instead.
    void play(const QString& name) override;

    // The name most recently started, and whether that sound is still playing.
    const QString& current() const { return currentName_; }
    bool isPlaying(const QString& name) const;
    // Whether a sound is still being decoded in the background (on its first use).
    bool isLoading() const;

private:
    QSoundEffect* effect(const QString& canonical);

    Output output_;
    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
    QSoundEffect* current_ = nullptr;
    QString currentName_;
};

} // namespace zb
