#include "net/commandwords.h"
#include "net/protocol.h"

namespace zb::msg {
namespace {

namespace word = proto::word;

using proto::kTerminator;

// Builds one message. Text that arrives here with a terminator byte in it would split the
// message and let the rest pose as a command of its own, so such bytes go out as '?'.
class Builder {
public:
    explicit Builder(const char* command) : text_(command) {}

    Builder& num(int value) {
        text_ += '+';
        text_ += QByteArray::number(value);
        return *this;
    }
    Builder& field(QByteArrayView text) {
        text_ += '+';
        return append(text);
    }
    // Text that continues the current field rather than starting a new one.
    Builder& append(QByteArrayView text) {
        const qsizetype from = text_.size();
        text_ += text;
        for (qsizetype i = from; i < text_.size(); ++i) {
            if (text_[i] == kTerminator)
                text_[i] = '?';
        }
        return *this;
    }
    // The empty last field that several messages end with.
    Builder& emptyField() {
        text_ += '+';
        return *this;
    }
    QByteArray done() {
        text_ += kTerminator;
        return std::move(text_);
    }

private:
    QByteArray text_;
};

} // namespace

namespace toHost {

QByteArray logininfo(int slot, const QByteArray& version, const QByteArray& loginName) {
    // The name's own trailing terminator plus the message's make the two the host expects; any
    // other terminator byte in the name is cleaned like all text.
    QByteArrayView name = loginName;
    if (name.endsWith(kTerminator))
        name.chop(1);
    QByteArray message = Builder(word::logininfo).num(slot).field(version).field(name).done();
    message += kTerminator;
    return message;
}

QByteArray kickhim(int slot, int target) {
    return Builder(word::kickhim).num(slot).num(target).emptyField().done();
}

QByteArray chat(int slot, const QByteArray& payload) {
    return Builder(word::chat).num(slot).field(payload).done();
}

QByteArray action(int slot, const QByteArray& payload) {
    return Builder(word::action).num(slot).field(payload).done();
}

QByteArray startgame(int slot, const GameOptions& options) {
    return Builder(word::startgame)
        .num(slot)
        .field(proto::bonusWord(options))
        .field(proto::teamWord(options))
        .done();
}

QByteArray justwatch(int seat, int mode) {
    return Builder(word::justwatch).num(seat).num(mode).done();
}

QByteArray rolldice(int slot) {
    return Builder(word::rolldice).num(slot).done();
}

QByteArray setdice(int slot, int die) {
    return Builder(word::setdice).num(slot).num(die).done();
}

QByteArray unsetdice(int slot, int die) {
    return Builder(word::unsetdice).num(slot).num(die).done();
}

QByteArray setscore(int slot, int category) {
    return Builder(word::setscore).num(slot).num(category).done();
}

QByteArray playasound(int slot, int wave) {
    return Builder(word::playasound)
        .num(slot)
        .field("wave")
        .append(QByteArray::number(wave))
        .emptyField()
        .done();
}

QByteArray botspeed(int slot, int milliseconds) {
    return Builder(word::botspeed).num(slot).num(milliseconds).emptyField().done();
}

} // namespace toHost

namespace toTable {

QByteArray sendlogininfo(int slot) {
    return Builder(word::sendlogininfo).num(slot).done();
}

QByteArray full() {
    return Builder(word::full).emptyField().done();
}

QByteArray newplayerinfo(int slot, const QByteArray& name) {
    return Builder(word::newplayerinfo).num(slot).field(name).done();
}

QByteArray existingplayers(int slot, const QByteArray& name) {
    return Builder(word::existingplayers).num(slot).field(name).done();
}

QByteArray havewrongversion(const QByteArray& name) {
    return Builder(word::havewrongversion).field(name).done();
}

QByteArray wrongversion() {
    return Builder(word::wrongversion).emptyField().done();
}

QByteArray playerdisconnected(int slot, const QByteArray& name) {
    return Builder(word::playerdisconnected).num(slot).field(name).done();
}

QByteArray chat(const QByteArray& slotText, const QByteArray& name, const QByteArray& payload) {
    return Builder(word::chat)
        .field(slotText)
        .field(name)
        .append(" chats: ")
        .append(payload)
        .done();
}

QByteArray action(const QByteArray& slotText, const QByteArray& name, const QByteArray& payload) {
    return Builder(word::action).field(slotText).field(name).append(" ").append(payload).done();
}

QByteArray playasound(const QByteArray& slotText, const QByteArray& rest) {
    return Builder(word::playasound).field(slotText).field(rest).done();
}

QByteArray startgame(int starter, const GameOptions& options) {
    return Builder(word::startgame)
        .num(starter)
        .field(proto::bonusWord(options))
        .field(proto::teamWord(options))
        .done();
}

QByteArray setbonusdice(int value) {
    return Builder(word::setbonusdice).num(value).done();
}

QByteArray nextplayer(int seat, int round, int total, int rolls) {
    return Builder(word::nextplayer).num(seat).num(round).num(total).num(rolls).emptyField().done();
}

QByteArray thedice(int seat, int rolls, const QList<RolledDie>& rolled) {
    Builder message(word::thedice);
    message.num(seat).field(rolls < 3 ? "y" : "n").num(rolls);
    for (const RolledDie& r : rolled)
        message.num(r.die).num(r.value);
    return message.done();
}

QByteArray setdice(int die) {
    return Builder(word::setdice).num(die).done();
}

QByteArray unsetdice(int die) {
    return Builder(word::unsetdice).num(die).done();
}

QByteArray rollagain() {
    return Builder(word::rollagain).emptyField().done();
}

QByteArray chooseagain() {
    return Builder(word::chooseagain).emptyField().done();
}

QByteArray pscore(int seat, int total, const QByteArray& category, const proto::Entries& entries) {
    Builder message(word::pscore);
    message.num(seat).num(total).field(category);
    for (std::int32_t e : entries)
        message.num(e);
    return message.done();
}

QByteArray justwatching(int slot, int mode) {
    return Builder(word::justwatching).num(slot).num(mode).done();
}

QByteArray winner(const QByteArray& text, int total) {
    return Builder(word::winner).field(text).num(total).emptyField().done();
}

} // namespace toTable

} // namespace zb::msg
