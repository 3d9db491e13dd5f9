#pragma once
// A whole game through the host's socketless seam, computer players on every seat (the hosting
// player's slot watches), driven by running the game timers at once: what slot 1 receives, in
// order, byte for byte.

#include "host/tserver.h"
#include "rules/random.h"

#include <QByteArray>
#include <QList>

namespace hosttest {

class SeamGame {
public:
    explicit SeamGame(std::uint32_t seed) : random_(seed), server_([] { return 1; }, random_) {
        server_.setOutputTap([this](int slot, const QByteArray& m) {
            if (slot == 1)
                messages_.append(m);
        });
        slot_ = server_.attachLocal();
    }

    zb::TServer& server() { return server_; }

    // startWord: "f+false" regular, "t+false" bonus dice, "f+true" team.
    void play(const QByteArray& startWord) {
        server_.feed(slot_, "CMD_startgame+1+" + startWord + '\xFF' + "CMD_justwatch+1+1\xFF");
        while (server_.dispatchOne()) {
        }
        for (int guard = 0; guard < 100000 && server_.game().inProgress(); ++guard)
            server_.runGameTimersNow();
    }

    const QList<QByteArray>& messages() const { return messages_; }
    QByteArray stream() const {
        QByteArray all;
        for (const QByteArray& m : messages_)
            all += m;
        return all;
    }
    // The messages without their terminator, as the referee reads them.
    QList<QByteArray> framed() const {
        QList<QByteArray> out;
        for (const QByteArray& m : messages_)
            out.append(m.endsWith('\xFF') ? m.chopped(1) : m);
        return out;
    }
    int total(int seat) const { return server_.players()[seat].card.total; }

private:
    zb::rules::Random random_;
    zb::TServer server_;
    QList<QByteArray> messages_;
    int slot_ = 0;
};

} // namespace hosttest
