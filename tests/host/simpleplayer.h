#pragma once
// A human player as a test plays one: rolls at the start of its turn, holds the dice of its most
// frequent face, rolls again while allowed, and scores the open category worth most.

#include "rules/rules.h"
#include "testclient.h"

#include <array>

namespace hosttest {

class SimplePlayer {
public:
    SimplePlayer(TestClient& client, int seat) : client_(client), seat_(seat) {
        client_.onMessage = [this](const QByteArray& m) { onMessage(m); };
    }
    ~SimplePlayer() { client_.onMessage = {}; }
    SimplePlayer(const SimplePlayer&) = delete;
    SimplePlayer& operator=(const SimplePlayer&) = delete;

    int refusals = 0;

private:
    void onMessage(const QByteArray& m) {
        const QList<QByteArray> f = m.split('+');
        const QByteArray& word = f[0];
        if (word == "CMD_startgame") {
            bonus_ = f[2] == "t";
            card_.clear();
        } else if (word == "CMD_setbonusdice") {
            bonusDie_ = f[1].toInt();
        } else if (word == "CMD_nextplayer" && f[1].toInt() == seat_) {
            held_.fill(false);
            client_.send(zb::msg::toHost::rolldice(seat_));
        } else if (word == "CMD_thedice" && f[1].toInt() == seat_) {
            theDice(f);
        } else if (word == "CMD_pscore" && f[1].toInt() == seat_ && f.size() == 19) {
            for (int e = 1; e <= 15; ++e)
                card_.entry[e] = f[3 + e].toInt();
        } else if (word == "CMD_rollagain" || word == "CMD_chooseagain") {
            ++refusals;
        }
    }

    void theDice(const QList<QByteArray>& f) {
        for (int i = 4; i + 1 < f.size(); i += 2)
            dice_[f[i].toInt() - 1] = f[i + 1].toInt();
        if (f.size() == 4 || f[2] == "n") {
            score();
            return;
        }
        std::array<int, 7> count{};
        for (int v : dice_)
            ++count[v];
        int face = 6;
        for (int v = 6; v >= 1; --v) {
            if (count[v] > count[face])
                face = v;
        }
        if (count[face] == 5) {
            score();
            return;
        }
        bool allHeld = true;
        for (int die = 1; die <= 5; ++die) {
            if (!held_[die] && dice_[die - 1] == face) {
                held_[die] = true;
                client_.send(zb::msg::toHost::setdice(seat_, die));
            }
            allHeld = allHeld && held_[die];
        }
        if (allHeld)
            score();
        else
            client_.send(zb::msg::toHost::rolldice(seat_));
    }

    void score() {
        int best = 0;
        int bestValue = -1;
        for (int c = 1; c <= zb::rules::kCategories; ++c) {
            if (card_.used(c))
                continue;
            const int v = zb::rules::categoryValue(dice_, c, bonus_ ? bonusDie_ : 0);
            if (v > bestValue) {
                best = c;
                bestValue = v;
            }
        }
        if (best != 0)
            client_.send(zb::msg::toHost::setscore(seat_, best));
    }

    TestClient& client_;
    int seat_;
    bool bonus_ = false;
    int bonusDie_ = 0;
    zb::rules::Card card_;
    zb::rules::Dice dice_{};
    std::array<bool, 6> held_{};
};

} // namespace hosttest
