#pragma once
// Watches a game from one table's messages and checks it against the rules on its own: the order
// of turns and their round counters, every roll's roll count, every score recomputed from the
// dice seen, the partner copies of a team game, the bonus die announcements and the winner.

#include "rules/rules.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <array>

namespace hosttest {

class Referee {
public:
    // Which seats hold a connection during the game (seat 2 plays in any case).
    explicit Referee(std::array<bool, 5> connected) : connected_(connected) {}

    void apply(const QByteArray& m) {
        const QList<QByteArray> f = m.split('+');
        const QByteArray& word = f[0];
        if (word == "CMD_newplayerinfo" || word == "CMD_existingplayers")
            name(f[1].toInt(), m.mid(m.indexOf('+', m.indexOf('+') + 1) + 1), word);
        else if (word == "CMD_playerdisconnected")
            name(f[1].toInt(), QByteArray(), word);
        else if (word == "CMD_startgame")
            start(f[2] == "t", f[3] == "true");
        else if (word == "CMD_setbonusdice")
            bonusDie(f[1].toInt());
        else if (word == "CMD_nextplayer")
            nextPlayer(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt());
        else if (word == "CMD_thedice")
            theDice(f);
        else if (word == "CMD_setdice")
            held_[f[1].toInt() % 6] = true;
        else if (word == "CMD_unsetdice")
            held_[f[1].toInt() % 6] = false;
        else if (word == "CMD_pscore")
            pscore(f);
        else if (word == "CMD_winner")
            winner(f);
        else if (word == "CMD_rollagain" || word == "CMD_chooseagain")
            fail("refused request: " + m);
    }
    void applyAll(const QList<QByteArray>& messages) {
        for (const QByteArray& m : messages)
            apply(m);
    }

