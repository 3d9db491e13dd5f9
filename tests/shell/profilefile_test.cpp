// The profile file keeps everything it was not asked to change, byte for byte, whatever the file
// looks like: other sections, comments, odd lines, both line ending styles, binary garbage.

#include "shell/profilefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using zb::ProfileFile;

class ProfileFileTest : public ::testing::Test {
protected:
    QString path() const { return dir_.filePath(QStringLiteral("quonlobby.ini")); }

    void writeFile(const QByteArray& bytes) const {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    QByteArray readFile() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Writes bytes, sets one key through a load/save cycle and returns the file afterwards.
    QByteArray rewrite(const QByteArray& bytes, const QString& section, const QString& key,
                       const QString& value) const {
        writeFile(bytes);
        ProfileFile file = ProfileFile::load(path());
        file.setValue(section, key, value);
        EXPECT_TRUE(file.save());
        return readFile();
    }

    QTemporaryDir dir_;
};

TEST_F(ProfileFileTest, MissingFileReadsEmptyAndIsCreatedOnSave) {
    ProfileFile file = ProfileFile::load(path());
    EXPECT_EQ(file.state(), ProfileFile::State::Missing);
    EXPECT_FALSE(file.hasKey(u"Zorbinet", u"Top"));
    EXPECT_EQ(file.value(u"Zorbinet", u"Top", QStringLiteral("3")), QStringLiteral("3"));
    file.setValue(u"Zorbinet", u"Top", QStringLiteral("5"));
    file.setValue(u"Zorbinet", u"Left", QStringLiteral("6"));
    ASSERT_TRUE(file.save());
    EXPECT_EQ(readFile(), QByteArray("[Zorbinet]\nTop=5\nLeft=6\n"));
}

TEST_F(ProfileFileTest, SaveCreatesMissingFolderAndLeavesNoScratchFiles) {
    const QString nested = dir_.filePath(QStringLiteral("a/b"));
    ProfileFile file = ProfileFile::load(nested + QStringLiteral("/quonlobby.ini"));
    file.setValue(u"Zorbinet", u"Top", QStringLiteral("1"));
    ASSERT_TRUE(file.save());
    EXPECT_EQ(QDir(nested).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("quonlobby.ini")});
}

TEST_F(ProfileFileTest, SectionAndKeyNamesIgnoreCaseAndBlanks) {
    const auto file = ProfileFile::fromBytes("[ zorBINET ]\n  tOP = 7 \nplaysounds=false\n");
    EXPECT_EQ(file.value(u"Zorbinet", u"Top"), QStringLiteral("7"));
    EXPECT_EQ(file.value(u"ZORBINET", u"PlaySounds"), QStringLiteral("false"));
    EXPECT_TRUE(file.hasKey(u"zorbinet", u"TOP"));
    EXPECT_FALSE(file.hasKey(u"Zorbinet", u"Left"));
    EXPECT_FALSE(file.hasKey(u"Lobby", u"Top"));
}

TEST_F(ProfileFileTest, ReplacingAValueKeepsTheKeySpellingAndItsPlace) {
    const QByteArray after = rewrite("[zorbinet]\ntOP=7\nLeft=1\n", QStringLiteral("Zorbinet"),
                                     QStringLiteral("Top"), QStringLiteral("9"));
    EXPECT_EQ(after, QByteArray("[zorbinet]\ntOP=9\nLeft=1\n"));
}

TEST_F(ProfileFileTest, OtherSectionsCommentsAndOddLinesAreKeptByteForByte) {
    const QByteArray before = "; the lobby's own settings\n"
                              "[Lobby]\n"
                              "Name = Ann  \n"
                              "Top=100\n"
                              "\n"
                              "[Zorbinet]\n"
                              "; chosen by hand\n"
                              "Top=5\n"
                              "  this line means nothing\n"
                              "Width=700\n"
                              "\n"
                              "; next section follows\n"
                              "[Other]\n"
                              "Top=8\n"
                              "\tweird\x01\x7f line\n";
    const QByteArray replaced =
        rewrite(before, QStringLiteral("Zorbinet"), QStringLiteral("Top"), QStringLiteral("42"));
    QByteArray expected = before;
    expected.replace("Top=5\n", "Top=42\n");
    EXPECT_EQ(replaced, expected);

    // A new key goes after the section's last key, before the blank line and the comment that
    // lead into the next section.
    const QByteArray added = rewrite(before, QStringLiteral("Zorbinet"), QStringLiteral("Height"),
                                     QStringLiteral("512"));
    expected = before;
    expected.replace("Width=700\n", "Width=700\nHeight=512\n");
    EXPECT_EQ(added, expected);
}

