// Fuzzes the host: arbitrary bytes from arbitrary connections through the framing, the queue, the
// dispatcher and the game, with connections coming and going and game timers ticking whenever
// the input says. The host must neither crash nor trip a sanitizer, must send nothing longer
// than the framing limit, must report peers' input only on the quiet channel, and must still
// welcome a newcomer afterwards.
//
// Input is a script of operations, each one byte followed by its operands:
//   0        a connection arrives                1 s      connection s (0..10) leaves
//   2 s n .. n raw bytes from connection s       3 k      k dispatcher ticks
//   4        every running game timer ticks      5 s i x  a well-formed request i from slot s
//   6 s i x k  request i from slot s with k * 520 filler bytes before its terminator: long names
//              and chat lines, malformed numbers, and messages at and past the framing limit

#include "host/tserver.h"
#include "net/guard.h"
#include "net/peerreports.h"
#include "rules/random.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "fuzz_host";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

QByteArray request(int slot, int which, int x) {
    const QByteArray s = QByteArray::number(slot);
    const QByteArray n = QByteArray::number(x % 14 - 1); // -1..12: in and out of range
    static const char* const forms[] = {"CMD_logininfo+%1+1.0.4+name%2",
                                        "CMD_startgame+%1+t+false",
                                        "CMD_startgame+%1+f+true",
                                        "CMD_rolldice+%1",
                                        "CMD_setdice+%1+%2",
                                        "CMD_unsetdice+%1+%2",
                                        "CMD_setscore+%1+%2",
                                        "CMD_justwatch+%2+1",
                                        "CMD_justwatch+%2+2",
                                        "CMD_kickhim+%1+%2+",
                                        "CMD_chat+%1+hi|clRed",
                                        "CMD_action+%1+waves|$FF",
                                        "CMD_playasound+%1+wave%2+",
                                        "CMD_logininfo+%1+1.0.3+"};
    constexpr int count = sizeof forms / sizeof forms[0];
    QByteArray m = forms[static_cast<unsigned>(which) % count];
    m.replace("%1", s).replace("%2", n);
    return m + '\xFF';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    app();
    static const bool quiet = [] {
        // What peers send is reported on the quiet channel alone; nothing of it may reach the
        // general error report, whose message box is for the player's own failures.
        zb::setErrorReporter([](const QString& text) {
            std::fprintf(stderr, "peer input reached the error report: %s\n",
                         text.toUtf8().constData());
            std::abort();
        });
        zb::setPeerReporter([](const QString& line) {
            if (line.size() > zb::kMaxReportLineChars + 3)
                std::abort();
        });
        return true;
    }();
    (void)quiet;

    zb::rules::Random rng(12345);
    zb::TServer server([] { return 1; }, rng);
    QByteArray lastWelcome;
    server.setOutputTap([&](int, const QByteArray& m) {
        // Nothing the host sends may be longer than a table takes.
        if (m.size() - 1 > zb::proto::kMaxPending)
            std::abort();
        if (m.startsWith("CMD_newplayerinfo+"))
            lastWelcome = m;
    });

    std::size_t i = 0;
    auto byte = [&]() -> int { return i < size ? data[i++] : 0; };
    while (i < size) {
        switch (byte() % 7) {
        case 0:
            server.attachLocal();
            break;
        case 1:
            server.detachLocal(byte() % 11);
            break;
        case 2: {
            const int slot = byte() % 11;
            const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(byte()), size - i);
            server.feed(slot, QByteArrayView(reinterpret_cast<const char*>(data + i),
                                             static_cast<qsizetype>(n)));
            i += n;
            break;
        }
        case 3:
            for (int k = byte() % 32; k > 0; --k)
                server.dispatchOne();
            break;
        case 4:
            server.runGameTimersNow();
            break;
        case 5: {
            const int slot = byte() % 11;
            const int which = byte();
            server.feed(slot, request(slot, which, byte()));
            break;
        }
        case 6: {
            const int slot = byte() % 11;
            const int which = byte();
            const QByteArray m = request(slot, which, byte());
            server.feed(slot, m.chopped(1) + QByteArray(byte() * 520, 'x') + '\xFF');
            break;
        }
        }
    }
    while (server.dispatchOne()) {
    }

    // Still answering: a newcomer gets its welcome.
    int probe = server.attachLocal();
    if (probe == 0) {
        server.detachLocal(9);
        probe = server.attachLocal();
    }
    const QByteArray s = QByteArray::number(probe);
    server.feed(probe, "CMD_logininfo+" + s + "+1.0.4+probe\xFF\xFF");
    while (server.dispatchOne()) {
    }
    if (probe == 0 || lastWelcome != "CMD_newplayerinfo+" + s + "+probe\xFF") {
        std::fprintf(stderr, "host did not welcome a newcomer (slot %d)\n", probe);
        std::abort();
    }
    return 0;
}
