// The phrase buttons driven as a player would: what each button sends, the cool-down counted in
// dispatch ticks, the login and seat rules, and the chatter sound menu of button 10.

#include "controls/picturebutton.h"
#include "controls/pictures.h"
#include "net/errors.h"
#include "net/guard.h"
#include "shell/chattersoundmenu.h"
#include "shell/phrasebuttons.h"
#include "shell/phrasecooldown.h"
#include "shell/soundnames.h"
#include "support/corelogin.h"
#include "support/wait.h"
#include "table/core/tablecore.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using zb::ChatterSoundMenu;
using zb::PhraseButtons;
using zb::PhraseCooldown;
namespace color = zb::color;

namespace {

QByteArray wire(const char* text) {
    return QByteArray(text) + '\xFF';
}

// --- The cool-down -------------------------------------------------------------------------------

TEST(PhraseCooldown, StartsReadyAndIdleTicksCountNothing) {
    PhraseCooldown c;
    EXPECT_TRUE(c.phraseready());
    EXPECT_FALSE(c.coolingDown());
    for (int i = 0; i < 500; ++i)
        c.tick();
    EXPECT_TRUE(c.phraseready());
    EXPECT_EQ(c.phraseticks(), 0);
}

TEST(PhraseCooldown, OpensOnTheHundredAndFirstTick) {
    PhraseCooldown c;
    c.start();
    for (int i = 0; i < 100; ++i)
        c.tick();
    EXPECT_FALSE(c.phraseready());
    EXPECT_EQ(c.phraseticks(), 100);
    c.tick();
    EXPECT_TRUE(c.phraseready());
    EXPECT_EQ(c.phraseticks(), 0);
    // A second round counts from zero again.
    c.start();
    for (int i = 0; i < 100; ++i)
        c.tick();
    EXPECT_TRUE(c.coolingDown());
    c.tick();
    EXPECT_FALSE(c.coolingDown());
}

// --- The buttons ---------------------------------------------------------------------------------

class PhraseButtonsTest : public ::testing::Test {
protected:
    void SetUp() override {
        buttons = std::make_unique<PhraseButtons>();
        // The table's own core decides what may be sent, as it does in the window.
        core = std::make_unique<zb::TableCore>();
        core->setSend([this](const QByteArray& m) { sent.push_back(m); });
        buttons->setSend(
            [this](const QString& p, const QString& c) { return core->sendPhrase(p, c); },
            [this](int wave) { return core->sendChatterSound(wave); });
        buttons->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(buttons.get()));
    }
    void TearDown() override {
        if (buttons->popup_sounds()->isVisible())
            buttons->popup_sounds()->close();
    }

    void login(int seat) {
        zbtest::logIn(*core, seat);
        sent.clear(); // the core's login answer
    }
    void click(int n) { QTest::mouseClick(buttons->b_phrase(n), Qt::LeftButton); }
    void ticks(int count) {
        for (int i = 0; i < count; ++i)
            buttons->tick();
    }
    void choose(int k) { buttons->popup_sounds()->wave(k)->trigger(); }

    std::unique_ptr<PhraseButtons> buttons;
    std::vector<QByteArray> sent;
    std::unique_ptr<zb::TableCore> core;
};

TEST_F(PhraseButtonsTest, TenButtonsSitInTheirPlacesWithTheirPhrases) {
    const char* expected[] = {
        nullptr,      "Way To Go!", "Good One!", "Nice Try!",         "Excellent!",
        "Brilliant!", "Wow, WTG!",  "Thanks!",   "Way To Go Teamie!", "Good Game Everyone!",
        "See ya!"};
    const int left[] = {0, 486, 514, 542, 570, 598, 627, 655, 683, 711, 739};
    EXPECT_EQ(buttons->size(), PhraseButtons::kSize);
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(n);
        zb::PictureButton* b = buttons->b_phrase(n);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->objectName(), QStringLiteral("b_phrase%1").arg(n));
        EXPECT_EQ(b->size(), QSize(25, 19));
        EXPECT_EQ(PhraseButtons::kPlace.x() + b->x(), left[n]);
        EXPECT_EQ(b->y(), 0);
        EXPECT_EQ(b->toolTip(), QString::fromLatin1(expected[n]));
        EXPECT_EQ(buttons->phrase(n), QString::fromLatin1(expected[n]));
        EXPECT_FALSE(b->pixmap().isNull());
    }
    EXPECT_EQ(PhraseButtons::kPlace, QPoint(486, 429));
    EXPECT_EQ(buttons->b_phrase(0), nullptr);
    EXPECT_EQ(buttons->b_phrase(11), nullptr);
    EXPECT_TRUE(buttons->phrase(0).isEmpty());
    EXPECT_TRUE(buttons->phraseready());
    EXPECT_EQ(buttons->phraseticks(), 0);
}

