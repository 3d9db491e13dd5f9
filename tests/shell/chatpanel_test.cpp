// The chat panel driven as a player and a host would: typing and sending, received lines with
// their styles and colours, smilies, links, the smiley menu and the chat's menu items.

#include "controls/chatview.h"
#include "controls/picturebutton.h"
#include "controls/pictures.h"
#include "net/errors.h"
#include "net/guard.h"
#include "shell/chatpanel.h"
#include "support/fakedialogs.h"
#include "support/wait.h"
#include "table/core/session.h"
#include "table/core/tablecore.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using zb::ChatPanel;
using zb::ChatView;
namespace color = zb::color;

namespace {

struct Shown {
    QString text;
    int style;
    int smiley; // 10..27 for a smiley picture, 0 for text
};

class ChatPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel = std::make_unique<ChatPanel>(nullptr, &dialogs);
        // The table's own core turns the lines into messages, as it does in the window.
        core.setSend([this](const QByteArray& m) { sent.push_back(m); });
        panel->setSendLine([this](const QString& typed, const QString& colour) {
            return core.sendChatLine(typed, colour);
        });
        panel->setUrlOpener([this](const QUrl& url) {
            opened.push_back(url);
            return true;
        });
        panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    }

    ChatView* view() const { return panel->mainchat(); }
    QLineEdit* input() const { return panel->mychat(); }

    void login(int seat) {
        core.receive("CMD_sendlogininfo+" + QByteArray::number(seat) + '\xFF');
        core.session().processsocktimer();
        sent.clear(); // the core's login answer
    }

    void type(const QString& text) {
        input()->setText(text);
        QTest::keyClick(input(), Qt::Key_Return);
    }

    int smileyNumber(const QPixmap& pixmap) const {
        const QImage image = pixmap.toImage();
        for (int n = 10; n <= 27; ++n) {
            if (zb::pics::smiley(n, zb::pics::kSmileySize, view()->devicePixelRatioF()).toImage() ==
                image)
                return n;
        }
        return -1;
    }

    std::vector<Shown> shown() const {
        std::vector<Shown> out;
        const zb::ChatDocument& doc = view()->document();
        for (int i = 0; i < doc.itemCount(); ++i) {
            const auto& item = doc.item(i);
            if (item.style < 0)
                out.push_back({QString(), -1, smileyNumber(doc.picture(item))});
            else
                out.push_back({item.text, item.style, 0});
        }
        return out;
    }

    int indexOf(const QString& text) const {
        const zb::ChatDocument& doc = view()->document();
        for (int i = 0; i < doc.itemCount(); ++i) {
            if (doc.item(i).text == text)
                return i;
        }
        return -1;
    }

    void clickItem(int item) {
        ASSERT_GE(item, 0);
        const QRect r = view()->itemRect(item);
        ASSERT_FALSE(r.isEmpty());
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, r.center());
    }

    zbtest::FakeDialogs dialogs;
    zb::TableCore core;
    std::vector<QByteArray> sent;
    std::vector<QUrl> opened;
    std::unique_ptr<ChatPanel> panel;
};

} // namespace

// ---- Sending ---------------------------------------------------------------------------------

TEST_F(ChatPanelTest, LayoutOfThePanel) {
    EXPECT_EQ(panel->size(), QSize(483, 134));
    EXPECT_EQ(view()->geometry(), QRect(1, 2, 481, 108));
    EXPECT_EQ(input()->geometry(), QRect(2, 111, 333, 22));
    EXPECT_EQ(panel->button_smilies()->geometry(), QRect(339, 112, 26, 20));
    EXPECT_EQ(panel->Image4()->geometry(), QRect(368, 111, 114, 22));
    EXPECT_EQ(input()->text(), QStringLiteral("<Enter Chat Here>"));
    EXPECT_EQ(view()->styleCount(), 15);
    EXPECT_EQ(view()->backgroundColor(), QColor(0xCC, 0xC8, 0xB3));
}

