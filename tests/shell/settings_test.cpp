// Reading and writing the section "Zorbinet" of quonlobby.ini: defaults, chained defaults,
// odd values, the order of a full write, and what may be written before the first read.

#include "support/isolation.h"

#include "shell/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using zb::Settings;
using Key = zb::Settings::Key;

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() : settings_(dir_.path()) {}

    void writeFile(const QByteArray& bytes) {
        QFile f(settings_.filePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readFile() const {
        QFile f(settings_.filePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Loads a fresh Settings from a section holding the given lines.
    const zb::Preferences& loadSection(const QByteArray& lines) {
        writeFile("[Zorbinet]\n" + lines);
        settings_ = Settings(dir_.path());
        settings_.load();
        return settings_.prefs();
    }

    QTemporaryDir dir_;
    Settings settings_;
};

TEST_F(SettingsTest, FileLivesInTheGivenFolder) {
    EXPECT_EQ(settings_.folder(), dir_.path());
    EXPECT_EQ(settings_.filePath(), QDir(dir_.path()).filePath(QStringLiteral("quonlobby.ini")));
}

TEST_F(SettingsTest, InitialPreferencesAreTheWindowsBeforeAnyRead) {
    const auto& p = settings_.prefs();
    EXPECT_FALSE(settings_.isLoaded());
    EXPECT_TRUE(p.playSounds);
    EXPECT_EQ(p.turnSound, 0);
    EXPECT_FALSE(p.chatterSounds);
    EXPECT_FALSE(p.doubleCheck);
    EXPECT_EQ(p.botSpeed, 750);
    EXPECT_EQ(p.textSize, 10);
    EXPECT_EQ(p.textColor.toLower(), QStringLiteral("clblack"));
}

TEST_F(SettingsTest, MissingFileReadsAllDefaults) {
    settings_.load();
    const auto& p = settings_.prefs();
    EXPECT_TRUE(settings_.isLoaded());
    EXPECT_EQ(p.bounds, QRect(3, 3, 783, 512));
    EXPECT_EQ(p.textSize, 8);
    EXPECT_EQ(p.textColor, QStringLiteral("clblack"));
    EXPECT_EQ(p.botSpeed, 1000);
    // The chained defaults make every switch on, unlike the window's initial state.
    EXPECT_TRUE(p.playSounds);
    EXPECT_TRUE(p.doubleCheck);
    EXPECT_TRUE(p.chatterSounds);
    EXPECT_EQ(p.turnSound, 0);
    for (int n = 1; n <= zb::Preferences::kPhraseKeys; ++n)
        EXPECT_TRUE(p.phrases[n].isEmpty()) << n;
    EXPECT_FALSE(QFile::exists(settings_.filePath())) << "reading never creates the file";
}

TEST_F(SettingsTest, PlaysoundsFalseAloneAlsoTurnsDoubleCheckOff) {
    const auto& p = loadSection("Playsounds=false\n");
    EXPECT_FALSE(p.playSounds);
    EXPECT_FALSE(p.doubleCheck);
    EXPECT_TRUE(p.chatterSounds);
}

TEST_F(SettingsTest, DefaultsChainFromBotspeedThroughPlaysoundsToDoublecheck) {
    // A Botspeed text of "false" is no speed (Normal) but still the Playsounds default.
    auto p = loadSection("Botspeed=false\n");
    EXPECT_EQ(p.botSpeed, 1000);
    EXPECT_FALSE(p.playSounds);
    EXPECT_FALSE(p.doubleCheck);

    p = loadSection("Botspeed=false\nPlaysounds=true\n");
    EXPECT_TRUE(p.playSounds);
    EXPECT_TRUE(p.doubleCheck);

    p = loadSection("Playsounds=false\nDoublecheck=true\n");
    EXPECT_FALSE(p.playSounds);
    EXPECT_TRUE(p.doubleCheck);

    // A present but empty value is not absent: it is "anything else", so on.
    p = loadSection("Botspeed=false\nPlaysounds=\n");
    EXPECT_TRUE(p.playSounds);
    EXPECT_TRUE(p.doubleCheck);
}

TEST_F(SettingsTest, SwitchesAreOffOnlyForExactlyFalse) {
    const auto& p = loadSection("Playsounds=False\nDoublecheck=FALSE\nChatterSounds=no\n");
    EXPECT_TRUE(p.playSounds);
    EXPECT_TRUE(p.doubleCheck);
    EXPECT_TRUE(p.chatterSounds);
    EXPECT_FALSE(loadSection("ChatterSounds=false\n").chatterSounds);
}

TEST_F(SettingsTest, BotSpeedReadsOnlyTheThreeMenuSpeeds) {
    EXPECT_EQ(loadSection("Botspeed=750\n").botSpeed, 1000);
    EXPECT_EQ(loadSection("Botspeed=500\n").botSpeed, 500);
    EXPECT_EQ(loadSection("Botspeed=1500\n").botSpeed, 1500);
    EXPECT_EQ(loadSection("Botspeed=1000\n").botSpeed, 1000);
    EXPECT_EQ(loadSection("Botspeed=fast\n").botSpeed, 1000);
    EXPECT_EQ(loadSection("Botspeed=-500\n").botSpeed, 1000);
    EXPECT_EQ(loadSection("Botspeed=\n").botSpeed, 1000);
}

TEST_F(SettingsTest, TurnsoundOneSelectsNewAnythingElseClassic) {
    EXPECT_EQ(loadSection("Turnsound=1\n").turnSound, 1);
    EXPECT_EQ(loadSection("Turnsound=0\n").turnSound, 0);
    EXPECT_EQ(loadSection("Turnsound=2\n").turnSound, 0);
    EXPECT_EQ(loadSection("Turnsound=01\n").turnSound, 0);
    EXPECT_EQ(loadSection("Turnsound=true\n").turnSound, 0);
}

TEST_F(SettingsTest, TextSizeWithoutMenuEntryIsKeptAndWrittenBack) {
    const auto& p = loadSection("Textsize=11\n");
    EXPECT_EQ(p.textSize, 11);
    EXPECT_FALSE(Settings::isMenuTextSize(11));
    EXPECT_TRUE(Settings::isMenuTextSize(8));
    EXPECT_TRUE(Settings::isMenuTextSize(14));
    ASSERT_TRUE(settings_.saveAll());
    EXPECT_TRUE(readFile().startsWith("[Zorbinet]\nTextsize=11\n"));
}

TEST_F(SettingsTest, UnreadableNumbersReadAsTheirDefaults) {
    const auto& p = loadSection("Top=abc\nLeft=12\nWidth=\nHeight=1e3\nTextsize=big\n");
    EXPECT_EQ(p.bounds, QRect(12, 3, 783, 512));
    EXPECT_EQ(p.textSize, 8);
    // Sizes no font can take read as the default as well.
    EXPECT_EQ(loadSection("Textsize=0\n").textSize, 8);
    EXPECT_EQ(loadSection("Textsize=-4\n").textSize, 8);
    EXPECT_EQ(loadSection("Textsize=100000\n").textSize, 8);
    EXPECT_EQ(loadSection("Textsize=72\n").textSize, 72);
}

TEST_F(SettingsTest, BoundsAndColourAreRead) {
    const auto& p = loadSection("Top=40\nLeft=-20\nWidth=900\nHeight=600\nTextcolor=$00FF0000\n");
    EXPECT_EQ(p.bounds, QRect(-20, 40, 900, 600));
    EXPECT_EQ(p.textColor, QStringLiteral("$00FF0000"));
}

TEST_F(SettingsTest, EmptyColourReadsAsBlackAndIsWrittenBack) {
    EXPECT_EQ(loadSection("Textcolor=\n").textColor, QStringLiteral("clblack"));
    ASSERT_TRUE(settings_.saveAll());
    EXPECT_TRUE(readFile().startsWith("[Zorbinet]\nTextcolor=clblack\n"));
}

TEST_F(SettingsTest, ActioncolorIsIgnoredAndNeverWritten) {
    auto p = loadSection("Textcolor=clRed\nActioncolor=clBlue\n");
    EXPECT_EQ(p.textColor, QStringLiteral("clRed"));
    p = loadSection("Actioncolor=clBlue\n");
    EXPECT_EQ(p.textColor, QStringLiteral("clblack"));
    ASSERT_TRUE(settings_.saveAll());
    const QByteArray after = readFile();
    EXPECT_EQ(after.count("Actioncolor"), 1);
    EXPECT_TRUE(after.contains("Actioncolor=clBlue\n"));
}

TEST_F(SettingsTest, PhrasesAreReadEmptyOnesMeaningKeepTheButton) {
    const auto& p = loadSection("Phrase1=Way To Go!\nPhrase3=\nphrase9=Good = Game\nPhrase10=no\n" +
                                QByteArray("Phrase2=") + QByteArray(80, 'x') + "\n");
    EXPECT_EQ(p.phrases[1], QStringLiteral("Way To Go!"));
    EXPECT_TRUE(p.phrases[3].isEmpty());
    EXPECT_TRUE(p.phrases[4].isEmpty());
    EXPECT_EQ(p.phrases[9], QStringLiteral("Good = Game"));
    EXPECT_EQ(p.phrases[2], QString(50, u'x')) << "a phrase holds up to 50 characters";
}

TEST_F(SettingsTest, KeysMatchInAnyCase) {
    const auto& p = loadSection("PLAYSOUNDS=false\nturnSOUND=1\nbotspeed=1500\nTEXTSIZE=12\n");
    EXPECT_FALSE(p.playSounds);
    EXPECT_EQ(p.turnSound, 1);
    EXPECT_EQ(p.botSpeed, 1500);
    EXPECT_EQ(p.textSize, 12);
}

TEST_F(SettingsTest, FullWriteStoresEveryKeyInItsOrder) {
    settings_.load();
    auto& p = settings_.prefs();
    p.bounds = QRect(10, 20, 800, 600);
    p.textSize = 12;
    p.textColor = QStringLiteral("clNavy");
    p.botSpeed = 500;
    p.playSounds = false;
    p.doubleCheck = true;
    p.turnSound = 1;
    p.chatterSounds = false;
    ASSERT_TRUE(settings_.saveAll());
    EXPECT_EQ(readFile(), QByteArray("[Zorbinet]\n"
                                     "Textsize=12\n"
                                     "Textcolor=clNavy\n"
                                     "Botspeed=500\n"
                                     "Top=20\n"
                                     "Left=10\n"
                                     "Width=800\n"
                                     "Height=600\n"
                                     "Playsounds=false\n"
                                     "Doublecheck=true\n"
                                     "Turnsound=1\n"
                                     "ChatterSounds=false\n"));

    Settings again(dir_.path());
    again.load();
    EXPECT_EQ(again.prefs().bounds, p.bounds);
    EXPECT_EQ(again.prefs().textSize, 12);
    EXPECT_EQ(again.prefs().textColor, QStringLiteral("clNavy"));
    EXPECT_EQ(again.prefs().botSpeed, 500);
    EXPECT_FALSE(again.prefs().playSounds);
    EXPECT_TRUE(again.prefs().doubleCheck);
    EXPECT_EQ(again.prefs().turnSound, 1);
    EXPECT_FALSE(again.prefs().chatterSounds);
}

TEST_F(SettingsTest, ColourWithoutTextIsSkipped) {
    settings_.load();
    settings_.prefs().textColor.clear();
    ASSERT_TRUE(settings_.saveAll());
    EXPECT_FALSE(readFile().contains("Textcolor"));
    EXPECT_TRUE(settings_.saveKey(Key::Textcolor));
    EXPECT_FALSE(readFile().contains("Textcolor"));
}

TEST_F(SettingsTest, FullWriteKeepsTheLobbysLinesAndReplacesValuesInPlace) {
    const QByteArray before = "[Lobby]\r\n"
                              "Nick=Ann\r\n"
                              "\r\n"
                              "[ZORBINET]\r\n"
                              "; written by hand\r\n"
                              "playsounds=false\r\n"
                              "LobbyURL=http://example.org/setup.exe\r\n"
                              "Phrase1=Hi\r\n"
                              "\r\n"
                              "[Tail]\r\n"
                              "Top=99\r\n";
    writeFile(before);
    settings_.load();
    settings_.prefs().playSounds = true;
    ASSERT_TRUE(settings_.saveAll());
    EXPECT_EQ(readFile(), QByteArray("[Lobby]\r\n"
                                     "Nick=Ann\r\n"
                                     "\r\n"
                                     "[ZORBINET]\r\n"
                                     "; written by hand\r\n"
                                     "playsounds=true\r\n"
                                     "LobbyURL=http://example.org/setup.exe\r\n"
                                     "Phrase1=Hi\r\n"
                                     "Textsize=8\r\n"
                                     "Textcolor=clblack\r\n"
                                     "Botspeed=1000\r\n"
                                     "Top=3\r\n"
                                     "Left=3\r\n"
                                     "Width=783\r\n"
                                     "Height=512\r\n"
                                     "Doublecheck=false\r\n"
                                     "Turnsound=0\r\n"
                                     "ChatterSounds=true\r\n"
                                     "\r\n"
                                     "[Tail]\r\n"
                                     "Top=99\r\n"));
}

TEST_F(SettingsTest, BeforeTheFirstReadOnlyTheChangedKeyIsWritten) {
    writeFile("[Zorbinet]\nTextsize=14\nBotspeed=1500\nChatterSounds=true\n");
    // The window's initial state must not overwrite the stored preferences.
    EXPECT_FALSE(settings_.saveAll());
    EXPECT_EQ(readFile(),
              QByteArray("[Zorbinet]\nTextsize=14\nBotspeed=1500\nChatterSounds=true\n"));

    settings_.prefs().playSounds = false;
    ASSERT_TRUE(settings_.savePreference(Key::Playsounds));
    EXPECT_EQ(readFile(), QByteArray("[Zorbinet]\nTextsize=14\nBotspeed=1500\nChatterSounds=true\n"
                                     "Playsounds=false\n"));

    settings_.prefs().botSpeed = 500;
    ASSERT_TRUE(settings_.savePreference(Key::Botspeed));
    EXPECT_EQ(readFile(), QByteArray("[Zorbinet]\nTextsize=14\nBotspeed=500\nChatterSounds=true\n"
                                     "Playsounds=false\n"));
}

TEST_F(SettingsTest, BeforeTheFirstReadNothingIsCreatedByAFullWrite) {
    EXPECT_FALSE(settings_.saveAll());
    EXPECT_FALSE(QFile::exists(settings_.filePath()));
}

TEST_F(SettingsTest, AfterTheFirstReadAChangeStoresEverythingIncludingThePlace) {
    settings_.load();
    settings_.prefs().bounds = QRect(50, 60, 790, 520); // the window was moved
    settings_.prefs().playSounds = false;
    ASSERT_TRUE(settings_.savePreference(Key::Playsounds));
    Settings again(dir_.path());
    again.load();
    EXPECT_EQ(again.prefs().bounds, QRect(50, 60, 790, 520));
    EXPECT_FALSE(again.prefs().playSounds);
}

TEST_F(SettingsTest, EachKeyCanBeWrittenAlone) {
    settings_.prefs().bounds = QRect(1, 2, 3, 4);
    for (const Key key : {Key::Top, Key::Left, Key::Width, Key::Height})
        ASSERT_TRUE(settings_.saveKey(key));
    EXPECT_EQ(readFile(), QByteArray("[Zorbinet]\nTop=2\nLeft=1\nWidth=3\nHeight=4\n"));
    EXPECT_EQ(Settings::keyName(Key::ChatterSounds), QStringLiteral("ChatterSounds"));
    EXPECT_EQ(Settings::keyName(Key::Textsize), QStringLiteral("Textsize"));
}

TEST_F(SettingsTest, TheComputerPlayersAndTheCoachHaveKeysOfTheirOwn) {
    using zb::strategy::BotSkill;
    struct Row {
        const char* lines;
        BotSkill skill;
        bool bestMove;
    };
    for (const Row& r : {Row{"", BotSkill::Classic, false},
                         Row{"BotSkill=expert\nShowBestMove=true\n", BotSkill::Expert, true},
                         Row{"botskill=expert\nshowbestmove=true\n", BotSkill::Expert, true},
                         Row{"BotSkill=Expert\nShowBestMove=True\n", BotSkill::Classic, false},
                         Row{"BotSkill=experts\nShowBestMove=1\n", BotSkill::Classic, false},
                         Row{"BotSkill=classic\n", BotSkill::Classic, false}}) {
        const zb::Preferences& p = loadSection(r.lines);
        EXPECT_EQ(p.botSkill, r.skill) << r.lines;
        EXPECT_EQ(p.showBestMove, r.bestMove) << r.lines;
    }
    // Written alone, whenever they change, and no part of a full write.
    loadSection("");
    settings_.prefs().botSkill = BotSkill::Expert;
    settings_.prefs().showBestMove = true;
    ASSERT_TRUE(settings_.saveAll());
    EXPECT_FALSE(readFile().contains("BotSkill")) << readFile().toStdString();
    EXPECT_FALSE(readFile().contains("ShowBestMove"));
    ASSERT_TRUE(settings_.saveKey(Key::BotSkill));
    ASSERT_TRUE(settings_.saveKey(Key::ShowBestMove));
    EXPECT_TRUE(readFile().endsWith("BotSkill=expert\nShowBestMove=true\n"))
        << readFile().toStdString();
}

TEST_F(SettingsTest, PhraseEditorWritesAllNineKeysEmptyOnesIncluded) {
    writeFile("[Zorbinet]\nPhrase3=Old\nTop=9\n");
    std::array<QString, zb::Preferences::kPhraseKeys + 1> phrases{};
    phrases[1] = QStringLiteral("Way To Go!");
    phrases[9] = QStringLiteral("Nice = roll");
    ASSERT_TRUE(settings_.savePhrases(phrases));
    EXPECT_EQ(readFile(), QByteArray("[Zorbinet]\nPhrase3=\nTop=9\nPhrase1=Way To Go!\nPhrase2=\n"
                                     "Phrase4=\nPhrase5=\nPhrase6=\nPhrase7=\nPhrase8=\n"
                                     "Phrase9=Nice = roll\n"));
    Settings again(dir_.path());
    again.load();
    EXPECT_EQ(again.prefs().phrases[9], QStringLiteral("Nice = roll"));
    EXPECT_TRUE(again.prefs().phrases[3].isEmpty());
}

TEST_F(SettingsTest, LobbyUrlIsReadButNeverWritten) {
    EXPECT_EQ(settings_.lobbyUrl(), QStringLiteral("http://www.quon77.com/lobby/qlbsetup.exe"));
    writeFile("[Zorbinet]\nLOBBYURL = http://example.org/q.exe \n");
    EXPECT_EQ(settings_.lobbyUrl(), QStringLiteral("http://example.org/q.exe"));
    settings_.load();
    ASSERT_TRUE(settings_.saveAll());
    EXPECT_EQ(readFile().toLower().count("lobbyurl"), 1);
    EXPECT_TRUE(readFile().contains("LOBBYURL = http://example.org/q.exe \n"));
    writeFile("[Zorbinet]\nLobbyURL=\n");
    EXPECT_EQ(settings_.lobbyUrl(), QStringLiteral("http://www.quon77.com/lobby/qlbsetup.exe"));
}

TEST_F(SettingsTest, HugeFileReadsAsDefaultsAndIsNeverOverwritten) {
    QByteArray huge = "[Zorbinet]\nPlaysounds=false\nLobbyURL=http://example.org/x\n";
    huge += QByteArray(2 * 1024 * 1024, ';');
    writeFile(huge);
    settings_.load();
    EXPECT_TRUE(settings_.isLoaded());
    EXPECT_TRUE(settings_.prefs().playSounds);
    EXPECT_EQ(settings_.lobbyUrl(), QStringLiteral("http://www.quon77.com/lobby/qlbsetup.exe"));
    EXPECT_FALSE(settings_.saveAll());
    EXPECT_FALSE(settings_.saveKey(Key::Top));
    EXPECT_EQ(readFile(), huge);
}

TEST_F(SettingsTest, GarbageFileReadsAsDefaultsAndKeepsItsBytes) {
    QByteArray garbage;
    for (int i = 0; i < 3000; ++i)
        garbage.append(static_cast<char>((i * 131 + 7) % 256));
    garbage.replace('[', '.');
    writeFile(garbage);
    settings_.load();
    EXPECT_EQ(settings_.prefs().textSize, 8);
    ASSERT_TRUE(settings_.saveAll());
    EXPECT_TRUE(readFile().startsWith(garbage));
    Settings again(dir_.path());
    again.load();
    EXPECT_EQ(again.prefs().textSize, 8);
    EXPECT_TRUE(again.prefs().chatterSounds);
}

TEST_F(SettingsTest, MissingFolderIsCreatedOnFirstWrite) {
    const QString folder = dir_.filePath(QStringLiteral("user/data"));
    Settings fresh(folder);
    fresh.load();
    ASSERT_TRUE(fresh.saveAll());
    EXPECT_TRUE(QFile::exists(fresh.filePath()));
}

TEST_F(SettingsTest, AnUnwritableFolderIsToldOnceUntilAWriteSucceeds) {
    writeFile("x");
    const QString folder = settings_.filePath(); // a regular file where the folder should be
    Settings blocked(folder);
    QStringList told;
    blocked.setReport([&](const QString& text) { told << text; });
    blocked.load();
    EXPECT_EQ(blocked.prefs().textSize, 8);
    EXPECT_FALSE(blocked.saveAll());
    EXPECT_FALSE(blocked.saveKey(Key::Top));
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].startsWith(
        "The settings could not be saved: " + QDir::toNativeSeparators(blocked.filePath()) + " : "))
        << told[0].toStdString();

    ASSERT_TRUE(QFile::remove(folder));
    EXPECT_TRUE(blocked.saveKey(Key::Top));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    QFile again(folder);
    ASSERT_TRUE(again.open(QIODevice::WriteOnly));
    EXPECT_FALSE(blocked.saveKey(Key::Top));
    EXPECT_EQ(told.size(), 2) << "a new run of failures is told again";
}

// A short file goes through a buffer that only the flush at the end of the write empties, so a
// full disk shows only there; the player's file must keep every byte all the same.
TEST_F(SettingsTest, AWriteThatFailsAtTheFlushKeepsTheFile) {
    const QByteArray phrases = "[Zorbinet]\r\nPhrase1=Good game!\r\nPhrase2=Well rolled\r\n"
                               "Textsize=12\r\n[Lobby]\r\nName=Ann\r\n";
    writeFile(phrases);
    settings_.load();
    QStringList told;
    settings_.setReport([&](const QString& text) { told << text; });
    {
        zbtest::FileSizeLimit limit(32);
        ASSERT_TRUE(limit.active());
        EXPECT_FALSE(settings_.saveAll());
        EXPECT_FALSE(settings_.savePhrases({}));
    }
    EXPECT_EQ(readFile(), phrases);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList({"quonlobby.ini"}));
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told[0],
              "The settings could not be saved: " + QDir::toNativeSeparators(settings_.filePath()) +
                  " : " + qt_error_string(EFBIG));
    EXPECT_TRUE(settings_.saveAll());
}

