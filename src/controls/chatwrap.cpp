#include "controls/chatwrap.h"

#include <algorithm>

namespace zb {
namespace {

int charLength(QStringView text, qsizetype at) {
    return at + 1 < text.size() && text[at].isHighSurrogate() && text[at + 1].isLowSurrogate() ? 2
                                                                                               : 1;
}

// The shaped width of text[from, from + length), without the trailing blanks from inkedEnd on.
qreal inkedWidth(const QFontMetricsF& metrics, QStringView text, qsizetype from, int length,
                 qsizetype inkedEnd) {
    const qsizetype inked = std::clamp<qsizetype>(inkedEnd - from, 0, length);
    return inked == 0 ? 0 : metrics.horizontalAdvance(text.mid(from, inked).toString());
}

// The longest prefix of text[from, from + upTo) whose shaped inked width fits in room, never
// ending inside a surrogate pair; 0 when not even the first character fits.
int shapedFit(const QFontMetricsF& metrics, QStringView text, qsizetype from, int upTo,
              qsizetype inkedEnd, qreal room) {
    int lo = 0; // fits
    int hi = upTo;
    while (hi - lo > 1) {
        int mid = (lo + hi) / 2;
        if (text[from + mid].isLowSurrogate() && text[from + mid - 1].isHighSurrogate())
            ++mid; // keep the pair whole
        if (mid >= hi)
            break;
        if (inkedWidth(metrics, text, from, mid, inkedEnd) <= room)
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

} // namespace

ChatCharWidths::ChatCharWidths(const QFont& font) : metrics_(font) {
    latin1_.fill(-1);
}

qreal ChatCharWidths::at(QStringView text, qsizetype at, int* length) {
    *length = charLength(text, at);
    const char16_t c = text[at].unicode();
    if (*length == 2)
        return metrics_.horizontalAdvance(text.mid(at, 2).toString());
    if (c >= latin1_.size())
        return metrics_.horizontalAdvance(QChar(c));
    if (latin1_[c] < 0)
        latin1_[c] = metrics_.horizontalAdvance(QChar(c));
    return latin1_[c];
}

ChatCharWidths::WordWidth ChatCharWidths::word(const QString& text, qsizetype inkedLength) {
    const bool cached = text.size() <= kCachedWordLength;
    if (cached) {
        const auto it = words_.constFind(text);
        if (it != words_.constEnd())
            return *it;
    }
    // The word is shaped once; its trailing blanks add their own advances, as blanks do not kern.
    WordWidth w;
    w.inked = inkedLength == 0 ? 0 : metrics_.horizontalAdvance(text, int(inkedLength));
    w.width = w.inked + sum(QStringView(text).mid(inkedLength));
    if (cached) {
        if (words_.size() >= kCachedWords)
            words_.clear();
        words_.insert(text, w);
    }
    return w;
}

qreal ChatCharWidths::sum(QStringView text) {
    qreal total = 0;
    int length = 1;
    for (qsizetype i = 0; i < text.size(); i += length)
        total += at(text, i, &length);
    return total;
}

ChatCut cutPiece(const QFontMetricsF& metrics, ChatCharWidths& widths, QStringView text,
                 qsizetype from, qsizetype inkedEnd, qreal room, bool lineEmpty) {
    const qsizetype end = std::min<qsizetype>(text.size(), from + kMaxPieceLength);
    int n = 0;
    qreal x = 0;
    while (from + n < end) {
        int length = 1;
        const qreal w = widths.at(text, from + n, &length);
        if (from + n + length > end)
            break;
        if (from + n < inkedEnd && x + w > room)
            break;
        x += w;
        n += length;
    }
    const int first = charLength(text, from);
    if (n == 0 && !lineEmpty)
        return {};
    n = std::max(n, first);
    // The shaped width of the piece is needed anyway; it also tells whether the estimate was right.
    qreal inked = inkedWidth(metrics, text, from, n, inkedEnd);
    if (n > first && inked > room) {
        n = shapedFit(metrics, text, from, n, inkedEnd, room);
        if (n == 0 && !lineEmpty)
            return {};
        n = std::max(n, first);
        inked = inkedWidth(metrics, text, from, n, inkedEnd);
    }
    if (from + n <= inkedEnd)
        return {n, inked};
    return {n, metrics.horizontalAdvance(text.mid(from, n).toString())};
}

} // namespace zb