TEST_F(ProfileFileTest, NewSectionIsAppendedAtTheEnd) {
    const QByteArray before = "[Lobby]\r\nName=Ann\r\n";
    const QByteArray after =
        rewrite(before, QStringLiteral("Zorbinet"), QStringLiteral("Top"), QStringLiteral("3"));
    EXPECT_EQ(after, QByteArray("[Lobby]\r\nName=Ann\r\n[Zorbinet]\r\nTop=3\r\n"));
}

TEST_F(ProfileFileTest, KeyIntoEmptySectionFollowsItsHeader) {
    const QByteArray after =
        rewrite("[Zorbinet]\n; empty\n[Lobby]\nA=1\n", QStringLiteral("Zorbinet"),
                QStringLiteral("Top"), QStringLiteral("3"));
    EXPECT_EQ(after, QByteArray("[Zorbinet]\nTop=3\n; empty\n[Lobby]\nA=1\n"));
}

TEST_F(ProfileFileTest, DuplicateSectionsAndKeysUseTheFirstForReadingAndWriting) {
    const QByteArray before = "[Zorbinet]\nTop=1\nTop=2\n[Lobby]\nX=0\n[ZORBINET]\nTop=3\nLeft=4\n";
    const auto parsed = ProfileFile::fromBytes(before);
    EXPECT_EQ(parsed.value(u"Zorbinet", u"Top"), QStringLiteral("1"));
    // Left exists only in the second copy, which is never consulted.
    EXPECT_FALSE(parsed.hasKey(u"Zorbinet", u"Left"));

    const QByteArray replaced =
        rewrite(before, QStringLiteral("Zorbinet"), QStringLiteral("Top"), QStringLiteral("9"));
    EXPECT_EQ(replaced,
              QByteArray("[Zorbinet]\nTop=9\nTop=2\n[Lobby]\nX=0\n[ZORBINET]\nTop=3\nLeft=4\n"));
    const QByteArray added =
        rewrite(before, QStringLiteral("Zorbinet"), QStringLiteral("Left"), QStringLiteral("5"));
    EXPECT_EQ(added, QByteArray("[Zorbinet]\nTop=1\nTop=2\nLeft=5\n[Lobby]\nX=0\n[ZORBINET]\nTop="
                                "3\nLeft=4\n"));
}

TEST_F(ProfileFileTest, LineEndingsAreKeptAndNewLinesFollowTheFileStyle) {
    EXPECT_EQ(rewrite("[Zorbinet]\r\nTop=1\r\n", QStringLiteral("Zorbinet"), QStringLiteral("Left"),
                      QStringLiteral("2")),
              QByteArray("[Zorbinet]\r\nTop=1\r\nLeft=2\r\n"));
    EXPECT_EQ(rewrite("[Zorbinet]\nTop=1\n", QStringLiteral("Zorbinet"), QStringLiteral("Left"),
                      QStringLiteral("2")),
              QByteArray("[Zorbinet]\nTop=1\nLeft=2\n"));
    // Mixed: every line keeps its own ending; the first one found sets the style of new lines.
    EXPECT_EQ(rewrite("[A]\r\nx=1\n[Zorbinet]\nTop=1\r\n", QStringLiteral("Zorbinet"),
                      QStringLiteral("Top"), QStringLiteral("7")),
              QByteArray("[A]\r\nx=1\n[Zorbinet]\nTop=7\r\n"));
    EXPECT_EQ(rewrite("[A]\r\nx=1\n[Zorbinet]\nTop=1\n", QStringLiteral("Zorbinet"),
                      QStringLiteral("Left"), QStringLiteral("7")),
              QByteArray("[A]\r\nx=1\n[Zorbinet]\nTop=1\nLeft=7\r\n"));
}

