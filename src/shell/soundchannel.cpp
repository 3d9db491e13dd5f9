// The sound module's channel: QSoundEffect, one per recording, one playing at a time. Built only
// into zorbinet-sound.so (see soundchannel.h), never into the program itself.

#include "shell/soundchannel.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <map>
#include <memory>

namespace zb {
namespace {

class EffectChannel final : public SoundChannel {
public:
    bool hasOutput() const override { return !QMediaDevices::audioOutputs().isEmpty(); }

    bool play(const QString& key, const QString& url) override {
        stop();
        QSoundEffect* next = effect(key, url);
        if (!next)
            return false;
        current_ = next;
        current_->play();
        return true;
    }

    void stop() override {
        if (current_)
            current_->stop();
        current_ = nullptr;
    }

    bool isPlaying(const QString& key) const override {
        const auto found = effects_.find(key);
        return found != effects_.end() && found->second->isPlaying();
    }

    bool isLoading() const override {
        for (const auto& [key, effect] : effects_) {
            if (effect->status() == QSoundEffect::Loading)
                return true;
        }
        return false;
    }

private:
    QSoundEffect* effect(const QString& key, const QString& url) {
        auto found = effects_.find(key);
        if (found != effects_.end())
            return found->second.get();
        if (url.isEmpty())
            return nullptr;
        auto made = std::make_unique<QSoundEffect>();
        made->setSource(QUrl(url));
        return effects_.emplace(key, std::move(made)).first->second.get();
    }

    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
    QSoundEffect* current_ = nullptr;
};

} // namespace
} // namespace zb

extern "C" Q_DECL_EXPORT zb::SoundChannel* zb_make_sound_channel() {
    return new zb::EffectChannel;
}
