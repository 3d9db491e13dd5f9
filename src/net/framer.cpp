#include "net/protocol.h"

#include <cstring>

namespace zb::proto {

// Only the bytes of this delivery are searched for terminators, and complete messages are sliced
// straight out of them: a flood of tiny messages in one delivery and a message trickling in byte
// by byte both cost time linear in the bytes received. Empty messages mean nothing to any
// receiver; dropping them here keeps a stream of bare terminators from filling a queue.
bool Framer::feed(QByteArrayView bytes, QList<QByteArray>& out) {
    const char* const data = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype from = 0;
    while (from < size) {
        const void* hit = std::memchr(data + from, static_cast<unsigned char>(kTerminator),
                                      static_cast<std::size_t>(size - from));
        if (!hit)
            break;
        const qsizetype at = static_cast<const char*>(hit) - data;
        // A message that came whole in one delivery is bound by the limit as much as one that
        // trickles in; nothing after an oversized message is handed on.
        const qsizetype length = (from == 0 ? pending_.size() : 0) + (at - from);
        if (length > kMaxPending) {
            pending_.clear();
            return false;
        }
        if (from == 0 && !pending_.isEmpty()) {
            pending_.append(data, at);
            out.append(std::exchange(pending_, QByteArray()));
        } else if (at > from) {
            out.append(QByteArray(data + from, at - from));
        }
        from = at + 1;
    }
    const qsizetype tail = size - from;
    if (pending_.size() + tail > kMaxPending) {
        // Checked before appending, so an endless line never costs more memory than the cap.
        pending_.clear();
        return false;
    }
    pending_.append(data + from, tail);
    return true;
}

} // namespace zb::proto
