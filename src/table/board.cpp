#include "table/board.h"
#include "controls/ink.h"

#include "controls/elidedlabel.h"
#include "controls/picturebutton.h"
#include "controls/pictures.h"
#include "net/guard.h"
#include "table/zeropanel.h"

#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace zb {
namespace {

constexpr QRect kStatusPlace{92, 8, 384, 28};
// The coach speaks from the foot of the tray, left of the throw picture.
constexpr QRect kCoachPlace{8, 284, 370, 26};
const QColor kCoachMark(0xFF, 0xD5, 0x4F);
constexpr QRect kHeldLane{30, 125, 424, 78};
// The winner text is written on the plaque of the winner picture; longer texts get smaller type.
constexpr int kPlaqueTextWidth = 200;
// Faces on show before the first roll of all.
constexpr std::array<int, 6> kFirstFaces{0, 3, 6, 2, 5, 4};

// A soft shadow that lifts the zero-score question off the table and the dice under it.
class PanelShadow : public QWidget {
public:
    PanelShadow(const QRect& panel, QWidget* parent) : QWidget(parent), panel_(panel) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(panel.adjusted(-kSpread, -kSpread, kSpread + 3, kSpread + 5));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        const QRectF body = QRectF(panel_.translated(-pos())).translated(3, 5);
        for (int i = kSpread; i >= 1; --i) {
            p.setBrush(QColor(0, 0, 0, 20));
            p.drawRoundedRect(body.adjusted(-i, -i, i, i), 6 + i, 6 + i);
        }
    }

private:
    static constexpr int kSpread = 9;
    QRect panel_;
};

QLabel* pictureLabel(QWidget* parent, const QPixmap& pixmap, const QPoint& at, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(pixmap);
    label->setGeometry(QRect(at, pixmap.deviceIndependentSize().toSize()));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

Board::Board(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("board"));
    setFixedSize(kSize);
    const qreal dpr = devicePixelRatioF();

    bonusBack_ =
        pictureLabel(this, pics::bonusFrame(pics::kBonusFrameSize, dpr), {0, 0}, "image_bonusback");
    bonus_ = pictureLabel(this, pics::dieFace(0, true, pics::kDieSize, dpr), pics::kBonusDieOffset,
                          "image_bonus");
    showBonus(false);

    // Names are free text of any length: long lines get smaller type, then are cut.
    auto* status = new ElidedLabel(QStringLiteral("Welcome to Zorbinet!"), this);
    status->setObjectName(QStringLiteral("label_status"));
    status->setAlignment(Qt::AlignCenter);
    status->setGeometry(kStatusPlace);
    status->setContentsMargins(10, 0, 10, 0);
    QFont statusFont = status->font();
    statusFont.setPixelSize(14);
    statusFont.setBold(true);
    status->setFont(statusFont);
    status->setMinimumPixelSize(11);
    status->setTextColor(ink::text());
    status_ = status;

    buildDice();

    coach_ = new ElidedLabel(QString(), this);
    coach_->setObjectName(QStringLiteral("label_coach"));
    coach_->setGeometry(kCoachPlace);
    coach_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    coach_->setContentsMargins(8, 0, 8, 0);
    QFont coachFont = coach_->font();
    coachFont.setPixelSize(13);
    coachFont.setBold(true);
    coach_->setFont(coachFont);
    coach_->setMinimumPixelSize(10);
    coach_->setTextColor(ink::text());
    coach_->setBackgroundColor(QColor(0xFF, 0xFB, 0xEA, 235));
    coach_->setAttribute(Qt::WA_TransparentForMouseEvents);
    coach_->hide();

    throw_ = new PictureButton(this);
    throw_->setObjectName(QStringLiteral("image_throwdice"));
    throw_->setPictureSource([](qreal r) { return pics::throwPicture(pics::kThrowSize, r); });
    throw_->setGeometry(QRect(kThrowPlace, pics::kThrowSize));
    throw_->setToolTip(QStringLiteral("Roll the dice"));
    throw_->setAccessibleName(QStringLiteral("Roll the dice"));
    throw_->hide();
    start_ = new PictureButton(this);
    start_->setObjectName(QStringLiteral("button_start"));
    start_->setPictureSource([](qreal r) { return pics::startPicture(pics::kThrowSize, r); });
    start_->setGeometry(QRect(kThrowPlace, pics::kThrowSize));
    start_->setToolTip(QStringLiteral("Start a new game"));
    start_->setAccessibleName(QStringLiteral("Start a new game"));
    start_->hide();
    connect(throw_, &PictureButton::clicked, this,
            [this] { guarded([&] { emit throwClicked(); }); });
    connect(start_, &PictureButton::clicked, this,
            [this] { guarded([&] { emit startClicked(); }); });

    winnerPicture_ =
        pictureLabel(this, pics::winner(pics::kWinnerSize, dpr), kWinnerPlace, "image_winner");
    // The text is written on the winner picture's plaque, which is narrower than the label.
    winnerText_ = new ElidedLabel(QString(), this);
    winnerText_->setObjectName(QStringLiteral("label_winner"));
    winnerText_->setAlignment(Qt::AlignCenter);
    winnerText_->setGeometry(kWinnerText);
    const int margin = (kWinnerText.width() - kPlaqueTextWidth) / 2;
    winnerText_->setContentsMargins(margin, 0, margin, 0);
    QFont winnerFont = winnerText_->font();
    winnerFont.setPixelSize(17);
    winnerFont.setBold(true);
    winnerText_->setFont(winnerFont);
    winnerText_->setMinimumPixelSize(9);
    winnerText_->setTextColor(QColor(0x5A, 0x3A, 0x00));
    winnerText_->setAttribute(Qt::WA_TransparentForMouseEvents);
    hideWinner();

    zeroShadow_ = new PanelShadow(ZeroPanel::kPlace, this);
    zeroShadow_->hide();
    zero_ = new ZeroPanel(this);
    // The shadow comes and goes with the question.
    zero_->installEventFilter(this);
}

