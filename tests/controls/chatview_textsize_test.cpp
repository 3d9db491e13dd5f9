// A change of text size (or of a style's weight) lays the chat out again without losing the
// reader's place: a view at its end stays at its end, a view scrolled back keeps its first line.

#include "controls/chatview.h"
#include "controls_helpers.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

using zb::ChatView;

class ChatTextSize : public ::testing::Test {
protected:
    void SetUp() override {
        view = std::make_unique<ChatView>();
        view->resize(300, 120);
        style = view->addStyle(zbtest::makeStyle(Qt::black));
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        for (int i = 0; i < 60; ++i) {
            view->addText(QStringLiteral("Ann chats: "), style, true);
            view->addText(
                QStringLiteral("line %1 of the chat, long enough to wrap now and then").arg(i),
                style, false);
            view->refresh();
        }
        ASSERT_TRUE(view->isAtEnd());
        ASSERT_GT(bar()->maximum(), 0);
    }
    QScrollBar* bar() const { return view->verticalScrollBar(); }
    // The text at the start of the top line in view, and the line that holds a place.
    ChatView::Position top() const { return view->document().hitTest(QPointF(0, bar()->value())); }
    int lineOf(ChatView::Position p) const {
        const zb::ChatDocument& doc = view->document();
        for (int l = 0; l < int(doc.lines().size()); ++l)
            for (int i = doc.lines()[l].firstPiece; i < doc.lines()[l].endPiece; ++i) {
                const auto& piece = doc.pieces()[i];
                if (piece.item == p.item && p.offset >= piece.from &&
                    p.offset <= piece.from + piece.length)
                    return l;
            }
        return -1;
    }
    int topLine() const { return view->document().lineAt(bar()->value()); }

    std::unique_ptr<ChatView> view;
    int style = -1;
};

TEST_F(ChatTextSize, AViewAtItsEndStaysThereWhenTheTextGrowsOrShrinks) {
    for (int points : {14, 8, 12, 10}) {
        const int before = bar()->maximum();
        view->setPointSizeOfAll(points);
        EXPECT_NE(bar()->maximum(), before) << points << " pt lays the chat out anew";
        EXPECT_TRUE(view->isAtEnd()) << points << " pt";
    }
}

TEST_F(ChatTextSize, AViewAtItsEndStaysThereWithAutoScrollOff) {
    view->setAutoScroll(false);
    view->setPointSizeOfAll(14);
    EXPECT_TRUE(view->isAtEnd());
}

TEST_F(ChatTextSize, AReaderScrolledBackKeepsTheFirstLineInView) {
    view->setAutoScroll(false);
    bar()->setValue(bar()->maximum() / 3);
    ASSERT_FALSE(view->isAtEnd());
    const ChatView::Position first = top();
    view->setPointSizeOfAll(14);
    EXPECT_FALSE(view->isAtEnd());
    EXPECT_EQ(topLine(), lineOf(first)) << "what was at the top is in the top line";
    view->setPointSizeOfAll(8);
    EXPECT_EQ(topLine(), lineOf(first));
}

TEST_F(ChatTextSize, ABoldStyleKeepsTheEndToo) {
    view->setStyleBold(style, true);
    EXPECT_TRUE(view->isAtEnd());
    view->setAutoScroll(false);
    bar()->setValue(bar()->maximum() / 2);
    const ChatView::Position first = top();
    view->setStyleBold(style, false);
    EXPECT_EQ(topLine(), lineOf(first));
}

TEST_F(ChatTextSize, TheSameSizeAgainMovesNothing) {
    view->setAutoScroll(false);
    bar()->setValue(bar()->maximum() / 2);
    const int value = bar()->value();
    view->setPointSizeOfAll(view->style(style).pointSize);
    EXPECT_EQ(bar()->value(), value);
}

} // namespace
