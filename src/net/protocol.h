#pragma once
// The game's wire format.
//
//   message  = word *( "+" field ) 0xFF
//   word     = "CMD_" letters, compared exactly
//   field    = decimal number | fixed word | text
//
// Text is 8-bit Latin-1, one byte per character, and never contains 0xFF. A text field that is
// the last of its message runs to the terminator and may contain "+". Several messages in a row
// are simply concatenated; an empty piece between two terminators (the login ends with two) is
// an empty message, which Framer drops. Receivers cut the stream with Framer, split the word off
// with splitCommand and read fields left to right with Fields. Senders build whole messages with
// the builders in zb::msg, so no handler writes protocol text by hand.

#include "net/gameoptions.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <array>
#include <cstdint>

namespace zb::proto {

constexpr char kTerminator = '\xFF';
// The longest message (without its terminator) a receiver takes, whether it comes whole in one
// delivery or in pieces; a connection that sends a longer one is cut off.
constexpr qsizetype kMaxPending = 64 * 1024;
extern const QByteArray kVersion; // the project's version, "1.0.4"
// The chatter sounds a player can send: "wave1" to "wave20".
constexpr int kChatterSounds = 20;

// Decimal text to a 32-bit integer with an optional sign; anything else throws EConvertError
// "'<text>' is not a valid integer value", the text as reportableText() shows it (cut to a few
// dozen characters, control characters as "?").
int toInt(QByteArrayView text);

// One connection's pending bytes and the cutting of complete messages from them.
class Framer {
public:
    // Appends bytes and moves every complete, non-empty message (without its 0xFF) to out, in
    // order. Returns false when a message, complete or still unfinished, exceeds kMaxPending:
    // the connection should then be closed. The messages before that one are in out; it and
    // everything after it are dropped, the pending bytes included.
    bool feed(QByteArrayView bytes, QList<QByteArray>& out);
    const QByteArray& pending() const { return pending_; }
    void clear() { pending_.clear(); }

private:
    QByteArray pending_;
};

struct Command {
    QByteArray word; // empty when the message has no "+"
    QByteArray args; // everything after the first "+"
};
Command splitCommand(const QByteArray& message);

// Reads fields from the front of an argument string.
class Fields {
public:
    explicit Fields(QByteArray args) : rest_(std::move(args)) {}
    // The text up to the next "+" (which is consumed), or all that remains when there is none.
    QByteArray next();
    // next() converted by toInt.
    int nextInt();
    // Everything not read yet, "+" included (a last text field).
    const QByteArray& rest() const { return rest_; }
    bool atEnd() const { return rest_.isEmpty() && done_; }

private:
    QByteArray rest_;
    bool done_ = false;
};

using Entries = std::array<std::int32_t, 15>; // card entries 1..15 in order

} // namespace zb::proto

namespace zb::msg {

// Table to host. Every message starts with the sender's slot.
namespace toHost {
// loginName already ends with one 0xFF, so the message ends with two (it ends with two as well
// when the name comes without it).
QByteArray logininfo(int slot, const QByteArray& version, const QByteArray& loginName);
QByteArray kickhim(int slot, int target);
// payload = line "|" colour
QByteArray chat(int slot, const QByteArray& payload);
QByteArray action(int slot, const QByteArray& payload);
QByteArray startgame(int slot, const GameOptions& options);
QByteArray justwatch(int seat, int mode);
QByteArray rolldice(int slot);
QByteArray setdice(int slot, int die);
QByteArray unsetdice(int slot, int die);
QByteArray setscore(int slot, int category);
// wave: the chatter sound "wave1".."wave<kChatterSounds>".
QByteArray playasound(int slot, int wave);
QByteArray botspeed(int slot, int milliseconds);
} // namespace toHost

// Host to tables.
namespace toTable {
QByteArray sendlogininfo(int slot);
QByteArray full();
QByteArray newplayerinfo(int slot, const QByteArray& name);
QByteArray existingplayers(int slot, const QByteArray& name);
QByteArray havewrongversion(const QByteArray& name);
QByteArray wrongversion();
QByteArray playerdisconnected(int slot, const QByteArray& name);
// slotText is relayed as received; payload = line "|" colour, unchanged.
QByteArray chat(const QByteArray& slotText, const QByteArray& name, const QByteArray& payload);
QByteArray action(const QByteArray& slotText, const QByteArray& name, const QByteArray& payload);
// rest: the arguments after the slot as received, e.g. "wave5+".
QByteArray playasound(const QByteArray& slotText, const QByteArray& rest);
QByteArray startgame(int starter, const GameOptions& options);
QByteArray setbonusdice(int value);
QByteArray nextplayer(int seat, int round, int total, int rolls);
struct RolledDie {
    int die;
    int value;
};
QByteArray thedice(int seat, int rolls, const QList<RolledDie>& rolled);
QByteArray setdice(int die);
QByteArray unsetdice(int die);
QByteArray rollagain();
QByteArray chooseagain();
// category: "4", or "*" / "*4" for a copy that is not announced.
QByteArray pscore(int seat, int total, const QByteArray& category, const proto::Entries& entries);
QByteArray justwatching(int slot, int mode);
QByteArray winner(const QByteArray& text, int total);
} // namespace toTable

} // namespace zb::msg
