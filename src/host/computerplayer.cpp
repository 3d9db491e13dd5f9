#include "host/computerplayer.h"

namespace zb::host {

using namespace zb::rules;

void ComputerPlayer::computerplay(int seat) {
    if (!validSeat(seat))
        return;
    const int rolls = host_.turnDice().rolls;
    if (rolls > 2 && working_[seat] == 0)
        working_[seat] = findany(seat);
    if (computercheck(seat))
        return;
    if (rolls == 1 || rolls == 2) {
        computerworking(seat);
        return;
    }
    const int category = working_[seat];
    working_[seat] = 0;
    if (category == 0) {
        // A full card: nothing left to score, so the turn passes without one.
        host_.passTurn();
        return;
    }
    host_.setscore(seat, category);
}

bool ComputerPlayer::computercheck(int seat) {
    const Dice dice = host_.turnDice().all();
    int category = 0;
    if (open(seat, BigStraight) && hasBigStraight(dice))
        category = BigStraight;
    else if (open(seat, FiveKind) && hasFiveKind(dice))
        category = FiveKind;
    else if (open(seat, FourKind) && hasFourKind(dice))
        category = FourKind;
    else if (hasFullHouse(dice) && open(seat, FullHouse))
        category = FullHouse;
    else if (open(seat, SmStraight) && hasSmallStraight(dice))
        category = SmStraight;
    if (category == 0)
        return false;
    host_.setscore(seat, category);
    return true;
}

void ComputerPlayer::computerworking(int seat) {
    if (working_[seat] == 0)
        working_[seat] = findworking(seat);
    const int category = working_[seat];
    if (category >= Ones && category <= Sixes)
        worknums(seat, category);
    else if (category == BigStraight)
        workstraight(seat);
    host_.armStep();
}

int ComputerPlayer::findworking(int seat) const {
    if (straight() == BigStraight && open(seat, BigStraight))
        return BigStraight;
    if (const int face = threes(seat))
        return face;
    return twos(seat);
}

int ComputerPlayer::findany(int seat) const {
    for (int category = Freebie; category >= Ones; --category) {
        if (open(seat, category))
            return category;
    }
    return 0;
}

int ComputerPlayer::threes(int seat) const {
    return highestFreeFace(seat, 3);
}

int ComputerPlayer::twos(int seat) const {
    return highestFreeFace(seat, 2);
}

int ComputerPlayer::highestFreeFace(int seat, int minCount) const {
    const TurnDice& t = host_.turnDice();
    std::array<int, 7> count{};
    for (int die = 1; die <= kDice; ++die) {
        const int v = t.freeValue[die];
        if (v >= 1 && v <= 6)
            ++count[v];
    }
    for (int face = 6; face >= 1; --face) {
        if (count[face] >= minCount && open(seat, face))
            return face;
    }
    return 0;
}

int ComputerPlayer::straight() const {
    const TurnDice& t = host_.turnDice();
    std::array<bool, 7> shown{};
    for (int die = 1; die <= kDice; ++die) {
        const int v = t.freeValue[die];
        if (v >= 1 && v <= 6)
            shown[v] = true;
    }
    return shown[2] && shown[3] && shown[4] && shown[5] ? BigStraight : 0;
}

void ComputerPlayer::worknums(int seat, int face) {
    for (int die = 1; die <= kDice; ++die) {
        if (host_.turnDice().freeValue[die] == face)
            host_.setdice(seat, die);
    }
}

void ComputerPlayer::workstraight(int seat) {
    std::array<bool, 7> noted{};
    const TurnDice& t = host_.turnDice();
    for (int die = 1; die <= kDice; ++die) {
        const int v = t.heldValue[die];
        if (v >= 2 && v <= 5)
            noted[v] = true;
    }
    for (int die = 1; die <= kDice; ++die) {
        const int v = host_.turnDice().freeValue[die];
        if (v >= 2 && v <= 5 && !noted[v]) {
            noted[v] = true;
            host_.setdice(seat, die);
        }
    }
}

} // namespace zb::host
