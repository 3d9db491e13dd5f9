#include "net/protocol.h"

namespace zb::msg {
namespace {

using proto::kTerminator;

// Builds one message. Text that arrives here with a terminator byte in it would split the
// message and let the rest pose as a command of its own, so such bytes go out as '?'.
class Builder {
public:
    explicit Builder(const char* word) : text_(word) {}

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
    QByteArray message = Builder("CMD_logininfo").num(slot).field(version).field(name).done();
    message += kTerminator;
    return message;
}

QByteArray kickhim(int slot, int target) {
    return Builder("CMD_kickhim").num(slot).num(target).emptyField().done();
}

QByteArray chat(int slot, const QByteArray& payload) {
    return Builder("CMD_chat").num(slot).field(payload).done();
}

QByteArray action(int slot, const QByteArray& payload) {
    return Builder("CMD_action").num(slot).field(payload).done();
}

QByteArray startgame(int slot, bool bonus, bool team) {
    return Builder("CMD_startgame")
        .num(slot)
        .field(bonus ? "t" : "f")
        .field(team ? "true" : "false")
        .done();
}

QByteArray justwatch(int seat, int mode) {
    return Builder("CMD_justwatch").num(seat).num(mode).done();
}

QByteArray rolldice(int slot) {
    return Builder("CMD_rolldice").num(slot).done();
}

QByteArray setdice(int slot, int die) {
    return Builder("CMD_setdice").num(slot).num(die).done();
}

QByteArray unsetdice(int slot, int die) {
    return Builder("CMD_unsetdice").num(slot).num(die).done();
}

QByteArray setscore(int slot, int category) {
    return Builder("CMD_setscore").num(slot).num(category).done();
}

QByteArray playasound(int slot, int wave) {
    return Builder("CMD_playasound")
        .num(slot)
        .field("wave")
        .append(QByteArray::number(wave))
        .emptyField()
        .done();
}

QByteArray botspeed(int slot, int milliseconds) {
    return Builder("CMD_botspeed").num(slot).num(milliseconds).emptyField().done();
}

} // namespace toHost

namespace toTable {

QByteArray sendlogininfo(int slot) {
    return Builder("CMD_sendlogininfo").num(slot).done();
}

QByteArray full() {
    return Builder("CMD_full").emptyField().done();
}

QByteArray newplayerinfo(int slot, const QByteArray& name) {
    return Builder("CMD_newplayerinfo").num(slot).field(name).done();
}

QByteArray existingplayers(int slot, const QByteArray& name) {
    return Builder("CMD_existingplayers").num(slot).field(name).done();
}

QByteArray havewrongversion(const QByteArray& name) {
    return Builder("CMD_havewrongversion").field(name).done();
}

QByteArray wrongversion() {
    return Builder("CMD_wrongversion").emptyField().done();
}

QByteArray playerdisconnected(int slot, const QByteArray& name) {
    return Builder("CMD_playerdisconnected").num(slot).field(name).done();
}

QByteArray chat(const QByteArray& slotText, const QByteArray& name, const QByteArray& payload) {
    return Builder("CMD_chat")
        .field(slotText)
        .field(name)
        .append(" chats: ")
        .append(payload)
        .done();
}

QByteArray action(const QByteArray& slotText, const QByteArray& name, const QByteArray& payload) {
    return Builder("CMD_action").field(slotText).field(name).append(" ").append(payload).done();
}

QByteArray playasound(const QByteArray& slotText, const QByteArray& rest) {
    return Builder("CMD_playasound").field(slotText).field(rest).done();
}

QByteArray startgame(const QByteArray& starter, const QByteArray& bonusWord,
                     const QByteArray& teamWord) {
    return Builder("CMD_startgame").field(starter).field(bonusWord).field(teamWord).done();
}

QByteArray setbonusdice(int value) {
    return Builder("CMD_setbonusdice").num(value).done();
}

QByteArray nextplayer(int seat, int round, int total, int rolls) {
    return Builder("CMD_nextplayer").num(seat).num(round).num(total).num(rolls).emptyField().done();
}

QByteArray thedice(int seat, int rolls, const QList<RolledDie>& rolled) {
    Builder message("CMD_thedice");
    message.num(seat).field(rolls < 3 ? "y" : "n").num(rolls);
    for (const RolledDie& r : rolled)
        message.num(r.die).num(r.value);
    return message.done();
}

QByteArray setdice(int die) {
    return Builder("CMD_setdice").num(die).done();
}

QByteArray unsetdice(int die) {
    return Builder("CMD_unsetdice").num(die).done();
}

QByteArray rollagain() {
    return Builder("CMD_rollagain").emptyField().done();
}

QByteArray chooseagain() {
    return Builder("CMD_chooseagain").emptyField().done();
}

QByteArray pscore(int seat, int total, const QByteArray& category, const proto::Entries& entries) {
    Builder message("CMD_pscore");
    message.num(seat).num(total).field(category);
    for (std::int32_t e : entries)
        message.num(e);
    return message.done();
}

QByteArray justwatching(int slot, int mode) {
    return Builder("CMD_justwatching").num(slot).num(mode).done();
}

QByteArray winner(const QByteArray& text, int total) {
    return Builder("CMD_winner").field(text).num(total).emptyField().done();
}

} // namespace toTable

} // namespace zb::msg
