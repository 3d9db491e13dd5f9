// The dispatcher of TServer and the handlers of the messages that tables send. Each handler
// reads all its fields from the front of the argument string before it acts, so a number field
// that is not a number ends the handler with a conversion error before anything has changed:
// the message is dropped, and the error goes to the connection's quiet reports.

#include "host/tserver.h"

#include "host/deadlines.h"
#include "net/commandwords.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace zb {

using host::tplayer;
namespace toTable = zb::msg::toTable;

namespace {

struct Route {
    const char* word;
    void (TServer::*handler)(int, proto::Fields&);
};

} // namespace

TServer::Handler TServer::handlerFor(const QByteArray& word) {
    static const Route routes[] = {
        {proto::word::logininfo, &TServer::receivedlogininfo},
        {proto::word::kickhim, &TServer::kickhim},
        {proto::word::chat, &TServer::chat},
        {proto::word::action, &TServer::action},
        {proto::word::startgame, &TServer::startgame},
        {proto::word::justwatch, &TServer::justwatch},
        {proto::word::rolldice, &TServer::rolldice},
        {proto::word::unsetdice, &TServer::unsetdice},
        {proto::word::setdice, &TServer::setdice},
        {proto::word::setscore, &TServer::setscore},
        {proto::word::playasound, &TServer::playasound},
    };
    if (word.isEmpty())
        return nullptr;
    for (const Route& r : routes) {
        if (word == r.word)
            return r.handler;
    }
    return nullptr;
}

void TServer::socktimerTimer() {
    std::optional<host::ReceiveQueues::Taken> taken = receivedlist.takeNext();
    // A slot's queue is emptied when its connection leaves, so whatever is taken is its own.
    if (!taken || !players_.inUse(taken->slot))
        return;
    const proto::Command command = proto::splitCommand(taken->message);
    if (const Handler handler = handlerFor(command.word)) {
        proto::Fields fields(command.args);
        const int slot = taken->slot;
        peerReports_[slot].run([&] { (this->*handler)(slot, fields); });
    }
}

void TServer::receivedlogininfo(int from, proto::Fields& f) {
    const int n = f.nextInt();
    // A connection logs in once: a repeated login would be relayed to every table again.
    if (n != from || loggedIn_[n])
        return;
    const QByteArray version = f.next();
    const QByteArray name = f.rest().first(std::min(f.rest().size(), kMaxNameBytes));
    tplayer& p = players_[n];
    p.name = name;
    p.connected = true;
    loggedIn_[n] = true;
    deadlines_->loggedIn(n);
    sendToAll(toTable::newplayerinfo(n, name));
    for (int i = 1; i <= players_.count(); ++i) {
        if (i != n)
            sendTo(n, toTable::existingplayers(i, players_[i].name));
    }
    if (version != proto::kVersion) {
        sendTo(1, toTable::havewrongversion(name));
        sendTo(n, toTable::wrongversion());
    }
    game_->sendGameTo(n);
}

void TServer::kickhim(int from, proto::Fields& f) {
    const int requester = f.nextInt();
    const int target = f.nextInt();
    if (from != 1 || requester != 1 || !host::validSlot(target))
        return;
    disconnectsock(target);
}

void TServer::chat(int from, proto::Fields& f) {
    const QByteArray slotText = f.next();
    if (proto::toInt(slotText) != from)
        return;
    relayToAll(toTable::chat(slotText, players_[from].name, f.rest()));
}

void TServer::action(int from, proto::Fields& f) {
    const QByteArray slotText = f.next();
    if (proto::toInt(slotText) != from)
        return;
    relayToAll(toTable::action(slotText, players_[from].name, f.rest()));
}

void TServer::playasound(int from, proto::Fields& f) {
    const QByteArray slotText = f.next();
    if (proto::toInt(slotText) != from)
        return;
    sendToAll(toTable::playasound(slotText, f.rest()));
}

void TServer::startgame(int from, proto::Fields& f) {
    const QByteArray starter = f.next();
    if (proto::toInt(starter) != 1 || from != 1)
        return;
    const QByteArray bonusWord = f.next();
    const QByteArray teamWord = f.rest();
    game_->startgame(proto::gameOptions(bonusWord, teamWord));
}

void TServer::justwatch(int from, proto::Fields& f) {
    const int slot = f.nextInt();
    const int mode = f.nextInt();
    if (!host::validSlot(slot))
        return;
    // The hosting player's table may set any seat to just watch and back.
    if (slot != from && !(from == 1 && host::validSeat(slot)))
        return;
    game_->justwatch(slot, mode);
}

int TServer::requestingSeat(int from, proto::Fields& f) const {
    const int seat = f.nextInt();
    // A seat that the computer plays takes no turn requests from its watching player.
    if (seat != from || !host::validSeat(seat) || game_->computerPlayed(seat))
        return 0;
    return seat;
}

void TServer::rolldice(int from, proto::Fields& f) {
    if (const int seat = requestingSeat(from, f))
        game_->rolldice(seat);
}

void TServer::setdice(int from, proto::Fields& f) {
    const int seat = requestingSeat(from, f);
    const int die = f.nextInt();
    if (seat && host::validDie(die))
        game_->setdice(seat, die);
}

void TServer::unsetdice(int from, proto::Fields& f) {
    const int seat = requestingSeat(from, f);
    const int die = f.nextInt();
    if (seat && host::validDie(die))
        game_->unsetdice(seat, die);
}

void TServer::setscore(int from, proto::Fields& f) {
    const int seat = requestingSeat(from, f);
    const int category = f.nextInt();
    if (seat && category >= 1 && category <= rules::kCategories)
        game_->setscore(seat, category);
}

} // namespace zb
