// Keyboard play: every shortcut sends what the click it stands for sends, in every state of a
// turn, and nothing where that click could not be made or would send nothing; the chat line
// keeps plain typing and its own word moves; the controls carry names a screen reader can say.

#include "tablefixture.h"

#include "controls/highlightlabel.h"
#include "controls/picturebutton.h"
#include "shell/phrasebuttons.h"
#include "table/keyboard.h"
#include "table/zeropanel.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <tuple>

using namespace zbtest;

namespace {

// A click as a player can make it: only on a control that is on screen and takes clicks.
void userClick(QWidget* w) {
    if (w->isVisible() && w->isEnabled())
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

QByteArray diceMessage(int seat, const char* again, int rolls, std::array<int, 5> faces) {
    QByteArray m =
        "CMD_thedice+" + QByteArray::number(seat) + "+" + again + "+" + QByteArray::number(rolls);
    for (int d = 1; d <= 5; ++d)
        m += "+" + QByteArray::number(d) + "+" + QByteArray::number(faces[d - 1]);
    return m + '\xFF';
}

class KeyboardTest : public TableTest {
protected:
    QLineEdit* chatLine() const { return table->chatPanel()->mychat(); }

    // Shortcuts act in the active window, as on a desktop.
    void activate() {
        table->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(table.get()));
        chatLine()->setFocus();
    }
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
        QTest::keyClick(chatLine(), key, mods);
    }
    zb::KeyboardPlay* keys() const { return table->keyboard(); }

    // Brings the keyboard cursor to a row of the card (it starts hidden on row 1).
    void cursorTo(int row) {
        press(Qt::Key_Down); // shows it on row 1
        for (int r = 1; r < row; ++r)
            press(Qt::Key_Down);
        ASSERT_TRUE(keys()->cursorShown());
        ASSERT_EQ(keys()->cursorRow(), row);
    }
};

// ---- Each shortcut does what its click does ------------------------------------------------

// The states a table can be in when the player reaches for a control.
enum class Situation {
    TurnBegun,      // own turn, before the first roll
    RolledOnce,     // own turn, rolls left
    RolledThird,    // own turn, no roll left: the throw picture is hidden
    ChooseAgain,    // own turn, the host refused a category: no roll any more
    RollInFlight,   // own turn, a roll was asked for and not yet answered
    OthersTurn,     // another seat's turn after its roll
    SpectatorTable, // a spectator's table during seat 1's turn
};

// The actions, each by its click and by its shortcut.
enum class Action { Roll, RollF2, Die3, Score4 };

struct Case {
    const char* name;
    Situation situation;
    Action action;
    QByteArray expected; // what the click (and so the shortcut) sends; empty: nothing
};

// Each case runs twice, once by the click and once by the shortcut, each in a table of its own.
using Way = std::tuple<Case, bool>; // bool: by the shortcut

class ShortcutEqualsClick : public KeyboardTest, public ::testing::WithParamInterface<Way> {
protected:
    int enter(Situation s) {
        const int seat = s == Situation::SpectatorTable ? 5 : 1;
        if (seat == 5) {
            open();
            login(5);
            feed("CMD_existingplayers+1+Ann\xFF");
            feed("CMD_existingplayers+2+Bob\xFF");
            feed("CMD_startgame+1+f+false\xFF");
        } else {
            seated(1);
        }
        switch (s) {
        case Situation::TurnBegun:
            feed("CMD_nextplayer+1+1+0+0+\xFF");
            break;
        case Situation::RolledOnce:
            myRoll(1, {2, 4, 4, 4, 6}, 1);
            break;
        case Situation::RolledThird:
            myRoll(1, {2, 4, 4, 4, 6}, 3);
            break;
        case Situation::ChooseAgain:
            myRoll(1, {2, 4, 4, 4, 6}, 1);
            core().chooseCategory(4);
            EXPECT_FALSE(sentSoFar().isEmpty());
            feed("CMD_chooseagain+\xFF");
            break;
        case Situation::RollInFlight:
            myRoll(1, {2, 4, 4, 4, 6}, 1);
            core().roll();
            EXPECT_FALSE(sentSoFar().isEmpty());
            break;
        case Situation::OthersTurn:
            feed("CMD_nextplayer+2+1+0+0+\xFF");
            feed(diceMessage(2, "y", 1, {2, 4, 4, 4, 6}));
            break;
        case Situation::SpectatorTable:
            feed("CMD_nextplayer+1+1+0+0+\xFF");
            feed(diceMessage(1, "y", 1, {2, 4, 4, 4, 6}));
            break;
        }
        sentSoFar();
        return seat;
    }

