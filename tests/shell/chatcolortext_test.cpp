// The colour text form: what one table writes, every other table and the settings file read back.

#include "shell/colortext.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace zb::color;

TEST(ChatColorText, AllFortyTwoNamesRoundTrip) {
    QSet<QString> names;
    QSet<Color> values;
    for (const NamedColor& named : namedColors()) {
        const QString name = QString::fromLatin1(named.name);
        names.insert(name);
        values.insert(named.value);
        EXPECT_EQ(toText(named.value), name);
        EXPECT_EQ(fromText(name), named.value) << named.name;
        EXPECT_EQ(fromText(name.toLower()), named.value) << named.name;
        EXPECT_EQ(fromText(name.toUpper()), named.value) << named.name;
    }
    EXPECT_EQ(names.size(), 42);
    EXPECT_EQ(values.size(), 42);
}

TEST(ChatColorText, BasicAndSpecialValues) {
    EXPECT_EQ(fromText(u"clBlack"), 0x000000u);
    EXPECT_EQ(fromText(u"clRed"), 0x0000FFu);
    EXPECT_EQ(fromText(u"clBlue"), 0xFF0000u);
    EXPECT_EQ(fromText(u"clNavy"), 0x800000u);
    EXPECT_EQ(fromText(u"clMaroon"), 0x000080u);
    EXPECT_EQ(fromText(u"clAqua"), 0xFFFF00u);
    EXPECT_EQ(fromText(u"clNone"), 0x1FFFFFFFu);
    EXPECT_EQ(fromText(u"clScrollBar"), 0x80000000u);
    EXPECT_EQ(fromText(u"clWindowText"), 0x80000008u);
    EXPECT_EQ(fromText(u"clInfoBk"), 0x80000018u);
    EXPECT_EQ(fromText(u"clblack"), 0u); // the settings file's default spelling
}

TEST(ChatColorText, UnnamedValuesAreEightUpperCaseHexDigits) {
    EXPECT_EQ(toText(0x00FF00FE), QStringLiteral("$00FF00FE"));
    EXPECT_EQ(toText(0x00123ABC), QStringLiteral("$00123ABC"));
    EXPECT_EQ(toText(0xFFFFFFFF), QStringLiteral("$FFFFFFFF"));
    EXPECT_EQ(toText(0x1), QStringLiteral("$00000001"));
    EXPECT_EQ(fromText(u"$00FF00FE"), 0x00FF00FEu);
    EXPECT_EQ(fromText(toText(0x00FF00FE)), 0x00FF00FEu);
    // "$00FF00FF" is the value of a named colour: it reads back and is written by its name.
    EXPECT_EQ(fromText(u"$00FF00FF"), 0x00FF00FFu);
    EXPECT_EQ(toText(*fromText(u"$00FF00FF")), QStringLiteral("clFuchsia"));
    // A hexadecimal text that happens to be a named value reads as that value and writes the name.
    EXPECT_EQ(fromText(u"$000000FF"), 0xFFu);
    EXPECT_EQ(toText(*fromText(u"$000000FF")), QStringLiteral("clRed"));
    EXPECT_EQ(fromText(u"$ff"), 0xFFu);
    EXPECT_EQ(fromText(u"$FFFFFFFF"), 0xFFFFFFFFu);
}

TEST(ChatColorText, DecimalNumbersRead) {
    EXPECT_EQ(fromText(u"255"), 0xFFu);
    EXPECT_EQ(fromText(u"16711935"), 0x00FF00FFu);
    EXPECT_EQ(fromText(u"+65280"), 0x00FF00u);
    EXPECT_EQ(fromText(u"0"), 0u);
    EXPECT_EQ(fromText(u"-1"), 0xFFFFFFFFu);
    EXPECT_EQ(fromText(u"-2147483648"), 0x80000000u);
    EXPECT_EQ(fromText(u"4294967295"), 0xFFFFFFFFu);
}

TEST(ChatColorText, AnythingElseIsNotAColour) {
    for (const char16_t* bad : {u"", u"$", u"$123456789", u"$12G", u"clReddish", u"cl Red",
                                u" clRed", u"clRed ", u"4294967296", u"-2147483649", u"12a", u"+",
                                u"-", u"0x10", u"b|clRed", u"99999999999999999999"}) {
        EXPECT_FALSE(fromText(QStringView(bad)).has_value())
            << QString::fromUtf16(bad).toStdString();
    }
}

TEST(ChatColorText, ShownColours) {
    EXPECT_EQ(toRgb(kRed), 0xFF0000u);
    EXPECT_EQ(toRgb(kBlue), 0x0000FFu);
    EXPECT_EQ(toRgb(kNavy), 0x000080u);
    EXPECT_EQ(toRgb(0x00B3C8CC), 0xCCC8B3u);
    EXPECT_EQ(toRgb(kWindowText), 0x000000u);
    EXPECT_EQ(toRgb(*fromText(u"clWindow")), 0xFFFFFFu);
    EXPECT_EQ(toRgb(kSystemBase + 200), 0x000000u); // no such system colour: black
    EXPECT_EQ(toRgb(0x12345678), 0x785634u);        // only the low 24 bits show
    for (std::uint32_t rgb : {0x000000u, 0xFF0000u, 0x00FF00u, 0x0000FFu, 0x123456u})
        EXPECT_EQ(toRgb(fromRgb(rgb)), rgb);
    EXPECT_EQ(fromRgb(0xFF00FF00), 0x00FF00u); // the alpha byte is ignored
}
