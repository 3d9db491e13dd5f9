#include "strategy/turnsolver.h"

#include <algorithm>

namespace zb::strategy {

// The two loops below run about two million times per table build: fixed-length inner loops over
// compact neighbour lists, so that they compile without branches.
void keepWorth(SetValues& v) {
    const auto& plus = DiceSets::get().neighbours().plus;
    for (int i = kFirstRoll - 1; i >= 0; --i) {
        const auto& p = plus[i];
        v[i] = ((v[p[0]] + v[p[1]]) + (v[p[2]] + v[p[3]]) + (v[p[4]] + v[p[5]])) * (1.0 / kFaces);
    }
}

void bestKeepWithin(SetValues& v) {
    const auto& minus = DiceSets::get().neighbours().minus;
    for (int i = 1; i < kSets; ++i) {
        const auto& m = minus[i];
        const double a = std::max(v[m[0]], v[m[1]]);
        const double b = std::max(v[m[2]], v[m[3]]);
        v[i] = std::max(std::max(v[i], v[m[4]]), std::max(a, b));
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
