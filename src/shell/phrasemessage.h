#pragma once
// What a phrase button sends: the phrase as an action of the player. A phrase that begins with
// "/me " (blank included) is the action itself; any other is said ("says: " in front). The host
// puts the sender's name in front, so "/me cheers" shows as "Ann cheers".

#include <QByteArray>
#include <QString>

namespace zb {

// The whole wire message. Phrase and colour text go out as Latin-1 through toWire, so neither
// can end the message early or smuggle another in.
QByteArray phraseMessage(int myseat, const QString& phrase, const QString& colourText);

} // namespace zb
