#include "tally/tallyrecorder.h"

#include "tally/store/tallymodel.h"
#include "tally/store/tallystore.h"

namespace zb {

TallyRecorder::TallyRecorder(TallyModel& model, TallyStore& store, Report report)
    : model_(model), store_(store), report_(std::move(report)) {}

namespace {

constexpr int kFiveOfAKindColumn = 3;

} // namespace

void TallyRecorder::loadchecklist() {
    model_.loadchecklist(players_);
}

void TallyRecorder::currentPlayers(const QStringList& names) {
    players_ = names;
}

void TallyRecorder::recordGame(const FinishedGame& game) {
    model_.checkhighscore(QString::number(game.myTotal()));
    players_ = game.opponents();
    loadchecklist();
    model_.addgame(game.localWon(), game.winners());
    save();
}

void TallyRecorder::recordFiveOfAKind() {
    model_.addtomine(kFiveOfAKindColumn);
}

bool TallyRecorder::save() {
    const QString error = store_.save(model_);
    if (error.isEmpty()) {
        failing_ = false;
        return true;
    }
    if (!failing_ && report_)
        report_(error);
    failing_ = true;
    return false;
}

} // namespace zb
