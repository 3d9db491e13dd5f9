#include "shell/soundeffectplayer.h"

#include "shell/soundchannel.h"
#include "shell/soundmessagefilter.h"
#include "shell/soundmodule.h"
#include "shell/soundnames.h"

#include <QApplication>
#include <QFile>

namespace zb {

SoundEffectPlayer::SoundEffectPlayer(Output output, SoundModule* module)
    : output_(output), module_(module ? module : &SoundModule::process()) {
    // Before the first touch of the audio back end, which is when it complains.
    installAudioMessageFilter();
    QObject::connect(module_, &SoundModule::finished, &waiting_, [this](bool) {
        attach();
        if (channel_ && pending_)
            start(pendingName_);
        pending_ = false;
    });
}

SoundEffectPlayer::~SoundEffectPlayer() = default;

void SoundEffectPlayer::attach() const {
    if (!channel_ && module_->state() == SoundModule::State::Ready)
        channel_ = module_->makeChannel();
}

void SoundEffectPlayer::play(const QString& name) {
    attach();
    if (channel_) {
        start(name);
        return;
    }
    if (module_->state() == SoundModule::State::Failed)
        return;
    pending_ = true;
    pendingName_ = name;
    module_->load();
}

void SoundEffectPlayer::start(const QString& name) {
    // Checked on every sound, so a headset plugged in while the game runs is used.
    if (output_ == Output::WhenAvailable && !channel_->hasOutput())
        return;
    channel_->stop();
    currentName_ = name;
    const QString canonical = sound::canonicalName(name);
    const QString path = canonical.isEmpty() ? QString() : sound::resourcePath(canonical);
    if (path.isEmpty() || !QFile::exists(path) ||
        !channel_->play(canonical, QStringLiteral("qrc") + path))
        QApplication::beep();
}

bool SoundEffectPlayer::ready() const {
    return module_->state() == SoundModule::State::Ready;
}

bool SoundEffectPlayer::isPlaying(const QString& name) const {
    return channel_ && channel_->isPlaying(sound::canonicalName(name));
}

bool SoundEffectPlayer::isLoading() const {
    if (channel_)
        return channel_->isLoading();
    return pending_ && module_->state() == SoundModule::State::Loading;
}

bool SoundEffectPlayer::hasOutput() const {
    attach();
    return channel_ && channel_->hasOutput();
}

} // namespace zb
