#include "table/tchat.h"

#include "controls/backgroundpainter.h"
#include "controls/flatstyle.h"
#include "net/guard.h"
#include "net/tsock.h"
#include "rules/random.h"
#include "shell/chatpanel.h"
#include "shell/dialogs.h"
#include "shell/phrasebuttons.h"
#include "shell/soundeffectplayer.h"
#include "table/board.h"
#include "table/core/session.h"
#include "table/core/tablecore.h"
#include "table/core/tablelink.h"
#include "table/scorecard.h"
#include "table/seatpopup.h"
#include "table/tablescaler.h"
#include "table/tablesettings.h"

#include <QCloseEvent>
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
      dialogs_(options_.dialogs ? options_.dialogs : &standardDialogs()) {
    setObjectName(QStringLiteral("chat"));
    setWindowTitle(QStringLiteral("Zorbinet"));
    // The marker "zorbinet" tells other software that the game runs; nothing waits on it.
    if (!options_.markerFolder.isEmpty()) {
        marker_ = std::make_unique<QLockFile>(options_.markerFolder + QStringLiteral("/zorbinet"));
        marker_->tryLock(0);
    }
    random_.seed(rules::Random::clockSeed());

    core_ = new TableCore(this);
    core_->setTally(options_.tally);
    link_ = new TableLink(*core_, this);
    link_->setGamePort(options_.gamePort);
    link_->setLobbyPort(options_.lobbyPort);
    link_->setHosting({options_.startHost, options_.hostConnecting});

    menu_.build(menuBar());
    buildLayout();
    settings_ = new TableSettings(
        options_.settingsFolder,
        {this, &menu_, chat_, phrases_, [this](const QRect& outer) { setOuterBounds(outer); }},
        this);
    chat_->attachMenu(menu_.TextColor1, menu_.textSizes, menu_.ScrollChatOff1);
    sounds_ = std::make_unique<Sounds>(settings_->prefs(), *ownPlayerFor(options_, ownPlayer_));
    bindCore();
    connectControls();

    move(3, 5);
    resize(kInitialClient.width(), kInitialClient.height() + menuBar()->sizeHint().height());
}

Tchat::~Tchat() {
    // The core's signals reach into this window's widgets; none may arrive while they go.
    core_->disconnect(this);
}

TSock* Tchat::sock() const {
    return &link_->sock();
}

int Tchat::botSpeed() const {
    return settings_->prefs().botSpeed;
}

QRect Tchat::storedbounds() const {
    return settings_->storedbounds();
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
    phrases_ = new PhraseButtons(mainPanel_);
    phrases_->move(PhraseButtons::kPlace);
    phrases_->setChatColor(chat_->chatColor());
    popup_kick_ = new SeatPopup(this);
    scaler_ = new TableScaler(mainPanel_, kInitialClient, kMainPanel.topLeft(), client);
}

void Tchat::addlinetochat(const QString& line, quint32 colour) {
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
    guarded([&] { link_->start(options_.args); });
}

void Tchat::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (scaler_)
        scaler_->follow();
}

void Tchat::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    bounds_.windowMoved(*this);
}

void Tchat::closeEvent(QCloseEvent* event) {
    guarded([&] { settings_->saveOnClose(); });
    event->accept();
    emit closed();
}

} // namespace zb
