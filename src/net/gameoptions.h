#pragma once
// The choices of a new game as one value, from the start dialog through the messages to the
// host's game flow. Only this file knows how they are spelt on the wire: the bonus flag is "t" or
// "f", the team flag "true" or "false". A word that is neither reads as the choice being off, as
// it always has on every table and on the host.

#include <QByteArray>
#include <QByteArrayView>

namespace zb {

struct GameOptions {
    bool bonus = false; // a bonus die doubles the matching dice in the number rows
    bool team = false;  // partners share one card; six rounds
    bool operator==(const GameOptions&) const = default;
};

namespace proto {

inline QByteArray bonusWord(const GameOptions& o) {
    return o.bonus ? QByteArrayLiteral("t") : QByteArrayLiteral("f");
}
inline QByteArray teamWord(const GameOptions& o) {
    return o.team ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
}
inline GameOptions gameOptions(QByteArrayView bonusWord, QByteArrayView teamWord) {
    return GameOptions{bonusWord == "t", teamWord == "true"};
}

} // namespace proto
} // namespace zb
