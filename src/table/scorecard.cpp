#include "table/scorecard.h"
#include "controls/ink.h"

#include "controls/elidedlabel.h"
#include "controls/highlightlabel.h"
#include "controls/pictures.h"
#include "net/guard.h"
#include "rules/rules.h"
#include "table/core/tablestate.h"

#include <QLabel>
#include <QPainter>

namespace zb {
namespace {

constexpr int kLabelWidth = 89;
constexpr int kColumnWidth = 48;
constexpr int kRowHeight = 19;
constexpr int kNamesTop = 48;
constexpr int kRowsTop = 84;
constexpr int kSectionGap = 4;
constexpr int kTotalsTop = 386;
constexpr int kTotalsHeight = 26;

const QColor kHighlight(0xFF, 0xE0, 0x82);
const QColor kInk = ink::text();
const QColor kTotalsInk(0x6B, 0x55, 0x22);
const QColor kPaper(0xFF, 0xFD, 0xF4);
const QColor kRule(0xE3, 0xDA, 0xBF);
const QColor kSectionRule(0xB9, 0xAD, 0x87);
const QColor kTurnMark(0xF6, 0xD3, 0x6B);
const QColor kCursorMark(0xBF, 0xD7, 0xF2);
// Slate, upright digits' quiet cousin: at least 6 to 1 on every cell background the hints meet
// (the own column's tint, the stripes, the cursor, the highlight), unlike any column colour.
const QColor kHintInk(0x3E, 0x4A, 0x63);
// The coach's best box wears the colour of the dice it would keep.
const QColor kCoachFill(0xFF, 0xD5, 0x4F, 170);
// An empty seat reads quieter than a player's name, yet at 5 to 1 on the card.
const QColor kWaitingInk(0x6E, 0x66, 0x50);
// The card's own text size, that of the category captions: no text on the card is smaller.
constexpr int kTextPixels = 12;
// What an empty seat's label shows: the seat's name without its brackets, which would not fit
// the column at the card's text size.
const QString kWaitingShown = QStringLiteral("Waiting");

int columnLeft(int seat) {
    return kLabelWidth + kColumnWidth * (seat - 1);
}

int rowTop(int row) {
    int top = kRowsTop + kRowHeight * (row - 1);
    if (row > 6)
        top += kSectionGap;
    if (row > 12)
        top += kSectionGap;
    return top;
}

QFont pixelFont(const QFont& base, int px, bool bold) {
    QFont f = base;
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QRect cellRect(int seat, int row) {
    return QRect(columnLeft(seat) + 1, rowTop(row), kColumnWidth - 2, kRowHeight);
}

// The hints lie over the cells, so a cell that lights up under the pointer keeps its hint, and
// they take no clicks: a click goes to the cell below as always.
class HintLayer : public QWidget {
public:
    HintLayer(const ScoreHints& hints, const ScoreCard::CoachMarks& coach, QWidget* parent)
        : QWidget(parent), hints_(hints), coach_(coach) {
        setObjectName(QStringLiteral("scorehints"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(parent->rect());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (coach_.seat >= 1 && coach_.seat <= ScoreCard::kSeats) {
            paintCoach();
            return;
        }
        if (hints_.seat < 1 || hints_.seat > ScoreCard::kSeats)
            return;
        QPainter p(this);
        QFont f = font();
        f.setPixelSize(kTextPixels);
        f.setItalic(true);
        p.setFont(f);
        p.setPen(kHintInk);
        for (int c = 1; c <= rules::kCategories; ++c) {
            if (hints_.value[c] != ScoreHints::kNone)
                p.drawText(cellRect(hints_.seat, c), Qt::AlignCenter,
                           QString::number(hints_.value[c]));
        }
    }

private:
    void paintCoach() {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QFont f = font();
        f.setPixelSize(kTextPixels);
        f.setItalic(true);
        for (int c = 1; c <= rules::kCategories; ++c) {
            if (!coach_.total[c])
                continue;
            const QRect cell = cellRect(coach_.seat, c);
            const bool best = c == coach_.best;
            if (best) {
                p.setPen(Qt::NoPen);
                p.setBrush(kCoachFill);
                p.drawRoundedRect(QRectF(cell).adjusted(1, 1, -1, -1), 4, 4);
            }
            f.setBold(best);
            p.setFont(f);
            p.setPen(kHintInk);
            p.drawText(cell, Qt::AlignCenter, QString::number(*coach_.total[c], 'f', 1));
        }
    }

    const ScoreHints& hints_;
    const ScoreCard::CoachMarks& coach_;
};

} // namespace

ScoreCard::ScoreCard(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("scorecard"));
    setFixedSize(kSize);
    buildHeader();
    buildRows();
    buildTotals();
    hintLayer_ = new HintLayer(hints_, coach_, this);
    hintLayer_->raise();
    clearall(0);
}

void ScoreCard::buildHeader() {
    turn_ = new ElidedLabel(QStringLiteral("Score Card"), this);
    turn_->setObjectName(QStringLiteral("label_turn"));
    turn_->setGeometry(6, 5, 186, 20);
    turn_->setFont(pixelFont(font(), 15, true));
    turn_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    round_ = new QLabel(QStringLiteral("Round #"), this);
    round_->setObjectName(QStringLiteral("label_roundnum"));
    round_->setTextFormat(Qt::PlainText);
    round_->setGeometry(192, 5, 83, 20);
    round_->setFont(pixelFont(font(), 12, true));
    round_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    round_->setStyleSheet(QStringLiteral("color: #6b5522; background: transparent;"));

    auto* rollsCaption = new QLabel(QStringLiteral("Rolls"), this);
    rollsCaption->setObjectName(QStringLiteral("label_rolls"));
    rollsCaption->setGeometry(8, 26, 40, 20);
    rollsCaption->setFont(pixelFont(font(), 12, false));
    rollsCaption->setStyleSheet(ink::labelStyle());
    for (int n = 1; n <= 3; ++n) {
        auto* marker = new QLabel(this);
        marker->setObjectName(QStringLiteral("image_rolls%1").arg(n));
        marker->setPixmap(pics::rollMarker(n, pics::kRollMarkerSize, devicePixelRatioF()));
        marker->setGeometry(QRect(QPoint(48 + 23 * (n - 1), 26), pics::kRollMarkerSize));
        marker->hide();
        rolls_[n] = marker;
    }

    for (int seat = 1; seat <= kSeats; ++seat) {
        auto* eyes = new QLabel(this);
        eyes->setObjectName(QStringLiteral("image_eyes%1").arg(seat));
        eyes->setPixmap(pics::eyes(pics::kEyesSize, devicePixelRatioF()));
        eyes->setGeometry(QRect(
            QPoint(columnLeft(seat) + (kColumnWidth - pics::kEyesSize.width()) / 2, kNamesTop),
            pics::kEyesSize));
        eyes->setToolTip(QStringLiteral("Just watching"));
        eyes->hide();
        eyes_[seat] = eyes;

        auto* name = new ElidedLabel(kWaitingShown, this);
        name->setObjectName(QStringLiteral("label_playername%1").arg(seat));
        name->setGeometry(columnLeft(seat), kNamesTop + 14, kColumnWidth, 18);
        name->setAlignment(Qt::AlignCenter);
        // Narrower letters before a cut, never smaller ones.
        name->setMinimumPixelSize(kTextPixels);
        playername_[seat] = name;
        shown_[seat] = SeatView::kWaiting;
        styleSeatName(seat, true);
    }
}

void ScoreCard::buildRows() {
    for (int row = 1; row <= kRows; ++row) {
        const bool category = row <= kCategories;
        auto* caption =
            new HighlightLabel(QString::fromStdString(rules::categoryCaption(row)), this);
        caption->setObjectName(QStringLiteral("label%1").arg(row));
        caption->setGeometry(3, rowTop(row), kLabelWidth - 4, kRowHeight);
        caption->setIndent(4);
        caption->setFont(pixelFont(font(), kTextPixels, !category));
        caption->setTextColor(category ? kInk : kTotalsInk);
        if (row == rules::Bonus)
            caption->setToolTip(
                QStringLiteral("Score 35 Bonus points if you score over 63 on the Upper Half"));
        label_[row] = caption;
        if (category) {
            caption->setClickable(true);
            connect(caption, &HighlightLabel::clicked, this,
                    [this, row] { guarded([&] { emit categoryClicked(row); }); });
        }
        for (int seat = 1; seat <= kSeats; ++seat) {
            auto* cell = new HighlightLabel(this);
            cell->setObjectName(QStringLiteral("score%1_%2").arg(seat).arg(row));
            cell->setGeometry(cellRect(seat, row));
            cell->setAlignment(Qt::AlignCenter);
            cell->setFont(pixelFont(font(), kTextPixels, false));
            score_[seat][row] = cell;
            if (category) {
                cell->setClickable(true);
                connect(cell, &HighlightLabel::clicked, this,
                        [this, row] { guarded([&] { emit categoryClicked(row); }); });
            }
        }
    }
    setChoosable(false);
}

void ScoreCard::buildTotals() {
    auto* caption = new QLabel(QStringLiteral("Total:"), this);
    caption->setObjectName(QStringLiteral("label_total"));
    caption->setGeometry(7, kTotalsTop, kLabelWidth - 8, kTotalsHeight);
    caption->setFont(pixelFont(font(), 13, true));
    caption->setStyleSheet(ink::labelStyle());
    for (int seat = 1; seat <= kSeats; ++seat) {
        auto* total = new QLabel(QStringLiteral("0"), this);
        total->setObjectName(QStringLiteral("label_score%1").arg(seat));
        total->setTextFormat(Qt::PlainText);
        total->setAlignment(Qt::AlignCenter);
        total->setGeometry(columnLeft(seat) + 1, kTotalsTop, kColumnWidth - 2, kTotalsHeight);
        total->setFont(pixelFont(font(), 14, true));
        total->setStyleSheet(ink::labelStyle());
        total_[seat] = total;
    }
}

void ScoreCard::clearall(int mySeat) {
    for (int seat = 1; seat <= kSeats; ++seat) {
        total_[seat]->setText(QStringLiteral("0"));
        for (int row = 1; row <= kRows; ++row) {
            HighlightLabel* cell = score_[seat][row];
            cell->clear();
            cell->setTextColor(seat == mySeat && row <= kCategories ? kGreen : kBlack);
        }
        nameColumn(seat);
    }
}

void ScoreCard::setColumnColour(int seat, const QColor& colour) {
    if (seat < 1 || seat > kSeats)
        return;
    for (int row = 1; row <= kRows; ++row)
        score_[seat][row]->setTextColor(colour);
}

void ScoreCard::setCell(int seat, int row, int value) {
    HighlightLabel* cell = score_[seat][row];
    if (value == rules::kUnused) {
        cell->clear();
        if (row <= kCategories)
            cell->setBold(false);
        nameCell(seat, row);
        return;
    }
    cell->setText(QString::number(value));
    cell->setBold(true);
    nameCell(seat, row);
}

QString ScoreCard::cellText(int seat, int row) const {
    return score_[seat][row]->text();
}

void ScoreCard::setTotal(int seat, const QString& text) {
    total_[seat]->setText(text);
    total_[seat]->setAccessibleName(seatName(seat) + QStringLiteral(", Total: ") + text);
}

QString ScoreCard::seatName(int seat) const {
    return shown_[seat];
}

QString ScoreCard::storedName(int seat) const {
    return playername_[seat]->toolTip();
}

void ScoreCard::setSeat(int seat, const QString& shown, const QString& stored, bool waiting) {
    shown_[seat] = shown;
    playername_[seat]->setText(waiting && shown == SeatView::kWaiting ? kWaitingShown : shown);
    playername_[seat]->setAccessibleName(shown);
    playername_[seat]->setToolTip(stored);
    styleSeatName(seat, waiting);
    nameColumn(seat);
}

void ScoreCard::styleSeatName(int seat, bool waiting) {
    // An empty seat reads quieter than a player's name: plain, not bold, and greyer.
    ElidedLabel* name = playername_[seat];
    name->setFont(pixelFont(font(), kTextPixels, !waiting));
    name->setTextColor(waiting ? kWaitingInk : kInk);
}

void ScoreCard::showSeat(int seat) {
    playername_[seat]->show();
    total_[seat]->show();
}

void ScoreCard::setWatching(int seat, bool watching) {
    if (seat >= 1 && seat <= kSeats)
        eyes_[seat]->setVisible(watching);
}

void ScoreCard::setRolls(int rolls) {
    if (rolls < 0 || rolls > 3)
        return;
    for (int n = 1; n <= 3; ++n)
        rolls_[n]->setVisible(n <= rolls);
}

void ScoreCard::setHeading(const QString& text) {
    turn_->setText(text);
    turn_->setToolTip(turn_->fits() ? QString() : text);
}

QString ScoreCard::heading() const {
    return turn_->text();
}

void ScoreCard::setRound(const QString& text) {
    round_->setText(text);
}

void ScoreCard::markTurn(int seat) {
    turnSeat_ = seat;
    for (int s = 1; s <= kSeats; ++s)
        playername_[s]->setBackgroundColor(s == seat ? kTurnMark : QColor());
}

void ScoreCard::setChoosable(bool choosable) {
    choosable_ = choosable;
    const QColor glow = choosable ? kHighlight : QColor();
    for (int row = 1; row <= kCategories; ++row) {
        label_[row]->setHighlightColor(glow);
        for (int seat = 1; seat <= kSeats; ++seat)
            score_[seat][row]->setHighlightColor(glow);
    }
}

void ScoreCard::setOwnColumn(int seat) {
    ownSeat_ = seat;
    update();
}

void ScoreCard::setHints(const ScoreHints& hints) {
    if (hints == hints_)
        return;
    const int before = hints_.seat;
    hints_ = hints;
    hintLayer_->update();
    nameColumn(before);
    nameColumn(hints_.seat);
}

void ScoreCard::setCoach(const CoachMarks& marks) {
    if (marks == coach_)
        return;
    coach_ = marks;
    hintLayer_->update();
}

void ScoreCard::setCursor(int seat, int row) {
    markCursor(false);
    const bool valid = seat >= 1 && seat <= kSeats && row >= 1 && row <= kRows;
    cursorSeat_ = valid ? seat : 0;
    cursorRow_ = valid ? row : 0;
    markCursor(true);
}

void ScoreCard::markCursor(bool on) {
    if (cursorSeat_ == 0)
        return;
    const QColor mark = on ? kCursorMark : QColor();
    label_[cursorRow_]->setBackgroundColor(mark);
    score_[cursorSeat_][cursorRow_]->setBackgroundColor(mark);
    // The chat line keeps the focus, so the card says where the cursor stands.
    if (on)
        setAccessibleDescription(QStringLiteral("Cursor: ") + cellName(cursorSeat_, cursorRow_));
}

QString ScoreCard::cellName(int seat, int row) const {
    if (seat < 1 || seat > kSeats || row < 1 || row > kRows)
        return {};
    const QString text = score_[seat][row]->text();
    QString name = seatName(seat) + QStringLiteral(", ") +
                   QString::fromStdString(rules::categoryCaption(row)) + QStringLiteral(": ") +
                   (text.isEmpty() ? QStringLiteral("empty") : text);
    if (seat == hints_.seat && row <= kCategories && text.isEmpty() &&
        hints_.value[row] != ScoreHints::kNone)
        name += QStringLiteral(", would score ") + QString::number(hints_.value[row]);
    return name;
}

void ScoreCard::nameCell(int seat, int row) {
    score_[seat][row]->setAccessibleName(cellName(seat, row));
    if (seat == cursorSeat_ && row == cursorRow_)
        markCursor(true);
}

void ScoreCard::nameColumn(int seat) {
    if (seat < 1 || seat > kSeats)
        return;
    for (int row = 1; row <= kRows; ++row)
        nameCell(seat, row);
    total_[seat]->setAccessibleName(seatName(seat) + QStringLiteral(", Total: ") +
                                    total_[seat]->text());
}

void ScoreCard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF paper = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(kSectionRule, 1));
    p.setBrush(kPaper);
    p.drawRoundedRect(paper, 8, 8);
    p.setRenderHint(QPainter::Antialiasing, false);