TEST_F(ProfileFileTest, LastLineWithoutEndingGetsOneBeforeAnAppendedLine) {
    EXPECT_EQ(rewrite("[Zorbinet]\r\nTop=1", QStringLiteral("Zorbinet"), QStringLiteral("Left"),
                      QStringLiteral("2")),
              QByteArray("[Zorbinet]\r\nTop=1\r\nLeft=2\r\n"));
    EXPECT_EQ(
        rewrite("[Lobby]", QStringLiteral("Zorbinet"), QStringLiteral("Top"), QStringLiteral("2")),
        QByteArray("[Lobby]\n[Zorbinet]\nTop=2\n"));
    // Replacing in place keeps the missing ending missing.
    EXPECT_EQ(rewrite("[Zorbinet]\nTop=1", QStringLiteral("Zorbinet"), QStringLiteral("Top"),
                      QStringLiteral("2")),
              QByteArray("[Zorbinet]\nTop=2"));
}

TEST_F(ProfileFileTest, ValuesMayHoldEqualsSignsAndAreTrimmed) {
    const auto file = ProfileFile::fromBytes("[Zorbinet]\nPhrase1 =  a = b == c  \nEmpty=\n");
    EXPECT_EQ(file.value(u"Zorbinet", u"Phrase1"), QStringLiteral("a = b == c"));
    EXPECT_TRUE(file.hasKey(u"Zorbinet", u"Empty"));
    EXPECT_EQ(file.value(u"Zorbinet", u"Empty", QStringLiteral("fallback")), QString());

    const QByteArray after = rewrite("[Zorbinet]\nPhrase1=x\n", QStringLiteral("Zorbinet"),
                                     QStringLiteral("Phrase1"), QStringLiteral("1+1=2"));
    EXPECT_EQ(after, QByteArray("[Zorbinet]\nPhrase1=1+1=2\n"));
    EXPECT_EQ(ProfileFile::load(path()).value(u"Zorbinet", u"Phrase1"), QStringLiteral("1+1=2"));
}

TEST_F(ProfileFileTest, CommentsAndKeysOutsideTheSectionAreNotKeys) {
    const auto file = ProfileFile::fromBytes("Top=1\n[Zorbinet]\n;Left=2\n#Width=3\n=4\nHeight\n");
    EXPECT_FALSE(file.hasKey(u"Zorbinet", u"Top"));
    EXPECT_FALSE(file.hasKey(u"Zorbinet", u"Left"));
    EXPECT_FALSE(file.hasKey(u"Zorbinet", u"Width"));
    EXPECT_FALSE(file.hasKey(u"Zorbinet", u"Height"));
    EXPECT_FALSE(file.hasKey(u"Zorbinet", u""));
}

TEST_F(ProfileFileTest, ByteOrderMarkDoesNotHideTheFirstSection) {
    const QByteArray before = "\xEF\xBB\xBF[Zorbinet]\r\nTop=1\r\n";
    EXPECT_EQ(ProfileFile::fromBytes(before).value(u"Zorbinet", u"Top"), QStringLiteral("1"));
    EXPECT_EQ(
        rewrite(before, QStringLiteral("Zorbinet"), QStringLiteral("Top"), QStringLiteral("2")),
        QByteArray("\xEF\xBB\xBF[Zorbinet]\r\nTop=2\r\n"));
}

TEST_F(ProfileFileTest, ValuesCannotBreakTheirLine) {
    const QByteArray after =
        rewrite("[Zorbinet]\n", QStringLiteral("Zorbinet"), QStringLiteral("Phrase1"),
                QStringLiteral("a\r\n[Evil]\nb") + QChar(0x263A));
    EXPECT_EQ(after, QByteArray("[Zorbinet]\nPhrase1=a??[Evil]?b?\n"));
}

TEST_F(ProfileFileTest, Latin1TextSurvivesARoundTrip) {
    const QString text = QStringLiteral("Gr\u00fc\u00dfe \u00e0 tous");
    rewrite({}, QStringLiteral("Zorbinet"), QStringLiteral("Phrase2"), text);
    EXPECT_EQ(readFile(), QByteArray("[Zorbinet]\nPhrase2=Gr\xfc\xdf"
                                     "e \xe0 tous\n"));
    EXPECT_EQ(ProfileFile::load(path()).value(u"Zorbinet", u"Phrase2"), text);
}