bool Board::eventFilter(QObject* watched, QEvent* event) {
    if (watched == zero_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        zeroShadow_->setVisible(event->type() == QEvent::Show);
    return QWidget::eventFilter(watched, event);
}

void Board::buildDice() {
    for (int d = 1; d <= 5; ++d) {
        auto* button = new PictureButton(this);
        button->setObjectName(QStringLiteral("dice%1").arg(d));
        button->setDimWhenDisabled(false);
        button->setEnabled(false);
        button->setGeometry(QRect(kFirstStart[d], pics::kDieSize));
        dice_[d].button = button;
        dice_[d].face = kFirstFaces[d];
        drawDie(d);
        nameDie(d);
        connect(button, &PictureButton::clicked, this,
                [this, d] { guarded([&] { emit dieClicked(d); }); });
    }
}

void Board::drawDie(int die) {
    const int face = dice_[die].face;
    const bool bonus = dice_[die].bonusStyle;
    dice_[die].button->setPictureSource(
        [face, bonus](qreal r) { return pics::dieFace(face, bonus, pics::kDieSize, r); });
}

void Board::nameDie(int die) {
    const Die& d = dice_[die];
    QString name = QStringLiteral("Die %1: ").arg(die);
    if (!d.rolled)
        name += QStringLiteral("not rolled");
    else
        name += QString::number(d.face) + (d.bonusStyle ? QStringLiteral(", bonus") : QString()) +
                (d.held ? QStringLiteral(", held") : QString());
    d.button->setAccessibleName(name);
}

void Board::updateCoachMarks() {
    // The marks are drawn on the felt under the dice: they move with them.
    for (int d = 1; d <= 5; ++d) {
        if (coachKeep_[d]) {
            update();
            return;
        }
    }
}

void Board::placedice(int die, int face, bool bonusStyle, bool clickable) {
    updateCoachMarks();
    Die& d = dice_[die];
    d.face = face;
    d.bonusStyle = bonusStyle;
    d.rolled = true;
    d.held = false;
    drawDie(die);
    nameDie(die);
    d.button->move(openLeft(die), kOpenTop);
    d.button->show();
    d.button->setEnabled(clickable);
}

void Board::holdDie(int die) {
    updateCoachMarks();
    dice_[die].button->move(dice_[die].button->x(), kHeldTop);
    dice_[die].held = true;
    nameDie(die);
}

void Board::releaseDie(int die) {
    updateCoachMarks();
    dice_[die].button->move(dice_[die].button->x(), kOpenTop);
    dice_[die].held = false;
    nameDie(die);
}

void Board::scatter() {
    updateCoachMarks();
    for (int d = 1; d <= 5; ++d)
        dice_[d].button->move(kTurnStart[d]);
}

void Board::setBonusFace(int face) {
    bonusFace_ = face;
    bonus_->setPixmap(pics::dieFace(face, true, pics::kDieSize, devicePixelRatioF()));
    bonus_->setAccessibleName(QStringLiteral("Bonus die: %1").arg(face));
}

void Board::showBonus(bool shown) {
    bonusBack_->setVisible(shown);
    bonus_->setVisible(shown);
}

bool Board::bonusShown() const {
    return !bonusBack_->isHidden();
}

void Board::setStatus(const QString& text) {
    status_->setText(text);
}

QString Board::status() const {
    return status_->text();
}

void Board::setCoach(const QString& text, const std::array<bool, 6>& keep) {
    coach_->setText(text);
    coach_->setToolTip(text);
    coach_->setVisible(!text.isEmpty());
    coach_->setAccessibleName(text);
    if (keep != coachKeep_) {
        coachKeep_ = keep;
        update();
    }
}

QString Board::coachText() const {
    return coach_->isHidden() ? QString() : coach_->text();
}

void Board::showWinner(const QString& text) {
    winnerText_->setText(text);
    winnerText_->setToolTip(text);
    winnerPicture_->show();
    winnerText_->show();
}

void Board::hideWinner() {
    winnerPicture_->hide();
    winnerText_->hide();
}

void Board::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // A felt tray: a soft light in the middle, darker towards the rim.
    const QRectF tray = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QRadialGradient felt(tray.center() + QPointF(0, 20), tray.width() * 0.62);
    felt.setColorAt(0, QColor(0x3E, 0x8A, 0x5C));
    felt.setColorAt(1, QColor(0x23, 0x5C, 0x3B));
    p.setPen(QPen(QColor(0x17, 0x3F, 0x28), 1));
    p.setBrush(felt);
    p.drawRoundedRect(tray, 10, 10);
    // A faint inner stitch line.
    p.setPen(QPen(QColor(255, 255, 255, 40), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(tray.adjusted(4, 4, -4, -4), 7, 7);

    // The status line sits on a pale ribbon.
    const QRectF ribbon = QRectF(kStatusPlace).adjusted(0, 0, 0, 0);
    p.setPen(QPen(QColor(0x17, 0x3F, 0x28, 120), 1));
    p.setBrush(QColor(0xFF, 0xFB, 0xEA, 235));
    p.drawRoundedRect(ribbon, ribbon.height() / 2, ribbon.height() / 2);

    // The lane where held dice wait.
    p.setPen(QPen(QColor(255, 255, 255, 45), 1));
    p.setBrush(QColor(0, 0, 0, 38));
    p.drawRoundedRect(QRectF(kHeldLane), 9, 9);
    p.save();
    QFont f = font();
    f.setPixelSize(10);
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(f);
    p.setPen(QColor(255, 255, 255, 90));
    p.translate(kHeldLane.left() - 3, kHeldLane.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-40, -12, 80, 12), Qt::AlignCenter, QStringLiteral("HELD"));
    p.restore();

    // The dice the coach would keep wear a warm ring on the felt, wherever they lie.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kCoachMark, 4));
    for (int d = 1; d <= 5; ++d) {
        if (coachKeep_[d] && !dice_[d].button->isHidden())
            p.drawRoundedRect(QRectF(dice_[d].button->geometry()).adjusted(-4, -4, 4, 4), 12, 12);
    }
}

} // namespace zb
