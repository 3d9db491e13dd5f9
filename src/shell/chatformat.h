#pragma once
// The text rules of the chat, apart from any widget: how an added line "<seat>+<text>" is cut into
// the speaker part, words, links and smilies; how a received chat payload "line|colour" splits;
// which link texts may be opened, and as what address.

#include "shell/colortext.h"

#include <QString>
#include <QUrl>
#include <array>
#include <optional>
#include <vector>

namespace zb::chat {

inline constexpr int kStyleCount = 15;
inline constexpr int kStatusStyle = 0; // status lines, prefix 0
inline constexpr int kLinkStyle = 4;
inline constexpr int kSeatStyleOffset = 5; // seat n (1..9) uses style n + 5
inline constexpr int kMaxSeat = 9;
inline constexpr int kFirstSmiley = 10;
inline constexpr int kLastSmiley = 27;

struct Token {
    enum class Kind { Speaker, Word, Link, Smiley };
    Kind kind;
    QString text;   // Speaker, Word, Link: the text with its trailing blank
    int smiley = 0; // Smiley: 10..27
    bool operator==(const Token&) const = default;
};

struct Line {
    int style = kStatusStyle;
    // The speaker part and one blank first (it starts a paragraph), then the rest in order.
    std::vector<Token> tokens;
};

// Cuts "<prefix>+<text>". A prefix that is not a decimal number throws EConvertError (as every
// number field does); a number outside 0..9 has no style and gives no line.
std::optional<Line> formatLine(const QString& line);

struct Payload {
    QString line;
    color::Color colour;
};
// Everything before the first "|" is the line, the rest its colour; red without a "|" or when the
// rest is not a colour.
Payload splitPayload(const QString& data);

// The address a link opens: http and https addresses as they are, "www." with "http://" in front,
// trailing blanks removed. Anything else (javascript:, file:, ...) opens nothing.
std::optional<QUrl> webAddress(const QString& linkText);

// The table's 101 link slots and its link counter: the counter starts at -1, counts up to 100 and
// then starts again at 1.
class LinkSlots {
public:
    static constexpr int kSlots = 101;
    // Stores text in the next slot and returns that slot.
    int store(const QString& text);
    int counter() const { return counter_; }
    // The text of a slot; empty for a slot never used or outside 0..100.
    QString at(int slot) const;

private:
    std::array<QString, kSlots> slots_;
    int counter_ = -1;
};

} // namespace zb::chat