    QStringList failures;
    std::array<int, 5> turns{};
    std::array<zb::rules::Card, 5> cards;
    bool finished = false;
    QByteArray winnerText;
    int winnerTotal = -1;
    int bonusAnnouncements = 0;
    int scores = 0;

private:
    void fail(const QString& why) {
        if (failures.size() < 20)
            failures.append(why);
    }
    void name(int slot, const QByteArray& name, const QByteArray& word) {
        // An empty name in the list of existing players stands for a free slot and is ignored.
        if (slot >= 1 && slot <= 4 && (word != "CMD_existingplayers" || !name.isEmpty()))
            names_[slot] = name;
    }
    void start(bool bonus, bool team) {
        bonus_ = bonus;
        team_ = team;
        for (auto& c : cards)
            c.clear();
        rounds_.fill(0);
        turns.fill(0);
        current_ = 0;
        bonusPending_ = false;
        finished = false;
    }
    int lastRound() const { return team_ ? zb::rules::kTeamRounds : zb::rules::kRegularRounds; }
    void advance() {
        do {
            current_ = current_ % 4 + 1;
            ++rounds_[current_];
        } while (!team_ && !(connected_[current_] || current_ == 2));
    }
    void bonusDie(int value) {
        if (!bonus_)
            fail("bonus die in a game without bonus dice");
        if (value < 1 || value > 6)
            fail(QString("bonus die %1").arg(value));
        bonusDie_ = value;
        bonusPending_ = true;
        ++bonusAnnouncements;
    }
    void nextPlayer(int seat, int round, int total, int rolls) {
        advance();
        if (rounds_[1] > lastRound())
            fail("a turn after the last round");
        if (seat != current_ || round != rounds_[current_])
            fail(QString("turn %1 round %2, expected %3 round %4")
                     .arg(seat)
                     .arg(round)
                     .arg(current_)
                     .arg(rounds_[current_]));
        if (total != cards[current_].total)
            fail(QString("turn total %1, expected %2").arg(total).arg(cards[current_].total));
        if (rolls != 0)
            fail("turn starts with rolls");
        if (bonus_ && !bonusPending_)
            fail("turn without a bonus die before it");
        bonusPending_ = false;
        ++turns[current_];
        rolls_ = 0;
        scored_ = false;
        held_.fill(false);
        dice_.fill(0);
    }
    void theDice(const QList<QByteArray>& f) {
        const int seat = f[1].toInt();
        const int rolls = f[3].toInt();
        if (seat != current_)
            fail(QString("dice for seat %1 during seat %2's turn").arg(seat).arg(current_));
        if (f.size() == 4)
            return; // the answer to a roll with every die held, which rolls nothing
        if (rolls != rolls_ + 1 || rolls > 3)
            fail(QString("roll %1 after %2").arg(rolls).arg(rolls_));
        if (f[2] != (rolls < 3 ? "y" : "n"))
            fail("wrong again word");
        if (scored_)
            fail("roll after the score");
        rolls_ = rolls;
        for (int i = 4; i + 1 < f.size(); i += 2) {
            const int die = f[i].toInt();
            const int value = f[i + 1].toInt();
            if (die < 1 || die > 5 || value < 1 || value > 6) {
                fail("bad die");
                continue;
            }
            if (held_[die])
                fail(QString("held die %1 rolled").arg(die));
            dice_[die - 1] = value;
        }
    }
    void pscore(const QList<QByteArray>& f) {
        if (f.size() != 19) {
            fail("pscore with " + QString::number(f.size()) + " fields");
            return;
        }
        const int seat = f[1].toInt() % 5;
        const QByteArray& category = f[3];
        if (category == "*")
            return; // the cards for a newcomer
        if (category.startsWith('*')) {
            if (!team_ || seat != partner(current_))
                fail("partner copy outside a team game's partner");
            cards[seat] = cards[current_];
        } else {
            const int c = category.toInt();
            if (seat != current_ || scored_ || rolls_ == 0 || c < 1 || c > 12 ||
                cards[seat].used(c)) {
                fail(QString("score %1 by seat %2 not allowed").arg(c).arg(seat));
                return;
            }
            for (int v : dice_) {
                if (v == 0)
                    fail("score with a die never seen");
            }
            cards[seat].entry[c] = zb::rules::categoryValue(dice_, c, bonus_ ? bonusDie_ : 0);
            zb::rules::recomputeTotals(cards[seat]);
            scored_ = true;
            ++scores;
        }
        if (f[2].toInt() != cards[seat].total)
            fail(QString("seat %1 total %2, expected %3")
                     .arg(seat)
                     .arg(f[2].toInt())
                     .arg(cards[seat].total));
        for (int e = 1; e <= 15; ++e) {
            if (f[3 + e].toInt() != cards[seat].entry[e])
                fail(QString("seat %1 entry %2 is %3, expected %4")
                         .arg(seat)
                         .arg(e)
                         .arg(f[3 + e].toInt())
                         .arg(cards[seat].entry[e]));
        }
    }
    void winner(const QList<QByteArray>& f) {
        advance();
        if (rounds_[1] <= lastRound())
            fail("winner before the last round");
        if (bonus_ && !bonusPending_)
            fail("no bonus die before the winner");
        std::array<std::string, 4> names;
        std::array<int, 4> totals{};
        for (int seat = 1; seat <= 4; ++seat) {
            QByteArray name = names_[seat];
            if (seat >= 2 && name.isEmpty())
                name = QByteArray::fromStdString(zb::rules::computerName(seat));
            names[seat - 1] = name.toStdString();
            totals[seat - 1] = cards[seat].total;
        }
        const zb::rules::Winner w = zb::rules::winnerText(names, totals);
        winnerText = f[1];
        winnerTotal = f[2].toInt();
        if (winnerText != QByteArray::fromStdString(w.text) || winnerTotal != w.total)
            fail("winner " + winnerText + " " + QString::number(winnerTotal) + ", expected " +
                 QString::fromStdString(w.text) + " " + QString::number(w.total));
        finished = true;
    }
    static int partner(int seat) { return (seat + 1) % 4 + 1; }

    std::array<bool, 5> connected_;
    std::array<QByteArray, 5> names_;
    std::array<int, 5> rounds_{};
    std::array<bool, 6> held_{};
    zb::rules::Dice dice_{};
    bool bonus_ = false;
    bool team_ = false;
    bool bonusPending_ = false;
    bool scored_ = false;
    int bonusDie_ = 0;
    int current_ = 0;
    int rolls_ = 0;
};

} // namespace hosttest
