#pragma once
// The tally table (stringgrid_scores) and everything that changes it. Row 0 holds the local
// player's counts: column 1 games played, 2 games won, 3 5 of a Kind scored, 4 highest game score.
// Rows 1 to N follow one opponent each: column 0 the name, 1 to 4 games together, the opponent's
// wins, the local player's wins and games neither won, all in total; 5 to 8 the same four in this
// run of the program (the "Session" columns).
//
// Beside the table it keeps the names of the players in the current game (the window's check
// list "Players In Current Game"), which the table window refills through loadchecklist.

#include "tallygrid.h"

#include <QObject>
#include <QStringList>
#include <stdexcept>

namespace zb {

// A cell that does not read as a number: "'<text>' is not a valid integer value".
class TallyConversionError : public std::runtime_error {
public:
    explicit TallyConversionError(const QString& text);
};

class TallyModel : public QObject {
    Q_OBJECT
public:
    explicit TallyModel(QObject* parent = nullptr);

    const TallyGrid& grid() const { return grid_; }
    QString cell(int column, int row) const;
    int opponents() const { return int(grid_.size()) - 1; }
    // The names of rows 1 to N, in row order ("Players Being Tallied").
    QStringList tallied() const;
    // The row of the first opponent of that name, or -1.
    int rowOf(const QString& name) const;

    const QStringList& currentPlayers() const { return current_; }
    void loadchecklist(const QStringList& names);

    // One finished game: whether the local player won, and the names of the other players who
    // won (alone, or with their team). Counts each tallied row of the current game once, even
    // when two players at the table share its name: as the opponent's win when the name is among
    // the winners, else as the local player's when he won, else as neither's.
    void addgame(bool localWon, const QStringList& winners);
    // Adds 1 to a column (1 to 4) of row 0.
    void addtomine(int column);
    void checkhighscore(const QString& text);
    // Adds 1 to a cell that holds a decimal number; throws TallyConversionError otherwise.
    void addit(int column, int row);

    // Starts following an opponent; false if the name is tallied already.
    bool choose(const QString& name);
    // Stops following the opponent of row 1 to N.
    void remove(int row);
    // Every count back to "0" and nobody tallied.
    void reset();

    // Takes a table read from the file: checks that every count reads as a number, fills empty
    // counts with "0" and starts the session columns at "0". Returns an empty string, or the
    // conversion error with the table left as it was.
    QString load(TallyGrid grid);

signals:
    // Any cell, row or the current players changed.
    void changed();

private:
    void zeroCells(int row);

    TallyGrid grid_;
    QStringList current_;
};

} // namespace zb
