#pragma once
// The game process: the single-instance guard, the windows in their order with the game host
// between them, the signals that close the table window as File > Exit does, and the general
// error report. This is the one place that knows every window.

#include "rules/random.h"
#include "table/core/tallysink.h"
#include "table/tableoptions.h"

#include <QIcon>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

namespace zb {

class Dialogs;
class ErrorReport;
class SignalWatcher;
class Tabout;
class Tchat;
class Tdownload;
class Tgamestartform;
class Thelp;
class Tphrases;
class TServer;
class Tally;
class Tspylist;

class GameApp : public QObject {
    Q_OBJECT
public:
    explicit GameApp(TableOptions options, QObject* parent = nullptr);
    ~GameApp() override;

    // Creates the windows and shows the table window, then starts reading in the sound module.
    void start();

    // The interval of the computer players in milliseconds; by default the table window's
    // "Bot Speed" item. Set before start().
    void setBotSpeed(std::function<int()> botSpeed) { botSpeed_ = std::move(botSpeed); }

    Tchat* chat() const { return chat_; }
    TServer& server() const { return *server_; }
    ErrorReport* errorReport() const { return errors_.get(); }
    Tally& tally() const { return *tally_; }
    // The windows in their order of creation. The game host, which the original program kept in
    // a hidden "Server" window, is a plain object owned here and is not among them.
    QList<QWidget*> windows() const;

signals:
    // The table window has closed: the program ends.
    void finished();

private:
    void createSideWindows(const QString& folder, Dialogs& dialogs);

    // What the table window reports to its tally, passed on once the tally is there.
    class TallyForward final : public TallySink {
    public:
        void attach(TallySink* target);
        void currentPlayers(const QStringList& names) override;
        void recordGame(const FinishedGame& game) override;
        void recordFiveOfAKind() override;

    private:
        TallySink* target_ = nullptr;
        std::optional<QStringList> players_;
    };

    TableOptions options_;
    rules::Random random_;
    std::unique_ptr<ErrorReport> errors_;
    std::unique_ptr<SignalWatcher> signals_;
    std::function<int()> botSpeed_;
    TallyForward tallyForward_;
    std::unique_ptr<Tally> tally_;
    // Owned here, destroyed in reverse order of creation.
    Tchat* chat_ = nullptr;
    Tabout* about_ = nullptr;
    Thelp* help_ = nullptr;
    std::unique_ptr<TServer> server_;
    Tspylist* spylist_ = nullptr;
    Tgamestartform* gamestart_ = nullptr;
    Tphrases* phrases_ = nullptr;
    Tdownload* download_ = nullptr;
};

// The program's icon in every size the build compiled in.
QIcon windowIcon();

// main() of the game: returns the process's exit status.
int runGame(int argc, char** argv);

} // namespace zb
