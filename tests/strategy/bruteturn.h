#pragma once
// One turn solved the slow way, for checking the strategy: every ordered outcome of every reroll
// of every choice of dice to keep, nothing shared with the library but the rules. A roll's final
// worth is given as a function of its five dice.

#include "rules/rules.h"

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <vector>

namespace strategytest {

class BruteTurn {
public:
    using Dice = zb::rules::Dice;
    using Worth = std::function<double(const Dice&)>;

    explicit BruteTurn(const Worth& worth) : after3_(kCodes), after2_(kCodes), after1_(kCodes) {
        forEachOrdered(5, [&](const Dice& d) { after3_[code(d)] = worth(sorted(d)); });
        stage(after3_, after2_);
        stage(after2_, after1_);
        double sum = 0;
        forEachOrdered(5, [&](const Dice& d) { sum += after1_[code(d)]; });
        start_ = sum / 7776.0;
    }

    // Before the first roll.
    double start() const { return start_; }
    // After roll n (1..3) showing these dice, with best play from there.
    double after(int rolls, const Dice& d) const {
        return (rolls == 1 ? after1_ : rolls == 2 ? after2_ : after3_)[code(d)];
    }
    // After roll n (1 or 2): holding the dice of mask (bit i = die i+1) and rolling the others.
    double keep(int rolls, const Dice& d, unsigned mask) const {
        return keepWorth(rolls == 1 ? after2_ : after3_, d, mask);
    }

private:
    // How many dice show each face, as base-6 digits: the same for the same dice in any order.
    static constexpr int kCodes = 6 * 6 * 6 * 6 * 6 * 6;

    static Dice sorted(Dice d) {
        std::sort(d.begin(), d.end());
        return d;
    }
    static int code(const Dice& d) {
        static constexpr int kPlace[7] = {0, 1, 6, 36, 216, 1296, 7776};
        int c = 0;
        for (int v : d)
            c += kPlace[v];
        return c;
    }
    // Every ordered outcome of n dice, filling the last n places of a roll.
    template <typename F> static void forEachOrdered(int n, F&& f, Dice base = {}) {
        int outcomes = 1;
        for (int i = 0; i < n; ++i)
            outcomes *= 6;
        for (int o = 0; o < outcomes; ++o) {
            Dice d = base;
            int rest = o;
            for (int i = 5 - n; i < 5; ++i) {
                d[i] = rest % 6 + 1;
                rest /= 6;
            }
            f(d);
        }
    }
    static double keepWorth(const std::vector<double>& next, const Dice& d, unsigned mask) {
        Dice base{};
        int kept = 0;
        for (int i = 0; i < 5; ++i) {
            if (mask & (1u << i))
                base[kept++] = d[i];
        }
        double sum = 0;
        int outcomes = 0;
        forEachOrdered(
            5 - kept,
            [&](const Dice& r) {
                sum += next[code(r)];
                ++outcomes;
            },
            base);
        return sum / outcomes;
    }
    static void stage(const std::vector<double>& next, std::vector<double>& out) {
        forEachOrdered(5, [&](const Dice& d) {
            if (d != sorted(d))
                return;
            double best = -std::numeric_limits<double>::infinity();
            for (unsigned mask = 0; mask < 32; ++mask)
                best = std::max(best, keepWorth(next, d, mask));
            out[code(d)] = best;
        });
    }

    std::vector<double> after3_, after2_, after1_;
    double start_ = 0;
};

} // namespace strategytest
