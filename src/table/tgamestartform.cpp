#include "table/tgamestartform.h"

#include "controls/backgroundpainter.h"
#include "controls/flatstyle.h"
#include "controls/ink.h"
#include "controls/picturebutton.h"
#include "controls/pictures.h"
#include "controls/windowcentre.h"
#include "net/guard.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

namespace zb {

Tgamestartform::Tgamestartform(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("tgamestartform"));
    setWindowTitle(QStringLiteral("Zorbinet - Start Game"));
    setFixedSize(kSize);
    flat::applyFlatStyle(this);
    // Played from the keyboard too: the control that has the focus is marked.
    setStyleSheet(styleSheet() +
                  QStringLiteral("QCheckBox:focus { border: 1px solid #2f6fbf; border-radius: "
                                 "3px; background: #eef5fd; padding: 0px 2px; }"));

    auto* background = new BackgroundPainter(this);
    background->setGeometry(rect());
    // Without a window manager's frame the window still needs an edge.
    background->setBorderColor(QColor(0x9C, 0x8F, 0x6A));

    auto* heading = new QLabel(QStringLiteral("New game"), this);
    heading->setGeometry(16, 10, kSize.width() - 32, 20);
    QFont f = heading->font();
    f.setPixelSize(15);
    f.setBold(true);
    heading->setFont(f);
    heading->setStyleSheet(ink::labelStyle());

    team_ = new QCheckBox(QStringLiteral("Team Game"), this);
    team_->setObjectName(QStringLiteral("team"));
    team_->setGeometry(20, 38, kSize.width() - 40, 20);
    team_->setToolTip(QStringLiteral("Partners share one card; six rounds"));
    bonus_ = new QCheckBox(QStringLiteral("Bonus Dice Game"), this);
    bonus_->setObjectName(QStringLiteral("bonus"));
    bonus_->setGeometry(20, 62, kSize.width() - 40, 20);
    bonus_->setToolTip(QStringLiteral("A bonus die doubles the matching dice in the number rows"));

    start_ = new PictureButton(this);
    start_->setObjectName(QStringLiteral("button_start"));
    start_->setPictureSource([](qreal r) { return pics::startPicture(pics::kThrowSize, r); });
    start_->setGeometry(
        QRect(QPoint((kSize.width() - pics::kThrowSize.width()) / 2, 94), pics::kThrowSize));
    start_->setFocusPolicy(Qt::StrongFocus);
    start_->setAccessibleName(QStringLiteral("Start the game"));
    start_->setToolTip(QStringLiteral("Start the game (Return)"));
    connect(start_, &PictureButton::clicked, this, [this] { guarded([&] { start(); }); });
    setTabOrder(team_, bonus_);
    setTabOrder(bonus_, start_);
}

void Tgamestartform::start() {
    hide();
    emit startClicked(options());
}

void Tgamestartform::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    start_->setFocus(Qt::OtherFocusReason);
}

void Tgamestartform::keyPressEvent(QKeyEvent* event) {
    guarded([&] {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            start();
            return;
        case Qt::Key_Escape:
            close();
            return;
        default:
            QWidget::keyPressEvent(event);
        }
    });
}

void Tgamestartform::closeEvent(QCloseEvent* event) {
    // The close box or Escape: no game is started, and the table gets its start offer back.
    QWidget::closeEvent(event);
    guarded([&] { emit dismissed(); });
}

GameOptions Tgamestartform::options() const {
    return GameOptions{bonus_->isChecked(), team_->isChecked()};
}

void Tgamestartform::setTable(QWidget* table) {
    table_ = table;
}

void Tgamestartform::showOver(QWidget* table) {
    if (table)
        table_ = table;
    show();
    // Once shown, so the frame the window now wears is centred too.
    centreOver(this, table_);
    raise();
    activateWindow();
}

} // namespace zb
