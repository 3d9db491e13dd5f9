#pragma once
// The window "Download The Quon77 Lobby", shown over the table in a solo game: it downloads and
// starts the lobby's installer, opens an installed lobby, or gets out of the way for the solo
// game. The download runs through HttpCli on the GUI thread without ever waiting in a handler:
// getbuttonClick starts it and HttpCli1RequestDone finishes it.
//
// Download state (downloadState()): kIdle at creation, kRunning while a download runs or after it
// succeeded, kFailed after it failed or was stopped; only a download that ends running starts the
// installer. The numbers 0, 1 and 2 are the states' values as they have always been.
// A started installer or lobby ends the game: the window asks for File > Exit with exitRequested().
//
// The installer is written under a temporary name beside its own and takes its name only once it
// has arrived whole (side/downloadverdict.h): a failed or stopped download leaves nothing under
// the installer's name and an earlier file of that name as it was. Its name is the address's
// last path segment, never one of the program's own files (side/installerfile.h). A download that
// installs nothing says why in the status line; the progress line says "Download Aborted".

#include <QByteArrayView>
#include <QString>
#include <QWidget>
#include <memory>

class QFrame;
class QLabel;
class QPushButton;
class QSaveFile;

namespace zb {

class Dialogs;
class HttpCli;
class LobbyLauncher;

class Tdownload : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 724;
    static constexpr int kClientHeight = 500;

    explicit Tdownload(QWidget* parent = nullptr);
    ~Tdownload() override;

    // Seams: the installer's address, the folder the installer is stored in (by default the
    // folder of the settings file), the message boxes and what starts installer and lobby.
    void setUrl(const QString& url) { url_ = url; }
    QString url() const { return url_; }
    void setDownloadFolder(const QString& folder) { folder_ = folder; }
    QString downloadFolder() const { return folder_; }
    void setDialogs(Dialogs& dialogs) { dialogs_ = &dialogs; }
    void setLauncher(LobbyLauncher& launcher) { launcher_ = &launcher; }
    // The window's HTTP client (tests shorten its time-out).
    HttpCli& httpClient() { return *HttpCli1; }

    // Shows a JPEG on the left panel; false (and a blank picture) when it does not decode.
    bool setPicture(QByteArrayView jpeg);
    bool hasPicture() const;

    static constexpr int kIdle = 0;
    static constexpr int kRunning = 1;
    static constexpr int kFailed = 2;
    int downloadState() const { return state_; }

    // The window's controls, by their names.
    QPushButton* getbutton = nullptr;
    QPushButton* abortbutton = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* infolabel = nullptr;  // progress line
    QLabel* infolabel2 = nullptr; // hidden: the installer's file name
    QLabel* infolabel3 = nullptr; // status line
    QLabel* image = nullptr;

signals:
    // The installer or the lobby has started: end the game through File > Exit.
    void exitRequested();

public slots:
    void getbuttonClick();
    void abortbuttonClick();
    void Button1Click();
    void Button2Click();

public:
    // The HTTP client's events.
    void HttpCli1HeaderData();
    void HttpCli1DocBegin();
    void HttpCli1DocData(qint64 received);
    void HttpCli1RequestDone(bool succeeded);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    QFrame* whitePanel(const QRect& geometry);
    QLabel* text(QWidget* parent, const QString& text, const QRect& geometry, int points,
                 bool bold);
    void install();
    void showMessage(const QString& text);

    HttpCli* HttpCli1 = nullptr;
    QString url_;
    QString folder_;
    Dialogs* dialogs_ = nullptr;
    LobbyLauncher* launcher_ = nullptr;
    std::unique_ptr<QSaveFile> file_; // the download under way, until it is kept or dropped
    QString installerPath_;
    int state_ = kIdle;
};

} // namespace zb