TEST_F(PhraseButtonsTest, EachButtonSendsItsOwnPhraseAsAnAction) {
    login(2);
    buttons->setChatColor(color::kRed);
    for (int n = 1; n <= 9; ++n) {
        click(n);
        ticks(101);
    }
    ASSERT_EQ(sent.size(), 9u);
    EXPECT_EQ(sent[0], wire("CMD_action+2+says: Way To Go!|clRed"));
    EXPECT_EQ(sent[5], wire("CMD_action+2+says: Wow, WTG!|clRed"));
    EXPECT_EQ(sent[8], wire("CMD_action+2+says: Good Game Everyone!|clRed"));
}

TEST_F(PhraseButtonsTest, TwoClicksWithinTheCooldownSendOnePhrase) {
    login(1);
    QSignalSpy started(buttons.get(), &PhraseButtons::cooldownStarted);
    click(1);
    EXPECT_EQ(started.count(), 1);
    EXPECT_TRUE(buttons->coolingDown());
    ticks(100);
    click(2);
    EXPECT_EQ(sent.size(), 1u);
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(buttons->phraseticks(), 100);
}

TEST_F(PhraseButtonsTest, AfterTheHundredAndFirstTickTheNextPhraseGoesOut) {
    login(1);
    click(1);
    ticks(101);
    EXPECT_FALSE(buttons->coolingDown());
    click(2);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1], wire("CMD_action+1+says: Good One!|clBlack"));
    EXPECT_TRUE(buttons->coolingDown());
}

TEST_F(PhraseButtonsTest, MePhrasesFollowTheBlankRule) {
    login(3);
    buttons->setPhrase(4, QStringLiteral("/me dances"));
    buttons->setPhrase(5, QStringLiteral("/medances"));
    click(4);
    ticks(101);
    click(5);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], wire("CMD_action+3+dances|clBlack"));
    EXPECT_EQ(sent[1], wire("CMD_action+3+says: /medances|clBlack"));
}

TEST_F(PhraseButtonsTest, NotLoggedInSendsNothingAndStartsNoCooldown) {
    QSignalSpy started(buttons.get(), &PhraseButtons::cooldownStarted);
    click(1);
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(buttons->phraseready());
    EXPECT_EQ(started.count(), 0);
    login(2);
    click(1);
    EXPECT_EQ(sent.size(), 1u);
}

TEST_F(PhraseButtonsTest, SpectatorsMaySendPhrases) {
    login(7);
    click(9);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], wire("CMD_action+7+says: Good Game Everyone!|clBlack"));
}

TEST_F(PhraseButtonsTest, SettingsReplaceOnlyNonEmptyPhrases) {
    zb::Preferences prefs;
    prefs.phrases[2] = QStringLiteral("Hooray");
    prefs.phrases[3] = QString();
    prefs.phrases[9] = QStringLiteral("/me waves");
    buttons->loadPhrases(prefs);
    EXPECT_EQ(buttons->phrase(1), QStringLiteral("Way To Go!"));
    EXPECT_EQ(buttons->phrase(2), QStringLiteral("Hooray"));
    EXPECT_EQ(buttons->b_phrase(2)->toolTip(), QStringLiteral("Hooray"));
    EXPECT_EQ(buttons->phrase(3), QStringLiteral("Nice Try!"));
    EXPECT_EQ(buttons->phrase(9), QStringLiteral("/me waves"));
    EXPECT_EQ(buttons->phrase(10), QStringLiteral("See ya!"));
}

TEST_F(PhraseButtonsTest, ButtonTenHasNoPhraseToChange) {
    buttons->setPhrase(10, QStringLiteral("x"));
    buttons->setPhrase(0, QStringLiteral("x"));
    buttons->setPhrase(11, QStringLiteral("x"));
    EXPECT_EQ(buttons->phrase(10), QStringLiteral("See ya!"));
    login(1);
    buttons->b_phrase1Click(10);
    buttons->b_phrase1Click(0);
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(buttons->phraseready());
}

