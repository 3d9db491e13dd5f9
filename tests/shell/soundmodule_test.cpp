// The sound module: found beside the program or in its install folder, read in on a thread of
// its own, once; a sound asked for while it loads plays when it is in; without it (missing, not
// a module, no entry point) everything stays silent and nothing breaks.

#include "shell/soundeffectplayer.h"
#include "shell/soundmodule.h"

#include "support/wait.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using State = zb::SoundModule::State;
using zb::SoundEffectPlayer;
using zbtest::waitFor;

QString builtModuleFile() {
    return QCoreApplication::applicationDirPath() + "/../src/zorbinet-sound.so";
}

bool settled(const zb::SoundModule& module) {
    return waitFor(
        [&] { return module.state() == State::Ready || module.state() == State::Failed; });
}

// A shared library of the system that is no sound module: the zlib this process runs with.
QString someOtherLibrary() {
    QFile maps("/proc/self/maps");
    if (!maps.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const qsizetype at = line.indexOf('/');
        if (at >= 0 && line.contains("/libz.so"))
            return QString::fromLocal8Bit(line.mid(at));
    }
    return {};
}

TEST(SoundModule, IsLookedForBesideTheProgramThenInItsInstallFolder) {
    EXPECT_EQ(zb::SoundModule::defaultFiles("/opt/z/bin"),
              QStringList({"/opt/z/bin/zorbinet-sound.so",
                           "/opt/z/bin/../lib/zorbinet/zorbinet-sound.so"}));
}

TEST(SoundModule, TheBuiltModuleLoadsOnceAndMakesChannels) {
    zb::SoundModule module({"/nonexistent/zorbinet-sound.so", builtModuleFile()});
    EXPECT_EQ(module.state(), State::Idle);
    EXPECT_EQ(module.makeChannel(), nullptr) << "nothing before it is in";
    QSignalSpy finished(&module, &zb::SoundModule::finished);
    module.load();
    EXPECT_EQ(module.state(), State::Loading) << "loaded on a thread, not in load()";
    module.load(); // a second request while loading starts nothing more
    ASSERT_TRUE(settled(module));
    EXPECT_EQ(module.state(), State::Ready) << module.error().toStdString();
    EXPECT_TRUE(module.error().isEmpty());
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toBool(), true);
    auto one = module.makeChannel();
    auto two = module.makeChannel();
    ASSERT_NE(one, nullptr);
    ASSERT_NE(two, nullptr);
    EXPECT_NE(one.get(), two.get());
    module.load(); // loaded already: nothing happens
    zbtest::pump(std::chrono::milliseconds(20));
    EXPECT_EQ(finished.count(), 1);
}

TEST(SoundModule, TheFilesCanChangeOnlyWhileNothingIsLoadedOrLoading) {
    zb::SoundModule module({"/nonexistent/a.so"});
    module.setFiles({builtModuleFile()});
    EXPECT_EQ(module.files(), QStringList({builtModuleFile()}));
    module.load();
    module.setFiles({"/nonexistent/b.so"});
    EXPECT_EQ(module.files(), QStringList({builtModuleFile()}));
    ASSERT_TRUE(settled(module));
    EXPECT_EQ(module.state(), State::Ready);
}

TEST(SoundModule, AMissingModuleFailsQuietlyAndForGood) {
    zb::SoundModule module({"/nonexistent/zorbinet-sound.so"});
    QSignalSpy finished(&module, &zb::SoundModule::finished);
    module.load();
    ASSERT_TRUE(settled(module));
    EXPECT_EQ(module.state(), State::Failed);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toBool(), false);
    EXPECT_EQ(module.makeChannel(), nullptr);
    module.load();
    zbtest::pump(std::chrono::milliseconds(20));
    EXPECT_EQ(module.state(), State::Failed) << "never tried again";
    EXPECT_EQ(finished.count(), 1);
    // Other places to look in make a new attempt.
    module.setFiles({builtModuleFile()});
    EXPECT_EQ(module.state(), State::Idle);
    module.load();
    ASSERT_TRUE(settled(module));
    EXPECT_EQ(module.state(), State::Ready);
    module.setFiles({"/nonexistent/c.so"});
    EXPECT_EQ(module.state(), State::Ready) << "a loaded module stays";
    EXPECT_EQ(module.files(), QStringList({builtModuleFile()}));
}

