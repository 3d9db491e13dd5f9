#pragma once
// The table's connections: the game connection to the host, opened as the command line says,
// and the lobby's presence connection. It carries the host's bytes into the core and the core's
// requests out, and tells the core when a connect fails or the connection ends. Qt Core only, so
// a headless table can play over a real socket exactly as the window does.
//
//   no arguments              a solo game as "You": the own host, then 127.0.0.1; nobody joins
//                             a solo game, so when the game port is taken any free port serves
//   NAME HOST true            hosts the game as NAME (the own host, then 127.0.0.1)
//   NAME HOST anything-else   joins the game hosted at HOST; a failed join may be tried again
//   one or two arguments      nothing is opened

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

namespace zb {

class TableCore;
class TSock;
enum class TSocketInfo;

class TableLink : public QObject {
    Q_OBJECT
public:
    // What the program around the table does for a hosting table: switches its host's listener
    // on (may throw, e.g. when the port is taken) and, once the own connection is open, names it
    // to the host so that it keeps slot 1 for it.
    struct Hosting {
        // anyPort: listen on any free port rather than the game port.
        std::function<void(bool anyPort)> startHost;
        std::function<void(const TSock& sock)> connecting;
    };

    explicit TableLink(TableCore& core, QObject* parent = nullptr);
    ~TableLink() override;

    TSock& sock() const { return *sock_; }
    TSock& lobbySock() const { return *lobby_; }
    void setGamePort(const QString& port);
    void setLobbyPort(const QString& port);
    void setHosting(Hosting hosting) { hosting_ = std::move(hosting); }

    // Reads the command line, tells the core who plays and opens the connections.
    void start(const QStringList& args);
    // The address the game connection goes to.
    QString hostAddress() const;

    // A join whose connect failed can be made again (File > "Join Again").
    bool canJoinAgain() const { return joining_ && failed_ && !closed_; }
    void joinAgain();

signals:
    void joinAgainOffered(bool offered);

private:
    void host(const QString& playername, bool solo);
    void join(const QString& playername, const QString& address);
    void openJoin();
    void setFailed(bool failed);
    void sockRead();
    void sockInfo(TSocketInfo info, const QString& msg);

    TableCore& core_;
    QPointer<TableCore> alive_;
    TSock* sock_ = nullptr;
    TSock* lobby_ = nullptr;
    Hosting hosting_;
    bool closed_ = false;
    bool joining_ = false;
    bool failed_ = false;
    bool reopening_ = false; // the failed socket is being closed for another try
};

} // namespace zb
