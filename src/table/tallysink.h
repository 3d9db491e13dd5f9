#pragma once
// What the table window tells the tally about the games its player takes part in. The tally
// window fills this in; a table without a tally (tests, a spectator's view) uses the no-op one.

#include <QString>

namespace zb {

class TallySink {
public:
    virtual ~TallySink() = default;

    // The local player's grand total at the end of a game, as the card shows it.
    virtual void checkhighscore(const QString& total) { (void)total; }
    // A finished game: the winner text, or "addtomine" when the local player won.
    virtual void addgame(const QString& winner) { (void)winner; }
    // Raises one of the local player's counters; 3 counts a 5 of a Kind.
    virtual void addtomine(int counter) { (void)counter; }
};

// The tally that records nothing.
inline TallySink& noTally() {
    static TallySink sink;
    return sink;
}

} // namespace zb
