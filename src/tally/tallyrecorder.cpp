#include "tally/tallyrecorder.h"

#include "tally/store/tallymodel.h"
#include "tally/store/tallystore.h"

namespace zb {

TallyRecorder::TallyRecorder(TallyModel& model, TallyStore& store, Report report)
    : model_(model), store_(store), report_(std::move(report)) {}

void TallyRecorder::loadchecklist() {
    if (players_)
        model_.loadchecklist(players_());
}

void TallyRecorder::checkhighscore(const QString& total) {
    model_.checkhighscore(total);
}

void TallyRecorder::addgame(const QString& winner) {
    loadchecklist();
    model_.addgame(winner);
    save();
}

void TallyRecorder::addtomine(int counter) {
    model_.addtomine(counter);
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
