#include "table/tchat.h"

#include "controls/backgroundpainter.h"
#include "controls/flatstyle.h"
#include "controls/highlightlabel.h"
#include "controls/picturebutton.h"
#include "net/errors.h"
#include "net/guard.h"
#include "net/tsock.h"
#include "rules/random.h"
#include "rules/rules.h"
#include "shell/chatpanel.h"
#include "shell/dialogs.h"
#include "shell/latin1.h"
#include "shell/phrasebuttons.h"
#include "shell/soundeffectplayer.h"
#include "table/board.h"
#include "table/keyboard.h"
#include "table/scorecard.h"
#include "table/seatpopup.h"
#include "table/session.h"
#include "table/tablemodel.h"
#include "table/tablescaler.h"
#include "table/tallysink.h"
#include "table/tgamestartform.h"
#include "table/tspylist.h"
#include "table/zeropanel.h"

#include <QCloseEvent>
#include <QColorDialog>
#include <QFrame>
#include <QLineEdit>
#include <QLockFile>
#include <QMenuBar>

namespace zb {
namespace {

SoundPlayer* ownPlayerFor(const TableOptions& options, std::unique_ptr<SoundPlayer>& own) {
    if (options.soundPlayer)
        return options.soundPlayer;
    own = std::make_unique<SoundEffectPlayer>();
    return own.get();
}

} // namespace

Tchat::Tchat(TableOptions options, rules::Random& random, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)), random_(random),
      dialogs_(options_.dialogs ? options_.dialogs : &standardDialogs()),
      tally_(options_.tally ? options_.tally : &noTally()), settings_(options_.settingsFolder),
      sounds_(settings_.prefs(), *ownPlayerFor(options_, ownPlayer_)) {
    setObjectName(QStringLiteral("chat"));
    setWindowTitle(QStringLiteral("Zorbinet"));
    // The marker "zorbinet" tells other software that the game runs; nothing waits on it.
    if (!options_.markerFolder.isEmpty()) {
        marker_ = std::make_unique<QLockFile>(options_.markerFolder + QStringLiteral("/zorbinet"));
        marker_->tryLock(0);
    }
    random_.seed(rules::Random::clockSeed());

    sock_ = new TSock(this);
    sock_->setPortName(options_.gamePort);
    sock11_ = new TSock(this);
    sock11_->setHostName(QStringLiteral("127.0.0.1"));
    sock11_->setPortName(options_.lobbyPort);
    session_ = new Session(sock_, this);
    model_ = new TableModel(this);

    menu_.build(menuBar());
    buildLayout();
    connectMenu();
    connectPreferences();
    connectControls();
    connectKeyboard();
    connectSpectatorControls();
    bindViews();
    registerHandlers();

    move(3, 5);
    resize(kInitialClient.width(), kInitialClient.height() + menuBar()->sizeHint().height());
}

Tchat::~Tchat() {
    // The socket's handlers point into this window; none may run while it is torn down.
    sock_->OnRead = nullptr;
    sock_->OnInfo = nullptr;
}

const ClientState& Tchat::state() const {
    return model_->state();
}

void Tchat::attachWindows(Tgamestartform* gamestart, Tspylist* spylist) {
    gamestart_ = gamestart;
    spylist_ = spylist;
    if (gamestart_) {
        gamestart_->setTable(this);
        connect(gamestart_, &Tgamestartform::startClicked, this, [this] { startgame(); });
    }
    if (spylist_) {
        spylist_->setTable(this);
        connect(spylist_, &Tspylist::kickRequested, this,
                [this](int seat) { guarded([&] { kicking(seat); }); });
    }
}

