#include "shell/phrasemessage.h"

#include "net/protocol.h"
#include "shell/latin1.h"

namespace zb {

QByteArray phraseMessage(int myseat, const QString& phrase, const QString& colourText) {
    static const QString kMe = QStringLiteral("/me ");
    const QString line =
        phrase.startsWith(kMe) ? phrase.mid(kMe.size()) : QStringLiteral("says: ") + phrase;
    return msg::toHost::action(myseat, toWire(line) + '|' + toWire(colourText));
}

} // namespace zb
