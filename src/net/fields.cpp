#include "net/errors.h"
#include "net/peerreports.h"
#include "net/protocol.h"

#include <QString>
#include <limits>
#include <string>
#include <utility>

namespace zb::proto {

const QByteArray kVersion = QByteArrayLiteral(ZB_VERSION);

namespace {

[[noreturn]] void notAnInteger(QByteArrayView text) {
    // The field is a peer's text: only a short, printable cut of it goes into the message.
    // Wire text is Latin-1; the error report reads exception texts as UTF-8.
    const QByteArray shown = reportableText(text).toUtf8();
    // Built by appending: GCC 12 warns falsely (-Wrestrict) about "'" + std::string at -O3.
    std::string message;
    message.reserve(static_cast<std::size_t>(shown.size()) + 32);
    message += '\'';
    message.append(shown.constData(), static_cast<std::size_t>(shown.size()));
    message += "' is not a valid integer value";
    throw EConvertError(message);
}

} // namespace

int toInt(QByteArrayView text) {
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size())
        notAnInteger(text);
    constexpr long long limit = -static_cast<long long>(std::numeric_limits<int>::min());
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            notAnInteger(text);
        value = value * 10 + (c - '0');
        if (value > limit) // also keeps a long run of digits from overflowing value itself
            notAnInteger(text);
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        notAnInteger(text);
    return static_cast<int>(value);
}

Command splitCommand(const QByteArray& message) {
    const qsizetype plus = message.indexOf('+');
    if (plus < 0)
        return {};
    return {message.first(plus), message.sliced(plus + 1)};
}

QByteArray Fields::next() {
    if (done_)
        return {};
    const qsizetype plus = rest_.indexOf('+');
    if (plus < 0) {
        done_ = true;
        return std::exchange(rest_, QByteArray());
    }
    QByteArray field = rest_.first(plus);
    // Removing from the front of an unshared QByteArray only moves its start, so reading many
    // fields stays linear.
    rest_.remove(0, plus + 1);
    return field;
}

int Fields::nextInt() {
    return toInt(next());
}

} // namespace zb::proto
