#include "support/files.h"
#include "tally/store/lzrw1kh.h"
#include "tally/store/quonstrgrid.h"
#include "tally/store/tallyfile.h"
#include "tally/store/tallymodel.h"
#include "tally/store/tallystore.h"

#include "support/isolation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace std::chrono_literals;

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

TEST_F(TallyStoreTest, ADeviceInPlaceOfTheFileIsNotRead) {
    ASSERT_TRUE(QFile::link("/dev/zero", store.path()));
    TallyModel m;
    EXPECT_EQ(store.load(m), QDir::toNativeSeparators(store.path()) + " : not a regular file");
    EXPECT_TRUE(store.keepingBadFile());
}

// A FIFO would hold up the start for ever: without a writer the open waits, with a writer that
// never writes the read does. The load runs aside so that a hang fails the test instead of
// stopping it; closing the writer then lets it end.
TEST_F(TallyStoreTest, AFifoInPlaceOfTheFileIsReportedAtOnceAndKeptAside) {
    const QByteArray fifo = QFile::encodeName(store.path());
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    for (const bool writer : {false, true}) {
        SCOPED_TRACE(writer);
        const int fd = writer ? ::open(fifo.constData(), O_RDWR) : -1;
        TallyStore s(dir.path());
        TallyModel m;
        auto load = std::async(std::launch::async, [&] { return s.load(m); });
        const bool ended = load.wait_for(10s) == std::future_status::ready;
        if (fd >= 0)
            ::close(fd);
        else if (!ended) // a writer that comes and goes lets a waiting open end
            ::close(::open(fifo.constData(), O_WRONLY | O_NONBLOCK));
        ASSERT_TRUE(ended) << "the load waits on the FIFO";
        EXPECT_EQ(load.get(), QDir::toNativeSeparators(s.path()) + " : not a regular file");
        if (writer) {
            m.addtomine(1);
            ASSERT_EQ(s.save(m), QString());
            QFileInfo bad(s.badPath());
            EXPECT_FALSE(bad.isFile()) << "the FIFO itself, moved aside";
            EXPECT_TRUE(bad.exists());
            TallyModel again;
            ASSERT_EQ(TallyStore(dir.path()).load(again), QString());
            EXPECT_EQ(again.cell(1, 0), "1");
        }
    }
}

// A table of many opponents with names that do not compress much.
TallyModel& manyOpponents(TallyModel& m, int n) {
    for (int i = 0; i < n; ++i) {
        QString name;
        unsigned x = unsigned(i) * 2654435761u + 7u;
        for (int k = 0; k < 22; ++k) {
            x = x * 1103515245u + 12345u;
            name += QChar(char(0x41 + (x >> 16) % 58));
        }
        m.choose(name);
    }
    return m;
}

// Small files are written through a buffer that only the flush at the end empties; a limit that
// it meets there must fail the write like any other. Runs everywhere, unprivileged.
TEST_F(TallyStoreTest, AFileSizeLimitKeepsTheOldFile) {
    for (const int opponents : {3, 1500}) {
        SCOPED_TRACE(opponents);
        TallyModel m;
        manyOpponents(m, opponents);
        ASSERT_EQ(store.save(m), QString());
        const QByteArray before = readFile(store.path());
        m.choose("one more");
        QString error;
        {
            zbtest::FileSizeLimit limit(qMin<qsizetype>(before.size(), 40));
            ASSERT_TRUE(limit.active());
            error = store.save(m);
        }
        EXPECT_EQ(error, QDir::toNativeSeparators(store.path()) + " : " + qt_error_string(EFBIG));
        EXPECT_EQ(readFile(store.path()), before);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({TallyStore::kFileName}));
    }
}

TEST_F(TallyStoreTest, AFullDiskKeepsTheOldFile) {
    const QString disk = dir.filePath("disk");
    ASSERT_TRUE(QDir().mkpath(disk));
    const zbtest::ChildResult child = zbtest::onSmallDisk(disk, 256 * 1024, [&] {
        TallyStore s(disk);
        TallyModel m;
        manyOpponents(m, 300);
        const QString first = s.save(m);
        const QByteArray before = readFile(s.path());
        QFile filler(disk + "/filler");
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        while (filler.write(QByteArray(4096, 'f')) == 4096) {
        }
        m.choose("one more");
        const QString error = s.save(m);
        return QByteArray::number(before.size()) + '|' + first.toUtf8() + '|' + error.toUtf8() +
               '|' + QByteArray(readFile(s.path()) == before ? "kept" : "lost");
    });
    if (!child.ran)
        GTEST_SKIP() << "no private mounts here";
    ASSERT_EQ(child.status, 0);
    const QList<QByteArray> parts = child.output.split('|');
    ASSERT_EQ(parts.size(), 4) << child.output.toStdString();
    EXPECT_GT(parts[0].toInt(), 0);
    EXPECT_EQ(parts[1], "");
    EXPECT_EQ(parts[2],
              (QDir::toNativeSeparators(disk) + "/zorbinettally.tld : " + qt_error_string(ENOSPC))
                  .toUtf8());
    EXPECT_EQ(parts[3], "kept");
}

