#pragma once
// Tchat: the table window. It is a client of a game host exactly like a remote table: it reaches
// the host only through its socket `sock`. The window composes the board, the score card and the
// chat panel and the phrase buttons; its handlers are split by concern over tchat_session.cpp
// (receiving, dispatch, seats), tchat_turn.cpp (game start, turns, dice), tchat_card.cpp
// (choosing, scores, winner), tchat_spectators.cpp (watching and removal), tchat_settings.cpp
// (the settings file and the menu's preferences) and tchat_view.cpp (the board and the card
// following the model); this file's .cpp holds the frame and start-up. The handlers change the
// TableModel and decide from it alone, never from what a widget shows.

#include "shell/settings.h"
#include "shell/sounds.h"
#include "table/mainmenu.h"
#include "table/tableoptions.h"

#include <QByteArray>
#include <QMainWindow>
#include <QRect>
#include <memory>
#include <optional>

class QFrame;
class QLockFile;

namespace zb {

class Board;
class ChatPanel;
class Dialogs;
class KeyboardPlay;
class PhraseButtons;
class ScoreCard;
class SeatPopup;
class Session;
class TableModel;
class SoundPlayer;
class TableScaler;
class TallySink;
class Tgamestartform;
class TSock;
class Tspylist;
struct ClientState;
enum class TSocketInfo;
namespace proto {
class Fields;
}
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
    static constexpr QPoint kBoardPlace{1, 1};
    static constexpr QPoint kCardPlace{485, 1};
    static constexpr QPoint kChatPlace{1, 315};
    // System line colours ($00BBGGRR).
    static constexpr quint32 kBlue = 0xFF0000;
    static constexpr quint32 kNavy = 0x800000;

    Tchat(TableOptions options, rules::Random& random, QWidget* parent = nullptr);
    ~Tchat() override;

    // The start-game dialog and the spy list are windows of their own, created by the program in
    // its order; the table uses them once attached.
    void attachWindows(Tgamestartform* gamestart, Tspylist* spylist);

    // Start-up state.
    const QString& playername() const { return playername_; }
    const QString& hostaddress() const { return hostaddress_; }
    const QByteArray& loginname() const { return loginname_; }
    bool hosting() const { return hosting_; }
    QRect storedbounds() const { return storedbounds_; }
    bool settingsRead() const { return settings_.isLoaded(); }

    // The interval of the computer players: the "Bot Speed" item's tag.
    int botSpeed() const { return settings_.prefs().botSpeed; }

    MainMenu& menu() { return menu_; }
    TSock* sock() const { return sock_; }
    TSock* Sock11() const { return sock11_; }
    QFrame* mainPanel() const { return mainPanel_; }
    // Draws the main panel larger in a client area larger than designed.
    TableScaler* scaler() const { return scaler_; }
    Session& session() const { return *session_; }
    // What the host has told this table and what the local player may do now.
    TableModel& model() const { return *model_; }
    const ClientState& state() const;
    Board* board() const { return board_; }
    ScoreCard* card() const { return card_; }
    ChatPanel* chatPanel() const { return chat_; }
    PhraseButtons* phraseButtons() const { return phrases_; }
    // The Game menu's shortcuts and the card's keyboard cursor.
    KeyboardPlay* keyboard() const { return keyboard_; }
    SeatPopup* popup_kick() const { return popup_kick_; }
    Tgamestartform* gameStartForm() const { return gamestart_; }
    Tspylist* spyList() const { return spylist_; }
    Settings& settings() { return settings_; }
    Preferences& prefs() { return settings_.prefs(); }

    // Adds a line to the chat view: "<prefix>+<text>" in a colour ($00BBGGRR).
    void addlinetochat(const QString& line, quint32 colour);
    void addlinetochat(const char* line, quint32 colour);

    // The player's actions, as the clicks and menu items run them.
    void image_throwdiceClick();
    void startgame();
    void diceClick(int die);
    void cardClick(int category);
    void yesClick();

    // Watching and removal (tchat_spectators.cpp).
    void kicking(int seat);

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
    // Start-up: the mode that the command line chooses, and the two ways of connecting.
    void processparams();
    void hostpress();
    void joinpress();
    // The receive path of `sock`: what a read hands over, cut and queued.
    void sockRead();
    void sockInfo(TSocketInfo info, const QString& msg);

