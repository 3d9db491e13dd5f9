#include "table/tablepanel.h"

#include "controls/backgroundpainter.h"
#include "shell/chatpanel.h"
#include "shell/phrasebuttons.h"
#include "table/board.h"
#include "table/scorecard.h"

namespace zb {

TablePanel::TablePanel(const QRect& place, Dialogs* dialogs, QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("mainpanel"));
    setGeometry(place);
    auto* background = new BackgroundPainter(this);
    background->setObjectName(QStringLiteral("mainpanelbackground"));
    background->setGeometry(0, 0, place.width(), place.height());
    background->setBorderColor(QColor(0x9C, 0x8F, 0x6A));

    board_ = new Board(this);
    board_->move(kBoardPlace);
    card_ = new ScoreCard(this);
    card_->move(kCardPlace);
    chat_ = new ChatPanel(this, dialogs);
    chat_->setObjectName(QStringLiteral("chatpanel"));
    chat_->move(kChatPlace);
    phrases_ = new PhraseButtons(this);
    phrases_->move(PhraseButtons::kPlace);
    phrases_->setChatColor(chat_->chatColor());
}

} // namespace zb
