// Arbitrary bytes from a hostile host, framed and dispatched into a real table window on the
// offscreen platform: every handler runs on whatever the bytes hold. Nothing may crash, trip a
// sanitizer, or take unbounded time (the receive queue holds at most Session::kMaxQueued).

#include "net/guard.h"
#include "rules/random.h"
#include "shell/dialogs.h"
#include "shell/soundplayer.h"
#include "table/core/session.h"
#include "table/tchat.h"
#include "table/tgamestartform.h"
#include "table/tspylist.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Boxes that never open: a fuzzed host may ask for any number of them.
class NoDialogs final : public zb::Dialogs {
public:
    void information(QWidget*, const QString&, const QString&, std::function<void()>) override {}
    void question(QWidget*, const QString&, const QString&, std::function<void(bool)>) override {}
};

struct World {
    World() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "fuzz_table";
        static char* argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
        zb::setErrorReporter([](const QString&) {});
    }
    QApplication* app = nullptr;
    QTemporaryDir settings;
    NoDialogs dialogs;
    zb::SilentSoundPlayer sounds;
    zb::rules::Random random;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static World world;
    zb::TableOptions o;
    // A joining table that is never shown, so it connects nowhere.
    o.args = {QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")};
    o.settingsFolder = world.settings.path();
    o.dialogs = &world.dialogs;
    o.soundPlayer = &world.sounds;
    zb::Tchat table(o, world.random);
    zb::Tgamestartform gamestart;
    zb::Tspylist spylist;
    table.attachWindows(&gamestart, &spylist);

    zb::Session& session = table.session();
    session.receive(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    while (session.queued() > 0)
        zb::guarded([&] { session.processsocktimer(); });
    // The table's own clicks on whatever state the host left behind.
    zb::guarded([&] { table.core().roll(); });
    for (int c = 0; c <= 13; ++c)
        zb::guarded([&] { table.core().chooseCategory(c); });
    for (int d = 0; d <= 6; ++d)
        zb::guarded([&] { table.core().toggleDie(d); });
    zb::guarded([&] { table.core().answerZero(true); });
    return 0;
}