TEST_F(ChatPanelTest, FirstKeyClearsThePromptAndEnterSends) {
    login(2);
    QTest::keyClicks(input(), QStringLiteral("hi"));
    EXPECT_EQ(input()->text(), QStringLiteral("hi"));
    QTest::keyClick(input(), Qt::Key_Return);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], QByteArray("CMD_chat+2+hi|clBlack\xFF"));
    EXPECT_TRUE(input()->text().isEmpty());
    input()->setText(QStringLiteral("again"));
    QTest::keyClick(input(), Qt::Key_Enter); // the keypad's Enter too
    EXPECT_EQ(sent.size(), 2u);
}

TEST_F(ChatPanelTest, NothingIsSentBeforeLogin) {
    type(QStringLiteral("too early"));
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(input()->text(), QStringLiteral("too early"));
}

TEST_F(ChatPanelTest, EmptyInputSendsNothing) {
    login(1);
    type(QString());
    EXPECT_TRUE(sent.empty());
    // The prompt itself is never sent: the Enter key clears it first.
    input()->setText(ChatPanel::kEnterChat);
    QTest::keyClick(input(), Qt::Key_Return);
    EXPECT_TRUE(sent.empty());
}

TEST_F(ChatPanelTest, SlashMeFormsAndOtherSlashes) {
    login(4);
    panel->setChatColor(color::kRed);
    type(QStringLiteral("/me waves"));
    type(QStringLiteral("/meow hi"));
    type(QStringLiteral("/me"));
    type(QStringLiteral("/me "));
    type(QStringLiteral("/help"));
    EXPECT_TRUE(input()->text().isEmpty());
    type(QStringLiteral("/Me waves")); // the comparison keeps letter case
    type(QStringLiteral("/"));
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0], QByteArray("CMD_action+4+waves|clRed\xFF"));
    EXPECT_EQ(sent[1], QByteArray("CMD_action+4+w hi|clRed\xFF"));
    EXPECT_EQ(sent[2], QByteArray("CMD_action+4+|clRed\xFF"));
    EXPECT_EQ(sent[3], QByteArray("CMD_action+4+|clRed\xFF"));
}

TEST_F(ChatPanelTest, ChatColourTravelsAsText) {
    login(2);
    panel->setChatColor(0x00123456);
    type(QStringLiteral("a+b"));
    EXPECT_EQ(sent.back(), QByteArray("CMD_chat+2+a+b|$00123456\xFF"));
    EXPECT_EQ(panel->chatColorText(), QStringLiteral("$00123456"));
}

TEST_F(ChatPanelTest, ALongPasteStaysBelowTheHostsLimit) {
    login(9);
    panel->setChatColor(0x00ABCDEF);
    type(QString(100000, u'x'));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_LT(sent[0].size(), 64 * 1024);
    EXPECT_TRUE(sent[0].endsWith("|$00ABCDEF\xFF"));
}

TEST_F(ChatPanelTest, TypedTextIsLatin1WithQuestionMarks) {
    login(2);
    type(QString::fromUtf8("née ÿ € 日"));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], QByteArray("CMD_chat+2+n\xE9"
                                  "e ? ? ?|clBlack\xFF"));
    EXPECT_EQ(sent[0].count('\xFF'), 1);
}

TEST_F(ChatPanelTest, ASendFailureReachesTheGuardAndKeepsThePanelUsable) {
    login(2);
    QStringList reported;
    auto previous = zb::setErrorReporter([&](const QString& text) { reported << text; });
    core.setSend([](const QByteArray&) { throw zb::ESockException("Socket error"); });
    type(QStringLiteral("hello"));
    zb::setErrorReporter(previous);
    EXPECT_EQ(reported, QStringList{QStringLiteral("Socket error")});
    EXPECT_EQ(input()->text(), QStringLiteral("hello")) << "what did not go out stays";
    core.setSend([this](const QByteArray& m) { sent.push_back(m); });
    type(QStringLiteral("again"));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], QByteArray("CMD_chat+2+again|clBlack\xFF"));
}

// ---- Receiving and the view --------------------------------------------------------------------

