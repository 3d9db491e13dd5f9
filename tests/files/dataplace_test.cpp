// Where the player's files are written, and where they are read from while the place where they
// are written has none yet.

#include "support/isolation.h"

#include "files/dataplace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using zb::files::chooseDataPlace;
using zb::files::DataPlace;

void writeFile(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

class DataPlaceTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString program = dir.filePath("program");
    QString user = dir.filePath("user");
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(program)); }
};

TEST_F(DataPlaceTest, AWritableProgramFolderKeepsItsFilesAndNeedsNoOther) {
    const DataPlace place = chooseDataPlace(program, user);
    EXPECT_EQ(place.folder, program);
    EXPECT_EQ(place.fallback, QString());
}

TEST_F(DataPlaceTest, OtherwiseThePerUserFolderWithNothingToReadElsewhere) {
    struct Case {
        const char* name;
        QString programFolder;
    };
    writeFile(dir.filePath("a-file"), "x");
    ASSERT_TRUE(QDir().mkpath(dir.filePath("bin")));
    const Case cases[] = {
        {"no program folder", QString()},
        {"missing", dir.filePath("gone")},
        {"a file", dir.filePath("a-file")},
        {"an installed bin folder", dir.filePath("bin")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DataPlace place = chooseDataPlace(c.programFolder, user);
        EXPECT_EQ(place.folder, user);
        EXPECT_EQ(place.fallback, QString());
    }
}

TEST_F(DataPlaceTest, AReadOnlyProgramFolderIsWhereTheFilesAreReadFrom) {
    const zbtest::ChildResult child = zbtest::onReadOnlyFolder(program, [&] {
        const DataPlace place = chooseDataPlace(program, user);
        return (place.folder + '|' + place.fallback).toUtf8();
    });
    if (!child.ran)
        GTEST_SKIP() << "no private mounts here";
    EXPECT_EQ(child.output, (user + '|' + program).toUtf8());
}

TEST_F(DataPlaceTest, TheUserFolderIsReadOnceItHasTheFile) {
    const DataPlace place(user, program);
    const QString name = "quonlobby.ini";
    EXPECT_EQ(place.writePath(name), user + "/" + name);
    EXPECT_EQ(place.readPath(name), user + "/" + name) << "neither has one";
    EXPECT_FALSE(place.readsFallback(name));

    writeFile(program + "/" + name, "program's");
    EXPECT_EQ(place.readPath(name), program + "/" + name);
    EXPECT_TRUE(place.readsFallback(name));
    EXPECT_EQ(place.readPath("zorbinettally.tld"), user + "/zorbinettally.tld")
        << "each file by itself";

    writeFile(user + "/" + name, "user's");
    EXPECT_EQ(place.readPath(name), user + "/" + name);
    EXPECT_FALSE(place.readsFallback(name));
}

TEST_F(DataPlaceTest, AnUnreadableFileInTheUserFolderIsStillTheUsers) {
    const DataPlace place(user, program);
    writeFile(program + "/a", "program's");
    writeFile(program + "/b", "program's");
    ASSERT_TRUE(QDir().mkpath(user));
    ASSERT_TRUE(QFile::link(user + "/gone", user + "/a"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(user + "/b").constData(), 0600), 0);
    EXPECT_EQ(place.readPath("a"), user + "/a") << "a dangling link";
    EXPECT_EQ(place.readPath("b"), user + "/b") << "a FIFO";
}

TEST_F(DataPlaceTest, WithoutAFallbackEverythingIsTheFolder) {
    const DataPlace place(user);
    writeFile(program + "/a", "program's");
    EXPECT_EQ(place.readPath("a"), user + "/a");
    EXPECT_FALSE(place.readsFallback("a"));
}

} // namespace
