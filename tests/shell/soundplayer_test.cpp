// The compiled-in recordings and the QSoundEffect player: every sound exists and is a WAVE file
// any player takes; the player keeps one channel and stays silent and quiet without audio. The
// player's channel comes from the sound module that this build made (build/src, beside the
// tests' folder); see soundmodule_test.cpp for the module itself.

#include "shell/soundeffectplayer.h"
#include "shell/soundmessagefilter.h"
#include "shell/soundmodule.h"
#include "shell/soundnames.h"

#include "support/wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>
#include <optional>

namespace {

// The program's module, pointed at the one this build made, and read in.
zb::SoundModule& builtModule() {
    zb::SoundModule& module = zb::SoundModule::process();
    module.setFiles({QCoreApplication::applicationDirPath() + "/../src/zorbinet-sound.so"});
    module.load();
    EXPECT_TRUE(zbtest::waitFor([&] { return module.state() != zb::SoundModule::State::Loading; }));
    EXPECT_EQ(module.state(), zb::SoundModule::State::Ready) << module.error().toStdString();
    return module;
}

struct WaveInfo {
    quint16 format = 0;
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint32 byteRate = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
    quint32 dataBytes = 0;
};

// Walks the RIFF chunks itself, so a file that only some decoders accept fails here.
std::optional<WaveInfo> parseWave(const QByteArray& bytes, std::string& why) {
    auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        why = "no RIFF/WAVE header";
        return std::nullopt;
    }
    if (u32(4) != quint32(bytes.size() - 8)) {
        why = "RIFF size does not match the file";
        return std::nullopt;
    }
    WaveInfo info;
    bool haveFormat = false;
    bool haveData = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = u32(at + 4);
        const qsizetype body = at + 8;
        if (body + qsizetype(size) > bytes.size()) {
            why = "chunk " + id.toStdString() + " runs past the end";
            return std::nullopt;
        }
        if (id == "fmt ") {
            if (size < 16) {
                why = "short fmt chunk";
                return std::nullopt;
            }
            info.format = u16(body);
            info.channels = u16(body + 2);
            info.sampleRate = u32(body + 4);
            info.byteRate = u32(body + 8);
            info.blockAlign = u16(body + 12);
            info.bitsPerSample = u16(body + 14);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) {
                why = "data before fmt";
                return std::nullopt;
            }
            info.dataBytes = size;
            haveData = true;
        }
        at = body + size + (size & 1); // chunks are padded to even sizes
    }
    if (!haveFormat || !haveData) {
        why = "fmt or data chunk missing";
        return std::nullopt;
    }
    return info;
}

