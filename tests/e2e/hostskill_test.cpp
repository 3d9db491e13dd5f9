// zorbinet-host's --bot-skill: the two words it takes, a wrong one refused with the usage text,
// and an expert-played game over TCP from login to winner.

#include "support/wait.h"

#include "net/tsock.h"

#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <memory>

using namespace std::chrono_literals;
using zbtest::waitFor;

namespace {

const QString kHost = QStringLiteral(ZB_HOST_BINARY);

// Runs zorbinet-host to its end with these arguments; its exit code and standard error.
std::pair<int, QByteArray> runToEnd(const QStringList& args) {
    QProcess p;
    p.start(kHost, args);
    if (!p.waitForFinished(15000)) {
        p.kill();
        p.waitForFinished(5000);
        return {-1, {}};
    }
    return {p.exitCode(), p.readAllStandardError()};
}

TEST(HostSkill, AWordOtherThanClassicOrExpertIsAUsageError) {
    for (const QStringList& args :
         {QStringList{"--bot-skill", "wizard"}, QStringList{"--bot-skill=Expert"},
          QStringList{"--bot-skill"}, QStringList{"--bot-skill="}}) {
        const auto [code, err] = runToEnd(args);
        EXPECT_EQ(code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(err.startsWith("usage: zorbinet-host ")) << err.constData();
        EXPECT_TRUE(err.contains("--bot-skill SKILL  classic (the default) or expert"));
    }
}

// Starts the host with the skill on a free port and plays all-computer games, one after the
// other, until one in which a held die is released or until `games` are over; then ends the host.
// The classic player never releases a die; the expert does now and then, once its tables are
// built in the background, a few seconds after the start. Returns the games played.
int playUntilARelease(const QString& skillArgument, int games) {
    QProcess host;
    host.start(kHost, {"--port", "0", "--bot-speed", "1", "--seed", "42", skillArgument});
    EXPECT_TRUE(host.waitForStarted(10000));
    QByteArray out;
    EXPECT_TRUE(waitFor(
        [&] {
            out += host.readAllStandardOutput();
            return out.contains('\n');
        },
        15s));
    const QRegularExpressionMatch m =
        QRegularExpression("^listening on port (\\d+)\n$").match(QString::fromLatin1(out));
    EXPECT_TRUE(m.hasMatch()) << out.constData();

    zb::TSock table;
    QByteArray received;
    table.setHostName("127.0.0.1");
    table.setPortName(m.captured(1));
    table.OnRead = [&received](zb::TSock* s, int) { received += s->receive(); };
    table.open();
    EXPECT_TRUE(waitFor([&] { return received.contains("CMD_sendlogininfo+1\xFF"); }, 15s));
    table.send("CMD_logininfo+1+1.0.4+Referee\xFF\xFF");
    int played = 0;
    while (played < games) {
        received.clear();
        table.send("CMD_startgame+1+f+false\xFF"
                   "CMD_justwatch+1+1\xFF");
        if (!waitFor([&] { return received.contains("CMD_winner+"); }, 60s)) {
            ADD_FAILURE() << "no winner: " << received.right(200).constData();
            break;
        }
        ++played;
        EXPECT_EQ(received.count("CMD_pscore+"), 24);
        if (received.contains("CMD_unsetdice+"))
            break;
    }
    host.terminate();
    EXPECT_TRUE(host.waitForFinished(15000));
    EXPECT_EQ(host.exitCode(), 0);
    return played;
}

TEST(HostSkill, AnExpertHostPlaysWholeGamesAndSoonLetsHeldDiceGo) {
    EXPECT_LT(playUntilARelease("--bot-skill=expert", 400), 400);
}

TEST(HostSkill, AClassicHostNeverLetsAHeldDieGo) {
    EXPECT_EQ(playUntilARelease("--bot-skill=classic", 3), 3);
}

} // namespace
