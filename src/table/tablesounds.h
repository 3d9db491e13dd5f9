#pragma once
// The table's sounds: what the core announces (a roll, a hold, a score, the own turn, a chatter
// sound from another player ...) played through the sound rules and the switches of the
// Options menu. A chatter sound that is not to be played becomes a chat line instead.

#include "shell/sounds.h"

#include <QObject>

namespace zb {

class TableCore;

class TableSounds : public QObject {
    Q_OBJECT
public:
    TableSounds(TableCore& core, const Preferences& prefs, SoundPlayer& player,
                QObject* parent = nullptr);

signals:
    // A chatter sound shown as a line: "0+Ann: <Chatter Sound> ..." in its colour.
    void chatLine(const QString& line, quint32 colour);

private:
    Sounds sounds_;
};

} // namespace zb
