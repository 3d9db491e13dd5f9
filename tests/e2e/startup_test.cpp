// The game binary as a user starts it: modes, ports, the single-instance guard and signals.
// These run on the fixed game port 7772 and the lobby port 9001, one at a time.

#include "gameclient.h"
#include "process.h"
#include "support/wait.h"

#include "net/tsock.h"

#include <QByteArray>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace std::chrono_literals;
using zb::TSock;
using zbtest::Client;
using zbtest::GameProcess;
using zbtest::waitFor;
using zbtest::waitForPortFree;

namespace {

const QString kGame = QStringLiteral(ZB_GAME_BINARY);

// A listener that keeps every connection it accepts and what each one sent.
struct Listener {
    TSock sock;
    std::vector<std::unique_ptr<TSock>> accepted;
    std::vector<QByteArray> received;

    explicit Listener(const QString& port) {
        sock.setPortName(port);
        sock.OnAccept = [this](TSock* s) {
            TSock* n = nullptr;
            if (s->accept(n)) {
                n->setParent(nullptr);
                const std::size_t index = accepted.size();
                received.emplace_back();
                n->OnRead = [this, index](TSock* c, int) { received[index] += c->receive(); };
                accepted.emplace_back(n);
            }
        };
        sock.setListen(true);
    }
};

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(waitForPortFree("7772"));
        ASSERT_TRUE(waitForPortFree("9001"));
    }
};

TEST_F(Startup, NoArgumentsHostsASoloGameAndItsTableLogsInAsYou) {
    GameProcess game;
    game.start(kGame, {});
    Client client;
    ASSERT_TRUE(client.connectWhenListening());
    ASSERT_TRUE(client.login("Probe"));
    EXPECT_TRUE(waitFor([&] { return client.announced("You"); }, 15s));
    EXPECT_TRUE(game.running());
}

TEST_F(Startup, HostModeConnectsToItselfAndOpensThePresenceConnection) {
    Listener lobby("9001");
    GameProcess game;
    game.start(kGame, {"Ann", "10.0.0.5", "true"});
    ASSERT_TRUE(waitFor([&] { return !lobby.accepted.empty(); }, 15s));
    Client client;
    ASSERT_TRUE(client.connectWhenListening());
    ASSERT_TRUE(client.login("Probe"));
    EXPECT_TRUE(waitFor([&] { return client.announced("Ann"); }, 15s));
    zbtest::pump(200ms);
    EXPECT_TRUE(lobby.received[0].isEmpty()) << "nothing travels on the presence connection";
}

TEST_F(Startup, JoinModeConnectsToTheGivenHostAndTheLobby) {
    Listener host("7772");
    Listener lobby("9001");
    GameProcess game;
    // Anything but exactly "true" joins.
    game.start(kGame, {"Ann", "127.0.0.1", "True"});
    ASSERT_TRUE(waitFor([&] { return !host.accepted.empty() && !lobby.accepted.empty(); }, 15s));
    host.accepted[0]->send(QByteArray("CMD_sendlogininfo+3\xFF"));
    EXPECT_TRUE(waitFor(
        [&] { return host.received[0].contains("CMD_logininfo+3+1.0.4+Ann\xFF\xFF"); }, 15s));
}

TEST_F(Startup, OneArgumentOpensNothing) {
    Listener host("7772");
    Listener lobby("9001");
    GameProcess game;
    game.start(kGame, {"Ann"});
    // Absence can only be shown over a span: the game is given ample time to misbehave.
    zbtest::pump(1500ms);
    EXPECT_TRUE(game.running());
    EXPECT_TRUE(host.accepted.empty());
    EXPECT_TRUE(lobby.accepted.empty());
}

TEST_F(Startup, ASecondCopyEndsAtOnceAndTheFirstKeepsRunning) {
    GameProcess first;
    first.start(kGame, {});
    Client client;
    ASSERT_TRUE(client.connectWhenListening()); // the first copy is fully up

    GameProcess second(first.runtimeDir());
    second.start(kGame, {"Bob", "127.0.0.1", "false"});
    ASSERT_TRUE(second.waitForExit(15000));
    EXPECT_EQ(second.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process().exitCode(), 0);
    EXPECT_TRUE(first.running());
}

TEST_F(Startup, SigtermEndsTheGameWithStatusZero) {
    GameProcess game;
    game.start(kGame, {});
    Client client;
    ASSERT_TRUE(client.connectWhenListening());
    game.process().terminate();
    ASSERT_TRUE(game.waitForExit(15000));
    EXPECT_EQ(game.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.process().exitCode(), 0);
}

} // namespace
