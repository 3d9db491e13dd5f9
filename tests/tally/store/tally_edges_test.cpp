// The tally's codec, file and text at their edges: blocks that tell the hash's exact bits apart,
// runs that end exactly at a chunk's end and one byte past it, the header's length in all four
// bytes, row counts and numbers at their limits, and an old ".bad" already present when another
// unreadable file is kept.

#include "codec_helpers.h"
#include "support/files.h"
#include "support/isolation.h"
#include "tally/store/lzrw1kh.h"
#include "tally/store/quonstrgrid.h"
#include "tally/store/tallyfile.h"
#include "tally/store/tallymodel.h"
#include "tally/store/tallystore.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace zb::lzrw1kh;
using tallytest::bytes;
using zb::QuonStrgrid;

QByteArray hex(const QByteArray& b) {
    return b.toHex(' ');
}

// --- Blocks --------------------------------------------------------------------------------------

struct Worked {
    const char* name;
    QByteArray input;
    QByteArray block;
};

// "X" + filler + "Y" + "X" + filler, where X and Y have hashes that differ in one bit only: X's
// table entry survives Y, and the second X is copied whole (20 back, 17 long: 0x014E). A hash
// with that bit lost would let Y take X's entry, and the second X would begin with a literal.
const QByteArray kFiller = "mnopqrstuvwxyz";
QByteArray nearMiss(const QByteArray& x, const QByteArray& y) {
    return x + kFiller + y + x + kFiller;
}
QByteArray nearMissBlock(const QByteArray& x, const QByteArray& y) {
    // Sixteen literals under the first control word, then z, Y and the copy under the second.
    return bytes({0x40, 0x00, 0x00}) + x + kFiller.first(13) + bytes({0x08, 0x00}) + "z" + y +
           bytes({0x01, 0x4E});
}

const Worked kWorked[] = {
    // "JHU" hashes to 0xB70, "NDS" to 0x370: they differ in the hash's highest bit alone.
    {"hashes apart in the top bit", nearMiss("JHU", "NDS"), nearMissBlock("JHU", "NDS")},
    // "ABC" 0xD9B, "OSP" 0xD9A: apart in the lowest bit alone.
    {"hashes apart in the bottom bit", nearMiss("ABC", "OSP"), nearMissBlock("ABC", "OSP")},
    // "BFI" 0x573, "RUK" 0xFD0: apart, but together under another multiplier.
    {"hashes apart by the multiplier", nearMiss("BFI", "RUK"), nearMissBlock("BFI", "RUK")},
    // A run that ends exactly at the end of the chunk: three literals and a run of 16.
    {"run ending at the chunk's end", "abc" + QByteArray(16, 'x'),
     bytes({0x40, 0x10, 0x00, 'a', 'b', 'c', 0x00, 0x00, 0x00, 'x'})},
    // One byte short of a run: a literal, then a copy of 14 from one back reaching the end.
    {"copy ending at the chunk's end", "abc" + QByteArray(15, 'x'),
     bytes({0x40, 0x08, 0x00, 'a', 'b', 'c', 'x', 0x00, 0x1B})},
};

TEST(TallyCodecEdges, WorkedBlocksAreByteExactAndExpandBack) {
    for (const Worked& w : kWorked) {
        SCOPED_TRACE(w.name);
        EXPECT_EQ(hex(compressBlock(w.input)), hex(w.block));
        QByteArray out;
        ASSERT_TRUE(expandBlock(w.block, out));
        EXPECT_EQ(out, w.input);
    }
}

// --- The file: chunks, blocks and header
// ----------------------------------------------------------

QByteArray le(std::uint32_t value, int n) {
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out.append(char(value >> (8 * i)));
    return out;
}

// Text that compresses, so that how its last chunk ends shows in the blocks.
QByteArray tallyLike(qsizetype size) {
    QByteArray text;
    while (text.size() < size)
        text += "9\r\n3\r\n0\r\nAnn\r\nBob\r\n";
    text.truncate(size);
    return text;
}

