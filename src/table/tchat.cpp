#include "table/tchat.h"

#include "controls/flatstyle.h"
#include "net/guard.h"
#include "net/tsock.h"
#include "rules/random.h"
#include "shell/chatpanel.h"
#include "shell/dialogs.h"
#include "shell/soundeffectplayer.h"
#include "table/core/coach.h"
#include "table/core/session.h"
#include "table/core/tablecore.h"
#include "table/core/tablelink.h"
#include "table/gamestarter.h"
#include "table/seatpopup.h"
#include "table/tablepanel.h"
#include "table/tablescaler.h"
#include "table/tablesettings.h"
#include "table/tablesounds.h"

#include <QCloseEvent>
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
    coach_ = new Coach(*core_, this);
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
    sounds_ =
        new TableSounds(*core_, settings_->prefs(), *ownPlayerFor(options_, ownPlayer_), this);
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

strategy::BotSkill Tchat::botSkill() const {
    return settings_->prefs().botSkill;
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

    mainPanel_ = new TablePanel(kMainPanel, dialogs_, client);
    board_ = mainPanel_->board();
    card_ = mainPanel_->card();
    chat_ = mainPanel_->chat();
    phrases_ = mainPanel_->phrases();
    popup_kick_ = new SeatPopup(this);
    starter_ = new GameStarter(*core_, *dialogs_, this);
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
