// The table's session with the host: the player's identity, the login, the roster of seats and
// spectators, version notices, a full game, the loss of the connection, and what the player
// says in the chat.

#include "net/latin1.h"
#include "net/protocol.h"
#include "table/core/chatmessages.h"
#include "table/core/connectadvice.h"
#include "table/core/session.h"
#include "table/core/tablecore.h"

namespace zb {

using proto::Fields;

void TableCore::setPlayer(const QString& playername, bool hosting) {
    playername_ = playername;
    loginname_ = toWire(playername) + '\xFF';
    hosting_ = hosting;
    if (hosting)
        offerStart(true);
    settle();
}

void TableCore::connectFailed(const QString& host, const QString& port, const QString& report) {
    announce(joinFailureAdvice(host, port, report), kNavy);
    announce(QStringLiteral("Could not connect to the game host at ") + host +
                 QStringLiteral(": ") + report,
             kNavy);
}

void TableCore::portTaken(const QString& port) {
    announce(portTakenAdvice(port), kNavy);
}

void TableCore::connectionClosed() {
    // A host that refuses or leaves says so just before it closes: its last messages are still
    // queued and are shown before the notice.
    closed_ = true;
    checkLost();
}

void TableCore::checkLost() {
    if (!closed_ || session_->queued() != 0 || fullShown_ || lostShown_)
        return;
    lostShown_ = true;
    emit lost();
}

void TableCore::sendlogininfo(Fields& f) {
    const int slot = f.nextInt();
    // Anything outside the slots would let this table act for a seat it does not hold.
    if (!isSlot(slot))
        return;
    myseat_ = slot;
    loggedin_ = true;
    emit seatAssigned(slot);
    // Slot 1 carries the hosting player's rights, whichever mode this table was started in (a
    // table joining a headless host is given slot 1 when it comes first).
    if (hostsGame())
        offerStart(true);
    send(msg::toHost::logininfo(myseat_, proto::kVersion, loginname_));
}

void TableCore::newplayerinfo(Fields& f) {
    const int slot = f.nextInt();
    const QString name = fromWire(f.rest());
    if (name.isEmpty())
        return;
    const bool self = slot == myseat_;
    announce(self ? QStringLiteral("You are Connected.") : name + QStringLiteral(" is Connected."));
    // The settings are read once per connection: a host that announces this table again must
    // not move its window back to the stored place every time.
    if (self && !selfAnnounced_) {
        selfAnnounced_ = true;
        emit selfAnnounced();
    }
    if (slot >= 5) {
        if (isSlot(slot))
            putSpectator(slot, name);
        announce(self ? QStringLiteral("You are spying.") : name + QStringLiteral(" is spying."));
    } else if (isSeat(slot)) {
        setSeatName(slot, name);
        seats_[slot].present = true;
        emit seatChanged(slot);
    }
    emit cue(Cue::Entered);
}

void TableCore::playerdisconnected(Fields& f) {
    const int slot = f.nextInt();
    const QString name = fromWire(f.rest());
    if (isSeat(slot)) {
        announce(seats_[slot].shown + QStringLiteral(" disconnected."));
        showStoredName(slot);
        setTotal(slot, QStringLiteral("0"));
        setWatching(slot, false);
    }
    for (qsizetype i = 0; i < spectators_.size(); ++i) {
        if (spectators_[i].slot == slot && spectators_[i].name == name) {
            spectators_.removeAt(i);
            emit spectatorsChanged();
            announce(name + QStringLiteral(" has left."), kNavy);
            break;
        }
    }
}

void TableCore::havewrongversion(Fields& f) {
    announce(fromWire(f.rest()) + QStringLiteral(" has a different version of the game then you."));
}

void TableCore::wrongversion(Fields&) {
    announce(QStringLiteral("You have a differnt version of the game then the host."));
}

void TableCore::full(Fields&) {
    // One notice, however often the host says it.
    if (fullShown_)
        return;
    fullShown_ = true;
    emit gameFull();
}

void TableCore::chatrecieved(Fields& f) {
    emit chatReceived(f.rest());
}

void TableCore::playasound(Fields& f) {
    emit chatterReceived(f.rest());
}

bool TableCore::sendChatLine(const QString& typed, const QString& colourText) {
    if (!loggedin_)
        return false;
    const QByteArray message = chatLineMessage(myseat_, typed, colourText);
    if (!message.isEmpty())
        send(message);
    return true;
}

bool TableCore::sendPhrase(const QString& phrase, const QString& colourText) {
    if (!loggedin_)
        return false;
    send(phraseMessage(myseat_, phrase, colourText));
    return true;
}

bool TableCore::sendChatterSound(int wave) {
    // Only a player in a seat sends chatter; the host relays it to everybody.
    if (wave < 1 || wave > proto::kChatterSounds || !isPlayer() || !loggedin_)
        return false;
    send(msg::toHost::playasound(myseat_, wave));
    return true;
}

void TableCore::reportBotSpeed(int milliseconds) {
    // The host takes the interval from the table window of its own program; the message only
    // tells it what the hosting player chose.
    if (myseat_ == 1 && loggedin_)
        send(msg::toHost::botspeed(myseat_, milliseconds));
}

} // namespace zb
