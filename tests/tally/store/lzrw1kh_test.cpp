#include "codec_helpers.h"
#include "tally/store/lzrw1kh.h"

#include <gtest/gtest.h>

namespace {

using namespace zb::lzrw1kh;
using tallytest::bytes;

QByteArray expanded(const QByteArray& block) {
    QByteArray out;
    EXPECT_TRUE(expandBlock(block, out));
    return out;
}

QByteArray repeat(char c, int n) {
    return QByteArray(n, c);
}

struct HandWorked {
    const char* name;
    QByteArray input;
    QByteArray block;
};

// Each worked out by hand from the item rules.
const HandWorked kHandWorked[] = {
    {"empty chunk", {}, bytes({0x80})},
    {"literals only are stored as is", "abc", bytes({0x80, 'a', 'b', 'c'})},
    {"one copy item, control word padded at its low end", "abcabcabcabcabcabcabc",
     bytes({0x40, 0x10, 0x00, 'a', 'b', 'c', 0x00, 0x3F})},
    {"one run item", repeat('x', 20), bytes({0x40, 0x80, 0x00, 0x00, 0x00, 0x04, 'x'})},
    {"run of 15 is a literal and a copy", repeat('x', 15),
     bytes({0x40, 0x40, 0x00, 'x', 0x00, 0x1B})},
    {"run of 16", repeat('x', 16), bytes({0x40, 0x80, 0x00, 0x00, 0x00, 0x00, 'x'})},
    {"run of 17", repeat('x', 17), bytes({0x40, 0x80, 0x00, 0x00, 0x00, 0x01, 'x'})},
    {"run of 4095", repeat('x', 4095), bytes({0x40, 0x80, 0x00, 0x00, 0x0F, 0xEF, 'x'})},
    {"run of 4096 is the longest run and a literal", repeat('x', 4096),
     bytes({0x40, 0x80, 0x00, 0x00, 0x0F, 0xEF, 'x', 'x'})},
    {"a second control word after sixteen items", "ABCDEFGHIJKLMNOP" + repeat('z', 16),
     bytes({0x40, 0x00, 0x00}) + "ABCDEFGHIJKLMNOP" + bytes({0x80, 0x00, 0x00, 0x00, 0x00, 'z'})},
    {"a match exactly 4095 back", "XYZ" + repeat('a', 4092) + "XYZ",
     bytes({0x40, 0x18, 0x00, 'X', 'Y', 'Z', 0x00, 0x0F, 0xEC, 'a', 0xFF, 0xF0})},
    // "CAD" has the hash of "BPT" (0x502) and takes its place in the table, so the second "BPT"
    // finds nothing and only "PTQ..." is copied.
    {"a hash collision forgets the earlier position", "BPTQRSTUVWXYZCADBPTQRSTUVWXYZ",
     bytes({0x40, 0x00, 0x00}) + "BPTQRSTUVWXYZCAD" + bytes({0x40, 0x00, 'B', 0x01, 0x09})},
    {"4096 back is too far", "XYZ" + repeat('a', 4093) + "XYZ",
     bytes({0x40, 0x10, 0x00, 'X', 'Y', 'Z', 0x00, 0x0F, 0xED, 'a', 'X', 'Y', 'Z'})},
};

TEST(Lzrw1khTest, HandWorkedBlocksAreByteExact) {
    for (const HandWorked& c : kHandWorked) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(compressBlock(c.input).toHex(' '), c.block.toHex(' '));
        EXPECT_EQ(expanded(c.block), c.input);
    }
}

TEST(Lzrw1khTest, RoundTripsRandomAndAdversarialChunks) {
    const QByteArray random = tallytest::randomBytes(kChunk, 7);
    QByteArray runAtEnd = tallytest::randomBytes(kChunk - 100, 8) + repeat('r', 100);
    QByteArray runs;
    for (int length : {15, 16, 17, 4095, 4096, 1, 2, 3, 18, 19})
        runs += repeat(char('a' + runs.size() % 26), length);
    QByteArray periodic;
    while (periodic.size() < kChunk)
        periodic += "Ann\r\n0\r\n12\r\n";
    periodic.truncate(kChunk);
    QByteArray sparse = tallytest::randomBytes(kChunk, 9);
    for (qsizetype i = 0; i < sparse.size(); ++i)
        sparse[i] = char(sparse[i] & 0x03); // few symbols: many short copies and runs

    const QByteArray cases[] = {random,
                                runAtEnd,
                                runs,
                                periodic,
                                sparse,
                                repeat('\0', kChunk),
                                random.first(1),
                                random.first(2),
                                random.first(3),
                                repeat('q', kChunk - 1)};
    for (const QByteArray& input : cases) {
        SCOPED_TRACE(input.size());
        const QByteArray block = compressBlock(input);
        EXPECT_LE(block.size(), input.size() + 1);
        EXPECT_EQ(expanded(block), input);
    }
}

