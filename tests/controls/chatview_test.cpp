// The rich chat view: styles that can be changed for everything already shown, wrapping between
// items, selection, links, the popup menu and auto-scroll.

#include "controls/chatview.h"
#include "controls_helpers.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using zb::ChatDocument;
using zb::ChatTextStyle;
using zb::ChatView;
using zbtest::makeStyle;

namespace {

QPixmap square(QColor colour) {
    QPixmap p(17, 16);
    p.fill(colour);
    return p;
}

class ChatViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view = std::make_unique<ChatView>();
        view->resize(300, 120);
        view->setBackgroundColor(Qt::white);
        plain = view->addStyle(makeStyle(Qt::black));
        red = view->addStyle(makeStyle(QColor(255, 0, 0)));
        link = view->addStyle(makeStyle(QColor(0, 128, 0), true));
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    void addLines(int count, int style, const QString& word = QStringLiteral("word")) {
        for (int i = 0; i < count; ++i) {
            view->addText(QStringLiteral("Ann chats: "), style, true);
            view->addText(word + QStringLiteral(" %1 ").arg(i), style, false);
            view->refresh();
        }
    }

    QPoint centre(int item) { return view->itemRect(item).center(); }

    std::unique_ptr<ChatView> view;
    int plain = -1;
    int red = -1;
    int link = -1;
};

} // namespace

TEST_F(ChatViewTest, ItemsFormParagraphs) {
    view->addText(QStringLiteral("Ann: "), plain, true);
    view->addText(QStringLiteral("hi "), plain, false);
    view->addPicture(square(Qt::yellow), false);
    view->addText(QStringLiteral("second"), red, true);
    view->refresh();
    EXPECT_EQ(view->itemCount(), 4);
    EXPECT_EQ(view->document().paragraphCount(), 2);
    EXPECT_EQ(view->plainText(), QStringLiteral("Ann: hi \nsecond"));
    EXPECT_TRUE(view->document().item(2).style < 0);
    // The first item always starts a paragraph.
    ChatView other;
    other.addStyle(makeStyle(Qt::black));
    other.addText(QStringLiteral("a"), 0, false);
    EXPECT_EQ(other.document().paragraphCount(), 1);
}

TEST_F(ChatViewTest, UnknownStylesFallBackToTheFirst) {
    view->addText(QStringLiteral("x"), 99, true);
    view->addText(QStringLiteral("y"), -3, false);
    EXPECT_EQ(view->document().item(0).style, 0);
    EXPECT_EQ(view->document().item(1).style, 0);
    ChatView bare; // no style sheet at all: text has nowhere to go
    bare.addText(QStringLiteral("x"), 0, true);
    EXPECT_EQ(bare.itemCount(), 0);
}

TEST_F(ChatViewTest, RecolouringAStyleRepaintsEveryItemWithoutLayingOut) {
    addLines(5, red);
    const auto linesBefore = view->document().lines().size();
    const auto piecesBefore = view->document().pieces().size();
    QImage shot = zbtest::look(view->viewport());
    EXPECT_GT(zbtest::countColour(shot, QColor(255, 0, 0), 40), 20);

    view->setStyleColor(red, QColor(0, 0, 255));
    EXPECT_EQ(view->style(red).color, QColor(0, 0, 255));
    EXPECT_EQ(view->document().lines().size(), linesBefore);
    EXPECT_EQ(view->document().pieces().size(), piecesBefore);
    shot = zbtest::look(view->viewport());
    EXPECT_EQ(zbtest::countColour(shot, QColor(255, 0, 0), 40), 0);
    EXPECT_GT(zbtest::countColour(shot, QColor(0, 0, 255), 40), 20);
}