TEST_F(PhraseButtonsTest, MarkupInAPhraseIsShownAsWritten) {
    buttons->setPhrase(1, QStringLiteral("<b>bold</b>"));
    EXPECT_EQ(buttons->phrase(1), QStringLiteral("<b>bold</b>"));
    EXPECT_TRUE(buttons->b_phrase(1)->toolTip().contains(QStringLiteral("&lt;b&gt;bold")));
}

TEST_F(PhraseButtonsTest, AFailedSendIsReportedAndStartsNoCooldown) {
    std::vector<QString> reported;
    const zb::ErrorReporter previous =
        zb::setErrorReporter([&](const QString& text) { reported.push_back(text); });
    login(1);
    core->setSend([](const QByteArray&) { throw zb::ESockException("Socket Error # 10054"); });
    click(1);
    zb::setErrorReporter(previous);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], QStringLiteral("Socket Error # 10054"));
    EXPECT_TRUE(buttons->phraseready());
}

// --- Button 10: the chatter sound menu -----------------------------------------------------------

TEST_F(PhraseButtonsTest, ChatterMenuHoldsCancelAndTheTwentySounds) {
    ChatterSoundMenu* menu = buttons->popup_sounds();
    EXPECT_EQ(menu->objectName(), QStringLiteral("popup_sounds"));
    const QList<QAction*> entries = menu->actions();
    ASSERT_EQ(entries.size(), 21);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("<Cancel>"));
    for (int k = 1; k <= 20; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(entries[k], menu->wave(k));
        EXPECT_EQ(entries[k]->objectName(), QStringLiteral("wave%1").arg(k));
        EXPECT_EQ(entries[k]->text(), zb::sound::chatterCaption(k));
        EXPECT_EQ(entries[k]->toolTip(), entries[k]->text());
        EXPECT_EQ(entries[k]->statusTip(), entries[k]->text());
    }
    EXPECT_EQ(entries[5]->text(), QStringLiteral("Where have you been?"));
    EXPECT_EQ(entries[20]->text(), QStringLiteral("Crying"));
    EXPECT_EQ(menu->wave(-1), nullptr);
    EXPECT_EQ(menu->wave(21), nullptr);
}

TEST_F(PhraseButtonsTest, ButtonTenOpensTheMenuAndSendsNothing) {
    login(1);
    click(10);
    EXPECT_TRUE(zbtest::waitFor([&] { return buttons->popup_sounds()->isVisible(); }));
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(buttons->phraseready());
}

TEST_F(PhraseButtonsTest, ChoosingAnEntrySendsItsSoundFromASeat) {
    std::vector<QByteArray> all;
    for (int seat = 1; seat <= 4; ++seat) {
        login(seat);
        choose(seat + 4);
        all.insert(all.end(), sent.begin(), sent.end());
    }
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0], wire("CMD_playasound+1+wave5+"));
    EXPECT_EQ(all[3], wire("CMD_playasound+4+wave8+"));
}

TEST_F(PhraseButtonsTest, ChosenFromTheOpenMenu) {
    login(2);
    click(10);
    ASSERT_TRUE(zbtest::waitFor([&] { return buttons->popup_sounds()->isVisible(); }));
    ChatterSoundMenu* menu = buttons->popup_sounds();
    QAction* entry = menu->wave(20);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    ASSERT_TRUE(zbtest::waitFor([&] { return !sent.empty(); }));
    EXPECT_EQ(sent[0], wire("CMD_playasound+2+wave20+"));
}

TEST_F(PhraseButtonsTest, SpectatorsCancelAndLoggedOutPlayersSendNoChatter) {
    login(5);
    choose(3);
    login(9);
    choose(3);
    login(2);
    choose(0);
    EXPECT_TRUE(sent.empty());
    // Before the login nothing goes out from any seat.
    core = std::make_unique<zb::TableCore>();
    core->setSend([this](const QByteArray& m) { sent.push_back(m); });
    choose(3);
    EXPECT_TRUE(sent.empty());
}

TEST_F(PhraseButtonsTest, ChatterSoundsHaveNoCooldown) {
    login(3);
    click(1);
    choose(1);
    choose(2);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1], wire("CMD_playasound+3+wave1+"));
    EXPECT_EQ(sent[2], wire("CMD_playasound+3+wave2+"));
    EXPECT_TRUE(buttons->coolingDown());
}

} // namespace
