// How an added chat line is cut into its speaker part, words, links and smilies, how a received
// payload splits, and which link texts may be opened.

#include "net/errors.h"
#include "shell/chatformat.h"

#include <gtest/gtest.h>

using namespace zb::chat;
using Kind = Token::Kind;

namespace zb::chat {
// Readable failures: the kind, the text and the smiley number.
void PrintTo(const Token& t, std::ostream* os) {
    static const char* const kNames[] = {"Speaker", "Word", "Link", "Smiley"};
    *os << kNames[int(t.kind)] << "(\"" << t.text.toStdString() << "\"";
    if (t.kind == Token::Kind::Smiley)
        *os << ", " << t.smiley;
    *os << ")";
}
} // namespace zb::chat

namespace {

Token speaker(const char* t) {
    return {Kind::Speaker, QString::fromLatin1(t)};
}
Token word(const char* t) {
    return {Kind::Word, QString::fromLatin1(t)};
}
Token link(const char* t) {
    return {Kind::Link, QString::fromLatin1(t)};
}
Token smiley(int n) {
    return {Kind::Smiley, QString(), n};
}

Line format(const char* text) {
    const std::optional<Line> line = formatLine(QString::fromLatin1(text));
    EXPECT_TRUE(line.has_value()) << text;
    return line.value_or(Line{});
}

} // namespace

TEST(ChatFormatLine, StylesFollowThePrefix) {
    EXPECT_EQ(format("0+You are Connected.").style, 0);
    EXPECT_EQ(format("1+Ann chats: hi").style, 6);
    EXPECT_EQ(format("2+Ann chats: hi").style, 7);
    EXPECT_EQ(format("9+Ann chats: hi").style, 14);
}

TEST(ChatFormatLine, SpeakerPartThenWordsWithTheirBlanks) {
    EXPECT_EQ(format("2+Ann chats: hi there").tokens,
              (std::vector<Token>{speaker("Ann chats: "), word(" "), word("hi "), word("there ")}));
    // A status line without a colon has an empty speaker part (one blank).
    EXPECT_EQ(format("0+You are Connected.").tokens,
              (std::vector<Token>{speaker(" "), word("You "), word("are "), word("Connected. ")}));
    // Double blanks give a blank word; the speaker part ends at the first colon.
    EXPECT_EQ(format("0+a  b: c").tokens,
              (std::vector<Token>{speaker("a  b: "), word(" "), word("c ")}));
    EXPECT_EQ(format("3+x:").tokens, (std::vector<Token>{speaker("x: ")}));
    EXPECT_EQ(format("0+").tokens, (std::vector<Token>{speaker(" ")}));
}

TEST(ChatFormatLine, SmileyCodesBecomeSmileyTokens) {
    // (A smiley code holds a colon, so the lines below have a speaker part "x:" before it.)
    EXPECT_EQ(format("2+Ann chats: hi :)#10").tokens,
              (std::vector<Token>{speaker("Ann chats: "), word(" "), word("hi "), word(" "),
                                  smiley(10)}));
    EXPECT_EQ(format("0+x::)#27x").tokens,
              (std::vector<Token>{speaker("x: "), word(" "), smiley(27), word("x ")}));
    for (int n = 10; n <= 27; ++n) {
        const Line line = format(QStringLiteral("0+x::)#%1").arg(n).toLatin1().constData());
        ASSERT_EQ(line.tokens.size(), 3u);
        EXPECT_EQ(line.tokens[2], smiley(n));
    }
}

TEST(ChatFormatLine, NumbersOutsideTheSetShowTheFirstSmiley) {
    // Not a number, below 10 or above 27: smiley 10; the two characters are used up either way.
    EXPECT_EQ(format("0+x::)#5x!").tokens,
              (std::vector<Token>{speaker("x: "), word(" "), smiley(10), word("! ")}));
    EXPECT_EQ(format("0+x::)#28").tokens,
              (std::vector<Token>{speaker("x: "), word(" "), smiley(10)}));
    EXPECT_EQ(format("0+x::)#09").tokens,
              (std::vector<Token>{speaker("x: "), word(" "), smiley(10)}));
    EXPECT_EQ(format("0+x::)#9 ok").tokens,
              (std::vector<Token>{speaker("x: "), word(" "), smiley(10), word("ok ")}));
    EXPECT_EQ(format("0+x::)#1").tokens,
              (std::vector<Token>{speaker("x: "), word(" "), smiley(10)}));
    EXPECT_EQ(format("0+x::)#").tokens,
              (std::vector<Token>{speaker("x: "), word(" "), smiley(10)}));
}

TEST(ChatFormatLine, ActionWithoutColonEndsItsSpeakerAtTheSmileysColon) {
    EXPECT_EQ(format("2+Ann waves :)#12").tokens,
              (std::vector<Token>{speaker("Ann waves : "), word(")#12 ")}));
}

