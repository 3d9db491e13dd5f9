#pragma once
// Keyboard play: the Game menu's shortcuts and the score card's keyboard cursor. Each shortcut
// runs the very handler of the click it stands for, and only where that click could be made at
// all (the throw picture on offer, the die taking clicks, a category row, the zero question
// open), so the keyboard can do nothing a click cannot; the handler then makes the checks of the
// click (turn, `mayact`, logged in). Plain typing stays with the chat line: every shortcut has
// Ctrl or is a key that typing never produces, and Ctrl+Left/Right move over the words of a
// chat line that holds text, as in any text field, and move the card's cursor only when it is
// empty. Scoring takes Ctrl+Enter and never plain Enter: a second Enter after sending a chat
// line would otherwise score a category by accident, and a score cannot be taken back.
//
// The cursor is keyboard state, not game state: it names a seat's cell on the card, and the
// card only draws it. Only its row matters for scoring, as for a click on any cell of a row.

#include <QObject>
#include <functional>

class QLineEdit;

namespace zb {

class TableCore;
struct MainMenu;

class KeyboardPlay : public QObject {
    Q_OBJECT
public:
    // The table window's handlers, the ones its clicks run.
    struct Handlers {
        std::function<void()> throwClick;           // image_throwdiceClick
        std::function<void(int die)> dieClick;      // diceClick
        std::function<void(int row)> categoryClick; // cardClick
        std::function<void()> yesClick;             // the zero question's "YES"
        std::function<void()> noClick;              // the zero question's "NO"
        std::function<void()> focusChat;            // the chat input line takes the focus
    };

    KeyboardPlay(const TableCore& core, Handlers handlers, QObject* parent = nullptr);

    // Connects the Game menu's items to the operations below.
    void attachMenu(const MainMenu& menu);
    // Lets Ctrl+Left/Right reach the card while the chat line is empty.
    void watchChatLine(QLineEdit* line);

    // Operations, as the shortcuts run them.
    void roll();
    void toggleDie(int die);
    // Moves the cursor by rows and seats, round the card's edges; the first move only shows it.
    void moveCursor(int rows, int seats);
    void scoreAtCursor();
    void answerYes();
    // Escape and Ctrl+L: an open zero question is answered "NO", as a dialog's Escape does;
    // then the chat line takes the focus.
    void toChat();

    bool cursorShown() const { return shown_; }
    int cursorSeat() const;
    int cursorRow() const { return row_; }

signals:
    // The cursor's cell changed or came into view.
    void cursorMoved(int seat, int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TableCore& core_;
    Handlers handlers_;
    QLineEdit* chatLine_ = nullptr;
    bool shown_ = false;
    int seat_ = 0; // 0: the local player's own column (seat 1 for a spectator)
    int row_ = 1;
};

// A tooltip that names the shortcuts of an item: "Roll the dice (Ctrl+R, F2)".
QString withShortcuts(const QString& tip, const QList<QKeySequence>& keys);

class Board;
class ScoreCard;
// The board's and the card's controls tell their shortcuts in their tooltips.
void tellShortcuts(const MainMenu& menu, Board& board, ScoreCard& card);

} // namespace zb
