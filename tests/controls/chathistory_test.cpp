// The chat's bounded history: past its limits in lines and in bytes the oldest lines go, and the
// lines that stay keep their links, their selection and their place on screen.

#include "controls_helpers.h"

#include "controls/chatview.h"
#include "shell/chatpanel.h"
#include "support/fakedialogs.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using zb::ChatDocument;
using zb::ChatTextStyle;
using zb::ChatView;
using zbtest::makeStyle;

namespace {

QString lineText(int i) {
    return QStringLiteral("line %1 ").arg(i);
}

QString linkText(int i) {
    return QStringLiteral("www.site%1.com ").arg(i);
}

class ChatHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        view = std::make_unique<ChatView>();
        view->resize(300, 120);
        plain = view->addStyle(makeStyle(Qt::black));
        link = view->addStyle(makeStyle(QColor(0, 128, 0), true));
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    // Line i: "line i " and, when it has one, the link "www.site<i>.com ".
    void addLine(int i, bool withLink = true) {
        view->addText(lineText(i), plain, true);
        if (withLink)
            view->addText(linkText(i), link, false);
        view->refresh();
    }

    // The number in the first kept line.
    int firstKept() const {
        const QString first = view->document().item(0).text;
        return first.section(u' ', 1, 1).toInt();
    }

    int linkItem(int line) const {
        const ChatDocument& doc = view->document();
        for (int i = 0; i < doc.itemCount(); ++i) {
            if (doc.item(i).text == linkText(line))
                return i;
        }
        return -1;
    }

    std::unique_ptr<ChatView> view;
    int plain = -1;
    int link = -1;
};

TEST_F(ChatHistoryTest, TheOldestLinesGoPastTheLineLimit) {
    struct Case {
        int limit;
        int added;
    };
    for (const Case c : {Case{8, 7}, Case{8, 9}, Case{8, 100}, Case{1, 5}, Case{40, 333}}) {
        SCOPED_TRACE(testing::Message() << c.limit << " lines, " << c.added << " added");
        view->clear();
        view->setHistoryLimits(c.limit, 1 << 30);
        for (int i = 0; i < c.added; ++i) {
            addLine(i);
            ASSERT_LE(view->document().paragraphCount(), c.limit);
        }
        const int kept = view->document().paragraphCount();
        EXPECT_GE(kept, std::min(c.added, c.limit - c.limit / 8));
        // What stays is the newest lines, in order and whole.
        QString expected;
        for (int i = c.added - kept; i < c.added; ++i)
            expected += (expected.isEmpty() ? "" : "\n") + lineText(i) + linkText(i);
        EXPECT_EQ(view->plainText(), expected);
        EXPECT_EQ(firstKept(), c.added - kept);
    }
}

TEST_F(ChatHistoryTest, TheOldestLinesGoPastTheByteLimit) {
    const QString long500 = QString(500, u'x');
    struct Case {
        qint64 bytes;
        QString text;
    };
    for (const Case& c : {Case{4000, long500}, Case{20000, long500},
                          Case{3000, QString(60000, u'y')}, Case{100000, QString(60000, u'z')}}) {
        SCOPED_TRACE(testing::Message() << c.bytes << " bytes, lines of " << c.text.size());
        view->clear();
        view->setHistoryLimits(1000, c.bytes);
        for (int i = 0; i < 30; ++i) {
            view->addText(lineText(i), plain, true);
            view->addText(c.text, plain, false);
            view->refresh();
            const ChatDocument& doc = view->document();
            // Over the limit only while the newest line alone is larger than all of it.
            if (doc.paragraphCount() > 1) {
                EXPECT_LE(doc.bytes(), c.bytes);
            }
        }
        const ChatDocument& doc = view->document();
        EXPECT_EQ(doc.item(doc.itemCount() - 1).text, c.text); // the newest line is kept whole
        EXPECT_EQ(doc.item(doc.itemCount() - 2).text, lineText(29));
        EXPECT_LT(doc.paragraphCount(), 30);
    }
}

