#pragma once
// Tchat: the table window. It is a client of a game host exactly like a remote table: it reaches
// the host only through its socket `sock`. This file holds the window's frame and start-up; the
// session, board, score card and chat live in their own classes that the window composes.

#include "table/mainmenu.h"
#include "table/tableoptions.h"

#include <QByteArray>
#include <QMainWindow>
#include <QRect>
#include <array>
#include <memory>

class QFrame;
class QLockFile;

namespace zb {

class TSock;
namespace rules {
class Random;
}

class Tchat : public QMainWindow {
    Q_OBJECT
public:
    static constexpr QRect kDefaultBounds{3, 3, 783, 512};
    static constexpr QSize kInitialClient{775, 466};
    static constexpr QSize kMinimumClient{499, 324};
    static constexpr QRect kMainPanel{4, 8, 767, 451};

    Tchat(TableOptions options, rules::Random& random, QWidget* parent = nullptr);
    ~Tchat() override;

    // Start-up state.
    const QString& playername() const { return playername_; }
    const QString& hostaddress() const { return hostaddress_; }
    const QByteArray& loginname() const { return loginname_; }
    bool hosting() const { return hosting_; }
    QRect storedbounds() const { return storedbounds_; }
    bool settingsRead() const { return settingsRead_; }

    // The interval of the computer players: the "Bot Speed" item's tag.
    int botSpeed() const { return botSpeedTag_; }

    MainMenu& menu() { return menu_; }
    TSock* sock() const { return sock_; }
    TSock* Sock11() const { return sock11_; }
    QFrame* mainPanel() const { return mainPanel_; }

    // Adds a line to the chat view: "<prefix>+<text>" in a colour ($00BBGGRR).
    void addlinetochat(const QByteArray& line, quint32 colour);

    void processparams();
    void hostpress();
    void joinpress();

signals:
    void showHelp();
    void showAbout();
    void showTally();
    void showSpyList();
    void showPhrases();
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void connectMenu();
    void placeMainPanel();
    void ResetScreenLocation1Click();
    void setOuterBounds(const QRect& outer);
    void FormClose();
    void saveBounds();

    TableOptions options_;
    rules::Random& random_;
    MainMenu menu_;
    QFrame* mainPanel_ = nullptr;
    TSock* sock_ = nullptr;
    TSock* sock11_ = nullptr;
    std::unique_ptr<QLockFile> marker_;

    QString playername_;
    QString hostaddress_;
    QByteArray loginname_;
    bool hosting_ = false;
    bool shownOnce_ = false;
    bool settingsRead_ = false;
    QRect storedbounds_{0, 0, 0, 0};
    int botSpeedTag_ = 750;
};

} // namespace zb
