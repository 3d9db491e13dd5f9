#include "apps/zorbinet/gameapp.h"

#include "apps/zorbinet/singleinstance.h"
#include "files/dataplace.h"
#include "host/tserver.h"
#include "net/guard.h"
#include "net/signalwatcher.h"
#include "net/tsock.h"
#include "shell/dialogs.h"
#include "shell/errorreport.h"
#include "shell/settings.h"
#include "shell/soundmessagefilter.h"
#include "shell/soundmodule.h"
#include "shell/tphrases.h"
#include "side/tabout.h"
#include "side/tdownload.h"
#include "side/thelp.h"
#include "table/tablesettings.h"
#include "table/tchat.h"
#include "table/tgamestartform.h"
#include "table/tspylist.h"
#include "tally/tally.h"
#include "tally/ttallylist.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QTimer>
#include <csignal>
#include <cstdio>

namespace zb {

GameApp::GameApp(TableOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options)), errors_(std::make_unique<ErrorReport>()) {
    errors_->install();
}

void GameApp::TallyForward::attach(TallySink* target) {
    target_ = target;
    if (target_ && players_)
        target_->currentPlayers(*players_);
}

void GameApp::TallyForward::currentPlayers(const QStringList& names) {
    if (target_)
        target_->currentPlayers(names);
    else
        players_ = names;
}

void GameApp::TallyForward::recordGame(const FinishedGame& game) {
    if (target_)
        target_->recordGame(game);
}

void GameApp::TallyForward::recordFiveOfAKind() {
    if (target_)
        target_->recordFiveOfAKind();
}

GameApp::~GameApp() {
    // Windows go in the reverse order of their creation, except that the table window goes
    // before the tally it reports to.
    delete download_;
    delete phrases_;
    delete gamestart_;
    delete spylist_;
    server_.reset();
    delete help_;
    delete about_;
    delete chat_;
    tallyForward_.attach(nullptr);
    tally_.reset();
}

void GameApp::start() {
    // The same place as the table window's settings: a given folder, or the program's or the
    // player's (reading from the program's folder while the player's has no file yet).
    const files::DataPlace place = options_.settingsFolder.isEmpty()
                                       ? files::dataPlace()
                                       : files::DataPlace(options_.settingsFolder);
    Dialogs& dialogs = options_.dialogs ? *options_.dialogs : standardDialogs();

    TableOptions tableOptions = options_;
    // The tally and its window are made once the table window is up; until then (nothing can
    // happen at the table before) its reports wait in the forwarder.
    tableOptions.tally = &tallyForward_;
    tableOptions.startHost = [this](bool anyPort) {
        // A listener whose bind failed keeps its socket until it is closed.
        if (anyPort)
            server_->setListening(false);
        server_->setPortName(anyPort ? QStringLiteral("0") : options_.gamePort);
        server_->setListening(true);
        // The table follows its host to the port it really listens on ("0" picks a free one).
        chat_->sock()->setPortName(QString::number(server_->port()));
    };
    tableOptions.hostConnecting = [this](const TSock& sock) {
        server_->ownTableIs(sock.localAddress(), sock.localPort());
    };
    chat_ = new Tchat(tableOptions, random_);
    errors_->setParentWindow(chat_);
    if (!botSpeed_)
        botSpeed_ = [this] { return chat_->botSpeed(); };
    // The host is no window; the table window's first showing starts it in a hosting mode.
    server_ = std::make_unique<TServer>(botSpeed_, random_);
    server_->setPortName(options_.gamePort);
    // Read at every game start, like the bot speed at every step.
    server_->setBotSkill([this] { return chat_->botSkill(); });
    // Nobody who connects in the instant after the listener opens may take the hosting player's
    // rights: slot 1 waits for this program's own table.
    server_->setSlotOneReserved(true);
    signals_ = std::make_unique<SignalWatcher>(std::initializer_list<int>{SIGINT, SIGTERM, SIGHUP},
                                               [this](int) { chat_->close(); });

    // The table window is on screen before the other windows are made (in their order, before
    // anything else runs) and before sound is read in: the player sees the game come up at once.
    chat_->show();
    tally_ = std::make_unique<Tally>(place, dialogs, [](const QString& e) { reportError(e); });
    tally_->load();
    tallyForward_.attach(&tally_->sink());
    createSideWindows(place.folder, dialogs);
    if (options_.args.isEmpty()) {
        download_->show();
        download_->raise();
    }
    SoundModule::process().load();
}

