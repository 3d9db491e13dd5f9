#include "tally/store/quonstrgrid.h"
#include "tally/store/tallyfile.h"

#include <gtest/gtest.h>

namespace {

using zb::QuonStrgrid;
using zb::TallyGrid;
using zb::TallyRow;

TallyRow row(const QString& name, int base) {
    TallyRow r;
    r[0] = name;
    for (int c = 1; c < zb::kTallyColumns; ++c)
        r[std::size_t(c)] = QString::number(base + c);
    return r;
}

TEST(QuonStrgridTest, WritesCountsThenEveryCellColumnByColumn) {
    TallyRow zero = row("0", 0);
    const TallyGrid grid{zero, row("Ann", 10)};
    QByteArray expected = "9\r\n2\r\n0\r\nAnn\r\n";
    for (int c = 1; c < 9; ++c)
        expected += QByteArray::number(c) + "\r\n" + QByteArray::number(10 + c) + "\r\n";
    EXPECT_EQ(QuonStrgrid::write(grid), expected);
}

TEST(QuonStrgridTest, ReadsBackWhatItWrote) {
    const TallyGrid grid{row("0", 0), row(QStringLiteral("J\u00f6rg"), 10), row("", 20)};
    TallyGrid read;
    ASSERT_EQ(QuonStrgrid::read(QuonStrgrid::write(grid), read), QString());
    EXPECT_EQ(read, grid);
}

TEST(QuonStrgridTest, NamesCannotSplitTheTable) {
    const TallyGrid grid{row("0", 0), row("Ann\r\nBob\x01", 10), row(QStringLiteral("\u20ac"), 0)};
    TallyGrid read;
    ASSERT_EQ(QuonStrgrid::read(QuonStrgrid::write(grid), read), QString());
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[1][0], "Ann??Bob\x01");
    EXPECT_EQ(read[2][0], "?");
    EXPECT_EQ(read[1][8], "18");
}

TEST(QuonStrgridTest, AcceptsBareLineFeedsAndAMissingLastLineEnd) {
    QByteArray text = "9\n1\n0";
    for (int c = 1; c < 9; ++c)
        text += "\n" + QByteArray::number(c);
    TallyGrid read;
    ASSERT_EQ(QuonStrgrid::read(text, read), QString());
    EXPECT_EQ(read, TallyGrid{row("0", 0)});
}

struct Bad {
    const char* name;
    QByteArray text;
    QString error;
};

TEST(QuonStrgridTest, RefusesTextsThatAreNotATable) {
    const Bad cases[] = {
        {"empty", "", QuonStrgrid::endOfFileError()},
        {"no row count", "9\r\n", QuonStrgrid::endOfFileError()},
        {"column count not a number", "nine\r\n1\r\n", QuonStrgrid::numberError()},
        {"eight columns", "8\r\n1\r\n", QuonStrgrid::columnsError()},
        {"row count not a number", "9\r\n1x\r\n", QuonStrgrid::numberError()},
        {"negative row count", "9\r\n-1\r\n", QuonStrgrid::numberError()},
        {"no rows", "9\r\n0\r\n", QuonStrgrid::rowsError()},
        {"two million rows", "9\r\n2000000\r\n", QuonStrgrid::rowsError()},
        {"huge row count", "9\r\n99999999999999\r\n", QuonStrgrid::numberError()},
        {"cells missing", "9\r\n2\r\n0\r\nAnn\r\n1\r\n", QuonStrgrid::endOfFileError()},
    };
    for (const Bad& bad : cases) {
        SCOPED_TRACE(bad.name);
        TallyGrid read{row("old", 0)};
        EXPECT_EQ(QuonStrgrid::read(bad.text, read), bad.error);
        EXPECT_TRUE(read.empty());
    }
}

// The text of a one-opponent table whose cells are given as they stand in the file.
QByteArray oneOpponent(const QByteArray& name, const QByteArray& count) {
    QByteArray text = "9\r\n2\r\n0\r\n" + name + "\r\n";
    for (int c = 1; c < zb::kTallyColumns; ++c)
        text += "0\r\n" + count + "\r\n";
    return text;
}

TEST(QuonStrgridTest, NamesAreCutToTheLimitWhenRead) {
    const qsizetype limit = QuonStrgrid::kMaxNameLength;
    for (const qsizetype length : {limit - 1, limit, limit + 1, qsizetype(1) << 20}) {
        SCOPED_TRACE(length);
        TallyGrid read;
        ASSERT_EQ(QuonStrgrid::read(oneOpponent(QByteArray(length, 'n'), "7"), read), QString());
        EXPECT_EQ(read[1][0], QString(std::min(length, limit), u'n'));
        EXPECT_EQ(read[1][8], "7");
    }
}

TEST(QuonStrgridTest, ACountLongerThanAnyNumberIsNoNumber) {
    const QByteArray atLimit(QuonStrgrid::kMaxCountLength, '0');
    TallyGrid read;
    ASSERT_EQ(QuonStrgrid::read(oneOpponent("Ann", atLimit), read), QString());
    EXPECT_EQ(read[1][1], QString::fromLatin1(atLimit));
    EXPECT_EQ(QuonStrgrid::read(oneOpponent("Ann", atLimit + "0"), read),
              QuonStrgrid::numberError());
    EXPECT_TRUE(read.empty());
    // Row 0's first cell is a count too.
    QByteArray text = oneOpponent("Ann", "1");
    text.replace("9\r\n2\r\n0\r\n", "9\r\n2\r\n" + atLimit + "0\r\n");
    EXPECT_EQ(QuonStrgrid::read(text, read), QuonStrgrid::numberError());
}

TEST(QuonStrgridTest, NamesAreWrittenCutToTheLimit) {
    const QString longName(QuonStrgrid::kMaxNameLength + 5, u'n');
    EXPECT_EQ(QuonStrgrid::cellText(longName), longName.left(QuonStrgrid::kMaxNameLength));
    const TallyGrid grid{row("0", 0), row(longName, 10)};
    EXPECT_TRUE(QuonStrgrid::write(grid).contains(
        "\r\n" + QByteArray(QuonStrgrid::kMaxNameLength, 'n') + "\r\n1\r\n"));
}

TEST(QuonStrgridTest, TheLargestTableReadsBack) {
    TallyGrid grid(QuonStrgrid::kMaxRows, row(QString(QuonStrgrid::kMaxNameLength, u'x'), 0));
    for (auto& r : grid)
        for (int c = 1; c < zb::kTallyColumns; ++c)
            r[std::size_t(c)] = "-2147483648";
    grid[0][0] = "0";
    TallyGrid read;
    ASSERT_EQ(QuonStrgrid::read(QuonStrgrid::write(grid), read), QString());
    EXPECT_EQ(read.size(), std::size_t(QuonStrgrid::kMaxRows));
    EXPECT_LE(QuonStrgrid::write(grid).size(), zb::tallyfile::kMaxText)
        << "the file can hold the largest table";
}

} // namespace
