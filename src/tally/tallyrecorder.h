#pragma once
// The table's TallySink: records into the tally table and writes the file after every recorded
// game, so a crash or a power cut never costs a finished game. A failed write is told
// once (until a write succeeds again); since every write carries the whole table, the next
// successful one holds every game.

#include "table/core/tallysink.h"

#include <QStringList>
#include <functional>

namespace zb {

class TallyModel;
class TallyStore;

class TallyRecorder : public TallySink {
public:
    using Report = std::function<void(const QString& text)>;

    TallyRecorder(TallyModel& model, TallyStore& store, Report report);

    // "Players In Current Game" as the table last listed them.
    void loadchecklist();

    void currentPlayers(const QStringList& names) override;
    void recordGame(const FinishedGame& game) override;
    void recordFiveOfAKind() override;

    // Writes the file; returns whether it was written.
    bool save();

private:
    TallyModel& model_;
    TallyStore& store_;
    Report report_;
    QStringList players_;
    bool failing_ = false;
};

} // namespace zb