TEST(SoundResources, EveryRecordingIsAShortMonoPcmWave) {
    for (const QString& name : zb::sound::names()) {
        SCOPED_TRACE(name.toStdString());
        QFile file(zb::sound::resourcePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "missing resource";
        std::string why;
        const auto info = parseWave(file.readAll(), why);
        ASSERT_TRUE(info.has_value()) << why;
        EXPECT_EQ(info->format, 1) << "PCM";
        EXPECT_EQ(info->channels, 1) << "mono";
        EXPECT_GT(info->sampleRate, 0u);
        EXPECT_LE(info->sampleRate, 22050u);
        EXPECT_EQ(info->bitsPerSample, 16);
        EXPECT_EQ(info->blockAlign, info->channels * info->bitsPerSample / 8);
        EXPECT_EQ(info->byteRate, info->sampleRate * info->blockAlign);
        EXPECT_GT(info->dataBytes, 0u);
        EXPECT_EQ(info->dataBytes % info->blockAlign, 0u);
        const double seconds = double(info->dataBytes) / info->byteRate;
        EXPECT_LT(seconds, 2.0);
        EXPECT_GT(seconds, 0.02);
    }
}

TEST(SoundResources, ParserRejectsBrokenFiles) {
    std::string why;
    EXPECT_FALSE(parseWave("RIFX", why));
    QByteArray truncated = "RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00";
    EXPECT_FALSE(parseWave(truncated, why));
    QFile file(zb::sound::resourcePath(QStringLiteral("dice")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    EXPECT_TRUE(parseWave(bytes, why)) << why;
    bytes.chop(10);
    EXPECT_FALSE(parseWave(bytes, why));
}

// Captures what reaches the handler behind the audio filter.
QStringList captured;
void capture(QtMsgType, const QMessageLogContext&, const QString& message) {
    captured.append(message);
}

class CapturedMessages : public ::testing::Test {
protected:
    void SetUp() override {
        captured.clear();
        previous_ = qInstallMessageHandler(capture);
        zb::installAudioMessageFilter(); // now in front of capture
    }
    void TearDown() override {
        // Back to the process's default handler with the filter in front, as the game runs.
        qInstallMessageHandler(nullptr);
        zb::installAudioMessageFilter();
    }
    QtMessageHandler previous_ = nullptr;
};

TEST_F(CapturedMessages, FilterDropsOnlyTheMissingAudioComplaints) {
    qWarning("PulseAudioService: pa_context_connect() failed");
    qWarning("No audio device detected");
    qWarning("Something else went wrong");
    qDebug("No audio device detected? Not this way round");
    EXPECT_EQ(captured, (QStringList{"Something else went wrong",
                                     "No audio device detected? Not this way round"}));
}

TEST(AudioMessageFilter, RecognisesTheBackEndsComplaints) {
    EXPECT_TRUE(zb::isMissingAudioMessage(
        QtWarningMsg, QStringLiteral("PulseAudioService: pa_context_connect() failed")));
    EXPECT_TRUE(
        zb::isMissingAudioMessage(QtWarningMsg, QStringLiteral("No audio device detected")));
    EXPECT_FALSE(
        zb::isMissingAudioMessage(QtCriticalMsg, QStringLiteral("No audio device detected")));
    EXPECT_FALSE(zb::isMissingAudioMessage(QtWarningMsg, QStringLiteral("audio device detected")));
    EXPECT_FALSE(zb::isMissingAudioMessage(QtWarningMsg, QString()));
}

TEST_F(CapturedMessages, PlayingWithoutAnAudioDeviceSaysNothing) {
    builtModule();
    zb::SoundEffectPlayer player(zb::SoundEffectPlayer::Output::Always);
    zb::SoundEffectPlayer automatic;
    for (const QString& name : zb::sound::names()) {
        player.play(name);
        automatic.play(name);
    }
    player.play(QStringLiteral("no such sound"));
    ASSERT_TRUE(zbtest::waitFor([&] { return !player.isLoading(); }));
    zbtest::pump(std::chrono::milliseconds(100)); // anything the back end prints late
    EXPECT_TRUE(captured.isEmpty()) << captured.join(u'\n').toStdString();
}

TEST(SoundEffectPlayer, StartingASoundStopsThePreviousOne) {
    builtModule();
    zb::SoundEffectPlayer player(zb::SoundEffectPlayer::Output::Always);
    player.play(QStringLiteral("turn"));
    EXPECT_EQ(player.current(), QStringLiteral("turn"));
    EXPECT_TRUE(player.isPlaying(QStringLiteral("turn")));
    player.play(QStringLiteral("DICE"));
    EXPECT_EQ(player.current(), QStringLiteral("DICE"));
    EXPECT_FALSE(player.isPlaying(QStringLiteral("turn")));
    EXPECT_TRUE(player.isPlaying(QStringLiteral("dice")));
    player.play(QStringLiteral("dice"));
    EXPECT_TRUE(player.isPlaying(QStringLiteral("dice")));
    player.play(QStringLiteral("unknown"));
    EXPECT_FALSE(player.isPlaying(QStringLiteral("dice")));
    EXPECT_FALSE(player.isPlaying(QStringLiteral("unknown")));
    // Decoding runs on a thread of Qt's; it must not outlive the application object.
    EXPECT_TRUE(zbtest::waitFor([&] { return !player.isLoading(); }));
}

TEST(SoundEffectPlayer, WithoutAnOutputNothingIsStarted) {
    builtModule();
    zb::SoundEffectPlayer player;
    player.play(QStringLiteral("turn"));
    if (!player.hasOutput()) {
        EXPECT_TRUE(player.current().isEmpty());
        EXPECT_FALSE(player.isPlaying(QStringLiteral("turn")));
    } else {
        EXPECT_EQ(player.current(), QStringLiteral("turn"));
    }
}

TEST(SoundEffectPlayer, PlayReturnsAtOnce) {
    builtModule();
    zb::SoundEffectPlayer player(zb::SoundEffectPlayer::Output::Always);
    zb::SoundEffectPlayer automatic; // asks for the audio outputs at every sound
    QElapsedTimer clock;
    clock.start();
    const QStringList names{"dice", "dice2", "turn", "wave5", "nonsense"};
    for (int i = 0; i < 100; ++i) {
        const QString& name = names[i % names.size()];
        player.play(name);
        automatic.play(name);
    }
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(zbtest::waitFor([&] { return !player.isLoading(); }));
}

} // namespace
