#pragma once
// The content of the chat view without the widget: a style sheet of text styles, a list of items
// (text runs in one style, or inline pictures) grouped into paragraphs, and their layout into
// lines. Paragraphs wrap between items; an item wider than a whole line is cut between characters.
//
// Cost model, which is why this is not a QTextDocument: items keep their style's number, not a
// copy of its format, so recolouring a style is one assignment whatever it is used by. Appending
// lays out only the paragraphs that changed, so a long chat appends in constant time. Only a change
// of width or of a font lays out everything again, and then only measures the changed styles.
// Laying out an item costs time linear in its length however long it is (see chatwrap.h).
//
// History: the content is bounded, since every line of it may come from a peer. Past
// kMaxParagraphs paragraphs (1,000 chat lines) or kMaxBytes bytes (512 KiB), counted as below,
// the oldest paragraphs are dropped until at most 7/8 of each limit remains, so the work of
// dropping is spread over many lines. The paragraph being added is never dropped. Bytes count what
// an item holds: two per character of its text and of its link target, kItemBytes for its records,
// and four per pixel of a picture that is not shared with others. The byte limit is also what
// bounds a full new layout (a font or width change): 512 KiB is about four lines of 60,000 letters,
// some 30 ms, or some 400 lines of ordinary chat. Dropping renumbers what follows: item indexes
// shift by the number of items dropped (droppedItems() counts them all) and links are numbered
// again from 0 in the order they stand.

#include "controls/chatwrap.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPixmap>
#include <QString>
#include <compare>
#include <vector>

namespace zb {

struct ChatTextStyle {
    QString family = QStringLiteral("Arial");
    int pointSize = 10;
    QColor color = Qt::black;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool jump = false; // text added in this style is a link
};

class ChatDocument {
public:
    // A place in the content: before character `offset` of item `item`. {itemCount(), 0} is the
    // end; a picture has the offsets 0 and 1.
    struct Position {
        int item = 0;
        int offset = 0;
        auto operator<=>(const Position&) const = default;
    };
    struct Item {
        QString text;   // empty for a picture
        QString target; // what a link opens
        int style = -1; // -1 for a picture
        int picture = -1;
        int link = -1; // place among the links, counted from 0; -1 when not a link
        bool newParagraph = false;
        qreal width = 0;
        qreal inked = 0;   // width without trailing blanks, which may hang over the right edge
        int measured = -1; // the style's font generation that the widths belong to
    };
    struct Piece { // the part of an item that lies on one line
        int item;
        int from;
        int length;
        qreal x;
        qreal width;
    };
    struct Line {
        qreal top;
        qreal height;
        qreal ascent;
        int firstPiece;
        int endPiece;
    };

    static constexpr int kMaxParagraphs = 1000;
    static constexpr qint64 kMaxBytes = qint64(512) << 10;
    static constexpr qint64 kItemBytes = 128;

    // Style sheet.
    int addStyle(const ChatTextStyle& style);
    int styleCount() const { return int(styles_.size()); }
    const ChatTextStyle& style(int index) const { return styles_.at(index).style; }
    // Returns true when the change needs a new layout (a font changed), false when a repaint does.
    bool setStyle(int index, const ChatTextStyle& style);
    const QFont& font(int style) const { return styles_.at(style).font; }
    const QFontMetricsF& metrics(int style) const { return styles_.at(style).metrics; }

    // Content. A text in an unknown style is shown in style 0 (or dropped with no styles at all).
    void addText(const QString& text, int style, bool newParagraph, const QString& target = {});
    void addPicture(const QPixmap& picture, bool newParagraph);
    void clear();
    // Smaller or larger bounds of the history (tests); they apply from the next added item.
    void setLimits(int paragraphs, qint64 bytes);
    qint64 bytes() const { return bytes_; }
    qint64 droppedItems() const { return droppedItems_; }
    // The height of the laid out lines that were dropped, in all.
    qreal droppedHeight() const { return droppedHeight_; }
    int itemCount() const { return int(items_.size()); }
    int paragraphCount() const { return int(paragraphs_.size()); }
    int linkCount() const { return links_; }
    const Item& item(int index) const { return items_.at(index); }
    const QPixmap& picture(const Item& item) const { return pictures_.at(item.picture); }
    QSizeF pictureSize(const Item& item) const;
    Position end() const { return {itemCount(), 0}; }
    int length(const Item& item) const { return item.style < 0 ? 1 : int(item.text.size()); }

    // Layout, for a line width in pixels.
    void setWidth(qreal width);
    qreal width() const { return width_; }
    void invalidate() { dirtyFrom_ = 0; }
    void layout(); // lays out what changed since the last call
    qreal height() const;
    const std::vector<Line>& lines() const { return lines_; }
    const std::vector<Piece>& pieces() const { return pieces_; }
    // The first line that reaches below y, or lines().size().
    int lineAt(qreal y) const;
    // The place nearest to a point of the laid out content.
    Position hitTest(QPointF point) const;
    // The item drawn under the point, or -1.
    int itemAt(QPointF point) const;
    // The box of the first piece of an item, or an empty box.
    QRectF itemBox(int index) const;
    // The x of character `offset` of a piece, relative to the piece.
    qreal advance(const Piece& piece, int offset) const;

    QString text(Position from,
                 Position to) const; // paragraphs end with "\n"; pictures add nothing

private:
    struct StyleData {
        ChatTextStyle style;
        QFont font;
        QFontMetricsF metrics{QFont()};
        ChatCharWidths widths{QFont()};
        int generation = 0;
    };
    struct Paragraph {
        int firstItem;
        int endItem;
        int firstLine = 0;
        qint64 bytes = 0;
    };
    class LineBuilder;

    void push(Item item, qint64 bytes);
    void trim();
    void dropParagraphs(int count);
    void measure(Item& item);
    void layoutParagraph(int index, qreal& y);
    void layoutText(int index, LineBuilder& line);

    std::vector<StyleData> styles_;
    std::vector<Item> items_;
    std::vector<QPixmap> pictures_;
    std::vector<Paragraph> paragraphs_;
    std::vector<Line> lines_;
    std::vector<Piece> pieces_;
    int links_ = 0;
    int maxParagraphs_ = kMaxParagraphs;
    qint64 maxBytes_ = kMaxBytes;
    qint64 bytes_ = 0;
    qint64 droppedItems_ = 0;
    qreal droppedHeight_ = 0;
    int dirtyFrom_ = 0; // first paragraph whose layout is out of date
    int laidOut_ = 0;   // paragraphs that have lines, valid or not
    qreal width_ = 100;
};

} // namespace zb
