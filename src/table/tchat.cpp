#include "table/tchat.h"

#include "net/guard.h"
#include "net/tsock.h"
#include "rules/random.h"
#include "shell/singleinstance.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLockFile>
#include <QMenuBar>
#include <QScreen>
#include <QTextEdit>

namespace zb {

Tchat::Tchat(TableOptions options, rules::Random& random, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)), random_(random) {
    setObjectName(QStringLiteral("chat"));
    setWindowTitle(QStringLiteral("Zorbinet"));
    // The marker "zorbinet" tells other software that the game runs; nothing waits on it.
    marker_ = std::make_unique<QLockFile>(SingleInstance::defaultFolder() +
                                          QStringLiteral("/zorbinet"));
    marker_->tryLock(0);
    random_.seed(rules::Random::clockSeed());

    sock_ = new TSock(this);
    sock_->setPortName(options_.gamePort);
    sock11_ = new TSock(this);
    sock11_->setHostName(QStringLiteral("127.0.0.1"));
    sock11_->setPortName(options_.lobbyPort);

    menu_.build(menuBar());
    buildLayout();
    connectMenu();

    move(3, 5);
    resize(kInitialClient.width(), kInitialClient.height() + menuBar()->sizeHint().height());
}

Tchat::~Tchat() = default;

void Tchat::buildLayout() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setAutoFillBackground(true);
    QPalette pal = client->palette();
    pal.setColor(QPalette::Window, Qt::white);
    client->setPalette(pal);
    client->setMinimumSize(kMinimumClient);
    setCentralWidget(client);

    mainPanel_ = new QFrame(client);
    mainPanel_->setObjectName(QStringLiteral("mainpanel"));
    mainPanel_->setGeometry(kMainPanel);
    mainPanel_->setAutoFillBackground(true);
    QPalette panelPal = mainPanel_->palette();
    panelPal.setColor(QPalette::Window, QColor(0xCC, 0xC8, 0xB3));
    mainPanel_->setPalette(panelPal);

    // Until the chat panel is composed in, system lines go to a plain view.
    auto* view = new QTextEdit(mainPanel_);
    view->setObjectName(QStringLiteral("mainchat"));
    view->setReadOnly(true);
    view->setGeometry(1 + 1, 315 + 2, 481, 108);
}

void Tchat::connectMenu() {
    connect(menu_.Exit1, &QAction::triggered, this, [this] { guarded([&] { close(); }); });
    connect(menu_.ResetScreenLocation1, &QAction::triggered, this,
            [this] { guarded([&] { ResetScreenLocation1Click(); }); });
    connect(menu_.Help2, &QAction::triggered, this, &Tchat::showHelp);
    connect(menu_.About1, &QAction::triggered, this, &Tchat::showAbout);
    connect(menu_.ViewTally1, &QAction::triggered, this, &Tchat::showTally);
    connect(menu_.SpyList1, &QAction::triggered, this, &Tchat::showSpyList);
    connect(menu_.PhraseList1, &QAction::triggered, this, &Tchat::showPhrases);
    auto speed = [this](QAction* item, int ms) {
        connect(item, &QAction::triggered, this, [this, ms] { botSpeedTag_ = ms; });
    };
    speed(menu_.Slow1, 1500);
    speed(menu_.Normal1, 1000);
    speed(menu_.Fast1, 500);
}

void Tchat::addlinetochat(const QByteArray& line, quint32 colour) {
    auto* view = findChild<QTextEdit*>(QStringLiteral("mainchat"));
    if (!view)
        return;
    const int plus = line.indexOf('+');
    const QColor c(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    view->setTextColor(c);
    view->append(QString::fromLatin1(plus >= 0 ? line.mid(plus + 1) : line));
}

void Tchat::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    guarded([&] { processparams(); });
}

void Tchat::processparams() {
    constexpr quint32 kBlue = 0xFF0000;
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
    loginname_ = playername_.toLatin1() + '\xFF';
    hosting_ = true;
    sock_->setHostName(QStringLiteral("127.0.0.1"));
    sock_->open();
    menu_.StartGame1->setEnabled(true);
}

void Tchat::joinpress() {
    loginname_ = playername_.toLatin1() + '\xFF';
    sock_->setHostName(hostaddress_);
    sock_->open();
    menu_.StartGame1->setEnabled(false);
}

void Tchat::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placeMainPanel();
}

void Tchat::placeMainPanel() {
    // The panel keeps its place relative to the centre of the client area.
    QWidget* client = centralWidget();
    if (!client || !mainPanel_)
        return;
    const int dx = (client->width() - kInitialClient.width()) / 2;
    const int dy = (client->height() - kInitialClient.height()) / 2;
    mainPanel_->move(kMainPanel.x() + dx, kMainPanel.y() + dy);
}

void Tchat::ResetScreenLocation1Click() { setOuterBounds(kDefaultBounds); }

void Tchat::setOuterBounds(const QRect& outer) {
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const int extraW = frame.width() - inner.width();
    const int extraH = frame.height() - inner.height();
    move(outer.topLeft());
    resize(outer.width() - extraW, outer.height() - extraH);
}

void Tchat::closeEvent(QCloseEvent* event) {
    guarded([&] { FormClose(); });
    event->accept();
    emit closed();
}

void Tchat::FormClose() {
    // Before the settings were read in this run, closing writes nothing: the window's initial
    // preferences must not overwrite the player's stored ones.
    if (!settingsRead_)
        return;
    saveBounds();
}

void Tchat::saveBounds() {
    QRect outer = frameGeometry();
    if (outer == storedbounds_)
        return;
    if (const QScreen* screen = this->screen()) {
        const QRect work = screen->availableGeometry();
        if (outer.width() > work.width())
            outer.setWidth(outer.width() - 15);
        if (outer.height() > work.height())
            outer.setHeight(outer.height() - 15);
    }
    storedbounds_ = outer;
}

} // namespace zb
