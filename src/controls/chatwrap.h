#pragma once
// Cutting a text run that is wider than a line into pieces, in time linear in its length.
//
// Measuring a prefix of a run with the shaper costs time in the prefix's length, so a search over
// prefixes of a 60,000-letter word costs seconds per line. Instead the cut is found by adding up
// the advances of single characters (remembered per font for Latin-1, which is all the wire can
// carry), and only the piece that was cut, never longer than kMaxPieceLength, is shaped to get its
// true width. Where kerning makes the shaped piece wider than the estimate, the search that
// corrects it runs within that piece.

#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <QStringView>
#include <array>

namespace zb {

// Advances of single characters, and widths of short words, in one font. A chat repeats its
// words, and a line of 30,000 one-letter words would otherwise shape each one anew at every
// layout.
class ChatCharWidths {
public:
    explicit ChatCharWidths(const QFont& font);
    struct WordWidth {
        qreal width;
        qreal inked; // without the trailing blanks
    };
    // The shaped widths of a word whose trailing blanks begin at inkedLength.
    WordWidth word(const QString& text, qsizetype inkedLength);
    // The width of the character at `at` (a surrogate pair counts as one); its length in *length.
    qreal at(QStringView text, qsizetype at, int* length);
    // The sum of the advances of the characters of text.
    qreal sum(QStringView text);

private:
    static constexpr qsizetype kCachedWordLength = 32;
    static constexpr qsizetype kCachedWords = 4096; // then the cache starts afresh

    QFontMetricsF metrics_;
    std::array<qreal, 256> latin1_; // negative until measured
    QHash<QString, WordWidth> words_;
};

struct ChatCut {
    int length = 0; // 0: nothing fits in the room left on a line that already holds something
    qreal width = 0;
};

// The next piece of text from `from`: as many characters as fit in `room`, at most
// kMaxPieceLength of them. Characters from `inkedEnd` on are trailing blanks, which may hang over
// the right edge. On an empty line at least one character is taken, whatever its width.
inline constexpr int kMaxPieceLength = 512;
ChatCut cutPiece(const QFontMetricsF& metrics, ChatCharWidths& widths, QStringView text,
                 qsizetype from, qsizetype inkedEnd, qreal room, bool lineEmpty);

} // namespace zb