TEST(ChatFormatLine, WordsWithWebAddressesAreLinks) {
    EXPECT_EQ(format("4+Bo chats: see www.example.com now").tokens,
              (std::vector<Token>{speaker("Bo chats: "), word(" "), word("see "),
                                  link("www.example.com "), word("now ")}));
    const Line line = format("0+x: HTTP://A.B xhttp://c WWW.d https://e.f https://www.g.h");
    std::vector<Kind> kinds;
    for (const Token& t : line.tokens)
        kinds.push_back(t.kind);
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::Speaker, Kind::Word, Kind::Link, Kind::Link,
                                        Kind::Link, Kind::Word, Kind::Link}));
}

TEST(ChatFormatLine, BadPrefixes) {
    EXPECT_THROW(formatLine(QStringLiteral("x+hi")), zb::EConvertError);
    EXPECT_THROW(formatLine(QStringLiteral("no plus at all")), zb::EConvertError);
    EXPECT_THROW(formatLine(QStringLiteral("+hi")), zb::EConvertError);
    // Numbers with no style of their own give no line at all.
    EXPECT_FALSE(formatLine(QStringLiteral("10+hi")).has_value());
    EXPECT_FALSE(formatLine(QStringLiteral("-1+hi")).has_value());
    EXPECT_FALSE(formatLine(QStringLiteral("-5+hi")).has_value());
}

TEST(ChatPayload, SplitsAtTheFirstBar) {
    Payload p = splitPayload(QStringLiteral("2+Ann chats: hi|clRed"));
    EXPECT_EQ(p.line, QStringLiteral("2+Ann chats: hi"));
    EXPECT_EQ(p.colour, zb::color::kRed);
    p = splitPayload(QStringLiteral("2+Ann chats: hi|$00FF8000"));
    EXPECT_EQ(p.colour, 0x00FF8000u);
    p = splitPayload(QStringLiteral("2+Ann chats: hi|clblue"));
    EXPECT_EQ(p.colour, zb::color::kBlue);
}

TEST(ChatPayload, MissingOrBadColourIsRed) {
    Payload p = splitPayload(QStringLiteral("2+Ann chats: hi"));
    EXPECT_EQ(p.line, QStringLiteral("2+Ann chats: hi"));
    EXPECT_EQ(p.colour, zb::color::kRed);
    p = splitPayload(QStringLiteral("2+Ann chats: a|b|clBlue"));
    EXPECT_EQ(p.line, QStringLiteral("2+Ann chats: a"));
    EXPECT_EQ(p.colour, zb::color::kRed);
    p = splitPayload(QStringLiteral("2+Ann chats: a|"));
    EXPECT_EQ(p.colour, zb::color::kRed);
}

TEST(ChatWebAddress, HttpAndHttpsOpenAsTheyAre) {
    EXPECT_EQ(webAddress(QStringLiteral("http://example.com/a?b=c ")),
              QUrl(QStringLiteral("http://example.com/a?b=c")));
    EXPECT_EQ(webAddress(QStringLiteral("https://www.example.com  ")),
              QUrl(QStringLiteral("https://www.example.com")));
    EXPECT_EQ(webAddress(QStringLiteral("HTTP://EXAMPLE.COM")),
              QUrl(QStringLiteral("http://example.com")));
}

TEST(ChatWebAddress, WwwGetsHttpInFront) {
    EXPECT_EQ(webAddress(QStringLiteral("www.example.com ")),
              QUrl(QStringLiteral("http://www.example.com")));
    EXPECT_EQ(webAddress(QStringLiteral("WWW.Example.com/x")),
              QUrl(QStringLiteral("http://www.example.com/x")));
}

TEST(ChatWebAddress, EverythingElseIsRefused) {
    for (const char* bad : {"javascript:alert('http://x.com')", "file:///etc/passwd?www.x",
                            "xhttp://example.com", "(www.example.com)", "ftp://www.example.com",
                            "http://", "", "   ", "mailto:a@www.b.c", "data:text/html,http://x"}) {
        EXPECT_FALSE(webAddress(QString::fromLatin1(bad)).has_value()) << bad;
    }
}

TEST(ChatLinkSlots, CounterStartsAtMinusOneAndWrapsToOne) {
    LinkSlots linkSlots;
    EXPECT_EQ(linkSlots.counter(), -1);
    EXPECT_EQ(linkSlots.store(QStringLiteral("a")), 0);
    EXPECT_EQ(linkSlots.at(0), QStringLiteral("a"));
    for (int i = 1; i <= 100; ++i)
        EXPECT_EQ(linkSlots.store(QString::number(i)), i);
    EXPECT_EQ(linkSlots.store(QStringLiteral("wrapped")), 1);
    EXPECT_EQ(linkSlots.at(1), QStringLiteral("wrapped"));
    EXPECT_EQ(linkSlots.at(0), QStringLiteral("a")); // slot 0 is used only once
    EXPECT_EQ(linkSlots.at(100), QStringLiteral("100"));
    EXPECT_TRUE(linkSlots.at(-1).isEmpty());
    EXPECT_TRUE(linkSlots.at(101).isEmpty());
    EXPECT_TRUE(linkSlots.at(1 << 30).isEmpty());
}