TEST(SoundModule, AFileThatIsNoLibraryOrHasNoEntryPointFails) {
    QTemporaryDir dir;
    const QString text = dir.filePath("zorbinet-sound.so");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a library\n");
    file.close();
    zb::SoundModule notALibrary({text});
    notALibrary.load();
    ASSERT_TRUE(settled(notALibrary));
    EXPECT_EQ(notALibrary.state(), State::Failed);
    EXPECT_FALSE(notALibrary.error().isEmpty());

    const QString other = someOtherLibrary();
    ASSERT_FALSE(other.isEmpty());
    zb::SoundModule noEntry({other});
    noEntry.load();
    ASSERT_TRUE(settled(noEntry));
    EXPECT_EQ(noEntry.state(), State::Failed);
    EXPECT_EQ(noEntry.error(), "the sound module has no entry point");
}

TEST(SoundModule, ADestroyedModuleWaitsForItsLoad) {
    // Nothing may run on the thread after the object is gone; the destructor waits for it.
    for (int i = 0; i < 5; ++i) {
        auto module = std::make_unique<zb::SoundModule>(QStringList{builtModuleFile()});
        module->load();
        module.reset();
    }
    zbtest::pump(std::chrono::milliseconds(20));
    SUCCEED();
}

TEST(SoundEffectPlayerWithModule, TheLatestSoundAskedForWhileTheModuleLoadsPlaysWhenItIsIn) {
    zb::SoundModule module({builtModuleFile()});
    SoundEffectPlayer player(SoundEffectPlayer::Output::Always, &module);
    EXPECT_FALSE(player.ready());
    player.play(QStringLiteral("turn"));
    player.play(QStringLiteral("dice"));
    EXPECT_EQ(module.state(), State::Loading) << "the first sound starts the load";
    EXPECT_TRUE(player.isLoading());
    EXPECT_TRUE(player.current().isEmpty()) << "nothing starts before the module is in";
    ASSERT_TRUE(waitFor([&] { return player.ready() && !player.current().isEmpty(); }));
    EXPECT_EQ(player.current(), "dice") << "one channel: only the latest";
    EXPECT_TRUE(player.isPlaying("dice"));
    EXPECT_FALSE(player.isPlaying("turn"));
    player.play(QStringLiteral("turn"));
    EXPECT_EQ(player.current(), "turn") << "at once, now that the module is in";
    EXPECT_TRUE(player.isPlaying("turn"));
    EXPECT_TRUE(waitFor([&] { return !player.isLoading(); }));
}

TEST(SoundEffectPlayerWithModule, APlayerMadeAfterTheLoadPlaysAtOnce) {
    zb::SoundModule module({builtModuleFile()});
    module.load();
    ASSERT_TRUE(settled(module));
    SoundEffectPlayer player(SoundEffectPlayer::Output::Always, &module);
    EXPECT_TRUE(player.ready());
    player.play(QStringLiteral("wave5"));
    EXPECT_EQ(player.current(), "wave5");
    EXPECT_TRUE(player.isPlaying("WAVE5"));
    EXPECT_TRUE(waitFor([&] { return !player.isLoading(); }));
}

TEST(SoundEffectPlayerWithModule, WithoutTheModuleEverySoundIsSilentAndHarmless) {
    zb::SoundModule module({"/nonexistent/zorbinet-sound.so"});
    SoundEffectPlayer player(SoundEffectPlayer::Output::Always, &module);
    player.play(QStringLiteral("dice"));
    ASSERT_TRUE(settled(module));
    for (const char* name : {"dice", "turn", "no such sound"})
        player.play(QString::fromLatin1(name));
    EXPECT_FALSE(player.ready());
    EXPECT_FALSE(player.isLoading());
    EXPECT_FALSE(player.hasOutput());
    EXPECT_TRUE(player.current().isEmpty());
    EXPECT_FALSE(player.isPlaying("dice"));
}

TEST(SoundEffectPlayerWithModule, APlayerGoneBeforeTheModuleIsInIsNotCalled) {
    zb::SoundModule module({builtModuleFile()});
    {
        SoundEffectPlayer player(SoundEffectPlayer::Output::Always, &module);
        player.play(QStringLiteral("dice"));
    }
    ASSERT_TRUE(settled(module));
    SoundEffectPlayer later(SoundEffectPlayer::Output::Always, &module);
    EXPECT_TRUE(later.current().isEmpty());
}

} // namespace
