#pragma once
// The audio output behind SoundEffectPlayer: QSoundEffect on one channel. It is built into a
// module of its own (zorbinet-sound.so, from soundchannel.cpp), which the program loads only
// when sound is first due, after its window is up: Qt Multimedia, its back end and PulseAudio
// are then never loaded before the first window. This header is all that the program and the
// module share; the module's one entry point makes a channel.

#include <QString>

namespace zb {

class SoundChannel {
public:
    virtual ~SoundChannel() = default;
    // Whether the system reports an audio output now.
    virtual bool hasOutput() const = 0;
    // Starts the recording known as key, read from url on its first use and kept; a recording
    // still playing stops first. False when url holds no recording.
    virtual bool play(const QString& key, const QString& url) = 0;
    virtual void stop() = 0;
    virtual bool isPlaying(const QString& key) const = 0;
    // A recording is still being decoded in the background (on its first use).
    virtual bool isLoading() const = 0;
};

// The module's entry point, by this name: a new channel, owned by the caller.
inline constexpr char kSoundChannelEntry[] = "zb_make_sound_channel";
using MakeSoundChannel = SoundChannel* (*)();

} // namespace zb
