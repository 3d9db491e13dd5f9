#include "side/tdownload.h"
#include "controls/ink.h"

#include "controls/flatstyle.h"
#include "controls/pictures.h"
#include "controls/windowcentre.h"
#include "net/guard.h"
#include "net/httpcli.h"
#include "shell/dialogs.h"
#include "shell/settings.h"
#include "side/downloadverdict.h"
#include "side/installerfile.h"
#include "side/jpegreader.h"
#include "side/lobbylauncher.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>

namespace zb {
namespace {

const QString kCaption = QStringLiteral("Download The Quon77 Lobby");
const QString kMessageTitle = QStringLiteral("Zorbinet");

const QString kOfferText = QStringLiteral("Download The Quon77 Lobby Now to play this  and other "
                                          "exciting games online with other players! ");
const QString kSoloText = QStringLiteral("To proceed to the game without the ability to play "
                                         "against others click the button below.");
const QString kFirewallText =
    QStringLiteral("Note: Even if you are playing offline, you will need to configure your "
                   "FIREWALL to allow the game to access the internet components.");
const QString kOthersText = QStringLiteral(
    "If you already have The Quon77 Lobby and you wish to play with others then click the "
    "button below to close this game and open The Quon77 Lobby.");
const QString kNoLobbyText = QStringLiteral(
    "Please close the game and open the Quon77 Lobby using the icon on your desktop or using "
    "the your Window's start-up menu.");
const QString kInstallFailedText = QStringLiteral("An Error has Occurred.");
const QString kNoFileNameText =
    QStringLiteral("The download address names no file that the installer may be stored as.");
const QString kAbortedText = QStringLiteral("Download Aborted");
const QString kStoppedText = QStringLiteral("Stopped");
const QString kNotStartedText = QStringLiteral("The installer could not be started");

const QStringList kInstallerArguments = {QStringLiteral("/SP-"), QStringLiteral("/silent"),
                                         QStringLiteral("/noicons")};

constexpr QRgb kInk = ink::kText;
constexpr QRgb kPanelBorder = 0xFF8C98A8;

} // namespace

Tdownload::Tdownload(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      HttpCli1(new HttpCli(this)), url_(QString::fromLatin1(Settings::kDefaultLobbyUrl)) {
    setObjectName(QStringLiteral("tdownload"));
    setWindowTitle(kCaption);
    setFixedSize(kClientWidth, kClientHeight);
    build();

    HttpCli1->OnHeaderData = [this](HttpCli*, const QByteArray&) { HttpCli1HeaderData(); };
    HttpCli1->OnDocBegin = [this](HttpCli*) { HttpCli1DocBegin(); };
    HttpCli1->OnDocData = [this](HttpCli*, qint64 received) { HttpCli1DocData(received); };
    HttpCli1->OnRequestDone = [this](HttpCli*, bool ok) { HttpCli1RequestDone(ok); };

    connect(getbutton, &QPushButton::clicked, this,
            [this] { guarded([this] { getbuttonClick(); }); });
    connect(abortbutton, &QPushButton::clicked, this,
            [this] { guarded([this] { abortbuttonClick(); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { guarded([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { guarded([this] { Button2Click(); }); });

    QFile picture(QStringLiteral(":/pictures/lobby.jpg"));
    if (picture.open(QIODevice::ReadOnly))
        setPicture(picture.readAll());
}

Tdownload::~Tdownload() {
    // The client goes first, so no event of a download reaches a half-destroyed window; a
    // download still under way is then dropped with its temporary file.
    delete HttpCli1;
    HttpCli1 = nullptr;
}

void Tdownload::build() {
    flat::applyFlatStyle(this);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pics::panelColour());
    setPalette(pal);

    QFrame* left = whitePanel(QRect(6, 6, 450, 487));
    image = new QLabel(left);
    image->setObjectName(QStringLiteral("image"));
    image->setGeometry(10, 10, 430, 240);
    image->setAlignment(Qt::AlignCenter);
    text(left, kOfferText, QRect(14, 258, 422, 52), 11, true);
    getbutton = new QPushButton(QStringLiteral("Download And Install The Quon77 Lobby Now"), left);
    getbutton->setGeometry(50, 318, 350, 34);
    infolabel = text(left, QString(), QRect(10, 364, 430, 20), 10, true);
    infolabel2 = text(left, QString(), QRect(10, 364, 430, 20), 9, false);
    infolabel2->hide();
    infolabel3 = text(left, QString(), QRect(10, 388, 430, 20), 10, false);
    abortbutton = new QPushButton(QStringLiteral("Stop Download"), left);
    abortbutton->setGeometry(150, 424, 150, 30);
    abortbutton->setEnabled(false);

    QFrame* top = whitePanel(QRect(462, 6, 256, 300));
    text(top, kSoloText, QRect(14, 18, 228, 80), 10, true);
    Button1 = new QPushButton(QStringLiteral("Play Solo Game"), top);
    Button1->setGeometry(43, 108, 170, 34);
    text(top, kFirewallText, QRect(14, 166, 228, 110), 9, false);

    QFrame* bottom = whitePanel(QRect(462, 312, 256, 181));
    text(bottom, kOthersText, QRect(14, 12, 228, 104), 10, true);
    Button2 = new QPushButton(QStringLiteral("Play with Others"), bottom);
    Button2->setGeometry(43, 128, 170, 34);

    getbutton->setObjectName(QStringLiteral("getbutton"));
    abortbutton->setObjectName(QStringLiteral("abortbutton"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2->setObjectName(QStringLiteral("Button2"));
    infolabel->setObjectName(QStringLiteral("infolabel"));
    infolabel2->setObjectName(QStringLiteral("infolabel2"));
    infolabel3->setObjectName(QStringLiteral("infolabel3"));

    // Enter presses the focused button, and "Play Solo Game" whenever no other button has focus.
    for (QPushButton* button : {getbutton, abortbutton, Button2})
        button->setAutoDefault(true);
    Button1->setDefault(true);
    Button1->setFocus();
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, getbutton);
    setTabOrder(getbutton, abortbutton);
}

QFrame* Tdownload::whitePanel(const QRect& geometry) {
    auto* panel = new QFrame(this);
    panel->setGeometry(geometry);
    flat::makePanel(panel, Qt::white, QColor::fromRgb(kPanelBorder));
    return panel;
}

QLabel* Tdownload::text(QWidget* parent, const QString& content, const QRect& geometry, int points,
                        bool bold) {
    auto* label = new QLabel(parent);
    // Plain text: the texts are shown exactly as written, blanks included.
    label->setTextFormat(Qt::PlainText);
    label->setText(content);
    label->setGeometry(geometry);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont font = label->font();
    font.setPointSize(points);
    font.setBold(bold);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor::fromRgb(kInk));
    label->setPalette(pal);
    return label;
}

bool Tdownload::setPicture(QByteArrayView jpeg) {
    const QImage decoded = decodeJpeg(jpeg);
    if (decoded.isNull()) {
        image->clear();
        return false;
    }
    image->setPixmap(QPixmap::fromImage(decoded));
    return true;
}

bool Tdownload::hasPicture() const {
    return !image->pixmap().isNull();
}

// ---- Download ----------------------------------------------------------------------------------

void Tdownload::getbuttonClick() {
    if (HttpCli1->busy())
        return;
    state_ = kRunning;
    const QString name = installerFileName(url_);
    infolabel2->setText(name);
    if (name.isEmpty()) {
        showMessage(kNoFileNameText);
        return;
    }
    installerPath_ = QDir(folder_.isEmpty() ? dataFolder() : folder_).filePath(name);
    // Written beside the installer under a name of its own; the installer's name is taken only
    // when the whole of it has arrived.
    file_ = std::make_unique<QSaveFile>(installerPath_);
    if (!file_->open(QIODevice::WriteOnly)) {
        showMessage(file_->errorString());
        file_.reset();
        return;
    }
    getbutton->setEnabled(false);
    abortbutton->setEnabled(true);
    infolabel->setText(QStringLiteral("Loading"));
    HttpCli1->setURL(url_);
    HttpCli1->setRcvdStream(file_.get());
    HttpCli1->get();
}

void Tdownload::abortbuttonClick() {
    HttpCli1->abort();
    infolabel->setText(QStringLiteral("Download has been aborted."));
    state_ = kFailed;
    infolabel3->setText(kStoppedText);
}

void Tdownload::HttpCli1HeaderData() {
    infolabel->setText(infolabel->text() + QLatin1Char('.'));
}

void Tdownload::HttpCli1DocBegin() {
    infolabel3->setText(QStringLiteral("Downloading: ") + infolabel2->text());
}

void Tdownload::HttpCli1DocData(qint64 received) {
    infolabel->setText(QString::number(received) + QStringLiteral(" bytes"));
}

void Tdownload::HttpCli1RequestDone(bool succeeded) {
    HttpCli1->setRcvdStream(nullptr);
    QString why = whyNotInstalled(downloadEnd(*HttpCli1));
    if (why.isEmpty() && !succeeded)
        why = kAbortedText;
    // Stopped after the last byte came, before this report: still stopped.
    if (why.isEmpty() && state_ == kFailed)
        why = kStoppedText;
    if (why.isEmpty() && (!file_ || !file_->commit()))
        why = QStringLiteral("The download could not be stored");
    file_.reset(); // drops the temporary file unless it became the installer
    if (why.isEmpty()) {
        infolabel->setText(
            QStringLiteral("Received %1 bytes").arg(QFileInfo(installerPath_).size()));
    } else {
        infolabel->setText(kAbortedText);
        infolabel3->setText(why);
        state_ = kFailed;
    }
    getbutton->setEnabled(true);
    abortbutton->setEnabled(false);
    if (state_ != kFailed)
        install();
}

void Tdownload::install() {
    infolabel3->setText(QStringLiteral("Installing"));
    LobbyLauncher& launcher = launcher_ ? *launcher_ : systemLobbyLauncher();
    if (!launcher.startInstaller(installerPath_, kInstallerArguments)) {
        infolabel3->setText(kNotStartedText);
        showMessage(kInstallFailedText);
        return;
    }
    emit exitRequested();
}

// ---- The other two ways on ---------------------------------------------------------------------

void Tdownload::Button1Click() {
    close();
}

void Tdownload::Button2Click() {
    LobbyLauncher& launcher = launcher_ ? *launcher_ : systemLobbyLauncher();
    const QString lobby = launcher.findLobby();
    if (lobby.isEmpty() || !launcher.startLobby(lobby)) {
        showMessage(kNoLobbyText);
        return;
    }
    emit exitRequested();
}

void Tdownload::showMessage(const QString& message) {
    Dialogs& dialogs = dialogs_ ? *dialogs_ : standardDialogs();
    dialogs.information(this, kMessageTitle, message);
}

// ---- Window ------------------------------------------------------------------------------------

void Tdownload::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    centreOver(this, nullptr);
    Button1->setFocus();
}

void Tdownload::closeEvent(QCloseEvent* event) {
    // Choosing the solo game (or closing the window) while the installer is still coming means
    // it is not wanted any more: it must not start and end the game later.
    if (HttpCli1->busy())
        guarded([this] { abortbuttonClick(); });
    QWidget::closeEvent(event);
}

void Tdownload::keyPressEvent(QKeyEvent* event) {
    // Reached when no focused button took the key itself: Enter means "Play Solo Game".
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        guarded([this] { Button1->click(); });
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace zb