TEST_F(SettingsTest, AFullDiskKeepsTheFile) {
    const QString disk = dir_.filePath("disk");
    ASSERT_TRUE(QDir().mkpath(disk));
    const QByteArray phrases = "[Zorbinet]\r\nPhrase1=Good game!\r\nPhrase2=Well rolled\r\n";
    const zbtest::ChildResult child = zbtest::onSmallDisk(disk, 64 * 1024, [&] {
        {
            QFile f(disk + "/quonlobby.ini");
            f.open(QIODevice::WriteOnly);
            f.write(phrases);
        }
        QFile filler(disk + "/filler");
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        while (filler.write(QByteArray(4096, 'f')) == 4096) {
        }
        Settings s(disk);
        int told = 0;
        s.setReport([&](const QString&) { ++told; });
        s.load();
        const bool saved = s.saveAll();
        QFile f(disk + "/quonlobby.ini");
        f.open(QIODevice::ReadOnly);
        return QByteArray(saved ? "saved" : "failed") + '|' + QByteArray::number(told) + '|' +
               f.readAll();
    });
    if (!child.ran)
        GTEST_SKIP() << "no private mounts here";
    ASSERT_EQ(child.status, 0);
    EXPECT_EQ(child.output, "failed|1|" + phrases);
}

// A copy that an administrator unpacked: its folder holds the player's settings but cannot be
// written. They are read from there, and written with everything they held to the per-user
// folder, which is read from then on.
TEST(SettingsPlace, AProgramFolderThatCannotBeWrittenIsTheStart) {
    QTemporaryDir program;
    QTemporaryDir user;
    const QByteArray theirs =
        "[Lobby]\r\nName=Ann\r\n[Zorbinet]\r\nTextsize=12\r\nPhrase3=Nice one\r\n";
    {
        QFile f(program.filePath("quonlobby.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(theirs);
    }
    Settings settings(zb::files::DataPlace(user.path(), program.path()));
    EXPECT_EQ(settings.readPath(), program.filePath("quonlobby.ini"));
    EXPECT_EQ(settings.filePath(), user.filePath("quonlobby.ini"));
    settings.load();
    EXPECT_EQ(settings.prefs().textSize, 12);
    EXPECT_EQ(settings.prefs().phrases[3], "Nice one");
    settings.prefs().textSize = 14;
    ASSERT_TRUE(settings.saveKey(Key::Textsize));

    QFile mine(user.filePath("quonlobby.ini"));
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
    EXPECT_EQ(mine.readAll(),
              "[Lobby]\r\nName=Ann\r\n[Zorbinet]\r\nTextsize=14\r\nPhrase3=Nice one\r\n");
    QFile original(program.filePath("quonlobby.ini"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), theirs);
    EXPECT_EQ(settings.readPath(), settings.filePath());
    Settings again(zb::files::DataPlace(user.path(), program.path()));
    again.load();
    EXPECT_EQ(again.prefs().textSize, 14);
}

TEST(SettingsPlace, AnUnreadableProgramFolderCopyDoesNotStopTheWrites) {
    QTemporaryDir program;
    QTemporaryDir user;
    ASSERT_TRUE(QDir(program.path()).mkdir("quonlobby.ini")); // a folder: no file to read
    Settings settings(zb::files::DataPlace(user.path(), program.path()));
    settings.load();
    EXPECT_EQ(settings.prefs().textSize, 8);
    ASSERT_TRUE(settings.saveAll());
    QFile mine(settings.filePath());
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
    EXPECT_TRUE(mine.readAll().startsWith("[Zorbinet]\nTextsize=8\n"));
    EXPECT_TRUE(QFileInfo(program.filePath("quonlobby.ini")).isDir());
}

TEST(SettingsFolder, ProgramFolderWhenWritableElseTheUserFolder) {
    QTemporaryDir program;
    QTemporaryDir user;
    EXPECT_EQ(zb::chooseDataFolder(program.path(), user.path()), program.path());
    EXPECT_EQ(zb::chooseDataFolder(program.filePath(QStringLiteral("gone")), user.path()),
              user.path());
    EXPECT_EQ(zb::chooseDataFolder(QString(), user.path()), user.path());
    QFile file(program.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(zb::chooseDataFolder(file.fileName(), user.path()), user.path());
    // Installed with make install or the package: the user's files stay out of bin/.
    ASSERT_TRUE(QDir(program.path()).mkdir(QStringLiteral("bin")));
    EXPECT_EQ(zb::chooseDataFolder(program.filePath(QStringLiteral("bin")), user.path()),
              user.path());
    // A folder the process may not write to; root may write anywhere, so only when not root.
    if (!QFileInfo(QStringLiteral("/proc")).isWritable()) {
        EXPECT_EQ(zb::chooseDataFolder(QStringLiteral("/proc"), user.path()), user.path());
    }
}

TEST(SettingsFolder, EmptyFolderMeansTheDataFolder) {
    const Settings settings;
    EXPECT_FALSE(settings.folder().isEmpty());
    EXPECT_EQ(settings.folder(), zb::dataFolder());
}

} // namespace
