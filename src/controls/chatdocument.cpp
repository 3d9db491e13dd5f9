#include "controls/chatdocument.h"

#include <algorithm>
#include <cmath>

namespace zb {
namespace {

QFont makeFont(const ChatTextStyle& style) {
    QFont font(style.family);
    font.setPointSize(std::max(1, style.pointSize));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

bool sameFont(const ChatTextStyle& a, const ChatTextStyle& b) {
    return a.family == b.family && a.pointSize == b.pointSize && a.bold == b.bold &&
           a.italic == b.italic && a.underline == b.underline;
}

qsizetype inkedLength(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == u' ')
        --n;
    return n;
}

} // namespace

int ChatDocument::addStyle(const ChatTextStyle& style) {
    StyleData data;
    data.style = style;
    data.font = makeFont(style);
    data.metrics = QFontMetricsF(data.font);
    data.widths = ChatCharWidths(data.font);
    styles_.push_back(std::move(data));
    return int(styles_.size()) - 1;
}

bool ChatDocument::setStyle(int index, const ChatTextStyle& style) {
    StyleData& data = styles_.at(index);
    const bool fontChanged = !sameFont(data.style, style);
    data.style = style;
    if (!fontChanged)
        return false;
    data.font = makeFont(style);
    data.metrics = QFontMetricsF(data.font);
    data.widths = ChatCharWidths(data.font);
    ++data.generation;
    dirtyFrom_ = 0;
    return true;
}

void ChatDocument::addText(const QString& text, int style, bool newParagraph,
                           const QString& target) {
    if (styles_.empty())
        return;
    if (style < 0 || style >= styleCount())
        style = 0;
    Item item;
    item.text = text;
    item.style = style;
    item.newParagraph = newParagraph;
    if (styles_[style].style.jump) {
        item.link = links_++;
        item.target = target.isNull() ? text : target;
    }
    const qint64 bytes = kItemBytes + 2 * (qint64(item.text.size()) + item.target.size());
    push(std::move(item), bytes);
}

void ChatDocument::addPicture(const QPixmap& picture, bool newParagraph) {
    Item item;
    item.picture = int(pictures_.size());
    item.newParagraph = newParagraph;
    // A picture that is shared already (the smilies are drawn once) costs no pixels of its own.
    const qint64 pixels = picture.isDetached() ? qint64(picture.width()) * picture.height() : 0;
    pictures_.push_back(picture);
    push(std::move(item), kItemBytes + 4 * pixels);
}

void ChatDocument::push(Item item, qint64 bytes) {
    const int index = itemCount();
    if (item.newParagraph || paragraphs_.empty()) {
        item.newParagraph = true;
        paragraphs_.push_back({index, index + 1});
    } else {
        ++paragraphs_.back().endItem;
    }
    dirtyFrom_ = std::min(dirtyFrom_, paragraphCount() - 1);
    paragraphs_.back().bytes += bytes;
    bytes_ += bytes;
    items_.push_back(std::move(item));
    trim();
}

void ChatDocument::setLimits(int paragraphs, qint64 bytes) {
    maxParagraphs_ = std::max(1, paragraphs);
    maxBytes_ = std::max<qint64>(1, bytes);
}

void ChatDocument::trim() {
    if (paragraphCount() <= maxParagraphs_ && bytes_ <= maxBytes_)
        return;
    // Down to 7/8 of each limit, so that the next drop is many lines away.
    const int keepParagraphs = std::max(1, maxParagraphs_ - maxParagraphs_ / 8);
    const qint64 keepBytes = maxBytes_ - maxBytes_ / 8;
    const int newest = paragraphCount() - 1;
    int drop = 0;
    qint64 bytes = bytes_;
    while (drop < newest && (paragraphCount() - drop > keepParagraphs || bytes > keepBytes))
        bytes -= paragraphs_[drop++].bytes;
    if (drop > 0)
        dropParagraphs(drop);
}

// Removes the first `count` paragraphs with their items, pictures, lines and pieces, and
// renumbers everything after them; what was laid out keeps its layout, moved up.
void ChatDocument::dropParagraphs(int count) {
    const int items = paragraphs_[count].firstItem;
    int links = 0;
    int pictures = 0;
    for (int i = 0; i < items; ++i) {
        links += items_[i].link >= 0;
        pictures += items_[i].style < 0;
    }
    for (int p = 0; p < count; ++p)
        bytes_ -= paragraphs_[p].bytes;
    const std::size_t lineCut =
        count < laidOut_ ? std::size_t(paragraphs_[count].firstLine) : lines_.size();
    const std::size_t pieceCut =
        lineCut < lines_.size() ? std::size_t(lines_[lineCut].firstPiece) : pieces_.size();
    // Whole pixels, so a view that keeps its place can scroll by exactly as much.
    const qreal dy = std::floor(lineCut < lines_.size() ? lines_[lineCut].top : height());

    items_.erase(items_.begin(), items_.begin() + items);
    pictures_.erase(pictures_.begin(), pictures_.begin() + pictures);
    paragraphs_.erase(paragraphs_.begin(), paragraphs_.begin() + count);
    lines_.erase(lines_.begin(), lines_.begin() + std::ptrdiff_t(lineCut));
    pieces_.erase(pieces_.begin(), pieces_.begin() + std::ptrdiff_t(pieceCut));
    for (Item& item : items_) {
        if (item.link >= 0)
            item.link -= links;
        if (item.picture >= 0)
            item.picture -= pictures;
    }
    for (Paragraph& p : paragraphs_) {
        p.firstItem -= items;
        p.endItem -= items;
        p.firstLine = std::max(0, p.firstLine - int(lineCut));
    }
    for (Line& line : lines_) {
        line.top -= dy;
        line.firstPiece -= int(pieceCut);
        line.endPiece -= int(pieceCut);
    }
    for (Piece& piece : pieces_)
        piece.item -= items;
    links_ -= links;
    dirtyFrom_ = std::max(0, dirtyFrom_ - count);
    laidOut_ = std::max(0, laidOut_ - count);
    droppedItems_ += items;
    droppedHeight_ += dy;
}

void ChatDocument::clear() {
    items_.clear();
    pictures_.clear();
    paragraphs_.clear();
    lines_.clear();
    pieces_.clear();
    links_ = 0;
    bytes_ = 0;
    dirtyFrom_ = laidOut_ = 0;
}

QSizeF ChatDocument::pictureSize(const Item& item) const {
    return picture(item).deviceIndependentSize();
}

void ChatDocument::setWidth(qreal width) {
    width = std::max<qreal>(width, 1);
    if (width == width_)
        return;
    width_ = width;
    dirtyFrom_ = 0;
}

// The widths of a short text item; long ones are measured piece by piece as they are cut.
void ChatDocument::measure(Item& item) {
    StyleData& data = styles_[item.style];
    if (item.measured == data.generation)
        return;
    const ChatCharWidths::WordWidth w = data.widths.word(item.text, inkedLength(item.text));
    item.width = w.width;
    item.inked = w.inked;
    item.measured = data.generation;
}

void ChatDocument::layout() {
    if (dirtyFrom_ >= paragraphCount())
        return;
    // Lines of paragraphs before dirtyFrom_ stay; everything after is laid out again.
    const std::size_t cutLine =
        dirtyFrom_ < laidOut_ ? std::size_t(paragraphs_[dirtyFrom_].firstLine) : lines_.size();
    const std::size_t cutPiece =
        cutLine < lines_.size() ? lines_[cutLine].firstPiece : pieces_.size();
    lines_.resize(cutLine);
    pieces_.resize(cutPiece);
    qreal y = lines_.empty() ? 0 : lines_.back().top + lines_.back().height;
    for (int p = dirtyFrom_; p < paragraphCount(); ++p)
        layoutParagraph(p, y);
    dirtyFrom_ = laidOut_ = paragraphCount();
}

// Collects the pieces of one line and closes it with the height of its tallest piece.
class ChatDocument::LineBuilder {
public:
    LineBuilder(ChatDocument& doc, qreal& y) : doc_(doc), y_(y), first_(int(doc.pieces_.size())) {}

