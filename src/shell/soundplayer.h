#pragma once
// The audio output behind the sound rules: it plays a sound by name. The game uses the
// QSoundEffect player, tests a recording one, and a silent one serves where nothing may sound.

#include <QString>

namespace zb {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the named sound (a lower-case name of the sound set, or sound::kAlert) and returns
    // at once. There is one channel: a sound still playing stops.
    virtual void play(const QString& name) = 0;
};

class SilentSoundPlayer final : public SoundPlayer {
public:
    void play(const QString&) override {}
};

} // namespace zb