TEST_F(ChatHistoryTest, TheStandardLimitsHold) {
    for (int i = 0; i < ChatDocument::kMaxParagraphs + 300; ++i) {
        view->addText(lineText(i), plain, true);
        view->addText(QStringLiteral("a few words "), plain, false);
    }
    view->refresh();
    EXPECT_LE(view->document().paragraphCount(), ChatDocument::kMaxParagraphs);
    EXPECT_GE(view->document().paragraphCount(), ChatDocument::kMaxParagraphs * 7 / 8);
    const QString huge(60000, u'w');
    for (int i = 0; i < 30; ++i) {
        view->addText(lineText(i), plain, true);
        view->addText(huge, plain, false);
        view->refresh();
    }
    EXPECT_LE(view->document().bytes(), ChatDocument::kMaxBytes);
    // As many huge lines as fit in 7/8 of the bytes, the newest among them.
    EXPECT_GE(view->document().paragraphCount(), int(ChatDocument::kMaxBytes * 7 / 8 / 121000));
}

TEST_F(ChatHistoryTest, KeptPicturesShowTheirOwnPicture) {
    view->setHistoryLimits(5, 1 << 30);
    const auto shade = [](int i) { return QColor(10 * i, 255 - 10 * i, 128); };
    for (int i = 0; i < 20; ++i) {
        QPixmap square(17, 16);
        square.fill(shade(i));
        view->addText(lineText(i), plain, true);
        view->addPicture(square, false);
        view->refresh();
    }
    const ChatDocument& doc = view->document();
    const int first = firstKept();
    ASSERT_GT(first, 10);
    for (int item = 0; item < doc.itemCount(); ++item) {
        if (doc.item(item).style >= 0)
            continue;
        const int line = first + item / 2;
        EXPECT_EQ(doc.picture(doc.item(item)).toImage().pixelColor(8, 8), shade(line)) << line;
    }
}

TEST_F(ChatHistoryTest, KeptLinksAreNumberedInOrderAndOpenTheirOwnText) {
    QSignalSpy clicked(view.get(), &ChatView::linkClicked);
    view->setHistoryLimits(6, 1 << 30);
    for (int i = 0; i < 40; ++i)
        addLine(i);
    const ChatDocument& doc = view->document();
    const int first = firstKept();
    ASSERT_GT(first, 20);
    EXPECT_EQ(doc.linkCount(), 40 - first);
    for (int line = first; line < 40; ++line) {
        SCOPED_TRACE(line);
        const int item = linkItem(line);
        ASSERT_GE(item, 0);
        EXPECT_EQ(doc.item(item).link, line - first);
        const QRect box = view->itemRect(item);
        if (box.bottom() < 0 || box.top() >= view->viewport()->height())
            continue; // scrolled out
        clicked.clear();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, box.center());
        ASSERT_EQ(clicked.size(), 1);
        EXPECT_EQ(clicked[0][0].toInt(), line - first);
        EXPECT_EQ(clicked[0][1].toString(), linkText(line));
    }
}