    // The heading band.
    p.fillRect(QRect(1, kNamesTop - 1, width() - 2, 1), kSectionRule);
    // The local player's column, tinted from the names down to the totals.
    if (ownSeat_ >= 1 && ownSeat_ <= kSeats)
        p.fillRect(QRect(columnLeft(ownSeat_), kNamesTop, kColumnWidth,
                         kTotalsTop + kTotalsHeight - kNamesTop),
                   QColor(0x00, 0x80, 0x00, 22));
    // Stripes on every other row.
    for (int row = 2; row <= kRows; row += 2)
        p.fillRect(QRect(1, rowTop(row), width() - 2, kRowHeight), QColor(0x8A, 0x70, 0x30, 16));
    // Column rules.
    for (int seat = 1; seat <= kSeats; ++seat)
        p.fillRect(QRect(columnLeft(seat), kNamesTop, 1, kTotalsTop + kTotalsHeight - kNamesTop),
                   kRule);
    // Section rules: under the names, between the halves, before the totals and the sum.
    p.fillRect(QRect(1, kRowsTop - 2, width() - 2, 1), kSectionRule);
    p.fillRect(QRect(1, rowTop(7) - kSectionGap / 2 - 1, width() - 2, 1), kSectionRule);
    p.fillRect(QRect(1, rowTop(13) - kSectionGap / 2 - 1, width() - 2, 1), kSectionRule);
    p.fillRect(QRect(1, kTotalsTop - 3, width() - 2, 2), kSectionRule);
}

} // namespace zb
