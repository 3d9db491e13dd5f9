// zorbinet-host: the game host alone, without any window, for automated play, protocol tests
// and bot matches. The first connection gets slot 1 and with it the hosting player's rights.

#include "host/tserver.h"
#include "net/errors.h"
#include "net/guard.h"
#include "net/peerreports.h"
#include "net/signalwatcher.h"
#include "rules/random.h"
#include "strategy/botskill.h"
#include "strategy/sharedtables.h"

#include <QCoreApplication>
#include <QString>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string_view>

namespace {

constexpr int kUsageStatus = 2;

struct Options {
    unsigned port = 7772;
    int botSpeed = 1000;
    std::uint32_t seed = zb::rules::Random::clockSeed();
    zb::strategy::BotSkill botSkill = zb::strategy::BotSkill::Classic;
};

void usage() {
    std::fputs(
        "usage: zorbinet-host [--port N] [--bot-speed MS] [--seed N] [--bot-skill SKILL]\n"
        "  --port N           port to listen on, 0 to 65535 (default 7772; 0 picks a free one)\n"
        "  --bot-speed MS     milliseconds per computer player step, at least 1 (default 1000)\n"
        "  --seed N           seed of the dice, 0 to 4294967295 (default: from the clock)\n"
        "  --bot-skill SKILL  classic (the default) or expert: how the computer players play\n",
        stderr);
}

// Plain decimal digits only, no sign, within max.
std::optional<unsigned long long> number(std::string_view text, unsigned long long max) {
    if (text.empty() || text.size() > 20)
        return std::nullopt;
    unsigned long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > max)
            return std::nullopt;
    }
    return value;
}

std::optional<Options> parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        std::string_view value;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            return std::nullopt;
        }
        if (arg == "--port") {
            const auto v = number(value, 65535);
            if (!v)
                return std::nullopt;
            o.port = static_cast<unsigned>(*v);
        } else if (arg == "--bot-speed") {
            const auto v = number(value, std::numeric_limits<int>::max());
            if (!v || *v < 1)
                return std::nullopt;
            o.botSpeed = static_cast<int>(*v);
        } else if (arg == "--seed") {
            const auto v = number(value, std::numeric_limits<std::uint32_t>::max());
            if (!v)
                return std::nullopt;
            o.seed = static_cast<std::uint32_t>(*v);
        } else if (arg == "--bot-skill") {
            const auto skill = zb::strategy::parseBotSkill(value);
            if (!skill)
                return std::nullopt;
            o.botSkill = *skill;
        } else {
            return std::nullopt;
        }
    }
    return o;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        usage();
        return kUsageStatus;
    }
    QCoreApplication app(argc, argv);
    // One line each on standard error: the host's own failures, and the short, rate-limited
    // reports of what peers sent that could not be handled.
    const auto toStderr = [](const QString& text) {
        QString line = text;
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
        std::fflush(stderr);
    };
    zb::setErrorReporter(toStderr);
    zb::setPeerReporter(toStderr);
    zb::SignalWatcher stopOnSignal({SIGINT, SIGTERM, SIGHUP},
                                   [](int) { QCoreApplication::quit(); });

    zb::rules::Random random(options->seed);
    const int botSpeed = options->botSpeed;
    // No slot is kept for an own table here (TServer::setSlotOneReserved stays off): whoever
    // connects first gets slot 1 and the hosting player's rights.
    zb::TServer server([botSpeed] { return botSpeed; }, random);
    const zb::strategy::BotSkill skill = options->botSkill;
    server.setBotSkill([skill] { return skill; });
    if (skill == zb::strategy::BotSkill::Expert) {
        // Built in the background from the start, so that the first games already find them.
        zb::strategy::SharedTables::prepare(zb::strategy::GameKind::Regular);
        zb::strategy::SharedTables::prepare(zb::strategy::GameKind::BonusDice);
    }
    server.setPortName(QString::number(options->port));
    try {
        server.setListening(true);
    } catch (const zb::ZbError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("listening on port %u\n", static_cast<unsigned>(server.port()));
    std::fflush(stdout);
    return app.exec();
}
