// Words wider than the chat view: cut between characters at the view's width, every character
// kept in order, laid out again the same way after a change of width, font or boldness.

#include "controls/chatview.h"
#include "controls_helpers.h"

#include <QScrollBar>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using zb::ChatDocument;
using zb::ChatTextStyle;
using zb::ChatView;

namespace {

ChatTextStyle makeStyle(QColor colour) {
    ChatTextStyle s;
    s.family = QStringLiteral("DejaVu Sans");
    s.pointSize = 10;
    s.color = colour;
    return s;
}

// Letters that change every few characters, so a lost or repeated piece changes the text.
QString letters(int length) {
    QString word;
    word.reserve(length);
    for (int i = 0; i < length; ++i)
        word += QChar(u'a' + (i * 7 + i / 26) % 26);
    return word;
}

struct WrapCase {
    const char* name;
    QString word;
};

std::vector<WrapCase> wrapCases() {
    QString pairs;
    for (int i = 0; i < 700; ++i)
        pairs += QString::fromUcs4(U"\U0001F600");
    return {
        {"short", letters(300)},
        {"long", letters(5000)},
        {"huge", letters(60000)},
        {"blanks", letters(2000) + QString(700, u' ')},
        {"wide", QString(3000, u'W')},
        {"pairs", pairs},
        {"zeroWidth", QString(3000, QChar(0x200B))},
        {"mixed", letters(1000) + QStringLiteral("-") + QString(800, u'i') + letters(900)},
    };
}

class ChatWrapTest : public ::testing::Test {
protected:
    void SetUp() override {
        view = std::make_unique<ChatView>();
        view->resize(300, 120);
        plain = view->addStyle(makeStyle(Qt::black));
        red = view->addStyle(makeStyle(QColor(255, 0, 0)));
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    // The pieces of one item in order, with the line each stands on.
    struct Placed {
        ChatDocument::Piece piece;
        int line;
    };
    std::vector<Placed> piecesOf(int item) const {
        std::vector<Placed> out;
        const ChatDocument& doc = view->document();
        for (int li = 0; li < int(doc.lines().size()); ++li) {
            const ChatDocument::Line& line = doc.lines()[li];
            for (int p = line.firstPiece; p < line.endPiece; ++p) {
                if (doc.pieces()[p].item == item)
                    out.push_back({doc.pieces()[p], li});
            }
        }
        return out;
    }

    // Every character of the word once, in order, in pieces that fit the width (trailing blanks
    // may hang over), none longer than the longest piece the view shapes at once.
    void expectWrapped(const QString& word, int item) {
        const ChatDocument& doc = view->document();
        const std::vector<Placed> placed = piecesOf(item);
        ASSERT_FALSE(placed.empty());
        QString joined;
        int expectedFrom = 0;
        int lastLine = -1;
        for (const Placed& p : placed) {
            EXPECT_EQ(p.piece.from, expectedFrom);
            expectedFrom += p.piece.length;
            joined += word.mid(p.piece.from, p.piece.length);
            EXPECT_LE(p.piece.length, zb::kMaxPieceLength);
            EXPECT_GE(p.line, lastLine);
            lastLine = p.line;
            const QString inked = word.mid(p.piece.from, p.piece.length).trimmed();
            EXPECT_LE(p.piece.x + doc.metrics(plain).horizontalAdvance(inked), doc.width() + 0.5);
            // A cut piece is not a surrogate half.
            EXPECT_FALSE(word[p.piece.from].isLowSurrogate());
        }
        EXPECT_EQ(joined, word);
    }

    std::unique_ptr<ChatView> view;
    int plain = -1;
    int red = -1;
};

TEST_F(ChatWrapTest, LongWordsAreCutAtTheWidthKeepingEveryCharacterInOrder) {
    for (const WrapCase& c : wrapCases()) {
        SCOPED_TRACE(c.name);
        view->clear();
        view->addText(QStringLiteral("Ann chats: "), plain, true);
        view->addText(c.word, plain, false);
        view->addText(QStringLiteral("after"), plain, false);
        view->refresh();
        expectWrapped(c.word, 1);
        EXPECT_EQ(view->plainText(), QStringLiteral("Ann chats: ") + c.word + "after");
    }
}

TEST_F(ChatWrapTest, LinesOfACutWordAreFilled) {
    const QString word = letters(8000);
    view->addText(word, plain, true);
    view->refresh();
    const ChatDocument& doc = view->document();
    const std::vector<Placed> placed = piecesOf(0);
    ASSERT_GT(placed.size(), 20u);
    const qreal widest = doc.metrics(plain).horizontalAdvance(QStringLiteral("W"));
    // Every line but the last holds as much as fits: not even two more letters would.
    for (std::size_t i = 0; i + 1 < placed.size(); ++i) {
        if (placed[i + 1].line == placed[i].line)
            continue;
        const ChatDocument::Piece& p = placed[i].piece;
        EXPECT_GT(p.x + p.width + 2 * widest, doc.width()) << "piece " << i;
    }
}

TEST_F(ChatWrapTest, AShortLineBeforeALongWordKeepsItsOwnLine) {
    view->addText(QStringLiteral("Ann chats: "), plain, true);
    view->addText(letters(3000), plain, false);
    view->refresh();
    const std::vector<Placed> word = piecesOf(1);
    ASSERT_FALSE(word.empty());
    EXPECT_EQ(word.front().line, 1); // the word starts under the speaker, as a short one would
    EXPECT_EQ(word.front().piece.x, 0);
}

TEST_F(ChatWrapTest, RelayoutKeepsEveryCharacter) {
    const QString word = letters(20000);
    view->addText(QStringLiteral("Ann chats: "), red, true);
    view->addText(word, red, false);
    view->refresh();
    const auto lines = view->document().lines().size();

    struct Change {
        const char* name;
        std::function<void()> apply;
    };
    const std::vector<Change> changes{
        {"narrower", [&] { view->resize(170, 120); }},
        {"wider", [&] { view->resize(420, 120); }},
        {"bold", [&] { view->setStyleBold(red, true); }},
        {"larger", [&] { view->setPointSizeOfAll(14); }},
        {"smaller", [&] { view->setPointSizeOfAll(8); }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        change.apply();
        QApplication::processEvents();
        view->refresh();
        ASSERT_GT(view->document().lines().size(), 10u);
        const std::vector<Placed> placed = piecesOf(1);
        QString joined;
        for (const Placed& p : placed) {
            joined += word.mid(p.piece.from, p.piece.length);
            const QString inked = word.mid(p.piece.from, p.piece.length);
            EXPECT_LE(p.piece.x + view->document().metrics(red).horizontalAdvance(inked),
                      view->document().width() + 0.5);
        }
        EXPECT_EQ(joined, word);
    }
    EXPECT_NE(view->document().lines().size(), lines); // the width and the font did count
}

TEST_F(ChatWrapTest, ACutWordIsDrawnOnEveryLine) {
    view->addText(QString(4000, u'M'), red, true);
    view->refresh();
    const QImage shot = zbtest::look(view->viewport());
    const ChatDocument& doc = view->document();
    const int scroll = view->verticalScrollBar()->value();
    int drawn = 0;
    for (const ChatDocument::Line& line : doc.lines()) {
        const int top = int(line.top) + 2 - scroll;
        if (top < 0 || top + int(line.height) > shot.height())
            continue;
        const QImage band = shot.copy(0, top, shot.width(), int(line.height));
        EXPECT_GT(zbtest::countColour(band, QColor(255, 0, 0), 60), 40) << "line at " << top;
        ++drawn;
    }
    EXPECT_GE(drawn, 3);
}

TEST_F(ChatWrapTest, SelectingInACutWordGivesItsCharacters) {
    const QString word = letters(3000);
    view->addText(word, plain, true);
    view->refresh();
    view->setSelection({0, 1234}, {0, 2345});
    EXPECT_EQ(view->selectedText(), word.mid(1234, 2345 - 1234));
    // A press on the third line lands inside the word, at that line's first character.
    const ChatDocument& doc = view->document();
    const ChatDocument::Line& third = doc.lines()[2];
    const ChatDocument::Position at = doc.hitTest({0, third.top + third.height / 2});
    EXPECT_EQ(at.item, 0);
    EXPECT_EQ(at.offset, doc.pieces()[third.firstPiece].from);
}

} // namespace
