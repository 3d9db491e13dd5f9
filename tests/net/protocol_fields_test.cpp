#include "net/errors.h"
#include "net/peerreports.h"
#include "net/protocol.h"

#include <gtest/gtest.h>

using namespace zb::proto;

namespace {

std::string convertError(QByteArrayView text) {
    try {
        toInt(text);
    } catch (const zb::EConvertError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(ToInt, DecimalNumbers) {
    EXPECT_EQ(toInt("0"), 0);
    EXPECT_EQ(toInt("7"), 7);
    EXPECT_EQ(toInt("1000"), 1000);
    EXPECT_EQ(toInt("007"), 7);
    EXPECT_EQ(toInt("+12"), 12);
    EXPECT_EQ(toInt("-12"), -12);
    EXPECT_EQ(toInt("-0"), 0);
}

TEST(ToInt, Int32Limits) {
    EXPECT_EQ(toInt("2147483647"), 2147483647);
    EXPECT_EQ(toInt("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(toInt("00000000002147483647"), 2147483647);
    EXPECT_EQ(convertError("2147483648"), "'2147483648' is not a valid integer value");
    EXPECT_EQ(convertError("-2147483649"), "'-2147483649' is not a valid integer value");
    EXPECT_EQ(convertError("99999999999999999999999999"),
              "'99999999999999999999999999' is not a valid integer value");
}

TEST(ToInt, EverythingElseIsAConversionError) {
    for (const char* bad : {"", " ", " 1", "1 ", "+", "-", "+-1", "--1", "1a", "a1", "x", "$1F",
                            "0x10", "1.5", "1,5", "1e3", "wave5", "*4", "y"}) {
        EXPECT_EQ(convertError(bad), std::string("'") + bad + "' is not a valid integer value")
            << bad;
    }
}

TEST(ToInt, ErrorTextShowsLatin1AsCharacters) {
    // The report reads texts as UTF-8; the wire byte 0xE9 is the character e-acute.
    EXPECT_EQ(convertError("\xE9t\xE9"), "'\xC3\xA9t\xC3\xA9' is not a valid integer value");
    EXPECT_EQ(convertError("\xA3"
                           "5"),
              "'\xC2\xA3"
              "5' is not a valid integer value");
}

TEST(ToInt, ErrorTextShowsControlCharactersAsQuestionMarks) {
    EXPECT_EQ(convertError("\t2"), "'?2' is not a valid integer value");
    EXPECT_EQ(convertError(QByteArrayView("a\nb\r\x1B[2J\x7F\x85\x9F\xA0", 12)),
              "'a?b??[2J???\xC2\xA0' is not a valid integer value");
    EXPECT_EQ(convertError(QByteArrayView("\0", 1)), "'?' is not a valid integer value");
}

TEST(ToInt, ErrorTextShowsAFewDozenCharactersOfALongField) {
    const QByteArray at(zb::kReportedTextChars, 'w');
    EXPECT_EQ(convertError(at), "'" + at.toStdString() + "' is not a valid integer value");
    EXPECT_EQ(convertError(at + "x"), "'" + at.toStdString() + "...' is not a valid integer value");
    EXPECT_EQ(convertError(QByteArray(60000, 'w')),
              "'" + at.toStdString() + "...' is not a valid integer value");
    // A number too long for 32 bits is cut the same way.
    EXPECT_EQ(convertError(QByteArray(100, '9')),
              "'" + std::string(zb::kReportedTextChars, '9') + "...' is not a valid integer value");
}

TEST(ToInt, ConversionErrorIsAZbError) {
    EXPECT_THROW(toInt("no"), zb::ZbError);
}

TEST(SplitCommand, WordBeforeTheFirstPlus) {
    const Command c = splitCommand("CMD_pscore+1+8+4+1000");
    EXPECT_EQ(c.word, "CMD_pscore");
    EXPECT_EQ(c.args, "1+8+4+1000");
}

TEST(SplitCommand, TrailingPlusGivesEmptyArgs) {
    const Command c = splitCommand("CMD_full+");
    EXPECT_EQ(c.word, "CMD_full");
    EXPECT_EQ(c.args, "");
}

TEST(SplitCommand, NoPlusMeansNoWord) {
    EXPECT_EQ(splitCommand("CMD_full").word, "");
    EXPECT_EQ(splitCommand("").word, "");
}

TEST(SplitCommand, LeadingPlusGivesAnEmptyWord) {
    const Command c = splitCommand("+1+2");
    EXPECT_EQ(c.word, "");
    EXPECT_EQ(c.args, "1+2");
}

TEST(Fields, ReadsLeftToRight) {
    Fields f("1+y+1+1+4");
    EXPECT_EQ(f.nextInt(), 1);
    EXPECT_EQ(f.next(), "y");
    EXPECT_EQ(f.rest(), "1+1+4");
    EXPECT_EQ(f.nextInt(), 1);
    EXPECT_EQ(f.nextInt(), 1);
    EXPECT_FALSE(f.atEnd());
    EXPECT_EQ(f.nextInt(), 4);
    EXPECT_TRUE(f.atEnd());
    EXPECT_EQ(f.next(), "");
    EXPECT_EQ(f.rest(), "");
}

TEST(Fields, LastTextFieldKeepsItsPluses) {
    Fields f("3+Ann+Bob+");
    EXPECT_EQ(f.nextInt(), 3);
    EXPECT_EQ(f.rest(), "Ann+Bob+");
}

TEST(Fields, TrailingPlusLeavesAnEmptyLastField) {
    Fields f("1+1000+");
    EXPECT_EQ(f.next(), "1");
    EXPECT_EQ(f.next(), "1000");
    EXPECT_FALSE(f.atEnd());
    EXPECT_EQ(f.next(), "");
    EXPECT_TRUE(f.atEnd());
}

TEST(Fields, EmptyFieldsBetweenPluses) {
    Fields f("++a");
    EXPECT_EQ(f.next(), "");
    EXPECT_EQ(f.next(), "");
    EXPECT_EQ(f.next(), "a");
    EXPECT_EQ(f.next(), "");
}

TEST(Fields, EmptyArgs) {
    Fields f("");
    EXPECT_FALSE(f.atEnd());
    EXPECT_EQ(f.next(), "");
    EXPECT_TRUE(f.atEnd());
    EXPECT_THROW(Fields("").nextInt(), zb::EConvertError);
}

TEST(Fields, NumberFieldThatIsNotANumberThrowsAndMovesOn) {
    Fields f("2+x+5");
    EXPECT_EQ(f.nextInt(), 2);
    try {
        f.nextInt();
        FAIL() << "no error";
    } catch (const zb::EConvertError& e) {
        EXPECT_STREQ(e.what(), "'x' is not a valid integer value");
    }
    EXPECT_EQ(f.nextInt(), 5);
}

TEST(Fields, ReadingDoesNotChangeTheCallersText) {
    const QByteArray args = "1+2+3";
    Fields f(args);
    f.next();
    f.next();
    EXPECT_EQ(args, "1+2+3");
    EXPECT_EQ(f.rest(), "3");
}

TEST(Fields, ManyFieldsStayFast) {
    QByteArray args;
    for (int i = 0; i < 200000; ++i)
        args += "7+";
    Fields f(args);
    long long sum = 0;
    for (int i = 0; i < 200000; ++i)
        sum += f.nextInt();
    EXPECT_EQ(sum, 7LL * 200000);
    EXPECT_EQ(f.next(), "");
    EXPECT_TRUE(f.atEnd());
}

TEST(Version, IsTheAboutWindowsVersion) {
    EXPECT_EQ(kVersion, "1.0.4");
}

} // namespace