TEST(TallyFileEdges, ARunEndingAtTheChunksEndAndOneBytePastIt) {
    const QByteArray atEnd = tallyLike(kChunk - 20) + QByteArray(20, 'x');
    const QByteArray file = zb::tallyfile::encode(atEnd);
    // The first block ends with the run item of 20 and is followed by the empty chunk's block.
    ASSERT_TRUE(file.endsWith(bytes({0x00, 0x00, 0x04, 'x', 0x01, 0x00, 0x80})))
        << hex(file.right(8)).constData();
    // One more 'x' belongs to the next chunk: the first block is the same, the run does not
    // reach into the next chunk, and the second block holds the byte stored as is.
    const QByteArray past = zb::tallyfile::encode(atEnd + "x");
    EXPECT_EQ(hex(past), hex("WRZL" + le(std::uint32_t(kChunk + 1), 4) +
                             file.sliced(8, file.size() - 8 - 3) + bytes({0x02, 0x00, 0x80, 'x'})));
    for (const QByteArray& text : {atEnd, atEnd + "x", atEnd + QByteArray(40, 'x')}) {
        const zb::tallyfile::Decoded d = zb::tallyfile::decode(zb::tallyfile::encode(text), "t");
        ASSERT_TRUE(d.ok()) << d.error.toStdString();
        EXPECT_EQ(d.text, text);
    }
}

TEST(TallyFileEdges, CopiesStopAtTheChunksEnd) {
    // A period of 7 runs across the boundary: copies must end at the chunk's last byte.
    for (const qsizetype size : {kChunk + 1, kChunk + 5, kChunk + 18, 2 * kChunk + 3}) {
        QByteArray text;
        while (text.size() < size)
            text += "Zorbine";
        text.truncate(size);
        const zb::tallyfile::Decoded d = zb::tallyfile::decode(zb::tallyfile::encode(text), "t");
        ASSERT_TRUE(d.ok()) << size << " " << d.error.toStdString();
        EXPECT_EQ(d.text, text);
    }
}

TEST(TallyFileEdges, LengthsAreLittleEndianInEveryByte) {
    // 0x010203 bytes: the length field is 03 02 01 00.
    const QByteArray file = zb::tallyfile::encode(tallyLike(0x010203));
    EXPECT_EQ(hex(file.first(8)), hex("WRZL" + bytes({0x03, 0x02, 0x01, 0x00})));
    // A chunk that does not compress is stored: its block is 32,769 = 0x8001 bytes long.
    const QByteArray stored = zb::tallyfile::encode(tallytest::randomBytes(kChunk, 3));
    EXPECT_EQ(hex(stored.sliced(8, 3)), hex(bytes({0x01, 0x80, 0x80})));
    EXPECT_EQ(stored.size(), 8 + 2 + kChunk + 1 + 3);
}

// Blocks that each fill a whole chunk, under a header that announces less: the reader stops at
// the first block past the announced length instead of expanding them all (some 60 MiB here)
// and only then finding that the total is wrong. Measured as address space in a child.
TEST(TallyFileEdges, BlocksPastTheAnnouncedLengthAreNeverExpanded) {
    QByteArray full = bytes({0x40, 0xFF, 0x00});
    for (int i = 0; i < 8; ++i)
        full += bytes({0x00, 0x0F, 0xEF, 'r'});
    full += "abcdefgh"; // 8 runs of 4,095 and 8 literals: exactly one chunk
    QByteArray file = "WRZL" + le(std::uint32_t(kChunk), 4);
    for (int i = 0; i < 2000; ++i)
        file += le(std::uint32_t(full.size()), 2) + full;
    file += le(1, 2) + bytes({0x80});
    ASSERT_LT(file.size(), 100 * 1024);
    const zbtest::ChildResult child = zbtest::withAddressSpaceLimit(16 << 20, [&] {
        const zb::tallyfile::Decoded d = zb::tallyfile::decode(file, "t");
        return d.error.toUtf8();
    });
    if (!child.ran)
        GTEST_SKIP() << "no address space limit here";
    EXPECT_EQ(child.status, 0) << "the decoder ran out of its budget";
    EXPECT_EQ(child.output, zb::tallyfile::sizeError().toUtf8());
}