TEST_F(TallyStoreTest, AProgramFolderThatCannotBeWrittenIsTheStart) {
    QTemporaryDir program;
    {
        TallyModel m;
        m.choose("Ann");
        m.addtomine(1);
        ASSERT_EQ(TallyStore(program.path()).save(m), QString());
    }
    const QByteArray programFile = readFile(program.filePath(TallyStore::kFileName));
    const QString user = dir.filePath("user");
    TallyStore s(zb::files::DataPlace(user, program.path()));
    EXPECT_EQ(s.readPath(), program.filePath(TallyStore::kFileName));
    TallyModel m;
    ASSERT_EQ(s.load(m), QString());
    EXPECT_EQ(m.tallied(), QStringList({"Ann"}));
    m.addtomine(1);
    ASSERT_EQ(s.save(m), QString());
    EXPECT_EQ(readFile(program.filePath(TallyStore::kFileName)), programFile);
    EXPECT_EQ(s.readPath(), s.path()) << "from now on the player's own";
    TallyModel again;
    ASSERT_EQ(s.load(again), QString());
    EXPECT_EQ(again.cell(1, 0), "2");
    EXPECT_EQ(again.tallied(), QStringList({"Ann"}));
}

TEST_F(TallyStoreTest, AnUnreadableProgramFolderFileIsLeftWhereItIs) {
    QTemporaryDir program;
    writeFile(program.filePath(TallyStore::kFileName), "XXXX garbage");
    TallyStore s(zb::files::DataPlace(dir.filePath("user"), program.path()));
    TallyModel m;
    EXPECT_TRUE(s.load(m).contains("no valid header"));
    ASSERT_EQ(s.save(m), QString());
    EXPECT_EQ(readFile(program.filePath(TallyStore::kFileName)), "XXXX garbage");
    EXPECT_FALSE(QFile::exists(program.filePath(TallyStore::kFileName + TallyStore::kBadSuffix)));
    EXPECT_TRUE(readFile(s.path()).startsWith("WRZL"));
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

// A few kilobytes that expand to one opponent whose name takes up nearly the whole text.
QByteArray hugeNameFile(qsizetype textSize) {
    QByteArray text = "9\r\n2\r\n0\r\n";
    QByteArray counts;
    for (int c = 1; c < zb::kTallyColumns; ++c)
        counts += "0\r\n0\r\n";
    text += QByteArray(textSize - text.size() - counts.size() - 2, 'n') + "\r\n" + counts;
    return zb::tallyfile::encode(text);
}

TEST_F(TallyStoreTest, AHugeNameIsCutWhenLoaded) {
    const QByteArray file = hugeNameFile(zb::tallyfile::kMaxText);
    EXPECT_LT(file.size(), 200 * 1024);
    writeFile(store.path(), file);
    TallyModel m;
    ASSERT_EQ(store.load(m), QString());
    EXPECT_EQ(m.tallied(), QStringList({QString(zb::QuonStrgrid::kMaxNameLength, u'n')}));
}

// What loading may cost, measured as address space in a child of its own: a hostile file of
// any size, and the largest table the tally reads, each within a few megabytes.
TEST_F(TallyStoreTest, LoadingAnyFileCostsAtMostAFewMegabytes) {
    constexpr qint64 kBudget = 16 * 1024 * 1024;
    zb::TallyGrid largest(zb::QuonStrgrid::kMaxRows);
    for (std::size_t r = 0; r < largest.size(); ++r) {
        largest[r][0] = r == 0 ? QString("0") : QString(zb::QuonStrgrid::kMaxNameLength, u'x');
        for (int c = 1; c < zb::kTallyColumns; ++c)
            largest[r][std::size_t(c)] = "-2147483648";
    }
    struct Case {
        const char* name;
        QByteArray file;
        QByteArray outcome;
    };
    const Case cases[] = {
        {"a 4 MiB name", hugeNameFile(zb::tallyfile::kMaxText), "loaded 1"},
        {"a 16 MiB name", hugeNameFile(16 * 1024 * 1024), "refused 0"},
        {"the largest table", zb::tallyfile::encode(zb::QuonStrgrid::write(largest)),
         "loaded " + QByteArray::number(zb::QuonStrgrid::kMaxRows - 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(store.path(), c.file);
        const zbtest::ChildResult child = zbtest::withAddressSpaceLimit(kBudget, [&] {
            TallyModel m;
            const QString error = TallyStore(dir.path()).load(m);
            return QByteArray(error.isEmpty() ? "loaded " : "refused ") +
                   QByteArray::number(m.opponents());
        });
        if (!child.ran)
            GTEST_SKIP() << "no address space limit here";
        EXPECT_EQ(child.status, 0) << "the load ran out of its budget";
        EXPECT_EQ(child.output, c.outcome);
    }
}

} // namespace