TEST_F(ChatPanelTest, ReceivedChatShowsSpeakerAndWordsInTheSeatsStyle) {
    panel->chatrecieved(QByteArray("2+Ann chats: hi|clRed"));
    const std::vector<Shown> items = shown();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, QStringLiteral("Ann chats: "));
    EXPECT_EQ(items[1].text, QStringLiteral(" "));
    EXPECT_EQ(items[2].text, QStringLiteral("hi "));
    for (const Shown& s : items)
        EXPECT_EQ(s.style, 7);
    EXPECT_TRUE(view()->document().item(0).newParagraph);
    EXPECT_FALSE(view()->document().item(1).newParagraph);
    EXPECT_EQ(view()->style(7).color, QColor(255, 0, 0));
    EXPECT_TRUE(view()->style(7).bold);
}

TEST_F(ChatPanelTest, EachStyleTakesTheColourOfItsLastLine) {
    panel->chatrecieved(QByteArray("2+Ann chats: first|clBlue"));
    panel->chatrecieved(QByteArray("3+Bob chats: other|clGreen"));
    EXPECT_EQ(view()->style(7).color, QColor(0, 0, 255));
    panel->chatrecieved(QByteArray("2+Ann chats: second|clRed"));
    // Every seat-2 line, the first one too, is now red; seat 3 keeps its green.
    EXPECT_EQ(view()->style(7).color, QColor(255, 0, 0));
    EXPECT_EQ(view()->style(8).color, QColor(0, 128, 0));
    EXPECT_EQ(view()->document().item(0).style, 7);

    panel->addlinetochat("0+X has left.", color::kNavy);
    EXPECT_EQ(view()->style(0).color, QColor(0, 0, 128));
    panel->addlinetochat("0+Y is Connected.", color::kBlue);
    EXPECT_EQ(view()->style(0).color, QColor(0, 0, 255));
    EXPECT_TRUE(view()->style(0).bold);
    // Styles that no line uses keep their look.
    EXPECT_FALSE(view()->style(6).bold);
    EXPECT_EQ(view()->style(6).color, QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(view()->style(3).color, QColor(0x80, 0, 0));
    EXPECT_TRUE(view()->style(3).italic);
}

TEST_F(ChatPanelTest, LinesWithoutBarOrWithABadColourAreRed) {
    panel->chatrecieved(QByteArray("5+Cy chats: no bar"));
    EXPECT_EQ(view()->style(10).color, QColor(255, 0, 0));
    panel->chatrecieved(QByteArray("1+Ann chats: a|b|clBlue"));
    EXPECT_EQ(view()->style(6).color, QColor(255, 0, 0));
    EXPECT_EQ(indexOf(QStringLiteral("a ")) >= 0, true);
    EXPECT_EQ(indexOf(QStringLiteral("b|clBlue ")), -1);
    panel->chatrecieved(QByteArray("1+Ann chats: x|clUnknown"));
    EXPECT_EQ(view()->style(6).color, QColor(255, 0, 0));
}

TEST_F(ChatPanelTest, ReceivedLatin1NamesShowAsTheirCharacters) {
    panel->chatrecieved(QByteArray("2+Ren\xE9"
                                   " chats: \xE0 bient\xF4t|clBlack"));
    EXPECT_EQ(view()->document().item(0).text, QString::fromUtf8("René chats: "));
    EXPECT_GE(indexOf(QString::fromUtf8("bientôt ")), 0);
}

TEST_F(ChatPanelTest, StatusLinesAndTheirColours) {
    panel->addlinetochat("0+You are Connected.", color::kBlue);
    EXPECT_EQ(view()->plainText(), QStringLiteral(" You are Connected. "));
    EXPECT_EQ(view()->document().item(0).style, 0);
    panel->addlinetochat(QByteArray("0+Caf\xE9 spying."), color::kBlue);
    EXPECT_GE(indexOf(QString::fromUtf8("Café ")), 0);
    panel->addlinetochat(QStringLiteral("0+A: b"), color::kBlue);
    EXPECT_GE(indexOf(QStringLiteral("A: ")), 0);
}

TEST_F(ChatPanelTest, BadPrefixes) {
    EXPECT_THROW(panel->addlinetochat("x+hi", color::kBlue), zb::EConvertError);
    EXPECT_THROW(panel->chatrecieved(QByteArray("no prefix|clRed")), zb::EConvertError);
    panel->addlinetochat("12+out of range", color::kBlue);
    panel->addlinetochat("-1+would be the link style", color::kRed);
    EXPECT_EQ(view()->itemCount(), 0);
    EXPECT_EQ(view()->style(4).color, QColor(0, 128, 0));
}

TEST_F(ChatPanelTest, SmileyCodesTenToTwentySevenBecomePictures) {
    for (int n = 10; n <= 27; ++n)
        panel->addlinetochat(QStringLiteral("1+Ann chats: :)#%1").arg(n), color::kBlack);
    std::vector<int> smilies;
    for (const Shown& s : shown()) {
        if (s.style < 0)
            smilies.push_back(s.smiley);
    }
    ASSERT_EQ(smilies.size(), 18u);
    for (int n = 10; n <= 27; ++n)
        EXPECT_EQ(smilies[n - 10], n);
    EXPECT_EQ(view()->plainText().count(QStringLiteral(":)#")), 0);
}

TEST_F(ChatPanelTest, SmileyNumbersOutsideTheSetShowTheFirstSmiley) {
    panel->addlinetochat("1+Ann chats: a:)#9 b", color::kBlack);
    panel->addlinetochat("1+Ann chats: :)#28", color::kBlack);
    panel->addlinetochat("1+Ann chats: :)#5x", color::kBlack);
    std::vector<int> smilies;
    for (const Shown& s : shown()) {
        if (s.style < 0)
            smilies.push_back(s.smiley);
    }
    EXPECT_EQ(smilies, (std::vector<int>{10, 10, 10}));
    EXPECT_GE(indexOf(QStringLiteral("b ")), 0);
    EXPECT_EQ(indexOf(QStringLiteral("9 ")), -1);
}

TEST_F(ChatPanelTest, ActionSmileyAfterNoColon) {
    panel->chatrecieved(QByteArray("2+Ann waves :)#12|clRed"));
    const std::vector<Shown> items = shown();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, QStringLiteral("Ann waves : "));
    EXPECT_EQ(items[1].text, QStringLiteral(")#12 "));
}