    // The player's actions that only the window's own controls run.
    void button_startClick();
    void doublecheck(int category);
    void sendscore(int category);
    void noClick();
    void JustWatch1Click();
    // Prepares the seat popup for seat 1..4 and opens it at a point of the screen.
    void label_playernameContextPopup(int seat, const QPoint& globalPos);
    void SettoJustWatch1Click();
    void UnsetJustWatch1Click();
    // The settings file (tchat_settings.cpp): reads every key and applies it.
    void loadinifile();

    // Frame.
    void buildLayout();
    void connectMenu();
    void connectControls();
    // Keyboard play: each shortcut runs the handler of its click (keyboard.h).
    void connectKeyboard();
    void placeMainPanel();
    void ResetScreenLocation1Click();
    void setOuterBounds(const QRect& outer);
    void FormClose();
    void focusChat();
    // Keeps the card's hints (own column, rows that light up) in step with the session.
    void refreshHints();
    // The board and the score card follow the model (tchat_view.cpp).
    void bindViews();
    // The faint score hints of the own column, while "Show Score Hints" is ticked.
    void showScoreHints();

    // Session and seats (tchat_session.cpp).
    void registerHandlers();
    void dispatchTo(const char* word, void (Tchat::*handler)(proto::Fields&));
    void systemLine(const QString& text, quint32 colour = kBlue);
    void sendRequest(const QByteArray& message);
    void closeWhenDone();
    // A join whose connect failed: a line in the chat says why.
    void connectFailed(const QString& reason);
    // The hosting player's rights: the own program's host, or slot 1 of any host.
    bool hostsGame() const;
    void offerHostControls();
    void sendlogininfo(proto::Fields& f);
    void newplayerinfo(proto::Fields& f);
    void playerdisconnected(proto::Fields& f);
    void havewrongversion(proto::Fields& f);
    void wrongversion(proto::Fields& f);
    void full(proto::Fields& f);
    void chatrecieved(proto::Fields& f);
    void playasound(proto::Fields& f);

    // Game start, turns and dice (tchat_turn.cpp).
    void startthegame(proto::Fields& f);
    void getnextplayer(proto::Fields& f);
    void thedice(proto::Fields& f);
    void placedice(int die, int face);
    void setdice(proto::Fields& f);
    void unsetdice(proto::Fields& f);
    void setbonusdice(proto::Fields& f);

    // Choosing and scoring (tchat_card.cpp).
    void rollagain(proto::Fields& f);
    void chooseagain(proto::Fields& f);
    void pscore(proto::Fields& f);
    void winner(proto::Fields& f);

    // Watching and removal (tchat_spectators.cpp).
    void connectSpectatorControls();
    void requestWatch(int seat, int mode);
    void justwatching(proto::Fields& f);

    // Settings (tchat_settings.cpp).
    void connectPreferences();
    void showPreferences();
    void applyBounds();
    // The preferences that live in the window and the chat panel, into the settings.
    void collectPreferences();
    // A preference was changed through its menu item: the file is written at once.
    void preferenceChanged(Settings::Key key);
    void saveBoundsOnClose();

    TableOptions options_;
    rules::Random& random_;
    MainMenu menu_;
    QFrame* mainPanel_ = nullptr;
    TableScaler* scaler_ = nullptr;
    TSock* sock_ = nullptr;
    TSock* sock11_ = nullptr;
    std::unique_ptr<QLockFile> marker_;
    Session* session_ = nullptr;
    TableModel* model_ = nullptr;
    Board* board_ = nullptr;
    ScoreCard* card_ = nullptr;
    ChatPanel* chat_ = nullptr;
    PhraseButtons* phrases_ = nullptr;
    KeyboardPlay* keyboard_ = nullptr;
    SeatPopup* popup_kick_ = nullptr;
    Tgamestartform* gamestart_ = nullptr;
    Tspylist* spylist_ = nullptr;

    Dialogs* dialogs_ = nullptr;
    TallySink* tally_ = nullptr;
    std::unique_ptr<SoundPlayer> ownPlayer_;
    Settings settings_;
    Sounds sounds_;

    QString playername_;
    QString hostaddress_;
    QByteArray loginname_;
    bool hosting_ = false;
    // The connection has ended; the window closes once what the host sent before is shown.
    bool lost_ = false;
    // "Game is full" is on screen; its answer closes the window.
    bool fullShown_ = false;
    // The notice of the lost connection is on screen; its answer closes the window.
    bool lostShown_ = false;
    bool shownOnce_ = false;
    QRect storedbounds_{0, 0, 0, 0};
    // Outer bounds given before the window manager had framed the window.
    std::optional<QRect> unframedBounds_;
    // A "Text Size" item is being chosen: the chat panel's change notice is about the size.
    bool textSizeChosen_ = false;
};

} // namespace zb
