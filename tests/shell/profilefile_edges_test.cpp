// The settings file's size limit exactly: a file of kMaxSize bytes is read, one a byte longer is
// not ours to parse and is never rewritten.

#include "shell/profilefile.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ProfileFileEdges, TheLargestFileIsReadAndOneByteMoreIsNot) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quonlobby.ini"));
    const QByteArray head = "[Zorbinet]\nTop=1\n";
    for (const qint64 size : {zb::ProfileFile::kMaxSize - 1, zb::ProfileFile::kMaxSize,
                              zb::ProfileFile::kMaxSize + 1}) {
        const QByteArray bytes = head + QByteArray(size - head.size(), ';');
        ASSERT_TRUE(zbtest::writeFile(path, bytes));
        zb::ProfileFile file = zb::ProfileFile::load(path);
        const bool fits = size <= zb::ProfileFile::kMaxSize;
        EXPECT_EQ(file.state() == zb::ProfileFile::State::Read, fits) << size;
        EXPECT_EQ(file.value(u"Zorbinet", u"Top"), fits ? QStringLiteral("1") : QString()) << size;
        file.setValue(u"Zorbinet", u"Top", QStringLiteral("2"));
        EXPECT_EQ(file.save(), fits) << size;
        const QByteArray after = zbtest::readFile(path);
        EXPECT_EQ(after, fits ? QByteArray(bytes).replace("Top=1", "Top=2") : bytes) << size;
    }
}

} // namespace
