// The chat history's bounds exactly: at each limit nothing goes, one past it the oldest lines go
// down to exactly 7/8 of it, and the bytes counted are those of the lines that stay. And the
// bound on the work of laying out one long word: no piece is ever shaped longer than
// kMaxPieceLength characters, however wide the line.

#include "controls_helpers.h"

#include "controls/chatdocument.h"

#include <gtest/gtest.h>

using zb::ChatDocument;
using zbtest::makeStyle;

namespace {

class ChatDocumentEdges : public ::testing::Test {
protected:
    void SetUp() override {
        plain = doc.addStyle(makeStyle(Qt::black));
        link = doc.addStyle(makeStyle(Qt::darkGreen, true));
    }
    // Paragraph i: one item of kText characters; its bytes are kLine.
    void add(int i) {
        doc.addText(QString(kText - 4, u'w') + QString::number(1000 + i), plain, true);
    }
    int firstKept() const { return doc.item(0).text.right(4).toInt() - 1000; }

    static constexpr int kText = 20;
    static constexpr qint64 kLine = ChatDocument::kItemBytes + 2 * kText;
    ChatDocument doc;
    int plain = -1;
    int link = -1;
};

TEST_F(ChatDocumentEdges, LinesUpToTheLimitStayAndOnePastItLeavesSevenEighths) {
    struct Case {
        int limit;
        int added;
        int kept;
    };
    for (const Case c : {Case{8, 8, 8}, Case{8, 9, 7}, Case{8, 16, 15 - 7}, Case{1, 1, 1},
                         Case{1, 2, 1}, Case{16, 17, 14}}) {
        SCOPED_TRACE(testing::Message() << c.limit << " lines, " << c.added << " added");
        doc.clear();
        doc.setLimits(c.limit, qint64(1) << 40);
        for (int i = 0; i < c.added; ++i)
            add(i);
        EXPECT_EQ(doc.paragraphCount(), c.kept);
        EXPECT_EQ(firstKept(), c.added - c.kept);
        EXPECT_EQ(doc.bytes(), c.kept * kLine) << "the bytes of the lines kept, no more";
    }
}

TEST_F(ChatDocumentEdges, TheStandardLineLimit) {
    for (int i = 0; i < ChatDocument::kMaxParagraphs; ++i)
        add(i);
    EXPECT_EQ(doc.paragraphCount(), ChatDocument::kMaxParagraphs);
    EXPECT_EQ(doc.droppedItems(), 0);
    add(ChatDocument::kMaxParagraphs);
    EXPECT_EQ(doc.paragraphCount(), ChatDocument::kMaxParagraphs * 7 / 8);
    EXPECT_EQ(doc.droppedItems(), ChatDocument::kMaxParagraphs / 8 + 1);
    EXPECT_EQ(doc.bytes(), qint64(doc.paragraphCount()) * kLine);
}

TEST_F(ChatDocumentEdges, BytesUpToTheLimitStayAndOnePastLeavesSevenEighths) {
    doc.setLimits(100000, 8 * kLine);
    for (int i = 0; i < 8; ++i)
        add(i);
    EXPECT_EQ(doc.paragraphCount(), 8);
    EXPECT_EQ(doc.bytes(), 8 * kLine);
    add(8); // one line past: down to 7 of 8
    EXPECT_EQ(doc.paragraphCount(), 7);
    EXPECT_EQ(doc.bytes(), 7 * kLine);
    EXPECT_EQ(firstKept(), 2);
    // One byte more than a line's worth: the limit counts bytes, not lines.
    doc.clear();
    doc.setLimits(100000, 8 * kLine - 1);
    for (int i = 0; i < 8; ++i)
        add(i);
    EXPECT_EQ(doc.paragraphCount(), 7) << "8 lines pass the limit by a byte";
    EXPECT_EQ(doc.bytes(), 7 * kLine);
    EXPECT_EQ(firstKept(), 1);
}

TEST_F(ChatDocumentEdges, ALongChatOfLongLinesKeepsCountingRight) {
    const QString huge(60000, u'h');
    const qint64 hugeLine = ChatDocument::kItemBytes + 2 * 60000;
    for (int i = 0; i < 200; ++i)
        doc.addText(huge, plain, true);
    EXPECT_LE(doc.bytes(), ChatDocument::kMaxBytes);
    EXPECT_EQ(doc.bytes(), doc.paragraphCount() * hugeLine);
    EXPECT_GE(doc.paragraphCount(), int(ChatDocument::kMaxBytes * 7 / 8 / hugeLine));
    // The newest line stays even when it alone is over the whole limit.
    doc.addText(QString(int(ChatDocument::kMaxBytes), u'x'), plain, true);
    EXPECT_EQ(doc.paragraphCount(), 1);
    EXPECT_GT(doc.bytes(), ChatDocument::kMaxBytes);
    add(1);
    EXPECT_EQ(doc.paragraphCount(), 1) << "the next line pushes it out";
    EXPECT_EQ(doc.bytes(), kLine);
}

TEST_F(ChatDocumentEdges, LinksLeftAreCountedAndNumberedFromZero) {
    doc.setLimits(4, qint64(1) << 40); // 4 - 4 / 8 is 4 again: one line goes at a time
    for (int i = 0; i < 6; ++i) {
        doc.addText(QStringLiteral("line "), plain, true);
        doc.addText(QStringLiteral("www.a%1.com ").arg(i), link, false);
    }
    ASSERT_EQ(doc.paragraphCount(), 4);
    EXPECT_EQ(doc.linkCount(), 4);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(doc.item(2 * k + 1).link, k);
        EXPECT_EQ(doc.item(2 * k + 1).target, QStringLiteral("www.a%1.com ").arg(k + 2));
    }
}

TEST_F(ChatDocumentEdges, NoPieceIsShapedLongerThanTheLongestPieceHoweverWideTheLine) {
    doc.setWidth(1e9);
    const QString word(20000, u'i');
    doc.addText(word, plain, true);
    doc.layout();
    ASSERT_FALSE(doc.pieces().empty());
    int total = 0;
    for (const ChatDocument::Piece& p : doc.pieces()) {
        EXPECT_LE(p.length, zb::kMaxPieceLength);
        total += p.length;
    }
    EXPECT_EQ(total, word.size());
    EXPECT_EQ(doc.pieces().front().length, zb::kMaxPieceLength);
    EXPECT_EQ(int(doc.pieces().size()),
              (word.size() + zb::kMaxPieceLength - 1) / zb::kMaxPieceLength);
}

} // namespace
