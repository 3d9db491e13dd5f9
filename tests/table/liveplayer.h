#pragma once
// A live table for tests against a real host: a Tchat with its own recorded sounds, dialogs,
// tally, settings folder, start dialog and spy list, joining or hosting on a given port, and a
// simple player that clicks through its turns.

#include "tablefixture.h"

#include "controls/highlightlabel.h"
#include "controls/picturebutton.h"
#include "host/playertable.h"
#include "rules/rules.h"
#include "table/core/tablecore.h"
#include "table/zeropanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <map>

namespace zbtest {

struct Player {
    QTemporaryDir settingsDir;
    zb::RecordingSoundPlayer sounds;
    FakeDialogs dialogs;
    RecordingTally tally;
    zb::rules::Random random;
    std::unique_ptr<zb::Tchat> table;
    zb::Tgamestartform gamestart;
    zb::Tspylist spylist;
    bool heldThisTurn = false;
    int clicks = 0;

    Player(const QString& name, bool hosting, const QString& port) {
        zb::TableOptions o;
        o.args = {name, QStringLiteral("127.0.0.1"), hosting ? "true" : "false"};
        o.gamePort = port;
        o.lobbyPort = closedPort();
        o.dialogs = &dialogs;
        o.soundPlayer = &sounds;
        o.tally = &tally;
        o.startHost = [](bool) {}; // the test's host already listens
        o.settingsFolder = settingsDir.path();
        table = std::make_unique<zb::Tchat>(o, random);
        table->core().setRollRepeatGuard(std::chrono::milliseconds(0));
        table->attachWindows(&gamestart, &spylist);
        table->show();
    }

    int rollsShown() const {
        int n = 0;
        for (int k = 1; k <= 3; ++k)
            n += !table->card()->image_rolls(k)->isHidden() ? 1 : 0;
        return n;
    }

    // One step of a simple player: roll, keep the most frequent face once, roll again, then take
    // the first free category.
    void act() {
        const zb::TableCore& s = table->core();
        if (!s.myTurn() || !s.mayact())
            return;
        zb::Board* board = table->board();
        const int rolls = rollsShown();
        // A new settings file asks before a zero score; the simple player always takes it.
        if (board->panel_zero()->isVisible()) {
            click(board->panel_zero()->yesButton());
        } else if (rolls == 0) {
            heldThisTurn = false;
            click(board->image_throwdice());
        } else if (rolls == 1 && !heldThisTurn) {
            heldThisTurn = true;
            std::map<int, int> count;
            for (int d = 1; d <= 5; ++d)
                ++count[s.dicevalues()[d]];
            int best = 1;
            for (const auto& [face, n] : count) {
                if (n > count[best])
                    best = face;
            }
            for (int d = 1; d <= 5; ++d) {
                if (s.dicevalues()[d] == best &&
                    table->core().die(d).state == zb::DieView::State::Open)
                    click(board->dice(d));
            }
        } else if (rolls == 1 && board->image_throwdice()->isVisible() && !allHeld()) {
            click(board->image_throwdice());
        } else {
            for (int row = 1; row <= 12; ++row) {
                if (table->card()->cellText(s.myseat(), row).isEmpty()) {
                    click(table->card()->label(row));
                    break;
                }
            }
        }
        ++clicks;
    }

    bool allHeld() const {
        for (int d = 1; d <= 5; ++d) {
            if (table->core().die(d).state != zb::DieView::State::Held)
                return false;
        }
        return true;
    }

    bool finished() const { return table->board()->label_winner()->isVisible(); }
};

inline QString expectedCell(const zb::rules::Card& card, int row) {
    return card.entry[row] == zb::rules::kUnused ? QString() : QString::number(card.entry[row]);
}

// Whether a table's card shows exactly the host's cards and totals.
inline ::testing::AssertionResult sameCards(zb::ScoreCard* card,
                                            const zb::host::PlayerTable& host) {
    for (int seat = 1; seat <= 4; ++seat) {
        const zb::rules::Card& hostCard = host[seat].card;
        if (card->label_score(seat)->text() != QString::number(hostCard.total))
            return ::testing::AssertionFailure() << "total of seat " << seat;
        for (int row = 1; row <= 15; ++row) {
            if (card->cellText(seat, row) != expectedCell(hostCard, row))
                return ::testing::AssertionFailure() << "seat " << seat << " row " << row;
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace zbtest
