// Replacing a file all or nothing: whatever step fails (a full disk, a file size limit, a folder
// that cannot be written), the old file keeps every byte and no scratch file is left behind.

#include "support/isolation.h"

#include "files/atomicwrite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using zb::files::writeAtomically;
using zb::files::WriteStep;

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(data), data.size());
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

class AtomicWriteTest : public ::testing::Test {
protected:
    void TearDown() override { zb::files::setWriteFault({}); }
    QTemporaryDir dir;
    QString path = dir.filePath("file.ini");
    const QByteArray old = "[Zorbinet]\r\nPhrase1=gg\r\n";
};

TEST_F(AtomicWriteTest, WritesTheBytesAndCreatesTheFolder) {
    const QString deep = dir.filePath("a/b/file.ini");
    EXPECT_EQ(writeAtomically(deep, "new"), QString());
    EXPECT_EQ(readFile(deep), "new");
    EXPECT_EQ(writeAtomically(deep, ""), QString());
    EXPECT_EQ(readFile(deep), "");
    EXPECT_EQ(entries(dir.filePath("a/b")), QStringList({"file.ini"}));
}

TEST_F(AtomicWriteTest, AFailureAtAnyStepKeepsTheOldFile) {
    for (const WriteStep failing : {WriteStep::Open, WriteStep::Write, WriteStep::Flush,
                                    WriteStep::Sync, WriteStep::Commit}) {
        SCOPED_TRACE(int(failing));
        writeFile(path, old);
        std::vector<WriteStep> asked;
        zb::files::setWriteFault([&](WriteStep step) {
            asked.push_back(step);
            return step == failing;
        });
        const QString error = writeAtomically(path, QByteArray(5000, 'x'));
        EXPECT_EQ(error, QDir::toNativeSeparators(path) + " : " + qt_error_string(ENOSPC));
        EXPECT_EQ(asked.back(), failing) << "nothing is tried after a failed step";
        EXPECT_EQ(readFile(path), old);
        EXPECT_EQ(entries(dir.path()), QStringList({"file.ini"}));
    }
    zb::files::setWriteFault({});
    EXPECT_EQ(writeAtomically(path, "after"), QString());
    EXPECT_EQ(readFile(path), "after");
}

TEST_F(AtomicWriteTest, EveryStepIsTakenInItsOrder) {
    std::vector<WriteStep> asked;
    zb::files::setWriteFault([&](WriteStep step) {
        asked.push_back(step);
        return false;
    });
    EXPECT_EQ(writeAtomically(path, "x"), QString());
    EXPECT_EQ(asked, (std::vector<WriteStep>{WriteStep::Open, WriteStep::Write, WriteStep::Flush,
                                             WriteStep::Sync, WriteStep::Commit}));
}

// The limit hits a small write in the flush that commit() would do (buffered), a large one at
// once: both must keep the old file.
TEST_F(AtomicWriteTest, AFileSizeLimitKeepsTheOldFileForSmallAndLargeWrites) {
    for (const qsizetype size : {qsizetype(100), qsizetype(20000), qsizetype(200000)}) {
        SCOPED_TRACE(size);
        writeFile(path, old);
        QString error;
        {
            zbtest::FileSizeLimit limit(64);
            ASSERT_TRUE(limit.active());
            error = writeAtomically(path, QByteArray(size, 'x'));
        }
        EXPECT_EQ(error, QDir::toNativeSeparators(path) + " : " + qt_error_string(EFBIG));
        EXPECT_EQ(readFile(path), old);
        EXPECT_EQ(entries(dir.path()), QStringList({"file.ini"}));
    }
}

TEST_F(AtomicWriteTest, WithinTheLimitTheWriteSucceeds) {
    writeFile(path, old);
    zbtest::FileSizeLimit limit(64);
    EXPECT_EQ(writeAtomically(path, QByteArray(64, 'x')), QString());
    EXPECT_EQ(readFile(path), QByteArray(64, 'x'));
}

TEST_F(AtomicWriteTest, AFullDiskKeepsTheOldFile) {
    const QString disk = dir.filePath("disk");
    ASSERT_TRUE(QDir().mkpath(disk));
    const QString file = disk + "/file.ini";
    const zbtest::ChildResult child = zbtest::onSmallDisk(disk, 64 * 1024, [&] {
        writeAtomically(file, old);
        QFile filler(disk + "/filler");
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        filler.close();
        const QString error = writeAtomically(file, QByteArray(300, 'x'));
        return error.toUtf8() + '\n' + readFile(file) + '\n' + entries(disk).join(',').toUtf8();
    });
    if (!child.ran)
        GTEST_SKIP() << "no private mounts here";
    ASSERT_EQ(child.status, 0);
    EXPECT_EQ(child.output,
              (QDir::toNativeSeparators(file) + " : " + qt_error_string(ENOSPC)).toUtf8() + '\n' +
                  old + '\n' + "file.ini,filler");
}

TEST_F(AtomicWriteTest, AFolderThatCannotBeWrittenIsAnError) {
    const QString folder = dir.filePath("ro");
    ASSERT_TRUE(QDir().mkpath(folder));
    writeFile(folder + "/file.ini", old);
    const zbtest::ChildResult child = zbtest::onReadOnlyFolder(
        folder, [&] { return writeAtomically(folder + "/file.ini", "new").toUtf8(); });
    if (!child.ran)
        GTEST_SKIP() << "no private mounts here";
    EXPECT_TRUE(child.output.startsWith(QDir::toNativeSeparators(folder).toUtf8() + "/file.ini : "))
        << child.output.toStdString();
    EXPECT_EQ(readFile(folder + "/file.ini"), old);
}

TEST_F(AtomicWriteTest, AFileWhereTheFolderShouldBeIsAnError) {
    writeFile(dir.filePath("blocked"), "a file");
    EXPECT_FALSE(writeAtomically(dir.filePath("blocked/file.ini"), "new").isEmpty());
    EXPECT_EQ(readFile(dir.filePath("blocked")), "a file");
}

} // namespace
