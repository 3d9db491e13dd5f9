// Options > "Text Size" while the chat is at its end: the newest lines stay in view.

#include "controls/chatview.h"
#include "shell/chatpanel.h"
#include "support/fakedialogs.h"

#include <QAction>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(ChatPanelTextSize, TheMenusTextSizeKeepsTheChatAtItsEnd) {
    zbtest::FakeDialogs dialogs;
    zb::ChatPanel panel(nullptr, &dialogs);
    QAction colour;
    std::array<std::unique_ptr<QAction>, 4> owned;
    std::array<QAction*, 4> sizes{};
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        owned[i] = std::make_unique<QAction>();
        sizes[i] = owned[i].get();
    }
    QAction scrollOff;
    panel.attachMenu(&colour, sizes, &scrollOff);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    for (int i = 0; i < 40; ++i)
        panel.addlinetochat(QStringLiteral("2+Bob chats: line %1 of a long game").arg(i), 0x0000FF);
    zb::ChatView* view = panel.mainchat();
    ASSERT_GT(view->verticalScrollBar()->maximum(), 0);
    ASSERT_TRUE(view->isAtEnd());
    for (std::size_t i : {3, 0, 2, 1}) { // 14, 8, 12, 10 points
        sizes[i]->trigger();
        EXPECT_EQ(panel.textSize(), zb::ChatPanel::kTextSizes[i]);
        EXPECT_TRUE(view->isAtEnd()) << panel.textSize() << " pt";
    }
}

} // namespace