TEST(Lzrw1khTest, IncompressibleChunkIsStoredAsIs) {
    const QByteArray input = tallytest::randomBytes(kChunk, 11);
    const QByteArray block = compressBlock(input);
    ASSERT_EQ(block.size(), kChunk + 1);
    EXPECT_EQ(std::uint8_t(block[0]), kFlagStored);
    EXPECT_EQ(block.sliced(1), input);
}

TEST(Lzrw1khTest, CompressedFormAsLongAsTheChunkStaysCompressed) {
    // 80 literals and one run: 1 flag byte, 6 control words, 80 literals, 4 run bytes = 97.
    const QByteArray exact = tallytest::countingBytes(80) + repeat('\xEE', 17);
    const QByteArray block = compressBlock(exact);
    EXPECT_EQ(block.size(), exact.size());
    EXPECT_EQ(std::uint8_t(block[0]), kFlagCompressed);
    EXPECT_EQ(expanded(block), exact);

    // One literal more and one run byte less: 98 bytes for 97, so it is stored.
    const QByteArray longer = tallytest::countingBytes(81) + repeat('\xEE', 16);
    const QByteArray stored = compressBlock(longer);
    EXPECT_EQ(stored.size(), longer.size() + 1);
    EXPECT_EQ(std::uint8_t(stored[0]), kFlagStored);
    EXPECT_EQ(expanded(stored), longer);
}

TEST(Lzrw1khTest, ShortBlocksExpandToNothing) {
    for (const QByteArray& block :
         {QByteArray(), bytes({0x40}), bytes({0x80}), bytes({0x00}), bytes({0x40, 0x00, 0x00})})
        EXPECT_EQ(expanded(block), QByteArray()) << block.toHex().constData();
}

struct Corrupt {
    const char* name;
    QByteArray block;
};

QByteArray sixteenLiterals() {
    return bytes({0x40, 0x00, 0x00}) + "ABCDEFGHIJKLMNOP";
}

QByteArray nineLongRuns() {
    QByteArray block = bytes({0x40, 0xFF, 0x80});
    for (int i = 0; i < 9; ++i)
        block += bytes({0x00, 0x0F, 0xEF, 'r'});
    return block;
}

const Corrupt kCorrupt[] = {
    {"copy before the start", bytes({0x40, 0x80, 0x00, 0x00, 0x10})},
    {"distance past what was written", bytes({0x40, 0x40, 0x00, 'a', 0x00, 0x2F})},
    {"largest distance into a short output", bytes({0x40, 0x40, 0x00, 'a', 0xFF, 0xF0})},
    {"run longer than 4095", bytes({0x40, 0x80, 0x00, 0x00, 0x0F, 0xF0, 'r'})},
    {"runs past the chunk", nineLongRuns()},
    {"literals past the chunk",
     bytes({0x40}) + QByteArray(3 * kChunk / 2, '\0')}, // all control words 0: literals
    {"stored block longer than a chunk", bytes({0x80}) + QByteArray(kChunk + 1, 's')},
    {"truncated control word", bytes({0x40, 0x00})},
    {"truncated copy item", bytes({0x40, 0x40, 0x00, 'a', 0x00})},
    {"truncated run item", bytes({0x40, 0x80, 0x00, 0x00, 0x00, 0x05})},
    {"second control word cut short", sixteenLiterals() + bytes({0x00})},
    {"second control word with no item", sixteenLiterals() + bytes({0x00, 0x00})},
};

TEST(Lzrw1khTest, CorruptBlocksAreRejected) {
    for (const Corrupt& c : kCorrupt) {
        SCOPED_TRACE(c.name);
        QByteArray out = "old";
        EXPECT_FALSE(expandBlock(c.block, out));
        EXPECT_TRUE(out.isEmpty());
    }
}

TEST(Lzrw1khTest, BlocksThatFillTheChunkExactlyAreAccepted) {
    // Eight runs of 4,095 and eight literals: 32,768 bytes, sixteen items under one word.
    QByteArray block = bytes({0x40, 0xFF, 0x00});
    for (int i = 0; i < 8; ++i)
        block += bytes({0x00, 0x0F, 0xEF, 'r'});
    block += "abcdefgh";
    QByteArray out;
    ASSERT_TRUE(expandBlock(block, out));
    EXPECT_EQ(out, repeat('r', 8 * 4095) + "abcdefgh");

    // One literal more passes the chunk.
    EXPECT_FALSE(expandBlock(block + bytes({0x00, 0x00, 'i'}), out));

    ASSERT_TRUE(expandBlock(bytes({0x80}) + repeat('s', kChunk), out));
    EXPECT_EQ(out, repeat('s', kChunk));
}

} // namespace
