// Whole games of computer players through the host's seam, by skill: classic games are byte for
// byte what they were before skills existed, expert games are legal to the last score and score
// more, and the skill is asked for at every game start and at no other time.

#include "referee.h"
#include "seamgame.h"
#include "strategy/sharedtables.h"

#include <QCryptographicHash>
#include <gtest/gtest.h>

using namespace hosttest;
using zb::strategy::BotSkill;
using zb::strategy::GameKind;

namespace {

constexpr std::uint32_t kSeed = 20240611;

QByteArray sha1(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

void waitForTables() {
    zb::strategy::SharedTables::wait(GameKind::Regular);
    zb::strategy::SharedTables::wait(GameKind::BonusDice);
}

struct Kind {
    const char* start;
    std::array<int, 5> turns;
};
constexpr Kind kRegular{"f+false", {0, 12, 12, 0, 0}};
constexpr Kind kBonus{"t+false", {0, 12, 12, 0, 0}};
constexpr Kind kTeam{"f+true", {0, 6, 6, 6, 6}};

TEST(BotSkillGame, ClassicGamesAreByteForByteAsBeforeSkills) {
    // What slot 1 received in these games before the skill existed.
    struct Golden {
        const char* start;
        QByteArray digest;
        qsizetype bytes;
    };
    for (const Golden& g : {Golden{"f+false", "620dd5ca1b9b6ab977151360116afa4dd392a69c", 5083},
                            Golden{"t+false", "7044a81b21dcc642c02e2d3487d08c3126c209d3", 5563},
                            Golden{"f+true", "ae0e7887d4683d1fcc0ea6607a6212400ea51ef5", 6837}}) {
        SeamGame byDefault(kSeed);
        byDefault.play(g.start);
        EXPECT_EQ(byDefault.stream().size(), g.bytes) << g.start;
        EXPECT_EQ(sha1(byDefault.stream()), g.digest) << g.start;
        SeamGame chosen(kSeed);
        chosen.server().setBotSkill([] { return BotSkill::Classic; });
        chosen.play(g.start);
        EXPECT_EQ(chosen.stream(), byDefault.stream()) << g.start;
        EXPECT_EQ(chosen.server().game().botSkill(), BotSkill::Classic);
    }
}

TEST(BotSkillGame, ExpertGamesAreLegalToTheLastScore) {
    waitForTables();
    for (const Kind& k : {kRegular, kBonus, kTeam}) {
        SeamGame g(kSeed);
        g.server().setBotSkill([] { return BotSkill::Expert; });
        g.play(k.start);
        ASSERT_FALSE(g.server().game().inProgress()) << k.start;
        Referee ref({false, true, false, false, false});
        ref.applyAll(g.framed());
        EXPECT_TRUE(ref.finished) << k.start;
        EXPECT_TRUE(ref.failures.isEmpty()) << ref.failures.join('\n').toStdString();
        EXPECT_EQ(ref.turns, k.turns) << k.start;
        for (int seat = 1; seat <= 2; ++seat) {
            for (int c = 1; c <= 12; ++c)
                EXPECT_TRUE(ref.cards[seat].used(c)) << k.start << " " << seat << " " << c;
            EXPECT_EQ(ref.cards[seat].total, g.total(seat));
        }
        EXPECT_EQ(g.server().game().botSkill(), BotSkill::Expert);
        EXPECT_EQ(g.server().game().expert().fallbacks(), 0) << k.start;
    }
}

TEST(BotSkillGame, ExpertsOutscoreClassicPlayersAndSometimesReleaseDice) {
    waitForTables();
    constexpr int kGames = 20;
    int classic = 0;
    int expert = 0;
    int releases = 0;
    int classicReleases = 0;
    for (int i = 0; i < kGames; ++i) {
        for (BotSkill skill : {BotSkill::Classic, BotSkill::Expert}) {
            SeamGame g(kSeed + static_cast<std::uint32_t>(i));
            g.server().setBotSkill([skill] { return skill; });
            g.play(kRegular.start);
            (skill == BotSkill::Expert ? expert : classic) += g.total(1) + g.total(2);
            int released = 0;
            for (const QByteArray& m : g.messages()) {
                if (m.startsWith("CMD_unsetdice+"))
                    ++released;
            }
            // The classic player never lets a die go.
            (skill == BotSkill::Expert ? releases : classicReleases) += released;
        }
    }
    // 40 cards each; the expected gap is about 40 points a card.
    EXPECT_GT(expert - classic, 20 * 2 * kGames) << expert << " " << classic;
    EXPECT_GT(releases, 0);
    EXPECT_EQ(classicReleases, 0);
}

TEST(BotSkillGame, TheSkillIsAskedForAtEveryGameStartOnly) {
    waitForTables();
    SeamGame g(kSeed);
    BotSkill skill = BotSkill::Classic;
    int asked = 0;
    g.server().setBotSkill([&] {
        ++asked;
        return skill;
    });
    auto start = [&g] {
        g.server().feed(1, "CMD_startgame+1+f+false\xFF"
                           "CMD_justwatch+1+1\xFF");
        while (g.server().dispatchOne()) {
        }
    };
    start();
    EXPECT_EQ(asked, 1);
    // A change during a game applies from the next start ...
    skill = BotSkill::Expert;
    for (int tick = 0; tick < 50; ++tick)
        g.server().runGameTimersNow();
    ASSERT_TRUE(g.server().game().inProgress());
    EXPECT_EQ(g.server().game().botSkill(), BotSkill::Classic);
    EXPECT_EQ(asked, 1);
    // ... also a start that cuts the running game short.
    start();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(g.server().game().botSkill(), BotSkill::Expert);
    for (int guard = 0; guard < 100000 && g.server().game().inProgress(); ++guard)
        g.server().runGameTimersNow();
    EXPECT_EQ(asked, 2);
    skill = BotSkill::Classic;
    g.play(kRegular.start);
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(g.server().game().botSkill(), BotSkill::Classic);
    Referee ref({false, true, false, false, false});
    ref.applyAll(g.framed());
    EXPECT_TRUE(ref.failures.isEmpty()) << ref.failures.join('\n').toStdString();
    EXPECT_TRUE(ref.finished);
}

} // namespace
