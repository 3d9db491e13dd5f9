#pragma once
// A table with no window: a TableCore on a TableLink, connected to a real host over loopback,
// and a simple player that acts on its own turns through the core's intents alone. What it sees
// of the game is what the core holds.

#include "support/ports.h"
#include "support/wait.h"

#include "table/core/tablecore.h"
#include "table/core/tablelink.h"
#include "table/core/tallysink.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace zbtest {

class RecordingSink : public zb::TallySink {
public:
    void recordGame(const zb::FinishedGame& game) override { games.push_back(game); }
    void recordFiveOfAKind() override { ++fives; }
    void currentPlayers(const QStringList& names) override { players = names; }
    std::vector<zb::FinishedGame> games;
    QStringList players;
    int fives = 0;
};

struct HeadlessPlayer {
    zb::TableCore core;
    zb::TableLink link{core};
    RecordingSink tally;
    QStringList lines;
    // What the player saw while it was his turn, and while it was another's.
    QStringList headingsOnOwnTurn;
    QStringList headingsOnOthers;
    int rollsSeen = 0;

    HeadlessPlayer(const QString& name, const QString& port) {
        core.setTally(&tally);
        core.setRollRepeatGuard(std::chrono::milliseconds(0));
        link.setGamePort(port);
        link.setLobbyPort(refusingPort());
        QObject::connect(&core, &zb::TableCore::systemLine,
                         [this](const QString& text, quint32) { lines << text; });
        QObject::connect(&core, &zb::TableCore::headingChanged, [this](const QString& text) {
            (core.myTurn() ? headingsOnOwnTurn : headingsOnOthers) << text;
        });
        QObject::connect(&core, &zb::TableCore::rollsChanged, [this](int rolls) {
            if (core.myTurn() && rolls > 0)
                ++rollsSeen;
        });
        link.start({name, QStringLiteral("127.0.0.1"), QStringLiteral("false")});
    }

    bool finished() const { return !core.winner().isEmpty(); }

    // Rolls twice, holding whatever the first roll showed most of, then takes the first free
    // category. Called again and again; acts only when the core says it may.
    void act() {
        if (!core.myTurn() || !core.mayact())
            return;
        if (core.rolls() == 1 && !held_) {
            held_ = true;
            holdMostCommon();
            return;
        }
        if (core.throwOffered() && core.rolls() < 2 && !core.allHeldThisTurn()) {
            if (core.rolls() == 0)
                held_ = false;
            core.roll();
            return;
        }
        for (int c = 1; c <= zb::rules::kCategories; ++c) {
            if (core.seat(core.myseat()).cells[c] == zb::rules::kUnused) {
                core.chooseCategory(c);
                return;
            }
        }
    }

private:
    void holdMostCommon() {
        std::array<int, 7> count{};
        for (int d = 1; d <= 5; ++d)
            ++count[core.dicevalues()[d]];
        int best = 1;
        for (int f = 1; f <= 6; ++f)
            best = count[f] > count[best] ? f : best;
        for (int d = 1; d <= 5; ++d) {
            if (core.dicevalues()[d] == best)
                core.toggleDie(d);
        }
    }

    bool held_ = false;
};

} // namespace zbtest
