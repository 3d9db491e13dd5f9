// The download window's picture: the shipped JPEG decodes, and no damaged file can crash the
// decoder or end the program.

#include "side/jpegreader.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray shippedPicture() {
    QFile file(QStringLiteral(":/pictures/lobby.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(JpegReader, TheShippedPictureDecodesToItsSize) {
    const QByteArray data = shippedPicture();
    ASSERT_FALSE(data.isEmpty());
    const QImage image = zb::decodeJpeg(data);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(430, 240));
    // Night sky at the top, green table at the bottom: the colours came through in order.
    const QColor sky = image.pixelColor(5, 5);
    const QColor table = image.pixelColor(215, 225);
    EXPECT_GT(sky.blue(), sky.red() + 30);
    EXPECT_GT(table.green(), table.red() + 30);
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 255);
}

TEST(JpegReader, DamagedDataGivesANullImage) {
    const QByteArray good = shippedPicture();
    ASSERT_GT(good.size(), 1000);
    QByteArray flipped = good;
    for (qsizetype i = flipped.size() / 3; i < flipped.size() / 3 + 400; ++i)
        flipped[i] = static_cast<char>(flipped[i] ^ 0x5A);
    QByteArray hugeFrame = good;
    // The frame header's height and width (after FF C0, length, precision) made 65500 x 65500.
    const qsizetype sof = hugeFrame.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    hugeFrame[sof + 5] = hugeFrame[sof + 7] = static_cast<char>(0xFF);
    hugeFrame[sof + 6] = hugeFrame[sof + 8] = static_cast<char>(0xDC);
    const struct {
        const char* name;
        QByteArray data;
    } cases[] = {
        {"empty", QByteArray()},
        {"one byte", QByteArray("\xFF", 1)},
        {"garbage", QByteArray(5000, 'g')},
        {"start marker only", QByteArray("\xFF\xD8\xFF", 3)},
        {"header only", good.left(200)},
        {"first half", good.left(good.size() / 2)},
        {"all but the end marker", good.left(good.size() - 2)},
        {"bytes changed", flipped},
        {"huge frame", hugeFrame},
        {"a PNG", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(zb::decodeJpeg(c.data).isNull()) << c.name;
}

TEST(JpegReader, EveryCutOfThePictureIsHandled) {
    const QByteArray good = shippedPicture();
    for (qsizetype length = 0; length < good.size(); length += 97)
        EXPECT_TRUE(zb::decodeJpeg(good.left(length)).isNull()) << length;
    EXPECT_FALSE(zb::decodeJpeg(good).isNull());
}

} // namespace