void Tchat::buildLayout() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setAutoFillBackground(true);
    QPalette pal = client->palette();
    pal.setColor(QPalette::Window, Qt::white);
    client->setPalette(pal);
    client->setMinimumSize(kMinimumClient);
    setCentralWidget(client);
    flat::applyFlatStyle(this);

    mainPanel_ = new QFrame(client);
    mainPanel_->setObjectName(QStringLiteral("mainpanel"));
    mainPanel_->setGeometry(kMainPanel);
    auto* background = new BackgroundPainter(mainPanel_);
    background->setObjectName(QStringLiteral("mainpanelbackground"));
    background->setGeometry(0, 0, kMainPanel.width(), kMainPanel.height());
    background->setBorderColor(QColor(0x9C, 0x8F, 0x6A));

    board_ = new Board(mainPanel_);
    board_->move(kBoardPlace);
    card_ = new ScoreCard(mainPanel_);
    card_->move(kCardPlace);
    chat_ = new ChatPanel(mainPanel_, dialogs_);
    chat_->setObjectName(QStringLiteral("chatpanel"));
    chat_->move(kChatPlace);
    // Connected before the panel takes the items, so this runs first: the panel's change notice
    // that follows is then known to be about the size, not the colour.
    for (QAction* item : menu_.textSizes)
        connect(item, &QAction::triggered, this, [this] { textSizeChosen_ = true; });
    chat_->attachMenu(menu_.TextColor1, menu_.textSizes, menu_.ScrollChatOff1);
    chat_->setSendMessage([this](const QByteArray& message) { sendRequest(message); });

    phrases_ = new PhraseButtons(mainPanel_);
    phrases_->move(PhraseButtons::kPlace);
    phrases_->setChatColor(chat_->chatColor());
    phrases_->setSendMessage([this](const QByteArray& message) { sendRequest(message); });
    // The cool-down counts ticks of the dispatch timer, which runs only while there is work.
    session_->setCooldown([this] { return phrases_->coolingDown(); }, [this] { phrases_->tick(); });
    connect(phrases_, &PhraseButtons::cooldownStarted, this, [this] { session_->kick(); });

    popup_kick_ = new SeatPopup(this);
    scaler_ = new TableScaler(mainPanel_, kInitialClient, kMainPanel.topLeft(), client);
}

void Tchat::connectMenu() {
    connect(menu_.Exit1, &QAction::triggered, this, [this] { guarded([&] { close(); }); });
    connect(menu_.StartGame1, &QAction::triggered, this,
            [this] { guarded([&] { button_startClick(); }); });
    connect(menu_.ResetScreenLocation1, &QAction::triggered, this,
            [this] { guarded([&] { ResetScreenLocation1Click(); }); });
    connect(menu_.Help2, &QAction::triggered, this, &Tchat::showHelp);
    connect(menu_.About1, &QAction::triggered, this, &Tchat::showAbout);
    connect(menu_.ViewTally1, &QAction::triggered, this, &Tchat::showTally);
    connect(menu_.SpyList1, &QAction::triggered, this, &Tchat::showSpyList);
    connect(menu_.PhraseList1, &QAction::triggered, this, &Tchat::showPhrases);
}

void Tchat::connectControls() {
    sock_->OnRead = [this](TSock*, int) { guarded([&] { sockRead(); }); };
    sock_->OnInfo = [this](TSock*, TSocketInfo info, const QString& msg) {
        guarded([&] { sockInfo(info, msg); });
    };
    connect(board_, &Board::throwClicked, this, [this] { image_throwdiceClick(); });
    connect(board_, &Board::startClicked, this, [this] { button_startClick(); });
    connect(board_, &Board::dieClicked, this, [this](int die) { diceClick(die); });
    connect(card_, &ScoreCard::categoryClicked, this, [this](int c) { cardClick(c); });
    connect(board_->panel_zero(), &ZeroPanel::yesClicked, this, [this] { yesClick(); });
    connect(board_->panel_zero(), &ZeroPanel::noClicked, this, [this] { noClick(); });
}

void Tchat::connectKeyboard() {
    KeyboardPlay::Handlers h;
    h.throwClick = [this] { image_throwdiceClick(); };
    h.dieClick = [this](int die) { diceClick(die); };
    h.categoryClick = [this](int row) { cardClick(row); };
    h.yesClick = [this] { yesClick(); };
    h.noClick = [this] { noClick(); };
    h.focusChat = [this] { focusChat(); };
    keyboard_ = new KeyboardPlay(*model_, std::move(h), this);
    keyboard_->attachMenu(menu_);
    keyboard_->watchChatLine(chat_->mychat());
    connect(keyboard_, &KeyboardPlay::cursorMoved, card_, &ScoreCard::setCursor);

    // The controls tell their shortcuts.
    board_->image_throwdice()->setToolTip(
        withShortcuts(QStringLiteral("Roll the dice"), menu_.RollDice1->shortcuts()));
    board_->button_start()->setToolTip(
        withShortcuts(QStringLiteral("Start a new game"), menu_.StartGame1->shortcuts()));
    for (int d = 1; d <= 5; ++d)
        board_->dice(d)->setToolTip(withShortcuts(QStringLiteral("Hold or release die %1").arg(d),
                                                  menu_.holdDie[d]->shortcuts()));
    const QString cursorKeys =
        QStringLiteral(" (keyboard: Ctrl+arrow keys move the cursor, %1 scores)")
            .arg(menu_.ScoreCursor1->shortcut().toString(QKeySequence::NativeText));
    for (int row = 1; row <= ScoreCard::kCategories; ++row)
        card_->label(row)->setToolTip(QStringLiteral("Score ") +
                                      QString::fromStdString(rules::categoryCaption(row)) +
                                      cursorKeys);
}

