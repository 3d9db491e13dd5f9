#pragma once
// The game process: the single-instance guard, the nine windows in their order, the signals that
// close the table window as File > Exit does, and the general error report.

#include "rules/random.h"
#include "table/tableoptions.h"

#include <QObject>
#include <memory>

namespace zb {

class ErrorReport;
class ServerWindow;
class SignalWatcher;
class Tabout;
class Tchat;
class Tdownload;
class Tgamestartform;
class Thelp;
class Tphrases;
class Tspylist;
class Ttallylist;

class GameApp : public QObject {
    Q_OBJECT
public:
    explicit GameApp(TableOptions options, QObject* parent = nullptr);
    ~GameApp() override;

    // Creates the windows and shows the table window.
    void start();

    Tchat* chat() const { return chat_; }
    ServerWindow* serverWindow() const { return server_; }
    ErrorReport* errorReport() const { return errors_.get(); }
    QList<QWidget*> windows() const;

signals:
    // The table window has closed: the program ends.
    void finished();

private:
    TableOptions options_;
    rules::Random random_;
    std::unique_ptr<ErrorReport> errors_;
    std::unique_ptr<SignalWatcher> signals_;
    // Owned here, destroyed in reverse order of creation.
    Tchat* chat_ = nullptr;
    Ttallylist* tally_ = nullptr;
    Tabout* about_ = nullptr;
    Thelp* help_ = nullptr;
    ServerWindow* server_ = nullptr;
    Tspylist* spylist_ = nullptr;
    Tgamestartform* gamestart_ = nullptr;
    Tphrases* phrases_ = nullptr;
    Tdownload* download_ = nullptr;
};

// main() of the game: returns the process's exit status.
int runGame(int argc, char** argv);

} // namespace zb
