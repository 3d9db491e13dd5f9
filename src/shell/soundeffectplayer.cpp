#include "shell/soundeffectplayer.h"

#include "shell/soundmessagefilter.h"
#include "shell/soundnames.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace zb {

SoundEffectPlayer::SoundEffectPlayer(Output output) : output_(output) {
    // Before the first touch of the audio back end, which is when it complains.
    installAudioMessageFilter();
}

SoundEffectPlayer::~SoundEffectPlayer() = default;

QSoundEffect* SoundEffectPlayer::effect(const QString& canonical) {
    auto found = effects_.find(canonical);
    if (found != effects_.end())
        return found->second.get();
    const QString path = sound::resourcePath(canonical);
    if (!QFile::exists(path))
        return nullptr;
    auto made = std::make_unique<QSoundEffect>();
    made->setSource(QUrl(QStringLiteral("qrc") + path));
    return effects_.emplace(canonical, std::move(made)).first->second.get();
}

void SoundEffectPlayer::play(const QString& name) {
    // Checked on every sound, so a headset plugged in while the game runs is used.
    if (output_ == Output::WhenAvailable && QMediaDevices::audioOutputs().isEmpty())
        return;
    if (current_)
        current_->stop();
    current_ = nullptr;
    currentName_ = name;
    const QString canonical = sound::canonicalName(name);
    QSoundEffect* next = canonical.isEmpty() ? nullptr : effect(canonical);
    if (!next) {
        QApplication::beep();
        return;
    }
    current_ = next;
    current_->play();
}

bool SoundEffectPlayer::isPlaying(const QString& name) const {
    const auto found = effects_.find(sound::canonicalName(name));
    return found != effects_.end() && found->second->isPlaying();
}

bool SoundEffectPlayer::isLoading() const {
    for (const auto& [name, effect] : effects_) {
        if (effect->status() == QSoundEffect::Loading)
            return true;
    }
    return false;
}

} // namespace zb
