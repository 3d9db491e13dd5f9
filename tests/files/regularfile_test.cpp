// Reading a player's file: only a regular file, at most the limit, and never waiting on a FIFO.

#include "files/regularfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using zb::files::ReadFile;
using zb::files::readRegularFile;
using Status = ReadFile::Status;

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(data), data.size());
}

class RegularFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("file");
};

TEST_F(RegularFileTest, NoFileIsMissing) {
    EXPECT_EQ(readRegularFile(path, 10).status, Status::Missing);
    writeFile(dir.filePath("blocked"), "a file where a folder should be");
    EXPECT_EQ(readRegularFile(dir.filePath("blocked/file"), 10).status, Status::Missing);
    ASSERT_TRUE(QFile::link(dir.filePath("gone"), path));
    EXPECT_EQ(readRegularFile(path, 10).status, Status::Missing) << "a dangling link";
}

TEST_F(RegularFileTest, AFileIsReadWholeUpToTheLimit) {
    writeFile(path, "0123456789");
    const ReadFile at = readRegularFile(path, 10);
    EXPECT_EQ(at.status, Status::Read);
    EXPECT_EQ(at.bytes, "0123456789");
    const ReadFile past = readRegularFile(path, 9);
    EXPECT_EQ(past.status, Status::TooLarge);
    EXPECT_TRUE(past.bytes.isEmpty());
    EXPECT_EQ(past.reason, "larger than 9 bytes");
    writeFile(path, "");
    EXPECT_EQ(readRegularFile(path, 0).status, Status::Read);
}

TEST_F(RegularFileTest, ALinkToAFileIsTheFile) {
    writeFile(dir.filePath("real"), "text");
    ASSERT_TRUE(QFile::link(dir.filePath("real"), path));
    EXPECT_EQ(readRegularFile(path, 10).bytes, "text");
}

// A FIFO without a writer would block an ordinary open for ever; one with a writer that never
// writes would block the read. Neither is read.
TEST_F(RegularFileTest, AFifoIsRefusedAtOnce) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    ReadFile read = readRegularFile(path, 10);
    EXPECT_EQ(read.status, Status::NotRegular);
    EXPECT_EQ(read.reason, "not a regular file");
    const int writer = ::open(QFile::encodeName(path).constData(), O_RDWR);
    ASSERT_GE(writer, 0);
    EXPECT_EQ(readRegularFile(path, 10).status, Status::NotRegular);
    ::close(writer);
}

TEST_F(RegularFileTest, FoldersAndDevicesAreRefused) {
    EXPECT_EQ(readRegularFile(dir.path(), 10).status, Status::NotRegular);
    EXPECT_EQ(readRegularFile("/dev/zero", 1 << 20).status, Status::NotRegular);
    ASSERT_TRUE(QFile::link("/dev/null", path));
    EXPECT_EQ(readRegularFile(path, 10).status, Status::NotRegular);
}

TEST_F(RegularFileTest, AFileWithoutPermissionFails) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    writeFile(path, "secret");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::WriteOwner));
    const ReadFile read = readRegularFile(path, 10);
    EXPECT_EQ(read.status, Status::Failed);
    EXPECT_EQ(read.reason, qt_error_string(EACCES));
}

} // namespace