TEST_F(ChatHistoryTest, APressedLinkNeverOpensAnotherLine) {
    struct Case {
        const char* name;
        bool scrollOff;
        int addedWhilePressed; // enough to drop the pressed line, or not
    };
    constexpr int kPressed = 25;
    for (const Case c : {Case{"dropped", true, 60}, Case{"kept, scroll off", true, 5},
                         Case{"kept, following the end", false, 5}}) {
        SCOPED_TRACE(c.name);
        view->clear();
        view->setHistoryLimits(30, 1 << 30);
        view->setAutoScroll(!c.scrollOff);
        for (int i = 0; i < 30; ++i)
            addLine(i);
        const int item = linkItem(kPressed);
        ASSERT_GE(item, 0);
        QScrollBar* bar = view->verticalScrollBar();
        bar->setValue(bar->value() + view->itemRect(item).top() - 20);
        const QPoint at = view->itemRect(item).center();
        ASSERT_TRUE(view->viewport()->rect().contains(at));
        QSignalSpy clicked(view.get(), &ChatView::linkClicked);
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at);
        for (int i = 30; i < 30 + c.addedWhilePressed; ++i)
            addLine(i);
        ASSERT_GT(firstKept(), 0);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
        for (const QList<QVariant>& signal : clicked)
            EXPECT_EQ(signal[1].toString(), linkText(kPressed));
        const int kept = linkItem(kPressed);
        if (kept < 0) {
            EXPECT_TRUE(clicked.isEmpty());
        }
        if (c.scrollOff && kept >= 0) {
            // The reader's place stays: the pressed link is still under the pointer, and opens.
            EXPECT_EQ(view->itemRect(kept).center(), at);
            EXPECT_EQ(clicked.size(), 1);
        }
    }
}

TEST_F(ChatHistoryTest, TheSelectionStaysWithItsText) {
    view->setHistoryLimits(16, 1 << 30);
    for (int i = 0; i < 16; ++i)
        addLine(i, false);
    const int from = 12 - firstKept();
    view->setSelection({from, 2}, {from + 2, 4});
    const QString selected = view->selectedText();
    ASSERT_EQ(selected, QStringLiteral("ne 12 \nline 13 \nline"));
    for (int i = 16; i < 20; ++i)
        addLine(i, false);
    ASSERT_GT(firstKept(), 0);
    EXPECT_EQ(view->selectedText(), selected);
    // A selection whose start went with the dropped lines begins at the first kept line.
    view->setSelection({0, 0}, {1, 3});
    for (int i = 20; i < 40; ++i)
        addLine(i, false);
    EXPECT_FALSE(view->hasSelection());
}

TEST_F(ChatHistoryTest, TheChatPanelsLinksOpenTheirOwnAddressPastTheSlotsAndTheLimit) {
    zbtest::FakeDialogs dialogs;
    zb::ChatPanel panel(nullptr, &dialogs);
    std::vector<QUrl> opened;
    panel.setUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    ChatView* chat = panel.mainchat();
    chat->setHistoryLimits(20, 1 << 30);
    // 150 links: the 101 slots wrap, and most of the lines are dropped.
    for (int i = 0; i < 150; ++i) {
        panel.addlinetochat(QStringLiteral("2+Ann chats: see www.site%1.com now").arg(i),
                            zb::color::kBlack);
    }
    const ChatDocument& doc = chat->document();
    int clickedLinks = 0;
    for (int item = 0; item < doc.itemCount(); ++item) {
        if (doc.item(item).link < 0)
            continue;
        const QRect box = chat->itemRect(item);
        if (box.bottom() < 0 || box.top() >= chat->viewport()->height())
            continue;
        opened.clear();
        QTest::mouseClick(chat->viewport(), Qt::LeftButton, {}, box.center());
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0].toString(), QStringLiteral("http://") + doc.item(item).text.trimmed());
        ++clickedLinks;
    }
    EXPECT_GE(clickedLinks, 2);
    EXPECT_LE(panel.chatlinks().counter(), 100);
}

TEST_F(ChatHistoryTest, AReaderScrolledBackKeepsHisPlace) {
    view->setHistoryLimits(30, 1 << 30);
    view->setAutoScroll(false);
    for (int i = 0; i < 30; ++i)
        addLine(i, false);
    // Scroll so that line 25 is in sight, then let lines above it go.
    const int item = 25 - firstKept();
    QScrollBar* bar = view->verticalScrollBar();
    bar->setValue(bar->value() + view->itemRect(item).top() - 10);
    const QRect before = view->itemRect(item);
    for (int i = 30; i < 35; ++i)
        addLine(i, false);
    ASSERT_GT(firstKept(), 0);
    EXPECT_EQ(view->itemRect(25 - firstKept()), before);
}

} // namespace