void GameApp::createSideWindows(const QString& folder, Dialogs& dialogs) {
    about_ = new Tabout();
    about_->setAnchor(chat_);
    help_ = new Thelp();
    help_->setAboutBox(about_);
    help_->setAnchor(chat_);
    spylist_ = new Tspylist();
    gamestart_ = new Tgamestartform();
    phrases_ = new Tphrases();
    download_ = new Tdownload();
    download_->setUrl(chat_->settings().file().lobbyUrl());
    download_->setDownloadFolder(folder);
    download_->setDialogs(dialogs);
    chat_->attachWindows(gamestart_, spylist_);

    connect(chat_, &Tchat::showHelp, help_, &QWidget::show);
    connect(chat_, &Tchat::showAbout, about_, &QWidget::show);
    connect(chat_, &Tchat::showTally, this, [this] { guarded([&] { tally_->showOver(chat_); }); });
    connect(chat_, &Tchat::showSpyList, spylist_,
            [this] { guarded([&] { spylist_->showOver(chat_); }); });
    phrases_->attach(chat_->phraseButtons(), &chat_->settings().file());
    connect(chat_, &Tchat::showPhrases, phrases_,
            [this] { guarded([&] { phrases_->PhraseList1Click(); }); });
    // The installer or the lobby has started: the game ends as File > Exit ends it.
    connect(
        download_, &Tdownload::exitRequested, chat_, [this] { chat_->close(); },
        Qt::QueuedConnection);
    // Closing the table window ends the program, whatever other window is open; the tally is
    // written then, as after every recorded game.
    connect(chat_, &Tchat::closed, this, [this] { guarded([&] { tally_->save(); }); });
    connect(chat_, &Tchat::closed, this, &GameApp::finished, Qt::QueuedConnection);
}

QList<QWidget*> GameApp::windows() const {
    return {chat_, tally_->window(), about_, help_, spylist_, gamestart_, phrases_, download_};
}

QIcon windowIcon() {
    QIcon icon;
    // Every size the build compiled in.
    for (const QString& size : QDir(QStringLiteral(":/icons")).entryList())
        icon.addFile(QStringLiteral(":/icons/%1/io.github.zorbinet.Zorbinet.png").arg(size));
    return icon;
}

int runGame(int argc, char** argv) {
    // The positional arguments as given: Qt must not take a player called "-style" for itself.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    // Before anything touches the audio back end, which complains where there is no sound.
    installAudioMessageFilter();
    QApplication app(argc, argv);
    // The name also picks the data folder and the window's WM_CLASS ("Zorbinet", which the
    // desktop entry's StartupWMClass names); the desktop file name lets a shell group the window.
    QApplication::setApplicationName(QStringLiteral("Zorbinet"));
    QApplication::setApplicationVersion(QStringLiteral(ZB_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.zorbinet.Zorbinet"));
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance guard;
    const SingleInstance::Outcome instance = guard.acquire();
    if (instance == SingleInstance::Outcome::Running) {
        std::fputs(guard.raised() ? "Zorbinet is already running; its window was brought to the "
                                    "front.\n"
                                  : "Zorbinet is already running; its window could not be "
                                    "brought to the front.\n",
                   stderr);
        return 0;
    }
    if (instance == SingleInstance::Outcome::Undetectable)
        std::fprintf(stderr, "Zorbinet: %s; a second copy cannot be detected. Starting anyway.\n",
                     guard.problem().toLocal8Bit().constData());

    TableOptions options;
    options.args = args;
    // The marker goes where the guard is, and only into a folder fit for it.
    if (instance == SingleInstance::Outcome::Only)
        options.markerFolder = guard.folder();
    GameApp game(options);
    guard.setOnRaise([&game] {
        Tchat* w = game.chat();
        if (!w)
            return;
        if (w->isMinimized())
            w->showNormal();
        w->raise();
        w->activateWindow();
    });
    QObject::connect(&game, &GameApp::finished, &app, &QCoreApplication::quit);
    game.start();
    // Reading the icon's pictures is the first use of the icon machinery and decodes every size
    // (512 x 512 too): it waits until the table window is up, which then takes the icon.
    QTimer::singleShot(0, &app, [] { guarded([] { QApplication::setWindowIcon(windowIcon()); }); });
    return app.exec();
}

} // namespace zb
