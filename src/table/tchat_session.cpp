// The table's session with the host: the receive path, the dispatch table, the login, and the
// roster of seats and spectators.

#include "net/protocol.h"
#include "net/tsock.h"
#include "shell/chatpanel.h"
#include "shell/dialogs.h"
#include "shell/latin1.h"
#include "shell/phrasebuttons.h"
#include "table/board.h"
#include "table/scorecard.h"
#include "table/session.h"
#include "table/tablemodel.h"
#include "table/tchat.h"
#include "table/tspylist.h"

#include <QColorDialog>

namespace zb {

using proto::Fields;

void Tchat::registerHandlers() {
    // The order of the dispatch table; every word is distinct, so only the words matter.
    dispatchTo("CMD_playasound", &Tchat::playasound);
    dispatchTo("CMD_sendlogininfo", &Tchat::sendlogininfo);
    dispatchTo("CMD_chat", &Tchat::chatrecieved);
    dispatchTo("CMD_action", &Tchat::chatrecieved);
    dispatchTo("CMD_newplayerinfo", &Tchat::newplayerinfo);
    dispatchTo("CMD_havewrongversion", &Tchat::havewrongversion);
    dispatchTo("CMD_wrongversion", &Tchat::wrongversion);
    dispatchTo("CMD_existingplayers", &Tchat::newplayerinfo);
    dispatchTo("CMD_playerdisconnected", &Tchat::playerdisconnected);
    dispatchTo("CMD_startgame", &Tchat::startthegame);
    dispatchTo("CMD_nextplayer", &Tchat::getnextplayer);
    dispatchTo("CMD_winner", &Tchat::winner);
    dispatchTo("CMD_full", &Tchat::full);
    dispatchTo("CMD_justwatching", &Tchat::justwatching);
    dispatchTo("CMD_thedice", &Tchat::thedice);
    dispatchTo("CMD_unsetdice", &Tchat::unsetdice);
    dispatchTo("CMD_setdice", &Tchat::setdice);
    dispatchTo("CMD_chooseagain", &Tchat::chooseagain);
    dispatchTo("CMD_rollagain", &Tchat::rollagain);
    dispatchTo("CMD_pscore", &Tchat::pscore);
    dispatchTo("CMD_setbonusdice", &Tchat::setbonusdice);
    session_->setAfterMessage([this] { closeWhenDone(); });
}

void Tchat::dispatchTo(const char* word, void (Tchat::*handler)(Fields&)) {
    session_->addHandler(word, [this, handler](Fields& f) {
        (this->*handler)(f);
        refreshHints();
    });
}

void Tchat::sockRead() {
    if (!session_->receive(sock_->receive())) {
        // A host that sends endless text without a terminator, or more than the table can queue,
        // is treated as lost.
        sock_->close();
    }
}

void Tchat::sockInfo(TSocketInfo info, const QString& msg) {
    if (info == TSocketInfo::siError && !sock_->connected() && !lost_) {
        // The connect failed: the player learns why, and the window stays for another try.
        connectFailed(msg);
        return;
    }
    if (msg != QLatin1String("Socket Closed"))
        return;
    // A host that refuses or leaves says so just before it closes: its last messages are still
    // queued and are shown before the notice.
    lost_ = true;
    closeWhenDone();
}

void Tchat::connectFailed(const QString& reason) {
    systemLine(QStringLiteral("Could not connect to the game host at ") + sock_->hostName() +
                   QStringLiteral(": ") + reason,
               kNavy);
}

void Tchat::closeWhenDone() {
    if (!lost_ || session_->queued() != 0 || fullShown_ || lostShown_)
        return;
    // Closing at once would look like a crash: the window goes once the player has read why.
    lostShown_ = true;
    dialogs_->information(this, QStringLiteral("Zorbinet"),
                          QStringLiteral("The connection to the game host was lost."),
                          [this] { close(); });
}

void Tchat::sendRequest(const QByteArray& message) {
    session_->send(message);
}

void Tchat::systemLine(const QString& text, quint32 colour) {
    addlinetochat(QStringLiteral("0+") + text, colour);
}

void Tchat::refreshHints() {
    const ClientState& s = model_->state();
    card_->setOwnColumn(s.isPlayer() ? s.myseat : 0);
    card_->setChoosable(s.myTurn() && s.mayact && model_->rolledThisTurn());
    showScoreHints();
}

void Tchat::sendlogininfo(Fields& f) {
    const int seat = f.nextInt();
    // Slots run 1..9; anything else would let this table act for a seat it does not hold.
    if (seat < 1 || seat > 9)
        return;
    ClientState& s = model_->state();
    s.myseat = seat;
    s.loggedin = true;
    chat_->setMyseat(seat);
    chat_->setLoggedin(true);
    phrases_->setMyseat(seat);
    phrases_->setLoggedin(true);
    // Slot 1 carries the hosting player's rights, whichever mode this table was started in (a
    // table joining a headless host is given slot 1 when it comes first).
    if (hostsGame())
        offerHostControls();
    sendRequest(msg::toHost::logininfo(s.myseat, proto::kVersion, loginname_));
}

void Tchat::newplayerinfo(Fields& f) {
    const int seat = f.nextInt();
    const QString name = fromWire(f.rest());
    if (name.isEmpty())
        return;
    const ClientState& s = model_->state();
    if (seat == s.myseat) {
        systemLine(QStringLiteral("You are Connected."));
        loadinifile();
    } else {
        systemLine(name + QStringLiteral(" is Connected."));
    }
    if (seat >= 5) {
        if (spylist_)
            spylist_->addSpy(QStringLiteral("%1: %2").arg(seat).arg(name));
        systemLine(seat == s.myseat ? QStringLiteral("You are spying.")
                                    : name + QStringLiteral(" is spying."));
    } else if (isSeat(seat)) {
        model_->setSeatName(seat, name);
        model_->setPresent(seat);
    }
    sounds_.entered();
}

void Tchat::playerdisconnected(Fields& f) {
    const int seat = f.nextInt();
    const QString name = fromWire(f.rest());
    if (isSeat(seat)) {
        systemLine(model_->seat(seat).shown + QStringLiteral(" disconnected."));
        model_->showStoredName(seat);
        model_->setTotal(seat, QStringLiteral("0"));
        model_->setWatching(seat, false);
    }
    const QString line = QStringLiteral("%1: %2").arg(seat).arg(name);
    if (spylist_ && spylist_->removeSpy(line))
        systemLine(name + QStringLiteral(" has left."), kNavy);
}

void Tchat::havewrongversion(Fields& f) {
    systemLine(fromWire(f.rest()) +
               QStringLiteral(" has a different version of the game then you."));
}

void Tchat::wrongversion(Fields&) {
    systemLine(QStringLiteral("You have a differnt version of the game then the host."));
}

void Tchat::full(Fields&) {
    // One box, however often the host says it.
    if (fullShown_)
        return;
    fullShown_ = true;
    dialogs_->information(this, QStringLiteral("Zorbinet"), QStringLiteral("Game is full"),
                          [this] { close(); });
}

void Tchat::chatrecieved(Fields& f) {
    chat_->chatrecieved(f.rest());
}

void Tchat::playasound(Fields& f) {
    const auto line = sounds_.playasound(
        f.rest(), [this](int seat) { return isSeat(seat) ? model_->seat(seat).shown : QString(); });
    if (line)
        addlinetochat(*line, Sounds::kChatterLineColour);
}

} // namespace zb
