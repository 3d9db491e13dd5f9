#include "table/keyboard.h"

#include "controls/highlightlabel.h"
#include "controls/picturebutton.h"
#include "net/guard.h"
#include "rules/rules.h"
#include "table/board.h"
#include "table/core/tablecore.h"
#include "table/mainmenu.h"
#include "table/scorecard.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>

namespace zb {

KeyboardPlay::KeyboardPlay(const TableCore& core, Handlers handlers, QObject* parent)
    : QObject(parent), core_(core), handlers_(std::move(handlers)) {}

void KeyboardPlay::attachMenu(const MainMenu& menu) {
    auto on = [this](QAction* item, auto run) {
        connect(item, &QAction::triggered, this, [run] { guarded(run); });
    };
    on(menu.RollDice1, [this] { roll(); });
    for (int d = 1; d <= 5; ++d)
        on(menu.holdDie[d], [this, d] { toggleDie(d); });
    on(menu.CursorUp1, [this] { moveCursor(-1, 0); });
    on(menu.CursorDown1, [this] { moveCursor(1, 0); });
    on(menu.CursorLeft1, [this] { moveCursor(0, -1); });
    on(menu.CursorRight1, [this] { moveCursor(0, 1); });
    on(menu.ScoreCursor1, [this] { scoreAtCursor(); });
    on(menu.ZeroYes1, [this] { answerYes(); });
    on(menu.ChatLine1, [this] { toChat(); });
}

void KeyboardPlay::watchChatLine(QLineEdit* line) {
    chatLine_ = line;
    line->installEventFilter(this);
}

bool KeyboardPlay::eventFilter(QObject* watched, QEvent* event) {
    // A text field claims Ctrl+Left/Right for moving over words before any shortcut sees them.
    // With nothing typed there is no word to move over, so the card's cursor may have them.
    if (watched == chatLine_ && event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool sideways = key->key() == Qt::Key_Left || key->key() == Qt::Key_Right;
        if (sideways && key->modifiers() == Qt::ControlModifier && chatLine_->text().isEmpty()) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void KeyboardPlay::roll() {
    // The throw picture can be clicked only while it is on offer: after the third roll or a
    // refused choice it is hidden although the player may still act.
    if (core_.throwOffered() && handlers_.throwClick)
        handlers_.throwClick();
}

void KeyboardPlay::toggleDie(int die) {
    // A die takes clicks only on the table of the player who rolled it.
    if (isDie(die) && core_.die(die).clickable && handlers_.dieClick)
        handlers_.dieClick(die);
}

int KeyboardPlay::cursorSeat() const {
    if (seat_ != 0)
        return seat_;
    return core_.isPlayer() ? core_.myseat() : 1;
}

void KeyboardPlay::moveCursor(int rows, int seats) {
    if (!shown_) {
        shown_ = true;
    } else {
        constexpr int kRows = rules::kEntries;
        constexpr int kSeats = rules::kSeats;
        row_ = (row_ - 1 + rows + kRows) % kRows + 1;
        seat_ = (cursorSeat() - 1 + seats + kSeats) % kSeats + 1;
    }
    emit cursorMoved(cursorSeat(), row_);
}

void KeyboardPlay::scoreAtCursor() {
    // A cursor not yet on screen points at nothing the player has seen: it is shown first.
    if (!shown_) {
        moveCursor(0, 0);
        return;
    }
    // Only the category rows take clicks; which column the cursor is in does not matter.
    if (isCategory(row_) && handlers_.categoryClick)
        handlers_.categoryClick(row_);
}

void KeyboardPlay::answerYes() {
    if (core_.zeroCategory() != 0 && handlers_.yesClick)
        handlers_.yesClick();
}

void KeyboardPlay::toChat() {
    if (core_.zeroCategory() != 0 && handlers_.noClick)
        handlers_.noClick();
    if (handlers_.focusChat)
        handlers_.focusChat();
}

QString withShortcuts(const QString& tip, const QList<QKeySequence>& keys) {
    QStringList names;
    for (const QKeySequence& k : keys)
        names << k.toString(QKeySequence::NativeText);
    if (names.isEmpty())
        return tip;
    return tip + QStringLiteral(" (") + names.join(QStringLiteral(", ")) + QLatin1Char(')');
}

void tellShortcuts(const MainMenu& menu, Board& board, ScoreCard& card) {
    board.image_throwdice()->setToolTip(
        withShortcuts(QStringLiteral("Roll the dice"), menu.RollDice1->shortcuts()));
    board.button_start()->setToolTip(
        withShortcuts(QStringLiteral("Start a new game"), menu.StartGame1->shortcuts()));
    for (int d = 1; d <= rules::kDice; ++d)
        board.dice(d)->setToolTip(withShortcuts(QStringLiteral("Hold or release die %1").arg(d),
                                                menu.holdDie[d]->shortcuts()));
    const QString cursorKeys =
        QStringLiteral(" (keyboard: Ctrl+arrow keys move the cursor, %1 scores)")
            .arg(menu.ScoreCursor1->shortcut().toString(QKeySequence::NativeText));
    for (int row = 1; row <= rules::kCategories; ++row)
        card.label(row)->setToolTip(QStringLiteral("Score ") +
                                    QString::fromStdString(rules::categoryCaption(row)) +
                                    cursorKeys);
}

} // namespace zb
