#pragma once
// Tchat: the table window. The game itself is its TableCore's, which follows the host and decides
// everything; the window shows what the core holds and passes the player's clicks and keys on as
// the core's intents. It reaches the host only through its TableLink's socket, exactly like a
// remote table. Its files: this one's .cpp (the frame, start-up and window events),
// tchat_bind.cpp (the core's signals drawn on the board, the card, the chat and the menu, in one
// place) and tchat_controls.cpp (clicks, keys, menu items and popups, to the core's intents).
// The preferences and the settings file are TableSettings'.

#include "strategy/botskill.h"
#include "table/mainmenu.h"
#include "table/outerbounds.h"
#include "table/tableoptions.h"

#include <QMainWindow>
#include <QRect>
#include <memory>

class QLockFile;

namespace zb {

class Board;
struct GameOptions;
class ChatPanel;
class Dialogs;
class KeyboardPlay;
class PhraseButtons;
class ScoreCard;
class SeatPopup;
class SoundPlayer;
class Coach;
class GameStarter;
class TableCore;
class TableLink;
class TableScaler;
class TablePanel;
class TableSettings;
class TableSounds;
class Tgamestartform;
class TSock;
class Tspylist;
namespace rules {
class Random;
}

class Tchat : public QMainWindow {
    Q_OBJECT
public:
    static constexpr QRect kDefaultBounds{3, 3, 783, 512};
    static constexpr QSize kInitialClient{775, 466};
    static constexpr QSize kMinimumClient{499, 324};
    static constexpr QRect kMainPanel{4, 8, 767, 451};

    Tchat(TableOptions options, rules::Random& random, QWidget* parent = nullptr);
    ~Tchat() override;

    // The start-game dialog and the spy list are windows of their own, created by the program in
    // its order; the table uses them once attached.
    void attachWindows(Tgamestartform* gamestart, Tspylist* spylist);

    // The game as this table knows it, and its connection.
    TableCore& core() const { return *core_; }
    TableLink& link() const { return *link_; }
    TSock* sock() const;

    // The interval of the computer players: the "Bot Speed" item's tag.
    int botSpeed() const;
    // How the computer players play: the "Computer Players" item ticked.
    strategy::BotSkill botSkill() const;
    TableSettings& settings() const { return *settings_; }
    QRect storedbounds() const;

    MainMenu& menu() { return menu_; }
    TablePanel* mainPanel() const { return mainPanel_; }
    // Draws the main panel larger in a client area larger than designed.
    TableScaler* scaler() const { return scaler_; }
    Board* board() const { return board_; }
    ScoreCard* card() const { return card_; }
    ChatPanel* chatPanel() const { return chat_; }
    PhraseButtons* phraseButtons() const { return phrases_; }
    // The Game menu's shortcuts and the card's keyboard cursor.
    KeyboardPlay* keyboard() const { return keyboard_; }
    SeatPopup* popup_kick() const { return popup_kick_; }
    Tgamestartform* gameStartForm() const { return gamestart_; }
    Tspylist* spyList() const { return spylist_; }

    // Adds a line to the chat view: "<prefix>+<text>" in a colour ($00BBGGRR).
    void addlinetochat(const QString& line, quint32 colour);

    // Places the window by its outer bounds (frame included).
    void setOuterBounds(const QRect& outer) { bounds_.apply(*this, outer); }

signals:
    void showHelp();
    void showAbout();
    void showTally();
    void showSpyList();
    void showPhrases();
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Frame (tchat.cpp).
    void buildLayout();
    void focusChat();
    // The core drawn on the widgets (tchat_bind.cpp).
    void bindCore();
    void bindCard();
    void bindBoard();
    void bindSession();
    void showScoreHints();
    // The player's input to the core (tchat_controls.cpp).
    void connectControls();
    void connectMenu();
    void connectKeyboard();
    void throwClick();
    void categoryClick(int category);

    TableOptions options_;
    rules::Random& random_;
    MainMenu menu_;
    TableCore* core_ = nullptr;
    Coach* coach_ = nullptr;
    GameStarter* starter_ = nullptr;
    TableLink* link_ = nullptr;
    TableSettings* settings_ = nullptr;
    TablePanel* mainPanel_ = nullptr;
    TableScaler* scaler_ = nullptr;
    std::unique_ptr<QLockFile> marker_;
    Board* board_ = nullptr;
    ScoreCard* card_ = nullptr;
    ChatPanel* chat_ = nullptr;
    PhraseButtons* phrases_ = nullptr;
    KeyboardPlay* keyboard_ = nullptr;
    SeatPopup* popup_kick_ = nullptr;
    Tgamestartform* gamestart_ = nullptr;
    Tspylist* spylist_ = nullptr;

    Dialogs* dialogs_ = nullptr;
    std::unique_ptr<SoundPlayer> ownPlayer_;
    TableSounds* sounds_ = nullptr;
    OuterBounds bounds_;
    bool shownOnce_ = false;
};

} // namespace zb
