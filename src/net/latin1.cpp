#include "net/latin1.h"

namespace zb {

QByteArray toWire(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text.at(i + 1).unicode()))
            ++i;
        out.append(c < 0xFF ? char(c) : '?');
    }
    return out;
}

QString fromWire(const QByteArray& bytes) {
    return QString::fromLatin1(bytes);
}

} // namespace zb
