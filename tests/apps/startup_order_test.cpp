// What the player waits for at start-up: the table window is shown before the other windows are
// made and before anything of the sound is in the process; the sound module is read in right
// after, and the icon is there in every size the build compiled in.

#include "support/ports.h"
#include "support/wait.h"

#include "apps/zorbinet/gameapp.h"
#include "shell/soundmodule.h"
#include "table/tchat.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using zbtest::waitFor;

// Whether a shared library whose file name contains the text is mapped into this process.
bool inProcess(const char* library) {
    QFile maps("/proc/self/maps");
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}

// What was there when the table window was first shown.
class FirstShow : public QObject {
public:
    bool seen = false;
    bool multimedia = false;
    bool pulse = false;
    bool soundIdle = false;
    QStringList otherWindows;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* w = qobject_cast<QWidget*>(watched);
        if (!seen && event->type() == QEvent::Show && w && w->isWindow() &&
            w->windowTitle() == "Zorbinet") {
            seen = true;
            multimedia = inProcess("libQt6Multimedia");
            pulse = inProcess("libpulse");
            soundIdle = zb::SoundModule::process().state() == zb::SoundModule::State::Idle;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (top != w && !top->windowTitle().isEmpty())
                    otherWindows << top->windowTitle();
            }
        }
        return false;
    }
};

TEST(StartupOrder, TheTableWindowIsShownFirstAndSoundIsReadInAfterIt) {
    ASSERT_FALSE(inProcess("libQt6Multimedia")) << "nothing linked into the program needs it";
    zb::SoundModule& sound = zb::SoundModule::process();
    sound.setFiles({QCoreApplication::applicationDirPath() + "/../src/zorbinet-sound.so"});
    FirstShow first;
    qApp->installEventFilter(&first);
    QTemporaryDir folder;
    zb::TableOptions o;
    o.settingsFolder = folder.path();
    o.gamePort = QStringLiteral("0");
    o.lobbyPort = zbtest::refusingPort();
    zb::GameApp app(o);
    app.start();
    qApp->removeEventFilter(&first);

    ASSERT_TRUE(first.seen);
    EXPECT_FALSE(first.multimedia) << "Qt Multimedia was in before the table window";
    EXPECT_FALSE(first.pulse) << "PulseAudio was in before the table window";
    EXPECT_TRUE(first.soundIdle) << "the sound module was asked for before the table window";
    EXPECT_EQ(first.otherWindows, QStringList()) << "made before the table window was shown";
    EXPECT_EQ(app.windows().size(), 8) << "and all made once it was";
    EXPECT_TRUE(app.windows().last()->isVisible()) << "the solo start offers the download";

    ASSERT_TRUE(waitFor([&] { return sound.state() != zb::SoundModule::State::Loading; }));
    EXPECT_EQ(sound.state(), zb::SoundModule::State::Ready) << sound.error().toStdString();
    EXPECT_TRUE(inProcess("libQt6Multimedia")) << "read in once the window was up";
}

TEST(StartupOrder, TheIconHoldsEverySizeTheBuildCompiledIn) {
    const QList<QSize> sizes = zb::windowIcon().availableSizes();
    for (int n : {16, 22, 24, 32, 48, 64, 128, 256, 512})
        EXPECT_TRUE(sizes.contains(QSize(n, n))) << n;
}

} // namespace
