#pragma once
// The coach: the best play for the local player's position, by the strategy that maximises the
// card's expected total, and what each choice is worth. It reads only what the table shows (the
// own card, the dice as drawn, which are held, the rolls, the bonus die) and never sends anything.
// Asked once (Game > "Suggest a Move") it advises on the position on the table until that
// changes; switched on (Options > "Show Best Move") it advises on every position of the own
// turn. The tables behind it are built once per process on a thread of their own; until they
// are ready the coach says it is thinking, and the window never waits.

#include "rules/rules.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <optional>

namespace zb {

class TableCore;

struct Suggestion {
    bool scoreNow = false;
    std::array<bool, rules::kDice + 1> keep{}; // [1..5]: the dice to hold for the next roll
    int category = 0;                          // the best category to score now; 0 before a roll
    double bestTotal = 0;                      // the card's expected final total with best play
    // The expected final total when scoring each open category (index 1..12) now.
    std::array<std::optional<double>, rules::kCategories + 1> categoryTotal{};
    bool operator==(const Suggestion&) const = default;
};

class Coach : public QObject {
    Q_OBJECT
public:
    // How often a coach waiting for its tables looks whether they are ready.
    static constexpr int kReadyPollMs = 50;

    explicit Coach(const TableCore& core, QObject* parent = nullptr);

    // "Show Best Move": advice all through the own turn.
    void setAlways(bool on);
    bool always() const { return always_; }
    // "Suggest a Move": advice on the position now on the table.
    void suggest();

    // What the coach advises now; none while it has nothing to say (not the own turn, nothing
    // asked) or while it is still thinking.
    const std::optional<Suggestion>& suggestion() const { return suggestion_; }
    bool thinking() const { return thinking_; }
    // The advice in words: "Keep 4 4 4 and roll again: expected total 231.4".
    QString text() const;

signals:
    void changed();

private:
    struct PositionKey {
        unsigned used = 0;
        int upper = 0;
        int bonus = 0;
        rules::Dice dice{};
        std::array<bool, rules::kDice> held{};
        int rolls = 0;
        bool operator==(const PositionKey&) const = default;
    };
    std::optional<PositionKey> position() const;
    void refresh();
    void publish(std::optional<Suggestion> suggestion, bool thinking);

    const TableCore& core_;
    bool always_ = false;
    std::optional<PositionKey> asked_; // the position "Suggest a Move" was chosen for
    std::optional<Suggestion> suggestion_;
    bool thinking_ = false;
    QTimer poll_;
};

} // namespace zb