    qreal x() const { return x_; }
    bool empty() const { return int(doc_.pieces_.size()) == first_; }

    void add(const Piece& piece, qreal ascent, qreal descent) {
        doc_.pieces_.push_back(piece);
        x_ += piece.width;
        ascent_ = std::max(ascent_, ascent);
        descent_ = std::max(descent_, descent);
    }

    void finish() {
        const qreal height = ascent_ + descent_;
        doc_.lines_.push_back({y_, height, ascent_, first_, int(doc_.pieces_.size())});
        y_ += height;
        x_ = ascent_ = descent_ = 0;
        first_ = int(doc_.pieces_.size());
    }

private:
    ChatDocument& doc_;
    qreal& y_;
    int first_;
    qreal x_ = 0;
    qreal ascent_ = 0;
    qreal descent_ = 0;
};

void ChatDocument::layoutParagraph(int index, qreal& y) {
    Paragraph& paragraph = paragraphs_[index];
    paragraph.firstLine = int(lines_.size());
    LineBuilder line(*this, y);
    for (int i = paragraph.firstItem; i < paragraph.endItem; ++i) {
        const Item& item = items_[i];
        if (item.style >= 0) {
            layoutText(i, line);
            continue;
        }
        const QSizeF size = pictureSize(item);
        if (!line.empty() && line.x() + size.width() > width_)
            line.finish();
        line.add({i, 0, 1, line.x(), size.width()}, size.height(), 0);
    }
    line.finish();
}

void ChatDocument::layoutText(int index, LineBuilder& line) {
    Item& item = items_[index];
    StyleData& data = styles_[item.style];
    const QFontMetricsF& m = data.metrics;
    const qsizetype length = item.text.size();
    const qsizetype inkedEnd = inkedLength(item.text);
    if (length <= kMaxPieceLength) {
        measure(item);
        if (!line.empty() && item.inked > width_ - line.x())
            line.finish();
        if (item.inked <= width_ - line.x()) {
            line.add({index, 0, int(length), line.x(), item.width}, m.ascent(), m.descent());
            return;
        }
    } else if (!line.empty() &&
               data.widths.sum(QStringView(item.text).left(inkedEnd)) > width_ - line.x()) {
        line.finish(); // a long word starts on a line of its own, as a short one would
    }
    // Wider than the room left, or too long to shape in one piece: cut between characters.
    qsizetype from = 0;
    while (from < length) {
        const ChatCut cut =
            cutPiece(m, data.widths, item.text, from, inkedEnd, width_ - line.x(), line.empty());
        if (cut.length == 0) {
            line.finish();
            continue;
        }
        line.add({index, int(from), cut.length, line.x(), cut.width}, m.ascent(), m.descent());
        from += cut.length;
    }
}

qreal ChatDocument::height() const {
    return lines_.empty() ? 0 : lines_.back().top + lines_.back().height;
}

int ChatDocument::lineAt(qreal y) const {
    const auto it = std::partition_point(lines_.begin(), lines_.end(), [y](const Line& line) {
        return line.top + line.height <= y;
    });
    return int(it - lines_.begin());
}

qreal ChatDocument::advance(const Piece& piece, int offset) const {
    offset = std::clamp(offset, piece.from, piece.from + piece.length);
    const Item& it = items_[piece.item];
    if (it.style < 0)
        return offset > piece.from ? piece.width : 0;
    if (offset == piece.from + piece.length)
        return piece.width;
    return styles_[it.style].metrics.horizontalAdvance(
        it.text.mid(piece.from, offset - piece.from));
}

ChatDocument::Position ChatDocument::hitTest(QPointF point) const {
    if (lines_.empty())
        return end();
    if (point.y() < 0)
        return {0, 0};
    const int li = lineAt(point.y());
    if (li >= int(lines_.size()))
        return end();
    const Line& line = lines_[li];
    const Piece& first = pieces_[line.firstPiece];
    if (point.x() <= first.x)
        return {first.item, first.from};
    for (int p = line.firstPiece; p < line.endPiece; ++p) {
        const Piece& piece = pieces_[p];
        if (point.x() >= piece.x + piece.width)
            continue;
        // The character boundary nearest to the point.
        const qreal rel = point.x() - piece.x;
        int lo = piece.from;
        int hi = piece.from + piece.length;
        while (hi - lo > 1) {
            const int mid = (lo + hi) / 2;
            if (advance(piece, mid) <= rel)
                lo = mid;
            else
                hi = mid;
        }
        const bool nearerHi = advance(piece, hi) - rel < rel - advance(piece, lo);
        return {piece.item, nearerHi ? hi : lo};
    }
    const Piece& last = pieces_[line.endPiece - 1];
    return {last.item, last.from + last.length};
}

int ChatDocument::itemAt(QPointF point) const {
    const int li = lineAt(point.y());
    if (point.y() < 0 || li >= int(lines_.size()))
        return -1;
    const Line& line = lines_[li];
    if (point.y() < line.top)
        return -1;
    for (int p = line.firstPiece; p < line.endPiece; ++p) {
        const Piece& piece = pieces_[p];
        if (point.x() >= piece.x && point.x() < piece.x + piece.width)
            return piece.item;
    }
    return -1;
}

QRectF ChatDocument::itemBox(int index) const {
    const auto piece = std::partition_point(pieces_.begin(), pieces_.end(),
                                            [index](const Piece& p) { return p.item < index; });
    if (piece == pieces_.end() || piece->item != index)
        return {};
    const int pi = int(piece - pieces_.begin());
    const auto line = std::partition_point(lines_.begin(), lines_.end(),
                                           [pi](const Line& l) { return l.endPiece <= pi; });
    if (line == lines_.end())
        return {};
    return {piece->x, line->top, piece->width, line->height};
}

QString ChatDocument::text(Position from, Position to) const {
    if (to < from)
        std::swap(from, to);
    QString out;
    const int last = std::min(to.item, itemCount() - 1);
    for (int i = std::max(from.item, 0); i <= last; ++i) {
        const Item& it = items_[i];
        if (it.newParagraph && i > from.item)
            out += u'\n';
        if (it.style < 0)
            continue;
        const int a = i == from.item ? from.offset : 0;
        const int b = i == to.item ? to.offset : int(it.text.size());
        if (b > a)
            out += QStringView(it.text).mid(a, b - a);
    }
    return out;
}

} // namespace zb
