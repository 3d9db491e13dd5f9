#pragma once
// The program's sound set: 32 recordings compiled in under ":/sounds/<name>.wav", twelve game
// sounds and the twenty chatter sounds "wave1".."wave20" of the chatter menu. Names match without
// regard to letter case; everything here hands out the lower-case spelling.

#include "net/protocol.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace zb::sound {

inline constexpr int kChatterCount = proto::kChatterSounds;

// Not a recording: the name a player is asked to play for a name the set does not hold. It
// sounds the system's default alert.
inline const QString kAlert = QStringLiteral("alert");

// All 32 names, game sounds first, then wave1..wave20.
const QStringList& names();
// The lower-case name if the set holds it, else an empty string.
QString canonicalName(QStringView name);
// ":/sounds/<name>.wav"
QString resourcePath(const QString& canonical);

// The chatter menu, entry k: 0 "<Cancel>", 1 "Doh" ... 20 "Crying"; empty for any other k.
QString chatterCaption(int k);
// "wave<k>" for 1..20, else empty.
QString chatterSoundName(int k);
// The entry whose name equals the given one, letter case aside ("WAVE5" -> 5); 0 for none.
int chatterNumber(QStringView name);

} // namespace zb::sound
