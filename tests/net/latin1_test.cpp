// Text at the table's edges: typed text becomes Latin-1 with '?' for what it cannot hold, and the
// message terminator 0xFF can never be typed into a message.

#include "net/latin1.h"

#include <gtest/gtest.h>

using zb::fromWire;
using zb::toWire;

TEST(ChatLatin1, AsciiAndLatin1PassUnchanged) {
    EXPECT_EQ(toWire(QStringLiteral("hello + world|clRed")), QByteArray("hello + world|clRed"));
    EXPECT_EQ(toWire(QString::fromUtf8("née çà ü ß þ")), QByteArray("n\xE9"
                                                                    "e \xE7\xE0 \xFC \xDF \xFE"));
    EXPECT_EQ(toWire(QString()), QByteArray());
}

TEST(ChatLatin1, YDiaeresisAndOtherCharactersBecomeQuestionMarks) {
    EXPECT_EQ(toWire(QString::fromUtf8("ÿ")), QByteArray("?"));
    EXPECT_EQ(toWire(QString::fromUtf8("aÿb")), QByteArray("a?b"));
    EXPECT_EQ(toWire(QString::fromUtf8("€ 5")), QByteArray("? 5"));
    EXPECT_EQ(toWire(QString::fromUtf8("日本")), QByteArray("??"));
    EXPECT_EQ(toWire(QString::fromUtf8("Ā")), QByteArray("?")); // U+0100, just past Latin-1
    // One character outside the basic plane is one '?', not two.
    EXPECT_EQ(toWire(QString::fromUtf8("a😀b")), QByteArray("a?b"));
    // A lone surrogate is still one unrepresentable character.
    QString lone(QChar(0xD800));
    EXPECT_EQ(toWire(lone + u'x'), QByteArray("?x"));
}

TEST(ChatLatin1, NoOutputEverHoldsTheTerminator) {
    QString all;
    for (char16_t c = 1; c < 0x200; ++c)
        all += QChar(c);
    const QByteArray wire = toWire(all);
    EXPECT_FALSE(wire.contains('\xFF'));
    EXPECT_EQ(wire.size(), all.size());
}

TEST(ChatLatin1, FromWireDecodesEveryByte) {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    const QString text = fromWire(bytes);
    ASSERT_EQ(text.size(), 256);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(text.at(b).unicode(), b);
    // Everything but 0xFF survives the round trip.
    bytes.chop(1);
    EXPECT_EQ(toWire(fromWire(bytes)), bytes);
}