TEST_F(ChatViewTest, BoldWidensTheItemsOfItsStyleOnly) {
    view->addText(QStringLiteral("Wide words here "), red, true);
    view->addText(QStringLiteral("Wide words here "), plain, true);
    view->refresh();
    const int redBefore = view->itemRect(0).width();
    const int plainBefore = view->itemRect(1).width();
    view->setStyleBold(red, true);
    EXPECT_TRUE(view->style(red).bold);
    EXPECT_GT(view->itemRect(0).width(), redBefore);
    EXPECT_EQ(view->itemRect(1).width(), plainBefore);
}

TEST_F(ChatViewTest, PointSizeOfAllGrowsEveryStyle) {
    addLines(3, plain);
    const qreal before = view->document().height();
    view->setPointSizeOfAll(14);
    for (int s = 0; s < view->styleCount(); ++s)
        EXPECT_EQ(view->style(s).pointSize, 14);
    EXPECT_GT(view->document().height(), before);
}

TEST_F(ChatViewTest, ParagraphsWrapBetweenItems) {
    view->addText(QStringLiteral("Ann chats: "), plain, true);
    for (int i = 0; i < 40; ++i)
        view->addText(QStringLiteral("word%1 ").arg(i), plain, false);
    view->refresh();
    const ChatDocument& doc = view->document();
    EXPECT_GT(doc.lines().size(), 3u);
    for (const ChatDocument::Line& line : doc.lines()) {
        const ChatDocument::Piece& last = doc.pieces()[line.endPiece - 1];
        const QString text = doc.item(last.item).text.trimmed();
        const qreal inked = doc.metrics(plain).horizontalAdvance(text);
        EXPECT_LE(last.x + inked, doc.width() + 0.5);
        for (int p = line.firstPiece; p < line.endPiece; ++p) {
            EXPECT_EQ(doc.pieces()[p].from, 0); // no word is cut
        }
    }
    EXPECT_EQ(doc.pieces().size(), 41u);
}

TEST_F(ChatViewTest, AWordWiderThanTheViewIsCutBetweenCharacters) {
    const QString longWord = QString(200, u'x') + QStringLiteral("y");
    view->addText(QStringLiteral("a "), plain, true);
    view->addText(longWord, plain, false);
    view->refresh();
    const ChatDocument& doc = view->document();
    QString joined;
    int pieces = 0;
    for (const ChatDocument::Piece& piece : doc.pieces()) {
        if (piece.item != 1)
            continue;
        ++pieces;
        joined += longWord.mid(piece.from, piece.length);
        EXPECT_LE(piece.width, doc.width() + 0.5);
    }
    EXPECT_GT(pieces, 2);
    EXPECT_EQ(joined, longWord);
}

TEST_F(ChatViewTest, NarrowingTheViewWrapsAgain) {
    addLines(10, plain, QStringLiteral("several words in a rather long line of chat text"));
    const auto wide = view->document().lines().size();
    view->resize(150, 120);
    QApplication::processEvents();
    view->refresh();
    EXPECT_GT(view->document().lines().size(), wide);
}

TEST_F(ChatViewTest, SelectionGivesTextAcrossParagraphs) {
    view->addText(QStringLiteral("Ann: "), plain, true);
    view->addText(QStringLiteral("hello "), plain, false);
    view->addPicture(square(Qt::yellow), false);
    view->addText(QStringLiteral("Bob: "), plain, true);
    view->addText(QStringLiteral("there "), plain, false);
    view->refresh();
    EXPECT_FALSE(view->hasSelection());
    EXPECT_TRUE(view->selectedText().isEmpty());
    view->setSelection({1, 2}, {4, 3});
    EXPECT_EQ(view->selectedText(), QStringLiteral("llo \nBob: the"));
    view->setSelection({4, 3}, {1, 2}); // backwards is the same text
    EXPECT_EQ(view->selectedText(), QStringLiteral("llo \nBob: the"));
    view->selectAll();
    EXPECT_EQ(view->selectedText(), view->plainText());
    view->clearSelection();
    EXPECT_FALSE(view->hasSelection());
}