    void byClick(Action a) {
        switch (a) {
        case Action::Roll:
        case Action::RollF2:
            userClick(board()->image_throwdice());
            break;
        case Action::Die3:
            userClick(board()->dice(3));
            break;
        case Action::Score4:
            userClick(card()->score(1, 4));
            break;
        }
    }

    void byKey(Action a) {
        switch (a) {
        case Action::Roll:
            press(Qt::Key_R);
            break;
        case Action::RollF2:
            press(Qt::Key_F2, Qt::NoModifier);
            break;
        case Action::Die3:
            press(Qt::Key_3);
            break;
        case Action::Score4:
            cursorTo(4);
            press(Qt::Key_Return);
            break;
        }
    }
};

TEST_P(ShortcutEqualsClick, SendsWhatTheClickSends) {
    const auto& [c, byShortcut] = GetParam();
    enter(c.situation);
    if (byShortcut) {
        activate();
        byKey(c.action);
    } else {
        byClick(c.action);
    }
    EXPECT_EQ(sentSoFar(),
              c.expected.isEmpty() ? QList<QByteArray>() : QList<QByteArray>({c.expected}));
    // Whatever was sent, the turn's state is what the request leaves: nothing more may go.
    if (!c.expected.isEmpty() && c.action != Action::Die3) {
        EXPECT_FALSE(core().mayact());
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

const Case kCases[] = {
    {"RollAtTurnStart", Situation::TurnBegun, Action::Roll, "CMD_rolldice+1"},
    {"F2AtTurnStart", Situation::TurnBegun, Action::RollF2, "CMD_rolldice+1"},
    {"NoDieBeforeTheFirstRoll", Situation::TurnBegun, Action::Die3, ""},
    {"NoScoreBeforeTheFirstRoll", Situation::TurnBegun, Action::Score4, ""},
    {"RollAgain", Situation::RolledOnce, Action::Roll, "CMD_rolldice+1"},
    {"HoldADie", Situation::RolledOnce, Action::Die3, "CMD_setdice+1+3"},
    {"ScoreAfterARoll", Situation::RolledOnce, Action::Score4, "CMD_setscore+1+4"},
    {"NoFourthRoll", Situation::RolledThird, Action::Roll, ""},
    {"NoFourthRollByF2", Situation::RolledThird, Action::RollF2, ""},
    {"HoldAfterTheThirdRoll", Situation::RolledThird, Action::Die3, "CMD_setdice+1+3"},
    {"ScoreAfterTheThirdRoll", Situation::RolledThird, Action::Score4, "CMD_setscore+1+4"},
    {"NoRollAfterARefusedChoice", Situation::ChooseAgain, Action::Roll, ""},
    {"ChooseAgainAfterARefusal", Situation::ChooseAgain, Action::Score4, "CMD_setscore+1+4"},
    {"NothingWhileTheRollIsOnItsWay", Situation::RollInFlight, Action::Die3, ""},
    {"NoScoreWhileTheRollIsOnItsWay", Situation::RollInFlight, Action::Score4, ""},
    {"NoRollInAnothersTurn", Situation::OthersTurn, Action::Roll, ""},
    {"NoDieInAnothersTurn", Situation::OthersTurn, Action::Die3, ""},
    {"NoScoreInAnothersTurn", Situation::OthersTurn, Action::Score4, ""},
    {"NoRollOnASpectatorsTable", Situation::SpectatorTable, Action::RollF2, ""},
    {"NoDieOnASpectatorsTable", Situation::SpectatorTable, Action::Die3, ""},
    {"NoScoreOnASpectatorsTable", Situation::SpectatorTable, Action::Score4, ""},
};

INSTANTIATE_TEST_SUITE_P(Keyboard, ShortcutEqualsClick,
                         ::testing::Combine(::testing::ValuesIn(kCases), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "ByShortcut" : "ByClick");
                         });

// ---- Dice, the cursor and the zero question --------------------------------------------------

TEST_F(KeyboardTest, EachDieHasItsOwnShortcutAndAHeldDieIsReleased) {
    seated(1);
    myRoll(1, {1, 2, 3, 4, 5});
    activate();
    const Qt::Key digits[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5};
    for (int d = 1; d <= 5; ++d) {
        press(digits[d - 1]);
        EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setdice+1+" + QByteArray::number(d)}));
    }
    feed("CMD_setdice+2\xFF");
    press(Qt::Key_2);
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_unsetdice+1+2"}));
}

TEST_F(KeyboardTest, TheCursorWrapsRoundTheCardAndOnlyCategoryRowsScore) {
    seated(1);
    myRoll(1, {6, 6, 6, 6, 6});
    activate();
    // The first move only shows the cursor, in the own column on Ones.
    press(Qt::Key_Up);
    EXPECT_EQ(card()->cursorSeat(), 1);
    EXPECT_EQ(card()->cursorRow(), 1);
    press(Qt::Key_Up); // round the top edge to the last row
    EXPECT_EQ(card()->cursorRow(), 15);
    press(Qt::Key_Return); // "Lower Total" takes no clicks
    EXPECT_TRUE(sentSoFar().isEmpty());
    EXPECT_TRUE(core().mayact());
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    press(Qt::Key_Up); // row 11, 5 of a Kind
    EXPECT_EQ(card()->cursorRow(), 11);
    // Which column the cursor stands in does not matter, as for a click on any cell of a row.
    press(Qt::Key_Right);
    EXPECT_EQ(card()->cursorSeat(), 2);
    press(Qt::Key_Return);
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setscore+1+11"}));
}

TEST_F(KeyboardTest, ScoringWithTheCursorNotYetShownOnlyShowsIt) {
    seated(1);
    myRoll(1, {6, 6, 6, 6, 6});
    activate();
    press(Qt::Key_Return);
    EXPECT_TRUE(keys()->cursorShown());
    EXPECT_TRUE(sentSoFar().isEmpty());
    press(Qt::Key_Return);
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setscore+1+1"}));
}

TEST_F(KeyboardTest, TheZeroQuestionIsAnsweredYesWithCtrl0AndNoWithEscape) {
    writeSettings("[Zorbinet]\r\nDoublecheck=true\r\nChatterSounds=false\r\n");
    seated(1);
    myRoll(1, {1, 2, 3, 4, 5});
    activate();
    press(Qt::Key_0); // no question open: nothing
    cursorTo(6);      // Sixes: no six among the dice
    press(Qt::Key_Return);
    ASSERT_EQ(core().zeroCategory(), 6);
    EXPECT_TRUE(sentSoFar().isEmpty());
    press(Qt::Key_Escape, Qt::NoModifier);
    EXPECT_EQ(core().zeroCategory(), 0);
    EXPECT_TRUE(board()->panel_zero()->isHidden());
    EXPECT_TRUE(core().mayact());
    EXPECT_TRUE(sentSoFar().isEmpty());
    press(Qt::Key_Return);
    ASSERT_EQ(core().zeroCategory(), 6);
    press(Qt::Key_0);
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setscore+1+6"}));
}

// ---- The chat line ---------------------------------------------------------------------------

TEST_F(KeyboardTest, PlainTypingGoesToTheChatLineAndSendsNoRequest) {
    seated(1);
    myRoll(1, {1, 2, 3, 4, 5});
    activate();
    QTest::keyClicks(chatLine(), "r 12345 hello");
    EXPECT_EQ(chatLine()->text(), "r 12345 hello");
    EXPECT_TRUE(sentSoFar().isEmpty());
    EXPECT_FALSE(keys()->cursorShown());
}

TEST_F(KeyboardTest, CtrlLeftAndRightMoveOverWordsWhileTheChatLineHoldsText) {
    seated(1);
    activate();
    press(Qt::Key_Down); // the cursor shows, in the own column
    ASSERT_EQ(keys()->cursorSeat(), 1);
    QTest::keyClicks(chatLine(), "good game");
    press(Qt::Key_Left);
    EXPECT_EQ(chatLine()->cursorPosition(), 5);
    EXPECT_EQ(keys()->cursorSeat(), 1);
    chatLine()->clear();
    press(Qt::Key_Left);
    EXPECT_EQ(keys()->cursorSeat(), 4);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(keys()->cursorSeat(), 2);
}

TEST_F(KeyboardTest, EscapeAndCtrlLBringTheFocusBackToTheChatLine) {
    seated(1);
    activate();
    const std::pair<Qt::Key, Qt::KeyboardModifiers> ways[] = {{Qt::Key_L, Qt::ControlModifier},
                                                              {Qt::Key_Escape, Qt::NoModifier}};
    for (const auto& [key, mods] : ways) {
        table->chatPanel()->mainchat()->setFocus();
        ASSERT_NE(table->focusWidget(), chatLine());
        QTest::keyClick(table->chatPanel()->mainchat(), key, mods);
        EXPECT_EQ(table->focusWidget(), chatLine()) << key;
    }
}

// ---- Starting a game -------------------------------------------------------------------------

TEST_F(KeyboardTest, CtrlNOpensTheStartDialogOnTheHostingTable) {
    open(QStringLiteral("Ann"), true);
    login(1);
    activate();
    ASSERT_TRUE(table->menu().StartGame1->isEnabled());
    press(Qt::Key_N);
    EXPECT_TRUE(gamestart->isVisible());
    EXPECT_TRUE(board()->button_start()->isHidden()) << "the same as the menu item";
}

TEST_F(KeyboardTest, CtrlNDoesNothingOnAJoiningTable) {
    open(QStringLiteral("Ann"), false);
    login(2);
    activate();
    ASSERT_FALSE(table->menu().StartGame1->isEnabled());
    press(Qt::Key_N);
    EXPECT_FALSE(gamestart->isVisible());
    EXPECT_TRUE(sentSoFar().isEmpty());
}

// ---- Shown in menus and tooltips -------------------------------------------------------------

TEST_F(KeyboardTest, TheMenusAndTooltipsNameTheShortcuts) {
    open();
    const zb::MainMenu& m = table->menu();
    const struct {
        QAction* item;
        QList<QKeySequence> keys;
    } rows[] = {
        {m.RollDice1, {QKeySequence("Ctrl+R"), QKeySequence("F2")}},
        {m.holdDie[1], {QKeySequence("Ctrl+1")}},
        {m.holdDie[5], {QKeySequence("Ctrl+5")}},
        {m.CursorUp1, {QKeySequence("Ctrl+Up")}},
        {m.CursorRight1, {QKeySequence("Ctrl+Right")}},
        {m.ZeroYes1, {QKeySequence("Ctrl+0")}},
        {m.ChatLine1, {QKeySequence("Ctrl+L"), QKeySequence("Esc")}},
        {m.StartGame1, {QKeySequence("Ctrl+N")}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.item->shortcuts(), r.keys) << r.item->text().toStdString();
    EXPECT_EQ(m.ScoreCursor1->shortcut(), QKeySequence("Ctrl+Return"));
    EXPECT_EQ(zb::menuCaption(m.StartGame1->text()), "Start Game");
    EXPECT_TRUE(board()->image_throwdice()->toolTip().contains("Ctrl+R"));
    EXPECT_TRUE(board()->image_throwdice()->toolTip().contains("F2"));
    EXPECT_TRUE(board()->button_start()->toolTip().contains("Ctrl+N"));
    EXPECT_TRUE(board()->dice(4)->toolTip().contains("Ctrl+4"));
    EXPECT_TRUE(card()->label(8)->toolTip().contains("Ctrl+Return"));
}

// ---- Accessible names ------------------------------------------------------------------------

TEST_F(KeyboardTest, DiceAreNamedByNumberValueAndHold) {
    seated(1);
    EXPECT_EQ(board()->dice(3)->accessibleName(), "Die 3: not rolled");
    myRoll(1, {2, 3, 5, 1, 6});
    EXPECT_EQ(board()->dice(3)->accessibleName(), "Die 3: 5");
    feed("CMD_setdice+3\xFF");
    EXPECT_EQ(board()->dice(3)->accessibleName(), "Die 3: 5, held");
    feed("CMD_unsetdice+3\xFF");
    EXPECT_EQ(board()->dice(3)->accessibleName(), "Die 3: 5");
    EXPECT_EQ(board()->image_throwdice()->accessibleName(), "Roll the dice");
    EXPECT_EQ(board()->button_start()->accessibleName(), "Start a new game");
}

TEST_F(KeyboardTest, CellsAreNamedBySeatAndCategoryAndFollowTheCard) {
    writeSettings("[Zorbinet]\r\nDoublecheck=false\r\nChatterSounds=false\r\nScoreHints=false\r\n");
    seated(1);
    EXPECT_EQ(card()->score(2, 8)->accessibleName(), "Bob, Full House: empty");
    QByteArray m = "CMD_pscore+1+12+4";
    for (int row = 1; row <= 15; ++row)
        m += row == 4 ? "+12" : row == 13 ? "+12" : row == 15 ? "+0" : "+1000";
    feed(m + '\xFF');
    EXPECT_EQ(card()->score(1, 4)->accessibleName(), "Ann, Fours: 12");
    EXPECT_EQ(card()->score(1, 13)->accessibleName(), "Ann, Upper Total: 12");
    feed("CMD_newplayerinfo+2+Bea\xFF");
    EXPECT_EQ(card()->score(2, 8)->accessibleName(), "Bea, Full House: empty");
    feed("CMD_startgame+1+f+false\xFF");
    EXPECT_EQ(card()->score(1, 4)->accessibleName(), "Ann, Fours: empty");
}

TEST_F(KeyboardTest, TheCardSaysWhereTheCursorStands) {
    seated(1);
    activate();
    cursorTo(8);
    EXPECT_EQ(card()->accessibleDescription(), "Cursor: Ann, Full House: empty");
    press(Qt::Key_Right);
    EXPECT_EQ(card()->accessibleDescription(), "Cursor: Bob, Full House: empty");
}

TEST_F(KeyboardTest, PhraseButtonsAreNamedByWhatTheySend) {
    open();
    zb::PhraseButtons* p = table->phraseButtons();
    p->setPhrase(3, QStringLiteral("Nice roll"));
    EXPECT_EQ(p->b_phrase(3)->accessibleName(), "Phrase 3: Nice roll");
    EXPECT_EQ(p->b_phrase(10)->accessibleName(), "Chatter sounds");
    for (int n = 1; n <= 10; ++n)
        EXPECT_FALSE(p->b_phrase(n)->accessibleName().isEmpty()) << n;
}

} // namespace
