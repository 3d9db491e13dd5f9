#include "table/core/connectadvice.h"

namespace zb {

namespace {

const QString kAgain = QStringLiteral(" Then choose File > Join Again.");

} // namespace

QString joinFailureAdvice(const QString& host, const QString& port, const QString& report) {
    if (report.contains(QLatin1String("WSAECONNREFUSED")))
        return QStringLiteral("Nobody is hosting a game at %1 on port %2, or a firewall blocks it.")
                   .arg(host, port) +
               QStringLiteral(" Ask the host to start the game.") + kAgain;
    if (report.contains(QLatin1String("WSAETIMEDOUT")))
        return QStringLiteral("%1 did not answer on port %2: it may be off line, or a firewall "
                              "drops the connection.")
                   .arg(host, port) +
               kAgain;
    if (report.contains(QLatin1String("WSAEHOSTUNREACH")) ||
        report.contains(QLatin1String("WSAENETUNREACH")))
        return QStringLiteral("There is no way to %1 from this machine: check the address and "
                              "the network connection.")
                   .arg(host) +
               kAgain;
    if (report.contains(QLatin1String("Could Not Find Host Entry")))
        return QStringLiteral("No computer is known by the name %1: check how the address is "
                              "spelt.")
                   .arg(host) +
               kAgain;
    return QStringLiteral("The connection to %1 failed.").arg(host) + kAgain;
}

QString portTakenAdvice(const QString& port) {
    return QStringLiteral("Port %1 is already in use on this machine, perhaps by another game; "
                          "nobody can join this one.")
        .arg(port);
}

} // namespace zb
