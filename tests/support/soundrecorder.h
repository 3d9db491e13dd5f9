#pragma once
// A sound player for tests: it remembers what it was asked to play, in order. With one channel
// the sound that would be heard now is the last one.

#include "shell/soundplayer.h"

#include <QStringList>

namespace zb {

class RecordingSoundPlayer final : public SoundPlayer {
public:
    void play(const QString& name) override { played_.append(name); }

    const QStringList& played() const { return played_; }
    QString current() const { return played_.isEmpty() ? QString() : played_.last(); }
    void clear() { played_.clear(); }

private:
    QStringList played_;
};

} // namespace zb
