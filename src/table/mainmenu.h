#pragma once
// The table window's main menu. Items keep the names under which the rest of the program knows
// them; choices that belong together (bot speed, turn sound, text size) are exclusive groups.
// The Game menu holds the keyboard's ways to play. Every item shows all the keys it answers
// ("Roll Dice    Ctrl+R, F2"): its text holds them after a tab.

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>
#include <array>

class QAction;
class QMenu;
class QMenuBar;

namespace zb {

struct MainMenu {
    // File
    QAction* StartGame1 = nullptr;
    QAction* JoinAgain1 = nullptr; // enabled after a join whose connect failed
    QAction* Exit1 = nullptr;
    // Game: the keyboard's ways to do what the board's and the card's clicks do.
    QAction* RollDice1 = nullptr;
    std::array<QAction*, 6> holdDie{}; // dice 1..5; [0] unused
    QAction* CursorUp1 = nullptr;
    QAction* CursorDown1 = nullptr;
    QAction* CursorLeft1 = nullptr;
    QAction* CursorRight1 = nullptr;
    QAction* ScoreCursor1 = nullptr;
    QAction* ZeroYes1 = nullptr;
    QAction* SuggestMove1 = nullptr; // the coach, once for the position on the table
    QAction* ChatLine1 = nullptr;
    // Options
    QAction* PlaySounds1 = nullptr;
    QMenu* TurnSound1 = nullptr;
    QAction* Classic1 = nullptr;
    QAction* New1 = nullptr;
    QAction* PlayChatterSounds1 = nullptr;
    QMenu* BotSpeed1 = nullptr;
    QAction* Slow1 = nullptr;
    QAction* Normal1 = nullptr;
    QAction* Fast1 = nullptr;
    QMenu* ComputerPlayers1 = nullptr;
    QAction* BotClassic1 = nullptr;
    QAction* BotExpert1 = nullptr;
    QAction* TextColor1 = nullptr;
    QMenu* TextSize1 = nullptr;
    std::array<QAction*, 4> textSizes{}; // "8", "10", "12", "14"
    QAction* ScrollChatOff1 = nullptr;
    QAction* ResetScreenLocation1 = nullptr;
    QAction* JustWatch1 = nullptr;
    QAction* doubleCheck = nullptr; // "Double Check for 0 Score"
    QAction* ShowScoreHints1 = nullptr;
    QAction* ShowBestMove1 = nullptr;
    // View
    QAction* ViewTally1 = nullptr;
    QAction* SpyList1 = nullptr;
    QAction* PhraseList1 = nullptr;
    // Help
    QAction* Help2 = nullptr;
    QAction* About1 = nullptr;

    static constexpr std::array<int, 4> kTextSizes = {8, 10, 12, 14};

    // Fills the menu bar; the actions are owned by the menus.
    void build(QMenuBar* bar);

private:
    void buildGame(QMenu* game);
};

// The keys as a menu shows them: "Ctrl+R, F2"; empty for none.
QString shortcutText(const QList<QKeySequence>& keys);
// An item's text without the keys the menu shows after a tab.
QString menuCaption(const QString& text);

} // namespace zb
