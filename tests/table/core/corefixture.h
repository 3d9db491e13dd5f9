#pragma once
// A table core under test with no socket and no window: host messages go straight into its
// receive path and are dispatched at once, and whatever it sends is recorded.

#include "headlessplayer.h"

#include "net/guard.h"
#include "table/core/session.h"
#include "table/core/tablecore.h"

#include <QByteArray>
#include <QList>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace zbtest {

class CoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = zb::setErrorReporter([this](const QString& text) { errors << text; });
        core.setTally(&tally);
        core.setRollRepeatGuard(std::chrono::milliseconds(0));
        core.setSend([this](const QByteArray& m) { sent << m; });
        QObject::connect(&core, &zb::TableCore::systemLine,
                         [this](const QString& text, quint32) { lines << text; });
    }
    void TearDown() override { zb::setErrorReporter(previous_); }

    // Messages from the host, each with its terminator, handled one per tick as the timer would.
    void feed(const QByteArray& bytes) {
        ASSERT_TRUE(core.receive(bytes));
        while (core.session().queued() > 0)
            zb::guarded([&] { core.session().processsocktimer(); });
    }
    // Requests sent since the last call, without their terminators.
    QList<QByteArray> take() {
        QList<QByteArray> out;
        for (const QByteArray& m : std::exchange(sent, {}))
            out << m.left(m.indexOf('\xFF'));
        return out;
    }

    // The local player in a seat, Bob beside him in seat 2 (or 1), a game started.
    void seated(int seat, const QByteArray& bonus = "f", const QByteArray& team = "false") {
        feed("CMD_sendlogininfo+" + QByteArray::number(seat) +
             "\xFF"
             "CMD_newplayerinfo+" +
             QByteArray::number(seat) +
             "+Ann\xFF"
             "CMD_existingplayers+" +
             QByteArray(seat == 2 ? "1" : "2") +
             "+Bob\xFF"
             "CMD_startgame+1+" +
             bonus + "+" + team + "\xFF");
        take();
        lines.clear();
    }
    // The local seat's turn begins and it rolls all five dice to these faces.
    void myRoll(int seat, std::array<int, 5> faces, int rolls = 1) {
        feed("CMD_nextplayer+" + QByteArray::number(seat) + "+1+0+" +
             QByteArray::number(rolls - 1) + "+\xFF");
        core.roll();
        ASSERT_EQ(take(), QList<QByteArray>({"CMD_rolldice+" + QByteArray::number(seat)}));
        QByteArray m = "CMD_thedice+" + QByteArray::number(seat) + (rolls < 3 ? "+y+" : "+n+") +
                       QByteArray::number(rolls);
        for (int d = 1; d <= 5; ++d)
            m += "+" + QByteArray::number(d) + "+" + QByteArray::number(faces[d - 1]);
        feed(m + '\xFF');
    }

    zb::TableCore core;
    RecordingSink tally;
    QList<QByteArray> sent;
    QStringList lines;
    QStringList errors;

private:
    zb::ErrorReporter previous_;
};

} // namespace zbtest
