#pragma once
// What the process hands the table window at creation: the command line and the seams that
// tests replace (ports, dialogs, sound player, tally, settings folder).

#include <QString>
#include <QStringList>
#include <functional>

namespace zb {

class Dialogs;
class SoundPlayer;
class TallySink;
class TSock;

struct TableOptions {
    QStringList args; // the positional arguments after the program name
    QString gamePort = QStringLiteral("7772");
    QString lobbyPort = QStringLiteral("9001");
    QString settingsFolder; // empty: the program's folder or the per-user one
    // Where the window keeps the lock file "zorbinet" that tells other software the game runs;
    // empty: no marker (a table under test).
    QString markerFolder;
    // Switches the host's listener on, on the game port or any free one (may throw).
    std::function<void(bool anyPort)> startHost;
    // The table's own connection to its host has just been opened (hosting only): the host then
    // knows it by its local address and port and keeps slot 1 for it.
    std::function<void(const TSock& sock)> hostConnecting;
    // Seams, not owned; null picks the real one: message boxes, the QSoundEffect player, no tally.
    Dialogs* dialogs = nullptr;
    SoundPlayer* soundPlayer = nullptr;
    TallySink* tally = nullptr;
};

} // namespace zb
