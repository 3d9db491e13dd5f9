#include "shell/chatformat.h"

#include "net/latin1.h"
#include "net/protocol.h"

namespace zb::chat {
namespace {

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

int smileyNumber(QStringView text) {
    if (text.size() != 2 || !isAsciiDigit(text[0]) || !isAsciiDigit(text[1]))
        return kFirstSmiley;
    const int n = (text[0].unicode() - '0') * 10 + (text[1].unicode() - '0');
    return n < kFirstSmiley || n > kLastSmiley ? kFirstSmiley : n;
}

bool isLinkWord(const QString& piece) {
    const QString lower = piece.toLower();
    return lower.contains(QLatin1String("http://")) || lower.contains(QLatin1String("www."));
}

// The text with one blank added, cut after every blank; each piece keeps its blank.
void addWords(const QString& text, std::vector<Token>& out) {
    const QString all = text + u' ';
    qsizetype start = 0;
    while (start < all.size()) {
        const qsizetype blank = all.indexOf(u' ', start);
        const QString piece = all.mid(start, blank - start + 1);
        out.push_back({isLinkWord(piece) ? Token::Kind::Link : Token::Kind::Word, piece});
        start = blank + 1;
    }
}

} // namespace

std::optional<Line> formatLine(const QString& text) {
    const qsizetype plus = text.indexOf(u'+');
    const int prefix = proto::toInt(toWire(plus < 0 ? QString() : text.left(plus)));
    if (prefix < 0 || prefix > kMaxSeat)
        return std::nullopt;
    Line line;
    line.style = prefix == 0 ? kStatusStyle : prefix + kSeatStyleOffset;
    QString rest = text.mid(plus + 1);

    const qsizetype colon = rest.indexOf(u':');
    const QString speaker = colon < 0 ? QString() : rest.left(colon + 1);
    rest.remove(0, speaker.size());
    line.tokens.push_back({Token::Kind::Speaker, speaker + u' '});

    static const QString kSmileyMark = QStringLiteral(":)#");
    qsizetype at;
    while ((at = rest.indexOf(kSmileyMark)) >= 0) {
        const QString before = rest.left(at);
        const QString number = rest.mid(at + kSmileyMark.size(), 2);
        rest.remove(0, at + kSmileyMark.size() + number.size());
        addWords(before, line.tokens);
        line.tokens.push_back({Token::Kind::Smiley, QString(), smileyNumber(number)});
    }
    if (!rest.isEmpty())
        addWords(rest, line.tokens);
    return line;
}

Payload splitPayload(const QString& data) {
    const qsizetype bar = data.indexOf(u'|');
    if (bar < 0)
        return {data, color::kRed};
    return {data.left(bar), color::fromText(QStringView(data).mid(bar + 1)).value_or(color::kRed)};
}

std::optional<QUrl> webAddress(const QString& linkText) {
    qsizetype n = linkText.size();
    while (n > 0 && linkText.at(n - 1) == u' ')
        --n;
    QString text = linkText.left(n);
    const QString lower = text.toLower();
    if (lower.startsWith(QLatin1String("www.")))
        text.prepend(QLatin1String("http://"));
    else if (!lower.startsWith(QLatin1String("http://")) &&
             !lower.startsWith(QLatin1String("https://")))
        return std::nullopt;
    const QUrl url(text, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != u"http" && scheme != u"https"))
        return std::nullopt;
    return url;
}

int LinkSlots::store(const QString& text) {
    ++counter_;
    if (counter_ >= kSlots)
        counter_ = 1;
    slots_[counter_] = text;
    return counter_;
}

QString LinkSlots::at(int slot) const {
    return slot < 0 || slot >= kSlots ? QString() : slots_[slot];
}

} // namespace zb::chat