TEST_F(ProfileFileTest, BinaryGarbageReadsEmptyAndIsKeptWhenWritten) {
    QByteArray garbage(4096, '\0');
    QRandomGenerator random(7);
    for (char& c : garbage)
        c = static_cast<char>(random.bounded(256));
    garbage.replace('[', 'x'); // no accidental section lines
    writeFile(garbage);
    ProfileFile file = ProfileFile::load(path());
    EXPECT_EQ(file.state(), ProfileFile::State::Read);
    EXPECT_FALSE(file.hasKey(u"Zorbinet", u"Top"));
    file.setValue(u"Zorbinet", u"Top", QStringLiteral("3"));
    ASSERT_TRUE(file.save());
    const QByteArray after = readFile();
    ASSERT_TRUE(after.startsWith(garbage));
    EXPECT_TRUE(after.endsWith("[Zorbinet]\nTop=3\n") || after.endsWith("[Zorbinet]\r\nTop=3\r\n"));
    EXPECT_EQ(ProfileFile::load(path()).value(u"Zorbinet", u"Top"), QStringLiteral("3"));
}

TEST_F(ProfileFileTest, HugeFileIsUnreadableAndNeverRewritten) {
    QByteArray huge = "[Zorbinet]\nTop=1\n";
    huge += QByteArray(ProfileFile::kMaxSize, 'x');
    writeFile(huge);
    ProfileFile file = ProfileFile::load(path());
    EXPECT_EQ(file.state(), ProfileFile::State::Unreadable);
    EXPECT_FALSE(file.hasKey(u"Zorbinet", u"Top"));
    EXPECT_EQ(file.value(u"Zorbinet", u"Top", QStringLiteral("3")), QStringLiteral("3"));
    file.setValue(u"Zorbinet", u"Top", QStringLiteral("9"));
    EXPECT_FALSE(file.save());
    EXPECT_EQ(readFile(), huge);
}

TEST_F(ProfileFileTest, FileAtTheLimitIsStillRead) {
    QByteArray big = "[Zorbinet]\nTop=1\n";
    big += QByteArray(ProfileFile::kMaxSize - big.size(), ';');
    writeFile(big);
    EXPECT_EQ(ProfileFile::load(path()).value(u"Zorbinet", u"Top"), QStringLiteral("1"));
}

TEST_F(ProfileFileTest, FolderInPlaceOfTheFileIsUnreadableAndLeftAlone) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("quonlobby.ini")));
    ProfileFile file = ProfileFile::load(path());
    EXPECT_EQ(file.state(), ProfileFile::State::Unreadable);
    file.setValue(u"Zorbinet", u"Top", QStringLiteral("9"));
    EXPECT_FALSE(file.save());
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST_F(ProfileFileTest, FifoInPlaceOfTheFileIsUnreadableAtOnceAndLeftAlone) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    ProfileFile file = ProfileFile::load(path());
    EXPECT_EQ(file.state(), ProfileFile::State::Unreadable);
    QString error;
    EXPECT_FALSE(file.save(&error));
    EXPECT_EQ(error,
              QDir::toNativeSeparators(path()) + " : not a regular file, so it is not overwritten");
    EXPECT_FALSE(QFileInfo(path()).isFile());
}

TEST_F(ProfileFileTest, AnUnreadableFileMovedElsewhereStartsEmpty) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("quonlobby.ini")));
    const QString elsewhere = dir_.filePath(QStringLiteral("user/quonlobby.ini"));
    ProfileFile file = ProfileFile::load(path()).movedTo(elsewhere);
    EXPECT_EQ(file.state(), ProfileFile::State::Missing);
    EXPECT_EQ(file.path(), elsewhere);
    file.setValue(u"Zorbinet", u"Top", QStringLiteral("9"));
    EXPECT_TRUE(file.save());
    QFile f(elsewhere);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "[Zorbinet]\nTop=9\n");
}

TEST_F(ProfileFileTest, SaveIntoAnImpossibleFolderFailsQuietly) {
    writeFile("not a folder");
    ProfileFile file = ProfileFile::load(path() + QStringLiteral("/sub/quonlobby.ini"));
    file.setValue(u"Zorbinet", u"Top", QStringLiteral("9"));
    EXPECT_FALSE(file.save());
    EXPECT_EQ(readFile(), QByteArray("not a folder"));
}

TEST_F(ProfileFileTest, BytesInMemoryRoundTripExactly) {
    const QByteArray odd = "\r\n\n[A]\r\r\n  \nk=v\r\n\x01\x02\n[B]";
    EXPECT_EQ(ProfileFile::fromBytes(odd).toBytes(), odd);
    EXPECT_EQ(ProfileFile::fromBytes({}).toBytes(), QByteArray());
}

} // namespace
