#pragma once
// Byte strings for the tally's codec tests.

#include <QByteArray>
#include <cstdint>
#include <initializer_list>
#include <random>

namespace tallytest {

inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(std::uint8_t(v)));
    return out;
}

inline QByteArray randomBytes(qsizetype n, unsigned seed) {
    std::mt19937 gen(seed);
    QByteArray out(n, Qt::Uninitialized);
    for (char& c : out)
        c = char(gen() & 0xFF);
    return out;
}

// n bytes that count up: no two positions hold the same three bytes, so nothing can be copied.
inline QByteArray countingBytes(int n) {
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out.append(char(i));
    return out;
}

} // namespace tallytest
