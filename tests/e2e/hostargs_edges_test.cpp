// zorbinet-host's numbers at both ends of their ranges and one past: ports 0, 1, 65535 and
// 65536, bot speeds 0 and 1 and the largest, seeds up to 2^32 - 1. A number it takes makes it
// listen (or, for a port taken by someone else, fail to bind); one it refuses is a usage error.

#include "support/wait.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <csignal>

using namespace std::chrono_literals;

namespace {

const QString kHost = QStringLiteral(ZB_HOST_BINARY);

struct Outcome {
    bool listened = false;
    int exitCode = -1; // when it ended by itself
    QByteArray out;
    QByteArray err;
};

// Runs the host until it listens (then ends it) or ends by itself.
Outcome run(const QStringList& args) {
    QProcess p;
    p.start(kHost, args);
    Outcome o;
    if (!p.waitForStarted(10000))
        return o;
    zbtest::waitFor(
        [&] {
            o.out += p.readAllStandardOutput();
            return o.out.contains('\n') || p.state() == QProcess::NotRunning;
        },
        15s);
    o.listened = o.out.startsWith("listening on port ");
    if (p.state() == QProcess::Running) {
        ::kill(pid_t(p.processId()), SIGTERM);
        p.waitForFinished(10000);
    } else {
        o.exitCode = p.exitCode();
    }
    o.err = p.readAllStandardError();
    return o;
}

struct ArgCase {
    const char* name;
    QStringList args;
    bool taken;
    const char* listening; // the exact first line, when the port is fixed
};
void PrintTo(const ArgCase& c, std::ostream* os) {
    *os << c.name;
}

class HostArgEdges : public ::testing::TestWithParam<ArgCase> {};

TEST_P(HostArgEdges, TakenAndListeningOrRefusedAsAUsageError) {
    const ArgCase& c = GetParam();
    const Outcome o = run(c.args);
    if (!c.taken) {
        EXPECT_FALSE(o.listened);
        EXPECT_EQ(o.exitCode, 2);
        EXPECT_TRUE(o.err.startsWith("usage: zorbinet-host ")) << o.err.constData();
        return;
    }
    // A fixed port may be taken by another program: a bind failure (status 1, no usage text)
    // still shows that the number was accepted.
    if (!o.listened && o.exitCode == 1) {
        EXPECT_FALSE(o.err.startsWith("usage:")) << o.err.constData();
        return;
    }
    ASSERT_TRUE(o.listened) << o.out.constData() << o.err.constData();
    if (c.listening) {
        EXPECT_EQ(o.out, QByteArray(c.listening) + '\n');
    }
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, HostArgEdges,
    ::testing::Values(
        ArgCase{"Port0", {"--port", "0"}, true, nullptr},
        ArgCase{"Port1", {"--port=1"}, true, "listening on port 1"},
        ArgCase{"Port65535", {"--port", "65535"}, true, "listening on port 65535"},
        ArgCase{"Port65536", {"--port", "65536"}, false, nullptr},
        ArgCase{"PortEmpty", {"--port="}, false, nullptr},
        ArgCase{"PortSigned", {"--port", "+80"}, false, nullptr},
        ArgCase{"BotSpeed0", {"--port", "0", "--bot-speed", "0"}, false, nullptr},
        ArgCase{"BotSpeed1", {"--port", "0", "--bot-speed", "1"}, true, nullptr},
        ArgCase{"BotSpeedLargest", {"--port", "0", "--bot-speed=2147483647"}, true, nullptr},
        ArgCase{"BotSpeedPastInt", {"--port", "0", "--bot-speed=2147483648"}, false, nullptr},
        ArgCase{"Seed0", {"--port", "0", "--seed", "0"}, true, nullptr},
        ArgCase{"SeedLargest", {"--port", "0", "--seed", "4294967295"}, true, nullptr},
        ArgCase{"SeedPast32Bits", {"--port", "0", "--seed", "4294967296"}, false, nullptr},
        ArgCase{"SeedOfTwentyDigits",
                {"--port", "0", "--seed", "18446744073709551616"},
                false,
                nullptr},
        ArgCase{"SeedWithoutValue", {"--port", "0", "--seed"}, false, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
