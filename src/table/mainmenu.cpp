#include "table/mainmenu.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace zb {
namespace {

QAction* checkable(QMenu* menu, const QString& text, bool checked = false) {
    QAction* a = menu->addAction(text);
    a->setCheckable(true);
    a->setChecked(checked);
    return a;
}

} // namespace

void MainMenu::build(QMenuBar* bar) {
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    StartGame1 = file->addAction(QStringLiteral("Start Game"));
    file->addSeparator();
    Exit1 = file->addAction(QStringLiteral("Exit"));

    // The initial ticks are the preferences before the settings file is read.
    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    PlaySounds1 = checkable(options, QStringLiteral("Play Sounds"), true);
    TurnSound1 = options->addMenu(QStringLiteral("Turn Sound"));
    auto* turnGroup = new QActionGroup(TurnSound1);
    Classic1 = checkable(TurnSound1, QStringLiteral("Classic"), true);
    New1 = checkable(TurnSound1, QStringLiteral("New"));
    turnGroup->addAction(Classic1);
    turnGroup->addAction(New1);
    PlayChatterSounds1 = checkable(options, QStringLiteral("Play Chatter Sounds"));
    BotSpeed1 = options->addMenu(QStringLiteral("Bot Speed"));
    auto* speedGroup = new QActionGroup(BotSpeed1);
    Slow1 = checkable(BotSpeed1, QStringLiteral("Slow"));
    Normal1 = checkable(BotSpeed1, QStringLiteral("Normal"), true);
    Fast1 = checkable(BotSpeed1, QStringLiteral("Fast"));
    for (QAction* a : {Slow1, Normal1, Fast1})
        speedGroup->addAction(a);
    options->addSeparator();
    TextColor1 = options->addAction(QStringLiteral("Text Color"));
    TextSize1 = options->addMenu(QStringLiteral("Text Size"));
    for (std::size_t i = 0; i < kTextSizes.size(); ++i)
        textSizes[i] = checkable(TextSize1, QString::number(kTextSizes[i]), kTextSizes[i] == 10);
    ScrollChatOff1 = checkable(options, QStringLiteral("Scroll Chat Off"));
    ScrollChatOff1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    ResetScreenLocation1 = options->addAction(QStringLiteral("Reset Screen Location"));
    options->addSeparator();
    JustWatch1 = checkable(options, QStringLiteral("Just Watch"));
    doubleCheck = checkable(options, QStringLiteral("Double Check for 0 Score"));

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    ViewTally1 = view->addAction(QStringLiteral("View Tally"));
    SpyList1 = view->addAction(QStringLiteral("Spy List"));
    PhraseList1 = view->addAction(QStringLiteral("Phrase List"));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    Help2 = help->addAction(QStringLiteral("Help"));
    About1 = help->addAction(QStringLiteral("About"));
}

} // namespace zb
