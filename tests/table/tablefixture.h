#pragma once
// A table window under test: a Tchat that joins a fake host over loopback. The fake host is a
// listening TSock whose one accepted connection records every message the table sends and can
// send the table any bytes. Messages can also be handed to the table's receive path directly
// (TableCore::receive, what a read hands over). Sounds, dialogs, the tally and
// the error report are recorded. The settings file lives in a temporary folder; unless a test
// writes its own, it holds the switches as a new window shows them, so a table that reads it
// keeps "Double Check for 0 Score" and "Play Chatter Sounds" off.

#include "support/clicks.h"
#include "support/fakedialogs.h"
#include "support/wait.h"

#include "controls/chatview.h"
#include "controls/elidedlabel.h"
#include "net/guard.h"
#include "net/protocol.h"
#include "net/tsock.h"
#include "rules/random.h"
#include "shell/chatpanel.h"
#include "support/ports.h"
#include "support/soundrecorder.h"
#include "table/board.h"
#include "table/core/session.h"
#include "table/core/tablecore.h"
#include "table/core/tallysink.h"
#include "table/scorecard.h"
#include "table/tablesettings.h"
#include "table/tchat.h"
#include "table/tgamestartform.h"
#include "table/tspylist.h"

#include <QApplication>
#include <QByteArray>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace zbtest {

using namespace std::chrono_literals;

// A port where nobody listens, held for the life of the test process so that no test running
// beside it can take it and answer a table's presence connection.
inline QString closedPort() {
    return refusingPort();
}

class FakeHost {
public:
    FakeHost() {
        listener_.setPortName("0");
        listener_.OnAccept = [this](zb::TSock* l) {
            zb::TSock* s = nullptr;
            if (!l->accept(s))
                return;
            if (conn_) {
                // Only the table under test is served; a stray connection is turned away.
                s->close();
                s->deleteLater();
                return;
            }
            conn_ = s;
            s->OnRead = [this](zb::TSock* from, int) {
                const QByteArray bytes = from->receive();
                raw_ += bytes;
                framer_.feed(bytes, messages_);
            };
        };
        listener_.setListen(true);
    }

    QString port() const { return QString::number(listener_.localPort()); }
    bool accepted() const { return conn_ != nullptr; }
    zb::TSock* connection() const { return conn_; }
    void send(const QByteArray& bytes) { conn_->send(bytes); }
    void drop() { conn_->close(); }

    // Everything the table sent, cut at the terminators (empty messages included), and raw.
    const QList<QByteArray>& messages() const { return messages_; }
    const QByteArray& raw() const { return raw_; }
    // Non-empty messages sent since the last call.
    QList<QByteArray> take() {
        QList<QByteArray> out;
        for (; seen_ < messages_.size(); ++seen_) {
            if (!messages_[seen_].isEmpty())
                out << messages_[seen_];
        }
        return out;
    }
    bool waitForMessage(std::chrono::milliseconds timeout = 5s) {
        return waitFor(
            [&] {
                for (qsizetype i = seen_; i < messages_.size(); ++i) {
                    if (!messages_[i].isEmpty())
                        return true;
                }
                return false;
            },
            timeout);
    }

private:
    zb::TSock listener_;
    zb::TSock* conn_ = nullptr;
    zb::proto::Framer framer_;
    QList<QByteArray> messages_;
    QByteArray raw_;
    qsizetype seen_ = 0;
};

// A right click on a seat's name on the card: the seat popup opens for that seat.
inline void openSeatPopup(zb::Tchat& table, int seat) {
    QWidget* label = table.card()->label_playername(seat);
    const QPoint at = label->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, label->mapToGlobal(at));
    QApplication::sendEvent(label, &event);
}

class RecordingTally : public zb::TallySink {
public:
    void currentPlayers(const QStringList& names) override { players = names; }
    void recordGame(const zb::FinishedGame& game) override {
        calls << QStringLiteral("game %1 won=%2 winners=%3")
                     .arg(game.myTotal())
                     .arg(game.localWon())
                     .arg(game.winners().join(','));
        games.push_back(game);
    }
    void recordFiveOfAKind() override { calls << QStringLiteral("five of a kind"); }
    QStringList calls;
    QStringList players;
    std::vector<zb::FinishedGame> games;
};

class TableTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousReporter_ = zb::setErrorReporter([this](const QString& text) { errors << text; });
        previousPeerReporter_ =
            zb::setPeerReporter([this](const QString& text) { peerReports << text; });
        ASSERT_TRUE(settingsDir.isValid());
        writeSettings("[Zorbinet]\r\nDoublecheck=false\r\nChatterSounds=false\r\n");
    }
    void TearDown() override {
        table.reset();
        gamestart.reset();
        spylist.reset();
        zb::setErrorReporter(previousReporter_);
        zb::setPeerReporter(previousPeerReporter_);
    }

    // A table that joins the fake host as name; hosting tables connect to the same port.
    void open(const QString& name = QStringLiteral("Ann"), bool hosting = false) {
        zb::TableOptions o;
        o.args = {name, QStringLiteral("127.0.0.1"), hosting ? "true" : "false"};
        o.gamePort = host.port();
        o.lobbyPort = closedPort();
        o.dialogs = &dialogs;
        o.soundPlayer = &sounds;
        o.tally = &tally;
        o.settingsFolder = settingsDir.path();
        table = std::make_unique<zb::Tchat>(o, random);
        gamestart = std::make_unique<zb::Tgamestartform>();
        spylist = std::make_unique<zb::Tspylist>();
        table->attachWindows(gamestart.get(), spylist.get());
        // Tests click as fast as they like; the guard against double clicks has tests of its own.
        core().setRollRepeatGuard(std::chrono::milliseconds(0));
        table->show();
        ASSERT_TRUE(waitFor([&] { return host.accepted() && table->sock()->connected(); }));
    }

    // The host gives the table its seat; the table answers with its login.
    void login(int seat) {
        host.send("CMD_sendlogininfo+" + QByteArray::number(seat) + '\xFF');
        ASSERT_TRUE(host.waitForMessage());
        const QList<QByteArray> sent = host.take();
        ASSERT_EQ(sent.size(), 1);
        ASSERT_TRUE(sent[0].startsWith("CMD_logininfo+")) << sent[0].toStdString();
    }

    // Hands messages to the table's receive path and waits until every one was dispatched.
    void feed(const QByteArray& bytes) {
        core().receive(bytes);
        ASSERT_TRUE(waitFor([&] { return core().session().queued() == 0; }));
    }

    // Opens a table in seat `seat` whose players are Ann (the table's own) and Bob in seat 2,
    // and starts a game.
    void seated(int seat = 1, const QByteArray& bonus = "f") {
        open();
        login(seat);
        feed("CMD_newplayerinfo+" + QByteArray::number(seat) + "+Ann\xFF");
        // Seat 1 tells the host its bot speed once the settings are read.
        if (seat == 1) {
            ASSERT_TRUE(host.waitForMessage());
            ASSERT_EQ(host.take(), QList<QByteArray>({"CMD_botspeed+1+1000+"}));
        }
        if (seat != 2)
            feed("CMD_existingplayers+2+Bob\xFF");
        feed("CMD_startgame+" + QByteArray::number(seat) + "+" + bonus + "+false\xFF");
        sounds.clear();
    }

    // The local seat's turn begins and the given dice are rolled (all five).
    void myRoll(int seat, std::array<int, 5> faces, int rolls = 1) {
        feed("CMD_nextplayer+" + QByteArray::number(seat) + "+1+0+" +
             QByteArray::number(rolls - 1) + "+\xFF");
        core().roll();
        ASSERT_TRUE(host.waitForMessage());
        ASSERT_EQ(host.take(), QList<QByteArray>({"CMD_rolldice+" + QByteArray::number(seat)}));
        QByteArray m = "CMD_thedice+" + QByteArray::number(seat) + (rolls < 3 ? "+y+" : "+n+") +
                       QByteArray::number(rolls);
        for (int d = 1; d <= 5; ++d)
            m += "+" + QByteArray::number(d) + "+" + QByteArray::number(faces[d - 1]);
        feed(m + '\xFF');
    }

    // Requests sent since the last check, after giving the network time to deliver them.
    QList<QByteArray> sentSoFar() {
        pump(60ms);
        return host.take();
    }

    QString settingsPath() const { return QDir(settingsDir.path()).filePath("quonlobby.ini"); }
    void writeSettings(const QByteArray& content) {
        QFile f(settingsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    QByteArray settingsFile() const {
        QFile f(settingsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QString chatText() const { return table->chatPanel()->mainchat()->plainText(); }
    // The chat's paragraphs without the blanks that the view keeps after every word.
    QStringList chatLines() const {
        QStringList lines;
        for (const QString& l : chatText().split('\n', Qt::SkipEmptyParts))
            lines << l.simplified();
        return lines;
    }
    zb::TableCore& core() const { return table->core(); }
    zb::Session& session() const { return table->core().session(); }
    // What the card shows: roll marker n on screen.
    bool rollMarkerShown(int n) const { return !card()->image_rolls(n)->isHidden(); }
    zb::Board* board() const { return table->board(); }
    zb::ScoreCard* card() const { return table->card(); }

    QTemporaryDir settingsDir;
    FakeHost host;
    FakeDialogs dialogs;
    zb::RecordingSoundPlayer sounds;
    RecordingTally tally;
    zb::rules::Random random;
    QStringList errors;      // the error report: never what the host sent
    QStringList peerReports; // the quiet channel for the host's malformed messages
    std::unique_ptr<zb::Tchat> table;
    std::unique_ptr<zb::Tgamestartform> gamestart;
    std::unique_ptr<zb::Tspylist> spylist;

private:
    zb::ErrorReporter previousReporter_;
    zb::ErrorReporter previousPeerReporter_;
};

} // namespace zbtest
