// Arbitrary bytes from a hostile host, framed and dispatched into a table's core: every handler
// runs on whatever the bytes hold, and then the player's intents on whatever state the host left
// behind. Nothing may crash, trip a sanitizer, or take unbounded time (the receive queue holds at
// most Session::kMaxQueued messages). The window only draws what the core holds, so the core is
// where hostile input is decided on.

#include "net/guard.h"
#include "table/core/session.h"
#include "table/core/tablecore.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

namespace {

struct World {
    World() {
        static int argc = 1;
        static char name[] = "fuzz_table";
        static char* argv[] = {name, nullptr};
        app = new QCoreApplication(argc, argv);
        zb::setErrorReporter([](const QString&) {});
    }
    QCoreApplication* app = nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static World world;
    zb::TableCore core;
    qsizetype sentBytes = 0;
    core.setSend([&](const QByteArray& m) { sentBytes += m.size(); });
    // The first byte picks the table's switches, so both answers to the zero question are met.
    const std::uint8_t switches = size > 0 ? data[0] : 0;
    core.setDoubleCheck(switches & 1);
    core.setPlayer(QStringLiteral("Ann"), switches & 2);

    zb::Session& session = core.session();
    zb::guarded([&] {
        core.receive(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    });
    while (session.queued() > 0)
        zb::guarded([&] { session.processsocktimer(); });
    core.connectionClosed();

    // The player's intents on what the host left.
    zb::guarded([&] { core.roll(); });
    for (int c = 0; c <= 13; ++c)
        zb::guarded([&] { core.chooseCategory(c); });
    for (int d = 0; d <= 6; ++d)
        zb::guarded([&] { core.toggleDie(d); });
    zb::guarded([&] { core.answerZero(switches & 4); });
    zb::guarded([&] {
        core.beginStartChoice();
        core.cancelStartChoice();
        core.startGame({bool(switches & 8), bool(switches & 16)});
        core.toggleJustWatch();
        for (int seat = 0; seat <= 5; ++seat) {
            core.setSeatWatching(seat, seat & 1);
            core.removePlayer(seat);
        }
        core.sendChatLine(QStringLiteral("/me waves"), QStringLiteral("clRed"));
        core.sendPhrase(QStringLiteral("Nice!"), QStringLiteral("clRed"));
        for (int wave = 0; wave <= 21; ++wave)
            core.sendChatterSound(wave);
        core.reportBotSpeed(500);
    });
    // What the table holds stays within its bounds, whatever the host sent.
    if (core.spectators().size() > 5 || core.rolls() < 0 || core.rolls() > 3)
        __builtin_trap();
    return 0;
}
