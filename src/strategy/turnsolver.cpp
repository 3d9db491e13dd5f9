#include "strategy/turnsolver.h"

#include <algorithm>

namespace zb::strategy {

// The two loops below run about two million times per table build: fixed-length inner loops over
// compact neighbour lists, so that they compile without branches.
// The two loops below run about two million times per table build: fixed-length inner loops over
// flat neighbour lists, so that they compile without branches.
ZB_STRATEGY_KERNEL void keepWorth(SetValues& values) {
    double* v = values.data();
    const std::int16_t* plus = DiceSets::get().neighbours().plus.data();
    for (int i = kFirstRoll - 1; i >= 0; --i) {
        const std::int16_t* p = plus + i * kFaces;
        v[i] = ((v[p[0]] + v[p[1]]) + (v[p[2]] + v[p[3]]) + (v[p[4]] + v[p[5]])) * (1.0 / kFaces);
    }
}

ZB_STRATEGY_KERNEL void bestKeepWithin(SetValues& values) {
    double* v = values.data();
    const std::int16_t* minus = DiceSets::get().neighbours().minus.data();
    for (int i = 1; i < kSets; ++i) {
        const std::int16_t* m = minus + i * kDiceCount;
        const double a = v[m[0]] > v[m[1]] ? v[m[0]] : v[m[1]];
        const double b = v[m[2]] > v[m[3]] ? v[m[2]] : v[m[3]];
        const double c = v[i] > v[m[4]] ? v[i] : v[m[4]];
        const double ab = a > b ? a : b;
        v[i] = ab > c ? ab : c;
    }
}

double meanOverRolls(const SetValues& v) {
    const DiceSets& sets = DiceSets::get();
    double sum = 0;
    for (int r = kFirstRoll; r < kSets; ++r)
        sum += sets.rollChance(r) * v[r];
    return sum;
}

void planTurn(TurnPlan& plan) {
    plan.keepRoll3 = plan.final;
    keepWorth(plan.keepRoll3);
    SetValues v = plan.keepRoll3;
    bestKeepWithin(v); // rolls: worth after roll 2
    keepWorth(v);
    plan.keepRoll2 = v;
    bestKeepWithin(v); // rolls: worth after roll 1
    plan.start = meanOverRolls(v);
}

double turnStart(SetValues& v) {
    keepWorth(v);
    bestKeepWithin(v);
    keepWorth(v);
    bestKeepWithin(v);
    return meanOverRolls(v);
}

} // namespace zb::strategy
