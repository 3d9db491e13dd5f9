#include "codec_helpers.h"
#include "tally/store/lzrw1kh.h"
#include "tally/store/tallyfile.h"

#include <gtest/gtest.h>

namespace {

using namespace zb::tallyfile;
using tallytest::bytes;
using zb::lzrw1kh::kChunk;

const QString kName = QStringLiteral("/games/zorbinettally.tld");

QByteArray header(std::uint32_t length) {
    return QByteArray("WRZL") + bytes({int(length & 0xFF), int((length >> 8) & 0xFF),
                                       int((length >> 16) & 0xFF), int(length >> 24)});
}

QByteArray block(const QByteArray& data) {
    return bytes({int(data.size() & 0xFF), int(data.size() >> 8)}) + data;
}

TEST(TallyFileTest, EmptyTextIsTheHeaderAndOneEmptyBlock) {
    EXPECT_EQ(encode({}).toHex(' '), (header(0) + block(bytes({0x80}))).toHex(' '));
    const Decoded d = decode(encode({}), kName);
    EXPECT_TRUE(d.ok()) << d.error.toStdString();
    EXPECT_TRUE(d.text.isEmpty());
}

TEST(TallyFileTest, ShortTextIsOneBlock) {
    EXPECT_EQ(encode("abc").toHex(' '),
              (header(3) + block(bytes({0x80, 'a', 'b', 'c'}))).toHex(' '));
}

TEST(TallyFileTest, WholeChunkTextEndsWithTheSingleStoredByte) {
    QByteArray text;
    while (text.size() < kChunk)
        text += "9\r\n3\r\n0\r\nAnn\r\nBob\r\n";
    text.truncate(kChunk);
    const QByteArray file = encode(text);
    EXPECT_TRUE(file.endsWith(bytes({0x01, 0x00, 0x80})));
    const qsizetype firstBlock = std::uint8_t(file[8]) | (std::uint8_t(file[9]) << 8);
    EXPECT_EQ(file.size(), 8 + 2 + firstBlock + 3);
    const Decoded d = decode(file, kName);
    ASSERT_TRUE(d.ok()) << d.error.toStdString();
    EXPECT_EQ(d.text, text);
}

TEST(TallyFileTest, RoundTripsTextsAroundChunkBoundaries) {
    for (qsizetype size : {qsizetype(1), kChunk - 1, kChunk + 1, 2 * kChunk, qsizetype(100000)}) {
        SCOPED_TRACE(size);
        const QByteArray text = tallytest::randomBytes(size, unsigned(size));
        const Decoded d = decode(encode(text), kName);
        ASSERT_TRUE(d.ok()) << d.error.toStdString();
        EXPECT_EQ(d.text, text);
    }
}

TEST(TallyFileTest, TrailingBytesAfterTheLastBlockAreIgnored) {
    const Decoded d = decode(encode("abc") + "garbage", kName);
    EXPECT_TRUE(d.ok());
    EXPECT_EQ(d.text, "abc");
}

struct Bad {
    const char* name;
    QByteArray file;
    QString error;
};

std::vector<Bad> badFiles() {
    const QByteArray good = encode("hello tally");
    QByteArray wrongLength = good;
    wrongLength[4] = char(wrongLength[4] + 1);
    QByteArray shorterLength = good;
    shorterLength[4] = char(shorterLength[4] - 1);
    const QByteArray whole = encode(QByteArray(kChunk, 'w'));
    return {
        {"bad header", "ABCD" + good.sliced(4), headerError(kName)},
        {"LZH header", "!HZL" + good.sliced(4), lzhError(kName)},
        {"empty file", {}, headerError(kName)},
        {"header cut short", "WRZ", headerError(kName)},
        {"length cut short", "WRZL\x01", sizeError()},
        {"no blocks", header(3), sizeError()},
        {"wrong length, longer", wrongLength, sizeError()},
        {"wrong length, shorter", shorterLength, sizeError()},
        {"block longer than the file", header(3) + bytes({100, 0, 0x80, 'a'}), sizeError()},
        {"block length cut short", header(3) + bytes({4}), sizeError()},
        {"whole chunk without its final block", whole.first(whole.size() - 3), sizeError()},
        {"corrupt block", header(3) + block(bytes({0x40, 0x80, 0x00, 0x00, 0x10})), corruptError()},
        {"truncated item", header(3) + block(bytes({0x40, 0x40, 0x00, 'a', 0x00})), corruptError()},
        {"length past the limit", header(std::uint32_t(kMaxText) + 1) + block(bytes({0x80})),
         tooLargeError()},
        {"length of 4 GiB", header(0xFFFFFFFFu) + block(bytes({0x80})), tooLargeError()},
    };
}

TEST(TallyFileTest, BadFilesAreRejectedWithTheirText) {
    for (const Bad& bad : badFiles()) {
        SCOPED_TRACE(bad.name);
        const Decoded d = decode(bad.file, kName);
        EXPECT_FALSE(d.ok());
        EXPECT_EQ(d.error, bad.error);
        EXPECT_TRUE(d.text.isEmpty());
    }
}

TEST(TallyFileTest, ErrorTextsReadAsDesigned) {
    EXPECT_EQ(headerError("f.tld"),
              "f.tld : Lzrw1 decompression : this file has no valid header !");
    EXPECT_EQ(sizeError(),
              "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
}

TEST(TallyFileTest, ATextAtTheLimitReadsAndOnePastItIsRefused) {
    const QByteArray text(kMaxText, 'a');
    const Decoded d = decode(encode(text), kName);
    ASSERT_TRUE(d.ok()) << d.error.toStdString();
    EXPECT_EQ(d.text.size(), kMaxText);
    const Decoded past = decode(encode(text + 'a'), kName);
    EXPECT_EQ(past.error, tooLargeError());
    EXPECT_TRUE(past.text.isEmpty());
}

// Blocks that expand to more than the header announced are refused at the block that passes it,
// whatever follows: the text never grows past the stored length.
TEST(TallyFileTest, BlocksBeyondTheStoredLengthAreRefused) {
    QByteArray file = encode(QByteArray(3 * kChunk, 'a'));
    file.replace(0, 8, header(std::uint32_t(kChunk)));
    const Decoded d = decode(file, kName);
    EXPECT_EQ(d.error, sizeError());
    EXPECT_TRUE(d.text.isEmpty());
}

} // namespace
