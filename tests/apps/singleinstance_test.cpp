// The single-instance guard: only a live copy keeps another from starting; every other failure
// (a lock file left behind in any state, a folder that is not the user's own, one that cannot be
// written) is told apart from it, and the game then starts anyway.

#include "support/isolation.h"
#include "support/wait.h"

#include "apps/zorbinet/singleinstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using zb::SingleInstance;
using Outcome = zb::SingleInstance::Outcome;
using zbtest::waitFor;

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

class SingleInstanceTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder = dir.filePath("runtime");
    QString lock() const { return folder + "/vidro5.lock"; }
};

TEST_F(SingleInstanceTest, TheFirstCopyHoldsTheGuardAndASecondOneRaisesIt) {
    SingleInstance first(folder);
    int raised = 0;
    first.setOnRaise([&] { ++raised; });
    ASSERT_EQ(first.acquire(), Outcome::Only);
    EXPECT_EQ(QFileInfo(folder).permissions() & 0x0077, 0) << "only the owner";

    SingleInstance second(folder);
    EXPECT_EQ(second.acquire(), Outcome::Running);
    EXPECT_TRUE(second.raised());
    EXPECT_TRUE(waitFor([&] { return raised == 1; }));
    EXPECT_TRUE(second.problem().isEmpty());
}

TEST_F(SingleInstanceTest, TheGuardEndsWithItsHolder) {
    auto first = std::make_unique<SingleInstance>(folder);
    ASSERT_EQ(first->acquire(), Outcome::Only);
    first.reset();
    SingleInstance next(folder);
    EXPECT_EQ(next.acquire(), Outcome::Only);
    EXPECT_TRUE(QFile::exists(lock())) << "the file stays; only its lock went";
}

// A lock file left behind by a copy that crashed, by a disk that filled up while it was written,
// or on a machine that has since changed its name, is no live copy.
TEST_F(SingleInstanceTest, ALockFileLeftBehindInAnyStateIsTakenOver) {
    const QByteArray leftovers[] = {
        "",
        "garbage\x01\x02 not a lock",
        "12345\nzorbinet\nsome-other-host\n",
        QByteArray::number(::getpid()) + "\nzorbinet\n" + QSysInfo::machineHostName().toUtf8() +
            "\n",
    };
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    for (const QByteArray& text : leftovers) {
        SCOPED_TRACE(text.toStdString());
        writeFile(lock(), text);
        SingleInstance guard(folder);
        EXPECT_EQ(guard.acquire(), Outcome::Only) << guard.problem().toStdString();
        QFile f(lock());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_TRUE(
            f.readAll().startsWith(QByteArray::number(QCoreApplication::applicationPid()) + "\n"));
    }
}

TEST_F(SingleInstanceTest, AFolderOthersCanWriteIsNotUsed) {
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const mode_t mode : {0777, 0720, 0702, 01777}) {
        SCOPED_TRACE(mode);
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), mode), 0);
        SingleInstance guard(folder);
        EXPECT_EQ(guard.acquire(), Outcome::Undetectable);
        EXPECT_EQ(guard.problem(),
                  QDir::toNativeSeparators(folder) + " can be written by other users");
        EXPECT_FALSE(QFile::exists(lock()));
    }
}

TEST_F(SingleInstanceTest, AFolderOfAnotherUserIsNotUsed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a folder away";
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0700), 0);
    ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 65534, 65534), 0);
    writeFile(lock(), "65534\nzorbinet\nhere\n");
    SingleInstance guard(folder);
    EXPECT_EQ(guard.acquire(), Outcome::Undetectable);
    EXPECT_EQ(guard.problem(), QDir::toNativeSeparators(folder) + " belongs to another user");
}

TEST_F(SingleInstanceTest, ALinkInPlaceOfTheFolderIsNotFollowed) {
    const QString real = dir.filePath("elsewhere");
    ASSERT_TRUE(QDir().mkpath(real));
    ASSERT_TRUE(QFile::link(real, folder));
    SingleInstance guard(folder);
    EXPECT_EQ(guard.acquire(), Outcome::Undetectable);
    EXPECT_EQ(guard.problem(), QDir::toNativeSeparators(folder) + " is a symbolic link");
    EXPECT_FALSE(QFile::exists(real + "/vidro5.lock"));
}

TEST_F(SingleInstanceTest, AFolderOfTheUsersOwnThatOthersMayOnlyReadIsClosedToThem) {
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
    SingleInstance guard(folder);
    EXPECT_EQ(guard.acquire(), Outcome::Only);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(SingleInstanceTest, SomethingElseInPlaceOfTheLockFileIsNoLiveCopy) {
    ASSERT_TRUE(QDir().mkpath(lock())); // a folder
    SingleInstance guard(folder);
    EXPECT_EQ(guard.acquire(), Outcome::Undetectable);
    EXPECT_TRUE(guard.problem().startsWith(QDir::toNativeSeparators(lock()) + ": "))
        << guard.problem().toStdString();

    ASSERT_TRUE(QDir(lock()).removeRecursively());
    ASSERT_EQ(::mkfifo(QFile::encodeName(lock()).constData(), 0600), 0);
    SingleInstance again(folder);
    EXPECT_EQ(again.acquire(), Outcome::Undetectable);
    EXPECT_EQ(again.problem(), QDir::toNativeSeparators(lock()) + " is not a regular file");
}

TEST_F(SingleInstanceTest, AFolderThatCannotBeWrittenIsTold) {
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0700), 0);
    const zbtest::ChildResult child = zbtest::onReadOnlyFolder(folder, [&] {
        SingleInstance guard(folder);
        const Outcome outcome = guard.acquire();
        return QByteArray::number(int(outcome)) + '|' + guard.problem().toUtf8();
    });
    if (!child.ran)
        GTEST_SKIP() << "no private mounts here";
    EXPECT_EQ(child.output, QByteArray::number(int(Outcome::Undetectable)) + '|' +
                                QDir::toNativeSeparators(lock()).toUtf8() + ": " +
                                qt_error_string(EROFS).toUtf8());
}

TEST_F(SingleInstanceTest, NoFolderAtAllIsTold) {
    EXPECT_EQ(SingleInstance::unfitFolder(QString()), "there is no runtime folder");
    writeFile(dir.filePath("plain"), "x");
    EXPECT_EQ(SingleInstance::unfitFolder(dir.filePath("plain")),
              QDir::toNativeSeparators(dir.filePath("plain")) + " is not a folder");
}

TEST(SingleInstanceFolder, TheRuntimeFolderOrOneOfTheUsersOwn) {
    const QString folder = SingleInstance::defaultFolder();
    EXPECT_FALSE(folder.isEmpty());
    EXPECT_EQ(SingleInstance::unfitFolder(folder), QString());
}

} // namespace
