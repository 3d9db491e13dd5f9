#pragma once
// What the player's words become on the wire. A typed line is said (CMD_chat), or is an action
// when it begins "/me" (CMD_action with what follows the blank); any other line that begins "/"
// is a command the game does not know and sends nothing. A phrase button's phrase is an action of
// the player: a phrase that begins with "/me " (blank included) is the action itself, any other is
// said ("says: " in front). The host puts the sender's name in front, so "/me cheers" shows as
// "Ann cheers". Text and colour go out as Latin-1 through toWire, so neither can end the message
// early or smuggle another in.

#include <QByteArray>
#include <QString>

namespace zb {

// The whole wire message for a typed line; empty when the line sends nothing.
QByteArray chatLineMessage(int myseat, const QString& typed, const QString& colourText);

// The whole wire message for a phrase.
QByteArray phraseMessage(int myseat, const QString& phrase, const QString& colourText);

} // namespace zb