TEST_F(ChatViewTest, CopyPutsTheSelectionOnTheClipboard) {
    addLines(2, plain);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    view->copy(); // nothing selected: the clipboard keeps what it had
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
    view->selectAll();
    view->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), view->plainText());
}

TEST_F(ChatViewTest, KeyboardSelectsAllAndCopies) {
    addLines(2, plain);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    view->setFocus();
    QTest::keyClick(view.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view->selectedText(), view->plainText());
    QTest::keyClick(view.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), view->plainText());
}

TEST_F(ChatViewTest, DraggingTheMouseSelects) {
    view->addText(QStringLiteral("alpha "), plain, true);
    view->addText(QStringLiteral("beta "), plain, false);
    view->addText(QStringLiteral("gamma"), plain, true);
    view->refresh();
    const QRect first = view->itemRect(0);
    const QRect last = view->itemRect(2);
    QWidget* vp = view->viewport();
    QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(first.left() + 1, first.center().y()));
    QMouseEvent move(QEvent::MouseMove, QPointF(last.right() + 20, last.center().y()),
                     vp->mapToGlobal(QPointF(last.right() + 20, last.center().y())), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &move);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(last.right() + 20, last.center().y()));
    EXPECT_EQ(view->selectedText(), QStringLiteral("alpha beta \ngamma"));
    // A plain click drops the selection.
    QTest::mouseClick(vp, Qt::LeftButton, {}, first.center());
    EXPECT_FALSE(view->hasSelection());
}

TEST_F(ChatViewTest, ClickingALinkReportsItsNumberAndItsOwnTarget) {
    QSignalSpy clicked(view.get(), &ChatView::linkClicked);
    view->addText(QStringLiteral("see "), plain, true);
    view->addText(QStringLiteral("www.one.com "), link, false);
    view->addText(QStringLiteral("and "), plain, false);
    view->addText(QStringLiteral("two "), link, false, QStringLiteral("http://two.org"));
    view->refresh();
    EXPECT_EQ(view->document().linkCount(), 2);
    EXPECT_EQ(view->linkAt(centre(0)), -1);
    EXPECT_EQ(view->linkAt(centre(1)), 0);
    EXPECT_EQ(view->linkAt(centre(3)), 1);

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre(3));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre(1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre(2)); // plain text: nothing
    ASSERT_EQ(clicked.size(), 2);
    EXPECT_EQ(clicked[0][0].toInt(), 1);
    EXPECT_EQ(clicked[0][1].toString(), QStringLiteral("http://two.org"));
    EXPECT_EQ(clicked[1][0].toInt(), 0);
    EXPECT_EQ(clicked[1][1].toString(), QStringLiteral("www.one.com "));
}

TEST_F(ChatViewTest, PressOnALinkReleasedElsewhereOpensNothing) {
    QSignalSpy clicked(view.get(), &ChatView::linkClicked);
    view->addText(QStringLiteral("www.one.com "), link, true);
    view->addText(QStringLiteral("plain words"), plain, true);
    view->refresh();
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, centre(0));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, centre(1));
    EXPECT_EQ(clicked.size(), 0);
}

