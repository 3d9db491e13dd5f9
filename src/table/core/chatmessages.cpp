#include "table/core/chatmessages.h"

#include "net/latin1.h"
#include "net/protocol.h"

namespace zb {

namespace {

QByteArray payload(const QString& text, const QString& colourText) {
    return toWire(text) + '|' + toWire(colourText);
}

} // namespace

QByteArray chatLineMessage(int myseat, const QString& typed, const QString& colourText) {
    if (!typed.startsWith(u'/'))
        return msg::toHost::chat(myseat, payload(typed, colourText));
    if (typed.left(3) == QLatin1String("/me"))
        return msg::toHost::action(myseat, payload(typed.mid(4), colourText));
    return {};
}

QByteArray phraseMessage(int myseat, const QString& phrase, const QString& colourText) {
    static const QString kMe = QStringLiteral("/me ");
    const QString line =
        phrase.startsWith(kMe) ? phrase.mid(kMe.size()) : QStringLiteral("says: ") + phrase;
    return msg::toHost::action(myseat, payload(line, colourText));
}

} // namespace zb
