#include "support/files.h"
#include "tally/store/lzrw1kh.h"
#include "tally/store/quonstrgrid.h"
#include "tally/store/tallyfile.h"
#include "tally/store/tallymodel.h"
#include "tally/store/tallystore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using zbtest::readFile;

using zb::TallyModel;
using zb::TallyStore;

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

class TallyStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    TallyStore store{dir.path()};
};

TEST_F(TallyStoreTest, NoFileStartsAnEmptyTally) {
    TallyModel m;
    EXPECT_EQ(store.load(m), QString());
    EXPECT_EQ(m.grid().size(), 1u);
    EXPECT_FALSE(store.keepingBadFile());
}

TEST_F(TallyStoreTest, AfterARestartTheSessionReadsZeroAndTheTotalsStay) {
    TallyModel m;
    m.choose("Ann");
    m.choose("Bob");
    m.loadchecklist({"Ann", "Bob"});
    m.addgame(false, {"Ann"});
    m.addtomine(3);
    m.checkhighscore("212");
    ASSERT_EQ(store.save(m), QString());

    TallyModel again;
    ASSERT_EQ(TallyStore(dir.path()).load(again), QString());
    EXPECT_EQ(again.tallied(), QStringList({"Ann", "Bob"}));
    QStringList ann;
    for (int c = 1; c <= 8; ++c)
        ann << again.cell(c, 1);
    EXPECT_EQ(ann.join(' '), "1 1 0 0 0 0 0 0");
    EXPECT_EQ(again.cell(1, 0), "1");
    EXPECT_EQ(again.cell(3, 0), "1");
    EXPECT_EQ(again.cell(4, 0), "212");
}

TEST_F(TallyStoreTest, TheFileIsTheCompressedTextOfTheTable) {
    TallyModel m;
    m.choose("Ann");
    ASSERT_EQ(store.save(m), QString());
    const QByteArray file = readFile(store.path());
    EXPECT_TRUE(file.startsWith("WRZL"));
    const zb::tallyfile::Decoded d = zb::tallyfile::decode(file, store.path());
    ASSERT_TRUE(d.ok());
    EXPECT_EQ(d.text, zb::QuonStrgrid::write(m.grid()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({TallyStore::kFileName}));
}

struct BadFile {
    const char* name;
    QByteArray data;
    const char* errorPart;
};

std::vector<BadFile> badFiles() {
    const QByteArray text = "9\r\n1\r\n0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n";
    QByteArray wrongLength = zb::tallyfile::encode(text);
    wrongLength[4] = char(wrongLength[4] + 5);
    QByteArray truncated = zb::tallyfile::encode(text);
    truncated.chop(3);
    QByteArray hugeRows = "9\r\n2000000\r\n";
    return {
        {"bad header", "XXXX" + zb::tallyfile::encode(text).sliced(4), "no valid header"},
        {"LZH file", "!HZL" + zb::tallyfile::encode(text).sliced(4), "LZH"},
        {"wrong length", wrongLength, "sizes do not match"},
        {"truncated block", truncated, "sizes do not match"},
        {"two million rows", zb::tallyfile::encode(hugeRows), "row count"},
        {"cell not a number",
         zb::tallyfile::encode(QByteArray(text).replace("\r\n5\r\n", "\r\nfive\r\n")),
         "'five' is not a valid integer value"},
        {"text too short", zb::tallyfile::encode("9\r\n3\r\n"), "Read beyond end of file"},
    };
}

TEST_F(TallyStoreTest, AnUnreadableFileIsReportedAndKeptBesideTheNewOne) {
    for (const BadFile& bad : badFiles()) {
        SCOPED_TRACE(bad.name);
        QFile::remove(store.badPath());
        writeFile(store.path(), bad.data);
        TallyStore s(dir.path());
        TallyModel m;
        const QString error = s.load(m);
        EXPECT_TRUE(error.contains(QLatin1String(bad.errorPart))) << error.toStdString();
        EXPECT_EQ(m.grid().size(), 1u);
        EXPECT_TRUE(s.keepingBadFile());
        // The unreadable file stays untouched until the first write.
        EXPECT_EQ(readFile(s.path()), bad.data);
        EXPECT_FALSE(QFile::exists(s.badPath()));

        m.addtomine(1);
        ASSERT_EQ(s.save(m), QString());
        EXPECT_EQ(readFile(s.badPath()), bad.data);
        TallyModel again;
        EXPECT_EQ(TallyStore(dir.path()).load(again), QString());
        EXPECT_EQ(again.cell(1, 0), "1");
        // Later writes leave the kept file alone.
        m.addtomine(1);
        ASSERT_EQ(s.save(m), QString());
        EXPECT_EQ(readFile(s.badPath()), bad.data);
    }
}

TEST_F(TallyStoreTest, AnOversizedFileIsNotRead) {
    QByteArray big = "WRZL";
    big.append(QByteArray(40 * 1024 * 1024, '\0'));
    writeFile(store.path(), big);
    TallyModel m;
    EXPECT_EQ(store.load(m), zb::tallyfile::tooLargeError());
}

TEST_F(TallyStoreTest, AFileWithoutEndIsNotReadWhole) {
    ASSERT_TRUE(QFile::link("/dev/zero", store.path()));
    TallyModel m;
    EXPECT_EQ(store.load(m), zb::tallyfile::tooLargeError());
}

TEST_F(TallyStoreTest, AnUnwritableFolderLosesNothing) {
    const QString blocked = dir.filePath("blocked");
    writeFile(blocked, "a file where the folder should be");
    TallyStore s(blocked);
    TallyModel m;
    m.loadchecklist({});
    m.addgame(false, {"Ann"});
    EXPECT_FALSE(s.save(m).isEmpty());
    m.addgame(false, {"Ann"});
    EXPECT_FALSE(s.save(m).isEmpty());

    ASSERT_TRUE(QFile::remove(blocked));
    m.addgame(false, {"Ann"});
    ASSERT_EQ(s.save(m), QString());
    TallyModel again;
    ASSERT_EQ(TallyStore(blocked).load(again), QString());
    EXPECT_EQ(again.cell(1, 0), "3");
}

} // namespace