// --- The text ------------------------------------------------------------------------------------

TEST(TallyTextEdges, RowCountsUpToTheLimitAndCountsOfNineDigits) {
    const struct {
        QByteArray head;
        QString error;
    } cases[] = {
        // Counts the text cannot hold are refused before anything is allocated for them.
        {"9\r\n10000\r\n", QuonStrgrid::endOfFileError()},
        {"9\r\n10001\r\n", QuonStrgrid::rowsError()},
        {"9\r\n000000001\r\n", QuonStrgrid::endOfFileError()},
        {"9\r\n0000000001\r\n", QuonStrgrid::numberError()},
        {"000000009\r\n1\r\n", QuonStrgrid::endOfFileError()},
        {"0000000009\r\n1\r\n", QuonStrgrid::numberError()},
        {"9\r\n1\r\n", QuonStrgrid::endOfFileError()},
    };
    for (const auto& c : cases) {
        zb::TallyGrid grid;
        EXPECT_EQ(QuonStrgrid::read(c.head, grid), c.error) << c.head.constData();
        EXPECT_TRUE(grid.empty());
    }
    // Nine cells make the one row whole.
    zb::TallyGrid grid;
    EXPECT_EQ(
        QuonStrgrid::read("9\r\n000000001\r\n0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8", grid),
        QString());
    EXPECT_EQ(grid.size(), 1u);
}

TEST(TallyTextEdges, CountsAreThirtyTwoBitNumbers) {
    const struct {
        const char* cell;
        bool read;
    } cases[] = {
        {"2147483647", true},       {"2147483648", false},  {"-2147483648", true},
        {"-2147483649", false},     {"+7", true},           {"-", false},
        {"0000000000000007", true}, {"99999999999", false},
    };
    for (const auto& c : cases) {
        zb::TallyGrid grid(2);
        grid[0] = {"0", "0", "0", "0", "0", "0", "0", "0", "0"};
        grid[1] = {"Ann", c.cell, "0", "0", "0", "0", "0", "0", "0"};
        zb::TallyModel m;
        const QString error = m.load(grid);
        EXPECT_EQ(error.isEmpty(), c.read) << c.cell << ": " << error.toStdString();
        EXPECT_EQ(m.opponents(), c.read ? 1 : 0) << c.cell;
    }
    // The top count stays at the top.
    zb::TallyModel m;
    zb::TallyGrid grid(1);
    grid[0] = {"0", "2147483646", "0", "0", "0", "0", "0", "0", "0"};
    ASSERT_EQ(m.load(grid), QString());
    m.addtomine(1);
    EXPECT_EQ(m.cell(1, 0), "2147483647");
    m.addtomine(1);
    EXPECT_EQ(m.cell(1, 0), "2147483647");
}

// --- The kept unreadable file --------------------------------------------------------------------

TEST(TallyStoreEdges, AnOldBadFileGivesWayToTheNewUnreadableOne) {
    QTemporaryDir dir;
    zb::TallyStore store(dir.path());
    ASSERT_TRUE(zbtest::writeFile(store.badPath(), "the older unreadable one"));
    ASSERT_TRUE(zbtest::writeFile(store.path(), "WRZLnot a tally"));
    zb::TallyModel m;
    EXPECT_FALSE(store.load(m).isEmpty());
    m.addtomine(1);
    ASSERT_EQ(store.save(m), QString());
    EXPECT_EQ(zbtest::readFile(store.badPath()), QByteArray("WRZLnot a tally"));
    zb::TallyModel again;
    ASSERT_EQ(zb::TallyStore(dir.path()).load(again), QString());
    EXPECT_EQ(again.cell(1, 0), "1");
    // A readable file leaves an old .bad alone.
    ASSERT_TRUE(zbtest::writeFile(store.badPath(), "kept"));
    zb::TallyStore next(dir.path());
    zb::TallyModel third;
    ASSERT_EQ(next.load(third), QString());
    ASSERT_EQ(next.save(third), QString());
    EXPECT_EQ(zbtest::readFile(store.badPath()), QByteArray("kept"));
}

} // namespace
