#include "table/core/tallysink.h"

#include <algorithm>

namespace zb {

int FinishedGame::sideOf(int seat) const {
    return team ? (seat - 1) % 2 + 1 : seat;
}

int FinishedGame::winningSide() const {
    int best = 0;
    bool any = false;
    for (int s = 1; s <= rules::kSeats; ++s) {
        if (seats[s].tookPart && (!any || seats[s].total > best)) {
            best = seats[s].total;
            any = true;
        }
    }
    if (!any)
        return 0;
    int side = 0;
    for (int s = 1; s <= rules::kSeats; ++s) {
        if (!seats[s].tookPart || seats[s].total != best)
            continue;
        if (side != 0 && side != sideOf(s))
            return 0; // two sides share the highest total
        side = sideOf(s);
    }
    return side;
}

bool FinishedGame::localWon() const {
    const int side = winningSide();
    return side != 0 && side == sideOf(mySeat);
}

QStringList FinishedGame::opponents() const {
    QStringList names;
    for (int s = 1; s <= rules::kSeats; ++s) {
        if (s != mySeat && seats[s].tookPart)
            names << seats[s].name;
    }
    return names;
}

QStringList FinishedGame::winners() const {
    QStringList names;
    const int side = winningSide();
    for (int s = 1; s <= rules::kSeats; ++s) {
        if (side != 0 && s != mySeat && seats[s].tookPart && sideOf(s) == side)
            names << seats[s].name;
    }
    return names;
}

int FinishedGame::myTotal() const {
    return mySeat >= 1 && mySeat <= rules::kSeats ? seats[mySeat].total : 0;
}

} // namespace zb
