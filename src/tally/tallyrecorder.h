#pragma once
// The table window's TallySink: records into the tally table and writes the file after every
// recorded game, so a crash or a power cut never costs a finished game. A failed write is told
// once (until a write succeeds again); since every write carries the whole table, the next
// successful one holds every game.

#include "table/tallysink.h"

#include <QStringList>
#include <functional>

namespace zb {

class TallyModel;
class TallyStore;

class TallyRecorder : public TallySink {
public:
    using Players = std::function<QStringList()>;
    using Report = std::function<void(const QString& text)>;

    TallyRecorder(TallyModel& model, TallyStore& store, Report report);

    // Where loadchecklist takes the names of the current game's other players from: the table
    // window's seat names other than its own and other than "<Waiting>".
    void setPlayers(Players players) { players_ = std::move(players); }
    void loadchecklist();

    void checkhighscore(const QString& total) override;
    void addgame(const QString& winner) override;
    void addtomine(int counter) override;

    // Writes the file; returns whether it was written.
    bool save();

private:
    TallyModel& model_;
    TallyStore& store_;
    Report report_;
    Players players_;
    bool failing_ = false;
};

} // namespace zb