TEST_F(ChatViewTest, PointerIsAHandOverLinks) {
    view->addText(QStringLiteral("text "), plain, true);
    view->addText(QStringLiteral("www.one.com "), link, false);
    view->refresh();
    QTest::mouseMove(view->viewport(), centre(1));
    QMouseEvent over(QEvent::MouseMove, QPointF(centre(1)),
                     view->viewport()->mapToGlobal(QPointF(centre(1))), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &over);
    EXPECT_EQ(view->viewport()->cursor().shape(), Qt::PointingHandCursor);
    QMouseEvent off(QEvent::MouseMove, QPointF(centre(0)),
                    view->viewport()->mapToGlobal(QPointF(centre(0))), Qt::NoButton, Qt::NoButton,
                    Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &off);
    EXPECT_EQ(view->viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ChatViewTest, PopupMenuItemsInOrder) {
    const QList<QAction*> actions = view->popupMenu()->actions();
    ASSERT_EQ(actions.size(), 5);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Select All"));
    EXPECT_EQ(actions[1]->text(), QStringLiteral("Copy"));
    EXPECT_EQ(actions[1]->shortcut(), QKeySequence(QKeySequence::Copy));
    EXPECT_EQ(actions[2]->text(), QStringLiteral("Clear All"));
    EXPECT_TRUE(actions[3]->isSeparator());
    EXPECT_EQ(actions[4]->text(), QStringLiteral("Scroll Chat Off"));
    EXPECT_TRUE(actions[4]->isCheckable());
    EXPECT_FALSE(actions[4]->isChecked());
}

TEST_F(ChatViewTest, PopupActionsWork) {
    addLines(3, plain);
    view->selectAllAction()->trigger();
    EXPECT_EQ(view->selectedText(), view->plainText());
    view->copyAction()->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), view->plainText());

    QSignalSpy cleared(view.get(), &ChatView::clearedByUser);
    view->clearAllAction()->trigger();
    EXPECT_EQ(cleared.size(), 1);
    EXPECT_EQ(view->itemCount(), 0);
    EXPECT_FALSE(view->hasSelection());
    EXPECT_EQ(view->verticalScrollBar()->maximum(), 0);

    QSignalSpy scroll(view.get(), &ChatView::autoScrollChanged);
    view->scrollOffAction()->trigger();
    EXPECT_FALSE(view->autoScroll());
    view->scrollOffAction()->trigger();
    EXPECT_TRUE(view->autoScroll());
    ASSERT_EQ(scroll.size(), 2);
    EXPECT_FALSE(scroll[0][0].toBool());
    EXPECT_TRUE(scroll[1][0].toBool());
    // Switching in code ticks the popup item too.
    view->setAutoScroll(false);
    EXPECT_TRUE(view->scrollOffAction()->isChecked());
}

TEST_F(ChatViewTest, ClearingStartsLinkNumbersAgain) {
    view->addText(QStringLiteral("www.a.com "), link, true);
    view->addText(QStringLiteral("www.b.com "), link, false);
    view->clear();
    view->addText(QStringLiteral("www.c.com "), link, true);
    EXPECT_EQ(view->document().item(0).link, 0);
}

TEST_F(ChatViewTest, AutoScrollFollowsTheEndUnlessSwitchedOff) {
    addLines(60, plain);
    QScrollBar* bar = view->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(view->isAtEnd());

    view->setAutoScroll(false);
    bar->setValue(0);
    addLines(20, plain);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_FALSE(view->isAtEnd());

    view->setAutoScroll(true);
    addLines(1, plain);
    EXPECT_TRUE(view->isAtEnd());
}

TEST_F(ChatViewTest, AppendingLaysOutOnlyTheNewParagraph) {
    addLines(20, plain);
    const std::vector<ChatDocument::Line> before = view->document().lines();
    addLines(1, plain);
    const std::vector<ChatDocument::Line>& after = view->document().lines();
    ASSERT_GT(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].top, before[i].top);
        EXPECT_EQ(after[i].firstPiece, before[i].firstPiece);
    }
}

TEST_F(ChatViewTest, PicturesSitOnTheLine) {
    view->addText(QStringLiteral("look "), plain, true);
    view->addPicture(square(QColor(255, 255, 0)), false);
    view->refresh();
    const QRect box = view->itemRect(1);
    EXPECT_NEAR(box.width(), 17, 1); // the box is rounded out to whole pixels
    EXPECT_GE(box.height(), 16);
    const QImage shot = zbtest::look(view->viewport());
    EXPECT_GE(zbtest::countColour(shot, QColor(255, 255, 0)), 17 * 16);
}
