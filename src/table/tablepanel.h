#pragma once
// The table's main panel: the board, the score card, the chat panel and the phrase buttons at
// their places on the table's background.

#include <QFrame>

namespace zb {

class Board;
class ChatPanel;
class Dialogs;
class PhraseButtons;
class ScoreCard;

class TablePanel : public QFrame {
    Q_OBJECT
public:
    static constexpr QPoint kBoardPlace{1, 1};
    static constexpr QPoint kCardPlace{485, 1};
    static constexpr QPoint kChatPlace{1, 315};

    // dialogs: where the chat's notices go.
    TablePanel(const QRect& place, Dialogs* dialogs, QWidget* parent);

    Board* board() const { return board_; }
    ScoreCard* card() const { return card_; }
    ChatPanel* chat() const { return chat_; }
    PhraseButtons* phrases() const { return phrases_; }

private:
    Board* board_ = nullptr;
    ScoreCard* card_ = nullptr;
    ChatPanel* chat_ = nullptr;
    PhraseButtons* phrases_ = nullptr;
};

} // namespace zb