TEST_F(ChatPanelTest, ScrollChatOffKeepsTheViewStill) {
    for (int i = 0; i < 40; ++i)
        panel->addlinetochat(QStringLiteral("0+line %1").arg(i), color::kBlue);
    QScrollBar* bar = view()->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    panel->setScrollOff(true);
    bar->setValue(10);
    for (int i = 0; i < 20; ++i)
        panel->addlinetochat(QStringLiteral("0+more %1").arg(i), color::kBlue);
    EXPECT_EQ(bar->value(), 10);
    panel->setScrollOff(false);
    panel->addlinetochat("0+last", color::kBlue);
    EXPECT_EQ(bar->value(), bar->maximum());
}

// ---- Links ----------------------------------------------------------------------------------

TEST_F(ChatPanelTest, WwwLinkOpensWithHttpInFrontAndWithoutItsBlank) {
    panel->chatrecieved(QByteArray("2+Ann chats: see www.example.com now|clRed"));
    const int link = indexOf(QStringLiteral("www.example.com "));
    ASSERT_GE(link, 0);
    EXPECT_EQ(view()->document().item(link).style, 4);
    EXPECT_EQ(view()->document().item(indexOf(QStringLiteral("now "))).style, 7);
    clickItem(link);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://www.example.com")));
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(ChatPanelTest, HttpLinkOpensAsItIs) {
    panel->chatrecieved(QByteArray("1+Ann chats: http://example.org/a?b=1|clRed"));
    clickItem(indexOf(QStringLiteral("http://example.org/a?b=1 ")));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://example.org/a?b=1")));
}

TEST_F(ChatPanelTest, OtherSchemesAreRefusedWithCannotOpenWebpage) {
    panel->chatrecieved(QByteArray("1+Ann chats: javascript:alert('http://x')|clRed"));
    panel->chatrecieved(QByteArray("1+Ann chats: file:///etc/passwd#www.x|clRed"));
    const zb::ChatDocument& doc = view()->document();
    ASSERT_EQ(doc.linkCount(), 2);
    for (int i = 0; i < doc.itemCount(); ++i) {
        if (doc.item(i).link >= 0)
            clickItem(i);
    }
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(dialogs.calls.size(), 2u);
    for (const auto& call : dialogs.calls) {
        EXPECT_EQ(call.kind, zbtest::FakeDialogs::Kind::Information);
        EXPECT_EQ(call.text, QStringLiteral("Cannot open Webpage"));
    }
    EXPECT_TRUE(dialogs.answer());
}

TEST_F(ChatPanelTest, EachLinkOpensItsOwnTextAfterWrapAndClear) {
    for (int i = 0; i < 103; ++i)
        panel->addlinetochat(QStringLiteral("1+Ann chats: www.site%1.com").arg(i), color::kBlack);
    EXPECT_EQ(panel->chatlinks().counter(), 2); // -1, 0..100, then 1 and 2 again
    EXPECT_EQ(panel->chatlinks().at(2), QStringLiteral("www.site102.com "));
    clickItem(indexOf(QStringLiteral("www.site0.com ")));
    clickItem(indexOf(QStringLiteral("www.site101.com ")));
    view()->clearAllAction()->trigger();
    panel->addlinetochat("1+Ann chats: www.after.com", color::kBlack);
    clickItem(indexOf(QStringLiteral("www.after.com ")));
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://www.site0.com")));
    EXPECT_EQ(opened[1], QUrl(QStringLiteral("http://www.site101.com")));
    EXPECT_EQ(opened[2], QUrl(QStringLiteral("http://www.after.com")));
    EXPECT_EQ(panel->chatlinks().counter(), 3); // the counter survives Clear All
}

TEST_F(ChatPanelTest, BannerOpensTheMakersAddress) {
    panel->setMakerUrl(QUrl(QStringLiteral("http://maker.example/")));
    QTest::mouseClick(panel->Image4(), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://maker.example/")));
}

// ---- Smiley menu ----------------------------------------------------------------------------

TEST_F(ChatPanelTest, SmileyMenuListsTheEighteenCodes) {
    const QList<QAction*> entries = panel->popup_smilies()->actions();
    ASSERT_EQ(entries.size(), 18);
    for (int n = 10; n <= 27; ++n) {
        EXPECT_EQ(entries[n - 10]->text(), QStringLiteral(":)#%1").arg(n));
        EXPECT_FALSE(entries[n - 10]->icon().isNull());
    }
    panel->button_smiliesClick();
    EXPECT_TRUE(zbtest::waitFor([&] { return panel->popup_smilies()->isVisible(); }));
    panel->popup_smilies()->hide();
}

TEST_F(ChatPanelTest, SmileyEntriesAppendTheirCode) {
    panel->popup_smilies()->actions()[2]->trigger();
    EXPECT_EQ(input()->text(), QStringLiteral(":)#12"));
    input()->selectAll();
    panel->N271Click(27);
    EXPECT_EQ(input()->text(), QStringLiteral(":)#12:)#27"));
    EXPECT_FALSE(input()->hasSelectedText());
    EXPECT_EQ(input()->cursorPosition(), input()->text().size());
}

// ---- Menu items -----------------------------------------------------------------------------

class ChatPanelMenuTest : public ChatPanelTest {
protected:
    void SetUp() override {
        ChatPanelTest::SetUp();
        textColor = menu.addAction(QStringLiteral("Text Color"));
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            sizes[i] = menu.addAction(QString::number(ChatPanel::kTextSizes[i]));
            sizes[i]->setCheckable(true);
        }
        scrollOff = menu.addAction(QStringLiteral("Scroll Chat Off"));
        scrollOff->setCheckable(true);
        panel->attachMenu(textColor, sizes, scrollOff);
    }

    QMenu menu;
    QAction* textColor = nullptr;
    std::array<QAction*, 4> sizes{};
    QAction* scrollOff = nullptr;
};

TEST_F(ChatPanelMenuTest, TextSizeSetsEveryStyleAndTicksOneEntry) {
    EXPECT_EQ(panel->textSize(), 10);
    EXPECT_TRUE(sizes[1]->isChecked());
    QSignalSpy changed(panel.get(), &ChatPanel::textSizeChanged);
    QSignalSpy colour(panel.get(), &ChatPanel::chatColorChanged);
    sizes[3]->trigger();
    EXPECT_EQ(colour.size(), 0);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(panel->textSize(), 14);
    for (int s = 0; s < 15; ++s)
        EXPECT_EQ(view()->style(s).pointSize, 14);
    EXPECT_FALSE(sizes[0]->isChecked());
    EXPECT_FALSE(sizes[1]->isChecked());
    EXPECT_FALSE(sizes[2]->isChecked());
    EXPECT_TRUE(sizes[3]->isChecked());
    // A size without an entry (from the settings file) ticks none and announces nothing.
    panel->setTextSize(11);
    EXPECT_EQ(panel->textSize(), 11);
    for (QAction* a : sizes)
        EXPECT_FALSE(a->isChecked());
    EXPECT_EQ(changed.size(), 1);
    panel->setTextSize(0);
    EXPECT_EQ(panel->textSize(), 1);
    panel->setTextSize(100000);
    EXPECT_EQ(panel->textSize(), 144);
}

TEST_F(ChatPanelMenuTest, ScrollChatOffItemsAreTickedTogether) {
    QSignalSpy changed(panel.get(), &ChatPanel::scrollOffChanged);
    scrollOff->trigger(); // the main menu item
    EXPECT_TRUE(panel->scrollOff());
    EXPECT_TRUE(view()->scrollOffAction()->isChecked());
    view()->scrollOffAction()->trigger(); // the popup item
    EXPECT_FALSE(panel->scrollOff());
    EXPECT_FALSE(scrollOff->isChecked());
    panel->ScrollChatOff1Click();
    EXPECT_TRUE(scrollOff->isChecked());
    EXPECT_TRUE(view()->scrollOffAction()->isChecked());
    ASSERT_EQ(changed.size(), 3);
    EXPECT_TRUE(changed[0][0].toBool());
    EXPECT_FALSE(changed[1][0].toBool());
    EXPECT_TRUE(changed[2][0].toBool());
}

TEST_F(ChatPanelMenuTest, TextColorDialogChangesTheChatColour) {
    login(2);
    QSignalSpy changed(panel.get(), &ChatPanel::chatColorChanged);
    QSignalSpy size(panel.get(), &ChatPanel::textSizeChanged);
    panel->setChatColor(color::kBlue);
    textColor->trigger();
    QColorDialog* dialog = panel->colorDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->currentColor(), QColor(0, 0, 255));
    dialog->setCurrentColor(QColor(0, 255, 0));
    dialog->accept();
    EXPECT_EQ(panel->chatColor(), 0x00FF00u);
    EXPECT_EQ(panel->chatColorText(), QStringLiteral("clLime"));
    EXPECT_EQ(changed.size(), 1);
    input()->ensurePolished();
    EXPECT_EQ(input()->palette().color(QPalette::Text), QColor(0, 255, 0));
    type(QStringLiteral("green"));
    EXPECT_EQ(sent.back(), QByteArray("CMD_chat+2+green|clLime\xFF"));

    // Cancelling changes nothing.
    panel->TextColor1Click();
    dialog->setCurrentColor(QColor(1, 2, 3));
    dialog->reject();
    EXPECT_EQ(panel->chatColor(), 0x00FF00u);
    EXPECT_EQ(changed.size(), 1);
}

TEST_F(ChatPanelMenuTest, PopupActionsOfTheView) {
    panel->addlinetochat("0+one", color::kBlue);
    panel->addlinetochat("1+Ann chats: two", color::kBlack);
    view()->selectAllAction()->trigger();
    EXPECT_EQ(view()->selectedText(), QStringLiteral(" one \nAnn chats:  two "));
    view()->copyAction()->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral(" one \nAnn chats:  two "));
    panel->activateWindow();
    view()->setFocus();
    view()->clearAllAction()->trigger();
    EXPECT_EQ(view()->itemCount(), 0);
    EXPECT_TRUE(zbtest::waitFor([&] { return input()->hasFocus(); }));
}