void Tchat::addlinetochat(const QString& line, quint32 colour) {
    chat_->addlinetochat(line, colour);
}

void Tchat::addlinetochat(const char* line, quint32 colour) {
    chat_->addlinetochat(line, colour);
}

void Tchat::focusChat() {
    chat_->mychat()->setFocus();
}

void Tchat::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    guarded([&] { processparams(); });
}

void Tchat::processparams() {
    menu_.StartGame1->setEnabled(false);
    loginname_.clear();
    const QStringList& args = options_.args;
    if (args.isEmpty()) {
        addlinetochat("0+Loading Solo Game..Please wait.", kBlue);
        hostaddress_ = QStringLiteral("127.0.0.1");
        playername_ = QStringLiteral("You");
        hostpress();
        return;
    }
    addlinetochat("0+Loading Multi-player Game.. Please Wait.", kBlue);
    if (args.size() < 3)
        return;
    playername_ = args[0];
    hostaddress_ = args[1];
    if (args[2] == QLatin1String("true"))
        hostpress();
    else
        joinpress();
    // The presence connection for the lobby: no handlers, no traffic, silent if refused.
    sock11_->open();
}

void Tchat::hostpress() {
    if (options_.startHost)
        options_.startHost();
    loginname_ = toWire(playername_) + '\xFF';
    hosting_ = true;
    sock_->setHostName(QStringLiteral("127.0.0.1"));
    sock_->open();
    if (options_.hostConnecting)
        options_.hostConnecting(*sock_);
    offerHostControls();
}

void Tchat::joinpress() {
    loginname_ = toWire(playername_) + '\xFF';
    sock_->setHostName(hostaddress_);
    menu_.StartGame1->setEnabled(false);
    try {
        sock_->open();
    } catch (const ESockException& e) {
        connectFailed(QString::fromUtf8(e.what()));
        throw;
    }
}

bool Tchat::hostsGame() const {
    const ClientState& s = model_->state();
    return hosting_ || (s.loggedin && s.myseat == 1);
}

void Tchat::offerHostControls() {
    menu_.StartGame1->setEnabled(true);
    board_->button_start()->show();
}

void Tchat::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placeMainPanel();
}

void Tchat::placeMainPanel() {
    if (scaler_)
        scaler_->follow();
}

void Tchat::ResetScreenLocation1Click() {
    setOuterBounds(kDefaultBounds);
}

void Tchat::setOuterBounds(const QRect& outer) {
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const int extraW = frame.width() - inner.width();
    const int extraH = frame.height() - inner.height();
    // Without a frame the window manager may simply not have framed the window yet: its frame
    // is then added around the size given here, and the outer bounds are given again once the
    // frame is known (moveEvent).
    unframedBounds_ = (extraW == 0 && extraH == 0) ? std::optional<QRect>(outer) : std::nullopt;
    move(outer.topLeft());
    resize(outer.width() - extraW, outer.height() - extraH);
}

void Tchat::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // Framing moves the client area inside the new frame, so the frame is known by now.
    if (unframedBounds_ && frameGeometry() != geometry() && windowState() == Qt::WindowNoState)
        setOuterBounds(*unframedBounds_);
}

void Tchat::closeEvent(QCloseEvent* event) {
    guarded([&] { FormClose(); });
    event->accept();
    emit closed();
}

void Tchat::FormClose() {
    saveBoundsOnClose();
}

} // namespace zb
