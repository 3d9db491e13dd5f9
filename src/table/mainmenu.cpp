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

QAction* keyed(QMenu* menu, const QString& text, const QList<QKeySequence>& keys) {
    QAction* a = menu->addAction(text);
    a->setShortcuts(keys);
    return a;
}

// A menu shows an item's first shortcut only; every key that an item answers is written into
// its text after a tab, which the menu shows in the shortcut column instead.
void listShortcuts(QMenu* menu) {
    for (QAction* a : menu->actions()) {
        if (a->menu())
            listShortcuts(a->menu());
        const QString keys = shortcutText(a->shortcuts());
        if (!keys.isEmpty())
            a->setText(menuCaption(a->text()) + QLatin1Char('\t') + keys);
    }
}

} // namespace

QString shortcutText(const QList<QKeySequence>& keys) {
    QStringList names;
    for (const QKeySequence& k : keys)
        names << k.toString(QKeySequence::NativeText);
    return names.join(QStringLiteral(", "));
}

QString menuCaption(const QString& text) {
    return text.section(QLatin1Char('\t'), 0, 0);
}

void MainMenu::buildGame(QMenu* game) {
    // Plain keys belong to the chat line, so every shortcut here has Ctrl, or is a key that
    // typing never produces (F2, Escape); none is one a text field uses (Ctrl+Y is its Redo).
    RollDice1 = keyed(game, QStringLiteral("Roll Dice"),
                      {QKeySequence(Qt::CTRL | Qt::Key_R), QKeySequence(Qt::Key_F2)});
    for (int d = 1; d <= 5; ++d)
        holdDie[d] = keyed(game, QStringLiteral("Hold or Release Die %1").arg(d),
                           {QKeySequence(Qt::CTRL | (Qt::Key_0 + d))});
    game->addSeparator();
    CursorUp1 =
        keyed(game, QStringLiteral("Card Cursor Up"), {QKeySequence(Qt::CTRL | Qt::Key_Up)});
    CursorDown1 =
        keyed(game, QStringLiteral("Card Cursor Down"), {QKeySequence(Qt::CTRL | Qt::Key_Down)});
    CursorLeft1 =
        keyed(game, QStringLiteral("Card Cursor Left"), {QKeySequence(Qt::CTRL | Qt::Key_Left)});
    CursorRight1 =
        keyed(game, QStringLiteral("Card Cursor Right"), {QKeySequence(Qt::CTRL | Qt::Key_Right)});
    ScoreCursor1 = keyed(
        game, QStringLiteral("Score the Category at the Cursor"),
        {QKeySequence(Qt::CTRL | Qt::Key_Return),
         QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter))});
    ZeroYes1 = keyed(game, QStringLiteral("Yes, Score 0"), {QKeySequence(Qt::CTRL | Qt::Key_0)});
    game->addSeparator();
    SuggestMove1 = keyed(game, QStringLiteral("Suggest a Move"), {QKeySequence(Qt::Key_F3)});
    game->addSeparator();
    ChatLine1 = keyed(game, QStringLiteral("Go to the Chat Line"),
                      {QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::Key_Escape)});
}

void MainMenu::build(QMenuBar* bar) {
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    StartGame1 = file->addAction(QStringLiteral("Start Game"));
    // The item is enabled only on the table that may start games, and so is its shortcut.
    StartGame1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    JoinAgain1 = file->addAction(QStringLiteral("Join Again"));
    JoinAgain1->setEnabled(false);
    file->addSeparator();
    Exit1 = file->addAction(QStringLiteral("Exit"));
    Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    buildGame(bar->addMenu(QStringLiteral("&Game")));

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
    ComputerPlayers1 = options->addMenu(QStringLiteral("Computer Players"));
    auto* skillGroup = new QActionGroup(ComputerPlayers1);
    BotClassic1 = checkable(ComputerPlayers1, QStringLiteral("Classic"), true);
    BotExpert1 = checkable(ComputerPlayers1, QStringLiteral("Expert"));
    for (QAction* a : {BotClassic1, BotExpert1})
        skillGroup->addAction(a);
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
    ShowScoreHints1 = checkable(options, QStringLiteral("Show Score Hints"), true);
    ShowBestMove1 = checkable(options, QStringLiteral("Show Best Move"));

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    ViewTally1 = view->addAction(QStringLiteral("View Tally"));
    SpyList1 = view->addAction(QStringLiteral("Spy List"));
    PhraseList1 = view->addAction(QStringLiteral("Phrase List"));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    Help2 = help->addAction(QStringLiteral("Help"));
    Help2->setShortcut(QKeySequence(Qt::Key_F1));
    About1 = help->addAction(QStringLiteral("About"));

    for (QAction* top : bar->actions()) {
        if (top->menu())
            listShortcuts(top->menu());
    }
}

} // namespace zb
