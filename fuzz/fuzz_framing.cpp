// Arbitrary bytes in arbitrary pieces through the receiving side of the wire format: the framer,
// the command split and the field reader, plus the builders with hostile text.
//
// Input layout, read by FuzzedDataProvider: repeatedly a piece length, a repeat count and the
// piece. Repeats let short inputs reach the cap, with a terminator after it or without.

#include "net/errors.h"
#include "net/protocol.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

bool isDecimal(const QByteArray& text) {
    qsizetype i = (!text.isEmpty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

void readMessage(const QByteArray& message) {
    check(!message.contains(zb::proto::kTerminator));
    const zb::proto::Command command = zb::proto::splitCommand(message);
    if (!message.contains('+')) {
        check(command.word.isEmpty());
        return;
    }
    check(!command.word.contains('+'));
    check(command.word + '+' + command.args == message);

    // Fields, rejoined with "+", give back the argument string exactly.
    zb::proto::Fields fields(command.args);
    const QByteArrayView args = command.args;
    qsizetype at = 0;
    while (!fields.atEnd()) {
        check(at <= args.size());
        const QByteArray field = fields.next();
        check(!field.contains('+'));
        check(args.sliced(at).startsWith(field));
        at += field.size();
        if (!fields.atEnd()) {
            check(args[at] == '+');
            ++at;
            check(fields.rest().size() == args.size() - at);
        }
    }
    check(at == args.size());
    check(fields.next().isEmpty() && fields.rest().isEmpty());

    zb::proto::Fields numbers(command.args);
    for (int i = 0; i < 4; ++i) {
        const QByteArray field = zb::proto::Fields(numbers.rest()).next();
        try {
            numbers.nextInt();
            check(isDecimal(field));
        } catch (const zb::EConvertError&) {
        }
    }
}

void buildWith(const QByteArray& text) {
    using namespace zb::msg;
    for (const QByteArray& m :
         {toTable::newplayerinfo(1, text), toTable::chat(text, text, text),
          toTable::winner(text, 1), toTable::pscore(1, 1, text, {}), toHost::chat(1, text)}) {
        check(m.count(zb::proto::kTerminator) == 1 && m.endsWith(zb::proto::kTerminator));
    }
    const QByteArray login = toHost::logininfo(1, text, text);
    check(login.count(zb::proto::kTerminator) == 2 && login.endsWith("\xFF\xFF"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    zb::proto::Framer framer;
    QByteArray input;
    QByteArray delivered; // every message with its terminator, in order
    bool overflow = false;

    // Enough to pass the cap, small enough to keep runs fast.
    constexpr qsizetype kBudget = zb::proto::kMaxPending + 4096;
    while (provider.remaining_bytes() > 0 && !overflow && input.size() < kBudget) {
        const auto length = provider.ConsumeIntegralInRange<std::size_t>(0, 64);
        const auto repeat =
            provider.ConsumeBool() ? 1 : provider.ConsumeIntegralInRange<std::size_t>(1, 1100);
        const std::string bytes = provider.ConsumeBytesAsString(length);
        const QByteArray piece = QByteArray::fromStdString(bytes);
        buildWith(piece);
        for (std::size_t r = 0; r < repeat && !overflow && input.size() < kBudget; ++r) {
            QList<QByteArray> messages;
            input += piece;
            overflow = !framer.feed(piece, messages);
            for (const QByteArray& message : messages) {
                check(!message.isEmpty()); // the framer drops empty messages
                check(message.size() <= zb::proto::kMaxPending);
                readMessage(message);
                delivered += message;
                delivered += zb::proto::kTerminator;
            }
            check(framer.pending().size() <= zb::proto::kMaxPending);
            if (overflow)
                check(framer.pending().isEmpty());
        }
    }

    // The input as the framer hands it on: an empty message (a terminator at the start or right
    // after another) is dropped.
    QByteArray expected;
    for (const char c : input) {
        if (c == zb::proto::kTerminator && (expected.isEmpty() || expected.back() == c))
            continue;
        expected += c;
    }
    if (!overflow) {
        check(delivered + framer.pending() == expected);
    } else {
        // Every message before the first one over the cap arrived, and nothing after it: the
        // next message, complete or not, is the one over the cap.
        check(expected.startsWith(delivered));
        const QByteArray rest = expected.sliced(delivered.size());
        const qsizetype end = rest.indexOf(zb::proto::kTerminator);
        check((end < 0 ? rest.size() : end) > zb::proto::kMaxPending);
    }
    return 0;
}
